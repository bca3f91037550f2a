// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AccessChecks.h"
#include "DayCount.h"
#include "EntryEditor.h"
#include "EntryRowTexts.h"
#include "FindWindow.h"
#include "MaskFilterDialog.h"
#include "ModalDialog.h"
#include "MoveDialog.h"
#include "TestEnvironment.h"
#include "URLBlock.h"
#include "ViewFilter.h"
#include "WindowHelpers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

enum Kind { Editor, Find, Mask, Move };

// A dialog's outcome when it stays open.
constexpr int stillOpen = -1;

// A new entry typed (or captured from a page) and what the editor gives back.
struct NewEntry
{
    bool captured;
    QString title, url, storedTitle, storedUrl;
    int currentGroup, group;
};

// An entry edited: its last visit, visits and rating, the group shown, the
// rating chosen with the arrow keys (-1: none), the rating and group given back.
struct EditedEntry
{
    double lastVisit;
    int visits, rated, currentGroup, newRating, rating, group;
};

// The button pressed before Filter (none, or Cancel instead), the count texts
// typed, and the filter then held; marked: the count box marked as wrong.
struct MaskChange
{
    QString button, visited, amount;
    QList<bool> mask;
    int visitedCount, accessedAmount;
    QString marked;
};

template<class T = QWidget> T *control(const QWidget *dialog, const QString &name)
{
    if (T *widget = dialog->findChild<T *>(name))
        return widget;
    qFatal("no control %s", qPrintable(name));
}

void click(const QWidget *dialog, const QString &button)
{
    QTest::mouseClick(control(dialog, button), Qt::LeftButton);
}

void typed(QWidget *dialog, const QString &name, const QString &text)
{
    control<QLineEdit>(dialog, name)->setText(text);
}

// What a control shows: a label's or button's caption; a list's items; a
// tab's caption, tool tip and page; a tree's heading and rows.
QString shownText(const QWidget *widget)
{
    QStringList parts;
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        parts << label->text();
    else if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        parts << button->text();
    else if (const auto *combo = qobject_cast<const QComboBox *>(widget))
        for (int i = 0; i < combo->count(); ++i)
            parts << combo->itemText(i);
    else if (const auto *tabs = qobject_cast<const QTabWidget *>(widget))
        for (int i = 0; i < tabs->count(); ++i)
            parts << tabs->tabText(i) + " (" + tabs->tabToolTip(i) + ") " + tabs->widget(i)->objectName();
    else if (const auto *tree = qobject_cast<const QTreeWidget *>(widget))
        for (int i = -1; i < tree->topLevelItemCount(); ++i)
            parts << (i < 0 ? tree->headerItem() : tree->topLevelItem(i))->text(0);
    return parts.join('|');
}

}  // namespace

Q_DECLARE_METATYPE(NewEntry)
Q_DECLARE_METATYPE(EditedEntry)
Q_DECLARE_METATYPE(MaskChange)

// The four dialogs of the main window, driven through their controls by name.
class TestDialogs : public QObject
{
    Q_OBJECT

    URLBlock m_store;
    ViewFilter m_filter;
    QString m_findText;
    std::unique_ptr<QWidget> m_main;

    std::unique_ptr<QDialog> make(Kind kind)
    {
        switch (kind) {
        case Editor:
            return std::make_unique<EntryEditor>(m_store, m_main.get());
        case Find:
            return std::make_unique<FindWindow>(m_findText, m_main.get());
        case Mask:
            return std::make_unique<MaskFilterDialog>(m_filter, m_main.get());
        case Move:
            return std::make_unique<MoveDialog>(m_store.IDXList(), m_main.get());
        }
        return nullptr;
    }

    static void show(QDialog *dialog)
    {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
    }

private slots:
    void initTestCase()
    {
        TestEnvironment::isolate();
        for (const char *name : {"Alpha", "Beta", "Gamma"})
            m_store.addGroup(QString::fromLatin1(name));
    }

    void init()
    {
        m_filter = ViewFilter();
        m_findText.clear();
        m_main = std::make_unique<QWidget>();
        m_main->setGeometry(100, 200, 800, 600);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }

    void cleanup() { m_main.reset(); }

    // Each window's name, caption, icon, first focused control, what its
    // controls show, where it opens over the main window, and that every
    // control it shows has a name for assistive technology.
    void windows_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<bool>("centred");
        QTest::addColumn<QString>("texts");  // control=what it shows; ...
        const auto row = [](Kind kind, const char *name, const char *caption, const char *focused,
                            bool centred, const QString &texts) {
            QTest::newRow(name) << int(kind) << QString(name) << QString(caption) << QString(focused)
                                << centred << texts;
        };
        const QString modes = "OFF|More Than|Less Than|Equal To",
                      ratings = "Not Rated|Low|Medium|High|V.High";
        row(Editor, "Form2", "URL Information", "Text1_0", true,
            "Label1_0=Name:;Label1_1=URL:;Label4=Rating:;Label5=Group:;Label2_0=Created:;"
            "Label2_1=Last Accessed:;Label2_2=Times Accessed:;Command1=Accept;Command2=Cancel;Combo1_0="
                + ratings
                + ";Combo1_1=Alpha|Beta|Gamma;TabStrip=Quick Edit (Main URL Information store.) Frame_0|"
                  "Extended (Displays useful information) Frame_1");
        row(Find, "Find", "Find...", "Text1", true,
            "Label1=Find What:;Command1=Find Next;Command2=Cancel;Combo1=Up|Down");
        row(Mask, "Rated", "Mask Filters", "ListView1_0", false,
            "Command2_0=CLR;Command2_1=SET;Command1_0=Accessed;Command1_1=Last Accessed;Label5=Times;"
            "cmdFilter=Filter;cmdCancel=Cancel;Combo3_0="
                + modes + ";Combo3_1=" + modes + ";Combo3_2=Days|Weeks|Months;ListView1_0=Rating Filter|"
                + ratings);
        row(Move, "frmMove", "Move to...", "Combo1", false, "acceptCmd=Accept;Combo1=Alpha|Beta|Gamma");
    }

    void windows()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, focused);
        QFETCH(bool, centred);
        QFETCH(QString, texts);
        m_main->setWindowIcon(QIcon(QPixmap(16, 16)));
        const auto dialog = make(Kind(kind));
        QCOMPARE(dialog->objectName(), name);
        QCOMPARE(dialog->windowTitle(), caption);
        QCOMPARE(dialog->windowIcon().cacheKey(), m_main->windowIcon().cacheKey());
        for (const QString &text : texts.split(';')) {
            const QString controlName = text.section('=', 0, 0);
            QCOMPARE(controlName + '=' + shownText(control(dialog.get(), controlName)), text);
        }

        const QRect main = m_main->frameGeometry();
        const QPoint expected = centred
            ? QPoint(main.left() + (main.width() - dialog->width()) / 2,
                     main.top() + (main.height() - dialog->height()) / 2)
            : QPoint(main.left(), main.top() + qRound(500 / WindowHelpers::twipsPerPixel(m_main.get())));
        QCOMPARE(dialog->pos(), expected);

        show(dialog.get());
        QTRY_COMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(),
                     focused);
        QCOMPARE(AccessChecks::unnamedControls(dialog.get()).join(", "), QString());
    }

    // Enter and Escape in the fields and lists, the dialogs' own buttons and
    // the close box. Find and Filter leave their window open and ask once.
    // (Enter in the editor's title, its Accept, Find Next and Filter are
    // pressed in the tests of each dialog below.)
    void keyboardAndButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("target");  // the control clicked or typed in; empty: the close box
        QTest::addColumn<int>("key");         // 0: a click
        QTest::addColumn<int>("outcome");     // the result when closed, or stillOpen
        const auto row = [](const char *name, Kind kind, const char *target, int key, int outcome) {
            QTest::newRow(name) << int(kind) << QString(target) << key << outcome;
        };
        const int enter = Qt::Key_Return, escape = Qt::Key_Escape, accepted = QDialog::Accepted,
                  rejected = QDialog::Rejected;
        row("editor Enter in rating list", Editor, "Combo1_0", Qt::Key_Enter, accepted);
        row("editor Cancel", Editor, "Command2", 0, rejected);
        row("editor Escape", Editor, "Text1_0", escape, rejected);
        row("editor close box", Editor, "", 0, rejected);
        row("find Enter in text", Find, "Text1", enter, stillOpen);
        row("find Enter in direction list", Find, "Combo1", Qt::Key_Enter, stillOpen);
        row("find Cancel", Find, "Command2", 0, rejected);
        row("find Escape", Find, "Text1", escape, rejected);
        row("find close box", Find, "", 0, rejected);
        row("mask Enter in count", Mask, "Text2_0", enter, stillOpen);
        row("mask Enter in mode list", Mask, "Combo3_0", Qt::Key_Enter, stillOpen);
        row("mask Cancel", Mask, "cmdCancel", 0, rejected);
        row("mask Escape", Mask, "ListView1_0", escape, rejected);
        row("mask close box", Mask, "", 0, rejected);
        row("move Enter in list", Move, "Combo1", Qt::Key_Enter, accepted);
        row("move Accept", Move, "acceptCmd", 0, accepted);
        row("move Escape", Move, "Combo1", escape, rejected);
        row("move close box", Move, "", 0, rejected);
    }

    void keyboardAndButtons()
    {
        QFETCH(int, kind);
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(int, outcome);
        m_findText = QStringLiteral("needle");
        const auto dialog = make(Kind(kind));
        std::unique_ptr<QSignalSpy> spy;
        if (auto *find = qobject_cast<FindWindow *>(dialog.get()))
            spy = std::make_unique<QSignalSpy>(find, &FindWindow::findRequested);
        else if (auto *mask = qobject_cast<MaskFilterDialog *>(dialog.get()))
            spy = std::make_unique<QSignalSpy>(mask, &MaskFilterDialog::filterApplied);
        show(dialog.get());
        if (target.isEmpty())
            QVERIFY(dialog->close());
        else if (key == 0)
            click(dialog.get(), target);
        else
            QTest::keyClick(control(dialog.get(), target), Qt::Key(key));
        QCOMPARE(dialog->isVisible(), outcome == stillOpen);
        if (outcome != stillOpen)
            QCOMPARE(dialog->result(), outcome);
        QCOMPARE(spy ? spy->count() : 0, outcome == stillOpen ? 1 : 0);
    }

    // The new-entry mode: what is typed, or captured from a page, comes back
    // trimmed of blanks only; the group list shows the main window's group.
    void editorNewEntry_data()
    {
        QTest::addColumn<NewEntry>("entry");
        const QString controls = QString::fromUtf8("\t\x01 a\x7f\r\n");
        const QString huge = QString(1 << 20, QLatin1Char('x')) + QStringLiteral("end");
        QTest::newRow("blanks trimmed")
            << NewEntry {false, "  News  ", " http://a.example/ ", "News", "http://a.example/", 1, 1};
        QTest::newRow("untouched: the new-entry texts") << NewEntry {false, {}, {}, "", "http://", 0, 0};
        QTest::newRow("blanks only: empty title") << NewEntry {false, "    ", "", "", "", 2, 2};
        QTest::newRow("control characters kept")
            << NewEntry {false, " " + controls + " ", controls, controls, controls, 1, 1};
        QTest::newRow("1 MB title kept whole")
            << NewEntry {false, huge, "http://b/", huge, "http://b/", 0, 0};
        QTest::newRow("shown group not in the list") << NewEntry {false, "T", "u", "T", "u", 7, -1};
        QTest::newRow("no group shown") << NewEntry {false, "T", "u", "T", "u", -1, -1};
        QTest::newRow("captured page") << NewEntry {true, " Page ", "https://p/", "Page", "https://p/", 0, 0};
    }

    void editorNewEntry()
    {
        QFETCH(NewEntry, entry);
        EntryEditor editor(m_store, m_main.get());
        editor.createNew(entry.currentGroup);
        show(&editor);
        QCOMPARE(editor.rating(), 0);
        QCOMPARE(editor.editKey(), QString());
        auto *titleField = control<QLineEdit>(&editor, "Text1_0");
        auto *urlField = control<QLineEdit>(&editor, "Text1_1");
        if (entry.captured) {
            editor.setCaptured(entry.title, entry.url);
        } else if (!entry.title.isNull()) {
            titleField->setText(entry.title);
            urlField->setText(entry.url);
        }
        QTest::keyClick(titleField, Qt::Key_Return);
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(editor.title(), entry.storedTitle);
        QCOMPARE(editor.url(), entry.storedUrl);
        // The trimmed texts are written back into the fields.
        QCOMPARE(titleField->text(), editor.title());
        QCOMPARE(urlField->text(), editor.url());
        QCOMPARE(editor.group(), entry.group);
    }

    // The edit mode shows the entry; the group list follows the group shown
    // in the main window, not the entry's own group.
    void editorEditEntry_data()
    {
        QTest::addColumn<EditedEntry>("edit");
        const double visited = DayCount::fromDateTime(QDateTime(QDate(2021, 3, 4), QTime(13, 5)));
        QTest::newRow("never visited") << EditedEntry {0.0, 0, 2, 1, -1, 2, 1};
        QTest::newRow("visited, rating raised") << EditedEntry {visited, 17, 1, 2, 3, 3, 2};
        QTest::newRow("rating lowered to Not Rated") << EditedEntry {visited, 32767, 4, 0, 0, 0, 0};
        QTest::newRow("rating the list lacks kept") << EditedEntry {0.0, 1, 9, 0, -1, 9, 0};
    }

    void editorEditEntry()
    {
        QFETCH(EditedEntry, edit);
        URLData *entry = m_store.urlDatas().Add(QStringLiteral("Title"), QStringLiteral("http://t/"), 0);
        entry->Created = DayCount::fromDateTime(QDateTime(QDate(2020, 1, 2), QTime(0, 0)));
        entry->LastAccesed = edit.lastVisit;
        entry->Visited = edit.visits;
        entry->Rated = quint8(edit.rated);

        EntryEditor editor(m_store, m_main.get());
        editor.editEntry(*entry, edit.currentGroup);
        show(&editor);
        QCOMPARE(editor.editKey(), entry->ID());
        QVERIFY(control(&editor, "Frame_0")->isAncestorOf(control(&editor, "Text1_0")));
        QVERIFY(control(&editor, "Frame_1")->isAncestorOf(control(&editor, "Label3_2")));
        QCOMPARE(control<QLineEdit>(&editor, "Text1_0")->text(), entry->Name);
        QCOMPARE(control<QLineEdit>(&editor, "Text1_1")->text(), entry->url);
        QCOMPARE(control<QLabel>(&editor, "Label3_0")->text(),
                 EntryRowTexts::generalDateText(entry->Created));
        QCOMPARE(control<QLabel>(&editor, "Label3_1")->text(),
                 edit.lastVisit == 0 ? QString("Never") : EntryRowTexts::generalDateText(edit.lastVisit));
        QCOMPARE(control<QLabel>(&editor, "Label3_2")->text(), QString::number(edit.visits));
        if (edit.newRating >= 0) {
            auto *ratingList = control<QComboBox>(&editor, "Combo1_0");
            ratingList->setFocus();
            while (ratingList->currentIndex() != edit.newRating)
                QTest::keyClick(ratingList,
                                ratingList->currentIndex() < edit.newRating ? Qt::Key_Down : Qt::Key_Up);
        }
        click(&editor, "Command1");
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(editor.rating(), edit.rating);
        QCOMPARE(editor.group(), edit.group);
        QCOMPARE(editor.title(), entry->Name);
        m_store.urlDatas().Clear();
    }

    // Find Next remembers the trimmed text and asks for a search unless it is empty.
    void findNext_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("findText");
        QTest::addColumn<int>("direction");  // -1: no search
        QTest::newRow("down by default") << "  needle " << false << "needle" << 0;
        QTest::newRow("up chosen") << "needle" << true << "needle" << 1;
        QTest::newRow("blanks only: beep, no search") << "   " << false << "" << -1;
        QTest::newRow("empty: beep, no search") << "" << true << "" << -1;
        QTest::newRow("1 MB text") << QString(1 << 20, QLatin1Char('n')) << false
                                   << QString(1 << 20, QLatin1Char('n')) << 0;
    }

    void findNext()
    {
        QFETCH(QString, text);
        QFETCH(bool, up);
        QFETCH(QString, findText);
        QFETCH(int, direction);
        m_findText = QStringLiteral("previous");
        FindWindow window(m_findText, m_main.get());
        QSignalSpy requests(&window, &FindWindow::findRequested);
        show(&window);
        // The last text searched for, selected to be typed over.
        QCOMPARE(control<QLineEdit>(&window, "Text1")->text(), QString("previous"));
        QCOMPARE(control<QLineEdit>(&window, "Text1")->selectedText(), QString("previous"));
        typed(&window, "Text1", text);
        if (up)
            control<QComboBox>(&window, "Combo1")->setCurrentIndex(0);
        for (int search = 1; search <= 2; ++search) {
            click(&window, "Command1");
            QVERIFY(window.isVisible());
            QCOMPARE(m_findText, findText);
            QCOMPARE(requests.count(), direction < 0 ? 0 : search);
            if (direction >= 0)
                QCOMPARE(requests.last(), QVariantList({findText, direction}));
        }
    }

    // CLR, SET and Filter; count texts that are not 16-bit whole numbers keep
    // the previous value and are marked; the added filter is never touched.
    void maskFilter_data()
    {
        QTest::addColumn<MaskChange>("change");
        const QList<bool> loaded {false, true, false, true, false};
        const QList<bool> all(5, true), none(5, false);
        QTest::newRow("SET") << MaskChange {"Command2_1", "5", "6", all, 5, 6, ""};
        QTest::newRow("CLR") << MaskChange {"Command2_0", "5", "6", none, 5, 6, ""};
        QTest::newRow("checks as loaded") << MaskChange {"", " -32768 ", "32767", loaded, -32768, 32767, ""};
        QTest::newRow("count not a number") << MaskChange {"", "ten", "6", loaded, 3, 6, "Text2_0"};
        QTest::newRow("count past 16 bits") << MaskChange {"", "32768", "6", loaded, 3, 6, "Text2_0"};
        QTest::newRow("amount below 16 bits") << MaskChange {"", "5", "-32769", loaded, 5, 4, "Text2_1"};
        QTest::newRow("amount with a fraction") << MaskChange {"", "5", "1.5", loaded, 5, 4, "Text2_1"};
        QTest::newRow("both bad: first marked") << MaskChange {"", "", "x", loaded, 3, 4, "Text2_0"};
        QTest::newRow("Cancel") << MaskChange {"cmdCancel", "5", "6", loaded, 3, 4, ""};
    }

    void maskFilter()
    {
        QFETCH(MaskChange, change);
        m_filter.ratingMask = {false, true, false, true, false, true};
        std::tie(m_filter.visitedMode, m_filter.visitedCount) = std::pair(1, 3);
        std::tie(m_filter.accessedMode, m_filter.accessedAmount, m_filter.accessedUnit) = std::tuple(2, 4, 1);
        std::tie(m_filter.addedMode, m_filter.addedAmount, m_filter.addedUnit) = std::tuple(3, 9, 2);
        m_filter.textMask = QStringLiteral("*mask*");

        MaskFilterDialog dialog(m_filter, m_main.get());
        QSignalSpy applied(&dialog, &MaskFilterDialog::filterApplied);
        show(&dialog);
        auto *ratings = control<QTreeWidget>(&dialog, "ListView1_0");
        for (int i = 0; i < 5; ++i)
            QCOMPARE(ratings->topLevelItem(i)->checkState(0) == Qt::Checked, m_filter.ratingMask[size_t(i)]);
        QCOMPARE(control<QLineEdit>(&dialog, "Text2_1")->text(), QString("4"));
        for (const auto &[name, index] : {std::pair("Combo3_0", 1), {"Combo3_1", 2}, {"Combo3_2", 1}})
            QCOMPARE(control<QComboBox>(&dialog, name)->currentIndex(), index);

        // Space on the current row toggles it, as the mouse does.
        QTest::keyClick(ratings, Qt::Key_Space);
        QCOMPARE(ratings->topLevelItem(0)->checkState(0), Qt::Checked);
        QTest::keyClick(ratings, Qt::Key_Space);
        control<QComboBox>(&dialog, "Combo3_0")->setCurrentIndex(3);
        control<QComboBox>(&dialog, "Combo3_2")->setCurrentIndex(2);
        typed(&dialog, "Text2_0", change.visited);
        typed(&dialog, "Text2_1", change.amount);
        if (!change.button.isEmpty())
            click(&dialog, change.button);
        const bool cancelled = change.button == "cmdCancel";
        if (!cancelled)
            click(&dialog, "cmdFilter");

        QCOMPARE(dialog.isVisible(), !cancelled);
        QCOMPARE(applied.count(), cancelled ? 0 : 1);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(m_filter.ratingMask[size_t(i)], change.mask[i]);
        QCOMPARE(m_filter.ratingMask[5], true);
        QCOMPARE(m_filter.visitedCount, change.visitedCount);
        QCOMPARE(m_filter.accessedAmount, change.accessedAmount);
        QCOMPARE(m_filter.visitedMode, cancelled ? 1 : 3);
        QCOMPARE(m_filter.accessedUnit, cancelled ? 1 : 2);
        QCOMPARE(std::tuple(m_filter.addedMode, m_filter.addedAmount, m_filter.addedUnit),
                 std::tuple(3, 9, 2));
        QCOMPARE(m_filter.textMask, QString("*mask*"));
        if (!change.marked.isEmpty()) {
            auto *box = control<QLineEdit>(&dialog, change.marked);
            QCOMPARE(QApplication::focusWidget(), box);
            QCOMPARE(box->selectedText(), box->text());
            QCOMPARE(
                box->text(),
                QString::number(change.marked == "Text2_0" ? change.visitedCount : change.accessedAmount));
        }
        // Filter applies at once: Cancel afterwards keeps what it applied.
        if (!cancelled) {
            click(&dialog, "cmdCancel");
            QCOMPARE(m_filter.visitedCount, change.visitedCount);
        }
    }

    // The list starts on the first group, none without groups, and gives
    // the chosen group's number.
    void move_data()
    {
        QTest::addColumn<bool>("groups");
        QTest::addColumn<int>("downs");  // arrow-key presses in the list
        QTest::addColumn<int>("group");
        QTest::newRow("untouched: first group") << true << 0 << 0;
        QTest::newRow("third group by keys") << true << 2 << 2;
        QTest::newRow("no groups: none") << false << 1 << -1;
    }

    void move()
    {
        QFETCH(bool, groups);
        QFETCH(int, downs);
        QFETCH(int, group);
        const URLBlock empty;
        const GroupTable &table = groups ? m_store.IDXList() : empty.IDXList();
        MoveDialog dialog(table, m_main.get());
        show(&dialog);
        auto *list = control<QComboBox>(&dialog, "Combo1");
        for (int i = 0; i < list->count(); ++i)
            QCOMPARE(list->itemData(i).toInt(), table.at(i).number);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        click(&dialog, "acceptCmd");
        QCOMPARE(dialog.group(), group);
    }

    // The main window leaves the always-on-top state while a dialog runs and
    // gets its previous state back afterwards.
    void showModalOnTop_data()
    {
        QTest::addColumn<bool>("onTop");
        QTest::newRow("main window on top") << true;
        QTest::newRow("main window not on top") << false;
    }

    void showModalOnTop()
    {
        QFETCH(bool, onTop);
        WindowHelpers::setTopmost(m_main.get(), onTop);
        FindWindow window(m_findText, m_main.get());
        bool onTopWhileOpen = true, modal = false;
        QTimer::singleShot(0, &window, [&] {
            onTopWhileOpen = m_main->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            modal = window.isModal() && window.isVisible();
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        QCOMPARE(WindowHelpers::showModalOnTop(window, m_main.get()), int(QDialog::Rejected));
        QVERIFY(modal);
        QVERIFY(!onTopWhileOpen);
        QCOMPARE(m_main->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
    }
};

QTEST_MAIN(TestDialogs)
#include "TestDialogs.moc"
