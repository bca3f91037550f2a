// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FindCommand.h"

#include "DayCount.h"
#include "EntryFind.h"
#include "QuickOpenIndex.h"
#include "StackFileStream.h"
#include "ToolStore.h"
#include "URLBlock.h"
#include "WildcardPattern.h"

#include <QCommandLineParser>

#include <algorithm>

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

// The keys of the entries that match as quick open matches (url) or as the
// find window does, best first (rank) or in the file's order.
QString rankedKeys(const URLBlock &store, const QString &text, double present, bool url, bool rank)
{
    QuickOpenIndex index;
    index.build(store.urlDatas(), present);
    std::vector<quint32> found;
    if (url) {
        found = index.search(text).keys;
    } else {
        const WildcardPattern pattern = WildcardPattern::containing(text);
        const URLDatas &entries = store.urlDatas();
        for (const quint32 key : index.rankedKeys()) {
            if (pattern.matches(entries.Item(entries.positionOfKey(key))->Name))
                found.push_back(key);
        }
    }
    // Keys are numbered in the file's order.
    if (!rank)
        std::sort(found.begin(), found.end());
    QString out;
    for (const quint32 key : found)
        out += URLData::keyText(key) + QLatin1Char('\n');
    return out;
}

}  // namespace

QString FindCommand::summary() const
{
    return QStringLiteral("print the keys of the entries whose titles hold a text");
}

QString FindCommand::help() const
{
    return QStringLiteral("Usage: tsy find FILE.tsy TEXT [--url] [--rank [--now DAYCOUNT]]\n"
                          "\n"
                          "Prints the key of each entry whose title holds TEXT, one a line, in the\n"
                          "file's order, as Tessaly's find window matches: blanks around TEXT are\n"
                          "removed, case does not count, and * (any run), ? (any character),\n"
                          "# (any digit) and [list] are wildcards. FILE is only read.\n"
                          "\n"
                          "  --url            match as the main window's quick open (Ctrl+K) does:\n"
                          "                   each word of TEXT, in any order, in the title or the\n"
                          "                   address, without regard to case or accents (no\n"
                          "                   wildcards; only the first 256 characters of TEXT count)\n"
                          "  --rank           the best first, as quick open lists them: by visits,\n"
                          "                   last visit and rating (the README gives the score),\n"
                          "                   then by title and key\n"
                          "  --now DAYCOUNT   the present as a day count since 30 December 1899\n"
                          "                   (default: now), for a reproducible --rank\n");
}

int FindCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption url(QStringLiteral("url"));
    const QCommandLineOption rank(QStringLiteral("rank"));
    const QCommandLineOption now(QStringLiteral("now"), QString(), QStringLiteral("DAYCOUNT"));
    parser.addOptions({url, rank, now});
    if (!parse(parser, arguments, 2))
        return UsageError;
    const QString text = parser.positionalArguments().at(1).trimmed();
    if (text.isEmpty())
        return usageError(QStringLiteral("TEXT is empty"));
    double present = DayCount::now();
    if (parser.isSet(now)) {
        bool ok = false;
        present = parser.value(now).toDouble(&ok);
        if (!ok || !(present >= DayCount::minDayCount && present <= DayCount::maxDayCount))
            return usageError(QStringLiteral("--now: '%1' is not a day count").arg(parser.value(now)));
    }
    QString error;
    if (parser.isSet(url) || parser.isSet(rank)) {
        URLBlock store;
        if (!ToolStore::loadStackFile(store, parser.positionalArguments().at(0), false, present, &error))
            return fileError(error);
        m_out << rankedKeys(store, text, present, parser.isSet(url), parser.isSet(rank));
        return Success;
    }
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
