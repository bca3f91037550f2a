// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppState.h"
#include "DayCount.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "FrecencyScore.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "ModalWindows.h"
#include "OpenerWindowFixture.h"
#include "QuickOpenCommands.h"
#include "QuickOpenIndex.h"
#include "ScriptedPrompter.h"
#include "StoreRecording.h"
#include "TestEnvironment.h"
#include "TextFold.h"
#include "URLBlock.h"
#include "UndoCommands.h"
#include "UrlOpener.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

using TestEnvironment::entryLine;

namespace {

constexpr double now = 45000.5;

struct Fields
{
    const char *title;
    const char *url;
    int visits;
    double age;  // days since the last visit; negative: never visited
    int rating;
};

// Keys 1 to 9 in this order. Scores at now: 1: 100 × log2(11) ≈ 346;
// 3: 50 × 2 = 100; 2: 80; 4: 10 + 20 = 30; 8: 0 (visits but no date);
// the others 0.
const Fields searchedEntries[] = {
    {"Qt Documentation", "https://doc.qt.io/", 10, 1, 0},
    {"Café Crème recipes", "https://cooking.example/creme", 0, -1, 4},
    {"Straße der Bücher", "https://buecher.example/", 3, 20, 0},
    {"qt creator manual", "https://doc.qt.io/qtcreator", 1, 100, 1},
    {"Alpha", "https://alpha.example/", 0, -1, 0},
    {"alpha", "https://ALPHA.example/2", 0, -1, 0},
    {"Beta", "https://qt.example/beta", 0, -1, 0},
    {"Zeta", "https://zeta.example/", 5, -1, 0},
    {"Aardvark", "https://aardvark.example/", 0, -1, 0},
};

void fill(URLBlock &store)
{
    store.NewCatagory("G");
    for (const Fields &fields : searchedEntries) {
        URLData *entry = store.urlDatas().Add(QString::fromUtf8(fields.title), fields.url, 0);
        entry->Visited = fields.visits;
        entry->LastAccesed = fields.age < 0 ? 0.0 : now - fields.age;
        entry->Rated = quint8(fields.rating);
    }
}

std::vector<quint32> keys(std::initializer_list<quint32> list)
{
    return list;
}

// Three groups; Gamma (key 3) is in Tech, the others in News.
const QByteArray stackText = "+News\r\n"
    + entryLine({"http://a.example/", "Alpha", "B1340927C", "B12800000", "3", "0", "2"}) + "\r\n"
    + entryLine({"http://b.example/", "Beta", "0", "B12800000", "0", "0", "0"}) + "\r\n+Tech\r\n"
    + entryLine({"http://g.example/gamma", "Gamma ray", "B1340927C", "B12800000", "1", "0", "4"}) + "\r\n"
    + entryLine({"http://g.example/gammb", "Gamma burst", "0", "B12800000", "0", "0", "0"}) + "\r\n+Empty\r\n";

using ModalWindows::whenDialog;

}  // namespace

// Quick open: the folding of texts, the frecency score, the index's search,
// and the window driven by keys.
class TestQuickOpen : public QObject, protected OpenerWindowFixture
{
    Q_OBJECT

private slots:
    void fold_data();
    void fold();
    void score_data();
    void score();
    void search_data();
    void search();
    void typingOnNarrowsAsAFreshSearchFinds_data();
    void typingOnNarrowsAsAFreshSearchFinds();
    void longSearchTextIsCut();
    void indexFollowsTheStore();

    void init();
    void cleanup();
    void popupByKeys_data();
    void popupByKeys();
    void pastedMegabyteIsCut();

private:
    const URLData *entry(quint32 key) const;

};

void TestQuickOpen::fold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("ASCII capitals") << "Hello World 42!" << "hello world 42!";
    QTest::newRow("acute accent") << "Café" << "cafe";
    QTest::newRow("accents on capitals") << "ÉCOLE ÀÖ" << "ecole ao";
    QTest::newRow("a mark already apart") << QString("e\u0301t\u00e9") << "ete";
    QTest::newRow("sharp s") << "Straße" << "strasse";
    QTest::newRow("capital sharp s") << QString("STRA\u1E9EE") << "strasse";
    QTest::newRow("ligature") << QString("\uFB01le") << "file";
    QTest::newRow("full-width letters") << QString("\uFF21\uFF42") << "ab";
    QTest::newRow("Greek, final sigma") << QString("ΟΔΌΣ οδός") << QString("οδοσ οδοσ");
    QTest::newRow("outside the BMP: a mathematical bold A") << QString("\U0001D400x") << "ax";
    QTest::newRow("outside the BMP: an emoji kept") << QString("a\U0001F600") << QString("a\U0001F600");
    QTest::newRow("control characters become blanks") << QString("a\tb\nc") + QChar(0) + "d" << "a b c d";
    QTest::newRow("a control character after an accent") << QString("é\x01x") << "e x";
    QTest::newRow("CJK kept") << QString("東京 Tokyo") << QString("東京 tokyo");
    QTest::newRow("empty") << "" << "";
}

void TestQuickOpen::fold()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(TextFold::fold(text), folded);
}

void TestQuickOpen::score_data()
{
    QTest::addColumn<int>("visits");
    QTest::addColumn<double>("lastVisit");  // days before now; NaN: no date
    QTest::addColumn<int>("rating");
    QTest::addColumn<double>("score");
    const double noDate = std::nan("");
    QTest::newRow("never visited, not rated") << 0 << noDate << 0 << 0.0;
    QTest::newRow("rated only") << 0 << noDate << 4 << 80.0;
    QTest::newRow("a rating past V.High counts as V.High") << 0 << noDate << 200 << 80.0;
    QTest::newRow("visits without a date count nothing") << 5 << noDate << 1 << 20.0;
    QTest::newRow("a date without visits counts nothing") << 0 << 1.0 << 0 << 0.0;
    QTest::newRow("once, today") << 1 << 0.0 << 0 << 100.0;
    QTest::newRow("three times, four days ago") << 3 << 4.0 << 0 << 200.0;
    QTest::newRow("just past four days") << 3 << 4.01 << 0 << 140.0;
    QTest::newRow("14 days") << 1 << 14.0 << 0 << 70.0;
    QTest::newRow("just past 14 days") << 1 << 14.01 << 0 << 50.0;
    QTest::newRow("31 days") << 1 << 31.0 << 0 << 50.0;
    QTest::newRow("just past 31 days") << 1 << 31.01 << 0 << 30.0;
    QTest::newRow("90 days") << 1 << 90.0 << 0 << 30.0;
    QTest::newRow("just past 90 days") << 1 << 90.01 << 0 << 10.0;
    QTest::newRow("years ago, with a rating") << 7 << 2000.0 << 2 << 70.0;
    QTest::newRow("in the future counts as today") << 1 << -30.0 << 0 << 100.0;
    QTest::newRow("the most visits a file keeps") << 2147483647 << 0.0 << 4 << 100.0 * 31.0 + 80.0;
}

void TestQuickOpen::score()
{
    QFETCH(int, visits);
    QFETCH(double, lastVisit);
    QFETCH(int, rating);
    QFETCH(double, score);
    URLData entry;
    entry.Visited = visits;
    entry.LastAccesed = std::isnan(lastVisit) ? 0.0 : now - lastVisit;
    entry.Rated = quint8(rating);
    QVERIFY(qAbs(FrecencyScore::score(entry, now) - score) < 1e-6);
}

void TestQuickOpen::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<std::vector<quint32>>("found");  // best first
    QTest::newRow("a word in titles and addresses, ranked") << "qt" << keys({1, 4, 7});
    QTest::newRow("words in any order") << "doc qt" << keys({1, 4});
    QTest::newRow("case does not count") << "QT DOC" << keys({1, 4});
    QTest::newRow("every word must match") << "qt beta manual" << keys({});
    QTest::newRow("accents in the entry") << "creme" << keys({2});
    QTest::newRow("accents in the search") << "CRÈME café" << keys({2});
    QTest::newRow("sharp s as ss") << "strasse" << keys({3});
    QTest::newRow("sharp s in the search") << "Straße bücher" << keys({3});
    QTest::newRow("umlaut is its base letter, not a digraph") << "bucher" << keys({3});
    QTest::newRow("part of an address") << "qt.io/qtcreator" << keys({4});
    QTest::newRow("address in capitals") << "alpha.example/2" << keys({6});
    QTest::newRow("ties by title, then key")
        << "example" << keys({3, 2, 9, 5, 6, 7, 8});
    QTest::newRow("a word never spans title and address") << "manualhttps" << keys({});
    QTest::newRow("a word never spans two entries") << "betazeta" << keys({});
    QTest::newRow("empty: every entry, best first") << "" << keys({1, 3, 2, 4, 9, 5, 6, 7, 8});
    QTest::newRow("blanks only: every entry") << " \t " << keys({1, 3, 2, 4, 9, 5, 6, 7, 8});
    QTest::newRow("no match") << "zebra" << keys({});
}

void TestQuickOpen::search()
{
    QFETCH(QString, query);
    QFETCH(std::vector<quint32>, found);
    URLBlock store;
    fill(store);
    QuickOpenIndex index;
    index.build(store.urlDatas(), now);
    const QuickOpenIndex::Matches matches = index.search(query);
    QCOMPARE(matches.keys, found);
    QCOMPARE(matches.total, qsizetype(found.size()));
    if (found.size() > 2) {
        const QuickOpenIndex::Matches best = index.search(query, 2);
        QCOMPARE(best.keys, std::vector<quint32>(found.begin(), found.begin() + 2));
        QCOMPARE(best.total, qsizetype(found.size()));
    }
}

// Each text typed after the one before, searched by one index, finds what a
// fresh index finds: narrowing only where every match must have matched before.
void TestQuickOpen::typingOnNarrowsAsAFreshSearchFinds_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::newRow("letter by letter") << QStringList {"q", "qt", "qt ", "qt d", "qt do", "qt doc"};
    QTest::newRow("a word deleted") << QStringList {"qt doc", "doc"};
    QTest::newRow("a word taken back to its start") << QStringList {"creator", "c"};
    QTest::newRow("words split apart") << QStringList {"ab", "a b"};
    QTest::newRow("a word typed in front") << QStringList {"qt", "x qt", "ex qt", "exa qt"};
    QTest::newRow("after no match") << QStringList {"zz", "z", ""};
    QTest::newRow("after the limit") << QStringList {"e", "ex", "exa"};
}

void TestQuickOpen::typingOnNarrowsAsAFreshSearchFinds()
{
    QFETCH(QStringList, typed);
    URLBlock store;
    fill(store);
    QuickOpenIndex typing;
    typing.build(store.urlDatas(), now);
    for (const QString &text : typed) {
        QuickOpenIndex fresh;
        fresh.build(store.urlDatas(), now);
        // A limit below the matches: the narrowing must not start from the shown ones.
        const QuickOpenIndex::Matches matches = typing.search(text, 1);
        QCOMPARE(matches.total, fresh.search(text).total);
        QCOMPARE(matches.keys, fresh.search(text, 1).keys);
    }
}

// A pasted megabyte is searched by its first characters only.
void TestQuickOpen::longSearchTextIsCut()
{
    URLBlock store;
    fill(store);
    QuickOpenIndex index;
    index.build(store.urlDatas(), now);
    const QString head = "doc " + QString(QuickOpenIndex::maxQueryLength - 4, u' ');
    const QString text = head + QString(1 << 20, u'x');
    QVERIFY(QuickOpenIndex::isCut(text));
    QVERIFY(!QuickOpenIndex::isCut(head));
    QCOMPARE(index.search(text).keys, keys({1, 4}));
    QCOMPARE(index.search(QString(head + "zzz")).keys, keys({1, 4}));
}

// The window's index is built again after a change of the store: an edit,
// another after a save (the change count back where it was), the store emptied.
void TestQuickOpen::indexFollowsTheStore()
{
    openWindow();
    auto *command = m_window->findChild<QuickOpenCommands *>();
    QVERIFY(command);
    QuickOpenIndex *index = &command->index();
    QCOMPARE(index->search(u"ray").total, 1);
    URLData *ray = m_state->store.urlDatas().Item(3);
    ray->Name = "Delta beam";
    m_state->store.countChange();
    QCOMPARE(command->index().search(u"ray").total, 0);
    QCOMPARE(index->search(u"delta").keys, keys({3}));
    m_state->store.resetChangeCount();  // saved
    m_state->store.urlDatas().Item(1)->Name = "Delta one";
    m_state->store.countChange();
    QCOMPARE(command->index().search(u"delta").total, 2);
    // An undone edit puts the old title back without counting a change.
    {
        const StoreRecording recording(*m_state, "Edit");
        m_state->store.urlDatas().Item(1)->Name = "Omega one";
        m_state->store.countChange();
    }
    QCOMPARE(command->index().search(u"omega").total, 1);
    auto *undo = m_window->findChild<UndoCommands *>();
    QVERIFY(undo);
    undo->undoAction()->trigger();
    QCOMPARE(m_state->store.urlDatas().Item(1)->Name, QString("Delta one"));
    QCOMPARE(command->index().search(u"omega").total, 0);
    QCOMPARE(command->index().search(u"delta").total, 2);
    m_state->store.clear();
    QCOMPARE(command->index().size(), 0);
}

void TestQuickOpen::init()
{
    setUpWindow(stackText);
}

void TestQuickOpen::cleanup()
{
    tearDownWindow();
}

const URLData *TestQuickOpen::entry(quint32 key) const
{
    return m_state->store.urlDatas().Item(m_state->store.urlDatas().positionOfKey(key));
}

// Ctrl+K (or a letter typed into the list), a text typed, keys in the
// results: what was opened or edited. The list shows News; Gamma ray (key 3,
// visited once, rated 4) ranks above Gamma burst (key 4) from Tech.
void TestQuickOpen::popupByKeys_data()
{
    QTest::addColumn<bool>("typedIntoList");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<QString>("outcome");
    using K = QKeyCombination;
    QTest::newRow("Enter opens the best match of another group, its visit counted")
        << false << "gamma" << QList<K> {K(Qt::Key_Return)} << "opened http://g.example/gamma; visits 2 0";
    QTest::newRow("the keypad's Enter") << false << "GAMMA" << QList<K> {K(Qt::KeypadModifier, Qt::Key_Enter)}
                                        << "opened http://g.example/gamma; visits 2 0";
    QTest::newRow("Down, then Enter opens the second")
        << false << "g.example" << QList<K> {K(Qt::Key_Down), K(Qt::Key_Return)}
        << "opened http://g.example/gammb; visits 1 1";
    QTest::newRow("Down past the end stays on the last")
        << false << "gam" << QList<K> {K(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Return)}
        << "opened http://g.example/gammb; visits 1 1";
    QTest::newRow("Down and Up") << false << "gam" << QList<K> {K(Qt::Key_Down), K(Qt::Key_Up), K(Qt::Key_Return)}
                                 << "opened http://g.example/gamma; visits 2 0";
    QTest::newRow("Escape: nothing") << false << "gamma" << QList<K> {K(Qt::Key_Escape)} << "visits 1 0";
    QTest::newRow("Enter without a match: nothing, the window stays")
        << false << "zebra" << QList<K> {K(Qt::Key_Return), K(Qt::Key_Escape)} << "visits 1 0";
    QTest::newRow("Alt+Enter edits") << false << "burst" << QList<K> {K(Qt::AltModifier, Qt::Key_Return)}
                                     << "edited Gamma burst; visits 1 0";
    QTest::newRow("Alt+Enter on an entry of the list shown")
        << false << "beta" << QList<K> {K(Qt::AltModifier, Qt::Key_Return)} << "edited Beta; visits 1 0";
    QTest::newRow("a letter typed into the list starts the search")
        << true << "amma r" << QList<K> {K(Qt::Key_Return)} << "opened http://g.example/gamma; visits 2 0";
}

void TestQuickOpen::popupByKeys()
{
    QFETCH(bool, typedIntoList);
    QFETCH(QString, typed);
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(QString, outcome);
    openWindow();
    QStringList seen;
    int stateSeen = -1;
    whenDialog("frmQuickOpen", [&](QDialog *popup) {
        stateSeen = m_state->dialogState;
        auto *field = popup->findChild<QLineEdit *>("txtQuickOpen");
        QCOMPARE(popup->focusWidget(), field);
        // What a dialog shown under a window manager gets: the focus as if by Tab.
        QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(field, &tabIn);
        QTest::keyClicks(field, typed);
        QCOMPARE(field->text(), (typedIntoList ? "G" : "") + typed);
        for (const QKeyCombination key : keys) {
            if (key.keyboardModifiers() == Qt::AltModifier) {
                whenDialog("Form2", [&](QDialog *editor) {
                    seen << "edited " + editor->findChild<QLineEdit *>("Text1_0")->text();
                    editor->findChild<QLineEdit *>("Text1_0")->setText("Edited");
                    editor->findChild<QPushButton *>("Command1")->click();
                });
            }
            if (popup->isVisible())
                QTest::keyClick(field, key.key(), key.keyboardModifiers());
        }
    });
    if (typedIntoList) {
        m_window->activeList()->setFocus();
        QTest::keyClick(m_window->activeList(), 'G');
    } else {
        QTest::keyClick(m_window.get(), Qt::Key_K, Qt::ControlModifier);
    }
    QCOMPARE(stateSeen, int(AppState::PromptOpen));
    QCOMPARE(m_state->dialogState, 0);
    for (const QString &url : m_opener.opened)
        seen << "opened " + url;
    seen << QString("visits %1 %2").arg(entry(3)->Visited).arg(entry(4)->Visited);
    QCOMPARE(seen.join("; "), outcome);
    const bool edited = outcome.startsWith("edited");
    QCOMPARE(m_state->store.changeCount(), outcome.startsWith("opened") || edited ? 1 : 0);
    if (edited) {
        const quint32 key = outcome.contains("Beta") ? 2 : 4;
        QCOMPARE(entry(key)->Name, QString("Edited"));
        // The list shows News: the edited Beta's row follows, Gamma burst stays out.
        QCOMPARE(m_window->activeModel()->rowCount(), 2);
        QCOMPARE(m_window->activeModel()->index(1, 0).data().toString(), key == 2 ? "Edited" : "Beta");
    }
}

// A megabyte pasted into the field: searched by its start, and the note says so.
void TestQuickOpen::pastedMegabyteIsCut()
{
    openWindow();
    QString note;
    int shown = -1;
    whenDialog("frmQuickOpen", [&](QDialog *popup) {
        QApplication::clipboard()->setText("gamma " + QString(1 << 20, u'r'));
        auto *field = popup->findChild<QLineEdit *>("txtQuickOpen");
        field->paste();
        note = popup->findChild<QLabel *>("lblQuickOpen")->text();
        shown = popup->findChild<QTreeWidget *>("twQuickOpen")->topLevelItemCount();
        popup->reject();
    });
    m_window->menus()->mnuQuickOpen->trigger();
    QCOMPARE(shown, 0);
    QCOMPARE(note, QString("No entry matches. Only the first 256 characters are searched."));
    QCOMPARE(m_state->store.changeCount(), 0);
}

QTEST_MAIN(TestQuickOpen)
#include "TestQuickOpen.moc"
