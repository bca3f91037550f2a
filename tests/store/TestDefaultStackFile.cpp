// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DefaultStackFile.h"
#include "DefaultStackFixture.h"
#include "StackFile.h"
#include "StackFileLoad.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QtTest>

// The default stack file, its backup and the automatic save. (Its lock and
// other writers: TestStackFileWriters; where it is: TestProgramPaths.)
class TestDefaultStackFile : public QObject, protected DefaultStackFixture
{
    Q_OBJECT

private slots:
    void init() { setUpFolder(); }
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
};

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

QTEST_GUILESS_MAIN(TestDefaultStackFile)
#include "TestDefaultStackFile.moc"
