// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayCount.h"
#include "EntryListModel.h"
#include "URLBlock.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

// The entry list's model: rows are keys, texts come from the store.
class TestEntryListModel : public QObject
{
    Q_OBJECT

private slots:
    void rowsFollowEntriesAndKeys();
    void deletedEntryShowsEmptyRow();
    void hugeTextIsCutInCellsOnly_data();
    void hugeTextIsCutInCellsOnly();
    void largeRefillIsOneReset();
};

void TestEntryListModel::rowsFollowEntriesAndKeys()
{
    URLBlock store;
    store.NewCatagory("News");
    URLData *a = store.urlDatas().Add("Alpha", "http://a/", 0);
    URLData *b = store.urlDatas().Add("Beta", "http://b/", 0);
    b->Rated = 3;
    b->Created = DayCount::fromDate(QDate(2024, 1, 2));
    EntryListModel model(store);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    model.setEntries({b, a});
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 7);
    QCOMPARE(model.index(0, 0).data().toString(), QString("Beta"));
    QCOMPARE(model.index(0, 2).data().toString(), QString("High"));
    QCOMPARE(model.index(0, 3).data().toString(), QString("News"));
    QCOMPARE(model.index(0, 4).data().toString(), QString("Never"));
    QCOMPARE(model.index(1, 0).data(EntryListModel::KeyRole).toUInt(), a->keyNumber());
    QCOMPARE(model.headerData(4, Qt::Horizontal).toString(), QString("Last Visited"));
    QCOMPARE(model.keyAt(1), a->keyNumber());

    URLData *c = store.urlDatas().Add("Gamma", "http://c/", 0);
    model.appendEntry(*c);
    QCOMPARE(model.index(2, 0).data().toString(), QString("Gamma"));
    // A row that shows an edited entry shows its new texts.
    store.renameGroup(0, "Headlines");
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.refreshTexts();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.index(1, 3).data().toString(), QString("Headlines"));
}

void TestEntryListModel::deletedEntryShowsEmptyRow()
{
    URLBlock store;
    store.NewCatagory("G");
    URLData *a = store.urlDatas().Add("Alpha", "u", 0);
    EntryListModel model(store);
    model.setEntries({a});
    QVERIFY(store.urlDatas().Delete(QString("00001")));
    QVERIFY(!model.entryAt(0));
    QCOMPARE(model.index(0, 0).data().toString(), QString());
}

void TestEntryListModel::hugeTextIsCutInCellsOnly_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");
    const qsizetype max = EntryListModel::maxShownLength;
    const QString twoMegabytes(2 * 1024 * 1024, u'x');
    QTest::newRow("2 MB title") << twoMegabytes << twoMegabytes.left(max) + QChar(0x2026);
    QTest::newRow("exactly the limit") << QString(max, u'y') << QString(max, u'y');
    // A cut never splits a surrogate pair.
    const QString pairAtCut = QString(max - 1, u'z') + QString::fromUtf8("\xF0\x9F\x98\x80") + "tail";
    QTest::newRow("pair at the cut") << pairAtCut << QString(max - 1, u'z') + QChar(0x2026);
}

void TestEntryListModel::hugeTextIsCutInCellsOnly()
{
    QFETCH(QString, title);
    QFETCH(QString, shown);
    URLBlock store;
    store.NewCatagory("G");
    URLData *entry = store.urlDatas().Add(title, "u", 0);
    EntryListModel model(store);
    model.setEntries({entry});
    QCOMPARE(model.index(0, 0).data().toString(), shown);
    QCOMPARE(model.index(0, 0).data(Qt::ToolTipRole).toString(), shown);
    QCOMPARE(entry->Name, title);
}

void TestEntryListModel::largeRefillIsOneReset()
{
    URLBlock store;
    store.NewCatagory("G");
    std::vector<const URLData *> entries;
    for (int i = 0; i < 50000; ++i)
        entries.push_back(store.urlDatas().Add(QString::number(i), "u", 0));
    EntryListModel model(store);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.setEntries(entries);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(model.rowCount(), 50000);
    QCOMPARE(model.index(49999, 0).data().toString(), QString("49999"));
}

QTEST_GUILESS_MAIN(TestEntryListModel)
#include "TestEntryListModel.moc"
