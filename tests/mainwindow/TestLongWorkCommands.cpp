// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The long work of the main window (merges, loads, Save As, through the real
// window and the library) shown and cancelled: nothing is lost.

#include "AppState.h"
#include "DayCount.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "LongWorkDialog.h"
#include "LongWorkRunner.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "MergeWindowFixture.h"
#include "StackFile.h"
#include "StandardView.h"
#include "TestEnvironment.h"
#include "UndoHistory.h"
#include "../store/StoreSummary.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoStack>
#include <QtTest>

using TestEnvironment::writeFile;

class TestLongWorkCommands : public QObject, protected MergeWindowFixture
{
    Q_OBJECT

private slots:
    void init() { setUpMergeWindow(); }
    void cleanup() { tearDownMergeWindow(); }
    void cancelledWorkLosesNothing_data();
    void cancelledWorkLosesNothing();

private:
    QStringList shownRows() const;
    void writeLargeSources();
};

namespace {

constexpr int largeEntries = 30000;
constexpr int manyFolders = 9;  // the folder "many" and its eight subfolders

// A bookmark file of some MiB: 30 folders of 1,000 links each.
QByteArray largeBookmarkFile()
{
    QByteArray text = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n";
    for (int i = 0; i < largeEntries; ++i) {
        if (i % 1000 == 0)
            text += (i > 0 ? "</DL><p>\n" : "") + QByteArray("<DT><H3>Folder ") + QByteArray::number(i / 1000)
                + "</H3>\n<DL><p>\n";
        const QByteArray n = QByteArray::number(i);
        text += "<DT><A HREF=\"https://example.org/pages/" + n + "/index.html\" ADD_DATE=\"1700000000\">Page " + n
            + "</A>\n";
    }
    return text + "</DL><p>\n</DL><p>\n";
}

}  // namespace

// The rows of the entry list shown, the current one marked "*".
QStringList TestLongWorkCommands::shownRows() const
{
    QStringList rows;
    const EntryListModel *model = m_window->activeModel();
    const QModelIndex current = m_window->activeList()->currentIndex();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString() + (current.row() == row ? "*" : "");
    return rows;
}

void TestLongWorkCommands::writeLargeSources()
{
    writeFile(m_dir->filePath("big.tsy"), TestEnvironment::largeStackFile(largeEntries));
    writeFile(m_dir->filePath("big.html"), largeBookmarkFile());
    for (int folder = 1; folder < manyFolders; ++folder) {
        const QString path = m_dir->filePath(QStringLiteral("many/F%1").arg(folder));
        QDir().mkpath(path);
        writeFile(path + "/A.url", "[InternetShortcut]\r\nURL=http://a" + QByteArray::number(folder) + "/\r\n");
        writeFile(path + "/B.url", "[InternetShortcut]\r\nURL=http://b" + QByteArray::number(folder) + "/\r\n");
    }
}

void TestLongWorkCommands::cancelledWorkLosesNothing_data()
{
    QTest::addColumn<QString>("command");  // a menu command, or "slices": the window's load in slices
    QTest::addColumn<QString>("stop");     // "never", "first", "middle", "last"
    QTest::addColumn<QString>("how");      // "cancel" (the work), "escape", "button" (in the dialog)
    QTest::addColumn<bool>("large");       // the default file large, else the one entry "Kept"
    QTest::addColumn<QString>("status");   // after a cancel
    const QString merge = "Merge cancelled: nothing was added";
    for (const char *command : {"mnuMergeTsy", "mnuMergeNetscape", "mnuMergeFavorites"}) {
        for (const char *stop : {"never", "first", "middle", "last"})
            QTest::newRow(qPrintable(QStringLiteral("%1, stopped %2").arg(command, stop)))
                << command << stop << "cancel" << false << merge;
    }
    QTest::newRow("mnuMergeTsy, Escape in the dialog") << "mnuMergeTsy" << "middle" << "escape" << false << merge;
    QTest::newRow("mnuMergeNetscape, its Cancel button")
        << "mnuMergeNetscape" << "middle" << "button" << false << merge;
    // The program ends from inside the merge (the display went away): what
    // was merged is taken back at once, before the save at exit.
    QTest::newRow("mnuMergeNetscape, abandoned") << "mnuMergeNetscape" << "middle" << "abandon" << false << merge;
    const QString saveAs = "Save As cancelled: %1/out.tsy was not written";
    for (const char *stop : {"never", "first", "middle", "last"})
        QTest::newRow(qPrintable(QStringLiteral("mnuSaveAs, stopped %1").arg(stop)))
            << "mnuSaveAs" << stop << "cancel" << true << saveAs;
    QTest::newRow("mnuSaveAs, Escape in the dialog") << "mnuSaveAs" << "last" << "escape" << true << saveAs;
    const QString load = "Loading %1/Pemberly.tsy cancelled: nothing is loaded, and the file is kept as it is";
    for (const char *command : {"mnuOpenDefault", "slices"}) {
        for (const char *stop : {"never", "first", "middle", "last"})
            QTest::newRow(qPrintable(QStringLiteral("%1, stopped %2").arg(command, stop)))
                << command << stop << "cancel" << true << load;
    }
    QTest::newRow("slices, its Cancel button") << "slices" << "middle" << "button" << true << load;
    QTest::newRow("mnuOpenAs, stopped middle")
        << "mnuOpenAs" << "middle" << "cancel" << false << "Loading %1/big.tsy cancelled: nothing is loaded";
}

// Each long work of the window reports steps that only go up and end at
// the total. Cancelled at its first step, half-way or at its last, it loses
// nothing: a merge leaves the store (change count included), the lists and
// the selection as they were; Save As leaves an older file untouched and no
// temporary file; a load leaves the window empty and the file as it is, and
// the automatic save that follows adds to the file rather than replace it.
// The dialog shows only when the work lasts, and Escape and its button
// cancel; the status bar says what was cancelled.
void TestLongWorkCommands::cancelledWorkLosesNothing()
{
    QFETCH(QString, command);
    QFETCH(QString, stop);
    QFETCH(QString, how);
    QFETCH(bool, large);
    QFETCH(QString, status);
    writeLargeSources();
    const QString defaultFile = m_dir->filePath("Pemberly.tsy");
    if (large)
        QVERIFY(QFile::copy(m_dir->filePath("big.tsy"), defaultFile + ".new")
                && QFile::remove(defaultFile) && QFile::rename(defaultFile + ".new", defaultFile));
    const QByteArray defaultText = TestEnvironment::readFile(defaultFile);
    const QByteArray older = "+Older\r\n";
    writeFile(m_dir->filePath("out.tsy"), older);
    m_window = std::make_unique<MainWindow>(*m_state, m_prompter, nullptr);
    LongWorkRunner *runner = m_window->longWork();
    // A clock that runs 300 ms a look: the dialog shows from the second step on.
    qint64 clock = 0;
    if (how != "cancel" && how != "abandon")
        runner->setClock([&clock] { return clock += 300; });
    else
        runner->setClock([] { return qint64(0); });
    QList<QPair<qint64, qint64>> steps;
    QStringList storeBefore;
    bool stopped = false;
    bool armed = command == "slices";  // else once the window has loaded
    connect(runner, &LongWorkRunner::stepped, this, [&](LongWork *work) {
        if (!armed)
            return;
        steps.append({work->done(), work->total()});
        QVERIFY(m_state->dialogState != AppState::NoDialog || command == "slices");
        const qint64 end = work->total() > 0 ? work->total() : manyFolders;
        const bool due = stop == "first" || (stop == "middle" && work->done() * 2 >= end)
            || (stop == "last" && work->done() >= end);
        if (stopped || !due)
            return;
        stopped = true;
        if (how == "cancel") {
            work->cancel();
        } else if (how == "abandon") {
            QVERIFY(m_state->store.urlDatas().Count() > storeBefore.size());
            runner->abandon();
            QCOMPARE(storeSummary(m_state->store), storeBefore);
            QVERIFY(work->isCancelled());
        } else {
            LongWorkDialog *dialog = runner->dialog();
            QVERIFY(dialog && dialog->isVisible());
            if (how == "escape")
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
            QVERIFY(work->isCancelled());
        }
    });
    if (command == "slices") {
        QSignalSpy loaded(m_window.get(), &MainWindow::loaded);
        m_window->load(true);
        QVERIFY(loaded.count() == 1 || loaded.wait(20000));
    } else {
        m_window->load();
        m_window->switchTab(ViewState::StandardTab);
        m_window->selectGroupItem(0);
        m_window->RefreshURLPage();
        m_window->showStatus("before");
        armed = true;
        m_prompter.openFiles = QStringList {m_dir->filePath(command == "mnuMergeNetscape" ? "big.html" : "big.tsy")};
        m_prompter.folders = QStringList {m_dir->filePath("many")};
        m_prompter.saveFiles = QStringList {m_dir->filePath("out.tsy")};
        m_prompter.answers = {Prompter::Answer::Yes};
        const QStringList summary = storeSummary(m_state->store);
        storeBefore = summary;
        const int changes = m_state->store.changeCount();
        m_window->activeList()->setCurrentIndex(m_window->activeModel()->index(0, 0));
        const QStringList rows = shownRows();
        m_window->findChild<QAction *>(command)->trigger();
        if (command.startsWith("mnuMerge") && stop != "never") {
            QCOMPARE(storeSummary(m_state->store), summary);
            QCOMPARE(m_state->store.changeCount(), changes);
            QCOMPARE(m_window->standardView()->groupCombo()->count(), 1);
            QCOMPARE(m_window->standardView()->selectedGroup(), 0);
            QCOMPARE(shownRows(), rows);
            QCOMPARE(m_window->undoHistory()->stack()->count(), 0);  // a merge taken back is no step
        } else if (command.startsWith("mnuMerge")) {
            QVERIFY(m_state->store.urlDatas().Count() > summary.size());
            QCOMPARE(m_state->store.changeCount(), changes + 1);
            QVERIFY(m_window->undoHistory()->undo());
            QCOMPARE(storeSummary(m_state->store), summary);
            QCOMPARE(m_state->store.changeCount(), changes);
        }
    }
    QCOMPARE(m_state->dialogState, int(AppState::NoDialog));
    QVERIFY(steps.size() >= (stop == "never" ? 3 : 1));
    for (qsizetype i = 1; i < steps.size(); ++i)
        QVERIFY2(steps[i].first >= steps[i - 1].first && steps[i].second == steps[i - 1].second,
                 qPrintable(QString::number(i)));
    QCOMPARE(runner->dialogWasShown(), how == "escape" || how == "button");
    QVERIFY(!runner->current());
    QCOMPARE(TestEnvironment::readFile(defaultFile), defaultText);
    QCOMPARE(TestEnvironment::readFile(m_dir->filePath("big.tsy")), TestEnvironment::largeStackFile(largeEntries));
    const QStringList files = QDir(m_dir->path()).entryList(QDir::Files);
    QVERIFY2(files.filter(".tmp-").isEmpty(), qPrintable(files.join(' ')));
    if (stop == "never") {
        QCOMPARE(steps.last().first, steps.last().second > 0 ? steps.last().second : manyFolders);
        URLBlock saved;
        if (command == "mnuSaveAs")
            QVERIFY(StackFile::loadStackFile(saved, m_dir->filePath("out.tsy"), false, DayCount::now()));
        if (command == "mnuSaveAs")
            QCOMPARE(saved.urlDatas().Count(), largeEntries);
        else if (!command.startsWith("mnuMerge"))
            QCOMPARE(m_state->store.urlDatas().Count(), largeEntries);
        return;
    }
    QVERIFY(stopped);
    QCOMPARE(m_window->statusBar()->currentMessage(), status.contains("%1") ? status.arg(m_dir->path()) : status);
    QCOMPARE(TestEnvironment::readFile(m_dir->filePath("out.tsy")), older);
    if (command.startsWith("mnuMerge") || command == "mnuSaveAs")
        return;
    // Nothing is loaded; what is made now is added to the file at the
    // automatic save, which keeps all the file held.
    QCOMPARE(m_state->store.urlDatas().Count(), 0);
    QCOMPARE(m_state->store.IDXList().groupCount(), 0);
    if (command == "mnuOpenAs")
        return;
    m_prompter.inputs << "Mine";
    m_window->menus()->mnuNewGroup->trigger();
    m_window->quickAdd("http://mine.example/");
    m_window->menus()->mnuFree->trigger();
    const QByteArray saved = TestEnvironment::readFile(defaultFile);
    QVERIFY(saved.startsWith(defaultText));
    QVERIFY(saved.mid(defaultText.size()).startsWith("+Mine\r\nhttp://mine.example/"));
}

QTEST_MAIN(TestLongWorkCommands)
#include "TestLongWorkCommands.moc"
