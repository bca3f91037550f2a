// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayCount.h"
#include "HexDate.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

// The date text of stack files, both directions.
class TestHexDate : public QObject
{
    Q_OBJECT

private slots:
    void readsTexts_data();
    void readsTexts();
    void writesTexts_data();
    void writesTexts();
    void writtenTextsReadBackWithinASecond_data();
    void writtenTextsReadBackWithinASecond();
    void randomMomentsReadBackWithinASecond();
};

void TestHexDate::readsTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    // Texts that files of old releases hold.
    QTest::newRow("5 Dec 1999 18:06, nine characters") << "8E9312698" << 36499.75416;
    QTest::newRow("eight characters: value read as decimal digits") << "8E931046" << 36499.4166;
    QTest::newRow("short text is no date") << "8E935" << 0.0;
    QTest::newRow("seven characters is no date") << "8E93123" << 0.0;
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("only the first nine characters count") << "8E9312698ABC" << 36499.75416;
    QTest::newRow("nine characters above 99999 read the old way") << "8E93FFFFF" << 36499.1048575;
    QTest::newRow("eight zeros") << "00000000" << 0.0;
    // Texts this release writes.
    QTest::newRow("leading zero kept") << "8E9301046" << 36499.04166;
    QTest::newRow("noon") << "8E930C350" << 36499.5;
    QTest::newRow("midnight") << "8E9300000" << 36499.0;
    QTest::newRow("lower-case hex") << "8e9312698" << 36499.75416;
    // Damaged texts.
    QTest::newRow("letter in the day") << "8G9312698" << 0.0;
    QTest::newRow("blank in the fraction") << "8E93 2698" << 0.0;
    QTest::newRow("sign") << "-E9312698" << 0.0;
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("8E93１2698") << 0.0;
}

void TestHexDate::readsTexts()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(ConvertHexDate(text), expected);
}

void TestHexDate::writesTexts_data()
{
    QTest::addColumn<double>("dayCount");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no date") << 0.0 << "0";
    QTest::newRow("5 Dec 1999 18:06") << 36499.0 + 18.1 / 24 << "8E9312698";
    QTest::newRow("01:00 keeps its leading zero") << 36499.0 + 1.0 / 24 << "8E9301046";
    QTest::newRow("00:30") << 36499.0 + 0.5 / 24 << "8E9300823";
    QTest::newRow("noon") << 36499.5 << "8E930C350";
    QTest::newRow("midnight") << 36499.0 << "8E9300000";
    QTest::newRow("day before 1911 padded to four digits") << 4095.25 << "0FFF061A8";
    QTest::newRow("first day after the epoch") << 1.0 << "000100000";
    QTest::newRow("last writable day") << 65535.75 << "FFFF124F8";
    QTest::newRow("after 2079 kept at the last writable moment") << 70000.5 << "FFFF1869F";
    // The text is the day count's decimal text to 15 significant digits, so
    // digits past that round into the fraction, the day and the whole digits.
    QTest::newRow("last step below a day rounds up to the day") << std::nextafter(36500.0, 0.0) << "8E9400000";
    QTest::newRow("last step below day 10 rounds up to day 10") << std::nextafter(10.0, 0.0) << "000A00000";
    QTest::newRow("below one day, 14 decimals") << 0.999999999999999 << "000100000";
    QTest::newRow("fraction cut, not rounded, at five digits") << 36499.999994 << "8E931869F";
    QTest::newRow("a tenth of a billionth below noon keeps its digits") << 36499.5 - 1e-10 << "8E930C34F";
    QTest::newRow("below the fifteenth digit of noon is noon") << 36499.5 - 2e-11 << "8E930C350";
    QTest::newRow("fourteen decimals below a half day") << 1.5 - 1e-14 << "00010C34F";
    QTest::newRow("half a day after the epoch") << 0.5 << "00000C350";
    QTest::newRow("negative is no date") << -3.5 << "0";
    QTest::newRow("not a number is no date") << std::numeric_limits<double>::quiet_NaN() << "0";
}

void TestHexDate::writesTexts()
{
    QFETCH(double, dayCount);
    QFETCH(QString, expected);
    QCOMPARE(GetHexDate(dayCount), expected);
}

void TestHexDate::writtenTextsReadBackWithinASecond_data()
{
    QTest::addColumn<QDateTime>("moment");

    const QDate day(2024, 2, 29);
    QTest::newRow("midnight") << QDateTime(day, QTime(0, 0));
    QTest::newRow("one second past midnight") << QDateTime(day, QTime(0, 0, 1));
    QTest::newRow("00:30") << QDateTime(day, QTime(0, 30));
    QTest::newRow("01:00") << QDateTime(day, QTime(1, 0));
    QTest::newRow("noon") << QDateTime(day, QTime(12, 0));
    QTest::newRow("18:06") << QDateTime(QDate(1999, 12, 5), QTime(18, 6));
    QTest::newRow("last second of the day") << QDateTime(day, QTime(23, 59, 59));
    QTest::newRow("1911") << QDateTime(QDate(1911, 3, 1), QTime(7, 15, 30));
    QTest::newRow("2079") << QDateTime(QDate(2079, 6, 1), QTime(21, 0, 1));
}

void TestHexDate::writtenTextsReadBackWithinASecond()
{
    QFETCH(QDateTime, moment);
    const double dayCount = DayCount::fromDateTime(moment);
    const QString text = GetHexDate(dayCount);
    QCOMPARE(text.size(), 9);
    const double back = ConvertHexDate(text);
    QVERIFY2(std::abs(back - dayCount) * DayCount::secondsPerDay < 1.0, qPrintable(text));
    QVERIFY(std::abs(DayCount::toDateTime(back).secsTo(moment)) <= 1);
}

void TestHexDate::randomMomentsReadBackWithinASecond()
{
    QRandomGenerator random(20261206);
    for (int i = 0; i < 20000; ++i) {
        const double day = random.bounded(4096, 65535);
        const double seconds = random.bounded(86400);
        const double dayCount = day + seconds / DayCount::secondsPerDay;
        const double back = ConvertHexDate(GetHexDate(dayCount));
        if (std::abs(back - dayCount) * DayCount::secondsPerDay >= 1.0)
            QFAIL(qPrintable(QString("%1 -> %2 -> %3")
                                 .arg(dayCount, 0, 'f', 10)
                                 .arg(GetHexDate(dayCount))
                                 .arg(back, 0, 'f', 10)));
    }
}

QTEST_GUILESS_MAIN(TestHexDate)
#include "TestHexDate.moc"
