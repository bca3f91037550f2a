#include "DayCount.h"
#include "EntryRowTexts.h"
#include "URLBlock.h"

#include <QtTest>

// The column texts of an entry's row.
class TestEntryRowTexts : public QObject
{
    Q_OBJECT

private slots:
    void rowTexts_data();
    void rowTexts();
    void headers();
    void generalDateShowsTimeUnlessMidnight();
};

void TestEntryRowTexts::rowTexts_data()
{
    QTest::addColumn<int>("owner");
    QTest::addColumn<int>("rated");
    QTest::addColumn<double>("lastAccessed");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("visited entry")
        << 1 << 2 << 36500.5
        << QStringList {"T", "U", "Medium", "News", "1999-12-06 12:00:00", "1999-12-05 18:05:59", "7"};
    QTest::newRow("never visited") << 0 << 0 << 0.0 << QStringList {"T",    "U",     "Not Rated",
                                                                    "Misc", "Never", "1999-12-05 18:05:59",
                                                                    "7"};
    QTest::newRow("negative date counts as never")
        << 0 << 4 << -1.0 << QStringList {"T", "U", "V.High", "Misc", "Never", "1999-12-05 18:05:59", "7"};
    QTest::newRow("rating 5 has no word")
        << 0 << 5 << 0.0 << QStringList {"T", "U", "", "Misc", "Never", "1999-12-05 18:05:59", "7"};
    QTest::newRow("rating beyond 5 has no word")
        << 0 << 200 << 0.0 << QStringList {"T", "U", "", "Misc", "Never", "1999-12-05 18:05:59", "7"};
    QTest::newRow("no group") << -1 << 1 << 0.0
                              << QStringList {"T", "U", "Low", "", "Never", "1999-12-05 18:05:59", "7"};
    QTest::newRow("group past the table")
        << 2 << 3 << 0.0 << QStringList {"T", "U", "High", "", "Never", "1999-12-05 18:05:59", "7"};
}

void TestEntryRowTexts::rowTexts()
{
    QFETCH(int, owner);
    QFETCH(int, rated);
    QFETCH(double, lastAccessed);
    QFETCH(QStringList, expected);

    URLBlock store;
    store.NewCatagory("Misc");
    store.NewCatagory("News");
    URLData *entry = store.urlDatas().Add("T", "U", owner);
    entry->Rated = quint8(rated);
    entry->LastAccesed = lastAccessed;
    entry->Created = 36499.75416;
    entry->Visited = 7;

    const EntryRowTexts rows(store.IDXList(), &EntryRowTexts::isoDateText);
    QCOMPARE(rows.texts(*entry), expected);
    for (int column = 0; column < EntryRowTexts::ColumnCount; ++column)
        QCOMPARE(rows.text(*entry, column), expected.at(column));
}

void TestEntryRowTexts::headers()
{
    QCOMPARE(EntryRowTexts::headers(),
             (QStringList {"Title", "URL", "Rated", "Group", "Last Visited", "Created", "Visited"}));
}

void TestEntryRowTexts::generalDateShowsTimeUnlessMidnight()
{
    const QDate date(2024, 3, 7);
    const QString midnight = EntryRowTexts::generalDateText(DayCount::fromDate(date));
    QCOMPARE(midnight, QLocale().toString(date, QLocale::ShortFormat));
    const QString evening = EntryRowTexts::generalDateText(DayCount::fromDate(date) + 0.75);
    QVERIFY2(evening.startsWith(midnight + ' '), qPrintable(evening));
    QVERIFY2(evening.contains("18:00:00") || evening.contains("6:00:00"), qPrintable(evening));
}

QTEST_GUILESS_MAIN(TestEntryRowTexts)
#include "TestEntryRowTexts.moc"
