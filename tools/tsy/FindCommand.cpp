// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FindCommand.h"

#include "DayCount.h"
#include "EntryFind.h"
#include "StackFileStream.h"
#include "ToolStore.h"
#include "URLBlock.h"
#include "WildcardPattern.h"

#include <QCommandLineParser>

namespace {

// The keys of the entries whose titles match, found line by line.
class TitleSearch : public StackFileStream::Edit
{
public:
    explicit TitleSearch(const QString &text)
        : m_pattern(WildcardPattern::containing(text))
    { }

    StackFileStream::EntryFate entry(StackFileStream::EntryLine &line, QString *) override
    {
        if (m_pattern.matches(line.title()))
            keys += URLData::keyText(line.key()) + QLatin1Char('\n');
        return StackFileStream::EntryFate::Keep;
    }

    QString keys;

private:
    WildcardPattern m_pattern;
};

}  // namespace

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
    QString error;
    if (ToolStore::streams()) {
        // Printed once the whole file has been read, as with a loaded store.
        TitleSearch search(text);
        if (!StackFileStream::read(parser.positionalArguments().at(0), search, DayCount::now(), &error))
            return fileError(error);
        m_out << search.keys;
        return Success;
    }
    URLBlock store;
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
