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

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

enum Kind { Editor, Find, Mask, Move };

// How a dialog is left.
enum Close { AcceptButton, EnterInFirstField, EnterInList, CancelButton, Escape, CloseBox };

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

void keyIn(const QWidget *dialog, const QString &name, Qt::Key key)
{
    QWidget *target = control(dialog, name);
    target->setFocus();
    QTest::keyClick(target, key);
}

QString typed(QLineEdit *field, const QString &text)
{
    field->setText(text);
    return text;
}

}  // namespace

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

    // Opens a new-entry editor with the main window showing currentGroup.
    std::unique_ptr<EntryEditor> newEntryEditor(int currentGroup)
    {
        auto editor = std::make_unique<EntryEditor>(m_store, m_main.get());
        editor->createNew(currentGroup);
        show(editor.get());
        return editor;
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

    void captions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const auto row = [](Kind kind, const char *name, const char *caption) {
            QTest::addRow("%s %s", name, caption) << int(kind) << QString(name) << QString(caption);
        };
        row(Editor, "Label1_0", "Name:");
        row(Editor, "Label1_1", "URL:");
        row(Editor, "Label4", "Rating:");
        row(Editor, "Label5", "Group:");
        row(Editor, "Label2_0", "Created:");
        row(Editor, "Label2_1", "Last Accessed:");
        row(Editor, "Label2_2", "Times Accessed:");
        row(Editor, "Command1", "Accept");
        row(Editor, "Command2", "Cancel");
        row(Find, "Label1", "Find What:");
        row(Find, "Command1", "Find Next");
        row(Find, "Command2", "Cancel");
        row(Mask, "Command2_0", "CLR");
        row(Mask, "Command2_1", "SET");
        row(Mask, "Command1_0", "Accessed");
        row(Mask, "Command1_1", "Last Accessed");
        row(Mask, "Label5", "Times");
        row(Mask, "cmdFilter", "Filter");
        row(Mask, "cmdCancel", "Cancel");
        row(Move, "acceptCmd", "Accept");
    }

    void captions()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        const auto dialog = make(Kind(kind));
        QWidget *widget = control(dialog.get(), name);
        if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->text(), caption);
        else
            QCOMPARE(control<QPushButton>(dialog.get(), name)->text(), caption);
    }

    // Name, caption, the first control to have the focus, the lists' items
    // and where each window opens over the main window.
    void windows_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("centred");
        const QStringList modes {"OFF", "More Than", "Less Than", "Equal To"};
        QTest::newRow("editor") << int(Editor) << "Form2"
                                << "URL Information"
                                << "Text1_0"
                                << "Combo1_0" << QStringList {"Not Rated", "Low", "Medium", "High", "V.High"}
                                << true;
        QTest::newRow("find") << int(Find) << "Find"
                              << "Find..."
                              << "Text1"
                              << "Combo1" << QStringList {"Up", "Down"} << true;
        QTest::newRow("mask modes") << int(Mask) << "Rated"
                                    << "Mask Filters"
                                    << "ListView1_0"
                                    << "Combo3_0" << modes << false;
        QTest::newRow("mask units") << int(Mask) << "Rated"
                                    << "Mask Filters"
                                    << "ListView1_0"
                                    << "Combo3_2" << QStringList {"Days", "Weeks", "Months"} << false;
        QTest::newRow("move") << int(Move) << "frmMove"
                              << "Move to..."
                              << "Combo1"
                              << "Combo1" << QStringList {"Alpha", "Beta", "Gamma"} << false;
    }

    void windows()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, kind);
        QFETCH(QString, list);
        QFETCH(QStringList, items);
        QFETCH(bool, centred);
        QFETCH(QString, focused);
        m_main->setWindowIcon(QIcon(QPixmap(16, 16)));
        const auto dialog = make(Kind(kind));
        QCOMPARE(dialog->objectName(), name);
        QCOMPARE(dialog->windowTitle(), caption);
        QCOMPARE(dialog->windowIcon().cacheKey(), m_main->windowIcon().cacheKey());

        const QRect main = m_main->frameGeometry();
        const QPoint expected = centred
            ? QPoint(main.left() + (main.width() - dialog->width()) / 2,
                     main.top() + (main.height() - dialog->height()) / 2)
            : QPoint(main.left(), main.top() + qRound(500 / WindowHelpers::twipsPerPixel(m_main.get())));
        QCOMPARE(dialog->pos(), expected);

        auto *combo = control<QComboBox>(dialog.get(), list);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown, items);

        show(dialog.get());
        QTRY_COMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(),
                     focused);
    }

    // Enter and Escape from the first field, and the dialogs' own buttons.
    void keyboardAndButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("close");
        QTest::addColumn<bool>("open");     // still open afterwards
        QTest::addColumn<int>("result");    // when closed
        QTest::addColumn<int>("requests");  // find requests / filters applied
        const auto row = [](const char *name, Kind kind, Close close, bool open, int result, int requests) {
            QTest::newRow(name) << int(kind) << int(close) << open << result << requests;
        };
        row("editor Enter in title", Editor, EnterInFirstField, false, QDialog::Accepted, 0);
        row("editor Enter in rating list", Editor, EnterInList, false, QDialog::Accepted, 0);
        row("editor Accept", Editor, AcceptButton, false, QDialog::Accepted, 0);
        row("editor Cancel", Editor, CancelButton, false, QDialog::Rejected, 0);
        row("editor Escape", Editor, Escape, false, QDialog::Rejected, 0);
        row("editor close box", Editor, CloseBox, false, QDialog::Rejected, 0);
        row("find Enter in text", Find, EnterInFirstField, true, 0, 1);
        row("find Enter in direction list", Find, EnterInList, true, 0, 1);
        row("find Find Next", Find, AcceptButton, true, 0, 1);
        row("find Cancel", Find, CancelButton, false, QDialog::Rejected, 0);
        row("find Escape", Find, Escape, false, QDialog::Rejected, 0);
        row("find close box", Find, CloseBox, false, QDialog::Rejected, 0);
        row("mask Enter in count", Mask, EnterInFirstField, true, 0, 1);
        row("mask Enter in mode list", Mask, EnterInList, true, 0, 1);
        row("mask Filter", Mask, AcceptButton, true, 0, 1);
        row("mask Cancel", Mask, CancelButton, false, QDialog::Rejected, 0);
        row("mask Escape", Mask, Escape, false, QDialog::Rejected, 0);
        row("mask close box", Mask, CloseBox, false, QDialog::Rejected, 0);
        row("move Enter in list", Move, EnterInList, false, QDialog::Accepted, 0);
        row("move Accept", Move, AcceptButton, false, QDialog::Accepted, 0);
        row("move Escape", Move, Escape, false, QDialog::Rejected, 0);
        row("move close box", Move, CloseBox, false, QDialog::Rejected, 0);
    }

    void keyboardAndButtons()
    {
        QFETCH(int, result);
        QFETCH(int, requests);
        QFETCH(int, kind);
        QFETCH(int, close);
        QFETCH(bool, open);
        m_findText = QStringLiteral("needle");
        const auto dialog = make(Kind(kind));
        std::unique_ptr<QSignalSpy> spy;
        if (auto *find = qobject_cast<FindWindow *>(dialog.get()))
            spy = std::make_unique<QSignalSpy>(find, &FindWindow::findRequested);
        else if (auto *mask = qobject_cast<MaskFilterDialog *>(dialog.get()))
            spy = std::make_unique<QSignalSpy>(mask, &MaskFilterDialog::filterApplied);
        show(dialog.get());

        const QString fields[] = {"Text1_0", "Text1", "Text2_0", "Combo1"};
        const QString lists[] = {"Combo1_0", "Combo1", "Combo3_0", "Combo1"};
        const QString accepts[] = {"Command1", "Command1", "cmdFilter", "acceptCmd"};
        const QString cancels[] = {"Command2", "Command2", "cmdCancel", ""};
        switch (Close(close)) {
        case AcceptButton:
            click(dialog.get(), accepts[kind]);
            break;
        case EnterInFirstField:
            keyIn(dialog.get(), fields[kind], Qt::Key_Return);
            break;
        case EnterInList:
            keyIn(dialog.get(), lists[kind], Qt::Key_Enter);
            break;
        case CancelButton:
            click(dialog.get(), cancels[kind]);
            break;
        case Escape:
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog.get(), Qt::Key_Escape);
            break;
        case CloseBox:
            QVERIFY(dialog->close());
            break;
        }
        QCOMPARE(dialog->isVisible(), open);
        if (!open)
            QCOMPARE(dialog->result(), result);
        QCOMPARE(spy ? spy->count() : 0, requests);
    }

    // The new-entry mode: what is typed comes back trimmed of blanks only.
    void editorNewEntry_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("storedTitle");
        QTest::addColumn<QString>("storedUrl");
        QTest::addColumn<int>("currentGroup");
        QTest::addColumn<int>("group");
        const QString controls = QString::fromUtf8("\t\x01 a\x7f\r\n");
        const QString huge = QString(1 << 20, QLatin1Char('x')) + QStringLiteral("end");
        QTest::newRow("blanks trimmed") << "  News  "
                                        << " http://a.example/ "
                                        << "News"
                                        << "http://a.example/" << 1 << 1;
        QTest::newRow("untouched: the new-entry texts") << QString() << QString() << ""
                                                        << "http://" << 0 << 0;
        QTest::newRow("blanks only: empty title") << "    "
                                                  << ""
                                                  << ""
                                                  << "" << 2 << 2;
        QTest::newRow("control characters kept")
            << " " + controls + " " << controls << controls << controls << 1 << 1;
        QTest::newRow("1 MB title kept whole") << huge << "http://b/" << huge << "http://b/" << 0 << 0;
        QTest::newRow("shown group not in the list") << "T"
                                                     << "u"
                                                     << "T"
                                                     << "u" << 7 << -1;
        QTest::newRow("no group shown") << "T"
                                        << "u"
                                        << "T"
                                        << "u" << -1 << -1;
    }

    void editorNewEntry()
    {
        QFETCH(QString, storedTitle);
        QFETCH(QString, storedUrl);
        QFETCH(int, group);
        QFETCH(QString, title);
        QFETCH(QString, url);
        QFETCH(int, currentGroup);
        const auto editor = newEntryEditor(currentGroup);
        QCOMPARE(editor->rating(), 0);
        QCOMPARE(editor->editKey(), QString());
        auto *titleField = control<QLineEdit>(editor.get(), "Text1_0");
        auto *urlField = control<QLineEdit>(editor.get(), "Text1_1");
        if (!title.isNull()) {
            typed(titleField, title);
            typed(urlField, url);
        }
        QTest::keyClick(titleField, Qt::Key_Return);
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        QCOMPARE(editor->title(), storedTitle);
        QCOMPARE(editor->url(), storedUrl);
        // The trimmed texts are written back into the fields.
        QCOMPARE(titleField->text(), editor->title());
        QCOMPARE(urlField->text(), editor->url());
        QCOMPARE(editor->group(), group);
    }

    // The edit mode shows the entry; the group list follows the group shown
    // in the main window, not the entry's own group.
    void editorEditEntry_data()
    {
        QTest::addColumn<double>("lastVisit");
        QTest::addColumn<int>("visits");
        QTest::addColumn<int>("rated");
        QTest::addColumn<int>("currentGroup");
        QTest::addColumn<int>("newRating");  // chosen with the arrow keys; -1: untouched
        QTest::addColumn<int>("rating");
        QTest::addColumn<int>("group");
        const double visited = DayCount::fromDateTime(QDateTime(QDate(2021, 3, 4), QTime(13, 5)));
        QTest::newRow("never visited") << 0.0 << 0 << 2 << 1 << -1 << 2 << 1;
        QTest::newRow("visited, rating raised") << visited << 17 << 1 << 2 << 3 << 3 << 2;
        QTest::newRow("rating lowered to Not Rated") << visited << 32767 << 4 << 0 << 0 << 0 << 0;
        QTest::newRow("rating the list lacks kept") << 0.0 << 1 << 9 << 0 << -1 << 9 << 0;
    }

    void editorEditEntry()
    {
        QFETCH(int, rated);
        QFETCH(int, currentGroup);
        QFETCH(int, rating);
        QFETCH(int, group);
        QFETCH(double, lastVisit);
        QFETCH(int, visits);
        QFETCH(int, newRating);
        URLData *entry = m_store.urlDatas().Add(QStringLiteral("Title"), QStringLiteral("http://t/"), 0);
        entry->Created = DayCount::fromDateTime(QDateTime(QDate(2020, 1, 2), QTime(0, 0)));
        entry->LastAccesed = lastVisit;
        entry->Visited = visits;
        entry->Rated = quint8(rated);

        EntryEditor editor(m_store, m_main.get());
        editor.editEntry(*entry, currentGroup);
        show(&editor);
        QCOMPARE(editor.editKey(), entry->ID());
        QCOMPARE(control<QLineEdit>(&editor, "Text1_0")->text(), entry->Name);
        QCOMPARE(control<QLineEdit>(&editor, "Text1_1")->text(), entry->url);
        QCOMPARE(control<QLabel>(&editor, "Label3_0")->text(),
                 EntryRowTexts::generalDateText(entry->Created));
        QCOMPARE(control<QLabel>(&editor, "Label3_1")->text(),
                 lastVisit == 0 ? QString("Never") : EntryRowTexts::generalDateText(lastVisit));
        QCOMPARE(control<QLabel>(&editor, "Label3_2")->text(), QString::number(visits));
        if (newRating >= 0) {
            auto *ratingList = control<QComboBox>(&editor, "Combo1_0");
            ratingList->setFocus();
            while (ratingList->currentIndex() != newRating)
                QTest::keyClick(ratingList,
                                ratingList->currentIndex() < newRating ? Qt::Key_Down : Qt::Key_Up);
        }
        click(&editor, "Command1");
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(editor.rating(), rating);
        QCOMPARE(editor.group(), group);
        QCOMPARE(editor.title(), entry->Name);
        m_store.urlDatas().Clear();
    }

    void editorTabs()
    {
        EntryEditor editor(m_store, m_main.get());
        auto *tabs = control<QTabWidget>(&editor, "TabStrip");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QString("Quick Edit"));
        QCOMPARE(tabs->tabToolTip(0), QString("Main URL Information store."));
        QCOMPARE(tabs->tabText(1), QString("Extended"));
        QCOMPARE(tabs->tabToolTip(1), QString("Displays useful information"));
        QCOMPARE(tabs->widget(0)->objectName(), QString("Frame_0"));
        QCOMPARE(tabs->widget(1)->objectName(), QString("Frame_1"));
        QVERIFY(tabs->widget(0)->isAncestorOf(control(&editor, "Text1_0")));
        QVERIFY(tabs->widget(1)->isAncestorOf(control(&editor, "Label3_2")));
        // A captured page fills the new entry's title and address.
        editor.createNew(0);
        editor.setCaptured(QStringLiteral("Page"), QStringLiteral("https://p/"));
        QCOMPARE(editor.title(), QString("Page"));
        QCOMPARE(editor.url(), QString("https://p/"));
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
        QCOMPARE(control<QLineEdit>(&window, "Text1")->text(), QString("previous"));
        typed(control<QLineEdit>(&window, "Text1"), text);
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

    void findReopened()
    {
        {
            FindWindow first(m_findText, m_main.get());
            show(&first);
            typed(control<QLineEdit>(&first, "Text1"), QStringLiteral(" last "));
            control<QComboBox>(&first, "Combo1")->setCurrentIndex(0);
            QTest::keyClick(control(&first, "Text1"), Qt::Key_Return);
            QTest::keyClick(control(&first, "Text1"), Qt::Key_Escape);
        }
        FindWindow second(m_findText, m_main.get());
        show(&second);
        QCOMPARE(control<QLineEdit>(&second, "Text1")->text(), QString("last"));
        QCOMPARE(control<QLineEdit>(&second, "Text1")->selectedText(), QString("last"));
        QCOMPARE(control<QComboBox>(&second, "Combo1")->currentText(), QString("Down"));
    }

    // CLR, SET and Filter; count texts that are not 16-bit whole numbers keep
    // the previous value and are marked; the added filter is never touched.
    void maskFilter_data()
    {
        QTest::addColumn<QString>("button");  // pressed before Filter; empty: none
        QTest::addColumn<QString>("visited");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QList<bool>>("mask");
        QTest::addColumn<int>("visitedCount");
        QTest::addColumn<int>("accessedAmount");
        QTest::addColumn<QString>("marked");
        const QList<bool> loaded {false, true, false, true, false};
        const QList<bool> all(5, true), none(5, false);
        QTest::newRow("SET") << "Command2_1"
                             << "5"
                             << "6" << all << 5 << 6 << "";
        QTest::newRow("CLR") << "Command2_0"
                             << "5"
                             << "6" << none << 5 << 6 << "";
        QTest::newRow("checks as loaded") << ""
                                          << " -32768 "
                                          << "32767" << loaded << -32768 << 32767 << "";
        QTest::newRow("count not a number") << ""
                                            << "ten"
                                            << "6" << loaded << 3 << 6 << "Text2_0";
        QTest::newRow("count past 16 bits") << ""
                                            << "32768"
                                            << "6" << loaded << 3 << 6 << "Text2_0";
        QTest::newRow("amount below 16 bits") << ""
                                              << "5"
                                              << "-32769" << loaded << 5 << 4 << "Text2_1";
        QTest::newRow("amount with a fraction") << ""
                                                << "5"
                                                << "1.5" << loaded << 5 << 4 << "Text2_1";
        QTest::newRow("both bad: first marked") << ""
                                                << ""
                                                << "x" << loaded << 3 << 4 << "Text2_0";
        QTest::newRow("Cancel") << "cmdCancel"
                                << "5"
                                << "6" << loaded << 3 << 4 << "";
    }

    void maskFilter()
    {
        QFETCH(QString, visited);
        QFETCH(QString, amount);
        QFETCH(QString, button);
        QFETCH(QList<bool>, mask);
        QFETCH(int, visitedCount);
        QFETCH(int, accessedAmount);
        QFETCH(QString, marked);
        m_filter.ratingMask = {false, true, false, true, false, true};
        std::tie(m_filter.visitedMode, m_filter.visitedCount) = std::pair(1, 3);
        std::tie(m_filter.accessedMode, m_filter.accessedAmount, m_filter.accessedUnit) = std::tuple(2, 4, 1);
        std::tie(m_filter.addedMode, m_filter.addedAmount, m_filter.addedUnit) = std::tuple(3, 9, 2);
        m_filter.textMask = QStringLiteral("*mask*");

        MaskFilterDialog dialog(m_filter, m_main.get());
        QSignalSpy applied(&dialog, &MaskFilterDialog::filterApplied);
        show(&dialog);
        auto *ratings = control<QTreeWidget>(&dialog, "ListView1_0");
        QCOMPARE(ratings->headerItem()->text(0), QString("Rating Filter"));
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(ratings->topLevelItem(i)->text(0), EntryRowTexts::ratingName(i));
            QCOMPARE(ratings->topLevelItem(i)->checkState(0) == Qt::Checked, m_filter.ratingMask[size_t(i)]);
        }
        QCOMPARE(control<QLineEdit>(&dialog, "Text2_1")->text(), QString("4"));
        for (const auto &[name, index] : {std::pair("Combo3_0", 1), {"Combo3_1", 2}, {"Combo3_2", 1}})
            QCOMPARE(control<QComboBox>(&dialog, name)->currentIndex(), index);

        // Space on the current row toggles it, as the mouse does.
        QTest::keyClick(ratings, Qt::Key_Space);
        QCOMPARE(ratings->topLevelItem(0)->checkState(0), Qt::Checked);
        QTest::keyClick(ratings, Qt::Key_Space);
        control<QComboBox>(&dialog, "Combo3_0")->setCurrentIndex(3);
        control<QComboBox>(&dialog, "Combo3_2")->setCurrentIndex(2);
        typed(control<QLineEdit>(&dialog, "Text2_0"), visited);
        typed(control<QLineEdit>(&dialog, "Text2_1"), amount);
        if (!button.isEmpty())
            click(&dialog, button);
        const bool cancelled = button == "cmdCancel";
        if (!cancelled)
            click(&dialog, "cmdFilter");

        QCOMPARE(dialog.isVisible(), !cancelled);
        QCOMPARE(applied.count(), cancelled ? 0 : 1);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(m_filter.ratingMask[size_t(i)], mask[i]);
        QCOMPARE(m_filter.ratingMask[5], true);
        QCOMPARE(m_filter.visitedCount, visitedCount);
        QCOMPARE(m_filter.accessedAmount, accessedAmount);
        QCOMPARE(m_filter.visitedMode, cancelled ? 1 : 3);
        QCOMPARE(m_filter.accessedUnit, cancelled ? 1 : 2);
        QCOMPARE(std::tuple(m_filter.addedMode, m_filter.addedAmount, m_filter.addedUnit),
                 std::tuple(3, 9, 2));
        QCOMPARE(m_filter.textMask, QString("*mask*"));
        if (!marked.isEmpty()) {
            auto *box = control<QLineEdit>(&dialog, marked);
            QCOMPARE(QApplication::focusWidget(), box);
            QCOMPARE(box->selectedText(), box->text());
            QCOMPARE(box->text(), QString::number(marked == "Text2_0" ? visitedCount : accessedAmount));
        }
    }

    // "Filter" twice: the latest values hold, and Cancel afterwards keeps them.
    void maskFilterTwice()
    {
        MaskFilterDialog dialog(m_filter, m_main.get());
        show(&dialog);
        for (const char *count : {"7", "8"}) {
            typed(control<QLineEdit>(&dialog, "Text2_0"), QString::fromLatin1(count));
            click(&dialog, "cmdFilter");
        }
        click(&dialog, "cmdCancel");
        QCOMPARE(m_filter.visitedCount, 8);
    }

    void move_data()
    {
        QTest::addColumn<int>("downs");  // arrow-key presses in the list
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("group");
        QTest::newRow("Accept untouched: first group") << 0 << false << int(QDialog::Accepted) << 0;
        QTest::newRow("third group by keys") << 2 << false << int(QDialog::Accepted) << 2;
        QTest::newRow("close box: nothing") << 1 << true << int(QDialog::Rejected) << 1;
    }

    void move()
    {
        QFETCH(bool, closeBox);
        QFETCH(int, result);
        QFETCH(int, group);
        QFETCH(int, downs);
        MoveDialog dialog(m_store.IDXList(), m_main.get());
        show(&dialog);
        auto *list = control<QComboBox>(&dialog, "Combo1");
        QCOMPARE(list->currentIndex(), 0);
        for (int i = 0; i < list->count(); ++i)
            QCOMPARE(list->itemData(i).toInt(), m_store.IDXList().at(i).number);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        if (closeBox)
            QVERIFY(dialog.close());
        else
            click(&dialog, "acceptCmd");
        QCOMPARE(dialog.result(), result);
        QCOMPARE(dialog.group(), group);
    }

    void moveWithoutGroups()
    {
        URLBlock empty;
        MoveDialog dialog(empty.IDXList(), m_main.get());
        QCOMPARE(dialog.group(), -1);
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
        bool onTopWhileOpen = true;
        bool modal = false;
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
