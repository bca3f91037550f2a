// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pieces the XBEL reader is made of, held to what they stand for: the
// classes of bytes its scanning loops stop at (sixteen at a step and one at
// a time), and the dates and numbers it reads without Qt's parsers.

#include "XbelValues.h"
#include "XmlByteScan.h"

#include <QtTest>
#include <functional>
#include <optional>

using XmlByteScan::Run;

namespace {

using Ends = std::function<bool(uchar)>;

bool control(uchar c)
{
    return c < 0x20;
}

bool blank(uchar c)
{
    return c == '\t' || c == '\n' || c == '\r';
}

// The first byte of a run that ends it, by the class's own loop.
const char *endOf(int run, const char *p, const char *end, char stop)
{
    switch (Run(run)) {
    case Run::Text:
        return XmlByteScan::endOfRun<Run::Text>(p, end);
    case Run::Value:
        return XmlByteScan::endOfRun<Run::Value>(p, end);
    case Run::Chars:
        return XmlByteScan::endOfRun<Run::Chars>(p, end, stop);
    case Run::TextUnits:
        return XmlByteScan::endOfRun<Run::TextUnits>(p, end);
    case Run::ValueUnits:
        return XmlByteScan::endOfRun<Run::ValueUnits>(p, end);
    }
    return XmlByteScan::endOfName(p, end);
}

constexpr int names = -1;

QDateTime utc(int year, int month, int day, int hour, int minute, int second, int ms)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, ms), Qt::UTC);
}

}  // namespace

Q_DECLARE_METATYPE(Ends)

class TestXmlValues : public QObject
{
    Q_OBJECT

private slots:
    void byteClasses_data()
    {
        QTest::addColumn<int>("run");
        QTest::addColumn<char>("stop");
        QTest::addColumn<Ends>("ends");
        const auto beyondAscii = [](uchar c) { return c >= 0x80; };
        QTest::newRow("text") << int(Run::Text) << '\0' << Ends([=](uchar c) {
            return c == '<' || c == '&' || c == ']' || (control(c) && c != '\t' && c != '\n') || beyondAscii(c);
        });
        QTest::newRow("attribute value") << int(Run::Value) << '\0' << Ends([=](uchar c) {
            return c == '<' || c == '&' || c == '"' || c == '\'' || control(c) || beyondAscii(c);
        });
        for (const char stop : {'-', '?', ']', '"', '\''}) {
            QTest::addRow("characters up to %c", stop) << int(Run::Chars) << stop << Ends([=](uchar c) {
                return c == uchar(stop) || (control(c) && !blank(c)) || beyondAscii(c);
            });
        }
        QTest::newRow("text made a string") << int(Run::TextUnits) << '\0' << Ends([=](uchar c) {
            return (control(c) && c != '\t' && c != '\n') || beyondAscii(c);
        });
        QTest::newRow("value made a string") << int(Run::ValueUnits) << '\0' << Ends([=](uchar c) {
            return c == '&' || control(c) || beyondAscii(c);
        });
        QTest::newRow("name") << names << '\0' << Ends([](uchar c) {
            return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.'
                     || c == '-' || c == '_');
        });
    }

    // Every byte, at every place of the first three steps of sixteen and of
    // the bytes after them, in a run of plain letters: the run ends at it
    // exactly when it is one of the class's.
    void byteClasses()
    {
        QFETCH(int, run);
        QFETCH(char, stop);
        QFETCH(Ends, ends);
        constexpr int size = 56;
        for (int c = 0; c < 256; ++c) {
            for (int at = 0; at < size; ++at) {
                QByteArray bytes(size, 'a');
                bytes[at] = char(c);
                const char *begin = bytes.constData();
                const qsizetype found = endOf(run, begin, begin + size, stop) - begin;
                const qsizetype expected = ends(uchar(c)) ? at : size;
                if (found != expected)
                    QFAIL(qPrintable(QStringLiteral("byte 0x%1 at %2: the run ends at %3, not %4")
                                         .arg(c, 2, 16, QLatin1Char('0')).arg(at).arg(found).arg(expected)));
            }
        }
    }

    void dates_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QDateTime>("date");  // invalid: not a date of the form
        const auto row = [](const char *text, const QDateTime &date) { QTest::newRow(text) << QByteArray(text) << date; };
        row("2024-03-13T12:34:56.789Z", utc(2024, 3, 13, 12, 34, 56, 789));
        row("2024-02-29T23:59:59.999Z", utc(2024, 2, 29, 23, 59, 59, 999));
        row("2000-02-29T00:00:00.000Z", utc(2000, 2, 29, 0, 0, 0, 0));
        row("1970-01-01T00:00:00.000Z", utc(1970, 1, 1, 0, 0, 0, 0));
        row("1969-12-31T23:59:59.999Z", utc(1969, 12, 31, 23, 59, 59, 999));
        row("0001-01-01T00:00:00.000Z", utc(1, 1, 1, 0, 0, 0, 0));
        row("9999-12-31T23:59:59.999Z", utc(9999, 12, 31, 23, 59, 59, 999));
        row("1600-03-01T06:07:08.009Z", utc(1600, 3, 1, 6, 7, 8, 9));
        for (const char *text :
             {"2023-02-29T00:00:00.000Z", "1900-02-29T00:00:00.000Z", "2100-02-29T00:00:00.000Z", "0000-01-01T00:00:00.000Z",
              "2024-13-01T00:00:00.000Z", "2024-00-01T00:00:00.000Z", "2024-04-31T00:00:00.000Z", "2024-01-32T00:00:00.000Z",
              "2024-01-00T00:00:00.000Z", "2024-01-01T24:00:00.000Z", "2024-01-01T00:60:00.000Z", "2024-01-01T00:00:60.000Z",
              "2024-01-01 00:00:00.000Z", "2024-01-01T00:00:00.000z", "2024-01-01T00:00:00,000Z", "2024/01-01T00:00:00.000Z",
              "2024-01-01T00:00:00.000+", "202/-01-01T00:00:00.000Z", "2024-01-01T00:00:00.00:Z", "2024-01-01T00:00:00.000",
              "2024-01-01T00:00:00.0000Z", "2024-01-01T00:0a:00.000Z", "2024-01-01T00:00:00.000Z "})
            row(text, QDateTime());
        QTest::newRow("a digit beyond ASCII") << QByteArray("2024-01-01T00:00:00.00\xB0Z") << QDateTime();
    }

    // The form Tessaly writes, of bytes and of a string: the date it stands
    // for, or none.
    void dates()
    {
        QFETCH(QByteArray, text);
        QFETCH(QDateTime, date);
        const std::optional<QDateTime> ofBytes = XbelValues::utcDateOf(QByteArrayView(text));
        const QString string = QString::fromLatin1(text);
        const std::optional<QDateTime> ofString = XbelValues::utcDateOf(QStringView(string));
        QCOMPARE(ofBytes.has_value(), date.isValid());
        QCOMPARE(ofString.has_value(), date.isValid());
        if (date.isValid()) {
            QCOMPARE(ofBytes->toMSecsSinceEpoch(), date.toMSecsSinceEpoch());
            QCOMPARE(ofString->toMSecsSinceEpoch(), date.toMSecsSinceEpoch());
        }
    }

    // Every day of eight centuries counted as QDate counts it, and every
    // month's days (and those beyond) of years of each kind as QDate has them.
    void daysAsQDate()
    {
        constexpr qint64 julianDayOf1970 = 2440588;
        for (QDate day(1600, 1, 1); day.year() <= 2400; day = day.addDays(1)) {
            if (XbelValues::daysSince1970(day.year(), day.month(), day.day()) != day.toJulianDay() - julianDayOf1970)
                QFAIL(qPrintable(day.toString(Qt::ISODate)));
        }
        for (const int year : {1, 3, 4, 100, 400, 1600, 1700, 1900, 2000, 2023, 2024, 2100, 9999}) {
            for (int month = 0; month <= 13; ++month) {
                for (int day = 0; day <= 32; ++day) {
                    if (XbelValues::isValidDate(year, month, day) != QDate::isValid(year, month, day))
                        QFAIL(qPrintable(QStringLiteral("%1-%2-%3").arg(year).arg(month).arg(day)));
                }
            }
        }
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<bool>("valid");
        const auto row = [](const char *name, const char *text, qint64 min, qint64 max, qint64 number, bool valid) {
            QTest::newRow(name) << QString::fromLatin1(text) << min << max << number << valid;
        };
        constexpr qint64 int32Max = std::numeric_limits<qint32>::max();
        row("digits", "186", 0, int32Max, 186, true);
        row("zero", "0", 0, 255, 0, true);
        row("leading zeros", "007", 0, 255, 7, true);
        row("the largest allowed", "255", 0, 255, 255, true);
        row("above the largest", "256", 0, 255, 0, false);
        row("above 32 bits", "2147483648", 0, int32Max, 0, false);
        row("eighteen digits", "999999999999999999", 0, std::numeric_limits<qint64>::max(), 999999999999999999, true);
        row("beyond 64 bits", "99999999999999999999", 0, std::numeric_limits<qint64>::max(), 0, false);
        row("negative", "-5", -10, 10, -5, true);
        row("below the least", "-5", 0, 10, 0, false);
        row("a plus sign", "+5", 0, 10, 5, true);
        row("blanks around", " \n42\t ", 0, 255, 42, true);
        row("empty", "", 0, 255, 0, false);
        row("blanks only", "  ", 0, 255, 0, false);
        row("a letter after", "12a", 0, 255, 0, false);
        row("an exponent", "1e3", 0, 10000, 0, false);
        row("a blank inside", "1 2", 0, 255, 0, false);
    }

    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        QFETCH(qint64, number);
        QFETCH(bool, valid);
        const std::optional<qint64> read = XbelValues::numberOf(text, min, max);
        QCOMPARE(read.has_value(), valid);
        if (valid)
            QCOMPARE(*read, number);
    }
};

QTEST_GUILESS_MAIN(TestXmlValues)
#include "TestXmlValues.moc"
