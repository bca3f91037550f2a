// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Checking addresses against a server of the test's own on the loopback
// addresses: each answer's result, the limits on requests at once, cancel,
// and the "Check Links" window's repairs of the store.

#include "AppState.h"
#include "LinkCheckResult.h"
#include "LinkChecker.h"
#include "LinkCheckCommands.h"
#include "LinkTestServer.h"
#include "MainMenus.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "MainWindow.h"
#include "ModalWindows.h"
#include "ProgramTranslations.h"
#include "ScriptedPrompter.h"
#include "TestEnvironment.h"
#include "URLBlock.h"
#include "UndoCommands.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <map>
#include <memory>

using Outcome = LinkCheckResult::Outcome;

namespace {

constexpr int timeoutMs = 800;
// How long a test waits for the loopback server and the checker: long, for
// a machine loaded with other work (a wait ends as soon as it is over).
constexpr int networkWait = 30000;

LinkChecker::Limits testLimits()
{
    LinkChecker::Limits limits;
    limits.timeoutMs = timeoutMs;
    return limits;
}

// Checks the addresses and waits for the end; the results by index.
std::map<int, LinkCheckResult> checkAll(LinkChecker &checker, const QStringList &addresses)
{
    std::map<int, LinkCheckResult> results;
    const QObject receiver;  // ends the connection with the call
    QObject::connect(&checker, &LinkChecker::checked, &receiver,
                     [&results](int index, const LinkCheckResult &result) { results[index] = result; });
    QSignalSpy finished(&checker, &LinkChecker::finished);
    checker.check(addresses);
    if (!finished.wait(20000))
        qWarning("the check did not end");
    return results;
}

}  // namespace

class TestLinkChecker : public QObject
{
    Q_OBJECT

    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void cleanup() { m_window.reset(); }

    void results_data()
    {
        QTest::addColumn<QString>("address");  // a path on the test server, or a whole address
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("detail");  // the new path when moved, else a part of the reason
        QTest::addColumn<int>("hops");
        QTest::newRow("200") << "/ok" << "ok" << "" << 0;
        QTest::newRow("301 to a page") << "/301/ok" << "moved" << "/ok" << 1;
        QTest::newRow("308 to a page") << "/308/ok" << "moved" << "/ok" << 1;
        QTest::newRow("302 keeps the address") << "/302/ok" << "ok" << "" << 1;
        QTest::newRow("307 keeps the address") << "/307/ok" << "ok" << "" << 1;
        QTest::newRow("301 then 302: moved to where the 302 answers") << "/301/302/ok" << "moved" << "/302/ok" << 2;
        QTest::newRow("302 then 301: a temporary way stays") << "/302/301/ok" << "ok" << "" << 2;
        QTest::newRow("two 301s: moved to the last") << "/301/308/page/x" << "moved" << "/page/x" << 2;
        QTest::newRow("404") << "/404" << "gone" << "404" << 0;
        QTest::newRow("410") << "/410" << "gone" << "410" << 0;
        QTest::newRow("301 to a gone page") << "/301/410" << "gone" << "410" << 1;
        QTest::newRow("403 is an error") << "/403" << "error" << "403" << 0;
        QTest::newRow("500 is an error") << "/500" << "error" << "500" << 0;
        QTest::newRow("HEAD refused with 405, GET answers") << "/nohead" << "ok" << "" << 0;
        QTest::newRow("HEAD refused with 501, GET answers") << "/nohead501" << "ok" << "" << 0;
        QTest::newRow("slow within the time-out") << "/slow/100" << "ok" << "" << 0;
        QTest::newRow("slow beyond the time-out") << "/slow/5000" << "timeout" << "within 0.8 s" << 0;
        QTest::newRow("never answering") << "/never" << "timeout" << "within 0.8 s" << 0;
        QTest::newRow("answering byte by byte") << "/drip" << "timeout" << "within 0.8 s" << 0;
        QTest::newRow("redirect loop") << "/loop/a" << "error" << "loop" << 2;
        QTest::newRow("10 redirects followed") << "/hops/10" << "moved" << "/hops/0" << 10;
        QTest::newRow("11 redirects are too many") << "/hops/11" << "error" << "more than 10" << 11;
        QTest::newRow("redirect to ftp") << "/away" << "error" << "ftp://" << 1;
        QTest::newRow("refused port") << QStringLiteral("http://127.0.0.1:%1/").arg(LinkTestServer::refusedPort())
                                      << "error" << "refused" << 0;
        QTest::newRow("ftp not checked") << "ftp://127.0.0.1/x" << "not-checked" << "" << 0;
        QTest::newRow("mailto not checked") << "mailto:a@example.org" << "not-checked" << "" << 0;
        QTest::newRow("file not checked") << "file:///etc/hostname" << "not-checked" << "" << 0;
        QTest::newRow("no host") << "http://" << "error" << "not a valid" << 0;
    }

    void results()
    {
        QFETCH(QString, address);
        QFETCH(QString, outcome);
        QFETCH(QString, detail);
        QFETCH(int, hops);
        LinkTestServer server;
        const QString asked = address.startsWith(u'/') ? server.url(address) : address;
        LinkChecker checker;
        checker.setLimits(testLimits());
        QElapsedTimer clock;
        clock.start();
        const auto results = checkAll(checker, {asked});
        QCOMPARE(results.size(), size_t(1));
        const LinkCheckResult &result = results.at(0);
        QCOMPARE(result.address, asked);
        QCOMPARE(LinkCheckResult::outcomeName(result.outcome), outcome);
        QCOMPARE(result.hops.size(), hops);
        if (result.outcome == Outcome::Moved)
            QCOMPARE(result.newAddress, server.url(detail));
        else
            QVERIFY2(result.reason.contains(detail), qPrintable(result.reason));
        // A time-out is the whole answer's deadline, not a pause between bytes.
        QVERIFY(clock.elapsed() < timeoutMs * 3);
        // The requests carry our name and nothing of an earlier answer.
        for (const LinkTestServer::Request &request : server.requests())
            QCOMPARE(request.userAgent, QByteArray("Tessaly/" TESSALY_VERSION " (link check)"));
    }

    // HEAD first; GET only when HEAD is refused; cookies neither sent nor kept.
    void requestsMade()
    {
        LinkTestServer server;
        LinkChecker checker;
        checker.setLimits(testLimits());
        checkAll(checker, {server.url("/nohead"), server.url("/ok"), server.url("/cookie/ok")});
        checkAll(checker, {server.url("/ok")});
        QStringList made;
        for (const LinkTestServer::Request &request : server.requests()) {
            made << QString::fromLatin1(request.method + ' ' + request.path);
            QVERIFY(!request.cookie);
        }
        made.sort();
        QCOMPARE(made, QStringList({"GET /nohead", "HEAD /cookie/ok", "HEAD /nohead", "HEAD /ok", "HEAD /ok",
                                    "HEAD /ok"}));
    }

    void limits_data()
    {
        QTest::addColumn<int>("hosts");
        QTest::addColumn<int>("perHost");
        QTest::addColumn<int>("total");
        QTest::newRow("8 at once over 5 hosts, 2 on each") << 5 << 2 << 8;
        QTest::newRow("one host: 2 at once") << 1 << 2 << 2;
    }

    // The server sees no more requests at once than the limits allow, and as many.
    void limits()
    {
        QFETCH(int, hosts);
        QFETCH(int, perHost);
        QFETCH(int, total);
        LinkTestServer server(hosts);
        QStringList addresses;
        // Host by host: the checks of the first host wait while the others go on.
        for (int host = 0; host < hosts; ++host) {
            for (int i = 0; i < 6; ++i)
                addresses << server.url(QStringLiteral("/slow/150?%1").arg(i), host);
        }
        LinkChecker checker;
        checker.setLimits(testLimits());
        const auto results = checkAll(checker, addresses);
        QCOMPARE(int(results.size()), int(addresses.size()));
        for (const auto &[index, result] : results)
            QCOMPARE(result.outcome, Outcome::Ok);
        QCOMPARE(server.maxOpenOnOneHost(), perHost);
        QCOMPARE(server.maxOpen(), total);
    }

    // Cancel stops every request at once: no result after it, the connections closed.
    void cancel()
    {
        LinkTestServer server;
        QStringList addresses {server.url("/ok")};
        for (int i = 0; i < 4; ++i)
            addresses << server.url(QStringLiteral("/never?%1").arg(i));
        LinkChecker checker;
        LinkChecker::Limits limits = testLimits();
        limits.timeoutMs = 60000;
        checker.setLimits(limits);
        QSignalSpy checked(&checker, &LinkChecker::checked);
        QSignalSpy finished(&checker, &LinkChecker::finished);
        checker.check(addresses);
        QTRY_COMPARE_WITH_TIMEOUT(checked.count(), 1, networkWait);
        QTRY_COMPARE_WITH_TIMEOUT(server.open(), 2, networkWait);  // the others wait for the host
        checker.cancel();
        QCOMPARE(finished.count(), 1);
        QVERIFY(!checker.isRunning());
        QVERIFY(checker.wasCancelled());
        QTRY_COMPARE_WITH_TIMEOUT(server.open(), 0, networkWait);
        QTest::qWait(200);
        QCOMPARE(checked.count(), 1);
        QCOMPARE(finished.count(), 1);
        // The checker can check again.
        const auto results = checkAll(checker, {server.url("/404")});
        QCOMPARE(results.at(0).outcome, Outcome::Gone);
        QVERIFY(!checker.wasCancelled());
    }

    void window_data()
    {
        QTest::addColumn<QString>("command");     // the menu command that opens the window
        QTest::addColumn<Qt::Key>("button");      // its access key, pressed when the check has ended
        QTest::addColumn<Prompter::Answer>("answer");
        QTest::addColumn<QStringList>("after");   // the store's entries as "title address-path"
        QTest::addColumn<int>("changes");
        const QStringList untouched {"Fine /ok", "Moved /301/ok", "Gone /404", "Gone too /410",
                                     "Local file:///tmp/x", "Elsewhere /ok"};
        QTest::newRow("Remove Gone") << "mnuCheckGroupLinks" << Qt::Key_G << Prompter::Answer::Yes
                                     << QStringList {"Fine /ok", "Moved /301/ok", "Local file:///tmp/x",
                                                     "Elsewhere /ok"}
                                     << 1;
        QTest::newRow("Update Moved") << "mnuCheckGroupLinks" << Qt::Key_U << Prompter::Answer::Yes
                                      << QStringList {"Fine /ok", "Moved /ok", "Gone /404", "Gone too /410",
                                                      "Local file:///tmp/x", "Elsewhere /ok"}
                                      << 1;
        QTest::newRow("Remove Gone declined") << "mnuCheckGroupLinks" << Qt::Key_G << Prompter::Answer::No
                                              << untouched << 0;
        QTest::newRow("the selection: Remove Gone") << "mnuCheckLinks" << Qt::Key_G << Prompter::Answer::Yes
                                                    << QStringList {"Fine /ok", "Moved /301/ok", "Gone too /410",
                                                                    "Local file:///tmp/x", "Elsewhere /ok"}
                                                    << 1;
        QTest::newRow("the group list's pop-up: Update Moved")
            << "mnuIPopCheckLinks" << Qt::Key_U << Prompter::Answer::Yes
            << QStringList {"Fine /ok", "Moved /ok", "Gone /404", "Gone too /410", "Local file:///tmp/x",
                            "Elsewhere /ok"}
            << 1;
    }

    // The window on a group or the selection, used with the keyboard only.
    void window()
    {
        QFETCH(QString, command);
        QFETCH(Qt::Key, button);
        QFETCH(Prompter::Answer, answer);
        QFETCH(QStringList, after);
        QFETCH(int, changes);
        LinkTestServer server;
        openWindow(server);
        m_prompter.answers = {answer};
        QStringList shown;
        QString progress;
        ModalWindows::whenDialog([&](QDialog *dialog) {
            auto *tree = dialog->findChild<QTreeWidget *>(QStringLiteral("twResults"));
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->isEnabled(),
                                     networkWait);
            progress = dialog->findChild<QLabel *>(QStringLiteral("lblProgress"))->text();
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                shown << tree->topLevelItem(i)->text(0) + ": " + tree->topLevelItem(i)->text(2);
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QTest::keyClick(dialog, button, Qt::AltModifier);
            QTRY_VERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("cmdRemoveGone"))->isDown()
                        && !dialog->findChild<QPushButton *>(QStringLiteral("cmdUpdateMoved"))->isDown());
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        if (command == "mnuCheckLinks") {
            // The second and third rows selected, as Shift+Down leaves them.
            QTest::keyClick(m_window->activeList(), Qt::Key_Down);
            QTest::keyClick(m_window->activeList(), Qt::Key_Down);
            QTest::keyClick(m_window->activeList(), Qt::Key_Down, Qt::ShiftModifier);
        }
        m_window->findChild<QAction *>(command)->trigger();
        if (command == "mnuCheckLinks") {
            QCOMPARE(shown, QStringList({"Moved: moved", "Gone: gone"}));
            QCOMPARE(progress, "Checked 2 of 2 links");
        } else {
            QCOMPARE(shown, QStringList({"Fine: ok", "Moved: moved", "Gone: gone", "Gone too: gone",
                                         "Local: not checked"}));
            QCOMPARE(progress, "Checked 5 of 5 links");
        }
        QStringList entries;
        for (const URLData &entry : m_state->store.urlDatas())
            entries << entry.Name + ' ' + QString(entry.url).remove(server.url(QString()));
        QCOMPARE(entries, after);
        // The list shows the group News as the store now holds it.
        QStringList listed;
        const EntryListModel *model = m_window->activeModel();
        for (int row = 0; row < model->rowCount(); ++row)
            listed << model->index(row, 0).data().toString() + ' '
                    + model->index(row, 1).data().toString().remove(server.url(QString()));
        QCOMPARE(listed, after.filter(QRegularExpression("^(?!Elsewhere)")));
        QCOMPARE(m_state->store.changeCount(), changes);
        QCOMPARE(m_prompter.asked.size(), 1);
        QCOMPARE(m_state->dialogState, int(AppState::NoDialog));
        // The repair is one step of the history, undone as a whole.
        auto *undo = m_window->findChild<UndoCommands *>();
        QVERIFY(undo);
        QCOMPARE(undo->undoAction()->isEnabled(), changes > 0);
        if (changes > 0) {
            undo->undoAction()->trigger();
            entries.clear();
            for (const URLData &entry : m_state->store.urlDatas())
                entries << entry.Name + ' ' + QString(entry.url).remove(server.url(QString()));
            const QStringList untouched {"Fine /ok", "Moved /301/ok", "Gone /404", "Gone too /410",
                                         "Local file:///tmp/x", "Elsewhere /ok"};
            QCOMPARE(entries, untouched);
            QCOMPARE(m_state->store.changeCount(), 0);
        }
    }

    // Cancel in the window (Alt+C): the requests end at once, the rows not
    // checked say so, and the store is as it was.
    void windowCancel()
    {
        LinkTestServer server;
        openWindow(server, "/never");
        m_window->findChild<LinkCheckCommands *>(QStringLiteral("linkCheckCommands"))->setLimits({});
        m_window->selectGroupItem(1);
        QStringList shown;
        QString progress;
        ModalWindows::whenDialog([&](QDialog *dialog) {
            auto *label = dialog->findChild<QLabel *>(QStringLiteral("lblProgress"));
            QTRY_COMPARE_WITH_TIMEOUT(label->text(), "Checked 1 of 2 links", networkWait);
            QTRY_COMPARE_WITH_TIMEOUT(server.open(), 1, networkWait);
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QTest::keyClick(dialog, Qt::Key_C, Qt::AltModifier);
            QTRY_COMPARE_WITH_TIMEOUT(server.open(), 0, networkWait);
            progress = label->text();
            auto *tree = dialog->findChild<QTreeWidget *>(QStringLiteral("twResults"));
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                shown << tree->topLevelItem(i)->text(0) + ": " + tree->topLevelItem(i)->text(2);
            QVERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->isEnabled());
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        m_window->menus()->mnuCheckGroupLinks->trigger();
        QCOMPARE(progress, "Checked 1 of 2 links (cancelled)");
        QCOMPARE(shown, QStringList({"Elsewhere: ok", "Silent: cancelled"}));
        QCOMPARE(m_state->store.urlDatas().Count(), 7);
        QCOMPARE(m_state->store.changeCount(), 0);
        QCOMPARE(m_state->dialogState, int(AppState::NoDialog));
    }

private:
    // The group News with five entries (the last not a web address), and
    // Other with one that the group's check leaves out (and one more, at the
    // path given).
    void openWindow(const LinkTestServer &server, const char *alsoInOther = nullptr)
    {
        using TestEnvironment::entryLine;
        m_config = std::make_unique<TestEnvironment::ConfigFolder>();
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath("data")));
        m_state = std::make_unique<AppState>();
        m_state->appFolder = QCoreApplication::applicationDirPath();
        m_state->stackBase = m_dir->filePath("Pemberly");
        m_prompter = ScriptedPrompter();
        const auto line = [&](const char *path, const char *title) -> QByteArray {
            const QByteArray url = QByteArray(path).contains(':') ? QByteArray(path) : server.url(path).toUtf8();
            return entryLine({url, title, "0", "B12800000", "0", "0", "0"}) + "\r\n";
        };
        TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"),
                                   "+News\r\n" + line("/ok", "Fine") + line("/301/ok", "Moved") + line("/404", "Gone")
                                       + line("/410", "Gone too") + line("file:///tmp/x", "Local") + "+Other\r\n"
                                       + line("/ok", "Elsewhere")
                                       + (alsoInOther ? line(alsoInOther, "Silent") : QByteArray()));
        m_window = std::make_unique<MainWindow>(*m_state, m_prompter, nullptr);
        m_window->load();
        m_window->show();
        QCOMPARE(m_state->store.urlDatas().Count(), alsoInOther ? 7 : 6);
        m_window->findChild<LinkCheckCommands *>(QStringLiteral("linkCheckCommands"))->setLimits(testLimits());
        m_window->selectGroupItem(0);
    }

    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    ScriptedPrompter m_prompter;
    std::unique_ptr<MainWindow> m_window;
};

QTEST_MAIN(TestLinkChecker)
#include "TestLinkChecker.moc"
