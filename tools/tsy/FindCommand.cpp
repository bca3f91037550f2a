#include "FindCommand.h"

#include "DayCount.h"
#include "EntryFind.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>

QString FindCommand::summary() const
{
    return QStringLiteral("print the keys of the entries whose titles hold a text");
}

QString FindCommand::help() const
{
    return QStringLiteral("Usage: tsy find FILE.tsy TEXT\n"
                          "\n"
                          "Prints the key of each entry whose title holds TEXT, one a line, in the\n"
                          "file's order, as Tessaly's find window matches: blanks around TEXT are\n"
                          "removed, case does not count, and * (any run), ? (any character),\n"
                          "# (any digit) and [list] are wildcards. FILE is only read.\n");
}

int FindCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 2))
        return UsageError;
    const QString text = parser.positionalArguments().at(1).trimmed();
    if (text.isEmpty())
        return usageError(QStringLiteral("TEXT is empty"));
    URLBlock store;
    QString error;
    if (!ToolStore::loadStackFile(store, parser.positionalArguments().at(0), false, DayCount::now(), &error))
        return fileError(error);

    const URLDatas &entries = store.urlDatas();
    const auto titleOf = [&entries](int row) { return entries.Item(qsizetype(row) + 1)->Name; };
    const int rowCount = int(entries.Count());
    QString out;
    for (int row = EntryFind::findRow(rowCount, -1, EntryFind::Direction::Down, titleOf, text); row >= 0;
         row = EntryFind::findRow(rowCount, row, EntryFind::Direction::Down, titleOf, text))
        out += entries.Item(qsizetype(row) + 1)->ID() + QLatin1Char('\n');
    m_out << out;
    return Success;
}
