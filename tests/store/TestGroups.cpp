// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "URLBlock.h"
#include "store/RecordedHistory.h"

#include <QtTest>

// Group operations on the store and the invariants they keep.
class TestGroups : public QObject
{
    Q_OBJECT

private slots:
    void emptyTableHasOneSpareRecord();
    void newGroupsNumberedByPosition();
    void removeGroup_data();
    void removeGroup();
    void removeUnknownGroupChangesNothing_data();
    void removeUnknownGroupChangesNothing();
    void renameCountsAsChange();
    void changeCountSaturates();
    void clearEmptiesEverything();

private:
    static void checkInvariants(const URLBlock &store);
};

void TestGroups::checkInvariants(const URLBlock &store)
{
    const GroupTable &groups = store.IDXList();
    QCOMPARE(store.nextGroupNumber(), groups.groupCount());
    for (int i = 0; i < groups.groupCount(); ++i)
        QCOMPARE(groups.at(i).number, i);
    const GroupRecord &spare = groups.at(groups.upperBound());
    QVERIFY(spare.name.isEmpty());
    for (const URLData &entry : store.urlDatas())
        QVERIFY(entry.Owner == -1 || groups.isGroup(entry.Owner));
}

void TestGroups::emptyTableHasOneSpareRecord()
{
    URLBlock store;
    QCOMPARE(store.IDXList().upperBound(), 0);
    QVERIFY(store.IDXList().isEmpty());
    store.NewCatagory("News");
    QCOMPARE(store.IDXList().upperBound(), 1);
    QCOMPARE(store.IDXList().at(0).name, QString("News"));
    QCOMPARE(store.IDXList().at(0).number, 0);
    QVERIFY(store.IDXList().at(0).inIndexMask);
    QCOMPARE(store.nextGroupNumber(), 1);
    QCOMPARE(store.changeCount(), 0);  // appending alone is not a change
    checkInvariants(store);
}

void TestGroups::newGroupsNumberedByPosition()
{
    URLBlock store;
    store.addGroup("A");
    checkUndoRedo(store, [&] { store.addGroup("A"); });  // same name: a second, separate group
    store.addGroup("");
    QCOMPARE(store.IDXList().groupCount(), 3);
    QCOMPARE(store.IDXList().at(1).name, QString("A"));
    QCOMPARE(store.IDXList().at(2).number, 2);
    QCOMPARE(store.changeCount(), 3);
    checkInvariants(store);
}

// Groups A, B, C with entries a1 a2 in A, b1 in B, c1 c2 in C, x in no group.
void TestGroups::removeGroup_data()
{
    QTest::addColumn<int>("removed");
    QTest::addColumn<QStringList>("groupsLeft");
    QTest::addColumn<QStringList>("entriesLeft");  // "name:owner" in store order

    QTest::newRow("first group") << 0 << QStringList {"B", "C"}
                                 << QStringList {"b1:0", "c1:1", "x:-1", "c2:1"};
    QTest::newRow("middle group") << 1 << QStringList {"A", "C"}
                                  << QStringList {"a1:0", "c1:1", "a2:0", "x:-1", "c2:1"};
    QTest::newRow("last group") << 2 << QStringList {"A", "B"}
                                << QStringList {"a1:0", "b1:1", "a2:0", "x:-1"};
}

void TestGroups::removeGroup()
{
    QFETCH(int, removed);
    QFETCH(QStringList, groupsLeft);
    QFETCH(QStringList, entriesLeft);

    URLBlock store;
    for (const char *name : {"A", "B", "C"})
        store.NewCatagory(name);
    const QList<QPair<QString, int>> entries
        = {{"a1", 0}, {"b1", 1}, {"c1", 2}, {"a2", 0}, {"x", -1}, {"c2", 2}};
    for (const auto &[name, owner] : entries)
        store.urlDatas().Add(name, "u", owner);

    QCOMPARE(store.entryCountOfGroup(removed), removed == 1 ? 1 : 2);
    // Undone, the group's entries come back in their places, under their
    // keys, and the later groups' entries back to their owners.
    checkUndoRedo(store, [&] { QVERIFY(store.removeGroup(removed)); });

    QStringList names;
    for (int i = 0; i < store.IDXList().groupCount(); ++i)
        names << store.IDXList().at(i).name;
    QCOMPARE(names, groupsLeft);
    QStringList left;
    for (const URLData &entry : store.urlDatas())
        left << entry.Name + ':' + QString::number(entry.Owner);
    QCOMPARE(left, entriesLeft);
    QCOMPARE(store.changeCount(), 1);
    checkInvariants(store);

    // A group made next gets the next free number.
    store.NewCatagory("D");
    QCOMPARE(store.IDXList().at(2).number, 2);
    checkInvariants(store);
}

void TestGroups::removeUnknownGroupChangesNothing_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("negative") << -1;
    QTest::newRow("spare record") << 1;
    QTest::newRow("past the table") << 7;
}

void TestGroups::removeUnknownGroupChangesNothing()
{
    QFETCH(int, number);
    URLBlock store;
    store.NewCatagory("only");
    store.urlDatas().Add("e", "u", 0);
    QVERIFY(!store.removeGroup(number));
    QVERIFY(!store.renameGroup(number, "x"));
    QCOMPARE(store.IDXList().groupCount(), 1);
    QCOMPARE(store.urlDatas().Count(), 1);
    QCOMPARE(store.changeCount(), 0);
}

void TestGroups::renameCountsAsChange()
{
    URLBlock store;
    store.NewCatagory("old");
    checkUndoRedo(store, [&] { QVERIFY(store.renameGroup(0, "new")); });
    QCOMPARE(store.IDXList().at(0).name, QString("new"));
    QCOMPARE(store.changeCount(), 1);
    // The index-mask flag is not counted as a change, but is undone.
    checkUndoRedo(store, [&] { QVERIFY(store.setGroupInIndexMask(0, false)); });
    QVERIFY(!store.IDXList().at(0).inIndexMask);
}

void TestGroups::changeCountSaturates()
{
    URLBlock store;
    for (int i = 0; i < 40000; ++i)
        store.countChange();
    QVERIFY(store.changeCount() >= 40000);  // a 16-bit count would have wrapped negative
    QVERIFY(store.changeCount() > 0);
}

void TestGroups::clearEmptiesEverything()
{
    URLBlock store;
    store.addGroup("A");
    store.urlDatas().Add("e", "u", 0);
    store.clear();
    QCOMPARE(store.IDXList().upperBound(), 0);
    QCOMPARE(store.nextGroupNumber(), 0);
    QCOMPARE(store.changeCount(), 0);
    QCOMPARE(store.urlDatas().Count(), 0);
    QCOMPARE(store.urlDatas().Add("f", "u", -1)->ID(), QString("00001"));
}

QTEST_GUILESS_MAIN(TestGroups)
#include "TestGroups.moc"
