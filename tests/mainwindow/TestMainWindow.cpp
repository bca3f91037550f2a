#include "AccessChecks.h"
#include "AdvancedView.h"
#include "AppPaths.h"
#include "AppState.h"
#include "DayCount.h"
#include "EntryRowTexts.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "FilterSection.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "ScriptedPrompter.h"
#include "StackFile.h"
#include "URLBlock.h"
#include "UnsavedStore.h"
#include "StackFileLock.h"
#include "StandardView.h"
#include "TestEnvironment.h"
#include "TrayWindowSettingsHost.h"
#include "UrlOpener.h"
#include "WidgetPrompter.h"
#include "WindowHelpers.h"
#include "Registry.h"
#include "regModule.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QStatusBar>
#include <QToolButton>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QWheelEvent>
#include <QtTest>

#include <functional>
#include <memory>

using TestEnvironment::entryLine;

namespace {

// Three groups: News (Alpha, Beta), Tech (Gamma), Empty. Alpha was visited
// three times, Beta never; ratings 2, 0 and 4.
const QByteArray stackText = "+News\r\n" + entryLine({"http://a.example/", "Alpha", "B1340927C", "B12800000", "3", "0", "2"})
    + "\r\n" + entryLine({"http://b.example/", "Beta", "0", "B12800000", "0", "0", "0"}) + "\r\n+Tech\r\n"
    + entryLine({"http://g.example/", "Gamma", "B1340927C", "B12800000", "1", "0", "4"}) + "\r\n+Empty\r\n";

// The tray window's side of applied options, recorded.
class RecordingTray : public TrayWindowSettingsHost
{
public:
    QStringList calls;
    int screenWidth() const override { return 19200; }
    int screenHeight() const override { return 14400; }
    WindowRect trayGeometry() const override { return {}; }
    void moveTrayWindow(int, int) override { }
    void setTrayIcon(bool disable) override { calls << QString("trayIcon %1").arg(disable); }
    void showActiveIcon() override { calls << "showActiveIcon"; }
};

class RecordingOpener : public UrlOpener
{
public:
    QStringList opened;
    bool open(const QUrl &url, QString *) override
    {
        opened << url.toString();
        return true;
    }
};

// The settings that the options dialog edits, as "name=value" words.
QString optionSettings(const AppSettings &s)
{
    return QString("aLS=%1 aSS=%2 aLU=%3 aSU=%4 uSK=%5 pB=%6 iAOT=%7 hAI=%8 aI=%9 ")
               .arg(s.aLS).arg(s.aSS).arg(s.aLU).arg(s.aSU).arg(s.uSK).arg(s.pB).arg(s.iAOT).arg(s.hAI).arg(s.aI)
        + QString("mT=%1 oC=%2 mAOT=%3 dTI=%4 cAF=%5 tP=%6").arg(s.mT).arg(s.oC).arg(s.mAOT).arg(s.dTI).arg(s.cAF).arg(s.tP);
}

// Runs work on the modal window as soon as it is up.
void whenModal(const std::function<void(QWidget *)> &work)
{
    QTimer::singleShot(0, [work] { work(QApplication::activeModalWidget()); });
}

} // namespace

// The main window on a real store, offscreen, with the prompts answered.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadReadsDefaultFile_data();
    void loadReadsDefaultFile();
    void unloadSavesAsSettingsSay_data();
    void unloadSavesAsSettingsSay();
    void automaticSaveMergesIntoUnloadedFile_data();
    void automaticSaveMergesIntoUnloadedFile();
    void saveDefaultAsksBeforeReplacingUnloadedFile_data();
    void saveDefaultAsksBeforeReplacingUnloadedFile();
    void loadInPlaceClearsRows_data();
    void loadInPlaceClearsRows();
    void groupCommandsReturnAfterFilterMode();
    void columnWidthsFitOrFollowSettings_data();
    void columnWidthsFitOrFollowSettings();
    void tabKeysSwitchTabs_data();
    void tabKeysSwitchTabs();
    void indexPanelLaidOutWithoutStoredLayout();
    void ratingFiltersRightClickShowsSortMenu();
    void saveAllAndLoadAll();
    void fullWindowHidesPanels();
    void flushResetsPreviousTab();
    void storeHoldsDefaultFileLock();
    void startNotesShownOnceOverThePanels();
    void statusMessageStandsInPlaceOfPanels_data();
    void statusMessageStandsInPlaceOfPanels();
    void safeQuestionDefaultsToNo_data();
    void safeQuestionDefaultsToNo();
    void inputBoxHasRoomForItsTitle();
    void folderDialogOpensAtStartFolder_data();
    void folderDialogOpensAtStartFolder();
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
    void quickAddByDrop_data();
    void quickAddByDrop();
    void saveAsAddsExtension_data();
    void saveAsAddsExtension();
    void mergeAddsGroups_data();
    void mergeAddsGroups();
    void layoutIsSavedAndRestored();
    void menusFollowState();
    void menusHaveAccessKeys();
    void controlsHaveAccessibleNames_data();
    void controlsHaveAccessibleNames();
    void wheelOnTabStripSwitchesNothing();
    void deactivationHidesOnlyWithButtonAndNoPrompt_data();
    void deactivationHidesOnlyWithButtonAndNoPrompt();
    void preferencesApplyAtOnce_data();
    void preferencesApplyAtOnce();
    void preferencesKeepStoredChoices_data();
    void preferencesKeepStoredChoices();
    void helpPagesByContext_data();
    void helpPagesByContext();
    void programPathByName();
    void aboutBoxFromMenu();

private:
    MainWindow *openWindow();
    std::unique_ptr<MainWindow> reopenedWindow(AppState &state);
    QString statusText(const char *label) const { return m_window->findChild<QLabel *>(label)->text(); }
    QStringList shownTitles() const;
    QString stackFile() const { return m_dir->filePath("Pemberly.tsy"); }

    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    ScriptedPrompter m_prompter;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::init()
{
    m_config = std::make_unique<TestEnvironment::ConfigFolder>();
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
    m_state->appFolder = QCoreApplication::applicationDirPath();
    m_state->stackBase = m_dir->filePath("Pemberly");
    m_prompter = ScriptedPrompter();
    m_prompter.watched = &m_state->dialogState;
    TestEnvironment::writeFile(stackFile(), stackText);
}

void TestMainWindow::cleanup()
{
    m_window.reset();
}

MainWindow *TestMainWindow::openWindow()
{
    m_window = std::make_unique<MainWindow>(*m_state, m_prompter, nullptr);
    m_window->load();
    m_window->show();
    return m_window.get();
}

// A second window over the same files and settings, as at the next start.
std::unique_ptr<MainWindow> TestMainWindow::reopenedWindow(AppState &state)
{
    m_window.reset();
    state.appFolder = m_state->appFolder;
    state.stackBase = m_state->stackBase;
    auto window = std::make_unique<MainWindow>(state, m_prompter, nullptr);
    window->load();
    return window;
}

QStringList TestMainWindow::shownTitles() const
{
    QStringList titles;
    const EntryListModel *model = m_window->activeModel();
    for (int row = 0; row < model->rowCount(); ++row)
        titles << model->index(row, 0).data().toString();
    return titles;
}

void TestMainWindow::loadReadsDefaultFile_data()
{
    QTest::addColumn<bool>("autoLoad");
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<int>("entries");
    QTest::newRow("auto load on") << true << true << 3;
    QTest::newRow("auto load off") << false << true << 0;
    QTest::newRow("no default file: empty store, nothing written") << true << false << 0;
}

// While hideOnClose is set, closing only hides the window; without it the
// window unloads.
void TestMainWindow::loadReadsDefaultFile()
{
    QFETCH(bool, autoLoad);
    QFETCH(bool, fileExists);
    QFETCH(int, entries);
    m_state->settings.aLU = autoLoad;
    if (!fileExists)
        QVERIFY(QFile::remove(stackFile()));
    MainWindow *window = openWindow();
    QVERIFY(m_state->mainWindowReady);
    QVERIFY(m_state->hideOnClose);
    QCOMPARE(m_state->store.urlDatas().Count(), entries);
    QCOMPARE(statusText("StatusBar1_2"), QString("Total: %1").arg(entries));
    if (entries > 0) {
        // Nothing stored: the group list mode, first group chosen.
        QCOMPARE(window->view().advMode, 1);
        QCOMPARE(shownTitles(), (QStringList {"Alpha", "Beta"}));
        QCOMPARE(statusText("StatusBar1_1"), QString("Viewed: 2"));
    }
    window->close();
    QVERIFY(!window->isVisible());
    QVERIFY(m_state->mainWindowReady);
    QCOMPARE(m_state->store.urlDatas().Count(), entries);
    // "Open Default" loads the file when it was not loaded at start.
    window->menus()->mnuOpenDefault->trigger();
    QCOMPARE(m_state->store.urlDatas().Count(), fileExists ? 3 : 0);
    window->show();
    m_state->hideOnClose = false;
    window->close();
    QVERIFY(!m_state->mainWindowReady);
    QCOMPARE(QFileInfo::exists(stackFile()), fileExists);
}

void TestMainWindow::unloadSavesAsSettingsSay_data()
{
    QTest::addColumn<bool>("eject");  // "Eject Bookmarks", else "Flush to Tray"
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<bool>("emptied");
    QTest::addColumn<bool>("written");
    QTest::newRow("flush, auto save on") << false << true << true << true << true;
    QTest::newRow("flush, auto save off: changes dropped") << false << false << true << true << false;
    QTest::newRow("flush, save fails: store kept") << false << true << false << false << false;
    QTest::newRow("eject, auto save on") << true << true << true << true << true;
    QTest::newRow("eject, auto save off: changes dropped") << true << false << true << true << false;
    QTest::newRow("eject, save fails: store kept") << true << true << false << false << false;
}

// An automatic save that fails keeps the store and the window loaded; the
// program's end then writes the store to a file of its own.
void TestMainWindow::unloadSavesAsSettingsSay()
{
    QFETCH(bool, eject);
    QFETCH(bool, autoSave);
    QFETCH(bool, fileWritable);
    QFETCH(bool, emptied);
    QFETCH(bool, written);
    m_state->settings.aSU = autoSave;
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath("data")));
    MainWindow *window = openWindow();
    if (!fileWritable) {
        QVERIFY(QFile::remove(stackFile()));
        QVERIFY(QDir(m_dir->path()).mkdir("Pemberly.tsy"));
    }
    QSignalSpy unloaded(window, &MainWindow::unloaded);
    window->quickAdd("http://new.example/");
    QCOMPARE(m_state->store.changeCount(), 1);
    (eject ? window->menus()->mnuEject : window->menus()->mnuFree)->trigger();
    QCOMPARE(m_state->store.urlDatas().Count(), emptied ? 0 : 4);
    QCOMPARE(m_state->store.changeCount(), emptied ? 0 : 1);
    QCOMPARE(m_state->mainWindowReady, !emptied);
    QCOMPARE(TestEnvironment::readFile(stackFile()).contains("new.example"), written);
    if (fileWritable && !written)
        QCOMPARE(TestEnvironment::readFile(stackFile()), stackText);
    QCOMPARE(QFileInfo::exists(m_dir->filePath("Pemberly.bak")), written);
    if (eject) {  // the window stays, and says why the store stays
        QVERIFY(window->isVisible());
        QCOMPARE(statusText("StatusBar1_2"), QString("Total: %1").arg(emptied ? 0 : 4));
        QCOMPARE(window->statusBar()->currentMessage().isEmpty(), emptied);
    } else {
        QCOMPARE(unloaded.count(), emptied ? 1 : 0);
        QCOMPARE(m_state->hideOnClose, !emptied);
        // The layout is written at unload too (auto save settings is on).
        QVERIFY(!emptied || !regModule::queryValue(AppSettings::settingsKey, "CF").isEmpty());
    }
    if (emptied)
        return;
    // The program's end keeps the store in a file of its own and says where, and why.
    const QString said = TestEnvironment::standardErrorOf([&] { QVERIFY(window->unloadWindow(true)); });
    const QStringList kept = QDir(m_dir->filePath("data/Tessaly")).entryList({"unsaved-*.tsy"});
    QCOMPARE(kept.size(), 1);
    QVERIFY(TestEnvironment::readFile(m_dir->filePath("data/Tessaly/" + kept.first())).contains("new.example"));
    QVERIFY2(said.contains("could not be saved (") && said.contains("Pemberly.tsy")
                 && said.contains("kept in " + m_dir->filePath("data/Tessaly/" + kept.first())),
             qPrintable(said));
    // The next start says so too, while the file is there.
    QVERIFY(UnsavedStore::keptFilesNote().contains(kept.first()));
    QFile::remove(m_dir->filePath("data/Tessaly/" + kept.first()));
    QVERIFY(UnsavedStore::keptFilesNote().isEmpty());
}

void TestMainWindow::automaticSaveMergesIntoUnloadedFile_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("Flush to Tray") << "flush";
    QTest::newRow("Eject Bookmarks") << "eject";
    QTest::newRow("program end") << "end";
}

// With "Auto Load" off the window opens empty; what the user makes there is
// added to the default file at the automatic save, which never replaces the
// bookmarks it was not shown, and the window says so.
void TestMainWindow::automaticSaveMergesIntoUnloadedFile()
{
    QFETCH(QString, end);
    m_state->settings.aLU = false;
    MainWindow *window = openWindow();
    QCOMPARE(m_state->store.urlDatas().Count(), 0);
    QSignalSpy noted(window, &MainWindow::stackFileNoted);
    m_prompter.inputs << "Mine";
    window->menus()->mnuNewGroup->trigger();
    window->quickAdd("http://mine.example/");
    QCOMPARE(m_state->store.changeCount(), 2);

    if (end == "flush")
        window->menus()->mnuFree->trigger();
    else if (end == "eject")
        window->menus()->mnuEject->trigger();
    else
        QVERIFY(window->unloadWindow(true));

    const QByteArray file = TestEnvironment::readFile(stackFile());
    QVERIFY2(file.startsWith(stackText), file);
    QVERIFY2(file.mid(stackText.size()).startsWith("+Mine\r\nhttp://mine.example/\x05<Quick Add>\x05"), file);
    QCOMPARE(TestEnvironment::readFile(m_dir->filePath("Pemberly.bak")), stackText);
    QCOMPARE(m_state->store.urlDatas().Count(), 0);
    QCOMPARE(noted.count(), 1);
    QVERIFY(noted.first().first().toString().contains(stackFile()));
    if (end == "eject")
        QCOMPARE(window->statusBar()->currentMessage(), noted.first().first().toString());
}

void TestMainWindow::saveDefaultAsksBeforeReplacingUnloadedFile_data()
{
    QTest::addColumn<bool>("autoLoad");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<bool>("replaced");  // else merged into
    QTest::newRow("file not loaded, Yes: replaced") << false << true << Prompter::Answer::Yes << true;
    QTest::newRow("file not loaded, No: added to it") << false << true << Prompter::Answer::No << false;
    QTest::newRow("file loaded: replaced without a question") << true << false << Prompter::Answer::No << true;
}

void TestMainWindow::saveDefaultAsksBeforeReplacingUnloadedFile()
{
    QFETCH(bool, autoLoad);
    QFETCH(bool, asked);
    QFETCH(Prompter::Answer, answer);
    QFETCH(bool, replaced);
    m_state->settings.aLU = autoLoad;
    MainWindow *window = openWindow();
    if (!autoLoad) {
        m_prompter.inputs << "Mine";
        window->menus()->mnuNewGroup->trigger();
    }
    window->quickAdd("http://mine.example/");
    m_prompter.asked.clear();
    m_prompter.answers << answer;
    window->menus()->mnuSaveDefault->trigger();

    QCOMPARE(m_prompter.asked.size(), asked ? 1 : 0);
    if (asked)
        QVERIFY2(m_prompter.asked.first().contains("holds bookmarks that are not loaded"), qPrintable(m_prompter.asked.first()));
    URLBlock written;
    QVERIFY(StackFile::loadStackFile(written, stackFile(), false, 45000.0));
    const int saved = replaced && !autoLoad ? 1 : 4;
    QCOMPARE(written.urlDatas().Count(), saved);
    QCOMPARE(TestEnvironment::readFile(m_dir->filePath("Pemberly.bak")), stackText);
    QCOMPARE(m_state->store.changeCount(), 0);

    // The window now holds what the file holds: a change made next replaces
    // what it changes, without a question, and nothing comes back doubled.
    QCOMPARE(m_state->store.urlDatas().Count(), saved);
    URLData *mine = nullptr;
    for (URLData &entry : m_state->store.urlDatas()) {
        if (entry.url == "http://mine.example/")
            mine = &entry;
    }
    QVERIFY(mine);
    mine->Name = "Renamed";
    m_state->store.countChange();
    m_prompter.asked.clear();
    window->menus()->mnuSaveDefault->trigger();
    QCOMPARE(m_prompter.asked, QStringList());
    QVERIFY(StackFile::loadStackFile(written, stackFile(), false, 45000.0));
    QCOMPARE(written.urlDatas().Count(), saved);
    QVERIFY(TestEnvironment::readFile(stackFile()).contains("\x05Renamed\x05"));
    QVERIFY(!TestEnvironment::readFile(stackFile()).contains("<Quick Add>"));
}

// A load in place of the store empties the lists even when the new store
// gives nothing to list: the old rows' keys would name unrelated entries.
void TestMainWindow::loadInPlaceClearsRows_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("openAs");
    QTest::newRow("open default after the file has gone") << 1 << false;
    QTest::newRow("open default on the Standard tab") << 2 << false;
    QTest::newRow("open as: a file without group lines") << 1 << true;
}

void TestMainWindow::loadInPlaceClearsRows()
{
    QFETCH(int, tab);
    QFETCH(bool, openAs);
    MainWindow *window = openWindow();
    window->switchTab(tab);
    QVERIFY(window->activeModel()->rowCount() > 0);
    if (openAs) {
        m_prompter.openFiles << TestEnvironment::writeFile(m_dir->filePath("loose.tsy"), "u\x05Loose\r\n");
        window->menus()->mnuOpenAs->trigger();
        QCOMPARE(m_state->store.urlDatas().Count(), 1);
    } else {
        QVERIFY(QFile::remove(stackFile()));
        window->menus()->mnuOpenDefault->trigger();
        QCOMPARE(m_state->store.urlDatas().Count(), 0);
    }
    QCOMPARE(window->activeModel()->rowCount(), 0);
    QCOMPARE(window->standardView()->groupCombo()->count(), 0);
    QCOMPARE(statusText("StatusBar1_1"), QString("Viewed: 0"));
}

// The group commands are hidden while the filter section shows, and come
// back with the group list, in the menu bar and in every pop-up.
void TestMainWindow::groupCommandsReturnAfterFilterMode()
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
// and the flip button has its picture.
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
    const qint64 expanded = flip->icon().pixmap(16).toImage().cacheKey();
    flip->click();
    QVERIFY(!panel->isVisibleTo(window));
    QVERIFY(flip->icon().pixmap(16).toImage().cacheKey() != expanded);
    QVERIFY(!flip->icon().isNull());
    flip->click();
    QVERIFY(panel->isVisibleTo(window));
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

// "Save All" writes the layout and the store; "Load All" reads both back.
void TestMainWindow::saveAllAndLoadAll()
{
    m_state->settings.aSS = false;
    MainWindow *window = openWindow();
    window->quickAdd("http://kept.example/");
    window->switchTab(2);
    window->menus()->mnuSaveAll->trigger();
    QVERIFY(TestEnvironment::readFile(stackFile()).contains("kept.example"));
    QCOMPARE(m_state->store.changeCount(), 0);
    QCOMPARE(regModule::queryValue(AppSettings::settingsKey, "CF").split(' ').value(4), QString("2"));

    window->switchTab(1);
    window->menus()->mnuEject->trigger();
    QCOMPARE(m_state->store.urlDatas().Count(), 0);
    window->menus()->mnuLoadAll->trigger();
    QCOMPARE(m_state->store.urlDatas().Count(), 4);
    QCOMPARE(window->view().currentTab, 2);
    QVERIFY(shownTitles().contains("<Quick Add>"));
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

// While the store holds the default file no other writer may change it; a
// file another writer holds is not read, and the window says so.
void TestMainWindow::storeHoldsDefaultFileLock()
{
    StackFileLock other(stackFile(), StackFileLock::Holder::Tool);
    MainWindow *window = openWindow();
    QVERIFY(m_window->defaultStack().holdsLock());
    QVERIFY(!other.tryLock());
    window->menus()->mnuEject->trigger();
    QVERIFY(!m_window->defaultStack().holdsLock());
    QVERIFY(other.tryLock());
    window->menus()->mnuOpenDefault->trigger();  // waits, then gives up
    QCOMPARE(m_state->store.urlDatas().Count(), 0);
    QVERIFY2(window->statusBar()->currentMessage().contains("Pemberly.tsy"),
             qPrintable(window->statusBar()->currentMessage()));
    other.unlock();
    window->menus()->mnuOpenDefault->trigger();
    QCOMPARE(m_state->store.urlDatas().Count(), 3);
    window->menus()->mnuFree->trigger();
    QVERIFY(!m_window->defaultStack().holdsLock());
}

// After an eject the next click on either tab rebuilds it.
void TestMainWindow::flushResetsPreviousTab()
{
    MainWindow *window = openWindow();
    window->switchTab(2);
    window->flushEverything();
    QCOMPARE(window->view().previousTab, -1);
    window->menus()->mnuOpenDefault->trigger();
    window->switchTab(1);
    QCOMPARE(window->view().currentTab, 1);
    QCOMPARE(window->advancedView()->indexPanel()->groupList()->topLevelItemCount(), 3);
}

void TestMainWindow::tabSwitchCarriesChosenGroup()
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

void TestMainWindow::groupFollowsCurrentEntry_data()
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
void TestMainWindow::groupFollowsCurrentEntry()
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

void TestMainWindow::indexPanelModesCycle_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("to");
    QTest::newRow("next from filters wraps to index mask") << 2 << 2 << 0;
    QTest::newRow("previous from index mask wraps to filters") << 0 << 0 << 2;
    QTest::newRow("next from index mask") << 0 << 2 << 1;
}

void TestMainWindow::indexPanelModesCycle()
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

void TestMainWindow::groupListClickClearsListAll_data()
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
void TestMainWindow::groupListClickClearsListAll()
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

void TestMainWindow::indexMaskThroughControls()
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

void TestMainWindow::filtersThroughControls()
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

void TestMainWindow::newGroup_data()
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

void TestMainWindow::newGroup()
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

void TestMainWindow::renameCountsAsChange_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("group combo") << 2;
    QTest::newRow("group list") << 1;
}

void TestMainWindow::renameCountsAsChange()
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

void TestMainWindow::removeGroupAsksWithStoreCount_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("group list") << 1;
    QTest::newRow("group combo") << 2;
}

// The question counts the group's entries in the store, also those a
// filter hides.
void TestMainWindow::removeGroupAsksWithStoreCount()
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

// A link dropped on an entry list, or on the group list, is added to the
// chosen group.
void TestMainWindow::quickAddByDrop_data()
{
    QTest::addColumn<bool>("onGroupList");
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("entry list") << false << 0 << QStringList {"Alpha", "Beta", "<Quick Add>"};
    QTest::newRow("group list") << true << 0 << QStringList {"Alpha", "Beta", "<Quick Add>"};
    QTest::newRow("group list, another group chosen") << true << 1 << QStringList {"Gamma", "<Quick Add>"};
}

void TestMainWindow::quickAddByDrop()
{
    QFETCH(bool, onGroupList);
    QFETCH(int, group);
    QFETCH(QStringList, shown);
    MainWindow *window = openWindow();
    GroupListWidget *groups = window->advancedView()->indexPanel()->groupList();
    if (group != 0) {
        groups->selectGroup(group);
        emit groups->groupChosen(group);
    }
    QAbstractItemView *list = window->advancedView()->list();
    if (onGroupList)
        list = groups;
    QMimeData data;
    data.setText("https://dropped.example/page");
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
    QCOMPARE(shownTitles(), shown);
    const URLData *added = m_state->store.urlDatas().Item(4);
    QCOMPARE(added->url, QString("https://dropped.example/page"));
    QCOMPARE(added->Owner, group);
    QVERIFY(added->Created > 0);
    QCOMPARE(m_state->store.changeCount(), 1);

    QMimeData empty;
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &empty, Qt::LeftButton, Qt::NoModifier);
    refused.accept();
    QCoreApplication::sendEvent(list->viewport(), &refused);
    QVERIFY(!refused.isAccepted());
    QDropEvent nothing(QPointF(10, 10), Qt::CopyAction, &empty, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &nothing);
    QCOMPARE(m_state->store.urlDatas().Count(), 4);
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
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
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

void TestMainWindow::saveAsAddsExtension_data()
{
    QTest::addColumn<QString>("typed");  // with blanks around it, which do not count
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("no extension") << "mine" << "mine.tsy" << true;
    QTest::newRow("a trailing dot") << "mine." << "mine.tsy" << true;
    QTest::newRow("an extension is kept") << "mine.txt" << "mine.txt" << true;
    QTest::newRow("dotted folder, plain name") << "v1.2/mine" << "v1.2/mine.tsy" << true;
    QTest::newRow("not overwritten: asked again, then cancelled") << "mine.tsy" << "mine.tsy" << false;
}

// The name with the extension exists: the question is about that file. A
// file written over gets no backup.
void TestMainWindow::saveAsAddsExtension()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(bool, overwrite);
    QDir(m_dir->path()).mkdir("v1.2");
    MainWindow *window = openWindow();
    TestEnvironment::writeFile(m_dir->filePath(written), "+Old\r\n");
    m_prompter.saveFiles << "  " + m_dir->filePath(typed) + " ";
    m_prompter.answers << (overwrite ? Prompter::Answer::Yes : Prompter::Answer::No);
    window->menus()->mnuSaveAs->trigger();
    const QString save = "save|Save Pemberly As|(*.TSY)|*.tsy";
    QCOMPARE(m_prompter.asked, (QStringList {save, "message|Tessaly|File Already Exists, Overwrite?"}
                                + QStringList(overwrite ? 0 : 1, save)));
    QCOMPARE(m_state->dialogState, 0);
    QCOMPARE(TestEnvironment::readFile(m_dir->filePath(written)).startsWith("+News\r\n"), overwrite);
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QFileInfo(written).completeBaseName() + ".bak")));
    if (typed != written)
        QVERIFY(!QFileInfo::exists(m_dir->filePath(typed)));
}

void TestMainWindow::mergeAddsGroups_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("group list") << 1;
    QTest::newRow("Standard tab: the combo keeps its group") << 2;
}

// A merge puts the other file's group into ours of that name and adds its
// other groups after ours; an address already in its group is left out, and
// the status bar says what was added and what was there.
void TestMainWindow::mergeAddsGroups()
{
    QFETCH(int, tab);
    MainWindow *window = openWindow();
    window->switchTab(tab);
    if (tab == 2) {
        window->standardView()->selectGroup(1);
        emit window->standardView()->groupCombo()->activated(1);
    }
    m_prompter.openFiles << TestEnvironment::writeFile(m_dir->filePath("other.tsy"),
                                                       "+News\r\nz\x05Zeta\r\nhttp://a.example/\x05"
                                                       "Alpha again\r\n+Extra\r\nx\x05Xi\r\n");
    window->menus()->mnuMergeTsy->trigger();
    QCOMPARE(m_prompter.asked, QStringList {"open|Merge From Pemberly|(*.TSY)|*.tsy"});
    QCOMPARE(m_state->store.IDXList().groupCount(), 4);
    QCOMPARE(m_state->store.IDXList().at(3).name, "Extra");
    QCOMPARE(m_state->store.urlDatas().Count(), 5);
    QCOMPARE(m_state->store.urlDatas().Item(4)->Name, "Zeta");
    QCOMPARE(m_state->store.urlDatas().Item(4)->Owner, 0);
    QCOMPARE(m_state->store.changeCount(), 1);
    QCOMPARE(window->statusBar()->currentMessage(), "Merged 1 group, 2 entries; 1 already there");
    if (tab == 1) {
        QCOMPARE(window->advancedView()->indexPanel()->groupList()->topLevelItemCount(), 4);
    } else {
        QCOMPARE(window->standardView()->groupCombo()->count(), 4);
        QCOMPARE(window->standardView()->selectedGroup(), 1);
        QCOMPARE(shownTitles(), QStringList {"Gamma"});
    }

    // The same file again adds nothing.
    m_prompter.openFiles << m_dir->filePath("other.tsy");
    window->menus()->mnuMergeTsy->trigger();
    QCOMPARE(m_state->store.IDXList().groupCount(), 4);
    QCOMPARE(m_state->store.urlDatas().Count(), 5);
    QCOMPARE(window->statusBar()->currentMessage(), "Merged 0 groups, 0 entries; 3 already there");
}

void TestMainWindow::layoutIsSavedAndRestored()
{
    MainWindow *window = openWindow();
    window->setGeometry(100, 80, 700, 500);
    window->switchTab(2);
    window->standardView()->selectGroup(1);
    window->setAdvMode(2);
    window->menus()->mnuSaveSettings->trigger();
    const QString cf = regModule::queryValue(AppSettings::settingsKey, "CF");
    QVERIFY2(cf.startsWith("8 0 0 0 2 2 1 "), qPrintable(cf));

    AppState restored;
    const auto again = reopenedWindow(restored);
    QCOMPARE(again->view().currentTab, 2);
    QCOMPARE(again->view().advMode, 2);
    QCOMPARE(again->standardView()->selectedGroup(), 1);
    QCOMPARE(again->geometry().size(), QSize(700, 500));
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
    QCOMPARE(bar, (QStringList {"File", "URLs", "Groups", "Settings", "Help"}));
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

void TestMainWindow::preferencesApplyAtOnce_data()
{
    QTest::addColumn<bool>("activeIcon");  // the floating button is in use before
    QTest::addColumn<QStringList>("clicks");  // "tab N": the dialog's tab; "?": whether the main window is on top now
    QTest::addColumn<QString>("changed");    // settings that differ afterwards
    QTest::addColumn<QStringList>("trayCalls");
    QTest::addColumn<bool>("onlyOnline");  // hAI before, and the program online
    const auto row = [](const char *name, bool active, const QStringList &clicks, const char *changed,
                        const QStringList &calls = {}, bool onlyOnline = false) {
        QTest::newRow(name) << active << clicks << QString(changed) << calls << onlyOnline;
    };
    row("cancel changes nothing", false, {"chkMAOT", "Option1_2", "optMonitor_2", "chkRAC", "cmdCancel"}, "");
    row("session, browser and internet", false,
        {"tab 2", "chkALS", "chkASS", "chkALU", "chkASU", "chkRAC", "tab 1", "Option1_1", "optAF_2", "tab 3",
         "optMonitor_1", "cmdOK"},
        "aLS=0 aSS=0 aLU=0 aSU=0 pB=1 mT=1 oC=1 cAF=2");
    row("tabs laid out again", false, {"Option2_2", "cmdOK"}, "tP=2");
    row("main window on top at once", false, {"chkMAOT", "cmdApply", "?", "cmdCancel"}, "mAOT=1");
    row("floating button turned on by the tray", false, {"chkUAI", "cmdOK"}, "aI=1", {"toggle"});
    row("floating button turned off", true, {"chkUAI", "cmdOK"}, "aI=0", {"toggle"});
    row("tray icon given up", true, {"chkDTI", "chkIAOT", "cmdOK"}, "iAOT=0 dTI=1", {"trayIcon 1"});
    row("button only while online, now offline", true, {"chkHUC", "cmdOK"}, "hAI=1", {"button hidden"});
    row("button only while online, online: turned off at once", true, {"chkUAI", "cmdOK"}, "aI=0", {"toggle"},
        true);
    row("button only while online, online: turned on at once", false, {"chkUAI", "cmdOK"}, "aI=1",
        {"toggle"}, true);
}

// The dialog's settings reach the program's settings and the windows at
// once; the main window is not on top while the dialog is up.
void TestMainWindow::preferencesApplyAtOnce()
{
    QFETCH(bool, activeIcon);
    QFETCH(QStringList, clicks);
    QFETCH(QString, changed);
    QFETCH(QStringList, trayCalls);
    QFETCH(bool, onlyOnline);
    RecordingTray tray;
    m_window = std::make_unique<MainWindow>(*m_state, m_prompter, &tray);
    m_window->load();
    m_window->show();
    AppSettings &settings = m_state->settings;
    settings.aI = activeIcon;
    settings.hAI = onlyOnline;
    m_state->isOnline = onlyOnline;
    // On top before, so that the dialog's taking it off shows; the row that
    // turns it on starts without.
    settings.mAOT = !clicks.contains("?");
    WindowHelpers::setTopmost(m_window.get(), settings.mAOT);
    connect(m_window.get(), &MainWindow::activeIconToggled, this, [&] {
        tray.calls << "toggle";
        settings.aI = !settings.aI;
    });
    connect(m_window.get(), &MainWindow::floatingButtonShown, this,
            [&](bool shown) { tray.calls << (shown ? "button shown" : "button hidden"); });
    QStringList expected = optionSettings(settings).split(' ');
    for (const QString &change : changed.split(' ', Qt::SkipEmptyParts))
        expected.replaceInStrings(QRegularExpression("^" + change.section('=', 0, 0) + "=.*"), change);

    QString during;
    whenModal([&](QWidget *dialog) {
        during = QString("%1 %2 %3").arg(dialog->objectName()).arg(m_state->dialogState)
                     .arg(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        for (const QString &name : clicks) {
            if (name == "?")
                during += QString(" top=%1").arg(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            else if (name.startsWith("tab "))
                dialog->findChild<QTabBar *>("tbsOptions")->setCurrentIndex(name.mid(4).toInt());
            else
                dialog->findChild<QAbstractButton *>(name)->click();
        }
    });
    m_window->menus()->mnuPreferences->trigger();
    QCOMPARE(during, clicks.contains("?") ? "frmOptions 1 0 top=1" : "frmOptions 1 0");
    QCOMPARE(optionSettings(settings), expected.join(' '));
    QCOMPARE(tray.calls, trayCalls);
    QCOMPARE(m_state->dialogState, 0);
    QCOMPARE(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), settings.mAOT);
    QCOMPARE(int(m_window->tabStrip()->shape()), settings.tP);  // RoundedNorth, South, West, East
}

void TestMainWindow::preferencesKeepStoredChoices_data()
{
    QTest::addColumn<QString>("setting");  // pB, mT or uSK
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("click");    // a choice of the dialog; "" none
    QTest::addColumn<QString>("caption");  // the clicked choice's caption
    QTest::addColumn<int>("after");
    QTest::newRow("Default Browser is browser 0") << "pB" << 2 << "Option1_0" << "Default Browser" << 0;
    QTest::newRow("Firefox is browser 1") << "pB" << 0 << "Option1_1" << "Firefox" << 1;
    QTest::newRow("Opera is browser 2") << "pB" << 1 << "Option1_2" << "Opera" << 2;
    QTest::newRow("VPN and dial-up is mode 0")
        << "mT" << 2 << "optMonitor_0" << "Monitor VPN and Dial-up Connections" << 0;
    QTest::newRow("any network is mode 1") << "mT" << 0 << "optMonitor_1" << "Monitor Any Network Connection" << 1;
    QTest::newRow("always connected is mode 2") << "mT" << 1 << "optMonitor_2" << "Always Connected To Internet"
                                                << 2;
    QTest::newRow("keystrokes on: not shown, kept") << "uSK" << 1 << "" << "" << 1;
    QTest::newRow("keystrokes off: not shown, kept") << "uSK" << 0 << "" << "" << 0;
}

// Each choice of the dialog is stored as the number it always had: saved,
// loaded again, shown checked in the dialog, and saved after "OK".
void TestMainWindow::preferencesKeepStoredChoices()
{
    QFETCH(QString, setting);
    QFETCH(int, before);
    QFETCH(QString, click);
    QFETCH(QString, caption);
    QFETCH(int, after);
    RecordingTray tray;
    m_window = std::make_unique<MainWindow>(*m_state, m_prompter, &tray);
    m_window->load();
    AppSettings &settings = m_state->settings;
    const auto get = [&] { return setting == "pB" ? settings.pB : setting == "mT" ? settings.mT : int(settings.uSK); };
    const auto set = [&](int v) {
        if (setting == "pB")
            settings.pB = v;
        else if (setting == "mT")
            settings.mT = v;
        else
            settings.uSK = v != 0;
    };
    set(before);
    m_window->menus()->mnuSaveSettings->trigger();
    set(before == 0 ? 1 : 0);
    m_window->menus()->mnuLoadSettings->trigger();
    QCOMPARE(get(), before);

    QStringList shown;
    whenModal([&](QWidget *dialog) {
        const QString checked = setting == "pB" ? "Option1_%1" : "optMonitor_%1";
        if (setting != "uSK")
            shown << QString("%1 checked").arg(dialog->findChild<QAbstractButton *>(checked.arg(before))->isChecked());
        for (const auto *button : dialog->findChildren<QAbstractButton *>())
            if (button->text().contains("IE3") || button->objectName() == "Check2")
                shown << "IE3 shown";
        if (!click.isEmpty()) {
            dialog->findChild<QTabBar *>("tbsOptions")->setCurrentIndex(setting == "pB" ? 1 : 3);
            auto *choice = dialog->findChild<QAbstractButton *>(click);
            shown << choice->text();
            choice->click();
        }
        dialog->findChild<QAbstractButton *>("cmdOK")->click();
    });
    m_window->menus()->mnuPreferences->trigger();
    QStringList expected {caption};
    if (setting != "uSK")
        expected.prepend("1 checked");
    expected.removeAll("");
    QCOMPARE(shown, expected);
    QCOMPARE(get(), after);
    m_window->menus()->mnuSaveSettings->trigger();
    set(after == 0 ? 1 : 0);
    m_window->menus()->mnuLoadSettings->trigger();
    QCOMPARE(get(), after);
}

void TestMainWindow::helpPagesByContext_data()
{
    QTest::addColumn<int>("context");  // -1: the Help menu; -2: the options dialog's Help on its third tab
    QTest::addColumn<QString>("page");
    QTest::newRow("General") << 1010 << "general.html";
    QTest::newRow("Browser") << 1020 << "browser.html";
    QTest::newRow("Session") << 1030 << "session.html";
    QTest::newRow("Internet") << 1040 << "internet.html";
    QTest::newRow("no page of its own") << 1015 << "index.html";
    QTest::newRow("Help menu") << -1 << "index.html";
    QTest::newRow("options dialog") << -2 << "session.html";
}

// Help pages open in the browser as file addresses of the shipped pages.
void TestMainWindow::helpPagesByContext()
{
    QFETCH(int, context);
    QFETCH(QString, page);
    MainWindow *window = openWindow();
    RecordingOpener opener;
    window->setUrlOpener(&opener);
    if (context == -1) {
        window->menus()->mnuHelp->trigger();
    } else if (context == -2) {
        whenModal([](QWidget *dialog) {
            dialog->findChild<QTabBar *>("tbsOptions")->setCurrentIndex(2);
            dialog->findChild<QAbstractButton *>("cmdHelp")->click();
            dialog->findChild<QAbstractButton *>("cmdCancel")->click();
        });
        window->menus()->mnuPreferences->trigger();
    } else {
        QVERIFY(QMetaObject::invokeMethod(window, "out_ShowHelpID", Q_ARG(int, context), Q_ARG(int, 0)));
    }
    const QString path = m_state->appFolder + "/help/" + page;
    QCOMPARE(opener.opened, QStringList {QUrl::fromLocalFile(path).toString()});
    QVERIFY(TestEnvironment::readFile(path).contains("<html"));
}

void TestMainWindow::programPathByName()
{
    MainWindow *window = openWindow();
    QVERIFY(AppPaths::fillAppPaths("/opt/tessaly/bin/tessaly"));
    for (const auto &[exeName, path] : {std::pair {"TESSALY.EXE", "/opt/tessaly/bin/tessaly"}, {"NOPE.EXE", ""}}) {
        QString found = "unchanged";
        QVERIFY(QMetaObject::invokeMethod(window, "gcfg_findCurrentVersion", Q_RETURN_ARG(QString, found),
                                          Q_ARG(QString, exeName), Q_ARG(QString, "")));
        QCOMPARE(found, QString(path));
    }
}

// "About": the library's box, centred on the screen, while dialogState is 1.
void TestMainWindow::aboutBoxFromMenu()
{
    MainWindow *window = openWindow();
    QString during;
    QPoint centre;
    whenModal([&](QWidget *box) {
        during = QString("%1 %2").arg(box->objectName()).arg(m_state->dialogState);
        centre = box->frameGeometry().center();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    window->menus()->mnuAbout->trigger();
    QCOMPARE(during, "frmAbout 1");
    QVERIFY((centre - QGuiApplication::primaryScreen()->geometry().center()).manhattanLength() <= 2);
    QCOMPARE(m_state->dialogState, 0);
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
