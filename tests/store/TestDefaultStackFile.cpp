#include "DefaultStackFile.h"
#include "StackFile.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QtTest>
#include <memory>

// The default stack file, its backup and the automatic save.
class TestDefaultStackFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void pathsFollowStackBase_data();
    void pathsFollowStackBase();
    void emptyStoreWritesNothing();
    void firstSaveMakesNoBackup();
    void backupHoldsStateBeforeLastSave();
    void failedBackupKeepsEverything();
    void failedWriteKeepsEverything();
    void missingFileIsNotOverwrittenByEmptyStore();
    void linkedFileIsBackedUpByContent();
    void fileIsNeverItsOwnBackup();
    void failedAutomaticSaveKeepsChangesPending();
    void unreadFileIsNotReplaced();
    void shouldSaveUrls_data();
    void shouldSaveUrls();

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
    QTest::newRow("name already ending in .tsy") << "/d/work.tsy"
                                                 << "/d/work.tsy.tsy"
                                                 << "/d/work.tsy.bak";
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

void TestDefaultStackFile::emptyStoreWritesNothing()
{
    TestEnvironment::writeFile(base() + ".tsy", "+Old\r\n");
    TestEnvironment::writeFile(base() + ".bak", "+Older\r\n");
    URLBlock store;
    store.NewCatagory("only a group");
    store.countChange();
    DefaultStackFile stack(store, base());
    QVERIFY(stack.DePopulate());
    QCOMPARE(TestEnvironment::readFile(base() + ".tsy"), QByteArray("+Old\r\n"));
    QCOMPARE(TestEnvironment::readFile(base() + ".bak"), QByteArray("+Older\r\n"));
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

void TestDefaultStackFile::shouldSaveUrls_data()
{
    QTest::addColumn<bool>("withEntry");
    QTest::addColumn<int>("changes");
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("changesAfter");

    QTest::newRow("no changes: nothing written") << true << 0 << true << false << 0;
    QTest::newRow("changes, saving on: written") << true << 2 << true << true << 0;
    QTest::newRow("changes, saving off: dropped") << true << 2 << false << false << 0;
    QTest::newRow("changes to an empty store: kept pending") << false << 2 << true << false << 2;
}

void TestDefaultStackFile::shouldSaveUrls()
{
    QFETCH(bool, withEntry);
    QFETCH(int, changes);
    QFETCH(bool, autoSave);
    QFETCH(bool, written);
    QFETCH(int, changesAfter);

    URLBlock store;
    store.NewCatagory("G");
    if (withEntry)
        store.urlDatas().Add("e", "u", 0);
    for (int i = 0; i < changes; ++i)
        store.countChange();
    DefaultStackFile stack(store, base());
    QVERIFY(stack.shouldSaveUrls(autoSave));
    QCOMPARE(QFileInfo::exists(base() + ".tsy"), written);
    QCOMPARE(store.changeCount(), changesAfter);
}

QTEST_GUILESS_MAIN(TestDefaultStackFile)
#include "TestDefaultStackFile.moc"
