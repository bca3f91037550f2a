// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LongWork.h"
#include "StackFile.h"
#include "StoreSummary.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QtTest>

namespace {

constexpr double now = 45000.25;

}  // namespace

// Long work on stack files (load, merge, save) that reports its steps and
// can be stopped, and when such work is worth a progress dialog.
class TestLongWork : public QObject
{
    Q_OBJECT

private slots:
    void stoppedWorkLeavesAllAsItWas_data();
    void stoppedWorkLeavesAllAsItWas();
    void longWorkShowsOnlyWhatLasts_data();
    void longWorkShowsOnlyWhatLasts();

};

namespace {

// The steps a piece of work reported, stopping it at one of them.
struct StepRecorder
{
    int stopAt = 0;  // 1-based; 0: never
    QList<QPair<qint64, qint64>> steps;

    LongWork::Progress progress()
    {
        return [this](qint64 done, qint64 total) {
            steps.append({done, total});
            return steps.size() != stopAt;
        };
    }
};

// Runs one operation on a store with a file "other.tsy" to read and an older
// "saved.tsy" to replace; true when it says it succeeded.
bool runOperation(const QString &operation, URLBlock &store, const QDir &dir, const LongWork::Progress &progress)
{
    if (operation == "load")
        return StackFile::loadStackFile(store, dir.filePath("other.tsy"), false, now, nullptr, progress);
    if (operation == "merge")
        return StackFile::mergeStackFile(store, dir.filePath("other.tsy"), now, nullptr, nullptr, progress);
    return StackFile::saveStackFile(store, dir.filePath("saved.tsy"), nullptr, progress);
}

}  // namespace

// Long work (a load, a merge, a save) reports its progress in steps that
// only go up and end at the total; stopped at its first step, half-way or
// at its last, it leaves everything as it was: a merge the store (entries,
// groups, keys, change count), a save the older file and no temporary file,
// a load an empty store; the file read is never touched.
void TestLongWork::stoppedWorkLeavesAllAsItWas_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("stop");  // "never", "first", "middle", "last"
    for (const char *operation : {"load", "merge", "save"}) {
        for (const char *stop : {"never", "first", "middle", "last"})
            QTest::newRow(qPrintable(QStringLiteral("%1, stopped %2").arg(operation, stop))) << operation << stop;
    }
}

void TestLongWork::stoppedWorkLeavesAllAsItWas()
{
    QFETCH(QString, operation);
    QFETCH(QString, stop);
    QTemporaryDir temporary;
    const QDir dir(temporary.path());
    // Some MiB, read in several pieces: 30,000 entries of which the store
    // holds the first 1,000 already but one (a merge adds the others); a
    // save writes all of them.
    const QByteArray other = TestEnvironment::largeStackFile(30000);
    TestEnvironment::writeFile(dir.filePath("other.tsy"), other);
    const QByteArray older = "+Older\r\n";
    const auto storeBefore = [&](URLBlock &store) {
        QVERIFY(StackFile::loadStackFile(store, dir.filePath("other.tsy"), false, now));
        if (operation == "save") {
            store.countChange();
            return;
        }
        store.urlDatas().takeBackTo(1000, store.urlDatas().Item(1000)->keyNumber());
        while (store.IDXList().groupCount() > 1)
            store.removeGroup(store.IDXList().groupCount() - 1);
        store.urlDatas().Delete(1);  // a key counter ahead of the last entry's key
        store.countChange();
        store.countChange();
    };
    const auto reset = [&](URLBlock &store) {
        store.clear();
        storeBefore(store);
        TestEnvironment::writeFile(dir.filePath("saved.tsy"), older);
    };

    URLBlock store;
    reset(store);
    StepRecorder whole;
    QVERIFY(runOperation(operation, store, dir, whole.progress()));
    QVERIFY(whole.steps.size() >= 3);
    for (qsizetype i = 0; i < whole.steps.size(); ++i) {
        QVERIFY2(whole.steps[i].first <= whole.steps[i].second, qPrintable(QString::number(i)));
        QVERIFY2(i == 0 || whole.steps[i].first >= whole.steps[i - 1].first, qPrintable(QString::number(i)));
        QVERIFY(i == 0 || whole.steps[i].second == whole.steps[i - 1].second);
    }
    QVERIFY(whole.steps.last().second > 0);
    QCOMPARE(whole.steps.last().first, whole.steps.last().second);
    if (stop == "never") {
        QCOMPARE(store.urlDatas().Count(), 30000);
        if (operation == "save") {
            QCOMPARE(store.changeCount(), 0);
            QCOMPARE(TestEnvironment::readFile(dir.filePath("saved.tsy")), other);
        }
        return;
    }

    reset(store);
    const QStringList summary = storeSummary(store);
    const URLBlock::Mark mark = store.mark();
    StepRecorder stopped;
    stopped.stopAt = stop == "first" ? 1 : stop == "middle" ? int(whole.steps.size() / 2) : int(whole.steps.size());
    QVERIFY(!runOperation(operation, store, dir, stopped.progress()));
    QCOMPARE(stopped.steps.size(), stopped.stopAt);
    QCOMPARE(TestEnvironment::readFile(dir.filePath("other.tsy")), other);
    QCOMPARE(TestEnvironment::readFile(dir.filePath("saved.tsy")), older);
    QCOMPARE(dir.entryList(QDir::Files), (QStringList {"other.tsy", "saved.tsy"}));
    if (operation == "load") {
        QCOMPARE(store.urlDatas().Count(), 0);
        QCOMPARE(store.IDXList().groupCount(), 0);
        return;
    }
    QCOMPARE(storeSummary(store), summary);
    QCOMPARE(store.changeCount(), mark.changeCount);
    QCOMPARE(store.mark().lastKey, mark.lastKey);
    QCOMPARE(store.urlDatas().Add("next", "n", 0)->keyNumber(), mark.lastKey + 1);
}

void TestLongWork::longWorkShowsOnlyWhatLasts_data()
{
    QTest::addColumn<qint64>("elapsed");  // ms since the work began
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<bool>("shown");
    QTest::newRow("short work: nothing flashes") << qint64(499) << qint64(1) << qint64(100) << false;
    QTest::newRow("lasting work with far to go") << qint64(500) << qint64(50) << qint64(100) << true;
    QTest::newRow("lasting work about to end") << qint64(1000) << qint64(90) << qint64(100) << false;
    QTest::newRow("lasting work, the rest takes 200 ms") << qint64(1000) << qint64(5) << qint64(6) << true;
    QTest::newRow("lasting work of no known total") << qint64(600) << qint64(3) << qint64(0) << true;
    QTest::newRow("lasting work, nothing done yet") << qint64(600) << qint64(0) << qint64(100) << true;
}

// Progress shows only for work that has lasted and is not about to end.
void TestLongWork::longWorkShowsOnlyWhatLasts()
{
    QFETCH(qint64, elapsed);
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    QFETCH(bool, shown);
    qint64 clock = 1000;
    LongWork work("Working", [&clock] { return clock; });
    clock += elapsed;
    QVERIFY(work.step(done, total));
    QCOMPARE(work.worthShowing(), shown);
    work.cancel();
    QVERIFY(!work.step(done, total));
    // A part of work in two halves reports its share of the whole.
    QList<qint64> shares;
    const LongWork::Progress half = LongWork::share([&](qint64 d, qint64 t) { shares << d << t; return true; }, 1, 2);
    QVERIFY(half(done, total));
    QCOMPARE(shares, (QList<qint64> {1000 + (total > 0 ? done * 1000 / total : 0), 2000}));
}

QTEST_GUILESS_MAIN(TestLongWork)
#include "TestLongWork.moc"
