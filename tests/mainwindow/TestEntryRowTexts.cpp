// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayCount.h"
#include "EntryRowTexts.h"
#include "IsoDateTexts.h"
#include "LocalDays.h"
#include "URLBlock.h"
#include "UtcDayOffsets.h"

#include <QtTest>
#include <cmath>
#include <ctime>

// The column texts of an entry's row.
class TestEntryRowTexts : public QObject
{
    Q_OBJECT

private slots:
    void rowTexts_data();
    void rowTexts();
    void isoDateTextsAcrossTimeZoneChanges_data();
    void isoDateTextsAcrossTimeZoneChanges();
    void exportMomentsAcrossTimeZoneChanges_data();
    void exportMomentsAcrossTimeZoneChanges();
    void importDayCountsAcrossTimeZoneChanges_data();
    void importDayCountsAcrossTimeZoneChanges();
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
    for (int column = 0; column < EntryRowTexts::ColumnCount; ++column) {
        QCOMPARE(rows.text(*entry, column), expected.at(column));
        if (const QString *stored = rows.storedText(*entry, column))
            QCOMPARE(*stored, expected.at(column));
    }
}

// Sets the local time zone for the life of the object.
class LocalZone
{
public:
    explicit LocalZone(const QByteArray &zone)
        : m_previous(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone()
    {
        qputenv("TZ", m_previous);
        tzset();
    }

private:
    QByteArray m_previous;
};

void TestEntryRowTexts::isoDateTextsAcrossTimeZoneChanges_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<double>("dayCount");
    QTest::addColumn<QString>("expected");  // empty: whatever the time zone conversion gives

    const auto at = [](int year, int month, int day, int hour, int minute) {
        return DayCount::fromDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute)));
    };
    // Day counts built from wall-clock times; times inside a skipped hour cannot
    // be built that way.
    const auto wall = [](int year, int month, int day, double hours) {
        return DayCount::fromDate(QDate(year, month, day)) + hours / 24.0;
    };
    const QByteArray berlin = "Europe/Berlin";
    const QByteArray newYork = "America/New_York";
    QTest::newRow("Berlin, day before spring change")
        << berlin << at(2024, 3, 30, 12, 0) << "2024-03-30 12:00:00";
    QTest::newRow("Berlin, before the skipped hour")
        << berlin << wall(2024, 3, 31, 1.5) << "2024-03-31 01:30:00";
    QTest::newRow("Berlin, inside the skipped hour") << berlin << wall(2024, 3, 31, 2.5) << QString();
    QTest::newRow("Berlin, after the skipped hour")
        << berlin << wall(2024, 3, 31, 3.5) << "2024-03-31 03:30:00";
    QTest::newRow("Berlin, inside the repeated hour")
        << berlin << wall(2024, 10, 27, 2.5) << "2024-10-27 02:30:00";
    QTest::newRow("Berlin, summer") << berlin << wall(2024, 7, 1, 23.0) << "2024-07-01 23:00:00";
    QTest::newRow("Berlin, rounded into the change day")
        << berlin << wall(2024, 3, 31, 0.0) - 0.1 / 86400.0 << "2024-03-31 00:00:00";
    QTest::newRow("Berlin, before 1970") << berlin << wall(1947, 4, 6, 3.5) << QString();
    QTest::newRow("New York, inside the skipped hour") << newYork << wall(2024, 3, 10, 2.5) << QString();
    QTest::newRow("New York, after the skipped hour")
        << newYork << wall(2024, 3, 10, 3.25) << "2024-03-10 03:15:00";
    QTest::newRow("New York, inside the repeated hour")
        << newYork << wall(2024, 11, 3, 1.5) << "2024-11-03 01:30:00";
    QTest::newRow("New York, the day after the repeated hour")
        << newYork << wall(2024, 11, 4, 1.5) << "2024-11-04 01:30:00";
    QTest::newRow("New York, winter") << newYork << wall(2025, 1, 15, 6.0) << "2025-01-15 06:00:00";
    const QByteArray lordHowe = "Australia/Lord_Howe";  // changes by half an hour
    QTest::newRow("Lord Howe, inside the skipped half hour") << lordHowe << wall(2024, 10, 6, 2.25) << QString();
    QTest::newRow("Lord Howe, after the skipped half hour")
        << lordHowe << wall(2024, 10, 6, 2.75) << "2024-10-06 02:45:00";
    QTest::newRow("Lord Howe, inside the repeated half hour")
        << lordHowe << wall(2024, 4, 7, 1.75) << "2024-04-07 01:45:00";
    QTest::newRow("Lord Howe, after the repeated half hour")
        << lordHowe << wall(2024, 4, 7, 23.5) << "2024-04-07 23:30:00";
    QTest::newRow("Berlin, repeated hour of 1916") << berlin << wall(1916, 10, 1, 0.5) << QString();
    const QByteArray rule = "CET-1CEST,M3.5.0,M10.5.0/3";  // a rule instead of a zone name
    QTest::newRow("rule, inside the skipped hour") << rule << wall(2024, 3, 31, 2.5) << QString();
    QTest::newRow("rule, after the skipped hour") << rule << wall(2024, 3, 31, 3.5) << "2024-03-31 03:30:00";
    QTest::newRow("rule, inside the repeated hour") << rule << wall(2024, 10, 27, 2.5) << "2024-10-27 02:30:00";
    QTest::newRow("UTC, no changes") << QByteArray("UTC") << wall(2024, 3, 31, 2.5) << "2024-03-31 02:30:00";
    QTest::newRow("New York, first day of year 100") << newYork << DayCount::minDayCount << QString();
    QTest::newRow("New York, last second of 9999") << newYork << DayCount::maxDayCount << QString();
}

// The fast texts tsy list uses are the time zone conversion's, on every side of
// a daylight-saving change, in two zones.
void TestEntryRowTexts::isoDateTextsAcrossTimeZoneChanges()
{
    QFETCH(QByteArray, zone);
    QFETCH(double, dayCount);
    QFETCH(QString, expected);

    const LocalZone local(zone);
    const QString reference = EntryRowTexts::isoDateText(dayCount);
    if (!expected.isEmpty())
        QCOMPARE(reference, expected);
    IsoDateTexts dates;
    // The day's first text decides how the day is written; later ones reuse that.
    const double noon = std::floor(dayCount) + 0.5;
    QCOMPARE(dates.text(noon), EntryRowTexts::isoDateText(noon));
    QCOMPARE(dates.text(dayCount), reference);
    QCOMPARE(dates.text(dayCount + 1.0), EntryRowTexts::isoDateText(dayCount + 1.0));
    // Days far apart that share a place among the recent days, and back.
    for (const double later : {dayCount + 4096.0, dayCount})
        QCOMPARE(dates.text(later), EntryRowTexts::isoDateText(later));
}

void TestEntryRowTexts::exportMomentsAcrossTimeZoneChanges_data()
{
    isoDateTextsAcrossTimeZoneChanges_data();
}

// The moments tsy export-html writes, taken from the table of days, are the
// time zone conversion's of each date in turn: on every side of a change, and
// in the hour shown twice the moment of the offset the date before it had,
// a week before the change or a week after, also when that date's day was
// already in the table.
void TestEntryRowTexts::exportMomentsAcrossTimeZoneChanges()
{
    QFETCH(QByteArray, zone);
    QFETCH(double, dayCount);

    const LocalZone local(zone);
    const double before = dayCount - 7.0;
    const double after = dayCount + 7.0;
    const QList<double> dates {after,          before, after, dayCount, before, dayCount, std::floor(dayCount) + 0.5,
                               dayCount + 1.0, dayCount - 1.0, dayCount + 4096.0, after, dayCount};
    const auto text = [](std::optional<qint64> ms) { return ms ? QString::number(*ms) : QStringLiteral("invalid"); };
    QStringList expected;
    for (const double date : dates) {
        const QDateTime time = DayCount::toDateTimeMs(date);
        expected << text(time.isValid() ? std::optional<qint64>(time.toMSecsSinceEpoch()) : std::nullopt);
    }
    LocalDays days;
    QStringList moments;
    for (const double date : dates)
        moments << text(days.msSinceEpoch(date));
    QCOMPARE(moments, expected);
}

void TestEntryRowTexts::importDayCountsAcrossTimeZoneChanges_data()
{
    isoDateTextsAcrossTimeZoneChanges_data();
}

// The day counts tsy import-html makes of a file's moments, with the offsets
// of whole UTC days, are the time zone conversion's: every quarter hour of
// the two days around the date, and a millisecond either side of the next
// change of offset from there.
void TestEntryRowTexts::importDayCountsAcrossTimeZoneChanges()
{
    QFETCH(QByteArray, zone);
    QFETCH(double, dayCount);

    const LocalZone local(zone);
    const QTimeZone localZone = QTimeZone::systemTimeZone();
    QVERIFY(localZone.isValid());
    constexpr qint64 msPerDay = 86400000;
    const qint64 around = qint64(std::floor(dayCount - DayCount::fromDate(QDate(1970, 1, 1)))) * msPerDay;
    QList<qint64> moments;
    for (qint64 ms = around - msPerDay; ms <= around + msPerDay; ms += msPerDay / 96)
        moments << ms;
    const QTimeZone::OffsetData change
        = localZone.nextTransition(QDateTime::fromMSecsSinceEpoch(around - msPerDay, QTimeZone::utc()));
    if (change.atUtc.isValid()) {
        const qint64 at = change.atUtc.toMSecsSinceEpoch();
        moments << at - 1 << at << at + 1;
    }
    UtcDayOffsets offsets(localZone);
    for (const qint64 ms : moments) {
        const QDateTime moment = QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
        const QString expected = QString::number(DayCount::fromMoment(moment, localZone), 'g', 17);
        QCOMPARE(QString::number(offsets.dayCount(moment), 'g', 17), expected);
    }
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
