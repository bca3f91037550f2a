// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CalendarInterval.h"
#include "DayCount.h"

#include <QtTest>

// Calendar arithmetic of the date filters.
class TestCalendarInterval : public QObject
{
    Q_OBJECT

private slots:
    void unitCodes();
    void add_data();
    void add();
    void difference_data();
    void difference();
    void daylightSavingChangesNothing();
    void damagedDatesStayInRange();
};

namespace {

double at(int y, int m, int d, int hour = 0, int minute = 0)
{
    return DayCount::fromDateTime(QDateTime(QDate(y, m, d), QTime(hour, minute)));
}

}  // namespace

void TestCalendarInterval::unitCodes()
{
    QCOMPARE(CalendarInterval::fromCode(0), CalendarInterval::Days);
    QCOMPARE(CalendarInterval::fromCode(1), CalendarInterval::Weeks);
    QCOMPARE(CalendarInterval::fromCode(2), CalendarInterval::Months);
    QCOMPARE(CalendarInterval::fromCode(3), CalendarInterval::Days);
    QCOMPARE(CalendarInterval::fromCode(-1), CalendarInterval::Days);
}

void TestCalendarInterval::add_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("amount");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("expected");

    QTest::newRow("days keep the time") << 0 << 3 << at(2024, 2, 27, 18, 30) << at(2024, 3, 1, 18, 30);
    QTest::newRow("weeks") << 1 << 2 << at(2024, 12, 25, 6) << at(2025, 1, 8, 6);
    QTest::newRow("month clamps to a leap February") << 2 << 1 << at(2024, 1, 31, 9) << at(2024, 2, 29, 9);
    QTest::newRow("month clamps to February") << 2 << 1 << at(2023, 1, 31) << at(2023, 2, 28);
    QTest::newRow("months across a year") << 2 << 3 << at(2023, 11, 30) << at(2024, 2, 29);
    QTest::newRow("negative months") << 2 << -1 << at(2024, 3, 31) << at(2024, 2, 29);
    QTest::newRow("zero") << 2 << 0 << at(2024, 3, 31, 12) << at(2024, 3, 31, 12);
}

void TestCalendarInterval::add()
{
    QFETCH(int, unit);
    QFETCH(int, amount);
    QFETCH(double, from);
    QFETCH(double, expected);
    QCOMPARE(CalendarInterval::add(CalendarInterval::fromCode(unit), amount, from), expected);
}

void TestCalendarInterval::difference_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("same day, different times")
        << 0 << at(2024, 5, 1, 23, 59) << at(2024, 5, 1, 0, 1) << qint64(0);
    QTest::newRow("one minute across midnight is a day")
        << 0 << at(2024, 5, 1, 23, 59) << at(2024, 5, 2, 0, 0) << qint64(1);
    QTest::newRow("days backwards") << 0 << at(2024, 5, 10) << at(2024, 5, 1) << qint64(-9);
    // 2024-06-08 is a Saturday, 2024-06-09 a Sunday.
    QTest::newRow("Saturday to Sunday is a week boundary")
        << 1 << at(2024, 6, 8) << at(2024, 6, 9) << qint64(1);
    QTest::newRow("Sunday to Saturday is none") << 1 << at(2024, 6, 9) << at(2024, 6, 15) << qint64(0);
    QTest::newRow("Sunday to next Sunday") << 1 << at(2024, 6, 9) << at(2024, 6, 16) << qint64(1);
    QTest::newRow("weeks backwards") << 1 << at(2024, 6, 9) << at(2024, 6, 8) << qint64(-1);
    QTest::newRow("weeks before 1900") << 1 << at(1899, 12, 30) << at(1899, 12, 31) << qint64(1);
    QTest::newRow("month end to next month start") << 2 << at(2024, 1, 31) << at(2024, 2, 1) << qint64(1);
    QTest::newRow("same month") << 2 << at(2024, 2, 1) << at(2024, 2, 29) << qint64(0);
    QTest::newRow("across years") << 2 << at(2023, 12, 15) << at(2025, 1, 1) << qint64(13);
    QTest::newRow("months backwards") << 2 << at(2024, 3, 1) << at(2023, 12, 31) << qint64(-3);
}

void TestCalendarInterval::difference()
{
    QFETCH(int, unit);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(qint64, expected);
    QCOMPARE(CalendarInterval::difference(CalendarInterval::fromCode(unit), from, to), expected);
}

// Day counts are local dates and times: a day on which the clocks change is
// as long as any other.
void TestCalendarInterval::daylightSavingChangesNothing()
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const double noon = DayCount::fromDateTime(QDateTime(QDate(2024, 3, 31), QTime(12, 0)));
    const double early = DayCount::fromDateTime(QDateTime(QDate(2024, 3, 31), QTime(0, 30)));
    const QDateTime back = DayCount::toDateTime(noon);
    qputenv("TZ", zone);
    tzset();
    QCOMPARE(noon, DayCount::fromDate(QDate(2024, 3, 31)) + 0.5);
    QCOMPARE(back.time(), QTime(12, 0));
    QCOMPARE(CalendarInterval::difference(CalendarInterval::Days, early, noon + 1), qint64(1));
}

void TestCalendarInterval::damagedDatesStayInRange()
{
    const double huge = 1e300;
    QCOMPARE(CalendarInterval::index(CalendarInterval::Days, huge), qint64(2958465));
    QCOMPARE(CalendarInterval::index(CalendarInterval::Days, -huge), qint64(-657434));
    QCOMPARE(CalendarInterval::index(CalendarInterval::Days, std::numeric_limits<double>::quiet_NaN()), qint64(0));
    QCOMPARE(DayCount::toDate(huge), QDate(9999, 12, 31));
    QVERIFY(CalendarInterval::add(CalendarInterval::Months, 32767, huge) > 0);
}

QTEST_GUILESS_MAIN(TestCalendarInterval)
#include "TestCalendarInterval.moc"
