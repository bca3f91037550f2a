// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's "Preferences", "Help" and "About": the options applied at
// once or kept, help pages by context, programs found by name.

#include "MainWindowTestCase.h"

#include <QAbstractButton>
#include <QTabBar>
#include <QtTest>

using namespace MainWindowTest;

class TestPreferencesCommands : public MainWindowTestCase
{
    Q_OBJECT

    // The program's translations as main() installs them: English, with the
    // singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void init() { setUpWindow(); }
    void cleanup() { tearDownWindow(); }
    void preferencesApplyAtOnce_data();
    void preferencesApplyAtOnce();
    void preferencesKeepStoredChoices_data();
    void preferencesKeepStoredChoices();
    void helpPagesByContext_data();
    void helpPagesByContext();
    void programPathByName();
    void aboutBoxFromMenu();
};

void TestPreferencesCommands::preferencesApplyAtOnce_data()
{
    QTest::addColumn<bool>("activeIcon");  // the floating button is in use before
    QTest::addColumn<QStringList>("clicks");  // "tab N": the dialog's tab; "?": whether the main window is on top now
    QTest::addColumn<QString>("changed");    // settings that differ afterwards
    QTest::addColumn<QStringList>("trayCalls");
    QTest::addColumn<bool>("onlyOnline");  // hAI before, and the program online
    const auto row = [](const char *name, bool active, const QStringList &clicks, const char *changed,
                        const QStringList &calls = {}, bool onlyOnline = false) {
        QTest::newRow(name) << active << clicks << QString(changed) << calls << onlyOnline;
    };
    row("cancel changes nothing", false, {"chkMAOT", "Option1_2", "optMonitor_2", "chkRAC", "cmdCancel"}, "");
    row("session, browser and internet", false,
        {"tab 2", "chkALS", "chkASS", "chkALU", "chkASU", "chkRAC", "tab 1", "Option1_1", "optAF_2", "tab 3",
         "optMonitor_1", "cmdOK"},
        "aLS=0 aSS=0 aLU=0 aSU=0 pB=1 mT=1 oC=1 cAF=2");
    row("tabs laid out again", false, {"Option2_2", "cmdOK"}, "tP=2");
    row("main window on top at once", false, {"chkMAOT", "cmdApply", "?", "cmdCancel"}, "mAOT=1");
    row("floating button turned on by the tray", false, {"chkUAI", "cmdOK"}, "aI=1", {"toggle"});
    row("floating button turned off", true, {"chkUAI", "cmdOK"}, "aI=0", {"toggle"});
    row("tray icon given up", true, {"chkDTI", "chkIAOT", "cmdOK"}, "iAOT=0 dTI=1", {"trayIcon 1"});
    row("button only while online, now offline", true, {"chkHUC", "cmdOK"}, "hAI=1", {"button hidden"});
    row("button only while online, online: turned off at once", true, {"chkUAI", "cmdOK"}, "aI=0", {"toggle"},
        true);
    row("button only while online, online: turned on at once", false, {"chkUAI", "cmdOK"}, "aI=1",
        {"toggle"}, true);
}

// The dialog's settings reach the program's settings and the windows at
// once; the main window is not on top while the dialog is up.
void TestPreferencesCommands::preferencesApplyAtOnce()
{
    QFETCH(bool, activeIcon);
    QFETCH(QStringList, clicks);
    QFETCH(QString, changed);
    QFETCH(QStringList, trayCalls);
    QFETCH(bool, onlyOnline);
    RecordingTray tray;
    m_window = std::make_unique<MainWindow>(*m_state, m_prompter, &tray);
    m_window->load();
    m_window->show();
    AppSettings &settings = m_state->settings;
    settings.aI = activeIcon;
    settings.hAI = onlyOnline;
    m_state->isOnline = onlyOnline;
    // On top before, so that the dialog's taking it off shows; the row that
    // turns it on starts without.
    settings.mAOT = !clicks.contains("?");
    WindowHelpers::setTopmost(m_window.get(), settings.mAOT);
    connect(m_window.get(), &MainWindow::activeIconToggled, this, [&] {
        tray.calls << "toggle";
        settings.aI = !settings.aI;
    });
    connect(m_window.get(), &MainWindow::floatingButtonShown, this,
            [&](bool shown) { tray.calls << (shown ? "button shown" : "button hidden"); });
    QStringList expected = optionSettings(settings).split(' ');
    for (const QString &change : changed.split(' ', Qt::SkipEmptyParts))
        expected.replaceInStrings(QRegularExpression("^" + change.section('=', 0, 0) + "=.*"), change);

    QString during;
    whenModal([&](QWidget *dialog) {
        during = QString("%1 %2 %3").arg(dialog->objectName()).arg(m_state->dialogState)
                     .arg(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        for (const QString &name : clicks) {
            if (name == "?")
                during += QString(" top=%1").arg(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            else if (name.startsWith("tab "))
                dialog->findChild<QTabBar *>("tbsOptions")->setCurrentIndex(name.mid(4).toInt());
            else
                dialog->findChild<QAbstractButton *>(name)->click();
        }
    });
    m_window->menus()->mnuPreferences->trigger();
    QCOMPARE(during, clicks.contains("?") ? "frmOptions 1 0 top=1" : "frmOptions 1 0");
    QCOMPARE(optionSettings(settings), expected.join(' '));
    QCOMPARE(tray.calls, trayCalls);
    QCOMPARE(m_state->dialogState, 0);
    QCOMPARE(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), settings.mAOT);
    QCOMPARE(int(m_window->tabStrip()->shape()), settings.tP);  // RoundedNorth, South, West, East
}

void TestPreferencesCommands::preferencesKeepStoredChoices_data()
{
    QTest::addColumn<QString>("setting");  // pB, mT or uSK
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("click");    // a choice of the dialog; "" none
    QTest::addColumn<QString>("caption");  // the clicked choice's caption
    QTest::addColumn<int>("after");
    QTest::newRow("Default Browser is browser 0") << "pB" << 2 << "Option1_0" << "Default Browser" << 0;
    QTest::newRow("Firefox is browser 1") << "pB" << 0 << "Option1_1" << "Firefox" << 1;
    QTest::newRow("Opera is browser 2") << "pB" << 1 << "Option1_2" << "Opera" << 2;
    QTest::newRow("VPN and dial-up is mode 0")
        << "mT" << 2 << "optMonitor_0" << "Monitor VPN and Dial-up Connections" << 0;
    QTest::newRow("any network is mode 1") << "mT" << 0 << "optMonitor_1" << "Monitor Any Network Connection" << 1;
    QTest::newRow("always connected is mode 2") << "mT" << 1 << "optMonitor_2" << "Always Connected To Internet"
                                                << 2;
    QTest::newRow("keystrokes on: not shown, kept") << "uSK" << 1 << "" << "" << 1;
    QTest::newRow("keystrokes off: not shown, kept") << "uSK" << 0 << "" << "" << 0;
}

// Each choice of the dialog is stored as the number it always had: saved,
// loaded again, shown checked in the dialog, and saved after "OK".
void TestPreferencesCommands::preferencesKeepStoredChoices()
{
    QFETCH(QString, setting);
    QFETCH(int, before);
    QFETCH(QString, click);
    QFETCH(QString, caption);
    QFETCH(int, after);
    RecordingTray tray;
    m_window = std::make_unique<MainWindow>(*m_state, m_prompter, &tray);
    m_window->load();
    AppSettings &settings = m_state->settings;
    const auto get = [&] { return setting == "pB" ? settings.pB : setting == "mT" ? settings.mT : int(settings.uSK); };
    const auto set = [&](int v) {
        if (setting == "pB")
            settings.pB = v;
        else if (setting == "mT")
            settings.mT = v;
        else
            settings.uSK = v != 0;
    };
    set(before);
    m_window->menus()->mnuSaveSettings->trigger();
    set(before == 0 ? 1 : 0);
    m_window->menus()->mnuLoadSettings->trigger();
    QCOMPARE(get(), before);

    QStringList shown;
    whenModal([&](QWidget *dialog) {
        const QString checked = setting == "pB" ? "Option1_%1" : "optMonitor_%1";
        if (setting != "uSK")
            shown << QString("%1 checked").arg(dialog->findChild<QAbstractButton *>(checked.arg(before))->isChecked());
        for (const auto *button : dialog->findChildren<QAbstractButton *>())
            if (button->text().contains("IE3") || button->objectName() == "Check2")
                shown << "IE3 shown";
        if (!click.isEmpty()) {
            dialog->findChild<QTabBar *>("tbsOptions")->setCurrentIndex(setting == "pB" ? 1 : 3);
            auto *choice = dialog->findChild<QAbstractButton *>(click);
            shown << choice->text();
            choice->click();
        }
        dialog->findChild<QAbstractButton *>("cmdOK")->click();
    });
    m_window->menus()->mnuPreferences->trigger();
    QStringList expected {caption};
    if (setting != "uSK")
        expected.prepend("1 checked");
    expected.removeAll("");
    QCOMPARE(shown, expected);
    QCOMPARE(get(), after);
    m_window->menus()->mnuSaveSettings->trigger();
    set(after == 0 ? 1 : 0);
    m_window->menus()->mnuLoadSettings->trigger();
    QCOMPARE(get(), after);
}

void TestPreferencesCommands::helpPagesByContext_data()
{
    QTest::addColumn<int>("context");  // -1: the Help menu; -2: the options dialog's Help on its third tab
    QTest::addColumn<QString>("page");
    QTest::newRow("General") << 1010 << "general.html";
    QTest::newRow("Browser") << 1020 << "browser.html";
    QTest::newRow("Session") << 1030 << "session.html";
    QTest::newRow("Internet") << 1040 << "internet.html";
    QTest::newRow("no page of its own") << 1015 << "index.html";
    QTest::newRow("Help menu") << -1 << "index.html";
    QTest::newRow("options dialog") << -2 << "session.html";
}

// Help pages open in the browser as file addresses of the shipped pages.
void TestPreferencesCommands::helpPagesByContext()
{
    QFETCH(int, context);
    QFETCH(QString, page);
    MainWindow *window = openWindow();
    RecordingOpener opener;
    window->setUrlOpener(&opener);
    if (context == -1) {
        window->menus()->mnuHelp->trigger();
    } else if (context == -2) {
        whenModal([](QWidget *dialog) {
            dialog->findChild<QTabBar *>("tbsOptions")->setCurrentIndex(2);
            dialog->findChild<QAbstractButton *>("cmdHelp")->click();
            dialog->findChild<QAbstractButton *>("cmdCancel")->click();
        });
        window->menus()->mnuPreferences->trigger();
    } else {
        QVERIFY(QMetaObject::invokeMethod(window, "out_ShowHelpID", Q_ARG(int, context), Q_ARG(int, 0)));
    }
    const QString path = m_state->appFolder + "/help/" + page;
    QCOMPARE(opener.opened, QStringList {QUrl::fromLocalFile(path).toString()});
    QVERIFY(TestEnvironment::readFile(path).contains("<html"));
}

void TestPreferencesCommands::programPathByName()
{
    MainWindow *window = openWindow();
    QVERIFY(AppPaths::fillAppPaths("/opt/tessaly/bin/tessaly"));
    for (const auto &[exeName, path] : {std::pair {"TESSALY.EXE", "/opt/tessaly/bin/tessaly"}, {"NOPE.EXE", ""}}) {
        QString found = "unchanged";
        QVERIFY(QMetaObject::invokeMethod(window, "gcfg_findCurrentVersion", Q_RETURN_ARG(QString, found),
                                          Q_ARG(QString, exeName), Q_ARG(QString, "")));
        QCOMPARE(found, QString(path));
    }
}

// "About": the library's box, centred on the screen, while dialogState is 1.
void TestPreferencesCommands::aboutBoxFromMenu()
{
    MainWindow *window = openWindow();
    QString during;
    QPoint centre;
    whenModal([&](QWidget *box) {
        during = QString("%1 %2").arg(box->objectName()).arg(m_state->dialogState);
        centre = box->frameGeometry().center();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    window->menus()->mnuAbout->trigger();
    QCOMPARE(during, "frmAbout 1");
    QVERIFY((centre - QGuiApplication::primaryScreen()->geometry().center()).manhattanLength() <= 2);
    QCOMPARE(m_state->dialogState, 0);
}

QTEST_MAIN(TestPreferencesCommands)
#include "TestPreferencesCommands.moc"
