// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window on a real store, offscreen, with the prompts answered:
// every command that changes the store undone and redone from the "Edit"
// menu and its keys, and the history's end at a flush or a load.

#include "MainWindowTestCase.h"
#include "StoreChange.h"
#include "StoreRecording.h"
#include "UndoCommands.h"
#include "UndoHistory.h"
#include "store/StoreSummary.h"

#include <QUndoStack>

using namespace MainWindowTest;

namespace {

// News: Alpha, Beta, Dup (http://d.example/); Tech: Gamma, Dup again
// (https://www.d.example, the same page, made later); Empty. Keys 1 to 5.
const QByteArray undoStackText = "+News\r\n"
    + entryLine({"http://a.example/", "Alpha", "B1340927C", "B12800000", "3", "0", "2"}) + "\r\n"
    + entryLine({"http://b.example/", "Beta", "0", "B12800000", "0", "0", "0"}) + "\r\n"
    + entryLine({"http://d.example/", "Dup", "B1340927C", "B12800000", "2", "0", "1"}) + "\r\n+Tech\r\n"
    + entryLine({"http://g.example/", "Gamma", "B1340927C", "B12800000", "1", "0", "4"}) + "\r\n"
    + entryLine({"https://www.d.example", "Dup", "B1360927C", "B12A00000", "5", "0", "3"}) + "\r\n+Empty\r\n";

using ModalWindows::whenDialog;

}  // namespace

class TestMainWindowUndo : public MainWindowTestCase
{
    Q_OBJECT

    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void init()
    {
        setUpWindow();
        m_state->settings.aLS = false;
        TestEnvironment::writeFile(stackFile(), undoStackText);
    }
    void cleanup() { tearDownWindow(); }

    void everyCommandUndoneAndRedone_data();
    void everyCommandUndoneAndRedone();
    void keysUndoAndRedo_data();
    void keysUndoAndRedo();
    void historyEndsAtFlushOrLoad_data();
    void historyEndsAtFlushOrLoad();
    void historyIsBounded();

private:
    // What the window shows of the store: rows, group lines, counts.
    QStringList shownStore() const;
    void select(const QList<int> &rows);
    void run(const QString &command);
    UndoCommands *undoCommands() const { return m_window->findChild<UndoCommands *>(); }
};

QStringList TestMainWindowUndo::shownStore() const
{
    QStringList shown = shownTitles();
    const GroupListWidget *groups = m_window->advancedView()->indexPanel()->groupList();
    for (int i = 0; i < groups->topLevelItemCount(); ++i)
        shown << '+' + groups->topLevelItem(i)->text(0)
                + (groups->topLevelItem(i)->checkState(0) == Qt::Checked ? "*" : "");
    shown << statusText("StatusBar1_1") << statusText("StatusBar1_2");
    return shown;
}

void TestMainWindowUndo::select(const QList<int> &rows)
{
    EntryListView *list = m_window->activeList();
    list->clearSelection();
    for (const int row : rows)
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->setCurrentIndex(list->model()->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
}

// Gives a command as the user does, its prompts answered.
void TestMainWindowUndo::run(const QString &command)
{
    MainMenus *menus = m_window->menus();
    const auto acceptEditor = [](const char *title) {
        whenDialog([title](QDialog *dialog) {
            dialog->findChild<QLineEdit *>("Text1_0")->setText(title);
            dialog->findChild<QLineEdit *>("Text1_1")->setText("http://fresh.example/");
            dialog->findChild<QComboBox *>("Combo1_0")->setCurrentIndex(3);
            dialog->findChild<QPushButton *>("Command1")->click();
        });
    };
    if (command == "remove from two groups") {
        select({1, 3, 4});  // Beta (News), Gamma and Dup (Tech)
        m_prompter.answers << Prompter::Answer::Yes;
        menus->mnuRemove->trigger();
    } else if (command == "rate") {
        select({0, 3});
        menus->mnuRateItems[1]->trigger();
    } else if (command == "move") {
        select({3});  // Gamma into News, the move dialog's first group
        whenDialog([](QDialog *dialog) { dialog->findChild<QPushButton *>("acceptCmd")->click(); });
        menus->mnuMove->trigger();
    } else if (command == "edit") {
        select({1});
        acceptEditor("Edited");
        menus->mnuEdit->trigger();
    } else if (command == "new entry") {
        acceptEditor("Fresh");
        menus->mnuNewEntry->trigger();
    } else if (command == "quick add") {
        m_window->quickAdd("http://dropped.example/");
    } else if (command == "new group") {
        m_prompter.inputs << "Sports";
        menus->mnuNewGroup->trigger();
    } else if (command == "rename group") {
        m_window->selectGroupItem(1);
        m_prompter.inputs << "Science";
        menus->mnuRenameGroup->trigger();
    } else if (command == "remove group") {
        m_window->selectGroupItem(0);  // News, between Tech's entries' group and none
        m_prompter.answers << Prompter::Answer::Yes;
        menus->mnuRemoveGroup->trigger();
    } else if (command == "index mask") {
        IndexPanel *panel = m_window->advancedView()->indexPanel();
        panel->groupList()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);  // Tech
        panel->indexButton(2)->click();  // "Filter"
    } else if (command == "merge stack file") {
        m_prompter.openFiles << TestEnvironment::writeFile(
            m_dir->filePath("other.tsy"),
            "+Tech\r\n" + entryLine({"http://t.example/", "Tea", "0", "B12800000", "0", "0", "1"})
                + "\r\n+Later\r\n" + entryLine({"http://l.example/", "Late", "0", "B12800000", "0", "0", "0"})
                + "\r\n");
        menus->mnuMergeTsy->trigger();
    } else if (command == "merge duplicates") {
        m_prompter.answers << Prompter::Answer::Yes;
        whenDialog([](QDialog *dialog) { dialog->findChild<QPushButton *>("cmdMerge")->click(); });
        menus->mnuDuplicates->trigger();
    } else {
        QFAIL(qPrintable("no such command: " + command));
    }
}

void TestMainWindowUndo::everyCommandUndoneAndRedone_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");  // in "Undo NAME"
    QTest::newRow("remove, from two groups") << "remove from two groups" << "Remove";
    QTest::newRow("rate") << "rate" << "Rate";
    QTest::newRow("move") << "move" << "Move";
    QTest::newRow("edit") << "edit" << "Edit";
    QTest::newRow("new entry") << "new entry" << "New Entry";
    QTest::newRow("quick add (a dropped link)") << "quick add" << "Quick Add";
    QTest::newRow("new group") << "new group" << "New Group";
    QTest::newRow("rename group") << "rename group" << "Rename Group";
    QTest::newRow("remove group with its entries") << "remove group" << "Remove Group";
    QTest::newRow("index mask") << "index mask" << "Index Mask";
    QTest::newRow("merge a stack file") << "merge stack file" << "Merge";
    QTest::newRow("merge duplicates") << "merge duplicates" << "Merge Duplicates";
    QTest::newRow("remove group, Standard tab") << "standard: remove group" << "Remove Group";
    QTest::newRow("new entry, Standard tab") << "standard: new entry" << "New Entry";
    // Undone, these leave no group: nothing of what they added stays shown.
    QTest::newRow("merge into an empty store") << "empty store: merge stack file" << "Merge";
    QTest::newRow("the first group") << "empty store: new group" << "New Group";
    QTest::newRow("merge into an empty store, Standard tab") << "empty store: standard: merge stack file" << "Merge";
}

// Undone, the store is exactly as before the command (keys, order, every
// field, groups, change count) and the window shows it so; redone, exactly
// as after. Twice over, so that a redone step can be undone again.
void TestMainWindowUndo::everyCommandUndoneAndRedone()
{
    QFETCH(QString, command);
    QFETCH(QString, name);
    const bool emptyStore = command.startsWith("empty store: ");
    if (emptyStore) {
        command = command.mid(13);
        TestEnvironment::writeFile(stackFile(), QByteArray());
    }
    openWindow();
    if (command.startsWith("standard: ")) {  // the rows of the group the combo names
        command = command.mid(10);
        m_window->switchTab(ViewState::StandardTab);
        m_window->selectGroupItem(0);
        m_window->chooseGroupInCombo();
    } else {
        m_window->menus()->mnuListAll->trigger();  // the rows of every group
    }
    UndoCommands *undo = undoCommands();
    QVERIFY(undo);
    QCOMPARE(undo->undoAction()->text(), QString("&Undo"));
    QVERIFY(!undo->undoAction()->isEnabled());
    const QStringList before = fullStoreSummary(m_state->store);
    const QStringList shownBefore = shownStore();
    QCOMPARE(before.last(), emptyStore ? QString("changes=0 lastKey=0") : QString("changes=0 lastKey=5"));

    run(command);
    QCOMPARE(m_state->dialogState, int(AppState::NoDialog));
    const QStringList after = fullStoreSummary(m_state->store);
    const QStringList shownAfter = shownStore();
    QVERIFY(after != before);
    QCOMPARE(undo->undoAction()->text(), "&Undo " + name);
    QVERIFY(undo->undoAction()->isEnabled());
    QVERIFY(!undo->redoAction()->isEnabled());

    QSignalSpy totals(m_window.get(), &MainWindow::totalShown);  // the tray's tip follows it
    for (int round = 0; round < 2; ++round) {
        undo->undoAction()->trigger();
        QCOMPARE(fullStoreSummary(m_state->store), before);
        QCOMPARE(shownStore(), shownBefore);
        QCOMPARE(m_window->statusBar()->currentMessage(), "Undone: " + name);
        QCOMPARE(undo->redoAction()->text(), "&Redo " + name);
        QVERIFY(!undo->undoAction()->isEnabled());
        undo->redoAction()->trigger();
        QCOMPARE(fullStoreSummary(m_state->store), after);
        QCOMPARE(shownStore(), shownAfter);
        QCOMPARE(m_window->statusBar()->currentMessage(), "Redone: " + name);
        QCOMPARE(undo->undoAction()->text(), "&Undo " + name);
    }
    QVERIFY(totals.count() >= 4);
}

void TestMainWindowUndo::keysUndoAndRedo_data()
{
    QTest::addColumn<int>("redoKey");
    QTest::addColumn<int>("redoModifiers");
    QTest::newRow("Ctrl+Z, Ctrl+Shift+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+Z, Ctrl+Y") << int(Qt::Key_Y) << int(Qt::ControlModifier);
}

// The keys reach the commands from the entry list, and the menu bar has
// "Edit" between "File" and "URLs".
void TestMainWindowUndo::keysUndoAndRedo()
{
    QFETCH(int, redoKey);
    QFETCH(int, redoModifiers);
    openWindow();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->menus()->mnuListAll->trigger();
    QStringList bar;
    for (const QAction *action : m_window->menuBar()->actions())
        bar << action->text();
    QCOMPARE(bar.mid(0, 3), (QStringList {"&File", "&Edit", "&URLs"}));
    const QStringList before = fullStoreSummary(m_state->store);
    run("rate");
    run("remove from two groups");
    const QStringList after = fullStoreSummary(m_state->store);
    QCOMPARE(undoCommands()->undoAction()->text(), QString("&Undo Remove"));
    m_window->activeList()->setFocus();
    QTest::keyClick(m_window->activeList(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(undoCommands()->undoAction()->text(), QString("&Undo Rate"));
    QTest::keyClick(m_window->activeList(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fullStoreSummary(m_state->store), before);
    QTest::keyClick(m_window->activeList(), Qt::Key_Z, Qt::ControlModifier);  // nothing left: nothing happens
    QCOMPARE(fullStoreSummary(m_state->store), before);
    QTest::keyClick(m_window->activeList(), Qt::Key(redoKey), Qt::KeyboardModifiers(redoModifiers));
    QTest::keyClick(m_window->activeList(), Qt::Key(redoKey), Qt::KeyboardModifiers(redoModifiers));
    QCOMPARE(fullStoreSummary(m_state->store), after);
    QCOMPARE(undoCommands()->redoAction()->text(), QString("&Redo"));
}

void TestMainWindowUndo::historyEndsAtFlushOrLoad_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("saves");  // the store is saved to the default file first
    QTest::newRow("open default") << "mnuOpenDefault" << false;
    QTest::newRow("load all") << "mnuLoadAll" << false;
    QTest::newRow("open as") << "mnuOpenAs" << false;
    QTest::newRow("eject") << "mnuEject" << true;
    QTest::newRow("flush to tray") << "mnuFree" << true;
    QTest::newRow("unload (the tray's flush)") << "unload" << true;
}

// Steps name entries by key: once the store is emptied or loaded anew, none
// is left to undo. A flush saves what is shown, after undo and redo too.
void TestMainWindowUndo::historyEndsAtFlushOrLoad()
{
    QFETCH(QString, command);
    QFETCH(bool, saves);
    openWindow();
    m_window->menus()->mnuListAll->trigger();
    UndoHistory *history = m_window->undoHistory();
    run("rate");
    run("remove from two groups");
    QVERIFY(history->undo());
    QVERIFY(history->undo());
    QVERIFY(history->redo());  // the rate again, the removal to redo
    QCOMPARE(history->stack()->count(), 2);
    m_prompter.openFiles << stackFile();
    if (command == "unload")
        QVERIFY(m_window->unloadWindow());
    else
        m_window->findChild<QAction *>(command)->trigger();
    QCOMPARE(history->stack()->count(), 0);
    QVERIFY(!undoCommands()->undoAction()->isEnabled());
    QVERIFY(!undoCommands()->redoAction()->isEnabled());
    QVERIFY(!history->undo());
    if (!saves)
        return;
    URLBlock saved;
    QVERIFY(StackFile::loadStackFile(saved, stackFile(), false, 0.0));
    QCOMPARE(saved.urlDatas().Count(), 5);
    QCOMPARE(int(saved.urlDatas().Item(1)->Rated), 1);  // the rate redone is saved
    QCOMPARE(int(saved.urlDatas().Item(4)->Rated), 1);
}

// At most the step limit, and a step that would pass the record limit starts
// the history afresh; a step already made is never lost to a later one.
void TestMainWindowUndo::historyIsBounded()
{
    AppState state;
    state.store.NewCatagory("G");
    const auto addEntries = [&](int count) {
        const StoreRecording recording(state, "Add");
        for (int i = 0; i < count; ++i)
            state.store.urlDatas().Add("e", "u", 0);
    };
    QObject listener;
    int stackSignals = 0;
    {
        UndoHistory history(state);
        QCOMPARE(state.history, &history);
        connect(history.stack(), &QUndoStack::indexChanged, &listener, [&] { ++stackSignals; });
        addEntries(0);  // a recording that changed nothing leaves no step
        QCOMPARE(history.stack()->count(), 0);
        for (int i = 0; i < UndoHistory::stepLimit + 5; ++i)
            addEntries(1);
        QCOMPARE(history.stack()->count(), UndoHistory::stepLimit);
        QCOMPARE(history.weight(), UndoHistory::stepLimit);
        stackSignals = 0;
    }
    QCOMPARE(state.history, nullptr);  // gone with its window
    // and silently: who listens to its stack would reach into a history being destroyed
    QCOMPARE(stackSignals, 0);
    UndoHistory history(state, nullptr, 10);
    addEntries(4);
    addEntries(5);
    QCOMPARE(history.stack()->count(), 2);
    QCOMPARE(history.weight(), 9);
    addEntries(3);  // 12 records would pass 10
    QCOMPARE(history.stack()->count(), 1);
    QCOMPARE(history.weight(), 3);
    QVERIFY(history.undo());
    QCOMPARE(state.store.urlDatas().Count(), UndoHistory::stepLimit + 5 + 9);
    QVERIFY(!history.undo());
}

QTEST_MAIN(TestMainWindowUndo)
#include "TestMainWindowUndo.moc"
