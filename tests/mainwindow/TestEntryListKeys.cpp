// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AdvancedView.h"
#include "AppState.h"
#include "EntryRowsFixture.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "ModalWindows.h"
#include "SelectionCommands.h"
#include "StandardView.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

using ModalWindows::whenDialog;

// Find and the keys on the entry lists, through the real main window: "Find
// Next" and "Find Previous", the find window, the keys on the rows and the
// shortcuts the settings switch on.
class TestEntryListKeys : public QObject, protected EntryRowsFixture
{
    Q_OBJECT

private slots:
    void init() { setUpRows(); }
    void cleanup() { tearDownWindow(); }

    void findNextAndPrevious_data();
    void findNextAndPrevious();
    void findWindowAndKeys();
    void shiftExtendsFromFoundRow();
    void keysOnTheLists_data();
    void keysOnTheLists();
    void shortcutsFollowSetting_data();
    void shortcutsFollowSetting();
};

// Find starts from the current row, the selection first narrowed to it.
void TestEntryListKeys::findNextAndPrevious_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("from");  // the current row
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("after");  // the selected rows; the first one current
    QTest::newRow("next from the first row") << QList<int> {0} << 0 << 0 << "t?in" << QList<int> {2};
    QTest::newRow("previous from the last row") << QList<int> {4} << 4 << 1 << "twin" << QList<int> {3};
    QTest::newRow("next from the last row: nothing") << QList<int> {4} << 4 << 0 << "alpha" << QList<int> {4};
    QTest::newRow("previous from the first row: nothing")
        << QList<int> {0} << 0 << 1 << "delta" << QList<int> {0};
    QTest::newRow("the address is not searched") << QList<int> {0} << 0 << 0 << "example" << QList<int> {0};
    QTest::newRow("several selected: from the current row")
        << QList<int> {0, 3} << 3 << 1 << "twin" << QList<int> {2};
    QTest::newRow("several selected, nothing found: narrowed to the current row")
        << QList<int> {1, 3} << 3 << 0 << "twin" << QList<int> {3};
    QTest::newRow("the current row not selected: from it all the same")
        << QList<int> {0} << 3 << 1 << "twin" << QList<int> {2};
    QTest::newRow("nothing selected: nothing") << QList<int> {} << 3 << 1 << "twin" << QList<int> {};
}

void TestEntryListKeys::findNextAndPrevious()
{
    QFETCH(QList<int>, selected);
    QFETCH(int, from);
    QFETCH(int, direction);
    QFETCH(QString, text);
    QFETCH(QList<int>, after);
    openWindow();
    select(selected);
    EntryListView *list = m_window->activeList();
    list->selectionModel()->setCurrentIndex(list->model()->index(from, 0), QItemSelectionModel::NoUpdate);
    m_state->findText = text;
    m_window->UpdatePanel();
    (direction == 0 ? m_window->menus()->mnuFindNext : m_window->menus()->mnuFindPrevious)->trigger();
    QList<int> rows;
    for (const QModelIndex &index : list->selectionModel()->selectedRows())
        rows << index.row();
    QCOMPARE(rows, after);
    QCOMPARE(list->currentIndex().row(), after.value(0, from));
}

void TestEntryListKeys::findWindowAndKeys()
{
    openWindow();
    select({0});
    int stateSeen = -1;
    whenDialog([&](QDialog *dialog) {
        stateSeen = m_state->dialogState;
        dialog->findChild<QLineEdit *>("Text1")->setText(" twin ");
        dialog->findChild<QPushButton *>("Command1")->click();
        dialog->findChild<QPushButton *>("Command1")->click();
        dialog->reject();
    });
    QTest::keyClick(m_window->activeList(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(stateSeen, int(AppState::Finding));
    QCOMPARE(m_state->dialogState, 0);
    QCOMPARE(m_state->findText, QString("twin"));
    QCOMPARE(m_window->activeList()->currentIndex().row(), 3);
    QTest::keyClick(m_window->activeList(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(m_window->activeList()->currentIndex().row(), 2);
    QTest::keyClick(m_window->activeList(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(m_window->activeList()->currentIndex().row(), 3);
}

// After find has chosen a row, Shift with an arrow key extends the selection
// from that row, not from where an earlier Shift selection began.
void TestEntryListKeys::shiftExtendsFromFoundRow()
{
    openWindow();
    EntryListView *list = m_window->activeList();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
    m_state->findText = "delta";
    m_window->UpdatePanel();
    QTest::keyClick(list, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(list->currentIndex().row(), 4);
    QTest::keyClick(list, Qt::Key_Up, Qt::ShiftModifier);
    QList<int> rows;
    for (const QModelIndex &index : list->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    QCOMPARE(rows, (QList<int> {3, 4}));
}

// The keys of the Advanced tab's lists, with rows 2 (Twin) and 4 (Delta) of
// the entry list selected and row 2 the current one. Key_Menu stands for the
// Menu key, which reaches a list as a context-menu event from the keyboard.
void TestEntryListKeys::keysOnTheLists_data()
{
    QTest::addColumn<bool>("groupList");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<QString>("outcome");
    const QString untouched = "current 2 of 5";
    QTest::newRow("entry list: Enter opens the current entry")
        << false << QKeyCombination(Qt::Key_Return) << ""
        << "opened http://t.example/ (visit 10); " + untouched;
    QTest::newRow("entry list: the keypad's Enter")
        << false << QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter) << ""
        << "opened http://t.example/ (visit 10); " + untouched;
    QTest::newRow("entry list: Delete removes the selection, asked")
        << false << QKeyCombination(Qt::Key_Delete) << ""
        << "message|Confirm Delete|Remove 2 items, are you sure?; current 1 of 3";
    QTest::newRow("entry list: Shift+Delete is not Delete")
        << false << QKeyCombination(Qt::ShiftModifier, Qt::Key_Delete) << "" << untouched;
    QTest::newRow("entry list: Shift+F10 opens its pop-up menu at the current row")
        << false << QKeyCombination(Qt::ShiftModifier, Qt::Key_F10) << ""
        << "menu mnuPopup at the current row; " + untouched;
    QTest::newRow("entry list: the Menu key too") << false << QKeyCombination(Qt::Key_Menu) << ""
                                                  << "menu mnuPopup at the current row; " + untouched;
    QTest::newRow("entry list: a character starts quick open with it")
        << false << QKeyCombination(Qt::ShiftModifier, Qt::Key_Q) << "" << "Quick Open: Q; " + untouched;
    QTest::newRow("entry list: a digit too") << false << QKeyCombination(Qt::Key_7) << ""
                                             << "Quick Open: 7; " + untouched;
    QTest::newRow("entry list: Space is not a search") << false << QKeyCombination(Qt::Key_Space) << ""
                                                       << untouched;
    QTest::newRow("entry list: Alt+letter is not a search")
        << false << QKeyCombination(Qt::AltModifier, Qt::Key_Q) << "" << untouched;
    QTest::newRow("group list: a character is not a search") << true << QKeyCombination(Qt::Key_Q) << ""
                                                              << untouched;
    QTest::newRow("group list: Shift+F10 opens its pop-up menu at the current row")
        << true << QKeyCombination(Qt::ShiftModifier, Qt::Key_F10) << ""
        << "menu mnuIPop at the current row; " + untouched;
    QTest::newRow("group list: the Menu key too") << true << QKeyCombination(Qt::Key_Menu) << ""
                                                  << "menu mnuIPop at the current row; " + untouched;
    QTest::newRow("group list: Ctrl+F opens the find window")
        << true << QKeyCombination(Qt::ControlModifier, Qt::Key_F) << ""
        << "Find...; " + untouched;
    QTest::newRow("group list: Ctrl+N finds the next entry")
        << true << QKeyCombination(Qt::ControlModifier, Qt::Key_N) << "twin"
        << "current 3 of 5";
    QTest::newRow("group list: Ctrl+P finds the previous entry")
        << true << QKeyCombination(Qt::ControlModifier, Qt::Key_P) << "a"
        << "current 1 of 5";
    QTest::newRow("group list: Ctrl+N with nothing to find")
        << true << QKeyCombination(Qt::ControlModifier, Qt::Key_N) << "" << untouched;
}

void TestEntryListKeys::keysOnTheLists()
{
    QFETCH(bool, groupList);
    QFETCH(QKeyCombination, key);
    QFETCH(QString, findText);
    QFETCH(QString, outcome);
    m_state->settings.advMode = 1;
    openWindow();
    QCOMPARE(titles(), (QStringList {"Alpha", "beta", "Twin", "Twin", "Delta"}));
    select({2, 4});
    m_state->findText = findText;
    m_window->UpdatePanel();
    m_prompter.answers << Prompter::Answer::Yes;
    QAbstractItemView *list = m_window->activeList();
    if (groupList)
        list = m_window->advancedView()->indexPanel()->groupList();
    list->setFocus();
    const QPoint rowCorner
        = list->viewport()->mapToGlobal(list->visualRect(list->currentIndex()).bottomLeft());
    QSignalSpy menuWanted(list, SIGNAL(contextMenuWanted(QPoint)));
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            const auto *field = modal->findChild<QLineEdit *>("txtQuickOpen");
            seen << modal->windowTitle() + (field ? ": " + field->text() : QString());
            modal->close();
        }
    });
    if (key.key() == Qt::Key_Menu) {
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(1, 1), list->mapToGlobal(QPoint(1, 1)));
        QCoreApplication::sendEvent(list, &menuKey);
    } else if (key.key() == Qt::Key_Q || key.key() == Qt::Key_7) {
        // The text a keyboard gives, as QTest gives none for a Shift.
        const QString text = key.key() == Qt::Key_7 ? "7" : key.keyboardModifiers() == Qt::ShiftModifier ? "Q" : "q";
        QTest::sendKeyEvent(QTest::Click, list, key.key(), text, key.keyboardModifiers());
    } else {
        QTest::keyClick(list, key.key(), key.keyboardModifiers());
    }
    QCoreApplication::processEvents();
    for (const QString &url : m_opener.opened)
        seen << QString("opened %1 (visit %2)").arg(url).arg(entry(3)->Visited);
    seen << m_prompter.asked;
    if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
        QCOMPARE(menuWanted.size(), 1);
        seen << QString("menu %1 at %2")
                    .arg(menu->objectName(),
                         menuWanted.first().first().toPoint() == rowCorner ? "the current row"
                                                                           : "another place");
        menu->close();
    }
    seen
        << QString("current %1 of %2").arg(m_window->activeList()->currentIndex().row()).arg(titles().size());
    QCOMPARE(seen.join("; "), outcome);
}

void TestEntryListKeys::shortcutsFollowSetting_data()
{
    QTest::addColumn<int>("cAF");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<bool>("blocked");  // a file stands where the favorites folder goes
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("status");  // how the status bar's message begins
    QTest::newRow("off") << 0 << QList<int> {0, 2} << false << QStringList {} << "No shortcuts written";
    QTest::newRow("group folders") << 1 << QList<int> {0, 2} << false
                                   << QStringList {"News/Alpha.url", "News/Twin.url"} << "2 shortcuts written to ";
    QTest::newRow("the folder itself") << 2 << QList<int> {0, 2} << false << QStringList {"Alpha.url", "Twin.url"}
                                       << "2 shortcuts written to ";
    QTest::newRow("one") << 2 << QList<int> {0} << false << QStringList {"Alpha.url"} << "1 shortcut written to ";
    QTest::newRow("none of one: no folder") << 2 << QList<int> {0} << true << QStringList {}
                                            << "0 of 1 shortcut written to ";
    QTest::newRow("none of two: no folder") << 1 << QList<int> {0, 2} << true << QStringList {}
                                            << "0 of 2 shortcuts written to ";
}

void TestEntryListKeys::shortcutsFollowSetting()
{
    QFETCH(int, cAF);
    QFETCH(QList<int>, rows);
    QFETCH(bool, blocked);
    QFETCH(QStringList, files);
    QFETCH(QString, status);
    m_state->settings.cAF = cAF;
    const QString favorites = m_dir->filePath("data/Tessaly/Favorites/");
    if (blocked) {
        QVERIFY(QDir().mkpath(m_dir->filePath("data/Tessaly")));
        TestEnvironment::writeFile(m_dir->filePath("data/Tessaly/Favorites"), "not a folder");
    }
    openWindow();
    select(rows);
    m_window->menus()->mnuBookmarksFolder->trigger();
    QStringList written;
    for (const QString name : {"Alpha.url", "Twin.url", "News/Alpha.url", "News/Twin.url"}) {
        if (QFileInfo::exists(favorites + name))
            written << name;
    }
    QCOMPARE(written, files);
    if (!files.isEmpty())
        QCOMPARE(TestEnvironment::readFile(favorites + files.first()),
                 QByteArray("[InternetShortcut]\r\nURL=http://a.example/\r\n"));
    const QString message = m_window->statusBar()->currentMessage();
    QVERIFY2(message.startsWith(status), qPrintable(message));
    QCOMPARE(m_window->activeList()->selectionModel()->selectedRows().size(), 0);
}

QTEST_MAIN(TestEntryListKeys)
#include "TestEntryListKeys.moc"
