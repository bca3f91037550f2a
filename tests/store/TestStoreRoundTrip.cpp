// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayCount.h"
#include "StackFile.h"
#include "StoreSummary.h"
#include "TestEnvironment.h"
#include "TextDecoding.h"
#include "URLBlock.h"

#include <QRandomGenerator>
#include <QtTest>
#include <memory>

namespace {

QString randomText(QRandomGenerator &random, int maxLength)
{
    // Letters, blanks, punctuation, the characters that mark lines and
    // groups, and text from outside Latin-1.
    static const QString alphabet = QString::fromUtf8("abcXYZ 019+-*?#[]!:/%&\"'\\<>éüß€—☃漢😀\t");
    const int length = random.bounded(maxLength + 1);
    QString text;
    for (int i = 0; i < length; ++i) {
        const int at = random.bounded(int(alphabet.size()));
        // Keep surrogate pairs whole.
        if (alphabet[at].isHighSurrogate())
            text += alphabet.mid(at, 2);
        else if (!alphabet[at].isLowSurrogate())
            text += alphabet[at];
    }
    return text;
}

void fillRandomStore(URLBlock &store, QRandomGenerator &random)
{
    const int groups = random.bounded(1, 12);
    for (int g = 0; g < groups; ++g)
        store.NewCatagory(randomText(random, 20));
    const int entries = random.bounded(0, 300);
    for (int i = 0; i < entries; ++i) {
        URLData *entry
            = store.urlDatas().Add(randomText(random, 60), randomText(random, 90), random.bounded(groups));
        entry->Created = random.bounded(4096, 65535) + random.bounded(86400) / DayCount::secondsPerDay;
        entry->LastAccesed = random.bounded(3) == 0 ? 0.0 : entry->Created + random.bounded(1000);
        entry->LastAccesed = std::min(entry->LastAccesed, 65535.0);
        entry->Visited = qint32(random.generate());
        entry->Catagory = quint8(random.bounded(256));
        entry->Rated = quint8(random.bounded(6));
    }
}

// The entries of each group in order, as the file keeps them.
QList<QList<const URLData *>> entriesByGroup(const URLBlock &store)
{
    QList<QList<const URLData *>> byGroup(store.IDXList().groupCount());
    for (const URLData &entry : store.urlDatas())
        byGroup[entry.Owner].append(&entry);
    return byGroup;
}

}  // namespace

// Generated stores written and read back.
class TestStoreRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void generatedStoresSurviveSaveAndLoad_data();
    void generatedStoresSurviveSaveAndLoad();
    void fileLinesReadAsTheirDecodedText_data();
    void fileLinesReadAsTheirDecodedText();
    void addressesBeginningWithMarks_data();
    void addressesBeginningWithMarks();
};

void TestStoreRoundTrip::addressesBeginningWithMarks_data()
{
    QTest::addColumn<int>("owner");
    QTest::addColumn<QString>("url");
    const QString mark(QChar(0xFEFF));
    // An entry of no group is the file's first line, where a reader drops one mark more.
    QTest::newRow("first line, one mark") << -1 << mark + "http://a.example/";
    QTest::newRow("first line, two marks") << -1 << mark + mark + "http://a.example/";
    QTest::newRow("a later line, one mark") << 0 << mark + "http://a.example/";
    QTest::newRow("a later line, marks alone") << 0 << mark + mark;
    QTest::newRow("a mark inside") << 0 << "http://a.example/" + mark;
}

// A reader drops a byte-order mark at the start of each line (and one more
// at the start of the file); an address that begins with one reads back whole.
void TestStoreRoundTrip::addressesBeginningWithMarks()
{
    QFETCH(int, owner);
    QFETCH(QString, url);
    URLBlock store;
    store.NewCatagory("G");
    store.urlDatas().Add("t", url, owner)->Created = 45000;
    store.urlDatas().Add("u", url, 0)->Created = 45000;
    QTemporaryDir dir;
    const QString file = dir.filePath("marks.tsy");
    QVERIFY(StackFile::saveStackFile(store, file));
    URLBlock back;
    QVERIFY(StackFile::loadStackFile(back, file, false, 1.0));
    QCOMPARE(back.urlDatas().Count(), 2);
    for (const URLData &entry : back.urlDatas())
        QCOMPARE(entry.url, url);
    QCOMPARE(StackFile::stackFileText(back), TestEnvironment::readFile(file));
}

void TestStoreRoundTrip::generatedStoresSurviveSaveAndLoad_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 40; ++seed)
        QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
}

void TestStoreRoundTrip::generatedStoresSurviveSaveAndLoad()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    URLBlock store;
    fillRandomStore(store, random);

    QTemporaryDir dir;
    const QString file = dir.filePath("round.tsy");
    QVERIFY(StackFile::saveStackFile(store, file));
    URLBlock back;
    QVERIFY(StackFile::loadStackFile(back, file, false, 1.0));

    QCOMPARE(back.IDXList().groupCount(), store.IDXList().groupCount());
    for (int g = 0; g < store.IDXList().groupCount(); ++g)
        QCOMPARE(back.IDXList().at(g).name, store.IDXList().at(g).name);

    const auto before = entriesByGroup(store);
    const auto after = entriesByGroup(back);
    QCOMPARE(after.size(), before.size());
    for (qsizetype g = 0; g < before.size(); ++g) {
        QCOMPARE(after[g].size(), before[g].size());
        for (qsizetype i = 0; i < before[g].size(); ++i) {
            const URLData &a = *before[g][i];
            const URLData &b = *after[g][i];
            QCOMPARE(b.Name, a.Name);
            QCOMPARE(b.url, a.url);
            QVERIFY(std::abs(b.Created - a.Created) * DayCount::secondsPerDay < 1.0);
            QVERIFY(std::abs(b.LastAccesed - a.LastAccesed) * DayCount::secondsPerDay < 1.0);
            QCOMPARE(b.Visited, a.Visited);
            QCOMPARE(b.Catagory, a.Catagory);
            QCOMPARE(b.Rated, a.Rated);
        }
    }
    // Writing what was read gives the same file again.
    QCOMPARE(StackFile::stackFileText(back), TestEnvironment::readFile(file));
}

void TestStoreRoundTrip::fileLinesReadAsTheirDecodedText_data()
{
    QTest::addColumn<QByteArray>("line");

    const auto entry = [](const QByteArrayList &fields) { return fields.join('\x05'); };
    const QByteArray bom = "\xEF\xBB\xBF";
    QTest::newRow("ASCII entry") << entry({"u", "t", "8E9312698", "8E9312698", "3", "0", "2"});
    QTest::newRow("UTF-8 entry") << entry({"u", "caf\xC3\xA9", "8E9312698", "8E9312698", "3", "0", "2"});
    QTest::newRow("Windows-1252 entry")
        << entry({"u", "caf\xE9 \x80", "8E9312698", "8E9312698", "3", "0", "2"});
    QTest::newRow("mark at the start of a UTF-8 line")
        << bom + entry({"u\xC3\xA9", "t", "0", "0", "1", "0", "0"});
    QTest::newRow("mark at the start of a group line") << bom + "+Gr\xC3\xBCppe";
    QTest::newRow("UTF-8 only after the first eight bytes") << QByteArray("+Abcdefgh caf\xC3\xA9");
    QTest::newRow("Windows-1252 only after the first eight bytes") << QByteArray("+Abcdefgh \x80");
    QTest::newRow("mark at the start of the title") << entry({"", bom + "t", "0", "0", "1", "0", "0"});
    QTest::newRow("marks inside fields") << entry({"u", bom + "t" + bom, "0", "0", "1", "0", "0"});
    QTest::newRow("blanks around numbers") << entry({"u", "\xC3\xA9", "0", "0", " 5 ", "1 ", " 2"});
    QTest::newRow("no-break space in a Windows-1252 line")
        << entry({"u", "\xE9", "0", "0", "\xA0" "5", "1", "2"});
    QTest::newRow("signs") << entry({"u", "t", "0", "0", "-3", "+1", "-0"});
    QTest::newRow("leading zeros") << entry({"u", "t", "0", "0", "007", "0255", "0004"});
    QTest::newRow("visits past 32 bits") << entry({"u", "t", "0", "0", "2147483648", "0", "0"});
    QTest::newRow("category past a byte") << entry({"u", "t", "0", "0", "5", "256", "0"});
    QTest::newRow("more digits than any integer")
        << entry({"u", "t", "0", "0", "99999999999999999999", "0", "0"});
    QTest::newRow("letters after digits") << entry({"u", "t", "0", "0", "5x", "0", "0"});
    QTest::newRow("non-ASCII after the ninth date character")
        << entry({"u", "t", "8E9312698\xC3\xA9", "8E9312698\xC3\xA9", "1", "0", "0"});
    QTest::newRow("non-ASCII inside a date")
        << entry({"u", "t", "8E93\xC3\xA9" "2698", "8E931\xE9" "2698", "1", "0", "0"});
    QTest::newRow("old eight-character dates") << entry({"u", "t", "8E931046", "8E931046", "1", "0", "0"});
    QTest::newRow("six fields") << entry({"u", "t", "8E9312698", "8E9312698", "1", "0"});
    QTest::newRow("eight fields") << entry({"u", "t", "8E9312698", "8E9312698", "1", "0", "0", "x"});
    QTest::newRow("two empty fields") << entry({"", ""});
}

// Each line of a file reads as its decoded text does (UTF-8 when the line is
// valid UTF-8, Windows-1252 otherwise), whichever way the loader gets there.
void TestStoreRoundTrip::fileLinesReadAsTheirDecodedText()
{
    QFETCH(QByteArray, line);
    const double now = 46000.5;

    URLBlock expected;
    expected.NewCatagory("G");
    StackFile::parseStackLine(expected, TextDecoding::decodeLine(line), now);

    QTemporaryDir dir;
    const QString file = dir.filePath("line.tsy");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("+G\r\n" + line + "\r\n");
    out.close();
    URLBlock loaded;
    QVERIFY(StackFile::loadStackFile(loaded, file, false, now));
    QCOMPARE(storeSummary(loaded), storeSummary(expected));
}

QTEST_GUILESS_MAIN(TestStoreRoundTrip)
#include "TestStoreRoundTrip.moc"
