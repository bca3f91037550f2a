// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DefaultStackFile.h"
#include "ProgramOptions.h"
#include "ProgramPaths.h"
#include "StackFile.h"
#include "StackFileLoad.h"
#include "StackFileLock.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QtTest>
#include <memory>

namespace {

// A store as its file lists it: each group's name after "+", then the titles of its entries.
QStringList outline(const URLBlock &store)
{
    QStringList lines;
    for (int group = -1; group < store.IDXList().groupCount(); ++group) {
        if (group >= 0)
            lines << '+' + store.IDXList().at(group).name;
        for (const URLData &entry : store.urlDatas()) {
            if (entry.Owner == group || (group < 0 && !store.IDXList().isGroup(entry.Owner)))
                lines << entry.Name;
        }
    }
    return lines;
}

}  // namespace

// The default stack file, its backup and the automatic save.
class TestDefaultStackFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void pathsFollowStackBase_data();
    void pathsFollowStackBase();
    void storeWithoutEntries_data();
    void storeWithoutEntries();
    void firstSaveMakesNoBackup();
    void backupHoldsStateBeforeLastSave();
    void failedBackupKeepsEverything();
    void backupLeavesOtherFilesAlone();
    void failedWriteKeepsEverything();
    void missingFileIsNotOverwrittenByEmptyStore();
    void linkedFileIsBackedUpByContent();
    void fileIsNeverItsOwnBackup();
    void failedAutomaticSaveKeepsChangesPending();
    void unreadFileIsNotReplaced();
    void loadInSlicesHoldsContentOnlyWhenWhole_data();
    void loadInSlicesHoldsContentOnlyWhenWhole();
    void shouldSaveUrls_data();
    void shouldSaveUrls();
    void lockHeldWhileStoreHoldsFile_data();
    void lockHeldWhileStoreHoldsFile();
    void fileOfAnotherWriterIsNotRead();
    void unloadedFileIsMergedInto_data();
    void unloadedFileIsMergedInto();
    void stackBaseFromCommandLine_data();
    void stackBaseFromCommandLine();
    void stackFileProblems_data();
    void stackFileProblems();
    void defaultFileMovedFromProgramFolder_data();
    void defaultFileMovedFromProgramFolder();
    void programOptions_data();
    void programOptions();

private:
    QString base() const { return m_dir->filePath("work"); }
    void fill(URLBlock &store, const QString &title);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDefaultStackFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestDefaultStackFile::fill(URLBlock &store, const QString &title)
{
    if (store.IDXList().isEmpty())
        store.NewCatagory("G");
    store.urlDatas().Add(title, "https://example.org/", 0)->Created = 40000.5;
    store.countChange();
}

void TestDefaultStackFile::pathsFollowStackBase_data()
{
    QTest::addColumn<QString>("stackBase");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("backup");

    QTest::newRow("plain name") << "/d/work"
                                << "/d/work.tsy"
                                << "/d/work.bak";
    QTest::newRow("a file's path, ending in .tsy") << "/d/work.tsy"
                                                   << "/d/work.tsy"
                                                   << "/d/work.bak";
    QTest::newRow("a file's path, ending in .TSY") << "/d/Work.TSY"
                                                   << "/d/Work.TSY"
                                                   << "/d/Work.bak";
    QTest::newRow("\".tsy\" inside the name") << "/d/work.tsy.old"
                                              << "/d/work.tsy.old.tsy"
                                              << "/d/work.tsy.old.bak";
    QTest::newRow("blanks kept") << "/d/my list "
                                 << "/d/my list .tsy"
                                 << "/d/my list .bak";
}

void TestDefaultStackFile::pathsFollowStackBase()
{
    QFETCH(QString, stackBase);
    QFETCH(QString, file);
    QFETCH(QString, backup);
    URLBlock store;
    const DefaultStackFile stack(store, stackBase);
    QCOMPARE(stack.path(), file);
    QCOMPARE(stack.backupPath(), backup);
}

// Only a store with neither groups nor entries writes nothing: a new user's
// first groups are saved before any entry is added.
void TestDefaultStackFile::storeWithoutEntries_data()
{
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<bool>("looseEntry");  // an entry of no group
    QTest::addColumn<QByteArray>("file");  // after the save
    QTest::addColumn<QByteArray>("backup");

    QTest::newRow("neither groups nor entries: nothing written")
        << QStringList() << false << QByteArray("+Old\r\n") << QByteArray("+Older\r\n");
    // The file was not loaded: the store is added to what it holds.
    QTest::newRow("groups only: written")
        << QStringList {"A", "B"} << false << QByteArray("+Old\r\n+A\r\n+B\r\n") << QByteArray("+Old\r\n");
    QTest::newRow("an entry of no group only: written")
        << QStringList() << true
        << "+Old\r\n" + TestEnvironment::entryLine({"u", "loose", "0", "9C4000000", "0", "0", "0"}) + "\r\n"
        << QByteArray("+Old\r\n");
}

void TestDefaultStackFile::storeWithoutEntries()
{
    QFETCH(QStringList, groups);
    QFETCH(bool, looseEntry);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, backup);
    TestEnvironment::writeFile(base() + ".tsy", "+Old\r\n");
    TestEnvironment::writeFile(base() + ".bak", "+Older\r\n");
    URLBlock store;
    for (const QString &group : groups)
        store.NewCatagory(group);
    if (looseEntry)
        store.urlDatas().Add("loose", "u", -1)->Created = 40000.0;
    store.countChange();
    DefaultStackFile stack(store, base());
    QVERIFY(stack.shouldSaveUrls(true));
    QCOMPARE(TestEnvironment::readFile(base() + ".tsy"), file);
    QCOMPARE(TestEnvironment::readFile(base() + ".bak"), backup);
}

void TestDefaultStackFile::firstSaveMakesNoBackup()
{
    URLBlock store;
    fill(store, "first");
    DefaultStackFile stack(store, base());
    QVERIFY(stack.DePopulate());
    QVERIFY(QFileInfo::exists(base() + ".tsy"));
    QVERIFY(!QFileInfo::exists(base() + ".bak"));
    QCOMPARE(store.changeCount(), 0);
}

void TestDefaultStackFile::backupHoldsStateBeforeLastSave()
{
    URLBlock store;
    DefaultStackFile stack(store, base());
    TestEnvironment::writeFile(base() + ".bak", "+stale backup\r\n");
    fill(store, "one");
    QVERIFY(stack.DePopulate());
    const QByteArray afterFirst = TestEnvironment::readFile(base() + ".tsy");
    fill(store, "two");
    QVERIFY(stack.DePopulate());
    QCOMPARE(TestEnvironment::readFile(base() + ".bak"), afterFirst);
    QVERIFY(TestEnvironment::readFile(base() + ".tsy").contains("\x05two\x05"));

    // Saving again replaces the backup with the file just replaced.
    const QByteArray afterSecond = TestEnvironment::readFile(base() + ".tsy");
    QVERIFY(stack.DePopulate());
    QCOMPARE(TestEnvironment::readFile(base() + ".bak"), afterSecond);
    QVERIFY(!QFileInfo::exists(base() + ".bak.new"));
}

// A backup that cannot be made stops the save: the old file stays as it was.
void TestDefaultStackFile::failedBackupKeepsEverything()
{
    TestEnvironment::writeFile(base() + ".tsy", "+Old\r\n");
    QDir(m_dir->path()).mkdir("work.bak");
    URLBlock store;
    fill(store, "new");
    DefaultStackFile stack(store, base());
    QString error;
    QVERIFY(!stack.DePopulate(&error));
    QVERIFY2(error.contains("work.bak"), qPrintable(error));
    QCOMPARE(TestEnvironment::readFile(base() + ".tsy"), QByteArray("+Old\r\n"));
    QCOMPARE(store.changeCount(), 1);
}

// The backup is staged under a name of its own: a file of another writer
// beside it is neither used nor removed, and nothing is left behind.
void TestDefaultStackFile::backupLeavesOtherFilesAlone()
{
    TestEnvironment::writeFile(base() + ".tsy", "+Old\r\n");
    TestEnvironment::writeFile(base() + ".bak.new", "another writer's\r\n");
    URLBlock store;
    fill(store, "new");
    DefaultStackFile stack(store, base());
    QVERIFY(stack.DePopulate());
    QCOMPARE(TestEnvironment::readFile(base() + ".bak"), QByteArray("+Old\r\n"));
    QCOMPARE(TestEnvironment::readFile(base() + ".bak.new"), QByteArray("another writer's\r\n"));
    stack.releaseLock();
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
             (QStringList {"work.bak", "work.bak.new", "work.tsy"}));
}

// A write that fails half-way (as on a full disk) leaves file and backup whole.
void TestDefaultStackFile::failedWriteKeepsEverything()
{
    TestEnvironment::writeFile(base() + ".tsy", "+Old\r\n");
    TestEnvironment::writeFile(base() + ".bak", "+Older\r\n");
    URLBlock store;
    for (int i = 0; i < 2000; ++i)
        fill(store, QString("entry %1").arg(i));

    DefaultStackFile stack(store, base());
    const bool saved = TestEnvironment::withSmallFileLimit([&] { return stack.DePopulate(); });

    QVERIFY(!saved);
    QCOMPARE(TestEnvironment::readFile(base() + ".tsy"), QByteArray("+Old\r\n"));
    QCOMPARE(TestEnvironment::readFile(base() + ".bak"), QByteArray("+Older\r\n"));
    QCOMPARE(store.changeCount(), 2000);
}

void TestDefaultStackFile::missingFileIsNotOverwrittenByEmptyStore()
{
    URLBlock store;
    DefaultStackFile stack(store, base());
    QString error;
    QVERIFY(!stack.Populate(40000.0, &error));
    QVERIFY(error.contains("work.tsy"));
    QVERIFY(stack.DePopulate());
    QVERIFY(stack.shouldSaveUrls(true));
    QVERIFY(!QFileInfo::exists(base() + ".tsy"));
}

// A default file that is a link to the real file: the backup holds the old
// content, and the link still leads to the new.
void TestDefaultStackFile::linkedFileIsBackedUpByContent()
{
    const QString real = TestEnvironment::writeFile(m_dir->filePath("real.tsy"), "+Old\r\n");
    QVERIFY(QFile::link(real, base() + ".tsy"));
    TestEnvironment::writeFile(base() + ".bak", "+Older\r\n");
    URLBlock store;
    fill(store, "new");
    DefaultStackFile stack(store, base());
    QVERIFY(stack.DePopulate());
    QCOMPARE(TestEnvironment::readFile(base() + ".bak"), QByteArray("+Old\r\n"));
    QVERIFY(!QFileInfo(base() + ".bak").isSymLink());
    QVERIFY(TestEnvironment::readFile(base() + ".tsy").contains("\x05new\x05"));
}

void TestDefaultStackFile::fileIsNeverItsOwnBackup()
{
    const QString file = TestEnvironment::writeFile(base() + ".tsy", "+Old\r\n");
    URLBlock store;
    fill(store, "new");
    QString error;
    QVERIFY(!StackFile::saveStackFileWithBackup(store, file, file, &error));
    QVERIFY(error.contains("own backup"));
    QCOMPARE(TestEnvironment::readFile(file), QByteArray("+Old\r\n"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {"work.tsy"});
}

void TestDefaultStackFile::failedAutomaticSaveKeepsChangesPending()
{
    TestEnvironment::writeFile(base() + ".tsy", "+Old\r\n");
    QDir(m_dir->path()).mkdir("work.bak");  // the backup cannot be made
    URLBlock store;
    fill(store, "new");
    fill(store, "newer");
    DefaultStackFile stack(store, base());
    QVERIFY(!stack.shouldSaveUrls(true));
    QCOMPARE(store.changeCount(), 2);
    QCOMPARE(TestEnvironment::readFile(base() + ".tsy"), QByteArray("+Old\r\n"));
}

// A default file that exists but could not be read (here: a folder in its
// place stands for any read failure) is not replaced by what the user adds to
// the empty store; once the file reads, saving works again.
void TestDefaultStackFile::unreadFileIsNotReplaced()
{
    QDir(m_dir->path()).mkdir("work.tsy");
    URLBlock store;
    DefaultStackFile stack(store, base());
    QVERIFY(!stack.Populate(40000.0));
    fill(store, "added after the failed load");
    QString error;
    QVERIFY(!stack.DePopulate(&error));
    QVERIFY2(error.contains("not replaced"), qPrintable(error));
    QVERIFY(QFileInfo(base() + ".tsy").isDir());
    QCOMPARE(store.changeCount(), 1);

    QDir(m_dir->path()).rmdir("work.tsy");
    TestEnvironment::writeFile(base() + ".tsy", "+G\r\n");
    QVERIFY(stack.Populate(40000.0));
    fill(store, "new");
    QVERIFY(stack.DePopulate());
}

void TestDefaultStackFile::loadInSlicesHoldsContentOnlyWhenWhole_data()
{
    QTest::addColumn<QString>("file");       // "large", "small", "folder" or "none"
    QTest::addColumn<bool>("dropped");       // after its first slice
    QTest::addColumn<int>("entriesLoaded");
    QTest::addColumn<int>("entriesInFile");  // after a save of the store with one entry added; -1: not saved
    QTest::addColumn<bool>("merged");
    QTest::newRow("read to its end") << "large" << false << 40000 << 40001 << false;
    QTest::newRow("dropped half-way") << "large" << true << 0 << 40001 << true;
    QTest::newRow("small file, read at once") << "small" << true << 1 << 2 << false;
    QTest::newRow("cannot be read") << "folder" << false << 0 << -1 << false;
    QTest::newRow("not there") << "none" << false << 0 << 1 << false;
}

// The window reads the default file in slices into a store of its own. The
// store holds the file's content only once the whole file is in; a load that
// is dropped half-way, or fails, leaves the store empty and the file counted
// as not loaded, so a later save adds to the file instead of replacing it.
void TestDefaultStackFile::loadInSlicesHoldsContentOnlyWhenWhole()
{
    QFETCH(QString, file);
    QFETCH(bool, dropped);
    QFETCH(int, entriesLoaded);
    QFETCH(int, entriesInFile);
    QFETCH(bool, merged);
    if (file == "large")
        TestEnvironment::writeFile(base() + ".tsy", TestEnvironment::largeStackFile(40000));
    else if (file == "small")
        TestEnvironment::writeFile(base() + ".tsy", TestEnvironment::largeStackFile(1));
    else if (file == "folder")
        QDir(m_dir->path()).mkdir("work.tsy");
    URLBlock store;
    fill(store, "before the load");
    DefaultStackFile stack(store, base());
    QVERIFY(stack.beginPopulate());
    QCOMPARE(store.urlDatas().Count(), 0);
    QVERIFY(stack.holdsLock());
    bool loaded = false;
    {
        StackFileLoad load(stack.path(), 40000.0);
        load.setSliceTime(std::chrono::nanoseconds(0));  // a piece of a MiB a slice
        QSignalSpy finished(&load, &StackFileLoad::finished);
        load.start();
        QCoreApplication::processEvents();
        QCOMPARE(store.urlDatas().Count(), 0);  // never half-loaded
        if (!dropped)
            QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.count(), file == "large" ? int(!dropped) : 1);
        loaded = !finished.isEmpty() && finished.first().first().toBool();
        if (loaded)
            load.takeStore(store);
    }
    stack.endPopulate(loaded);
    QCOMPARE(store.urlDatas().Count(), entriesLoaded);
    QCOMPARE(store.changeCount(), 0);
    QCOMPARE(stack.holdsUnloadedContent(), !loaded && file != "none");

    fill(store, "added after the load");
    // Keys go on after the loaded ones.
    QCOMPARE(store.urlDatas().Item(qsizetype(entriesLoaded + 1))->keyNumber(), quint32(entriesLoaded + 1));
    QString error;
    QCOMPARE(stack.DePopulate(&error), entriesInFile >= 0);
    QCOMPARE(stack.lastSaveNote().isEmpty(), !merged);
    if (entriesInFile < 0) {
        QVERIFY2(error.contains("not replaced"), qPrintable(error));
        return;
    }
    URLBlock saved;
    QVERIFY(StackFile::loadStackFile(saved, base() + ".tsy", false, 40000.0));
    QCOMPARE(saved.urlDatas().Count(), entriesInFile);
}

void TestDefaultStackFile::shouldSaveUrls_data()
{
    QTest::addColumn<bool>("withGroup");
    QTest::addColumn<bool>("withEntry");
    QTest::addColumn<int>("changes");
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("changesAfter");

    QTest::newRow("no changes: nothing written") << true << true << 0 << true << false << 0;
    QTest::newRow("changes, saving on: written") << true << true << 2 << true << true << 0;
    QTest::newRow("changes, saving off: dropped") << true << true << 2 << false << false << 0;
    QTest::newRow("changes to groups without entries: written") << true << false << 2 << true << true << 0;
    QTest::newRow("changes to an empty store: kept pending") << false << false << 2 << true << false << 2;
}

void TestDefaultStackFile::shouldSaveUrls()
{
    QFETCH(bool, withGroup);
    QFETCH(bool, withEntry);
    QFETCH(int, changes);
    QFETCH(bool, autoSave);
    QFETCH(bool, written);
    QFETCH(int, changesAfter);

    URLBlock store;
    if (withGroup)
        store.NewCatagory("G");
    if (withEntry)
        store.urlDatas().Add("e", "u", withGroup ? 0 : -1);
    for (int i = 0; i < changes; ++i)
        store.countChange();
    DefaultStackFile stack(store, base());
    QVERIFY(stack.shouldSaveUrls(autoSave));
    QCOMPARE(QFileInfo::exists(base() + ".tsy"), written);
    QCOMPARE(store.changeCount(), changesAfter);
}

// The program holds the default file's lock from Populate (also of a file
// not there yet) or DePopulate until releaseLock or another stack base. While
// it does, another program's store cannot load or save the file, and a tsy
// command is refused at once. A lock file that no live writer holds, empty
// or naming a holder, is no obstacle.
void TestDefaultStackFile::lockHeldWhileStoreHoldsFile_data()
{
    QTest::addColumn<QByteArray>("lockFile");  // left beside the file beforehand; null: none
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<QString>("takenBy");  // "Populate" or "DePopulate"
    QTest::addColumn<QString>("thenBy");   // what ends the hold: "releaseLock", "setStackBase" or nothing

    QTest::newRow("Populate, released") << QByteArray() << true << "Populate"
                                        << "releaseLock";
    QTest::newRow("Populate of a file not there yet") << QByteArray() << false << "Populate"
                                                      << "releaseLock";
    QTest::newRow("DePopulate, released") << QByteArray() << true << "DePopulate"
                                          << "releaseLock";
    QTest::newRow("another stack base releases") << QByteArray() << true << "Populate"
                                                 << "setStackBase";
    QTest::newRow("empty lock file left by a kill") << QByteArray("") << true << "Populate"
                                                    << "releaseLock";
    QTest::newRow("lock file naming a holder that is gone")
        << QByteArray("tsy 2147483646\n") << true << "DePopulate"
        << "releaseLock";
}

void TestDefaultStackFile::lockHeldWhileStoreHoldsFile()
{
    QFETCH(QByteArray, lockFile);
    QFETCH(bool, fileThere);
    QFETCH(QString, takenBy);
    QFETCH(QString, thenBy);
    const QString file = base() + ".tsy";
    if (!lockFile.isNull())
        TestEnvironment::writeFile(file + ".lock", lockFile);
    if (fileThere)
        TestEnvironment::writeFile(file, "+G\r\n");
    URLBlock store;
    DefaultStackFile stack(store, base());
    QCOMPARE(stack.holdsLock(), false);
    fill(store, "ours");
    QString error;
    const bool done = takenBy == "Populate" ? stack.Populate(40000.0, &error) : stack.DePopulate(&error);
    QVERIFY2(takenBy == "Populate" ? done == fileThere : done, qPrintable(error));
    QVERIFY(stack.holdsLock());
    const QByteArray content = TestEnvironment::readFile(file);

    URLBlock otherStore;
    DefaultStackFile other(otherStore, base());
    fill(otherStore, "theirs");
    QVERIFY(!other.Populate(40000.0, &error));
    QCOMPARE(error, file + " is open in Tessaly: flush it first");
    QCOMPARE(otherStore.urlDatas().Count(), 0);
    fill(otherStore, "theirs");
    QVERIFY(!other.DePopulate(&error));
    QVERIFY(!other.holdsLock());
    StackFileLock tool(file, StackFileLock::Holder::Tool);
    QVERIFY(!tool.tryLock());
    QCOMPARE(tool.holder(), StackFileLock::Holder::Program);
    QCOMPARE(TestEnvironment::readFile(file), content);

    if (thenBy == "releaseLock")
        stack.releaseLock();
    else
        stack.setStackBase(base() + "2");
    QVERIFY(!stack.holdsLock());
    QVERIFY(tool.tryLock());
    tool.unlock();
    QVERIFY(!QFileInfo::exists(file + ".lock"));
    other.Populate(40000.0);
    QVERIFY(other.holdsLock());
}

// A tsy command that keeps the file locked longer than the program waits:
// nothing is read, and the file is not replaced by what the user then adds.
void TestDefaultStackFile::fileOfAnotherWriterIsNotRead()
{
    TestEnvironment::writeFile(base() + ".tsy", "+Theirs\r\n");
    StackFileLock tool(base() + ".tsy", StackFileLock::Holder::Tool);
    QVERIFY(tool.tryLock());
    URLBlock store;
    fill(store, "before");
    DefaultStackFile stack(store, base());
    QString error;
    QVERIFY(!stack.Populate(40000.0, &error));
    QCOMPARE(error, base() + ".tsy is being changed by another tsy command: try again");
    QCOMPARE(store.urlDatas().Count(), 0);
    QVERIFY(store.IDXList().isEmpty());
    tool.unlock();

    // Once the other writer is done, what the user added joins their file.
    fill(store, "added after the failed load");
    QVERIFY2(stack.DePopulate(&error), qPrintable(error));
    QCOMPARE(TestEnvironment::readFile(base() + ".bak"), QByteArray("+Theirs\r\n"));
    QVERIFY(stack.Populate(40000.0));
    QCOMPARE(outline(store), QStringList({"+Theirs", "+G", "added after the failed load"}));
}

// An automatic save never replaces a default file whose content the store
// does not hold while it holds groups or entries: the store is added to it,
// the backup keeps what it was, and the save says so.
void TestDefaultStackFile::unloadedFileIsMergedInto_data()
{
    QTest::addColumn<QByteArray>("file");     // before; null: none
    QTest::addColumn<QString>("session");     // what happened before the save
    QTest::addColumn<QString>("save");        // "automatic", "replace" (the user said so)
    QTest::addColumn<QStringList>("after");   // the file's outline after the save
    QTest::addColumn<bool>("noted");

    const QByteArray theirs = "+Home\r\n" + TestEnvironment::entryLine({"u1", "one", "0", "0", "1", "0", "0"})
        + "\r\n+Work\r\n" + TestEnvironment::entryLine({"u2", "two", "0", "0", "1", "0", "0"}) + "\r\n";
    const QStringList merged {"+Home", "one", "+Work", "two", "+G", "ours"};

    QTest::newRow("never loaded (Auto Load off): merged") << theirs << "nothing" << "automatic" << merged << true;
    QTest::newRow("loaded: replaced") << theirs << "loaded" << "automatic"
                                      << QStringList {"+Home", "one", "ours", "+Work", "two"} << false;
    QTest::newRow("loaded, another file opened in its place: merged")
        << theirs << "loaded, then another file" << "automatic" << QStringList {"+Home", "one", "+Work", "two", "+G", "ours"}
        << true;
    QTest::newRow("loaded, emptied by a flush: merged") << theirs << "loaded, then flushed" << "automatic" << merged << true;
    QTest::newRow("never loaded, the user replaces") << theirs << "nothing" << "replace" << QStringList {"+G", "ours"}
                                                     << false;
    QTest::newRow("never loaded, empty file: replaced") << QByteArray("") << "nothing" << "automatic"
                                                        << QStringList {"+G", "ours"} << false;
    QTest::newRow("never loaded, no file: written") << QByteArray() << "nothing" << "automatic"
                                                    << QStringList {"+G", "ours"} << false;
}

void TestDefaultStackFile::unloadedFileIsMergedInto()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, session);
    QFETCH(QString, save);
    QFETCH(QStringList, after);
    QFETCH(bool, noted);

    if (!file.isNull())
        TestEnvironment::writeFile(base() + ".tsy", file);
    URLBlock store;
    DefaultStackFile stack(store, base());
    if (session.startsWith("loaded"))
        QCOMPARE(stack.Populate(40000.0), !file.isNull());
    if (session.endsWith("another file")) {
        store.clear();
        stack.forgetLoadedContent();
    } else if (session.endsWith("flushed")) {
        store.clear();
        stack.releaseLock();
    }
    const bool wouldLoseContent = noted || (save == "replace" && !file.isEmpty());
    QCOMPARE(stack.holdsUnloadedContent(), wouldLoseContent);
    fill(store, "ours");
    QString error;
    const bool saved = save == "replace" ? stack.DePopulate(&error, DefaultStackFile::UnloadedContent::Replace)
                                         : stack.shouldSaveUrls(true, &error);
    QVERIFY2(saved, qPrintable(error));
    QCOMPARE(stack.lastSaveNote().isEmpty(), !noted);
    QCOMPARE(store.changeCount(), 0);

    URLBlock written;
    QVERIFY(StackFile::loadStackFile(written, base() + ".tsy", false, 40000.0));
    QCOMPARE(outline(written), after);
    if (!file.isNull())
        QCOMPARE(TestEnvironment::readFile(base() + ".bak"), file);
    // What this save wrote is the store's file from now on: a second save replaces it.
    if (!noted) {
        fill(store, "more");
        QVERIFY(stack.shouldSaveUrls(true));
        QVERIFY(stack.lastSaveNote().isEmpty());
    }
}

void TestDefaultStackFile::stackBaseFromCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("stackBase");  // "DATA/" the stack folder, "CWD/" the current folder

    QTest::newRow("none: Pemberly in the data folder") << QStringList() << "DATA/Pemberly";
    QTest::newRow("a bare name") << QStringList {"work"} << "DATA/work";
    QTest::newRow("words joined by blanks") << QStringList {"my", "list"} << "DATA/my list";
    QTest::newRow("an absolute path") << QStringList {"/d/e/file.tsy"} << "/d/e/file.tsy";
    QTest::newRow("an absolute path without the extension") << QStringList {"/d/e/file"} << "/d/e/file";
    QTest::newRow("a relative path") << QStringList {"sub/file.tsy"} << "CWD/sub/file.tsy";
    QTest::newRow("a name ending in .tsy is a path") << QStringList {"file.tsy"} << "CWD/file.tsy";
    QTest::newRow("a name ending in .TSY is a path") << QStringList {"File.TSY"} << "CWD/File.TSY";
    QTest::newRow("words ending in .tsy") << QStringList {"my", "list.tsy"} << "CWD/my list.tsy";
    QTest::newRow("a folder: its Pemberly") << QStringList {"/d/e/"} << "/d/e/Pemberly";
}

void TestDefaultStackFile::stackBaseFromCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, stackBase);
    stackBase.replace("DATA/", "/data/Tessaly/").replace("CWD/", QDir::currentPath() + '/');
    QCOMPARE(ProgramPaths::stackBase("/data/Tessaly", arguments), stackBase);
}

void TestDefaultStackFile::stackFileProblems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem");  // a part of the text; empty: none

    QTest::newRow("a readable file") << "file.tsy" << "";
    QTest::newRow("a file not there yet") << "new.tsy" << "";
    QTest::newRow("a folder") << "folder.tsy" << "is a folder";
    QTest::newRow("in a folder that does not exist") << "missing/file.tsy" << "no such folder";
}

void TestDefaultStackFile::stackFileProblems()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);
    TestEnvironment::writeFile(m_dir->filePath("file.tsy"), "+G\r\n");
    QDir(m_dir->path()).mkdir("folder.tsy");
    const QString found = ProgramPaths::stackFileProblem(m_dir->filePath(name));
    QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.contains(problem), qPrintable(found));
}

// The default file that earlier versions kept beside the program moves to
// the data folder once, with its backup; one already there is never replaced.
void TestDefaultStackFile::defaultFileMovedFromProgramFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("inProgramFolder");
    QTest::addColumn<QStringList>("inDataFolder");
    QTest::addColumn<QStringList>("dataFolderAfter");
    QTest::addColumn<QString>("noted");  // a part of the note; empty: none

    QTest::newRow("file and backup moved") << "Pemberly" << QStringList {"Pemberly.tsy", "Pemberly.bak"} << QStringList()
                                           << QStringList {"Pemberly.bak", "Pemberly.tsy"} << "were moved";
    QTest::newRow("file alone moved") << "Pemberly" << QStringList {"Pemberly.tsy"} << QStringList()
                                      << QStringList {"Pemberly.tsy"} << "were moved";
    QTest::newRow("data folder has one: nothing moved") << "Pemberly" << QStringList {"Pemberly.tsy", "Pemberly.bak"}
                                                        << QStringList {"Pemberly.tsy"}
                                                        << QStringList {"Pemberly.tsy"} << "was left where it is";
    QTest::newRow("a backup alone stays") << "Pemberly" << QStringList {"Pemberly.bak"} << QStringList() << QStringList() << "";
    QTest::newRow("nothing there") << "Pemberly" << QStringList() << QStringList() << QStringList() << "";
    QTest::newRow("other stack files stay") << "Pemberly" << QStringList {"work.tsy", "work.bak"} << QStringList() << QStringList()
                                            << "";
    QTest::newRow("the file the command line names") << "work" << QStringList {"work.tsy", "work.bak", "Pemberly.tsy"}
                                                     << QStringList() << QStringList {"work.bak", "work.tsy"} << "were moved";
}

void TestDefaultStackFile::defaultFileMovedFromProgramFolder()
{
    QFETCH(QString, name);
    QFETCH(QStringList, inProgramFolder);
    QFETCH(QStringList, inDataFolder);
    QFETCH(QStringList, dataFolderAfter);
    QFETCH(QString, noted);
    QDir(m_dir->path()).mkpath("bin");
    QDir(m_dir->path()).mkpath("data");
    const QString program = m_dir->filePath("bin");
    const QString data = m_dir->filePath("data");
    for (const QString &name : inProgramFolder)
        TestEnvironment::writeFile(program + '/' + name, "+old " + name.toUtf8() + "\r\n");
    for (const QString &name : inDataFolder)
        TestEnvironment::writeFile(data + '/' + name, "+kept\r\n");

    const QString note = ProgramPaths::moveStackFilesFrom(program, data, name);

    QVERIFY2(noted.isEmpty() ? note.isEmpty() : note.contains(noted), qPrintable(note));
    QCOMPARE(QDir(data).entryList(QDir::Files), dataFolderAfter);
    for (const QString &name : dataFolderAfter) {
        const QByteArray expected = inDataFolder.contains(name) ? QByteArray("+kept\r\n") : QByteArray("+old " + name.toUtf8() + "\r\n");
        QCOMPARE(TestEnvironment::readFile(data + '/' + name), expected);
        QCOMPARE(QFileInfo::exists(program + '/' + name), inDataFolder.contains(name));
    }
    // Once moved, the next start finds nothing more to move; one left behind is named again.
    QCOMPARE(ProgramPaths::moveStackFilesFrom(program, data, name).isEmpty(), noted != "was left where it is");
}

void TestDefaultStackFile::programOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("printed");  // the start of the text; empty: the program starts
    QTest::addColumn<int>("exitStatus");

    QTest::newRow("no arguments: started") << QStringList() << "" << 0;
    QTest::newRow("a name: started") << QStringList {"work"} << "" << 0;
    QTest::newRow("--help") << QStringList {"--help"} << "Usage: tessaly" << 0;
    QTest::newRow("-h") << QStringList {"-h"} << "Usage: tessaly" << 0;
    QTest::newRow("--version") << QStringList {"--version"} << "tessaly 1.2.3\n" << 0;
    QTest::newRow("--help after a name") << QStringList {"work", "--help"} << "Usage: tessaly" << 0;
    QTest::newRow("an unknown option") << QStringList {"--halp"} << "tessaly: unknown option --halp" << 2;
    QTest::newRow("--check-install") << QStringList {"--check-install"} << "(install check)" << 0;
    QTest::newRow("--check-install with a name: unknown")
        << QStringList {"work", "--check-install"} << "tessaly: unknown option --check-install" << 2;
}

// --help and --version answer without starting; no option becomes a file's name.
void TestDefaultStackFile::programOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, printed);
    QFETCH(int, exitStatus);
    // In the program's order.
    auto answer = ProgramOptions::informationAnswer(arguments, "1.2.3");
    if (!answer && ProgramOptions::asksInstallCheck(arguments))
        answer = ProgramOptions::Answer {"(install check)"};
    if (!answer)
        answer = ProgramOptions::unknownOptionAnswer(arguments);
    QCOMPARE(answer.has_value(), !printed.isEmpty());
    if (answer) {
        QVERIFY2(answer->text.startsWith(printed), qPrintable(answer->text));
        QCOMPARE(answer->exitStatus, exitStatus);
        QCOMPARE(answer->toStandardError, exitStatus != 0);
    }
}

QTEST_GUILESS_MAIN(TestDefaultStackFile)
#include "TestDefaultStackFile.moc"
