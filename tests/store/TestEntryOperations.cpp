// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The commands on entries by key, the entry lists' sort and find, the rule
// for which addresses are opened, the desktop opener, and shortcut files.

#include "EntryFind.h"
#include "EntryOperations.h"
#include "EntrySort.h"
#include "TestEnvironment.h"
#include "URLBlock.h"
#include "store/RecordedHistory.h"

#include <QRandomGenerator>
#include <QtTest>
#include <limits>
#include <set>

using namespace TestEnvironment;
using Keys = QList<quint32>;

namespace {

struct Fields
{
    const char *title;
    const char *url;
    int owner;
    int rated;
    double last;
    double created;
    int visited;
};

// Groups News, tech, Arts. Entries 2 and 3 look alike (their titles differ
// only in case); entry 5 belongs to no group.
void fill(URLBlock &store)
{
    for (const char *name : {"News", "tech", "Arts"})
        store.NewCatagory(QString::fromLatin1(name));
    const Fields entries[] = {{"beta", "https://Z.example/", 0, 2, 0, 100, 9},
                              {"Alpha", "http://a.example/", 1, 4, 300, 200, 10},
                              {"alpha", "http://a.example/", 1, 4, 300, 200, 10},
                              {"Gamma", "ftp://m.example/", 2, 0, 250, 50, 0},
                              {"delta", "HTTP://c.example/", -1, 2, 0, 300, 1000}};
    for (const Fields &f : entries) {
        URLData *entry
            = store.urlDatas().Add(QString::fromLatin1(f.title), QString::fromLatin1(f.url), f.owner);
        entry->Rated = quint8(f.rated);
        entry->LastAccesed = f.last;
        entry->Created = f.created;
        entry->Visited = f.visited;
    }
}

// Each entry as "key:rated:owner:visited:last".
QString summary(const URLBlock &store)
{
    QStringList lines;
    for (const URLData &e : store.urlDatas())
        lines << QStringLiteral("%1:%2:%3:%4:%5")
                     .arg(e.keyNumber())
                     .arg(e.Rated)
                     .arg(e.Owner)
                     .arg(e.Visited)
                     .arg(e.LastAccesed);
    return lines.join(' ');
}

std::vector<quint32> vectorOf(const Keys &keys)
{
    return std::vector<quint32>(keys.begin(), keys.end());
}

const QString fresh = QStringLiteral("1:2:0:9:0 2:4:1:10:300 3:4:1:10:300 4:0:2:0:250 5:2:-1:1000:0");

}  // namespace

class TestEntryOperations : public QObject
{
    Q_OBJECT

private slots:
    void operations_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<int>("argument");
        QTest::addColumn<int>("found");
        QTest::addColumn<QString>("after");
        QTest::newRow("remove scattered")
            << "remove" << Keys {4, 1} << 0 << 2 << "2:4:1:10:300 3:4:1:10:300 5:2:-1:1000:0";
        QTest::newRow("remove adjacent")
            << "remove" << Keys {2, 3} << 0 << 2 << "1:2:0:9:0 4:0:2:0:250 5:2:-1:1000:0";
        QTest::newRow("remove skips a key that names no entry")
            << "remove" << Keys {99, 3} << 0 << 1 << "1:2:0:9:0 2:4:1:10:300 4:0:2:0:250 5:2:-1:1000:0";
        QTest::newRow("remove nothing") << "remove" << Keys {} << 0 << 0 << fresh;
        QTest::newRow("rate changes the entry of the key, not its look-alike")
            << "rate" << Keys {3} << 1 << 1
            << "1:2:0:9:0 2:4:1:10:300 3:1:1:10:300 4:0:2:0:250 5:2:-1:1000:0";
        QTest::newRow("rate scattered, one gone")
            << "rate" << Keys {5, 99, 1} << 0 << 2
            << "1:0:0:9:0 2:4:1:10:300 3:4:1:10:300 4:0:2:0:250 5:0:-1:1000:0";
        QTest::newRow("rate 5 is out of range") << "rate" << Keys {1} << 5 << 0 << fresh;
        QTest::newRow("rate -1 is out of range") << "rate" << Keys {1} << -1 << 0 << fresh;
        QTest::newRow("move into the last group")
            << "move" << Keys {1, 5} << 2 << 2
            << "1:2:2:9:0 2:4:1:10:300 3:4:1:10:300 4:0:2:0:250 5:2:2:1000:0";
        QTest::newRow("move into no group") << "move" << Keys {1} << 3 << 0 << fresh;
        QTest::newRow("move into group -1") << "move" << Keys {1} << -1 << 0 << fresh;
        QTest::newRow("visit counts and dates the visit")
            << "visit" << Keys {2} << 500 << 1
            << "1:2:0:9:0 2:4:1:11:500 3:4:1:10:300 4:0:2:0:250 5:2:-1:1000:0";
        QTest::newRow("visit of a gone entry") << "visit" << Keys {99} << 500 << 0 << fresh;
    }

    // What each command changes, and how many entries it found.
    void operations()
    {
        QFETCH(QString, operation);
        QFETCH(Keys, keys);
        QFETCH(int, argument);
        QFETCH(int, found);
        QFETCH(QString, after);
        URLBlock store;
        fill(store);
        qsizetype result = -1;
        // Each is undone to the store before and redone to the store after.
        checkUndoRedo(store, [&] {
            if (operation == "remove")
                result = EntryOperations::remove(store, vectorOf(keys));
            else if (operation == "rate")
                result = EntryOperations::rate(store, vectorOf(keys), argument);
            else if (operation == "move")
                result = EntryOperations::move(store, vectorOf(keys), argument);
            else
                result = EntryOperations::visit(store, keys.first(), argument) ? 1 : 0;
        });
        QCOMPARE(result, found);
        QCOMPARE(summary(store), after);
        QCOMPARE(store.changeCount(), 0);  // the caller counts the command
    }

    void unknownKeysInListOrder()
    {
        URLBlock store;
        fill(store);
        QCOMPARE(EntryOperations::unknownKeys(store, {5, 100, 1, 0, 99}),
                 (std::vector<quint32> {100, 0, 99}));
    }

    void visitSaturates()
    {
        URLBlock store;
        fill(store);
        store.urlDatas().Item(1)->Visited = std::numeric_limits<qint32>::max();
        QVERIFY(EntryOperations::visit(store, 1, 7.5));
        QCOMPARE(store.urlDatas().Item(1)->Visited, std::numeric_limits<qint32>::max());
        QCOMPARE(store.urlDatas().Item(1)->LastAccesed, 7.5);
    }

    void add_data()
    {
        QTest::addColumn<int>("groups");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("rating");
        QTest::addColumn<bool>("added");
        QTest::addColumn<int>("catagory");
        QTest::newRow("last group, high") << 3 << 2 << 3 << true << 2;
        QTest::newRow("first group, not rated") << 3 << 0 << 0 << true << 0;
        QTest::newRow("past the groups") << 3 << 3 << 0 << false << 0;
        QTest::newRow("no group") << 3 << -1 << 0 << false << 0;
        QTest::newRow("rating 5") << 3 << 1 << 5 << false << 0;
        QTest::newRow("rating -1") << 3 << 1 << -1 << false << 0;
        QTest::newRow("group past a byte: category kept at 255") << 301 << 300 << 4 << true << 255;
    }

    // A new entry: created now, never visited, its category its group's position.
    void add()
    {
        QFETCH(int, groups);
        QFETCH(int, group);
        QFETCH(int, rating);
        QFETCH(bool, added);
        QFETCH(int, catagory);
        URLBlock store;
        fill(store);
        for (int i = 3; i < groups; ++i)
            store.NewCatagory(QString::number(i));
        const QString title(1 << 20, QChar(0x01));  // a 1 MB title of control characters
        const URLData *entry = nullptr;
        checkUndoRedo(store, [&] { entry = EntryOperations::add(store, {title, " http://n/ ", group, rating}, 45000.25); });
        if (entry)
            entry = store.urlDatas().Item(store.urlDatas().Count());  // the one put back by the redo
        QCOMPARE(entry != nullptr, added);
        QCOMPARE(store.urlDatas().Count(), added ? 6 : 5);
        if (!added)
            return;
        QCOMPARE(entry->keyNumber(), 6u);
        QCOMPARE(entry->Name, title);
        QCOMPARE(entry->url, " http://n/ ");
        QCOMPARE(entry->Owner, group);
        QCOMPARE(int(entry->Rated), rating);
        QCOMPARE(int(entry->Catagory), catagory);
        QCOMPARE(entry->Created, 45000.25);
        QCOMPARE(entry->LastAccesed, 0.0);
        QCOMPARE(entry->Visited, 0);
    }

    void edit_data()
    {
        QTest::addColumn<quint32>("key");
        QTest::addColumn<QString>("title");  // "-": not changed
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("rating");  // -9: not changed
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("after");  // "title|url|rated|owner"
        QTest::newRow("title only") << 3u << "New"
                                    << "-" << -9 << -9 << true << "New|http://a.example/|4|1";
        QTest::newRow("address only") << 3u << "-"
                                      << "u" << -9 << -9 << true << "alpha|u|4|1";
        QTest::newRow("rating 0 and group 0") << 3u << "-"
                                              << "-" << 0 << 0 << true << "alpha|http://a.example/|0|0";
        QTest::newRow("everything, empty texts") << 3u << ""
                                                 << "" << 1 << 2 << true << "||1|2";
        QTest::newRow("rating 5 changes nothing") << 3u << "New"
                                                  << "-" << 5 << -9 << false << "alpha|http://a.example/|4|1";
        QTest::newRow("group 3 changes nothing") << 3u << "New"
                                                 << "-" << -9 << 3 << false << "alpha|http://a.example/|4|1";
        QTest::newRow("gone entry") << 99u << "New"
                                    << "-" << -9 << -9 << false << "alpha|http://a.example/|4|1";
    }

    // An edit never changes the dates or the count, nor another entry.
    void edit()
    {
        QFETCH(quint32, key);
        QFETCH(QString, title);
        QFETCH(QString, url);
        QFETCH(int, rating);
        QFETCH(int, group);
        QFETCH(bool, changed);
        QFETCH(QString, after);
        URLBlock store;
        fill(store);
        EntryOperations::EntryChange change;
        if (title != "-")
            change.title = title;
        if (url != "-")
            change.url = url;
        if (rating != -9)
            change.rating = rating;
        if (group != -9)
            change.group = group;
        checkUndoRedo(store, [&] { QCOMPARE(EntryOperations::edit(store, key, change), changed); });
        const URLData &e = *store.urlDatas().Item(3);
        QCOMPARE(QStringList({e.Name, e.url, QString::number(e.Rated), QString::number(e.Owner)}).join('|'),
                 after);
        QCOMPARE(QList<double>({e.LastAccesed, e.Created, double(e.Visited)}), QList<double>({300, 200, 10}));
        QCOMPARE(store.urlDatas().Item(2)->Name, "Alpha");
    }

    // Undo leaves nothing to save once back at the count of the loaded or
    // saved store, and counts a change where the store then differs from what
    // was saved; a field that something else changed since is kept.
    void undoKeepsCountAndLaterChanges_data()
    {
        QTest::addColumn<QString>("between");  // what happens after the command
        QTest::addColumn<int>("countAfterUndo");
        QTest::addColumn<int>("countAfterRedo");
        QTest::addColumn<QString>("afterUndo");
        QTest::newRow("nothing") << "" << 0 << 1 << fresh;
        QTest::newRow("saved") << "save" << 1 << 2 << fresh;
        QTest::newRow("visited: the visit stays")
            << "visit" << 3 << 4 << "1:2:0:10:500 2:4:1:10:300 3:4:1:10:300 4:0:2:0:250 5:2:-1:1000:0";
    }

    void undoKeepsCountAndLaterChanges()
    {
        QFETCH(QString, between);
        QFETCH(int, countAfterUndo);
        QFETCH(int, countAfterRedo);
        QFETCH(QString, afterUndo);
        URLBlock store;
        fill(store);
        RecordedHistory history;
        {
            const StoreRecording recording(store, &history, "Rate");
            EntryOperations::rate(store, {1}, 0);
            store.countChange();
        }
        if (between == "save")
            store.resetChangeCount();
        else if (between == "visit")
            EntryOperations::visit(store, 1, 500), store.countChange();
        QCOMPARE(history.changes.size(), size_t(1));
        history.changes.front().undo(store);
        QCOMPARE(summary(store), afterUndo);
        QCOMPARE(store.changeCount(), countAfterUndo);
        history.changes.front().redo(store);
        QCOMPARE(store.changeCount(), countAfterRedo);
        QCOMPARE(store.urlDatas().Item(1)->Rated, quint8(0));
    }

    // A recording inside another is part of it; a command that changed
    // nothing (a merge taken back) leaves no step.
    void nestedAndEmptyRecordings()
    {
        URLBlock store;
        fill(store);
        RecordedHistory history;
        {
            const StoreRecording outer(store, &history, "Edit");
            EntryOperations::rate(store, {2}, 1);
            const StoreRecording inner(store, &history, "Move");
            EntryOperations::move(store, {2}, 0);
        }
        QCOMPARE(history.names, QStringList {"Edit"});
        QVERIFY(!history.isRecording());
        {
            const StoreRecording recording(store, &history, "Merge");
            const URLBlock::Mark mark = store.mark();
            store.addGroup("Merged");
            store.urlDatas().Add("m", "u", 3);
            store.takeBackTo(mark);
        }
        QCOMPARE(history.names, QStringList {"Edit"});
        history.changes.front().undo(store);
        QCOMPARE(summary(store), fresh);
    }

    void sort_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<Keys>("sorted");
        const Keys order {1, 2, 3, 4, 5, 99}, backwards {99, 5, 4, 3, 2, 1};
        // Key 99 names no entry: last in both orders. Equal values keep their order.
        QTest::newRow("title A-Z, case ignored") << 0 << false << order << Keys {2, 3, 1, 5, 4, 99};
        QTest::newRow("title A-Z, stable") << 0 << false << backwards << Keys {3, 2, 1, 5, 4, 99};
        QTest::newRow("title Z-A") << 0 << true << order << Keys {4, 5, 1, 2, 3, 99};
        QTest::newRow("URL A-Z") << 1 << false << order << Keys {4, 2, 3, 5, 1, 99};
        QTest::newRow("URL Z-A") << 1 << true << backwards << Keys {1, 5, 3, 2, 4, 99};
        QTest::newRow("rating highest first") << 2 << false << order << Keys {2, 3, 1, 5, 4, 99};
        QTest::newRow("rating lowest first") << 2 << true << backwards << Keys {4, 5, 1, 3, 2, 99};
        QTest::newRow("group name A-Z, no group first") << 3 << false << order << Keys {5, 4, 1, 2, 3, 99};
        QTest::newRow("group name Z-A") << 3 << true << order << Keys {2, 3, 1, 4, 5, 99};
        QTest::newRow("last visit newest first, Never last")
            << 4 << false << order << Keys {2, 3, 4, 1, 5, 99};
        QTest::newRow("last visit Never first") << 4 << true << order << Keys {1, 5, 4, 2, 3, 99};
        QTest::newRow("created newest first") << 5 << false << order << Keys {5, 2, 3, 1, 4, 99};
        QTest::newRow("created oldest first") << 5 << true << order << Keys {4, 1, 2, 3, 5, 99};
        QTest::newRow("visits by number: 1000 above 10 above 9")
            << 6 << false << order << Keys {5, 2, 3, 1, 4, 99};
        QTest::newRow("visits fewest first") << 6 << true << order << Keys {4, 1, 2, 3, 5, 99};
        QTest::newRow("no such column: unchanged") << 7 << false << backwards << backwards;
    }

    void sort()
    {
        QFETCH(int, column);
        QFETCH(bool, reversed);
        QFETCH(Keys, keys);
        QFETCH(Keys, sorted);
        URLBlock store;
        fill(store);
        std::vector<quint32> rows = vectorOf(keys);
        EntrySort::sort(rows, store, column, reversed);
        QCOMPARE(Keys(rows.begin(), rows.end()), sorted);
    }

    // Titles sorted either way are in the order of the case-insensitive
    // comparison (or its reverse), equal titles in their previous order:
    // accents, signs between the cases, characters beyond 16 bits and U+0000
    // included. The generated titles share long beginnings, repeat, and end
    // around every multiple of eight bytes, so the sort splits them at many
    // depths rather than only comparing a few.
    void titleOrderIsCaseInsensitiveOrder_data()
    {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<bool>("reversed");
        const QStringList few {"\u00e9cole", "Zeta",   "_x",     "\u00c9COLE", "a",          "\U0001F600",
                               "\u01c5",     "\u01c6", "\u00df", "SS",         "\U00010400", "\U00010428a",
                               "",           "zeta!",  "ZETA",   "\U00010400b"};
        QStringList pieces {"https://Host.example/",
                            "https://host.EXAMPLE/",
                            "path/a",
                            "\u00c9cole",
                            "\u00e9COLE",
                            "_",
                            "\U00010400",
                            "\u00df",
                            "SS",
                            "x",
                            "X1"};
        pieces << QString(QChar(0));
        QRandomGenerator random(7);
        QStringList many;
        for (int i = 0; i < 3000; ++i) {
            QString title;
            for (int count = random.bounded(1, 6); count > 0; --count)
                title += pieces[random.bounded(int(pieces.size()))];
            many << title;
        }
        QTest::newRow("few A-Z") << few << false;
        QTest::newRow("few Z-A") << few << true;
        QTest::newRow("many A-Z") << many << false;
        QTest::newRow("many Z-A") << many << true;
    }

    void titleOrderIsCaseInsensitiveOrder()
    {
        QFETCH(QStringList, titles);
        QFETCH(bool, reversed);
        URLBlock store;
        store.NewCatagory("G");
        std::vector<quint32> keys;
        for (const QString &title : titles)
            keys.push_back(store.urlDatas().Add(title, "u", 0)->keyNumber());
        EntrySort::sort(keys, store, 0, reversed);
        QCOMPARE(keys.size(), size_t(titles.size()));
        QCOMPARE(std::set<quint32>(keys.begin(), keys.end()).size(), keys.size());
        for (size_t i = 1; i < keys.size(); ++i) {
            const QString &a = store.urlDatas().Item(qsizetype(keys[i - 1]))->Name;
            const QString &b = store.urlDatas().Item(qsizetype(keys[i]))->Name;
            const int order = QString::compare(a, b, Qt::CaseInsensitive) * (reversed ? -1 : 1);
            QVERIFY2(order < 0 || (order == 0 && keys[i - 1] < keys[i]), qPrintable(a + " / " + b));
        }
    }

    void sortMenuItems()
    {
        QList<int> columns;
        QList<bool> valueColumns;
        for (int item = -1; item <= 9; ++item)
            columns << EntrySort::columnOfSortItem(item);
        for (int column = 0; column < 7; ++column)
            valueColumns << EntrySort::isValueColumn(column);
        QCOMPARE(columns, QList<int>({-1, 0, 2, 6, 4, -1, 1, 5, 3, -1, -1}));
        QCOMPARE(valueColumns, QList<bool>({false, false, true, false, true, true, true}));
    }

    void find_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("found");
        QTest::newRow("down from the first row") << 0 << 0 << "news" << 2;
        QTest::newRow("down from the last row: nothing") << 4 << 0 << "news" << -1;
        QTest::newRow("up from the last row") << 4 << 1 << "NEWS" << 2;
        QTest::newRow("up from the first row: nothing") << 0 << 1 << "news" << -1;
        QTest::newRow("down before the first row") << -1 << 0 << "news" << 0;
        QTest::newRow("wildcards inside the text") << 0 << 0 << "n?ws a#" << 2;
        QTest::newRow("the start row itself is skipped") << 2 << 0 << "archive" << -1;
        QTest::newRow("empty text") << -1 << 0 << "" << -1;
        QTest::newRow("unclosed list matches nothing") << -1 << 0 << "[a" << -1;
    }

    void find()
    {
        QFETCH(int, start);
        QFETCH(int, direction);
        QFETCH(QString, text);
        QFETCH(int, found);
        const QStringList titles {"News today", "Sports", "old news a1 archive", "Weather", "Newsletter"};
        const auto titleOf = [&](int row) { return titles.at(row); };
        QCOMPARE(
            EntryFind::findRow(int(titles.size()), start, EntryFind::Direction(direction), titleOf, text),
            found);
    }
};

QTEST_GUILESS_MAIN(TestEntryOperations)
#include "TestEntryOperations.moc"
