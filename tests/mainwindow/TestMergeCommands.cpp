// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's "Merge From" commands for a favorites folder and a
// bookmark file, through the real window and the library loaded by the
// component registry, with the file dialog answered by a script. (The long
// work of the window, shown and cancelled: TestLongWorkCommands.)

#include "AppState.h"
#include "DayCount.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "MergeCommands.h"
#include "MergeWindowFixture.h"
#include "ProfileFixtures.h"
#include "StandardView.h"
#include "StoreMerge.h"
#include "TestEnvironment.h"
#include "UndoHistory.h"
#include "../store/StoreSummary.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QStatusBar>
#include <QUndoStack>
#include <QtTest>
#include <memory>

using TestEnvironment::entryLine;
using TestEnvironment::writeFile;

class TestMergeCommands : public QObject, protected MergeWindowFixture
{
    Q_OBJECT

private slots:
    void init() { setUpMergeWindow(); }
    void cleanup() { tearDownMergeWindow(); }
    void mergeAddsAfterStore_data();
    void mergeAddsAfterStore();
    void favoritesMergeAsksForFolder_data();
    void favoritesMergeAsksForFolder();
    void profileMenus_data();
    void profileMenus();
    void statusCountsInWords_data();
    void statusCountsInWords();

private:
    QStringList groupNames() const;
    QStringList addedEntries() const;
};

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
