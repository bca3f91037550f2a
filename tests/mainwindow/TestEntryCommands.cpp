// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AdvancedView.h"
#include "AppState.h"
#include "EntryDialogCommands.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "EntryRowTexts.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "ModalWindows.h"
#include "EntryRowsFixture.h"
#include "ProgramTranslations.h"
#include "ScriptedPrompter.h"
#include "SelectionCommands.h"
#include "StandardView.h"
#include "TestEnvironment.h"
#include "UrlOpener.h"
#include "tools/tsy/BrowserHome.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>


using ModalWindows::whenDialog;

// The commands on the entry lists' rows, through the real main window.
class TestEntryCommands : public QObject, protected EntryRowsFixture
{
    Q_OBJECT

private slots:
    void init() { setUpRows(); }
    void cleanup() { tearDownWindow(); }

    void removeAsksAndRemovesSelected_data();
    void removeAsksAndRemovesSelected();
    void rateChangesRowsInPlace_data();
    void rateChangesRowsInPlace();
    void moveRemovesOrRewritesRows_data();
    void moveRemovesOrRewritesRows();
    void moveDialogAcceptOrClose_data();
    void moveDialogAcceptOrClose();
    void columnClickSorts_data();
    void columnClickSorts();
    void sortMenuAndRefill();
    void doubleClickOpensAndCountsVisit_data();
    void doubleClickOpensAndCountsVisit();
    void editAndNewEntry_data();
    void editAndNewEntry();
    void newEntryNeedsGroup_data();
    void newEntryNeedsGroup();
    void fromBrowserFillsEditor_data();
    void fromBrowserFillsEditor();
    void openReachesRunningFirefox_data();
    void openReachesRunningFirefox();
    void maskFilterRefreshesList();
    void rowOfVanishedEntryIsSkipped();
};

void TestEntryCommands::removeAsksAndRemovesSelected_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("question");  // "" when none is asked
    QTest::newRow("single") << QList<int> {1} << Prompter::Answer::Yes
                            << QStringList {"Alpha", "Twin", "Twin", "Delta"} << "Remove 1 item, are you sure?";
    QTest::newRow("adjacent") << QList<int> {0, 1, 2} << Prompter::Answer::Yes << QStringList {"Twin", "Delta"}
                              << "Remove 3 items, are you sure?";
    QTest::newRow("scattered") << QList<int> {0, 2, 4} << Prompter::Answer::Yes << QStringList {"beta", "Twin"}
                               << "Remove 3 items, are you sure?";
    QTest::newRow("answered No") << QList<int> {0, 4} << Prompter::Answer::No
                                 << QStringList {"Alpha", "beta", "Twin", "Twin", "Delta"}
                                 << "Remove 2 items, are you sure?";
    QTest::newRow("nothing selected") << QList<int> {} << Prompter::Answer::Yes
                                      << QStringList {"Alpha", "beta", "Twin", "Twin", "Delta"} << "";
}

void TestEntryCommands::removeAsksAndRemovesSelected()
{
    QFETCH(QList<int>, rows);
    QFETCH(Prompter::Answer, answer);
    QFETCH(QStringList, left);
    QFETCH(QString, question);
    openWindow();
    select(rows);
    m_prompter.answers << answer;
    m_window->menus()->mnuRemove->setEnabled(true);
    m_window->menus()->mnuRemove->trigger();
    if (question.isEmpty())
        QVERIFY(m_prompter.asked.isEmpty());
    else
        QCOMPARE(m_prompter.asked, QStringList {"message|Confirm Delete|" + question});
    QCOMPARE(m_state->dialogState, 0);
    QCOMPARE(titles(), left);
    QCOMPARE(m_state->store.urlDatas().Count(), 1 + left.size());
    QCOMPARE(m_window->findChild<QLabel *>("StatusBar1_1")->text(), QString("Viewed: %1").arg(left.size()));
}

void TestEntryCommands::rateChangesRowsInPlace_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QList<quint32>>("keys");
    QTest::newRow("single") << QList<int> {1} << QList<quint32> {2};
    QTest::newRow("adjacent") << QList<int> {1, 2} << QList<quint32> {2, 3};
    QTest::newRow("scattered") << QList<int> {0, 4} << QList<quint32> {1, 5};
    // Two rows that look the same: the one acted on changes, not the first.
    QTest::newRow("second of two twins") << QList<int> {3} << QList<quint32> {4};
}

void TestEntryCommands::rateChangesRowsInPlace()
{
    QFETCH(QList<int>, rows);
    QFETCH(QList<quint32>, keys);
    m_state->settings.advMode = 1;
    openWindow();
    // Hide "High" rows: rated rows stay until the next refill all the same.
    m_window->view().filter.ratingMask[3] = false;
    select(rows);
    const int changes = m_state->store.changeCount();
    m_window->menus()->mnuRateItems[3]->trigger();
    for (quint32 key = 1; key <= 6; ++key)
        QCOMPARE(entry(key)->Rated == 3, keys.contains(key) || key == 6);
    for (const int row : rows)
        QCOMPARE(column(EntryRowTexts::Rated).at(row), QString("High"));
    QCOMPARE(m_window->activeList()->selectionModel()->selectedRows().size(), 0);
    QCOMPARE(titles().size(), 5);
    QCOMPARE(m_state->store.changeCount(), changes + 1);
}

void TestEntryCommands::moveRemovesOrRewritesRows_data()
{
    QTest::addColumn<int>("appliedMode");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("group list: moved rows leave") << 1 << QStringList {"Alpha", "Twin", "Delta"};
    QTest::newRow("index mask: rows rewritten") << 0 << QStringList {"Alpha", "beta", "Twin", "Twin", "Delta"};
}

void TestEntryCommands::moveRemovesOrRewritesRows()
{
    QFETCH(int, appliedMode);
    QFETCH(QStringList, left);
    openWindow();
    m_window->view().appliedMode = appliedMode;
    select({1, 3});
    m_window->selectionCommands()->moveSelected(1);
    QCOMPARE(entry(2)->Owner, 1);
    QCOMPARE(entry(4)->Owner, 1);
    QCOMPARE(entry(3)->Owner, 0);
    QCOMPARE(titles(), left);
    if (appliedMode == 0)
        QCOMPARE(column(EntryRowTexts::Group), (QStringList {"News", "Tech", "News", "Tech", "News"}));
}

void TestEntryCommands::moveDialogAcceptOrClose_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accept: the first group") << true;
    QTest::newRow("close box: nothing moves") << false;
}

void TestEntryCommands::moveDialogAcceptOrClose()
{
    QFETCH(bool, accept);
    openWindow();
    m_window->switchTab(2);
    m_window->selectGroupItem(1);
    emit m_window->findChild<QComboBox *>("Combo1_1")->activated(1);
    QCOMPARE(titles(), QStringList {"Gamma"});
    select({0});
    const int changes = m_state->store.changeCount();
    int stateSeen = -1;
    whenDialog([&](QDialog *dialog) {
        stateSeen = m_state->dialogState;
        QCOMPARE(dialog->objectName(), QString("frmMove"));
        if (accept)
            dialog->findChild<QPushButton *>("acceptCmd")->click();
        else
            dialog->close();
    });
    m_window->menus()->mnuMove->trigger();
    QCOMPARE(stateSeen, int(AppState::PromptOpen));
    QCOMPARE(m_state->dialogState, 0);
    QCOMPARE(entry(6)->Owner, accept ? 0 : 1);
    QCOMPARE(m_state->store.changeCount(), accept ? changes + 2 : changes);
}

void TestEntryCommands::columnClickSorts_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("firstClick");
    QTest::addColumn<QStringList>("secondClick");
    QTest::newRow("title, A to Z, ignoring case")
        << 0 << QStringList {"Alpha", "beta", "Delta", "Twin", "Twin"} << QStringList {"Twin", "Twin", "Delta", "beta", "Alpha"};
    QTest::newRow("rating, highest first")
        << 2 << QStringList {"Delta", "Alpha", "Twin", "Twin", "beta"} << QStringList {"beta", "Twin", "Twin", "Alpha", "Delta"};
    QTest::newRow("last visited, newest first, Never last")
        << 4 << QStringList {"Delta", "Alpha", "beta", "Twin", "Twin"} << QStringList {"beta", "Twin", "Twin", "Alpha", "Delta"};
    QTest::newRow("created, newest first; equal keep their order")
        << 5 << QStringList {"Delta", "Alpha", "beta", "Twin", "Twin"} << QStringList {"Alpha", "beta", "Twin", "Twin", "Delta"};
    QTest::newRow("visits: 10 above 9")
        << 6 << QStringList {"Delta", "Twin", "Twin", "Alpha", "beta"} << QStringList {"beta", "Alpha", "Twin", "Twin", "Delta"};
    QTest::newRow("url")
        << 1 << QStringList {"Delta", "Alpha", "beta", "Twin", "Twin"} << QStringList {"Twin", "Twin", "beta", "Alpha", "Delta"};
}

void TestEntryCommands::columnClickSorts()
{
    QFETCH(int, column);
    QFETCH(QStringList, firstClick);
    QFETCH(QStringList, secondClick);
    openWindow();
    QHeaderView *header = m_window->activeList()->header();
    // The selection follows its entry through the sort.
    select({4});
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(column) + 5, 5));
    QCOMPARE(titles(), firstClick);
    QCOMPARE(m_window->activeModel()->entryAt(m_window->activeList()->currentIndex().row())->Name, QString("Delta"));
    QVERIFY(header->isSortIndicatorShown());
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(column) + 5, 5));
    QCOMPARE(titles(), secondClick);
}

// The sort menu sorts by value as the column click does. A text sort keeps
// the rows sorted through a refill; a value sort lasts until the next
// refill, which lists the store's order again.
void TestEntryCommands::sortMenuAndRefill()
{
    openWindow();
    m_window->menus()->mnuSortItems[2]->trigger();  // "Times Visited": 10 above 9
    QCOMPARE(titles(), (QStringList {"Delta", "Twin", "Twin", "Alpha", "beta"}));
    m_window->menus()->mnuSortItems[4]->trigger();  // "URL"
    QCOMPARE(titles().first(), QString("Delta"));  // "-x" sorts first
    m_window->selectionCommands()->sortByColumnClick(0);
    m_window->RefreshURLPage();
    QCOMPARE(titles(), (QStringList {"Alpha", "beta", "Delta", "Twin", "Twin"}));
    m_window->selectionCommands()->sortByColumnClick(6);
    QCOMPARE(titles().first(), QString("Delta"));
    m_window->RefreshURLPage();
    QCOMPARE(titles(), (QStringList {"Alpha", "beta", "Twin", "Twin", "Delta"}));
    QVERIFY(!m_window->activeList()->header()->isSortIndicatorShown());
}

void TestEntryCommands::doubleClickOpensAndCountsVisit_data()
{
    QTest::addColumn<bool>("send");  // "Send" to a new window instead of a double click
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<bool>("counted");
    QTest::newRow("an address") << false << 0 << QStringList {"http://a.example/"} << true;
    QTest::newRow("a refused address opens nothing") << false << 4 << QStringList {} << false;
    QTest::newRow("send: no visit counted") << true << 0 << QStringList {"http://a.example/"} << false;
}

void TestEntryCommands::doubleClickOpensAndCountsVisit()
{
    QFETCH(bool, send);
    QFETCH(int, row);
    QFETCH(QStringList, opened);
    QFETCH(bool, counted);
    openWindow();
    EntryListView *list = m_window->activeList();
    select({row});
    const URLData before = *m_window->activeModel()->entryAt(row);
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    if (send) {
        m_window->menus()->mnuSendItems[1]->trigger();
    } else {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(m_window->statusBar()->currentMessage().isEmpty(), !opened.isEmpty());
    }
    QCOMPARE(m_opener.opened, opened);
    const URLData *visited = m_window->activeModel()->entryAt(row);
    QCOMPARE(visited->Visited, before.Visited + (counted ? 1 : 0));
    QCOMPARE(visited->LastAccesed > before.LastAccesed, counted);  // now
    QCOMPARE(m_state->store.changeCount(), opened.isEmpty() ? 0 : 1);
}

void TestEntryCommands::editAndNewEntry_data()
{
    QTest::addColumn<bool>("newEntry");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("group");
    QTest::newRow("edit, accepted") << false << true << 0;
    QTest::newRow("edit into another group") << false << true << 1;
    QTest::newRow("edit, cancelled") << false << false << 0;
    QTest::newRow("new, accepted") << true << true << 0;
    QTest::newRow("new in another group") << true << true << 1;
    QTest::newRow("new, cancelled") << true << false << 0;
}

void TestEntryCommands::editAndNewEntry()
{
    QFETCH(bool, newEntry);
    QFETCH(bool, accept);
    QFETCH(int, group);
    m_state->settings.advMode = 1;
    openWindow();
    m_window->view().appliedMode = 1;
    select({1});
    int stateSeen = -1;
    whenDialog([&](QDialog *dialog) {
        stateSeen = m_state->dialogState;
        dialog->findChild<QLineEdit *>("Text1_0")->setText("  Fresh title  ");
        dialog->findChild<QLineEdit *>("Text1_1")->setText(" http://fresh.example/ ");
        dialog->findChild<QComboBox *>("Combo1_0")->setCurrentIndex(4);
        dialog->findChild<QComboBox *>("Combo1_1")->setCurrentIndex(group);
        dialog->findChild<QPushButton *>(accept ? "Command1" : "Command2")->click();
    });
    if (newEntry)
        QTest::keyClick(m_window.get(), Qt::Key_A, Qt::ControlModifier);  // "&New Entry"
    else
        m_window->menus()->mnuEdit->trigger();
    QCOMPARE(stateSeen, newEntry ? int(AppState::MakingEntry) : int(AppState::EditingEntry));
    QCOMPARE(m_state->dialogState, 0);
    QVERIFY(m_window->menus()->mnuAddEntry->menuAction()->isEnabled());  // menus follow the closed editor
    if (!accept) {
        QCOMPARE(m_state->store.changeCount(), 0);
        QCOMPARE(m_state->store.urlDatas().Count(), 6);
        QCOMPARE(entry(2)->Name, QString("beta"));
        return;
    }
    const URLData *changed = newEntry ? entry(7) : entry(2);
    QVERIFY(changed);
    QCOMPARE(changed->Name, QString("Fresh title"));
    QCOMPARE(changed->url, QString("http://fresh.example/"));
    QCOMPARE(int(changed->Rated), 4);
    QCOMPARE(changed->Owner, group);
    QVERIFY(m_state->store.changeCount() > 0);
    QCOMPARE(changed->Visited, 0);
    QCOMPARE(titles().contains("Fresh title"), group == 0);  // a row that left the group goes
    if (!newEntry)
        QCOMPARE(changed->Created, entry(1)->Created);  // the creation date stays
}

// A store without groups has nowhere to put a new entry: Ctrl+A and "From
// Browser" open no editor (whose typing would be dropped) and say why.
void TestEntryCommands::newEntryNeedsGroup_data()
{
    QTest::addColumn<bool>("fromBrowser");
    QTest::newRow("new entry") << false;
    QTest::newRow("captured page") << true;
}

void TestEntryCommands::newEntryNeedsGroup()
{
    QFETCH(bool, fromBrowser);
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), QByteArray());
    openWindow();
    QWidget *opened = nullptr;
    QTimer::singleShot(0, [&] {
        opened = QApplication::activeModalWidget();
        if (opened)
            opened->close();
    });
    if (fromBrowser)
        m_window->entryDialogCommands()->newEntryWith("Captured", "https://captured.example/");
    else
        QTest::keyClick(m_window.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::qWait(20);
    QVERIFY(!opened);
    QCOMPARE(m_state->store.urlDatas().Count(), 0);
    QCOMPARE(m_state->store.changeCount(), 0);
    QVERIFY2(m_window->statusBar()->currentMessage().startsWith("There is no group"),
             qPrintable(m_window->statusBar()->currentMessage()));
}

// "From Browser" (Ctrl+B) with pB 1: the running Firefox's page (a profile
// in a home of the test's, its lock naming this process) fills the editor
// in its new-entry mode; accepting adds it. With no browser running no
// editor opens and nothing changes.
void TestEntryCommands::fromBrowserFillsEditor_data()
{
    QTest::addColumn<bool>("firefox");
    QTest::newRow("Firefox's current page") << true;
    QTest::newRow("no browser answers") << false;
}

void TestEntryCommands::fromBrowserFillsEditor()
{
    QFETCH(bool, firefox);
    BrowserHome home;
    if (firefox)
        home.runFirefox("http://s.example/", "Page, \\\"one\\\"");
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path("home")));
    m_state->settings.pB = 1;
    openWindow();
    QStringList fields;
    int stateSeen = -1;
    if (firefox) {
        whenDialog([&](QDialog *dialog) {
            stateSeen = m_state->dialogState;
            fields << dialog->findChild<QLineEdit *>("Text1_0")->text()
                   << dialog->findChild<QLineEdit *>("Text1_1")->text();
            dialog->findChild<QPushButton *>("Command1")->click();
        });
    }
    QTest::keyClick(m_window.get(), Qt::Key_B, Qt::ControlModifier);
    qputenv("HOME", realHome);
    QCOMPARE(m_state->dialogState, 0);
    QCOMPARE(m_state->store.urlDatas().Count(), firefox ? 7 : 6);
    if (!firefox)
        return;
    QCOMPARE(stateSeen, int(AppState::MakingEntry));
    QCOMPARE(fields, QStringList({"Page, \"one\"", "http://s.example/"}));
    QCOMPARE(entry(7)->url, QString("http://s.example/"));
}

// The program's own opener (openURL) with pB 1 and a running Firefox (a
// profile in the test's home whose lock names this process; App Paths name a
// recording stand-in): the address reaches Firefox's instance as one
// argument after its profile; the window is hidden only while the floating
// button is shown.
void TestEntryCommands::openReachesRunningFirefox_data()
{
    QTest::addColumn<bool>("send");  // "Send" to a new window instead of a double click
    QTest::addColumn<bool>("aI");
    QTest::newRow("double click: a new tab, the visit counted") << false << false;
    QTest::newRow("Send, New Window, with the floating button: hidden") << true << true;
}

void TestEntryCommands::openReachesRunningFirefox()
{
    QFETCH(bool, send);
    QFETCH(bool, aI);
    BrowserHome home;
    home.runFirefox("http://s.example/", "Page");
    home.setAppPaths(home.recorder());
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path("home")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path("config")));
    m_state->settings.pB = 1;
    m_state->settings.aI = aI;
    openWindow();
    m_window->setUrlOpener(nullptr);
    select({0});
    if (send)
        m_window->menus()->mnuSendItems[1]->trigger();
    else
        m_window->selectionCommands()->openCurrent();
    qputenv("HOME", realHome);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
    QCOMPARE(home.recordedArguments(true),
             QStringList({"--profile", home.profile(), send ? "--new-window" : "--new-tab", "http://a.example/"}));
    QCOMPARE(entry(1)->Visited, send ? 3 : 4);
    QCOMPARE(m_window->isVisible(), !aI);
}

void TestEntryCommands::maskFilterRefreshesList()
{
    openWindow();
    m_window->switchTab(2);
    int stateSeen = -1;
    whenDialog([&](QDialog *dialog) {
        stateSeen = m_state->dialogState;
        dialog->findChild<QPushButton *>("Command2_0")->click();  // "CLR"
        dialog->findChild<QPushButton *>("cmdFilter")->click();
        QCOMPARE(titles(), QStringList {});
        dialog->findChild<QPushButton *>("Command2_1")->click();  // "SET"
        dialog->findChild<QPushButton *>("cmdFilter")->click();
        dialog->findChild<QPushButton *>("cmdCancel")->click();
    });
    m_window->standardView()->ratingFilterButton()->click();
    QCOMPARE(stateSeen, int(AppState::PromptOpen));
    QCOMPARE(m_state->dialogState, 0);
    QCOMPARE(titles().size(), 5);
}

// A row whose entry has gone (the store changed behind the list) is left
// as it is by every command.
void TestEntryCommands::rowOfVanishedEntryIsSkipped()
{
    openWindow();
    select({0, 1});
    QVERIFY(m_state->store.urlDatas().Delete(QString("00001")));
    m_window->menus()->mnuRateItems[4]->trigger();
    QCOMPARE(entry(2)->Rated, quint8(4));
    QCOMPARE(titles().size(), 5);
    m_prompter.answers << Prompter::Answer::Yes;
    select({0, 1});
    m_window->selectionCommands()->removeSelected();
    QCOMPARE(titles().size(), 4);  // the vanished entry's row stays
    QCOMPARE(m_window->activeModel()->keyAt(0), 1u);
}

QTEST_MAIN(TestEntryCommands)
#include "TestEntryCommands.moc"
