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
#include "OpenerWindowFixture.h"
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

using TestEnvironment::entryLine;

namespace {

// Two groups. News: Alpha (rated 2, 3 visits, visited 2024), Beta (never
// visited), Twin, Twin (two entries that look the same), Delta (10 visits).
// Tech: Gamma. Store keys run 1 to 6 in this order.
const QByteArray stackText = "+News\r\n"
    + entryLine({"http://a.example/", "Alpha", "B1340927C", "B12800000", "3", "0", "2"}) + "\r\n"
    + entryLine({"http://b.example/", "beta", "0", "B12800000", "0", "0", "0"}) + "\r\n"
    + entryLine({"http://t.example/", "Twin", "0", "B12800000", "9", "0", "1"}) + "\r\n"
    + entryLine({"http://t.example/", "Twin", "0", "B12800000", "9", "0", "1"}) + "\r\n"
    + entryLine({"-x", "Delta", "B1360927C", "B12A00000", "10", "0", "4"}) + "\r\n"
    + "+Tech\r\n" + entryLine({"http://g.example/", "Gamma", "B1340927C", "B12800000", "1", "0", "3"}) + "\r\n";

using ModalWindows::whenDialog;

} // namespace

// The commands on the entry lists' rows, through the real main window.
class TestEntryCommands : public QObject, protected OpenerWindowFixture
{
    Q_OBJECT

    // The program's translations as main() installs them: English, with the
    // singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void init();
    void cleanup();

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
    void findNextAndPrevious_data();
    void findNextAndPrevious();
    void findWindowAndKeys();
    void shiftExtendsFromFoundRow();
    void keysOnTheLists_data();
    void keysOnTheLists();
    void maskFilterRefreshesList();
    void shortcutsFollowSetting_data();
    void shortcutsFollowSetting();
    void rowOfVanishedEntryIsSkipped();

private:
    QStringList titles() const;
    QStringList column(int column) const;
    void select(const QList<int> &rows);
    const URLData *entry(quint32 key) const;

};

void TestEntryCommands::init()
{
    setUpWindow(stackText);
}

void TestEntryCommands::cleanup()
{
    tearDownWindow();
}

QStringList TestEntryCommands::column(int column) const
{
    QStringList texts;
    const EntryListModel *model = m_window->activeModel();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

QStringList TestEntryCommands::titles() const
{
    return column(EntryRowTexts::Title);
}

void TestEntryCommands::select(const QList<int> &rows)
{
    EntryListView *list = m_window->activeList();
    list->clearSelection();
    for (const int row : rows)
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!rows.isEmpty())
        list->selectionModel()->setCurrentIndex(list->model()->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
}

const URLData *TestEntryCommands::entry(quint32 key) const
{
    return m_state->store.urlDatas().Item(m_state->store.urlDatas().positionOfKey(key));
}

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

// Find starts from the current row, the selection first narrowed to it.
void TestEntryCommands::findNextAndPrevious_data()
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

void TestEntryCommands::findNextAndPrevious()
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

void TestEntryCommands::findWindowAndKeys()
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
void TestEntryCommands::shiftExtendsFromFoundRow()
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
void TestEntryCommands::keysOnTheLists_data()
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

void TestEntryCommands::keysOnTheLists()
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

void TestEntryCommands::shortcutsFollowSetting_data()
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

void TestEntryCommands::shortcutsFollowSetting()
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
