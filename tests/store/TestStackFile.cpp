// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileIO.h"
#include "FilePaths.h"
#include "LineReader.h"
#include "StackFile.h"
#include "StoreMerge.h"
#include "StoreSummary.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QtTest>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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

// Reading and writing stack files.
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

    void writesExactText();
    void writesNothingForEmptyStore();
    void writesEntriesOfNoGroupFirst();
    void writesFieldsThatCannotBreakLines();
    void writesGroupsInTableOrder();
    void failedSaveKeepsOldFile();
    void saveToFolderFails();
    void saveKeepsPermissions();
    void saveRemovesAbandonedTemporaries_data();
    void saveRemovesAbandonedTemporaries();
    void cleaningNeverRemovesALiveWrite_data();
    void cleaningNeverRemovesALiveWrite();
    void pathsKeepTheirBytes_data();
    void pathsKeepTheirBytes();
    void namesThatAreNotUtf8_data();
    void namesThatAreNotUtf8();

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

void TestStackFile::writesExactText()
{
    URLBlock store;
    store.NewCatagory("News");
    URLData *entry = store.urlDatas().Add("T", "U", 0);
    entry->LastAccesed = entry->Created = 36499.0 + 18.1 / 24;
    entry->Visited = 3;
    entry->Rated = 2;
    store.countChange();
    QVERIFY(StackFile::saveStackFile(store, path("out.tsy")));
    QCOMPARE(TestEnvironment::readFile(path("out.tsy")), "+News\r\n" + exampleEntry + "\r\n");
    QCOMPARE(store.changeCount(), 0);
}

void TestStackFile::writesNothingForEmptyStore()
{
    URLBlock store;
    QVERIFY(StackFile::saveStackFile(store, path("empty.tsy")));
    QVERIFY(QFileInfo::exists(path("empty.tsy")));
    QCOMPARE(TestEnvironment::readFile(path("empty.tsy")), QByteArray());
}

void TestStackFile::writesEntriesOfNoGroupFirst()
{
    URLBlock store;
    store.NewCatagory("G");
    store.urlDatas().Add("in group", "u", 0);
    store.urlDatas().Add("no group", "u", -1);
    store.urlDatas().Add("lost group", "u", 5);
    QVERIFY(StackFile::saveStackFile(store, path("out.tsy")));
    const QList<QByteArray> lines = TestEnvironment::readFile(path("out.tsy")).split('\n');
    QVERIFY(lines[0].startsWith("u\x05no group\x05"));
    QVERIFY(lines[1].startsWith("u\x05lost group\x05"));
    QCOMPARE(lines[2], QByteArray("+G\r"));

    URLBlock back;
    QVERIFY(StackFile::loadStackFile(back, path("out.tsy"), false, now));
    QCOMPARE(back.urlDatas().Count(), 3);
    QCOMPARE(back.urlDatas().Item(1)->Owner, -1);
    QCOMPARE(back.urlDatas().Item(2)->Owner, -1);
    QCOMPARE(back.urlDatas().Item(3)->Owner, 0);

    // Each entry's key when read, and back to the store's key; a key past
    // the last names no entry.
    store.NewCatagory("H");
    store.urlDatas().Add("in H", "u", 1);
    store.urlDatas().Add("in group too", "u", 0);
    QVERIFY(StackFile::saveStackFile(store, path("out.tsy")));
    QVERIFY(StackFile::loadStackFile(back, path("out.tsy"), false, now));
    for (const URLData &entry : store.urlDatas()) {
        const quint32 whenRead = StackFile::keyNumberWhenRead(store, entry);
        QCOMPARE(back.urlDatas().Item(back.urlDatas().positionOfKey(whenRead))->Name, entry.Name);
        QCOMPARE(StackFile::keyNumberInStore(store, whenRead), entry.keyNumber());
    }
    QCOMPARE(StackFile::keyNumberInStore(store, 0), 0u);
    QCOMPARE(StackFile::keyNumberInStore(store, 6), 0u);
}

void TestStackFile::writesFieldsThatCannotBreakLines()
{
    URLBlock store;
    store.NewCatagory("Gr\x05oup\r\nname");
    store.urlDatas().Add("ti\ntle\x05x", "http://a\r\nb", 0);
    store.urlDatas().Add(QString::fromUtf8("Zürich — ☃"), "u", 0);
    QVERIFY(StackFile::saveStackFile(store, path("out.tsy")));
    const QByteArray text = TestEnvironment::readFile(path("out.tsy"));
    QCOMPARE(text.count("\r\n"), 3);
    QCOMPARE(text.count('\n'), 3);
    QVERIFY(text.contains(QString::fromUtf8("Zürich — ☃").toUtf8()));

    URLBlock back;
    QVERIFY(StackFile::loadStackFile(back, path("out.tsy"), false, now));
    QCOMPARE(back.IDXList().at(0).name, QString("Gr oup  name"));
    QCOMPARE(back.urlDatas().Item(1)->Name, QString("ti tle x"));
    QCOMPARE(back.urlDatas().Item(1)->url, QString("http://a  b"));
    QCOMPARE(back.urlDatas().Item(2)->Name, QString::fromUtf8("Zürich — ☃"));
}

void TestStackFile::writesGroupsInTableOrder()
{
    URLBlock store;
    store.NewCatagory("A");
    store.NewCatagory("B");
    for (const auto &[name, owner] : QList<QPair<QString, int>> {{"b1", 1}, {"a1", 0}, {"b2", 1}, {"a2", 0}})
        store.urlDatas().Add(name, "u", owner);
    QVERIFY(StackFile::saveStackFile(store, path("out.tsy")));
    QStringList order;
    for (const QByteArray &line : TestEnvironment::readFile(path("out.tsy")).split('\n'))
        order << QString::fromUtf8(line.split('\x05').value(line.contains('\x05') ? 1 : 0).trimmed());
    QCOMPARE(order, (QStringList {"+A", "a1", "a2", "+B", "b1", "b2", ""}));
}

// A write that fails half-way (as on a full disk) leaves the old file whole;
// the error gives the failing system call's own message.
void TestStackFile::failedSaveKeepsOldFile()
{
    const QByteArray old = "+Old\r\n" + exampleEntry + "\r\n";
    const QString file = TestEnvironment::writeFile(path("keep.tsy"), old);
    URLBlock store;
    store.NewCatagory("New");
    for (int i = 0; i < 1000; ++i)
        store.urlDatas().Add(QString("entry %1").arg(i), "https://example.org/", 0);
    store.countChange();

    QString error;
    const bool saved = TestEnvironment::withSmallFileLimit([&] { return StackFile::saveStackFile(store, file, &error); });

    QVERIFY(!saved);
    QCOMPARE(error, file + ": could not be written: " + QString::fromLocal8Bit(std::strerror(EFBIG)));
    QCOMPARE(TestEnvironment::readFile(file), old);
    QCOMPARE(store.changeCount(), 1);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {"keep.tsy"});
}

void TestStackFile::saveToFolderFails()
{
    QDir(m_dir->path()).mkdir("folder.tsy");
    URLBlock store;
    store.NewCatagory("G");
    store.countChange();
    QString error;
    QVERIFY(!StackFile::saveStackFile(store, path("folder.tsy"), &error));
    QVERIFY(!StackFile::saveStackFile(store, path("no/such/folder/x.tsy"), &error));
    QVERIFY(error.contains("x.tsy"));
    QCOMPARE(store.changeCount(), 1);
    QVERIFY(QFileInfo(path("folder.tsy")).isDir());
}

// The new file replaces the old one with the old one's permissions; a new
// file gets the usual ones.
void TestStackFile::saveKeepsPermissions()
{
    const QString file = TestEnvironment::writeFile(path("kept.tsy"), "+Old\r\n");
    const auto restricted = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(file, restricted));
    URLBlock store;
    store.NewCatagory("New");
    QVERIFY(StackFile::saveStackFile(store, file));
    QVERIFY(StackFile::saveStackFile(store, path("new.tsy")));
    QCOMPARE(TestEnvironment::readFile(file), QByteArray("+New\r\n"));
    QCOMPARE(QFile::permissions(file), restricted | QFile::ReadUser | QFile::WriteUser);
    const QString plain = TestEnvironment::writeFile(path("plain"), "");
    QCOMPARE(QFile::permissions(path("new.tsy")), QFile::permissions(plain));
}

void TestStackFile::saveRemovesAbandonedTemporaries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");  // file, held (a live writer's), folder, link, hard link (to the file)
    QTest::addColumn<bool>("removed");

    QTest::newRow("left by a killed save") << "keep.tsy.tmp-0123abcd" << "file" << true;
    QTest::newRow("left by a killed backup") << "keep.bak.tmp-89abcdef" << "file" << true;
    QTest::newRow("a live writer's") << "keep.tsy.tmp-00000001" << "held" << false;
    QTest::newRow("a live writer's backup") << "keep.bak.tmp-00000002" << "held" << false;
    QTest::newRow("another file's") << "other.tsy.tmp-0123abcd" << "file" << false;
    QTest::newRow("upper-case digits") << "keep.tsy.tmp-0123ABCD" << "file" << false;
    QTest::newRow("seven digits") << "keep.tsy.tmp-0123abc" << "file" << false;
    QTest::newRow("nine digits") << "keep.tsy.tmp-0123abcde" << "file" << false;
    QTest::newRow("a folder") << "keep.tsy.tmp-0123abcd" << "folder" << false;
    QTest::newRow("a link") << "keep.tsy.tmp-0123abcd" << "link" << false;
    // A save killed between making the backup and replacing the file.
    QTest::newRow("a backup that is the file") << "keep.bak" << "hard link" << false;
}

// A save removes the temporary files that killed saves of the same file left
// beside it, and nothing else: not those a live writer holds, not other names.
void TestStackFile::saveRemovesAbandonedTemporaries()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, removed);

    const QString file = TestEnvironment::writeFile(path("keep.tsy"), "+Old\r\n");
    const QString outside = TestEnvironment::writeFile(path("outside"), "kept");
    const QString temporary = path(name);
    int held = -1;
    if (kind == "folder") {
        QVERIFY(QDir(m_dir->path()).mkdir(name));
    } else if (kind == "link") {
        QVERIFY(QFile::link(outside, temporary));
    } else if (kind == "hard link") {
        QCOMPARE(::link(QFile::encodeName(file).constData(), QFile::encodeName(temporary).constData()), 0);
    } else {
        TestEnvironment::writeFile(temporary, "half a file");
        if (kind == "held") {
            held = ::open(QFile::encodeName(temporary).constData(), O_RDONLY);
            QVERIFY(held >= 0 && ::flock(held, LOCK_EX | LOCK_NB) == 0);
        }
    }
    URLBlock store;
    store.NewCatagory("New");
    QVERIFY(StackFile::saveStackFileWithBackup(store, file, path("keep.bak")));
    if (held >= 0)
        ::close(held);

    QCOMPARE(QFileInfo::exists(temporary) || QFileInfo(temporary).isSymLink(), !removed);
    QCOMPARE(TestEnvironment::readFile(file), QByteArray("+New\r\n"));
    QCOMPARE(TestEnvironment::readFile(path("keep.bak")), QByteArray("+Old\r\n"));
    QCOMPARE(TestEnvironment::readFile(outside), QByteArray("kept"));
    QStringList left = QDir(m_dir->path()).entryList({"keep.*.tmp-*"}, QDir::AllEntries | QDir::System);
    left.removeOne(name);
    QCOMPARE(left, QStringList());  // nothing of this save
}

void TestStackFile::cleaningNeverRemovesALiveWrite_data()
{
    QTest::addColumn<bool>("whileWriting");  // else after the content, before the old file is replaced
    QTest::newRow("while its content is written") << true;
    QTest::newRow("before it replaces the old file") << false;
}

// Another writer's save cleans up beside the file while a save is under way:
// the temporary file of the save under way is its writer's and stays.
void TestStackFile::cleaningNeverRemovesALiveWrite()
{
    QFETCH(bool, whileWriting);
    const QString file = TestEnvironment::writeFile(path("busy.tsy"), "old");
    const auto othersClean = [&file] { FileIO::removeAbandonedTemporaries(file); };
    const FileIO::ContentWriter content = [&](const FileIO::PieceWriter &write) {
        write("new ");
        if (whileWriting)
            othersClean();
        write("content");
    };
    const FileIO::BeforeReplace beforeReplace = [&](QString *) {
        if (!whileWriting)
            othersClean();
        return true;
    };
    QString error;
    QVERIFY2(FileIO::saveFile(file, content, &error, beforeReplace), qPrintable(error));
    QCOMPARE(TestEnvironment::readFile(file), QByteArray("new content"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {"busy.tsy"});
}

void TestStackFile::pathsKeepTheirBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("path");
    const auto escape = [](uchar byte) { return QString(QChar(char16_t(0xDC00 + byte))); };
    QTest::newRow("UTF-8") << QByteArray("/tmp/caf\xc3\xa9 \xf0\x9f\x93\x9a.tsy")
                           << u"/tmp/caf\u00e9 \U0001F4DA.tsy"_qs;
    QTest::newRow("Windows-1252 byte") << QByteArray("caf\xe9.tsy") << "caf" + escape(0xe9) + ".tsy";
    QTest::newRow("character cut short") << QByteArray("a\xe2\x82") << "a" + escape(0xe2) + escape(0x82);
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << escape(0xc0) + escape(0xaf);
    QTest::newRow("encoded surrogate")
        << QByteArray("\xed\xb3\xa9") << escape(0xed) + escape(0xb3) + escape(0xa9);
    QTest::newRow("four-byte character next to a stray byte")
        << QByteArray("\xf0\x90\x82\x80\xe9") << u"\U00010080"_qs + escape(0xe9);
    QTest::newRow("stray byte before a character")
        << QByteArray("\xff\xc3\xa9") << escape(0xff) + u"\u00e9"_qs;
}

// A name that is not UTF-8 reads as its characters and its stray bytes, and
// gives back the very bytes.
void TestStackFile::pathsKeepTheirBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, path);
    QCOMPARE(FilePaths::decode(bytes), path);
    QCOMPARE(FilePaths::encode(path), bytes);
}

void TestStackFile::namesThatAreNotUtf8_data()
{
    QTest::addColumn<QByteArray>("name");          // what is saved to and loaded from
    QTest::addColumn<QByteArray>("target");        // of the link that name is; empty for none
    QTest::addColumn<QList<QByteArray>>("names");  // in the folder afterwards
    QTest::newRow("a file, its backup made")
        << QByteArray("caf\xe9.tsy") << QByteArray() << QList<QByteArray> {"caf\xe9.bak", "caf\xe9.tsy"};
    QTest::newRow("a link, the file it leads to replaced")
        << QByteArray("l\xefnk.tsy") << QByteArray("caf\xe9.tsy")
        << QList<QByteArray> {"caf\xe9.bak", "caf\xe9.tsy", "l\xefnk.tsy"};
    QTest::newRow("a link to a file yet to be made")
        << QByteArray("l\xefnk.tsy") << QByteArray("n\xe9w.tsy")
        << QList<QByteArray> {"caf\xe9.tsy", "l\xefnk.tsy", "n\xe9w.tsy"};
}

// A stack file whose name is not UTF-8 is saved with its backup, through its
// links, and loaded, under its own name; nothing else is left in its folder.
void TestStackFile::namesThatAreNotUtf8()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, target);
    QFETCH(QList<QByteArray>, names);
    const QByteArray folder = QFile::encodeName(m_dir->path()) + '/';
    const QByteArray old = "+Old\r\n";
    TestEnvironment::writeFileAt(folder + "caf\xe9.tsy", old);
    if (!target.isEmpty())
        QCOMPARE(::symlink(target.constData(), QByteArray(folder + name).constData()), 0);
    URLBlock store;
    store.NewCatagory(u"Caf\u00e9"_qs);
    store.urlDatas().Add("T", "U", 0);
    const QString path = FilePaths::decode(QByteArray(folder + name));
    QString error;
    QVERIFY2(StackFile::saveStackFileWithBackup(
                 store, path, FilePaths::decode(QByteArray(folder + "caf\xe9.bak")), &error),
             qPrintable(error));
    const QByteArray written = "+Caf\xc3\xa9\r\n";
    QVERIFY(TestEnvironment::readFileAt(folder + (target.isEmpty() ? name : target)).startsWith(written));
    if (names.contains("caf\xe9.bak"))
        QCOMPARE(TestEnvironment::readFileAt(folder + "caf\xe9.bak"), old);
    URLBlock loaded;
    QVERIFY2(StackFile::loadStackFile(loaded, path, false, now, &error), qPrintable(error));
    QCOMPARE(loaded.IDXList().nameOf(0), u"Caf\u00e9"_qs);
    QCOMPARE(TestEnvironment::namesAt(folder), names);
}

QTEST_GUILESS_MAIN(TestStackFile)
#include "TestStackFile.moc"
