// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileIO.h"
#include "FilePaths.h"
#include "StackFile.h"
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

// The worked example: title T, address U, both dates 5 Dec 1999 18:06, 3 visits, rating 2.
const QByteArray exampleEntry = entryLine({"U", "T", "8E9312698", "8E9312698", "3", "0", "2"});

}  // namespace

// Writing stack files: the exact text, and saves that fail, keep what they
// must and leave nothing behind. (Reading them: TestStackFile.)
class TestStackFileSave : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

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

void TestStackFileSave::writesExactText()
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

void TestStackFileSave::writesNothingForEmptyStore()
{
    URLBlock store;
    QVERIFY(StackFile::saveStackFile(store, path("empty.tsy")));
    QVERIFY(QFileInfo::exists(path("empty.tsy")));
    QCOMPARE(TestEnvironment::readFile(path("empty.tsy")), QByteArray());
}

void TestStackFileSave::writesEntriesOfNoGroupFirst()
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

void TestStackFileSave::writesFieldsThatCannotBreakLines()
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

void TestStackFileSave::writesGroupsInTableOrder()
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
void TestStackFileSave::failedSaveKeepsOldFile()
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

void TestStackFileSave::saveToFolderFails()
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
void TestStackFileSave::saveKeepsPermissions()
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

void TestStackFileSave::saveRemovesAbandonedTemporaries_data()
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
void TestStackFileSave::saveRemovesAbandonedTemporaries()
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

void TestStackFileSave::cleaningNeverRemovesALiveWrite_data()
{
    QTest::addColumn<bool>("whileWriting");  // else after the content, before the old file is replaced
    QTest::newRow("while its content is written") << true;
    QTest::newRow("before it replaces the old file") << false;
}

// Another writer's save cleans up beside the file while a save is under way:
// the temporary file of the save under way is its writer's and stays.
void TestStackFileSave::cleaningNeverRemovesALiveWrite()
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

void TestStackFileSave::pathsKeepTheirBytes_data()
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
void TestStackFileSave::pathsKeepTheirBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, path);
    QCOMPARE(FilePaths::decode(bytes), path);
    QCOMPARE(FilePaths::encode(path), bytes);
}

void TestStackFileSave::namesThatAreNotUtf8_data()
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
void TestStackFileSave::namesThatAreNotUtf8()
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

QTEST_GUILESS_MAIN(TestStackFileSave)
#include "TestStackFileSave.moc"
