// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateTextCommand.h"

#include "HexDate.h"

#include <QCommandLineParser>

namespace {

// Four hex digits hold the days up to 65535 (4 June 2079).
constexpr double firstUnwritableDay = 65536.0;

}  // namespace

QString DateTextCommand::summary() const
{
    return QStringLiteral("print the stack-file date text of a day count");
}

QString DateTextCommand::help() const
{
    return QStringLiteral("Usage: tsy date-text DAYCOUNT\n"
                          "\n"
                          "Prints the date text that stack files hold for a date: the day as four hex\n"
                          "digits and the first five decimal digits of the time of day as five hex\n"
                          "digits; \"0\" for no date. DAYCOUNT counts days since 30 December 1899, the\n"
                          "fraction being the time of day (36499.7541666667 is 5 December 1999 18:06),\n"
                          "from 0 (no date) to below 65536 (4 June 2079, the last day a text holds).\n");
}

int DateTextCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 1))
        return UsageError;
    bool ok = false;
    const double dayCount = parser.positionalArguments().at(0).toDouble(&ok);
    if (!ok || !(dayCount >= 0.0 && dayCount < firstUnwritableDay))
        return usageError(QStringLiteral("'%1' is not a day count from 0 to below 65536")
                              .arg(parser.positionalArguments().at(0)));
    m_out << GetHexDate(dayCount) << '\n';
    return Success;
}
