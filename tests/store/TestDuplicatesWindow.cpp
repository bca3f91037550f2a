// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The "Duplicates" window: the sets shown, the entry kept in each, and the
// merge after the user's confirmation, through the real main window.

#include "AppState.h"
#include "EntryListModel.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "ModalWindows.h"
#include "mainwindow/OpenerWindowFixture.h"
#include "ProgramTranslations.h"
#include "ScriptedPrompter.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>
#include <memory>

using TestEnvironment::entryLine;

namespace {

// News: Alpha, Beta; Tech: their copies. Alpha was created before its copy,
// Beta after its copy.
const QByteArray windowStack = "+News\r\n"
    + entryLine({"http://a.example/", "Alpha", "B1340927C", "B12800000", "3", "0", "2"}) + "\r\n"
    + entryLine({"http://b.example/", "Beta", "0", "B12800000", "1", "0", "0"}) + "\r\n"
    + "+Tech\r\n"
    + entryLine({"https://www.a.example", "Alpha copy", "0", "B12A00000", "4", "0", "4"}) + "\r\n"
    + entryLine({"http://b.example/#x", "Beta copy", "B1360927C", "B10B00000", "2", "0", "1"}) + "\r\n";

// The window's sets as "Alpha* Alpha copy | Beta Beta copy*" (* the entry kept).
QString shownSets(const QTreeWidget *tree)
{
    QStringList sets;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QStringList titles;
        for (int k = 0; k < tree->topLevelItem(i)->childCount(); ++k) {
            const QTreeWidgetItem *item = tree->topLevelItem(i)->child(k);
            titles << item->text(0) + (item->checkState(0) == Qt::Checked ? "*" : "");
        }
        sets << titles.join(' ');
    }
    return sets.join(QStringLiteral(" | "));
}

// The store's entries as "title:group:visits:rating".
QStringList entriesOf(const URLBlock &store)
{
    QStringList entries;
    for (const URLData &e : store.urlDatas())
        entries << QStringLiteral("%1:%2:%3:%4").arg(e.Name).arg(e.Owner).arg(e.Visited).arg(e.Rated);
    return entries;
}

}  // namespace

class TestDuplicatesWindow : public QObject, protected OpenerWindowFixture
{
    Q_OBJECT

    // The program's translations as main() installs them: English, with the
    // singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void cleanup() { tearDownWindow(); }

    void window_data()
    {
        QTest::addColumn<QList<int>>("keys");  // pressed in the window, then Alt+M; 0: Escape
        QTest::addColumn<Prompter::Answer>("answer");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("changes");
        const QStringList untouched {"Alpha:0:3:2", "Beta:0:1:0", "Alpha copy:1:4:4", "Beta copy:1:2:1"};
        QTest::newRow("merged keeping the earliest created")
            << QList<int> {} << Prompter::Answer::Yes << QStringList {"Alpha:0:7:4", "Beta copy:1:3:1"} << 1;
        QTest::newRow("another entry kept with Space")
            << QList<int> {Qt::Key_Down, Qt::Key_Space} << Prompter::Answer::Yes
            << QStringList {"Alpha copy:1:7:4", "Beta copy:1:3:1"} << 1;
        QTest::newRow("Keep This on the first entry of the second set")
            << QList<int> {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, (Qt::ALT | Qt::Key_K).toCombined()}
            << Prompter::Answer::Yes << QStringList {"Alpha:0:7:4", "Beta:0:3:1"} << 1;
        QTest::newRow("the kept entry cannot be unchecked")
            << QList<int> {Qt::Key_Space} << Prompter::Answer::Yes
            << QStringList {"Alpha:0:7:4", "Beta copy:1:3:1"} << 1;
        QTest::newRow("confirmation declined: nothing changes") << QList<int> {} << Prompter::Answer::No
                                                                << untouched << 0;
        QTest::newRow("closed with Escape: nothing asked") << QList<int> {0} << Prompter::Answer::Yes
                                                           << untouched << 0;
    }

    // The window from the URLs menu, used with the keyboard only.
    void window()
    {
        QFETCH(QList<int>, keys);
        QFETCH(Prompter::Answer, answer);
        QFETCH(QStringList, after);
        QFETCH(int, changes);
        openWindow();
        m_prompter.answers = {answer};
        QString shown;
        ModalWindows::whenDialog([&](QDialog *dialog) {
            auto *tree = dialog->findChild<QTreeWidget *>(QStringLiteral("twSets"));
            shown = shownSets(tree);
            // Access keys reach the buttons of the active window.
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            // An access key presses its button for a moment, and clicks it when it comes up.
            const auto accessKey = [dialog](Qt::Key key) {
                QTest::keyClick(dialog, key, Qt::AltModifier);
                const QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>();
                QTRY_VERIFY(std::none_of(buttons.begin(), buttons.end(), [](QPushButton *b) { return b->isDown(); }));
            };
            for (int key : keys) {
                if (key == 0)
                    QTest::keyClick(dialog, Qt::Key_Escape);
                else if (key & Qt::KeyboardModifierMask)
                    accessKey(Qt::Key(key & ~Qt::KeyboardModifierMask));
                else
                    QTest::keyClick(tree, Qt::Key(key));
            }
            if (!keys.contains(0))
                accessKey(Qt::Key_M);
            if (dialog->isVisible())  // the merge was declined
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        m_window->menus()->mnuDuplicates->trigger();
        QCOMPARE(shown, QStringLiteral("Alpha* Alpha copy | Beta Beta copy*"));
        QCOMPARE(entriesOf(m_state->store), after);
        // The list shows what is left of its group.
        const int group = m_window->getCurrentIDX();
        const URLDatas &entries = m_state->store.urlDatas();
        const auto inGroup = [group](const URLData &entry) { return entry.Owner == group; };
        const int left = int(std::count_if(entries.begin(), entries.end(), inGroup));
        QCOMPARE(m_window->activeModel()->rowCount(), left);
        QCOMPARE(m_state->store.changeCount(), changes);
        const QStringList question {"message|Duplicates|Merge the duplicates? 2 entries will be removed."};
        QCOMPARE(m_prompter.asked, keys.contains(0) ? QStringList() : question);
        QCOMPARE(m_state->dialogState, int(AppState::NoDialog));
    }

private:
    void openWindow()
    {
        setUpWindow(windowStack);
        m_window = std::make_unique<MainWindow>(*m_state, m_prompter, nullptr);
        m_window->load();
        m_window->show();
        QCOMPARE(m_state->store.urlDatas().Count(), 4);
    }
};

QTEST_MAIN(TestDuplicatesWindow)
#include "TestDuplicatesWindow.moc"
