// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window on a real store, offscreen, with the prompts answered:
// its layout, panels, menus, keys and prompts. (Preferences, Help and
// About: TestPreferencesCommands.)

#include "MainWindowTestCase.h"

#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>
#include <functional>
#include <memory>

using namespace MainWindowTest;

class TestMainWindow : public MainWindowTestCase
{
    Q_OBJECT

    // The program's translations as main() installs them: English, with the
    // singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void init() { setUpWindow(); }
    void cleanup() { tearDownWindow(); }

    void columnWidthsFitOrFollowSettings_data();
    void columnWidthsFitOrFollowSettings();
    void tabKeysSwitchTabs_data();
    void tabKeysSwitchTabs();
    void indexPanelLaidOutWithoutStoredLayout();
    void ratingFiltersRightClickShowsSortMenu();
    void fullWindowHidesPanels();
    void startNotesShownOnceOverThePanels();
    void statusMessageStandsInPlaceOfPanels_data();
    void statusMessageStandsInPlaceOfPanels();
    void safeQuestionDefaultsToNo_data();
    void safeQuestionDefaultsToNo();
    void inputBoxHasRoomForItsTitle();
    void folderDialogOpensAtStartFolder_data();
    void folderDialogOpensAtStartFolder();
    void menusFollowState();
    void menusHaveAccessKeys();
    void controlsHaveAccessibleNames_data();
    void controlsHaveAccessibleNames();
    void wheelOnTabStripSwitchesNothing();
    void deactivationHidesOnlyWithButtonAndNoPrompt_data();
    void deactivationHidesOnlyWithButtonAndNoPrompt();
};

void TestMainWindow::columnWidthsFitOrFollowSettings_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("storedTwips");
    QTest::addColumn<QString>("mustFit");
    QTest::addColumn<QString>("ch");  // when not empty: "CH" as stored, read by the window's load
    QTest::newRow("rating fits Not Rated") << 2 << 0 << "Not Rated" << "";
    // A date with two-digit day and month and a time: as long as they get.
    const QString date = EntryRowTexts::generalDateText(DayCount::fromDateTime({{2025, 11, 29}, {23, 59, 59}}));
    QTest::newRow("last visited fits a date") << 4 << 0 << date << "";
    QTest::newRow("created fits a date") << 5 << 0 << date << "";
    QTest::newRow("title fits its header") << 0 << 0 << "Title" << "";
    QTest::newRow("stored width wins") << 1 << 1500 << "" << "";
    QTest::newRow("stored narrow rating wins") << 2 << 600 << "" << "";
    // A stored 0 is no width chosen: the column fits, as with nothing stored.
    const QString zeros = "0 0 0 0 0 0 0 0 0 ";
    QTest::newRow("stored 0: rating fits") << 2 << 0 << "Not Rated" << zeros;
    QTest::newRow("stored 0: created fits") << 5 << 0 << date << zeros;
    QTest::newRow("stored 0 beside a stored width") << 1 << 1500 << "" << "0 1500 0 ";
}

void TestMainWindow::columnWidthsFitOrFollowSettings()
{
    QFETCH(int, column);
    QFETCH(int, storedTwips);
    QFETCH(QString, mustFit);
    QFETCH(QString, ch);
    if (ch.isEmpty()) {
        m_state->settings.aLS = false;
        m_state->settings.columnWidths[size_t(column)] = storedTwips;
    } else {
        regModule::createNewKey(AppSettings::settingsKey, Registry::HKEY_CURRENT_USER);
        regModule::setKeyValue(AppSettings::settingsKey, "CH", ch, regModule::REG_SZ);
    }
    MainWindow *window = openWindow();
    window->resize(1600, 500);
    QHeaderView *header = window->activeList()->header();
    const double twips = WindowHelpers::twipsPerPixel(window);
    if (storedTwips > 0) {
        QCOMPARE(header->sectionSize(column), qRound(storedTwips / twips));
    } else {
        const QFontMetrics metrics(window->activeList()->font());
        QVERIFY2(header->sectionSize(column) > metrics.horizontalAdvance(mustFit),
                 qPrintable(QString::number(header->sectionSize(column))));
    }
    // "Visited", the last column, fits its header and takes the spare width.
    QTRY_VERIFY(header->sectionSize(6) >= header->sectionSizeHint(6));
    QCOMPARE(header->sectionPosition(6) + header->sectionSize(6), window->activeList()->viewport()->width());

    // Widths go to the settings in twips through the real header, and back.
    header->resizeSection(column, 150);
    window->menus()->mnuSaveSettings->trigger();
    const QStringList saved = regModule::queryValue(AppSettings::settingsKey, "CH").split(' ');
    QCOMPARE(saved.value(column).toInt(), qRound(150 * twips));
    AppState again;
    QCOMPARE(reopenedWindow(again)->activeList()->header()->sectionSize(column), 150);
}

void TestMainWindow::tabKeysSwitchTabs_data()
{
    QTest::addColumn<QKeyCombination>("keys");
    QTest::newRow("Ctrl+Tab") << QKeyCombination(Qt::ControlModifier, Qt::Key_Tab);
    QTest::newRow("Ctrl+PgDn") << QKeyCombination(Qt::ControlModifier, Qt::Key_PageDown);
    QTest::newRow("Ctrl+PgUp") << QKeyCombination(Qt::ControlModifier, Qt::Key_PageUp);
    QTest::newRow("Ctrl+Shift+Tab") << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Backtab);
}

void TestMainWindow::tabKeysSwitchTabs()
{
    QFETCH(QKeyCombination, keys);
    MainWindow *window = openWindow();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->activeList()->setFocus();
    QTest::keyClick(window->activeList(), keys.key(), keys.keyboardModifiers());
    QCOMPARE(window->view().currentTab, 2);
    QCOMPARE(window->tabStrip()->currentIndex(), 1);
    QTest::keyClick(window->activeList(), keys.key(), keys.keyboardModifiers());
    QCOMPARE(window->view().currentTab, 1);
    QCOMPARE(window->tabStrip()->currentIndex(), 0);
}

// Without a stored layout the index panel is still laid out for its mode,
// and the flip button has its picture; the flip and the mode arrows are kept
// in the settings.
void TestMainWindow::indexPanelLaidOutWithoutStoredLayout()
{
    m_state->settings.aLS = false;
    m_state->settings.advMode = 1;
    MainWindow *window = openWindow();
    IndexPanel *panel = window->advancedView()->indexPanel();
    QCOMPARE(panel->groupList()->headerItem()->text(0), QString("Group List"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(!panel->indexButton(i)->isVisibleTo(panel));
    QToolButton *flip = window->advancedView()->flipButton();
    QVERIFY(!flip->icon().isNull());
    // At the picture's logical size, from its 2x form on a high-DPI screen.
    QCOMPARE(flip->iconSize(), QSize(16, 16));
    QCOMPARE(flip->icon().pixmap(QSize(16, 16), 2.0).toImage().convertToFormat(QImage::Format_ARGB32),
             QImage(m_state->appFolder + "/uBank/b1u@2x.bnk").convertToFormat(QImage::Format_ARGB32));
    const qint64 expanded = flip->icon().pixmap(16).toImage().cacheKey();
    flip->setIconSize(QSize(24, 24));  // as a style with larger icons would
    flip->click();
    QCOMPARE(flip->iconSize(), QSize(16, 16));
    QVERIFY(!panel->isVisibleTo(window));
    QVERIFY(flip->icon().pixmap(16).toImage().cacheKey() != expanded);
    QVERIFY(!flip->icon().isNull());
    QVERIFY(!m_state->settings.filterAdvanced);  // remembered for the next start
    flip->click();
    QVERIFY(panel->isVisibleTo(window));
    QVERIFY(m_state->settings.filterAdvanced);

    // The mode arrows step round the three modes, and the settings keep the mode.
    for (const auto &[button, mode] : {std::pair(2, 2), std::pair(2, 0), std::pair(0, 2), std::pair(0, 1)}) {
        panel->modeButton(button)->click();
        QCOMPARE(window->view().advMode, mode);
        QCOMPARE(m_state->settings.advMode, mode);
    }
}

void TestMainWindow::ratingFiltersRightClickShowsSortMenu()
{
    MainWindow *window = openWindow();
    window->switchTab(2);
    QPushButton *button = window->standardView()->ratingFilterButton();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3), button->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(button, &event);
    QTRY_VERIFY(window->menus()->mnuSort->isVisible());
    window->menus()->mnuSort->hide();
}

// The full-window view, as stored, hides the tab strip, the status bar, the
// flip button and the index panel; Escape and the menu command bring them
// back and take them away again.
void TestMainWindow::fullWindowHidesPanels()
{
    m_state->settings.bFW = true;
    MainWindow *window = openWindow();
    const QList<QWidget *> panels {window->tabStrip(), window->statusBar(), window->advancedView()->flipButton(),
                                   window->advancedView()->indexPanel()};
    const auto shown = [&] {
        QString visible;
        for (const QWidget *panel : panels)
            visible += panel->isVisible() ? '1' : '0';
        return visible;
    };
    QVERIFY(window->view().fullWindow);
    QVERIFY(window->menus()->mnuFullwindow->isChecked());
    QCOMPARE(shown(), "0000");
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->view().fullWindow);
    QCOMPARE(shown(), "1111");
    QCOMPARE(statusText("StatusBar1_1"), QString("Viewed: 2"));
    window->menus()->mnuFullwindow->trigger();
    QVERIFY(window->view().fullWindow);
    QCOMPARE(shown(), "0000");
}

// What the program's start found is the status bar's message when the window
// first opens, in place of the panels (not drawn over them), and only then.
void TestMainWindow::startNotesShownOnceOverThePanels()
{
    m_state->startNotes << "moved" << "no such folder";
    MainWindow *window = openWindow();
    QCOMPARE(window->statusBar()->currentMessage(), QString("moved; no such folder"));
    QVERIFY(!window->findChild<QLabel *>("StatusBar1_1")->isVisible());
    QVERIFY(!window->findChild<QLabel *>("StatusBar1_2")->isVisible());
    QVERIFY(m_state->startNotes.isEmpty());
    AppState again;
    const auto reopened = reopenedWindow(again);
    reopened->show();
    QVERIFY(reopened->statusBar()->currentMessage().isEmpty());
    QVERIFY(reopened->findChild<QLabel *>("StatusBar1_1")->isVisible());
}

// A message given while the full-window view hides the status bar stands in
// place of the panels once the view ends, not over them; one cleared then
// gives the panels back.
void TestMainWindow::statusMessageStandsInPlaceOfPanels_data()
{
    QTest::addColumn<QString>("given");  // "merge", "cleared" or "load"
    QTest::addColumn<QString>("message");
    QTest::newRow("a merge in the full-window view") << "merge" << "Merged 1 group, 1 entry";
    QTest::newRow("a message cleared in the full-window view") << "cleared" << "";
    QTest::newRow("the start's notes in the stored full-window view") << "load" << "moved";
}

void TestMainWindow::statusMessageStandsInPlaceOfPanels()
{
    QFETCH(QString, given);
    QFETCH(QString, message);
    m_state->settings.bFW = given == "load";
    if (given == "load")
        m_state->startNotes << "moved";
    MainWindow *window = openWindow();
    if (given != "load")
        QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(window->view().fullWindow);
    QVERIFY(!window->statusBar()->isVisible());
    if (given == "merge") {
        m_prompter.openFiles
            << TestEnvironment::writeFile(m_dir->filePath("other.tsy"), "+Extra\r\nx\x05Xi\r\n");
        window->menus()->mnuMergeTsy->trigger();
    } else if (given == "cleared") {
        window->showStatus("passing");
        window->statusBar()->clearMessage();
    }
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(window->statusBar()->isVisible());
    QCOMPARE(window->statusBar()->currentMessage(), message);
    for (const char *panel : {"StatusBar1_1", "StatusBar1_2"})
        QCOMPARE(window->findChild<QLabel *>(panel)->isVisible(), message.isEmpty());
}

// Enter alone answers a question whose Yes gives something up with No.
void TestMainWindow::safeQuestionDefaultsToNo_data()
{
    QTest::addColumn<Prompter::Buttons>("buttons");
    QTest::addColumn<Prompter::Answer>("byEnter");
    QTest::newRow("Yes and No") << Prompter::Buttons::YesNo << Prompter::Answer::Yes;
    QTest::newRow("Yes and No, No the safe one") << Prompter::Buttons::YesNoSafe << Prompter::Answer::No;
}

void TestMainWindow::safeQuestionDefaultsToNo()
{
    QFETCH(Prompter::Buttons, buttons);
    QFETCH(Prompter::Answer, byEnter);
    WidgetPrompter prompter;
    QTimer::singleShot(0, [] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
        QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(prompter.messageBox("Replace?", buttons, Prompter::Icon::Question, "Tessaly"), byEnter);
}

void TestMainWindow::inputBoxHasRoomForItsTitle()
{
    const QString title = "A rather long title for a small input box";
    WidgetPrompter prompter;
    QWidget owner;
    prompter.setOwner(&owner);
    Qt::WindowFlags flags;
    int width = 0;
    whenModal([&](QWidget *box) {
        flags = box->windowFlags();
        width = box->width();
        QCOMPARE(box->minimumSize(), box->maximumSize());
        static_cast<QDialog *>(box)->reject();
    });
    QCOMPARE(prompter.inputBox("Enter Group Name: ", title, "x"), QString());
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QFont bold = owner.font();
    bold.setBold(true);
    QVERIFY2(width > QFontMetrics(bold).horizontalAdvance(title), qPrintable(QString("%1 %2").arg(width).arg(QFontMetrics(bold).horizontalAdvance(title))));
}

void TestMainWindow::folderDialogOpensAtStartFolder_data()
{
    QTest::addColumn<QString>("start");  // under the test's folder; "-" for none
    QTest::addColumn<QString>("opened");  // "~" for the home folder
    QTest::newRow("a folder that is there") << "a/b" << "a/b";
    QTest::newRow("a folder not made yet: the nearest one above") << "a/b/c/d" << "a/b";
    QTest::newRow("no folder: the home folder") << "-" << "~";
}

// The real folder dialog, opened at the folder the command names.
void TestMainWindow::folderDialogOpensAtStartFolder()
{
    QFETCH(QString, start);
    QFETCH(QString, opened);
    QVERIFY(QDir().mkpath(m_dir->filePath("a/b")));
    QVERIFY(QDir().mkpath(QDir::homePath()));  // the test's own home folder
    WidgetPrompter prompter;
    QString title;
    QString shown;
    bool foldersOnly = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        title = dialog->windowTitle();
        shown = dialog->directory().absolutePath();
        foldersOnly = dialog->fileMode() == QFileDialog::Directory;
        dialog->reject();
    });
    const QString answer = prompter.folderName("Pick", start == "-" ? QString() : m_dir->filePath(start));
    QCOMPARE(answer, QString());
    QCOMPARE(title, QString("Pick"));
    QVERIFY(foldersOnly);
    QCOMPARE(shown, opened == "~" ? QDir::homePath() : m_dir->filePath(opened));
}

void TestMainWindow::menusFollowState()
{
    m_state->settings.aLU = false;
    MainWindow *window = openWindow();
    MainMenus *menus = window->menus();
    QVERIFY(!menus->mnuRenameGroup->isEnabled());
    QVERIFY(!menus->mnuRemove->isEnabled());
    window->menus()->mnuOpenDefault->trigger();
    QVERIFY(menus->mnuRenameGroup->isEnabled());
    QVERIFY(menus->mnuRemove->isEnabled());
    QVERIFY(!menus->mnuFindNext->isEnabled());
}

// Every command of the menu bar and of the pop-up menus has an access key
// of its own within its menu; the captions' words are the system's.
void TestMainWindow::menusHaveAccessKeys()
{
    MainWindow *window = openWindow();
    MainMenus *menus = window->menus();
    QCOMPARE(AccessChecks::accessKeyFaults(window->menuBar()).join("; "), QString());
    QCOMPARE(AccessChecks::accessKeyFaults(menus->mnuPopup).join("; "), QString());
    QCOMPARE(AccessChecks::accessKeyFaults(menus->mnuIPop).join("; "), QString());
    QStringList sorts;
    for (const QAction *action : menus->mnuSort->actions())
        sorts << (action->isSeparator() ? QString("-") : AccessChecks::visibleText(action->text()));
    QCOMPARE(sorts, (QStringList {"Title", "Rated", "Times Visited", "Last Visited Date", "-", "URL",
                                  "Creation Date", "Category", "-"}));
    QStringList bar;
    for (const QAction *action : window->menuBar()->actions())
        bar << AccessChecks::visibleText(action->text());
    QCOMPARE(bar, (QStringList {"File", "Edit", "URLs", "Groups", "Settings", "Help"}));
}

// Every control of the main window has a name for assistive technology,
// in each tab and each mode of the index panel.
void TestMainWindow::controlsHaveAccessibleNames_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("advMode");
    QTest::addColumn<QStringList>("named");  // accessible names that must be there
    QTest::newRow("Advanced tab, index mask")
        << 1 << 0
        << QStringList {"Entries", "Groups", "Show or hide the index panel", "Previous panel", "Next panel"};
    QTest::newRow("Advanced tab, group list") << 1 << 1 << QStringList {"Entries", "Groups"};
    QTest::newRow("Advanced tab, filters")
        << 1 << 2 << QStringList {"Visited: times", "Last Accessed: unit", "Title holds"};
    QTest::newRow("Standard tab") << 2 << 1 << QStringList {"Entries", "Group"};
}

void TestMainWindow::controlsHaveAccessibleNames()
{
    QFETCH(int, tab);
    QFETCH(int, advMode);
    QFETCH(QStringList, named);
    MainWindow *window = openWindow();
    window->setAdvMode(advMode);
    window->buildFilterScrn();
    window->advancedView()->indexPanel()->filterSection()->setSlideMask(0x1f);  // every section open
    window->switchTab(tab);
    QCOMPARE(AccessChecks::unnamedControls(window).join(", "), QString());
    QStringList names;
    for (const QWidget *control : window->findChildren<QWidget *>())
        if (control->isVisible())
            names << control->accessibleName();
    for (const QString &name : named)
        QVERIFY2(names.contains(name), qPrintable(name));
}

void TestMainWindow::wheelOnTabStripSwitchesNothing()
{
    MainWindow *window = openWindow();
    QTabBar *tabs = window->tabStrip();
    QWheelEvent wheel(QPointF(5, 5), tabs->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(tabs, &wheel);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(window->view().currentTab, 1);
    QTest::mouseClick(tabs, Qt::RightButton, {}, tabs->tabRect(1).center());
    QCOMPARE(window->view().currentTab, 1);
    QCOMPARE(tabs->currentIndex(), 0);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(window->view().currentTab, 2);
}

void TestMainWindow::deactivationHidesOnlyWithButtonAndNoPrompt_data()
{
    QTest::addColumn<bool>("buttonShown");
    QTest::addColumn<int>("dialogState");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("floating button in use") << true << 0 << true;
    QTest::newRow("no floating button") << false << 0 << false;
    QTest::newRow("a prompt open") << true << 1 << false;
}

void TestMainWindow::deactivationHidesOnlyWithButtonAndNoPrompt()
{
    QFETCH(bool, buttonShown);
    QFETCH(int, dialogState);
    QFETCH(bool, hidden);
    MainWindow *window = openWindow();
    m_state->settings.aI = buttonShown;
    m_state->dialogState = dialogState;
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    QCOMPARE(window->isVisible(), !hidden);
    m_state->dialogState = 0;
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
