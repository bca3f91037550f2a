// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineReader.h"
#include "StackFile.h"
#include "StoreMerge.h"
#include "StoreSummary.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QtTest>
#include <cstring>

using TestEnvironment::entryLine;

namespace {

constexpr double now = 45000.25;

// Gives its bytes in small reads, then fails every read from failAt on.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(QByteArray bytes, qint64 failAt)
        : m_bytes(std::move(bytes))
        , m_failAt(failAt)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 position = pos();
        if (position >= m_bytes.size())
            return 0;
        if (position >= m_failAt)
            return -1;
        const qint64 count = std::min({maxSize, m_failAt - position, qint64(m_bytes.size()) - position, qint64(4096)});
        std::memcpy(data, m_bytes.constData() + position, size_t(count));
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_failAt;
};

// The worked example: title T, address U, both dates 5 Dec 1999 18:06, 3 visits, rating 2.
const QByteArray exampleEntry = entryLine({"U", "T", "8E9312698", "8E9312698", "3", "0", "2"});

}  // namespace

// Reading stack files, and merging them. (Writing them: TestStackFileSave.)
class TestStackFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void parsesLines_data();
    void parsesLines();
    void readsLineEndsAndEncodings_data();
    void readsLineEndsAndEncodings();
    void damagedFilesLoadWhatParses_data();
    void damagedFilesLoadWhatParses();
    void unreadableFiles_data();
    void unreadableFiles();
    void failedReadAddsNothing_data();
    void failedReadAddsNothing();
    void loadReplacesStore();
    void merges_data();
    void merges();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestStackFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestStackFile::parsesLines_data()
{
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QStringList>("expected");

    const QString example = "T|U|0|36499.75416|36499.75416|3|0|2";
    const auto full = [](const QByteArray &visited, const QByteArray &catagory, const QByteArray &rated) {
        return entryLine({"u", "t", "8E9312698", "8E9312698", visited, catagory, rated});
    };

    QTest::newRow("group line") << QList<QByteArray> {"+News"} << QStringList {"+News"};
    QTest::newRow("plus alone is a group with no name") << QList<QByteArray> {"+"} << QStringList {"+"};
    QTest::newRow("plus inside a group name") << QList<QByteArray> {"+A+B"} << QStringList {"+A+B"};
    QTest::newRow("same name twice is two groups")
        << QList<QByteArray> {"+A", "+A"} << QStringList {"+A", "+A"};
    QTest::newRow("line without plus or separator ignored")
        << QList<QByteArray> {"News", ""} << QStringList {};
    QTest::newRow("full entry") << QList<QByteArray> {"+News", exampleEntry}
                                << QStringList {"+News", example};
    QTest::newRow("entry before any group has no group")
        << QList<QByteArray> {exampleEntry} << QStringList {"T|U|-1|36499.75416|36499.75416|3|0|2"};
    QTest::newRow("entries join the group line above")
        << QList<QByteArray> {"+A",
                              "a\x05"
                              "1",
                              "+B",
                              "b\x05"
                              "2",
                              "c\x05"
                              "3"}
        << QStringList {"+A", "+B", "1|a|0|0|45000.25|0|0|0", "2|b|1|0|45000.25|0|0|0",
                        "3|c|1|0|45000.25|0|0|0"};
    QTest::newRow("three fields: created now, never visited")
        << QList<QByteArray> {"+G", "u\x05t\x05x"} << QStringList {"+G", "t|u|0|0|45000.25|0|0|0"};
    QTest::newRow("eight fields treated as a short line") << QList<QByteArray> {"+G",
                                                                                full("3", "1", "2")
                                                                                    + "\x05"
                                                                                      "extra"}
                                                          << QStringList {"+G", "t|u|0|0|45000.25|0|0|0"};
    QTest::newRow("empty fields still make an entry")
        << QList<QByteArray> {"+G", "\x05"} << QStringList {"+G", "||0|0|45000.25|0|0|0"};
    QTest::newRow("created 0: created now and never visited")
        << QList<QByteArray> {"+G", entryLine({"u", "t", "8E9312698", "0", "5", "1", "2"})}
        << QStringList {"+G", "t|u|0|0|45000.25|5|1|2"};
    QTest::newRow("visited not a number ends the line")
        << QList<QByteArray> {"+G", full("x", "1", "2")}
        << QStringList {"+G", "t|u|0|36499.75416|36499.75416|0|0|0"};
    QTest::newRow("visited past 32 bits ends the line")
        << QList<QByteArray> {"+G", full("2147483648", "1", "2")}
        << QStringList {"+G", "t|u|0|36499.75416|36499.75416|0|0|0"};
    QTest::newRow("visited past 16 bits is kept")
        << QList<QByteArray> {"+G", full("40000", "1", "2")}
        << QStringList {"+G", "t|u|0|36499.75416|36499.75416|40000|1|2"};
    QTest::newRow("negative visited is kept") << QList<QByteArray> {"+G", full("-4", "1", "2")}
                                              << QStringList {"+G", "t|u|0|36499.75416|36499.75416|-4|1|2"};
    QTest::newRow("catagory past a byte ends the line")
        << QList<QByteArray> {"+G", full("3", "256", "2")}
        << QStringList {"+G", "t|u|0|36499.75416|36499.75416|3|0|0"};
    QTest::newRow("negative rating ends the line")
        << QList<QByteArray> {"+G", full("3", "1", "-1")}
        << QStringList {"+G", "t|u|0|36499.75416|36499.75416|3|1|0"};
    QTest::newRow("blanks around numbers") << QList<QByteArray> {"+G", full(" 3 ", " 1", "2 ")}
                                           << QStringList {"+G", "t|u|0|36499.75416|36499.75416|3|1|2"};
    QTest::newRow("damaged date is no date")
        << QList<QByteArray> {"+G", entryLine({"u", "t", "8E93Z2698", "8E9312698", "1", "0", "0"})}
        << QStringList {"+G", "t|u|0|0|36499.75416|1|0|0"};
}

void TestStackFile::parsesLines()
{
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QStringList, expected);

    URLBlock store;
    for (const QByteArray &line : lines)
        StackFile::parseStackLine(store, QString::fromUtf8(line), now);
    QCOMPARE(storeSummary(store), expected);
}

void TestStackFile::readsLineEndsAndEncodings_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("expected");

    const QString example = "T|U|0|36499.75416|36499.75416|3|0|2";
    QTest::newRow("CR LF") << "+News\r\n" + exampleEntry + "\r\n" << QStringList {"+News", example};
    QTest::newRow("LF") << "+News\n" + exampleEntry + "\n" << QStringList {"+News", example};
    QTest::newRow("no line end at the end") << "+News\r\n" + exampleEntry << QStringList {"+News", example};
    QTest::newRow("mixed line ends") << QByteArray("+A\n+B\r\n+C") << QStringList {"+A", "+B", "+C"};
    QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF+News\r\n") << QStringList {"+News"};
    QTest::newRow("UTF-8") << QByteArray("+Caf\xC3\xA9 \xE2\x80\x94 \xF0\x9F\x98\x80\r\n")
                           << QStringList {QString::fromUtf8("+Café — 😀")};
    QTest::newRow("byte-order mark inside a line is text")
        << "U\x05\xEF\xBB\xBFT\xC3\xA9" + exampleEntry.sliced(exampleEntry.indexOf('\x05', 2))
        << QStringList {QChar(0xFEFF) + QString::fromUtf8("Té|U|-1|36499.75416|36499.75416|3|0|2")};
    QTest::newRow("every digit in numbers; a colon is none")
        << entryLine({"U", "T", "8E9312698", "8E9312698", "1234567890", "9", "4"}) + "\r\n"
               + entryLine({"V", "S", "8E9312698", "8E9312698", "9:", "1", "1"})
        << QStringList {"T|U|-1|36499.75416|36499.75416|1234567890|9|4", "S|V|-1|36499.75416|36499.75416|0|0|0"};
    QTest::newRow("Windows-1252 line")
        << QByteArray("+Caf\xE9 \x80 \x93q\x94\r\n") << QStringList {QString::fromUtf8("+Café € “q”")};
    QTest::newRow("encoding decided per line")
        << QByteArray("+Caf\xE9\r\n+Caf\xC3\xA9\r\n")
        << QStringList {QString::fromUtf8("+Café"), QString::fromUtf8("+Café")};
    QTest::newRow("overlong UTF-8 is Windows-1252")
        << QByteArray("+\xC0\xAF\r\n") << QStringList {QString::fromUtf8("+À¯")};
    QTest::newRow("encoded surrogate is Windows-1252")
        << QByteArray("+\xED\xA0\x80\r\n") << QStringList {QString::fromUtf8("+í\u00A0€")};
    QTest::newRow("truncated UTF-8 sequence is Windows-1252")
        << QByteArray("+a\xE2\x80\r\n") << QStringList {QString::fromUtf8("+aâ€")};

    // The file is read in pieces: lines, line ends and characters that
    // straddle the end of a piece read as any other.
    const qsizetype piece = LineReader::pieceBytes;
    const QByteArray fill(piece, 'g');
    const QString fillText = QString::fromLatin1(fill);
    QTest::newRow("CR LF split between pieces")
        << "+" + fill.first(piece - 2) + "\r\n+Next" << QStringList {"+" + fillText.first(piece - 2), "+Next"};
    QTest::newRow("UTF-8 character split between pieces")
        << "+" + fill.first(piece - 2) + "\xC3\xA9\r\n" << QStringList {"+" + fillText.first(piece - 2) + u'é'};
    QTest::newRow("line over three pieces after a mark")
        << "\xEF\xBB\xBF+" + fill + fill + fill + "\r\n" + exampleEntry
        << QStringList {"+" + fillText + fillText + fillText, example};
}

void TestStackFile::readsLineEndsAndEncodings()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, expected);

    URLBlock store;
    const QString file = TestEnvironment::writeFile(path("in.tsy"), contents);
    QVERIFY(StackFile::loadStackFile(store, file, false, now));
    QCOMPARE(storeSummary(store), expected);
}

void TestStackFile::damagedFilesLoadWhatParses_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("entries");

    QByteArray binary;
    QRandomGenerator random(7);
    for (int i = 0; i < 200000; ++i)
        binary += char(random.bounded(256));

    QTest::newRow("empty file") << QByteArray() << 0 << 0;
    QTest::newRow("only line ends") << QByteArray("\r\n\n\r\n") << 0 << 0;
    QTest::newRow("NUL bytes around good lines")
        << QByteArray("\0\0\0\r\n+News\r\n", 12) + exampleEntry + QByteArray("\r\n\0\x05\0\r\n", 7) << 1 << 2;
    QTest::newRow("random bytes then good lines") << binary + "\r\n+Last\r\n" + exampleEntry + "\r\n"
                                                  << -1 << -1;
    QTest::newRow("10 MB line") << "+G\r\n" + QByteArray(10 * 1024 * 1024, 'x') + "\x05t\r\n" + exampleEntry
                                << 1 << 2;
    QTest::newRow("10 MB line without separator")
        << "+G\r\n" + QByteArray(10 * 1024 * 1024, 'y') + "\r\n" + exampleEntry << 1 << 1;
}

void TestStackFile::damagedFilesLoadWhatParses()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, groups);
    QFETCH(int, entries);

    URLBlock store;
    const QString file = TestEnvironment::writeFile(path("damaged.tsy"), contents);
    QVERIFY(StackFile::loadStackFile(store, file, false, now));
    if (groups >= 0) {
        QCOMPARE(store.IDXList().groupCount(), groups);
        QCOMPARE(store.urlDatas().Count(), entries);
    }
    // Whatever came before, the good lines at the end are read.
    if (!contents.isEmpty() && contents.endsWith(QByteArray(exampleEntry + "\r\n"))) {
        const URLData *last = store.urlDatas().Item(store.urlDatas().Count());
        QCOMPARE(last->Name, QString("T"));
        QCOMPARE(last->Owner, store.IDXList().groupCount() - 1);
    }
    // What was loaded is written so that it reads back to the same text.
    QVERIFY(StackFile::saveStackFile(store, path("again.tsy")));
    URLBlock again;
    QVERIFY(StackFile::loadStackFile(again, path("again.tsy"), false, now));
    QCOMPARE(StackFile::stackFileText(again), TestEnvironment::readFile(path("again.tsy")));
    QCOMPARE(again.urlDatas().Count(), store.urlDatas().Count());
    QCOMPARE(again.IDXList().groupCount(), store.IDXList().groupCount());
}

void TestStackFile::unreadableFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("merge");

    QTest::newRow("missing file") << "missing.tsy" << false;
    QTest::newRow("missing file, merging") << "missing.tsy" << true;
    QTest::newRow("a folder") << "folder" << false;
    QTest::newRow("a folder, merging") << "folder" << true;
    QTest::newRow("a file that fails to read") << "/proc/self/mem" << false;
    QTest::newRow("a file that fails to read, merging") << "/proc/self/mem" << true;
}

void TestStackFile::unreadableFiles()
{
    QFETCH(QString, name);
    QFETCH(bool, merge);

    QDir(m_dir->path()).mkdir("folder");
    URLBlock store;
    store.NewCatagory("kept");
    store.urlDatas().Add("e", "u", 0);
    QString error;
    const QString file = name.startsWith('/') ? name : path(name);
    QVERIFY(!StackFile::loadStackFile(store, file, merge, now, &error));
    QVERIFY2(error.contains(file), qPrintable(error));
    QVERIFY(error.contains(name.startsWith('/') ? "could not be read" : "could not be opened"));
    if (merge) {
        // A failed merge leaves the store, but counts as the change it was meant to be.
        QCOMPARE(storeSummary(store), (QStringList {"+kept", "e|u|0|0|0|0|0|0"}));
        QCOMPARE(store.changeCount(), 1);
    } else {
        QCOMPARE(store.urlDatas().Count(), 0);
        QCOMPARE(store.IDXList().groupCount(), 0);
    }
}

void TestStackFile::failedReadAddsNothing_data()
{
    QTest::addColumn<qint64>("failAt");

    QTest::newRow("first read fails") << qint64(0);
    QTest::newRow("fails inside a line") << qint64(5);
    QTest::newRow("fails after the first piece") << qint64(LineReader::pieceBytes + 100);
}

// A file that cannot be read to its end adds nothing: not even the lines
// before the failure, which would make a partial merge or a partial store
// look whole.
void TestStackFile::failedReadAddsNothing()
{
    QFETCH(qint64, failAt);

    QByteArray text;
    for (int i = 0; text.size() < 3 * LineReader::pieceBytes; ++i)
        text += "+G" + QByteArray::number(i) + "\r\n" + exampleEntry + "\r\n";
    URLBlock store;
    store.NewCatagory("kept");
    store.urlDatas().Add("e", "u", 0);
    FailingDevice device(text, failAt);
    QVERIFY(!StackFile::readStackFile(store, device, text.size(), now));
    QCOMPARE(storeSummary(store), (QStringList {"+kept", "e|u|0|0|0|0|0|0"}));
    QCOMPARE(store.nextGroupNumber(), 1);
    // The same text read whole adds it all.
    FailingDevice whole(text, text.size());
    QVERIFY(StackFile::readStackFile(store, whole, text.size(), now));
    QCOMPARE(store.IDXList().groupCount(), 1 + text.count("+G"));
}

void TestStackFile::loadReplacesStore()
{
    URLBlock store;
    store.addGroup("old");
    store.urlDatas().Add("a", "u", 0);
    store.urlDatas().Add("b", "u", 0);
    const QString file = TestEnvironment::writeFile(path("in.tsy"), "+new\r\n" + exampleEntry + "\r\n");
    QVERIFY(StackFile::loadStackFile(store, file, false, now));
    QCOMPARE(storeSummary(store), (QStringList {"+new", "T|U|0|36499.75416|36499.75416|3|0|2"}));
    QCOMPARE(store.changeCount(), 0);
    QCOMPARE(store.nextGroupNumber(), 1);
    QCOMPARE(store.urlDatas().Item(1)->ID(), QString("00001"));
}

void TestStackFile::merges_data()
{
    QTest::addColumn<QByteArray>("existing");  // the store, as a file loaded first
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<qsizetype>>("counts");  // groups added, entries added, already there
    const auto row = [](const char *name, const QByteArray &existing, const QByteArray &file,
                        const QStringList &expected, const QList<qsizetype> &counts) {
        QTest::newRow(name) << existing << file << expected << counts;
    };
    const QByteArray full = entryLine({"U", "T2", "8E9312698", "8E9312698", "3", "7", "2"});
    row("leading entries join the last group; a group of a name the store has is that group",
        "+A\r\nu\x05old\r\n+B\r\n",
        "x\x05"
        "1\r\n+A\r\ny\x05"
        "2\r\n",
        {"+A", "+B", "old|u|0|0|45000.25|0|0|0", "1|x|1|0|45000.25|0|0|0", "2|y|0|0|45000.25|0|0|0"},
        {0, 2, 0});
    row("into a store without groups: leading entries have no group", "u\x05old\r\n",
        "x\x05"
        "1\r\n+N\r\ny\x05"
        "2\r\n",
        {"+N", "old|u|-1|0|45000.25|0|0|0", "1|x|-1|0|45000.25|0|0|0", "2|y|0|0|45000.25|0|0|0"}, {1, 2, 0});
    row("empty file adds nothing", "+A\r\nu\x05old\r\n", "", {"+A", "old|u|0|0|45000.25|0|0|0"}, {0, 0, 0});
    row("the store's own file adds nothing",
        "+A\r\n" + exampleEntry + "\r\nu\x05old\r\n+B\r\n+A\r\nv\x05w\r\n",
        "+A\r\n" + exampleEntry + "\r\nu\x05old\r\n+B\r\n+A\r\nv\x05w\r\n",
        {"+A", "+B", "+A", "T|U|0|36499.75416|36499.75416|3|0|2", "old|u|0|0|45000.25|0|0|0",
         "w|v|2|0|45000.25|0|0|0"},
        {0, 0, 3});
    row("an address in its group is left out, in another group added with every field",
        "+A\r\nU\x05T\r\n+B\r\n", "+B\r\n" + full + "\r\n+A\r\nU\x05T3\r\nV\x05T4\r\n",
        {"+A", "+B", "T|U|0|0|45000.25|0|0|0", "T2|U|1|36499.75416|36499.75416|3|7|2",
         "T4|V|0|0|45000.25|0|0|0"},
        {0, 2, 1});
    row("the n-th group of a name is the store's n-th; more are added",
        "+A\r\nu\x05"
        "a1\r\n+A\r\nv\x05"
        "a2\r\n",
        "+A\r\nv\x05x\r\n+A\r\nv\x05y\r\n+A\r\nv\x05z\r\n",
        {"+A", "+A", "+A", "a1|u|0|0|45000.25|0|0|0", "a2|v|1|0|45000.25|0|0|0", "x|v|0|0|45000.25|0|0|0",
         "z|v|2|0|45000.25|0|0|0"},
        {1, 2, 1});
    row("leading entries are there already when the store has them in no group", "u\x05old\r\n+A\r\n",
        "u\x05"
        "again\r\nv\x05new\r\n+A\r\n",
        {"+A", "old|u|-1|0|45000.25|0|0|0", "new|v|0|0|45000.25|0|0|0"}, {0, 1, 1});
    row("an address twice in the file is added twice", "+A\r\n", "+A\r\nu\x05one\r\nu\x05two\r\n",
        {"+A", "one|u|0|0|45000.25|0|0|0", "two|u|0|0|45000.25|0|0|0"}, {0, 2, 0});
    row("entries without an address are told apart by their titles", "+A\r\n\x05Note\r\n",
        "+A\r\n\x05Note\r\n\x05Other\r\n", {"+A", "Note||0|0|45000.25|0|0|0", "Other||0|0|45000.25|0|0|0"},
        {0, 1, 1});
    row("names match exactly", "+News\r\nu\x05old\r\n", "+news\r\nu\x05new\r\n+News \r\nu\x05new\r\n",
        {"+News", "+news", "+News ", "old|u|0|0|45000.25|0|0|0", "new|u|1|0|45000.25|0|0|0",
         "new|u|2|0|45000.25|0|0|0"},
        {2, 2, 0});
}

void TestStackFile::merges()
{
    QFETCH(QByteArray, existing);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);
    QFETCH(QList<qsizetype>, counts);

    URLBlock store;
    QVERIFY(StackFile::loadStackFile(store, TestEnvironment::writeFile(path("s.tsy"), existing), false, now));
    const qsizetype before = store.urlDatas().Count();
    MergeCounts merged;
    QVERIFY(StackFile::mergeStackFile(store, TestEnvironment::writeFile(path("m.tsy"), file), now, &merged));
    QCOMPARE(storeSummary(store), expected);
    QCOMPARE((QList<qsizetype> {merged.groupsAdded, merged.entriesAdded, merged.alreadyThere}), counts);
    QCOMPARE(store.urlDatas().Count(), before + merged.entriesAdded);
    QCOMPARE(store.changeCount(), 1);
    QCOMPARE(store.nextGroupNumber(), store.IDXList().groupCount());
    // New entries get new keys after the existing ones.
    QCOMPARE(store.urlDatas().Item(store.urlDatas().Count())->keyNumber(), quint32(store.urlDatas().Count()));

    // The plain load with merge set merges the same way.
    URLBlock again;
    QVERIFY(StackFile::loadStackFile(again, path("s.tsy"), false, now));
    QVERIFY(StackFile::loadStackFile(again, path("m.tsy"), true, now));
    QCOMPARE(storeSummary(again), expected);
}

QTEST_GUILESS_MAIN(TestStackFile)
#include "TestStackFile.moc"
