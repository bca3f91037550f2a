#include "DateValueCommand.h"

#include "HexDate.h"

#include <QCommandLineParser>

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
                          "digits. A text shorter than 8 characters, or one that is not hexadecimal,\n"
                          "is no date: 0.\n");
}

int DateValueCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 1))
        return UsageError;
    QString text = QString::number(ConvertHexDate(parser.positionalArguments().at(0)), 'f', 10);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    m_out << text << '\n';
    return Success;
}
