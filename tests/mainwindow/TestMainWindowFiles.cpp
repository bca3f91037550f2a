// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window on a real store, offscreen, with the prompts answered:
// loading, saving, merging and unloading its files.

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

class TestMainWindowFiles : public MainWindowTestCase
{
    Q_OBJECT

    // The program's translations as main() installs them: English, with the
    // singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void init() { setUpWindow(); }
    void cleanup() { tearDownWindow(); }

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
    void saveAllAndLoadAll();
    void flushResetsPreviousTab();
    void storeHoldsDefaultFileLock();
    void quickAddByDrop_data();
    void quickAddByDrop();
    void saveAsAddsExtension_data();
    void saveAsAddsExtension();
    void mergeAddsGroups_data();
    void mergeAddsGroups();
    void layoutIsSavedAndRestored();
};

void TestMainWindowFiles::loadReadsDefaultFile_data()
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
void TestMainWindowFiles::loadReadsDefaultFile()
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

void TestMainWindowFiles::unloadSavesAsSettingsSay_data()
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
void TestMainWindowFiles::unloadSavesAsSettingsSay()
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

void TestMainWindowFiles::automaticSaveMergesIntoUnloadedFile_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("Flush to Tray") << "flush";
    QTest::newRow("Eject Bookmarks") << "eject";
    QTest::newRow("program end") << "end";
}

// With "Auto Load" off the window opens empty; what the user makes there is
// added to the default file at the automatic save, which never replaces the
// bookmarks it was not shown, and the window says so.
void TestMainWindowFiles::automaticSaveMergesIntoUnloadedFile()
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

void TestMainWindowFiles::saveDefaultAsksBeforeReplacingUnloadedFile_data()
{
    QTest::addColumn<bool>("autoLoad");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<bool>("replaced");  // else merged into
    QTest::newRow("file not loaded, Yes: replaced") << false << true << Prompter::Answer::Yes << true;
    QTest::newRow("file not loaded, No: added to it") << false << true << Prompter::Answer::No << false;
    QTest::newRow("file loaded: replaced without a question") << true << false << Prompter::Answer::No << true;
}

void TestMainWindowFiles::saveDefaultAsksBeforeReplacingUnloadedFile()
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
void TestMainWindowFiles::loadInPlaceClearsRows_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("openAs");
    QTest::newRow("open default after the file has gone") << 1 << false;
    QTest::newRow("open default on the Standard tab") << 2 << false;
    QTest::newRow("open as: a file without group lines") << 1 << true;
}

void TestMainWindowFiles::loadInPlaceClearsRows()
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

// "Save All" writes the layout and the store; "Load All" reads both back.
void TestMainWindowFiles::saveAllAndLoadAll()
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

// After an eject the next click on either tab rebuilds it.
void TestMainWindowFiles::flushResetsPreviousTab()
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

// While the store holds the default file no other writer may change it; a
// file another writer holds is not read, and the window says so.
void TestMainWindowFiles::storeHoldsDefaultFileLock()
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

// A link dropped on an entry list, or on the group list, is added to the
// chosen group.
void TestMainWindowFiles::quickAddByDrop_data()
{
    QTest::addColumn<bool>("onGroupList");
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("entry list") << false << 0 << QStringList {"Alpha", "Beta", "<Quick Add>"};
    QTest::newRow("group list") << true << 0 << QStringList {"Alpha", "Beta", "<Quick Add>"};
    QTest::newRow("group list, another group chosen") << true << 1 << QStringList {"Gamma", "<Quick Add>"};
}

void TestMainWindowFiles::quickAddByDrop()
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

void TestMainWindowFiles::saveAsAddsExtension_data()
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
void TestMainWindowFiles::saveAsAddsExtension()
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

void TestMainWindowFiles::mergeAddsGroups_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("group list") << 1;
    QTest::newRow("Standard tab: the combo keeps its group") << 2;
}

// A merge puts the other file's group into ours of that name and adds its
// other groups after ours; an address already in its group is left out, and
// the status bar says what was added and what was there.
void TestMainWindowFiles::mergeAddsGroups()
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

void TestMainWindowFiles::layoutIsSavedAndRestored()
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

QTEST_MAIN(TestMainWindowFiles)
#include "TestMainWindowFiles.moc"
