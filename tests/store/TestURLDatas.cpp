// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "URLDatas.h"

#include <QtTest>
#include <set>
#include <vector>

// The keyed, insertion-ordered collection of entries.
class TestURLDatas : public QObject
{
    Q_OBJECT

private slots:
    void keysFollowAddsAndRemovals_data();
    void keysFollowAddsAndRemovals();
    void newEntryHasEmptyFields();
    void itemByKeyAndPosition_data();
    void itemByKeyAndPosition();
    void invalidIndexLeavesCollection_data();
    void invalidIndexLeavesCollection();
    void keysGoPastSixteenBits();
    void removeIfKeepsOrderAndLookups();
    void removeKeysInOnePass();
    void insertKeysPutsEntriesBack_data();
    void insertKeysPutsEntriesBack();
    void entriesKeepTheirPlaces_data();
    void entriesKeepTheirPlaces();
};

// Operations: "a" adds, "dKEY" deletes by key, "pN" deletes at position N, "c" clears.
// The expected column lists the keys held afterwards, in order.
void TestURLDatas::keysFollowAddsAndRemovals_data()
{
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three adds") << QStringList {"a", "a", "a"} << QStringList {"00001", "00002", "00003"};
    QTest::newRow("deleted key not reused")
        << QStringList {"a", "a", "a", "d00002", "a"} << QStringList {"00001", "00003", "00004"};
    QTest::newRow("deleting the only entry restarts the keys")
        << QStringList {"a", "d00001", "a"} << QStringList {"00001"};
    QTest::newRow("deleting the last of several by position restarts the keys")
        << QStringList {"a", "a", "p2", "p1", "a"} << QStringList {"00001"};
    QTest::newRow("clear restarts the keys") << QStringList {"a", "a", "c", "a"} << QStringList {"00001"};
    QTest::newRow("deleting the newest entry does not reuse its key")
        << QStringList {"a", "a", "d00002", "a"} << QStringList {"00001", "00003"};
}

void TestURLDatas::keysFollowAddsAndRemovals()
{
    QFETCH(QStringList, operations);
    QFETCH(QStringList, expected);

    URLDatas entries;
    for (const QString &op : operations) {
        if (op == "a")
            QVERIFY(entries.Add("t", "u", 0));
        else if (op == "c")
            entries.Clear();
        else if (op.startsWith('d'))
            QVERIFY(entries.Delete(op.mid(1)));
        else if (op.startsWith('p'))
            QVERIFY(entries.Delete(qsizetype(op.mid(1).toInt())));
    }
    QStringList keys;
    for (const URLData &entry : entries)
        keys << entry.ID();
    QCOMPARE(keys, expected);
}

void TestURLDatas::newEntryHasEmptyFields()
{
    URLDatas entries;
    URLData *entry = entries.Add("Title", "http://a", 3);
    QVERIFY(entry);
    QCOMPARE(entry->Name, QString("Title"));
    QCOMPARE(entry->url, QString("http://a"));
    QCOMPARE(entry->Owner, 3);
    QCOMPARE(entry->LastAccesed, 0.0);
    QCOMPARE(entry->Created, 0.0);
    QCOMPARE(entry->Visited, 0);
    QCOMPARE(entry->Rated, quint8(0));
    QCOMPARE(entry->Catagory, quint8(0));
}

void TestURLDatas::itemByKeyAndPosition_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("same");

    // Store: five adds, then "00002" deleted: keys 00001 00003 00004 00005.
    QTest::newRow("first entry") << "00001" << 1 << true;
    QTest::newRow("key 3 is at position 2 after a delete") << "00003" << 2 << true;
    QTest::newRow("key 3 is not position 3") << "00003" << 3 << false;
    QTest::newRow("last entry") << "00005" << 4 << true;
}

void TestURLDatas::itemByKeyAndPosition()
{
    QFETCH(QString, key);
    QFETCH(int, position);
    QFETCH(bool, same);

    URLDatas entries;
    for (int i = 0; i < 5; ++i)
        entries.Add(QString::number(i + 1), "u", 0);
    QVERIFY(entries.Delete(QString("00002")));

    URLData *byKey = entries.Item(key);
    URLData *byPosition = entries.Item(qsizetype(position));
    QVERIFY(byKey);
    QVERIFY(byPosition);
    QCOMPARE(byKey == byPosition, same);
    QCOMPARE(byKey->ID(), key);
}

void TestURLDatas::invalidIndexLeavesCollection_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("position");

    QTest::newRow("unknown key") << "00009" << -1;
    QTest::newRow("deleted key") << "00002" << -1;
    QTest::newRow("key without its leading zeros") << "1" << -1;
    QTest::newRow("key with an extra zero") << "000001" << -1;
    QTest::newRow("key with a blank") << " 00001" << -1;
    QTest::newRow("not a number") << "abc" << -1;
    QTest::newRow("empty key") << "" << -1;
    QTest::newRow("position 0") << QString() << 0;
    QTest::newRow("position past the end") << QString() << 3;
    QTest::newRow("negative position") << QString() << -5;
}

void TestURLDatas::invalidIndexLeavesCollection()
{
    QFETCH(QString, key);
    QFETCH(int, position);

    URLDatas entries;
    entries.Add("a", "u", 0);
    entries.Add("b", "u", 0);
    entries.Add("c", "u", 0);
    QVERIFY(entries.Delete(QString("00002")));

    if (position == -1) {
        QVERIFY(!entries.Item(key));
        QVERIFY(!entries.Delete(key));
    } else {
        QVERIFY(!entries.Item(qsizetype(position)));
        QVERIFY(!entries.Delete(qsizetype(position)));
    }
    QCOMPARE(entries.Count(), 2);
    QCOMPARE(entries.Item(1)->ID(), QString("00001"));
    QCOMPARE(entries.Item(2)->ID(), QString("00003"));
}

// A collection holds more entries than a 16-bit counter could number.
void TestURLDatas::keysGoPastSixteenBits()
{
    URLDatas entries;
    const int count = 40000;
    for (int i = 0; i < count; ++i)
        QVERIFY(entries.Add("t", "u", 0));
    QCOMPARE(entries.Count(), count);
    QCOMPARE(entries.Item(32768)->ID(), QString("32768"));
    QCOMPARE(entries.Item(qsizetype(count))->ID(), QString("40000"));
    QCOMPARE(entries.Item(QString("39999"))->keyNumber(), 39999u);
}

void TestURLDatas::removeIfKeepsOrderAndLookups()
{
    URLDatas entries;
    for (int i = 1; i <= 10; ++i)
        entries.Add(QString::number(i), "u", i % 2);
    QCOMPARE(entries.removeIf([](const URLData &e) { return e.Owner == 0; }), 5);

    QStringList names;
    for (const URLData &entry : entries)
        names << entry.Name;
    QCOMPARE(names, (QStringList {"1", "3", "5", "7", "9"}));
    QCOMPARE(entries.Item(QString("00007"))->Name, QString("7"));
    QVERIFY(!entries.Item(QString("00008")));
    // The counter keeps counting while entries remain.
    QCOMPARE(entries.Add("11", "u", 0)->ID(), QString("00011"));

    entries.removeIf([](const URLData &) { return true; });
    QCOMPARE(entries.Add("x", "u", 0)->ID(), QString("00001"));
}

void TestURLDatas::removeKeysInOnePass()
{
    URLDatas entries;
    for (int i = 1; i <= 6; ++i)
        entries.Add(QString::number(i), "u", 0);
    // Unsorted, with a key that is not there and one named twice.
    QCOMPARE(entries.removeKeys({5, 2, 99, 2}), 2);
    QStringList names;
    for (const URLData &entry : entries)
        names << entry.Name;
    QCOMPARE(names, (QStringList {"1", "3", "4", "6"}));
    QCOMPARE(entries.removeKeys({}), 0);
}

// Entries 2, 3 and 5 of six were removed; keys put back take their places
// by key. A key that is there, 0 or past the largest key is refused.
void TestURLDatas::insertKeysPutsEntriesBack_data()
{
    QTest::addColumn<QList<quint32>>("keys");
    QTest::addColumn<QStringList>("inserted");  // "-" for a key refused
    QTest::addColumn<QString>("order");
    QTest::addColumn<quint32>("lastKey");
    QTest::newRow("all removed, in order") << QList<quint32> {2, 3, 5} << QStringList {"k2", "k3", "k5"}
                                           << "1 2 3 4 5 6" << 6u;
    QTest::newRow("one in the middle") << QList<quint32> {5} << QStringList {"k5"} << "1 4 5 6" << 6u;
    QTest::newRow("before the first and after the last")
        << QList<quint32> {0, 7, 9} << QStringList {"-", "k7", "k9"} << "1 4 6 7 9" << 9u;
    QTest::newRow("a key that is there, one named twice")
        << QList<quint32> {3, 3, 4} << QStringList {"k3", "-", "-"} << "1 3 4 6" << 6u;
    QTest::newRow("past the largest key") << QList<quint32> {URLDatas::maxKeyNumber + 1} << QStringList {"-"}
                                          << "1 4 6" << 6u;
}

void TestURLDatas::insertKeysPutsEntriesBack()
{
    QFETCH(QList<quint32>, keys);
    QFETCH(QStringList, inserted);
    QFETCH(QString, order);
    QFETCH(quint32, lastKey);
    URLDatas entries;
    for (int i = 1; i <= 6; ++i)
        entries.Add(QString::number(i), "u", 0);
    entries.removeKeys({2, 3, 5});
    const std::vector<URLData *> made = entries.insertKeys(std::vector<quint32>(keys.begin(), keys.end()));
    QStringList madeKeys;
    for (URLData *entry : made)
        madeKeys << (entry ? QString("k%1").arg(entry->keyNumber()) : QString("-"));
    QCOMPARE(madeKeys, inserted);
    QStringList keysInOrder;
    for (const URLData &entry : entries)
        keysInOrder << QString::number(entry.keyNumber());
    QCOMPARE(keysInOrder.join(' '), order);
    QCOMPARE(entries.lastKeyNumber(), lastKey);
    // Lookups by key find every entry, put back or not.
    for (const URLData &entry : entries)
        QCOMPARE(entries.Item(entries.positionOfKey(entry.keyNumber())), &entry);
    QCOMPARE(entries.Add("next", "u", 0)->keyNumber(), lastKey + 1);
}

void TestURLDatas::entriesKeepTheirPlaces_data()
{
    QTest::addColumn<int>("first");     // entries added first
    QTest::addColumn<int>("reserved");  // then room reserved for this many in all (0: none)
    QTest::addColumn<int>("more");      // then added
    QTest::newRow("within one block") << 10 << 0 << 10;
    QTest::newRow("over several blocks") << 5000 << 0 << 5000;
    QTest::newRow("reserved beyond the blocks") << 5000 << 20000 << 15000;
    QTest::newRow("reserved, then more than reserved") << 100 << 1000 << 5000;
    QTest::newRow("reserved less than held") << 3000 << 10 << 10;
}

// Entries keep their addresses while others are added, reserved or removed
// (the windows hold pointers to them); a removed entry's place comes back as
// a new, empty entry.
void TestURLDatas::entriesKeepTheirPlaces()
{
    QFETCH(int, first);
    QFETCH(int, reserved);
    QFETCH(int, more);
    URLDatas entries;
    std::vector<URLData *> added;
    const auto add = [&](int count) {
        for (int i = 0; i < count; ++i) {
            URLData *entry = entries.Add(QString::number(added.size()), "u", 0);
            entry->Visited = int(added.size());
            added.push_back(entry);
        }
    };
    add(first);
    if (reserved)
        entries.reserve(reserved);
    add(more);
    QCOMPARE(entries.Count(), first + more);
    for (size_t i = 0; i < added.size(); ++i) {
        QCOMPARE(entries.Item(qsizetype(i) + 1), added[i]);
        QCOMPARE(added[i]->Name, QString::number(i));
        QCOMPARE(added[i]->Visited, int(i));
    }
    // Every other entry removed; the new ones are empty and all the rest stay put.
    QCOMPARE(entries.removeIf([](const URLData &e) { return e.Visited % 2 == 1; }), (first + more) / 2);
    for (int i = 0; i < (first + more) / 2; ++i) {
        URLData *entry = entries.Add("new", "v", 1);
        QCOMPARE(entry->Visited, 0);
        QCOMPARE(entry->Created, 0.0);
        QCOMPARE(entry->Rated, quint8(0));
    }
    QCOMPARE(entries.Count(), first + more);
    for (size_t i = 0; i < added.size(); i += 2)
        QCOMPARE(entries.Item(qsizetype(i / 2) + 1), added[i]);
    for (size_t i = 0; i < added.size(); i += 2)
        QCOMPARE(added[i]->Name, QString::number(i));
    std::set<const URLData *> distinct;
    for (const URLData &entry : entries)
        distinct.insert(&entry);
    QCOMPARE(qsizetype(distinct.size()), entries.Count());
}

QTEST_GUILESS_MAIN(TestURLDatas)
#include "TestURLDatas.moc"
