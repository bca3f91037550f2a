// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateValueCommand.h"

#include "HexDate.h"

#include <QCommandLineParser>
#include <algorithm>

namespace {

// "0" (no date), or the hex digits of a date text: at least eight, of which
// the reader takes the first nine.
bool isDateText(const QString &text)
{
    const auto isHexDigit = [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    };
    return text == QLatin1String("0")
        || (text.size() >= 8 && std::all_of(text.begin(), text.end(), isHexDigit));
}

}  // namespace

QString DateValueCommand::summary() const
{
    return QStringLiteral("print the day count that a stack-file date text stands for");
}

QString DateValueCommand::help() const
{
    return QStringLiteral("Usage: tsy date-value TEXT\n"
                          "\n"
                          "Reads a stack-file date text as the program does and prints the day count\n"
                          "(days since 30 December 1899) as a decimal number with up to 10 fraction\n"
                          "digits; 0 for the text 0, which is no date. Any other text than 0 must be\n"
                          "8 or more hex digits.\n");
}

int DateValueCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 1))
        return UsageError;
    const QString dateText = parser.positionalArguments().at(0);
    if (!isDateText(dateText))
        return usageError(
            QStringLiteral("'%1' is not a date text (0, or 8 or more hex digits)").arg(dateText));
    QString text = QString::number(ConvertHexDate(dateText), 'f', 10);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    m_out << text << '\n';
    return Success;
}
