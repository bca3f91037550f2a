// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's "Merge From" commands for a favorites folder and a
// bookmark file, through the real window and the library loaded by the
// component registry, with the file dialog answered by a script; and the
// long work of the window (merges, loads, Save As) shown and cancelled.

#include "AppState.h"
#include "DayCount.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "LongWorkDialog.h"
#include "LongWorkRunner.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "MergeCommands.h"
#include "ProgramTranslations.h"
#include "StackFile.h"
#include "ProfileFixtures.h"
#include "StoreMerge.h"
#include "ScriptedPrompter.h"
#include "StandardView.h"
#include "TestEnvironment.h"
#include "UndoHistory.h"
#include "../store/StoreSummary.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QMenu>
#include <QUndoStack>
#include <QStatusBar>
#include <QtTest>
#include <memory>

using TestEnvironment::entryLine;
using TestEnvironment::writeFile;

namespace {

const QByteArray stackText = "+Mine\r\n"
    + entryLine({"http://kept.example/", "Kept", "B1340927C", "B12800000", "3", "0", "2"}) + "\r\n";

}  // namespace

class TestMergeCommands : public QObject
{
    Q_OBJECT

    // The program's translations as main() installs them: English, with the
    // singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void init();
    void cleanup();
    void mergeAddsAfterStore_data();
    void mergeAddsAfterStore();
    void favoritesMergeAsksForFolder_data();
    void favoritesMergeAsksForFolder();
    void profileMenus_data();
    void profileMenus();
    void statusCountsInWords_data();
    void statusCountsInWords();
    void cancelledWorkLosesNothing_data();
    void cancelledWorkLosesNothing();

private:
    QStringList groupNames() const;
    QStringList shownRows() const;
    void writeLargeSources();
    QStringList addedEntries() const;

    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    ScriptedPrompter m_prompter;
    std::unique_ptr<MainWindow> m_window;
};

void TestMergeCommands::init()
{
    m_config = std::make_unique<TestEnvironment::ConfigFolder>();
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath("data")));
    m_state = std::make_unique<AppState>();
    m_state->appFolder = QCoreApplication::applicationDirPath();
    m_state->stackBase = m_dir->filePath("Pemberly");
    m_state->settings.aLS = false;
    m_prompter = ScriptedPrompter();
    m_prompter.watched = &m_state->dialogState;
    writeFile(m_dir->filePath("Pemberly.tsy"), stackText);
    const QString favorites = m_dir->filePath("data/Tessaly/Favorites");
    QDir().mkpath(favorites + "/Work/Old");
    writeFile(favorites + "/Root.url", "[InternetShortcut]\r\nURL=http://root/\r\n");
    writeFile(favorites + "/Work/Job.url", "[InternetShortcut]\r\nURL=http://job/\r\n");
    writeFile(favorites + "/Work/Old/Past.url", "[InternetShortcut]\r\nURL=http://past/\r\n");
    QDir().mkpath(m_dir->filePath("elsewhere"));
    writeFile(m_dir->filePath("elsewhere/Away.url"), "[InternetShortcut]\r\nURL=http://away/\r\n");
}

void TestMergeCommands::cleanup()
{
    m_window.reset();
}

void TestMergeCommands::mergeAddsAfterStore_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("runs");           // times the command is given
    QTest::addColumn<QStringList>("files");  // answers of the file dialog
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("added");  // "title|url|owner"
    QTest::addColumn<QStringList>(
        "details");                       // of each added entry: "created|last visit|visits|rating|category"
    QTest::addColumn<QString>("status");  // after the last run
    QTest::addColumn<QList<int>>("statesSeen");
    const QStringList openAsked {"open|Merge From Netscape Bookmarks|(*.HTM)|*.htm *.html"};
    const QString chromium = TESSALY_TEST_DATA "/bookmarks/chromium.html";
    // ADD_DATE 1700000000: 14 November 2023 22:13:20 (UTC, the tests' time zone); never visited.
    const QString fileDate = "45244.92593|0.00000|0|0|0";
    const QString now = "now|0.00000|0|0|0";
    const QStringList chromiumGroups {"Mine", "Bookmarks bar", "Netscape: ROOT"};
    const QStringList chromiumAdded {"Example & Co|https://example.com/?a=1&b=2|1",
                                     "Child|https://example.org/|1",
                                     "From \"Other bookmarks\"|https://other.example/|2",
                                     QString::fromUtf8("\u00dcber mobile|https://mobile.example/|2")};
    QTest::newRow("Netscape file: the file's dates kept")
        << "mnuMergeNetscape" << 1 << QStringList {chromium} << openAsked << chromiumGroups << chromiumAdded
        << QStringList {fileDate, fileDate, fileDate, fileDate} << "Merged 2 groups, 4 entries"
        << QList<int> {1};
    QTest::newRow("Netscape file merged again adds nothing")
        << "mnuMergeNetscape" << 2 << QStringList {chromium, chromium} << openAsked + openAsked
        << chromiumGroups << chromiumAdded << QStringList {fileDate, fileDate, fileDate, fileDate}
        << "Merged 0 groups, 0 entries; 4 already there" << QList<int> {1, 1};
    QTest::newRow("Firefox file: links after the folders back in the one root group")
        << "mnuMergeNetscape" << 1 << QStringList {TESSALY_TEST_DATA "/bookmarks/firefox.html"} << openAsked
        << QStringList {"Mine", "Netscape: ROOT", QString::fromUtf8("Caf\u00e9 <Work>"), "Bookmarks Toolbar"}
        << QStringList {"Example & \"Co\"|https://example.com/?a=1&b=2|1",
                        "Child|https://example.org/|2",
                        QString::fromUtf8("Deep \u2014 link|https://deep.example/|2"),
                        "After separator|https://after-separator.example/|2",
                        "Tool 'bar'|https://toolbar.example/|3",
                        "Menu link after folders|https://menu-after.example/|1"}
        << QStringList {fileDate, fileDate, fileDate, fileDate, fileDate, fileDate}
        << "Merged 3 groups, 6 entries" << QList<int> {1};
    // 1699999999.568 and 1710000000 (9 March 2024 16:00).
    QTest::newRow("our own export: every field kept, an address of the group left out")
        << "mnuMergeNetscape" << 1 << QStringList {TESSALY_TEST_DATA "/bookmarks/tessaly.html"} << openAsked
        << QStringList {"Mine"} << QStringList {"Visited|https://visited.example/|0"}
        << QStringList {"45244.92592|45360.66667|12|3|2"} << "Merged 0 groups, 1 entry; 1 already there"
        << QList<int> {1};
    const QStringList xbelAsked {"open|Merge From XBEL|(*.XBEL)|*.xbel *.xml"};
    QTest::newRow("XBEL of another editor: subfolders join their folder's group")
        << "mnuMergeXbel" << 1 << QStringList {TESSALY_TEST_DATA "/bookmarks/other-editor.xbel"} << xbelAsked
        << QStringList {"Mine", "XBEL: ROOT", "Work & Play"}
        << QStringList {"Loose|https://loose.example/|1", "Work|https://work.example/|2",
                        "Sub link|https://sub.example/|2"}
        << QStringList {fileDate, "45244.92593|45364.37500|0|0|0", now} << "Merged 2 groups, 3 entries"
        << QList<int> {1};
    QTest::newRow("our own XBEL: every field kept, an address of the group left out")
        << "mnuMergeXbel" << 1 << QStringList {TESSALY_TEST_DATA "/bookmarks/tessaly.xbel"} << xbelAsked
        << QStringList {"Mine"} << QStringList {"Visited|https://visited.example/|0"}
        << QStringList {"45244.92592|45360.66667|12|3|2"} << "Merged 0 groups, 1 entry; 1 already there"
        << QList<int> {1};
    QTest::newRow("XBEL cut short: nothing merged, the reason shown")
        << "mnuMergeXbel" << 1 << QStringList {TESSALY_TEST_DATA "/bookmarks/cut.xbel"} << xbelAsked
        << QStringList {"Mine"} << QStringList {} << QStringList {}
        << TESSALY_TEST_DATA "/bookmarks/cut.xbel: line 6: Premature end of document; nothing was merged"
        << QList<int> {1};
    QTest::newRow("XBEL cancelled") << "mnuMergeXbel" << 1 << QStringList {} << xbelAsked << QStringList {"Mine"}
                                    << QStringList {} << QStringList {} << QString() << QList<int> {1};
    QTest::newRow("Netscape file cancelled")
        << "mnuMergeNetscape" << 1 << QStringList {} << openAsked << QStringList {"Mine"} << QStringList {}
        << QStringList {} << QString() << QList<int> {1};
    QTest::newRow("Netscape file unreadable")
        << "mnuMergeNetscape" << 1 << QStringList {TESSALY_TEST_DATA "/bookmarks/missing.html"} << openAsked
        << QStringList {"Mine"} << QStringList {} << QStringList {} << QString() << QList<int> {1};
}

// The merge adds groups and entries after the store's own, counts one change
// and shows the new groups; the entries of the store are kept, and what is
// already there is not added again.
void TestMergeCommands::mergeAddsAfterStore()
{
    QFETCH(QString, command);
    QFETCH(int, runs);
    QFETCH(QStringList, files);
    QFETCH(QStringList, asked);
    QFETCH(QStringList, groups);
    QFETCH(QStringList, added);
    QFETCH(QStringList, details);
    QFETCH(QString, status);
    QFETCH(QList<int>, statesSeen);
    m_window = std::make_unique<MainWindow>(*m_state, m_prompter, nullptr);
    m_window->load();
    m_window->switchTab(ViewState::StandardTab);
    QCOMPARE(m_state->store.urlDatas().Count(), 1);
    m_prompter.openFiles = files;

    QAction *action = m_window->findChild<QAction *>(command);
    QVERIFY(action && action->isEnabled());
    const double before = DayCount::now();
    for (int run = 0; run < runs; ++run)
        action->trigger();

    QCOMPARE(m_prompter.asked, asked);
    QCOMPARE(m_prompter.statesSeen, statesSeen);
    QCOMPARE(m_state->dialogState, int(AppState::NoDialog));
    QStringList names;
    for (int i = 0; i < m_state->store.IDXList().groupCount(); ++i)
        names << m_state->store.IDXList().at(i).name;
    QCOMPARE(names, groups);
    QStringList entries;
    QStringList fields;
    for (const URLData &entry : m_state->store.urlDatas()) {
        entries << entry.Name + '|' + entry.url + '|' + QString::number(entry.Owner);
        const bool madeNow = entry.Created >= before && entry.Created <= DayCount::now();
        fields << QStringList {madeNow ? QStringLiteral("now") : QString::number(entry.Created, 'f', 5),
                               QString::number(entry.LastAccesed, 'f', 5), QString::number(entry.Visited),
                               QString::number(entry.Rated), QString::number(entry.Catagory)}
                      .join('|');
    }
    QCOMPARE(entries.first(), "Kept|http://kept.example/|0");
    QCOMPARE(fields.first(), "45352.00000|45364.37500|3|2|0");
    QCOMPARE(entries.mid(1), added);
    QCOMPARE(fields.mid(1), details);
    QCOMPARE(m_state->store.changeCount(), added.isEmpty() ? 0 : 1);
    QComboBox *combo = m_window->standardView()->groupCombo();
    QCOMPARE(combo->count(), groups.size());
    QCOMPARE(combo->itemText(combo->count() - 1), groups.last());
    QCOMPARE(m_window->statusBar()->currentMessage(), status);

    // Each merge that added something is one step: undone, the store is as
    // loaded, with nothing to save; redone, as merged.
    const QStringList merged = fullStoreSummary(m_state->store);
    UndoHistory *history = m_window->undoHistory();
    QCOMPARE(history->stack()->count(), added.isEmpty() ? 0 : 1);
    if (added.isEmpty())
        return;
    QCOMPARE(history->stack()->undoText(), QString("Merge"));
    while (history->undo()) { }
    QCOMPARE(groupNames(), QStringList {"Mine"});
    QCOMPARE(addedEntries(), QStringList());
    QCOMPARE(m_state->store.changeCount(), 0);
    QCOMPARE(combo->count(), 1);
    while (history->redo()) { }
    QCOMPARE(fullStoreSummary(m_state->store), merged);
}

QStringList TestMergeCommands::groupNames() const
{
    QStringList names;
    for (int i = 0; i < m_state->store.IDXList().groupCount(); ++i)
        names << m_state->store.IDXList().at(i).name;
    return names;
}

// The entries after the store's own one, as "title|url|owner".
QStringList TestMergeCommands::addedEntries() const
{
    QStringList entries;
    for (const URLData &entry : m_state->store.urlDatas()) {
        if (entry.Name != "Kept")
            entries << entry.Name + '|' + entry.url + '|' + QString::number(entry.Owner);
    }
    return entries;
}

void TestMergeCommands::favoritesMergeAsksForFolder_data()
{
    QTest::addColumn<QString>("answer");  // under the test's folder; "" cancels
    QTest::addColumn<int>("runs");         // times the command is given with that answer
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QString>("status");
    const QString root = "E-Favorites: (Was Root)";
    const QStringList favoritesGroups {"Mine", root, "Work", "Old"};
    const QStringList favoritesAdded {"Root|http://root/|1", "Job|http://job/|2", "Past|http://past/|3"};
    QTest::newRow("the favorites folder") << "data/Tessaly/Favorites" << 1 << favoritesGroups << favoritesAdded
                                          << "Merged 3 groups, 3 entries";
    QTest::newRow("the favorites folder merged again adds nothing")
        << "data/Tessaly/Favorites" << 2 << favoritesGroups << favoritesAdded
        << "Merged 0 groups, 0 entries; 3 already there";
    QTest::newRow("another folder") << "elsewhere" << 1 << QStringList {"Mine", root}
                                    << QStringList {"Away|http://away/|1"} << "Merged 1 group, 1 entry";
    QTest::newRow("cancelled: nothing merged") << "" << 1 << QStringList {"Mine"} << QStringList {} << "before";
    QTest::newRow("a folder that is not there")
        << "gone" << 1 << QStringList {"Mine"} << QStringList {} << "Cannot read the folder %1/gone";
    QTest::newRow("a file, not a folder") << "elsewhere/Away.url" << 1 << QStringList {"Mine"} << QStringList {}
                                          << "Cannot read the folder %1/elsewhere/Away.url";
}

// "IE Favorites" asks which folder to merge, opening at the favorites folder
// that "Bookmarks Folder" writes to, and merges only the folder chosen.
void TestMergeCommands::favoritesMergeAsksForFolder()
{
    QFETCH(QString, answer);
    QFETCH(int, runs);
    QFETCH(QStringList, groups);
    QFETCH(QStringList, added);
    QFETCH(QString, status);
    m_window = std::make_unique<MainWindow>(*m_state, m_prompter, nullptr);
    m_window->load();
    m_window->showStatus("before");
    QStringList asked;
    for (int run = 0; run < runs; ++run) {
        if (!answer.isEmpty())
            m_prompter.folders << m_dir->filePath(answer);
        m_window->findChild<QAction *>("mnuMergeFavorites")->trigger();
        asked << "folder|Merge From Favorites Folder|" + m_dir->filePath("data/Tessaly/Favorites");
    }

    QCOMPARE(m_prompter.asked, asked);
    QCOMPARE(m_prompter.statesSeen, QList<int>(runs, 1));
    QCOMPARE(m_state->dialogState, int(AppState::NoDialog));
    QCOMPARE(groupNames(), groups);
    QCOMPARE(addedEntries(), added);
    QCOMPARE(m_state->store.urlDatas().Count(), 1 + added.size());
    QCOMPARE(m_state->store.changeCount(), added.isEmpty() ? 0 : 1);  // a merge that adds nothing changes nothing
    const QString shown = m_window->statusBar()->currentMessage();
    if (status.contains("%1"))
        status = status.arg(m_dir->path());
    QVERIFY2(shown.startsWith(status), qPrintable(shown));
}

void TestMergeCommands::profileMenus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("profiles");  // the profiles made: "firefox", "chromium", "bad", "none"
    QTest::addColumn<QStringList>("listed");  // the menu's actions, "(off)" after a disabled one
    QTest::addColumn<int>("runs");            // times its first profile is merged
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QString>("status");
    const QStringList firefoxAdded {"Home|http://home/|1", "Job|http://job/|2"};
    // xyz.work, made but never used, has no places.sqlite: not listed.
    QTest::newRow("Firefox: the profiles of profiles.ini with bookmarks")
        << "mnuMergeFirefox" << "firefox" << QStringList {"abc.default"} << 1 << firefoxAdded
        << "Merged 2 groups, 2 entries";
    QTest::newRow("Firefox: merged again, nothing changes")
        << "mnuMergeFirefox" << "firefox" << QStringList {"abc.default"} << 2 << firefoxAdded
        << "Merged 0 groups, 0 entries; 2 already there";
    QTest::newRow("Firefox: a damaged profile is named, nothing merged")
        << "mnuMergeFirefox" << "bad" << QStringList {"abc.default"} << 1 << QStringList {}
        << "%1/home/.mozilla/firefox/abc.default/places.sqlite: not a Firefox places database";
    QTest::newRow("Firefox: none found") << "mnuMergeFirefox" << "none" << QStringList {"No profile found (off)"}
                                         << 0 << QStringList {} << "before";
    QTest::newRow("Chromium: the profiles with bookmarks, by their names")
        << "mnuMergeChromium" << "chromium" << QStringList {"Chromium: Person 1", "Chromium: Profile 2"} << 1
        << QStringList {"Bar|http://bar/|1"} << "Merged 1 group, 1 entry";
    QTest::newRow("Chromium: none found") << "mnuMergeChromium" << "none" << QStringList {"No profile found (off)"}
                                          << 0 << QStringList {} << "before";
}

// "Merge From" lists the browsers' profiles found as its menus open, and
// merges the one chosen as the other merges do.
void TestMergeCommands::profileMenus()
{
    QFETCH(QString, menu);
    QFETCH(QString, profiles);
    QFETCH(QStringList, listed);
    QFETCH(int, runs);
    QFETCH(QStringList, added);
    QFETCH(QString, status);
    using namespace ProfileFixtures;
    const QString home = m_dir->filePath("home");
    const QString firefox = home + "/.mozilla/firefox";
    if (profiles == "firefox" || profiles == "bad") {
        QVERIFY(QDir().mkpath(firefox + "/abc.default") && QDir().mkpath(firefox + "/xyz.work"));
        writeFile(firefox + "/profiles.ini",
                  "[Profile0]\nName=default\nIsRelative=1\nPath=abc.default\nDefault=1\n"
                  + QByteArray(profiles == "bad" ? "" : "[Profile1]\nName=work\nIsRelative=1\nPath=xyz.work\n"));
    }
    if (profiles == "firefox") {
        Places places(firefox + "/abc.default/places.sqlite");
        places.link(Places::Menu, "Home", "http://home/", Q_INT64_C(1700000000000000), 7, Q_INT64_C(1700000000000000));
        places.link(places.folder(Places::Menu, "Work"), "Job", "http://job/", Q_INT64_C(1700000000000000));
    }
    if (profiles == "bad")
        writeFile(firefox + "/abc.default/places.sqlite", QByteArray(4096, 'x'));
    if (profiles == "chromium") {
        // Chromium keeps its folder in $XDG_CONFIG_HOME, which need not be ~/.config.
        const QString base = m_dir->filePath("config/chromium");
        for (const QString &folder : {QStringLiteral("/Default"), QStringLiteral("/Profile 2"), QStringLiteral("/Empty")})
            QVERIFY(QDir().mkpath(base + folder));
        writeFile(base + "/Local State", R"({"profile":{"info_cache":{"Default":{"name":"Person 1"}}}})");
        writeFile(base + "/Default/Bookmarks", chromiumBookmarks({chromiumLink("Bar", "http://bar/", 1)}, {}));
        writeFile(base + "/Profile 2/Bookmarks", chromiumBookmarks({}, {}));
    }
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->filePath("config")));
    m_window = std::make_unique<MainWindow>(*m_state, m_prompter, nullptr);
    m_window->load();
    m_window->showStatus("before");
    QMenu *profileMenu = m_window->findChild<QMenu *>(menu);
    QVERIFY(profileMenu);
    emit profileMenu->aboutToShow();
    QStringList shown;
    for (QAction *action : profileMenu->actions())
        shown << action->text() + (action->isEnabled() ? "" : " (off)");
    for (int run = 0; run < runs; ++run)
        profileMenu->actions().first()->trigger();
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);

    QCOMPARE(shown, listed);
    QCOMPARE(m_state->dialogState, int(AppState::NoDialog));
    QCOMPARE(addedEntries(), added);
    QCOMPARE(m_state->store.changeCount(), added.isEmpty() ? 0 : 1);
    const QString message = m_window->statusBar()->currentMessage();
    QVERIFY2(message.startsWith(status.arg(m_dir->path())), qPrintable(message));
}

// The status bar's summary: each count with its noun in the right number.
void TestMergeCommands::statusCountsInWords_data()
{
    QTest::addColumn<QList<qsizetype>>("counts");  // groups, entries, already there, refused, updated
    QTest::addColumn<QString>("status");
    QTest::newRow("nothing at all: no message") << QList<qsizetype> {0, 0, 0, 0, 0} << "";
    QTest::newRow("none added") << QList<qsizetype> {0, 0, 2, 0, 0} << "Merged 0 groups, 0 entries; 2 already there";
    QTest::newRow("none added, some brought up to date")
        << QList<qsizetype> {0, 0, 3, 0, 2} << "Merged 0 groups, 0 entries; 3 already there, 2 of them with newer visits";
    QTest::newRow("one of each") << QList<qsizetype> {1, 1, 1, 1, 0}
                                 << "Merged 1 group, 1 entry; 1 already there; 1 entry found no room";
    QTest::newRow("two of each") << QList<qsizetype> {2, 2, 2, 2, 0}
                                 << "Merged 2 groups, 2 entries; 2 already there; 2 entries found no room";
}

void TestMergeCommands::statusCountsInWords()
{
    QFETCH(QList<qsizetype>, counts);
    QFETCH(QString, status);
    MergeCounts merged;
    merged.groupsAdded = int(counts[0]);
    merged.entriesAdded = counts[1];
    merged.alreadyThere = counts[2];
    merged.entriesRefused = counts[3];
    merged.entriesUpdated = counts[4];
    QCOMPARE(MergeCommands::statusText(merged), status);
}

QTEST_MAIN(TestMergeCommands)
#include "TestMergeCommands.moc"

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
QStringList TestMergeCommands::shownRows() const
{
    QStringList rows;
    const EntryListModel *model = m_window->activeModel();
    const QModelIndex current = m_window->activeList()->currentIndex();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString() + (current.row() == row ? "*" : "");
    return rows;
}

void TestMergeCommands::writeLargeSources()
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

void TestMergeCommands::cancelledWorkLosesNothing_data()
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
void TestMergeCommands::cancelledWorkLosesNothing()
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
