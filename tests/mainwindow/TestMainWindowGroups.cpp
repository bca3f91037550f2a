// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window on a real store, offscreen, with the prompts answered:
// groups, the group list, the index panel and the filters.

#include "MainWindowTestCase.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>
#include <functional>
#include <memory>

using namespace MainWindowTest;

class TestMainWindowGroups : public MainWindowTestCase
{
    Q_OBJECT

    // The program's translations as main() installs them: English, with the
    // singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void init() { setUpWindow(); }
    void cleanup() { tearDownWindow(); }

    void groupCommandsReturnAfterFilterMode();
    void tabSwitchCarriesChosenGroup();
    void groupFollowsCurrentEntry_data();
    void groupFollowsCurrentEntry();
    void indexPanelModesCycle_data();
    void indexPanelModesCycle();
    void groupListClickClearsListAll_data();
    void groupListClickClearsListAll();
    void indexMaskThroughControls();
    void filtersThroughControls();
    void newGroup_data();
    void newGroup();
    void renameCountsAsChange_data();
    void renameCountsAsChange();
    void removeGroupAsksWithStoreCount_data();
    void removeGroupAsksWithStoreCount();
};

// The group commands are hidden while the filter section shows, and come
// back with the group list, in the menu bar and in every pop-up.
void TestMainWindowGroups::groupCommandsReturnAfterFilterMode()
{
    MainWindow *window = openWindow();
    IndexPanel *panel = window->advancedView()->indexPanel();
    MainMenus *menus = window->menus();
    panel->modeButton(2)->click();  // group list -> filters
    panel->modeButton(1)->click();  // "Menu": nothing to show
    QVERIFY(!menus->mnuList->isVisible());
    QVERIFY(!menus->mnuList->menuAction()->isEnabled());  // the menu bar cannot open it empty
    panel->modeButton(0)->click();  // back to the group list
    QVERIFY(menus->mnuList->menuAction()->isEnabled());
    for (QAction *action : {menus->mnuNewGroup, menus->mnuRenameGroup, menus->mnuRemoveGroup})
        QVERIFY2(action->isVisible(), qPrintable(action->text()));
    panel->modeButton(1)->click();
    QTRY_VERIFY(menus->mnuList->isVisible());
    QVERIFY(menus->mnuList->actionGeometry(menus->mnuNewGroup).height() > 0);
    menus->mnuList->hide();
    window->switchTab(2);
    window->standardView()->groupMenuButton()->click();
    QTRY_VERIFY(menus->mnuList->isVisible());
    QVERIFY(menus->mnuList->actionGeometry(menus->mnuRenameGroup).height() > 0);
    menus->mnuList->hide();
}

void TestMainWindowGroups::tabSwitchCarriesChosenGroup()
{
    MainWindow *window = openWindow();
    GroupListWidget *groups = window->advancedView()->indexPanel()->groupList();
    groups->selectGroup(1);
    emit groups->groupChosen(1);
    QCOMPARE(shownTitles(), QStringList {"Gamma"});

    window->switchTab(2);
    QCOMPARE(window->view().activeList, 1);
    QCOMPARE(window->standardView()->selectedGroup(), 1);
    QCOMPARE(shownTitles(), QStringList {"Gamma"});
    QCOMPARE(statusText("StatusBar1_1"), QString("Viewed: 1"));

    QComboBox *combo = window->standardView()->groupCombo();
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    QCOMPARE(shownTitles(), (QStringList {"Alpha", "Beta"}));

    window->switchTab(1);
    QCOMPARE(window->view().activeList, 2);
    QCOMPARE(groups->selectedGroup(), 0);
    QCOMPARE(shownTitles(), (QStringList {"Alpha", "Beta"}));

    // A click on the tab shown rebuilds nothing.
    window->activeModel()->clear();  // a rebuild would refill it
    window->switchTab(1);
    QCOMPARE(window->activeModel()->rowCount(), 0);
}

void TestMainWindowGroups::groupFollowsCurrentEntry_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("from");    // the current row before; rows Alpha, Beta (News), Gamma (Tech)
    QTest::addColumn<QString>("way");  // "down", "up" or "click" (on Gamma)
    QTest::addColumn<int>("group");   // the group chosen afterwards
    QTest::newRow("Advanced tab, Down into the next group") << 1 << 1 << "down" << 1;
    QTest::newRow("Advanced tab, Up back") << 1 << 2 << "up" << 0;
    QTest::newRow("Standard tab, Down: the combo follows") << 2 << 1 << "down" << 1;
    QTest::newRow("Standard tab, Up: the combo follows") << 2 << 2 << "up" << 0;
    QTest::newRow("Advanced tab, a click") << 1 << 0 << "click" << 1;
    QTest::newRow("Standard tab, a click: the combo stays") << 2 << 0 << "click" << 0;
}

// With "List All" the list holds several groups' entries: the arrow keys
// (and, on the Advanced tab, a click) choose the group of the entry they
// reach, without refilling the list.
void TestMainWindowGroups::groupFollowsCurrentEntry()
{
    QFETCH(int, tab);
    QFETCH(int, from);
    QFETCH(QString, way);
    QFETCH(int, group);
    MainWindow *window = openWindow();
    window->switchTab(tab);
    window->menus()->mnuListAll->trigger();
    QCOMPARE(shownTitles(), (QStringList {"Alpha", "Beta", "Gamma"}));
    EntryListView *list = window->activeList();
    list->setCurrentIndex(list->model()->index(from, 0));
    window->selectGroupItem(from == 2 ? 1 : 0);  // the current entry's group, as the user left it
    if (way == "click")
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(2, 0)).center());
    else
        QTest::keyClick(list, way == "down" ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(list->currentIndex().row(), way == "up" ? from - 1 : 2);
    QCOMPARE(window->GetSelectedIndex(), group);
    QCOMPARE(shownTitles(), (QStringList {"Alpha", "Beta", "Gamma"}));
}

void TestMainWindowGroups::indexPanelModesCycle_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("to");
    QTest::newRow("next from filters wraps to index mask") << 2 << 2 << 0;
    QTest::newRow("previous from index mask wraps to filters") << 0 << 0 << 2;
    QTest::newRow("next from index mask") << 0 << 2 << 1;
}

void TestMainWindowGroups::indexPanelModesCycle()
{
    QFETCH(int, from);
    QFETCH(int, button);
    QFETCH(int, to);
    MainWindow *window = openWindow();
    window->setAdvMode(from);
    window->buildFilterScrn();
    auto *mask = window->findChild<QLineEdit *>("txtFilter");
    mask->setText("abc");
    window->advancedView()->indexPanel()->modeButton(button)->click();
    QCOMPARE(window->view().advMode, to);
    QVERIFY(mask->text().isEmpty());
    IndexPanel *panel = window->advancedView()->indexPanel();
    QCOMPARE(panel->groupList()->isVisibleTo(panel), to != 2);
    QCOMPARE(panel->filterSection()->isVisibleTo(panel), to == 2);
    if (to != 2)
        QCOMPARE(panel->groupList()->headerItem()->text(0), to == 0 ? QString("Index Mask") : QString("Group List"));
    // The group commands are hidden while the filter section is shown.
    QCOMPARE(window->menus()->mnuNewGroup->isVisible(), to != 2);
}

void TestMainWindowGroups::groupListClickClearsListAll_data()
{
    QTest::addColumn<int>("advMode");
    QTest::addColumn<int>("row");  // the row clicked; -1 below the rows
    QTest::addColumn<bool>("listAll");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<int>("appliedMode");  // after; the filters were applied (2) before
    const QStringList all {"Alpha", "Beta", "Gamma"};
    QTest::newRow("group list: the clicked group is shown") << 1 << 1 << false << QStringList {"Gamma"} << 1;
    QTest::newRow("group list: a click below the rows") << 1 << -1 << true << all << 2;
    QTest::newRow("index mask: the mask is listed, List All kept") << 0 << 1 << true << all << 0;
}

// A click on a group in the group list shows that group, as the Standard
// tab's combo does, even while "List All" is checked. The mode the click
// was made in decides what moving rows out of the group does to them.
void TestMainWindowGroups::groupListClickClearsListAll()
{
    QFETCH(int, advMode);
    QFETCH(int, row);
    QFETCH(bool, listAll);
    QFETCH(QStringList, titles);
    QFETCH(int, appliedMode);
    MainWindow *window = openWindow();
    window->view().appliedMode = 2;
    window->setAdvMode(advMode);
    window->fillGroupList(false);
    window->buildFilterScrn();
    window->menus()->mnuListAll->trigger();
    QVERIFY(window->view().listAll);
    QCOMPARE(shownTitles(), (QStringList {"Alpha", "Beta", "Gamma"}));

    GroupListWidget *groups = window->advancedView()->indexPanel()->groupList();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const int rows = groups->topLevelItemCount();
    const QRect last = groups->visualItemRect(groups->topLevelItem(rows - 1));
    QVERIFY(last.bottom() + 10 < groups->viewport()->height());  // room to click below the rows
    const QPoint at = row >= 0 ? groups->visualItemRect(groups->topLevelItem(row)).center()
                               : QPoint(last.center().x(), last.bottom() + 5);
    QTest::mouseClick(groups->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(window->view().listAll, listAll);
    QCOMPARE(window->menus()->mnuListAll->isChecked(), listAll);
    QCOMPARE(shownTitles(), titles);
    QCOMPARE(window->view().appliedMode, appliedMode);
}

void TestMainWindowGroups::indexMaskThroughControls()
{
    MainWindow *window = openWindow();
    window->setAdvMode(0);
    window->fillGroupList(true);
    window->buildFilterScrn();
    window->RefreshURLPage();
    QCOMPARE(shownTitles(), (QStringList {"Alpha", "Beta", "Gamma"}));

    GroupListWidget *groups = window->advancedView()->indexPanel()->groupList();
    groups->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    window->RefreshURLPage();
    QCOMPARE(shownTitles().size(), 3);  // unchecking alone changes nothing
    window->advancedView()->indexPanel()->indexButton(2)->click();  // "Filter"
    QCOMPARE(shownTitles(), QStringList {"Gamma"});
    window->advancedView()->indexPanel()->indexButton(1)->click();  // "CLR"
    QVERIFY(!m_state->store.IDXList().at(1).inIndexMask);
    window->advancedView()->indexPanel()->indexButton(0)->click();  // "Set All"
    QVERIFY(m_state->store.IDXList().at(0).inIndexMask);
    window->RefreshURLPage();
    QCOMPARE(shownTitles().size(), 3);

    // The text mask applies on Enter only.
    auto *mask = window->findChild<QLineEdit *>("txtFilter");
    mask->setText("g?m");
    QCOMPARE(shownTitles().size(), 3);
    QTest::keyClick(mask, Qt::Key_Return);
    QCOMPARE(shownTitles(), QStringList {"Gamma"});
}

void TestMainWindowGroups::filtersThroughControls()
{
    MainWindow *window = openWindow();
    window->setAdvMode(2);
    window->buildFilterScrn();
    window->findChild<QCheckBox *>("ratedBox_0")->setChecked(false);
    window->findChild<QComboBox *>("Combo3_0")->setCurrentIndex(1);  // visited more than
    window->findChild<QLineEdit *>("Text2_0")->setText("2");
    window->advancedView()->indexPanel()->indexButton(3)->click();  // "Apply Filter"
    QCOMPARE(shownTitles(), QStringList {"Alpha"});
    QCOMPARE(window->view().appliedMode, 2);
    QVERIFY(!window->view().filter.ratingMask[0]);

    window->findChild<QComboBox *>("Combo3_0")->setCurrentIndex(0);
    window->findChild<QComboBox *>("Combo3_1")->setCurrentIndex(1);  // last visited more than 1 day ago
    window->findChild<QLineEdit *>("Text2_1")->setText("1");
    window->findChild<QCheckBox *>("ratedBox_0")->setChecked(true);
    window->advancedView()->indexPanel()->indexButton(3)->click();
    QCOMPARE(shownTitles(), (QStringList {"Alpha", "Gamma"}));  // visited in 2024; Beta never
}

void TestMainWindowGroups::newGroup_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("dialogState");  // before and after the prompt
    QTest::newRow("Advanced tab") << 1 << "Fresh" << 0;
    QTest::newRow("Standard tab") << 2 << "Fresh" << 0;
    QTest::newRow("cancelled") << 1 << QString() << 0;
    QTest::newRow("cancelled inside the find window: its state comes back") << 1 << QString()
                                                                            << int(AppState::Finding);
}

void TestMainWindowGroups::newGroup()
{
    QFETCH(int, tab);
    QFETCH(QString, answer);
    QFETCH(int, dialogState);
    MainWindow *window = openWindow();
    window->switchTab(tab);
    if (tab == 2)
        window->menus()->mnuListAll->trigger();  // choosing the new group clears it
    m_prompter.inputs << answer;
    m_state->dialogState = dialogState;
    window->menus()->mnuNewGroup->trigger();
    QCOMPARE(m_prompter.asked, QStringList {"input|New Group..|Enter Group Name: |"});
    QCOMPARE(m_prompter.statesSeen, QList<int> {1});
    QCOMPARE(m_state->dialogState, dialogState);
    m_state->dialogState = 0;
    if (answer.isEmpty()) {
        QCOMPARE(m_state->store.IDXList().groupCount(), 3);
        QCOMPARE(m_state->store.changeCount(), 0);
        return;
    }
    QCOMPARE(m_state->store.IDXList().groupCount(), 4);
    QCOMPARE(m_state->store.IDXList().at(3).name, answer);
    QCOMPARE(m_state->store.changeCount(), 1);
    QCOMPARE(window->GetSelectedIndex(), 3);
    QCOMPARE(shownTitles(), QStringList {});
    if (tab == 2) {
        QVERIFY(!window->view().listAll);
        QVERIFY(!window->menus()->mnuListAll->isChecked());
    }
}

void TestMainWindowGroups::renameCountsAsChange_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("group combo") << 2;
    QTest::newRow("group list") << 1;
}

void TestMainWindowGroups::renameCountsAsChange()
{
    QFETCH(int, tab);
    MainWindow *window = openWindow();
    window->switchTab(tab);
    m_prompter.inputs << "Headlines";
    if (tab == 1)
        window->menus()->mnuIPopRename->trigger();
    else
        window->menus()->mnuRenameGroup->trigger();
    QCOMPARE(m_prompter.asked, QStringList {"input|Rename Group..|Enter Group Name: |News"});
    QCOMPARE(m_state->store.IDXList().at(0).name, QString("Headlines"));
    QCOMPARE(m_state->store.changeCount(), 1);
    QCOMPARE(window->activeModel()->index(0, 3).data().toString(), QString("Headlines"));
    if (tab == 2)
        QCOMPARE(window->standardView()->groupCombo()->currentText(), QString("Headlines"));
    else
        QCOMPARE(window->advancedView()->indexPanel()->groupList()->topLevelItem(0)->text(0), QString("Headlines"));
}

void TestMainWindowGroups::removeGroupAsksWithStoreCount_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("group list") << 1;
    QTest::newRow("group combo") << 2;
}

// The question counts the group's entries in the store, also those a
// filter hides.
void TestMainWindowGroups::removeGroupAsksWithStoreCount()
{
    QFETCH(int, tab);
    MainWindow *window = openWindow();
    window->switchTab(tab);
    QAction *remove = tab == 1 ? window->menus()->mnuIPopRemove : window->menus()->mnuRemoveGroup;
    if (tab == 1) {
        window->findChild<QLineEdit *>("txtFilter")->setText("nothing matches");
        window->RefreshURLPage();
        QCOMPARE(shownTitles().size(), 0);
    }

    m_prompter.answers << Prompter::Answer::No << Prompter::Answer::Yes;
    remove->trigger();
    QCOMPARE(m_prompter.asked, QStringList {"message|Tessaly|Remove Selected Group?\r\n\r\nNews\r\n\r\nThis will "
                                            "Delete 2 contained entries."});
    QCOMPARE(m_state->store.IDXList().groupCount(), 3);
    remove->trigger();
    QCOMPARE(m_state->store.IDXList().groupCount(), 2);
    QCOMPARE(m_state->store.IDXList().at(0).name, QString("Tech"));
    QCOMPARE(m_state->store.urlDatas().Count(), 1);
    QCOMPARE(m_state->store.urlDatas().Item(1)->Owner, 0);
    QCOMPARE(m_state->store.changeCount(), 1);
    QCOMPARE(window->GetSelectedIndex(), 0);  // Tech moved down to 0
    QCOMPARE(m_state->dialogState, 0);
    m_prompter.answers << Prompter::Answer::No;
    remove->trigger();
    QCOMPARE(m_prompter.asked.last(), "message|Tessaly|Remove Selected Group?\r\n\r\nTech\r\n\r\nThis will Delete "
                                      "1 contained entry.");
    QCOMPARE(m_state->store.IDXList().groupCount(), 2);
    if (tab == 2) {
        QCOMPARE(window->standardView()->groupCombo()->count(), 2);
        QCOMPARE(window->standardView()->groupCombo()->currentText(), QString("Tech"));
        QCOMPARE(shownTitles(), QStringList {"Gamma"});
        return;
    }
    // A group without entries goes without a question.
    window->advancedView()->indexPanel()->groupList()->selectGroup(1);  // Empty
    remove->trigger();
    QCOMPARE(m_prompter.asked.size(), 3);
    QCOMPARE(m_state->store.IDXList().groupCount(), 1);
}

QTEST_MAIN(TestMainWindowGroups)
#include "TestMainWindowGroups.moc"
