// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DefaultStackFile.h"
#include "DefaultStackFixture.h"
#include "StackFile.h"
#include "StackFileLock.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QtTest>

// The default file and other writers: its lock while the store holds it, a
// file that another tsy command is changing, and a file that was not loaded
// (or another file was), which the save merges into.
class TestStackFileWriters : public QObject, protected DefaultStackFixture
{
    Q_OBJECT

private slots:
    void init() { setUpFolder(); }
    void lockHeldWhileStoreHoldsFile_data();
    void lockHeldWhileStoreHoldsFile();
    void fileOfAnotherWriterIsNotRead();
    void unloadedFileIsMergedInto_data();
    void unloadedFileIsMergedInto();
};

// The program holds the default file's lock from Populate (also of a file
// not there yet) or DePopulate until releaseLock or another stack base. While
// it does, another program's store cannot load or save the file, and a tsy
// command is refused at once. A lock file that no live writer holds, empty
// or naming a holder, is no obstacle.
void TestStackFileWriters::lockHeldWhileStoreHoldsFile_data()
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

void TestStackFileWriters::lockHeldWhileStoreHoldsFile()
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
void TestStackFileWriters::fileOfAnotherWriterIsNotRead()
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
void TestStackFileWriters::unloadedFileIsMergedInto_data()
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

void TestStackFileWriters::unloadedFileIsMergedInto()
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

QTEST_GUILESS_MAIN(TestStackFileWriters)
#include "TestStackFileWriters.moc"
