// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AccessChecks.h"
#include "ComponentRegistry.h"
#include "ShellHelpers.h"
#include "TestEnvironment.h"
#include "library/Translators.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QtTest>
#include <functional>
#include <memory>

using Object = std::unique_ptr<QObject>;

namespace {

// The host window as the program has it: the settings object's event
// handler and the procedures the library calls by name.
class OptionsHost : public QWidget
{
    Q_OBJECT

public:
    QString programPath;
    QObject *gcfg = nullptr;
    QList<bool> visibleAtApply;  // whether the dialog was shown as each ApplyCurrent arrived
    QList<int> helpContexts;

    Q_INVOKABLE QString gcfg_findCurrentVersion(const QString &, const QString &) { return programPath; }
    Q_INVOKABLE void out_ShowHelpID(int contextId, int) { helpContexts << contextId; }

public slots:
    void gcfg_ApplyCurrent()
    {
        const QWidget *dialog = QApplication::activeModalWidget();
        visibleAtApply << (dialog && dialog->isVisible());
    }
};

// "<name> on|off[ disabled]": the check mark of a button and whether it
// can be changed while its page is shown.
QString buttonState(const QWidget *dialog, const QString &name)
{
    const auto *button = dialog->findChild<QAbstractButton *>(name);
    if (!button)
        return name + " missing";
    const QWidget *page = button;
    while (page->parentWidget() && !page->objectName().startsWith("picOptions_"))
        page = page->parentWidget();
    return name + (button->isChecked() ? " on" : " off") + (button->isEnabledTo(page) ? "" : " disabled");
}

// An Exec value read back as the desktop reads it: the string escapes
// undone, then the one quoted argument unquoted.
QString execProgram(QString value)
{
    value.replace("\\\\", "\x01").replace("\\n", "\n").replace("\\t", "\t").replace("\\r", "\r");
    value.replace("\x01", "\\");
    if (!value.startsWith('"') || !value.endsWith('"'))
        return "not quoted: " + value;
    // Inside the quotes ", `, $ and \ stand only escaped, and % only doubled.
    const QString quoted = value.mid(1, value.size() - 2);
    QString program;
    for (qsizetype i = 0; i < quoted.size(); ++i) {
        const QChar c = quoted[i];
        const QChar next = i + 1 < quoted.size() ? quoted[i + 1] : QChar();
        if (c == '\\' && QString("\"`$\\").contains(next))
            program += quoted[++i];
        else if (c == '%' && next == '%')
            program += quoted[++i];
        else if (QString("\"`$\\%").contains(c))
            return QString("unescaped %1 in %2").arg(c).arg(value);
        else
            program += c;
    }
    return program;
}

}  // namespace

// The library's windows, created by program identifier and driven through
// their controls' names, as the user and the host drive them.
class TestPemberlyWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
    QStringList m_mismatches;  // "expect" steps that found another state
    QStringList m_steps;       // steps not yet run in the open dialog

    QString startupFile(const QString &name = "org.orvane.Tessaly") const
    {
        return m_config->path() + "/autostart/" + name + ".desktop";
    }

    Object create(const QString &progId)
    {
        QString error;
        Object object(ComponentRegistry::createObject(progId, nullptr, &error));
        if (!object)
            qWarning("%s", qPrintable(error));
        return object;
    }

    // One step in the open dialog: "click NAME", "tab N", "ctrl+tab", "key
    // KEYS" (as QKeySequence reads them) or "expect NAME STATE" (see
    // buttonState; "expect tab N" for the tab shown, "expect named" for
    // accessible names on every control shown, "expect access keys" for the
    // tabs' access keys, "expect frame TITLE" for a frame and "expect no
    // TEXT" for no text of the dialog holding TEXT; the choices' captions
    // are checked with their stored values in TestPreferencesCommands).
    void perform(QWidget *dialog, const QString &step)
    {
        const QString argument = step.section(' ', 1);
        if (step.startsWith("click "))
            dialog->findChild<QAbstractButton *>(argument)->click();
        else if (step.startsWith("tab "))
            dialog->findChild<QTabBar *>("tbsOptions")->setCurrentIndex(argument.toInt());
        else if (step == "ctrl+tab")
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Tab,
                            Qt::ControlModifier);
        else if (step.startsWith("key "))
            QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : dialog,
                               QKeySequence(argument));
        else if (step.startsWith("expect tab "))
            checkTab(dialog, step.section(' ', 2).toInt());
        else if (step == "expect named")
            m_mismatches << AccessChecks::unnamedControls(dialog);
        else if (step == "expect access keys")
            m_mismatches << AccessChecks::accessKeyFaults(tabTexts(dialog), "tabs");
        else if (step.startsWith("expect frame "))
            m_mismatches << (dialogTexts(dialog).contains(step.section(' ', 2)) ? QStringList()
                                                                                : QStringList {"no " + argument});
        else if (step.startsWith("expect no "))
            m_mismatches << dialogTexts(dialog).filter(step.section(' ', 2));
        else if (step.startsWith("expect ") && buttonState(dialog, argument.section(' ', 0, 0)) != argument)
            m_mismatches << buttonState(dialog, argument.section(' ', 0, 0)) + " (expected " + argument + ")";
    }

    // Every text the dialog can show: captions, frame titles, labels, tips
    // and tabs, on any page.
    static QStringList dialogTexts(QWidget *dialog)
    {
        QStringList texts = tabTexts(dialog);
        for (const QWidget *widget : dialog->findChildren<QWidget *>()) {
            if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
                texts << button->text();
            else if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
                texts << frame->title();
            else if (const auto *label = qobject_cast<const QLabel *>(widget))
                texts << label->text();
            texts << widget->toolTip();
        }
        texts.removeAll(QString());
        return texts;
    }

    static QStringList tabTexts(QWidget *dialog)
    {
        const QTabBar *tabs = dialog->findChild<QTabBar *>("tbsOptions");
        QStringList texts;
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
        return texts;
    }

    void checkTab(QWidget *dialog, int tab)
    {
        const int shown = dialog->findChild<QTabBar *>("tbsOptions")->currentIndex();
        for (int i = 0; i < 4; ++i) {
            const QWidget *page = dialog->findChild<QWidget *>(QString("picOptions_%1").arg(i));
            if (i == shown ? !page->isVisible() || !page->isEnabled() : page->isEnabled())
                m_mismatches << QString("page %1 shown or enabled with tab %2").arg(i).arg(shown);
        }
        if (shown != tab)
            m_mismatches << QString("tab %1 (expected %2)").arg(shown).arg(tab);
    }

    // Runs the steps one at a time in whatever modal dialog is up (the same
    // dialog shown again counts), each once the dialog is visible.
    void drive(const QStringList &steps)
    {
        m_steps = steps;
        QTimer::singleShot(0, this, &TestPemberlyWindows::nextStep);
    }

    void nextStep()
    {
        if (m_steps.isEmpty())
            return;
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog && dialog->isVisible())
            perform(dialog, m_steps.takeFirst());
        if (!m_steps.isEmpty())
            QTimer::singleShot(0, this, &TestPemberlyWindows::nextStep);
    }

    // Every step ran in the dialog while it was up.
    void checkSteps()
    {
        QVERIFY2(m_steps.isEmpty(), qPrintable("not run: " + m_steps.join("; ")));
        QVERIFY2(m_mismatches.isEmpty(), qPrintable(m_mismatches.join("; ")));
    }

private slots:
    // On a German desktop (CTest checks the dialog's size once more in
    // German) the windows get their German texts, as the program gives them.
    void initTestCase()
    {
        if (QLocale::system().language() == QLocale::German)
            QCOMPARE(Translators::installForSystemLocale(this), QString());
    }

    void init()
    {
        m_config = std::make_unique<TestEnvironment::ConfigFolder>();
        m_mismatches.clear();
        m_steps.clear();
    }

    // Only the shown page's controls can be changed: a click on "Auto Load
    // Settings" from the first tab does nothing.
    void optionsDialog_data()
    {
        QTest::addColumn<QVariantMap>("properties");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QVariantMap>("applied");  // properties after ShowWnd returned
        QTest::addColumn<QList<bool>>("visibleAtApply");
        QTest::addColumn<QList<int>>("help");
        const QVariantMap active {{"aI", true}, {"hAI", true}};
        const auto byte = [](int value) { return QVariant::fromValue<quint8>(quint8(value)); };

        QTest::newRow("controls show the properties")
            << QVariantMap {{"aI", true},    {"dTI", true},   {"iAOT", true},  {"mAOT", true},
                            {"aLS", true},   {"aSU", true},   {"uSK", true},   {"pB", byte(2)},
                            {"tP", byte(1)}, {"mT", byte(2)}, {"oC", byte(1)}, {"cAF", byte(2)}}
            << QStringList {"expect chkUAI on",       "expect chkDTI on",    "expect chkHUC off",
                            "expect chkIAOT on",      "expect chkMAOT on",   "expect Option2_1 on",
                            "expect chkSTUP off",     "expect Option1_2 on", "expect optAF_2 on",
                            "expect chkALS on",       "expect chkALU off",   "expect chkRAC on",
                            "expect chkASU on",       "expect chkASS off",   "expect optMonitor_2 on",
                            "expect tab 0",           "click cmdCancel"}
            << QVariantMap {} << QList<bool> {} << QList<int> {};
        QTest::newRow("cancel changes nothing")
            << active << QStringList {"click chkMAOT", "click Option1_1", "click chkDTI", "click cmdCancel"}
            << QVariantMap {{"mAOT", false}, {"pB", byte(0)}, {"dTI", false}, {"hAI", true}} << QList<bool> {}
            << QList<int> {};
        QTest::newRow("OK applies every page")
            << QVariantMap {{"aLS", true}, {"aSS", true}}
            << QStringList {"click chkMAOT",   "click Option2_3", "click chkALS", "tab 1",
                            "click Option1_1", "click optAF_1",   "tab 2",        "click chkALS",
                            "click chkASU",    "click chkRAC",    "tab 3",        "click optMonitor_1",
                            "click cmdOK"}
            << QVariantMap {{"mAOT", true},   {"tP", byte(3)}, {"pB", byte(1)},
                            {"cAF", byte(1)}, {"aLS", false},  {"aSS", true},
                            {"aSU", true},    {"oC", byte(1)}, {"mT", byte(1)}}
            << QList<bool> {true} << QList<int> {};
        // Stored together (an edited hive), the two come up as the rules leave
        // them: without the active icon DTI goes first, so HUC stays.
        QTest::newRow("DTI and HUC stored on: HUC comes up unchecked")
            << QVariantMap {{"aI", true}, {"dTI", true}, {"hAI", true}}
            << QStringList {"expect chkDTI on", "expect chkHUC off", "click cmdOK"}
            << QVariantMap {{"dTI", true}, {"hAI", false}, {"aI", true}} << QList<bool> {false} << QList<int> {};
        QTest::newRow("DTI and HUC stored on without the active icon: DTI unchecked, all disabled")
            << QVariantMap {{"dTI", true}, {"hAI", true}, {"iAOT", true}}
            << QStringList {"expect chkDTI off disabled", "expect chkHUC on disabled", "expect chkIAOT on disabled",
                            "click cmdOK"}
            << QVariantMap {{"dTI", false}, {"hAI", true}, {"aI", false}} << QList<bool> {true} << QList<int> {};
        QTest::newRow("checking DTI unchecks HUC")
            << active << QStringList {"click chkDTI", "expect chkHUC off", "expect chkDTI on", "click cmdOK"}
            << QVariantMap {{"dTI", true}, {"hAI", false}} << QList<bool> {false} << QList<int> {};
        QTest::newRow("checking HUC unchecks DTI")
            << QVariantMap {{"aI", true}, {"dTI", true}}
            << QStringList {"click chkHUC", "expect chkDTI off", "expect chkHUC on", "click cmdCancel"}
            << QVariantMap {{"dTI", true}, {"hAI", false}} << QList<bool> {} << QList<int> {};
        QTest::newRow("unchecking UAI unchecks DTI and disables the three")
            << QVariantMap {{"aI", true}, {"dTI", true}, {"iAOT", true}}
            << QStringList {"click chkUAI",
                            "expect chkDTI off disabled",
                            "expect chkHUC off disabled",
                            "expect chkIAOT on disabled",
                            "click chkUAI",
                            "expect chkIAOT on",
                            "click cmdCancel"}
            << QVariantMap {} << QList<bool> {} << QList<int> {};
        QTest::newRow("choices named for Linux")
            << QVariantMap {}
            << QStringList {"expect frame Active Icon Control",
                            "expect frame Internet Detection",
                            "expect no Netscape",
                            "expect no IE3",
                            "expect no RAS",
                            "expect no Explorer",
                            "expect no Conrol",
                            "click cmdCancel"}
            << QVariantMap {} << QList<bool> {} << QList<int> {};
        QTest::newRow("Apply with an active icon change hides, applies, shows again")
            << QVariantMap {}
            << QStringList {"click chkUAI", "click cmdApply", "expect chkUAI on", "click cmdCancel"}
            << QVariantMap {{"aI", true}} << QList<bool> {false} << QList<int> {};
        QTest::newRow("Apply without one keeps the dialog up")
            << QVariantMap {}
            << QStringList {"click chkMAOT", "click cmdApply", "click chkMAOT", "click cmdCancel"}
            << QVariantMap {{"mAOT", true}} << QList<bool> {true} << QList<int> {};
        QTest::newRow("OK with an active icon change closes")
            << active << QStringList {"click chkHUC", "click cmdOK"} << QVariantMap {{"hAI", false}}
            << QList<bool> {false} << QList<int> {};
        QTest::newRow("Ctrl+Tab goes on and wraps")
            << QVariantMap {} << QStringList {"ctrl+tab", "expect tab 1", "tab 3",          "expect tab 3",
                                              "ctrl+tab", "expect tab 0", "click cmdCancel"}
            << QVariantMap {} << QList<bool> {} << QList<int> {};
        QTest::newRow("each tab has an access key that shows it")
            << QVariantMap {}
            << QStringList {"expect access keys", "key Alt+I", "expect tab 3", "key Alt+B",
                            "expect tab 1",       "key Alt+G", "expect tab 0", "click cmdCancel"}
            << QVariantMap {} << QList<bool> {} << QList<int> {};
        QTest::newRow("every control of every page has a name")
            << QVariantMap {} << QStringList {"expect named", "tab 1", "expect named", "tab 2",
                                              "expect named", "tab 3", "expect named", "click cmdCancel"}
            << QVariantMap {} << QList<bool> {} << QList<int> {};
        QTest::newRow("Help gives the shown tab's context")
            << QVariantMap {} << QStringList {"click cmdHelp", "tab 1", "click cmdHelp", "tab 2",
                                              "click cmdHelp", "tab 3", "click cmdHelp", "click cmdCancel"}
            << QVariantMap {} << QList<bool> {} << QList<int> {1010, 1020, 1030, 1040};
    }

    void optionsDialog()
    {
        QFETCH(QVariantMap, properties);
        QFETCH(QStringList, steps);
        QFETCH(QVariantMap, applied);
        QFETCH(QList<bool>, visibleAtApply);
        QFETCH(QList<int>, help);
        OptionsHost host;
        const Object gcfg = create("Pemberly.gConfig");
        QVERIFY(gcfg);
        QCOMPARE(ComponentRegistry::connectEventsByName(gcfg.get(), &host, "gcfg"), 1);
        gcfg->setProperty("frmMe", QVariant::fromValue<QObject *>(&host));
        for (auto it = properties.begin(); it != properties.end(); ++it)
            QVERIFY(gcfg->setProperty(it.key().toLatin1(), it.value()));

        drive(steps);
        QVERIFY(QMetaObject::invokeMethod(gcfg.get(), "ShowWnd"));
        checkSteps();
        QCOMPARE(host.visibleAtApply, visibleAtApply);
        QCOMPARE(host.helpContexts, help);
        for (auto it = applied.begin(); it != applied.end(); ++it)
            QCOMPARE(gcfg->property(it.key().toLatin1()), it.value());
    }

    // The dialog opens within the screen's available area, and each page
    // can be seen whole, scrolling where the screen is too small. CTest runs
    // this once more on a 1600x1000 screen at scale factor 2
    // (TESSALY_TEST_SCREEN names the screen that run must have).
    void optionsDialogFitsScreen()
    {
        OptionsHost host;
        const Object gcfg = create("Pemberly.gConfig");
        QVERIFY(gcfg);
        gcfg->setProperty("frmMe", QVariant::fromValue<QObject *>(&host));
        gcfg->setProperty("aP", QCoreApplication::applicationDirPath());  // with the floating button's picture
        QString screenShown;
        int scrolling = 0;
        QTimer::singleShot(0, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            const QScreen *screen = dialog->screen();
            screenShown = QString("%1x%2@%3")
                              .arg(qRound(screen->geometry().width() * screen->devicePixelRatio()))
                              .arg(qRound(screen->geometry().height() * screen->devicePixelRatio()))
                              .arg(screen->devicePixelRatio());
            const QRect area = screen->availableGeometry();
            const QRect frame = dialog->frameGeometry();
            const QString sizes = QString("the dialog (%1x%2) on the screen's area (%3x%4)")
                                      .arg(frame.width()).arg(frame.height()).arg(area.width()).arg(area.height());
            if (!area.contains(frame))
                m_mismatches << sizes + ": larger";
            for (int tab = 0; tab < 4; ++tab) {
                dialog->findChild<QTabBar *>("tbsOptions")->setCurrentIndex(tab);
                QCoreApplication::sendPostedEvents();
                scrolling += checkPageReachable(dialog->findChild<QWidget *>(QString("picOptions_%1").arg(tab)));
            }
            // Scrolling only for want of room: the window frame takes less
            // than a tenth of the screen.
            if (scrolling > 0 && frame.height() < area.height() * 9 / 10)
                m_mismatches << sizes + ": a page scrolls";
            dialog->findChild<QAbstractButton *>("cmdCancel")->click();
        });
        QVERIFY(QMetaObject::invokeMethod(gcfg.get(), "ShowWnd"));
        QVERIFY2(m_mismatches.isEmpty(), qPrintable(m_mismatches.join("; ")));
        const QString expected = qEnvironmentVariable("TESSALY_TEST_SCREEN");
        if (!expected.isEmpty()) {
            QCOMPARE(screenShown, expected);
            QVERIFY2(scrolling > 0, "no page had to scroll: the screen tests nothing");
        }
    }

    // Whether the page scrolls; a page that cannot be seen whole, or a
    // control outside it, is a mismatch.
    int checkPageReachable(QWidget *page)
    {
        const QString name = page->objectName();
        for (const QWidget *control : page->findChildren<QAbstractButton *>()) {
            if (control->isVisibleTo(page)
                && !page->rect().contains(QRect(control->mapTo(page, QPoint(0, 0)), control->size())))
                m_mismatches << name + ": " + control->objectName() + " lies outside the page";
        }
        const QSize needed = page->minimumSizeHint();
        if (page->width() < needed.width() || page->height() < needed.height())
            m_mismatches << QString("%1 is cut to %2x%3").arg(name).arg(page->width()).arg(page->height());
        QWidget *viewport = page->parentWidget();
        const auto *scroller = viewport ? qobject_cast<QAbstractScrollArea *>(viewport->parentWidget()) : nullptr;
        // Only downwards: a caption too long for the screen's width (a
        // translation's, say) is a fault.
        if (viewport && page->width() > viewport->width())
            m_mismatches << QString("%1 (%2 wide) scrolls sideways in %3")
                                .arg(name).arg(page->width()).arg(viewport->width());
        if (!scroller || page->height() <= viewport->height())
            return 0;
        if (!scroller->verticalScrollBar()->isVisible()
            || scroller->verticalScrollBar()->maximum() < page->height() - viewport->height())
            m_mismatches << name + " cannot be scrolled to its end";
        return 1;
    }

    void startupShortcut_data()
    {
        QTest::addColumn<QByteArray>("before");  // the entry's content; "-" no file
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("after");  // "ours": written for program
        QTest::addColumn<QString>("name");   // the entry's file name, without ".desktop"

        const QByteArray other = "[Desktop Entry]\nExec=/elsewhere/tessaly\n";
        QTest::newRow("on and present: nothing changes")
            << other << "/opt/tessaly/bin/tessaly"
            << QStringList {"expect chkSTUP on", "click cmdApply", "expect chkSTUP on", "click cmdCancel"}
            << QString(other) << "org.orvane.Tessaly";
        QTest::newRow("zero length counts as absent and stays")
            << QByteArray() << "/opt/tessaly/bin/tessaly"
            << QStringList {"expect chkSTUP off", "click cmdApply", "expect chkSTUP off", "click cmdCancel"}
            << "" << "org.orvane.Tessaly";
        QTest::newRow("off and present: deleted")
            << other << "/opt/tessaly/bin/tessaly"
            << QStringList {"click chkSTUP", "click cmdApply", "expect chkSTUP off", "click cmdCancel"}
            << "-" << "org.orvane.Tessaly";
        QTest::newRow("on and absent: written") << QByteArray("-") << "/opt/Tessaly 0.1/tessaly"
                                                << QStringList {"click chkSTUP", "click cmdOK"} << "ours"
                                                << "org.orvane.Tessaly";
        QTest::newRow("no program path: nothing written, unchecked")
            << QByteArray("-") << ""
            << QStringList {"click chkSTUP", "click cmdApply", "expect chkSTUP off", "click cmdCancel"}
            << "-" << "org.orvane.Tessaly";
        QTest::newRow("an earlier version's entry: on and present, kept")
            << other << "/opt/tessaly/bin/tessaly"
            << QStringList {"expect chkSTUP on", "click cmdApply", "expect chkSTUP on", "click cmdCancel"}
            << QString(other) << "Tessaly";
        QTest::newRow("an earlier version's entry: off deletes it")
            << other << "/opt/tessaly/bin/tessaly"
            << QStringList {"click chkSTUP", "click cmdApply", "expect chkSTUP off", "click cmdCancel"} << "-"
            << "Tessaly";
    }

    void startupShortcut()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, program);
        QFETCH(QStringList, steps);
        QFETCH(QString, after);
        QFETCH(QString, name);
        if (before != "-") {
            QDir().mkpath(QFileInfo(startupFile(name)).path());
            TestEnvironment::writeFile(startupFile(name), before);
        }
        OptionsHost host;
        host.programPath = program;
        const Object gcfg = create("Pemberly.gConfig");
        QVERIFY(gcfg);
        gcfg->setProperty("frmMe", QVariant::fromValue<QObject *>(&host));
        drive(steps);
        QVERIFY(QMetaObject::invokeMethod(gcfg.get(), "ShowWnd"));
        checkSteps();
        const QByteArray written = TestEnvironment::readFile(startupFile(name));
        if (after == "-")
            QVERIFY(!QFileInfo::exists(startupFile(name)));
        else if (after == "ours")
            QCOMPARE(written, ShellHelpers::desktopEntryText(program));
        else
            QVERIFY(QFileInfo::exists(startupFile(name)) && written == after.toUtf8());
        if (name != "org.orvane.Tessaly" && after != "ours")
            QVERIFY(!QFileInfo::exists(startupFile()));
    }

    void desktopEntry_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("written");
        QTest::newRow("plain") << "/usr/bin/tessaly" << true;
        QTest::newRow("blank and percent") << "/opt/My Apps 100%/tessaly" << true;
        QTest::newRow("quote, dollar, backquote, backslash") << "/opt/a\"b$c`d\\e/tessaly" << true;
        QTest::newRow("tab and line end") << "/opt/a\tb\nc/tessaly" << true;
        QTest::newRow("unknown") << "" << false;
        QTest::newRow("relative") << "bin/tessaly" << false;
        QTest::newRow("equal sign") << "/opt/a=b/tessaly" << false;
    }

    // The entry starts the program at login; its Exec key reads back to the
    // program's path whatever characters it holds.
    void desktopEntry()
    {
        QFETCH(QString, program);
        QFETCH(bool, written);
        QCOMPARE(ShellHelpers::createStartupShortcut(program), written);
        QCOMPARE(ShellHelpers::startupShortcutExists(), written);
        if (!written)
            return;
        const QStringList lines = QString::fromUtf8(TestEnvironment::readFile(startupFile())).split('\n');
        QCOMPARE(lines.first(), "[Desktop Entry]");
        for (const char *line :
             {"Type=Application", "Name=Tessaly", "Icon=org.orvane.Tessaly", "Terminal=false",
              "X-LXQt-Need-Tray=true"})
            QVERIFY2(lines.contains(line), line);
        QVERIFY(lines.filter(QRegularExpression("^X-GNOME-Autostart-Delay=[1-9][0-9]*$")).size() == 1);
        const QStringList exec = lines.filter(QRegularExpression("^Exec="));
        QCOMPARE(exec.size(), 1);
        QCOMPARE(execProgram(exec.first().mid(5)), program);
    }

    void aboutBox_data()
    {
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("picture");         // the program's folder has the bank pictures
        QTest::addColumn<QStringList>("closing");  // "press", "release", "key A", "click", "picture"
        QTest::addColumn<int>("minor");
        QTest::newRow("centred on the screen, Escape released")
            << true << true << QStringList {"press", "release"} << 1;
        QTest::newRow("over a window partly off the screen")
            << false << true << QStringList {"key A", "click"} << 12;
        QTest::newRow("no picture file") << true << false << QStringList {"key Return", "release"} << 0;
        QTest::newRow("click on the picture") << false << true << QStringList {"picture"} << 1;
    }

    void aboutBox()
    {
        QFETCH(bool, centre);
        QFETCH(bool, picture);
        QFETCH(QStringList, closing);
        QFETCH(int, minor);
        QWidget caller;
        caller.setGeometry(-300, -120, 500, 400);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QPoint expectedCentre = centre ? screen.center() : caller.frameGeometry().center();
        QPoint centreSeen;
        QString name;
        QString title;
        QString version;
        bool pictureShown = false;
        QSize pictureSize;  // logical pixels
        QImage pictureImage;
        qreal pictureRatio = 0, boxRatio = 0;
        QStringList openAfter;  // the steps after which the box was still up
        QTimer::singleShot(0, this, [&] {
            QWidget *box = QApplication::activeModalWidget();
            name = box->objectName();
            title = box->windowTitle();
            centreSeen = box->frameGeometry().center();
            version = box->findChild<QLabel *>("lblVersion")->text();
            auto *pictureLabel = box->findChild<QLabel *>("Picture1");
            pictureShown = pictureLabel->isVisible();
            pictureSize = pictureLabel->size();
            pictureImage = pictureLabel->pixmap().toImage();
            pictureRatio = pictureLabel->pixmap().devicePixelRatio();
            boxRatio = box->devicePixelRatioF();
            for (const QString &step : closing) {
                if (step == "press")
                    QTest::keyPress(box, Qt::Key_Escape);
                else if (step == "release")
                    QTest::keyRelease(box, Qt::Key_Escape);
                else if (step.startsWith("key "))
                    QTest::keyClick(box, step == "key A" ? Qt::Key_A : Qt::Key_Return);
                else
                    QTest::mouseClick(step == "picture" ? static_cast<QWidget *>(pictureLabel) : box,
                                      Qt::LeftButton);
                if (box->isVisible())
                    openAfter << step;
            }
            box->close();  // in case the last step failed to
        });
        const Object about = create("Pemberly.uAbout");
        QVERIFY(about);
        const QString folder = picture ? QCoreApplication::applicationDirPath() : m_config->path();
        QVERIFY(QMetaObject::invokeMethod(about.get(), "showAbout", Q_ARG(QObject *, &caller),
                                          Q_ARG(QString, folder), Q_ARG(int, 0), Q_ARG(int, minor),
                                          Q_ARG(int, 7), Q_ARG(bool, centre)));
        QCOMPARE(name, "frmAbout");
        QCOMPARE(title, "About Tessaly");
        QVERIFY2((centreSeen - expectedCentre).manhattanLength() <= 2,
                 qPrintable(QString("centre %1,%2").arg(centreSeen.x()).arg(centreSeen.y())));
        QCOMPARE(version, QString("Version 0.%1a").arg(minor));
        QCOMPARE(pictureShown, picture);
        if (picture) {
            // The loaded button's picture at its logical size; on a high-DPI
            // screen its 2x form.
            QCOMPARE(pictureSize, QSize(32, 32));
            QCOMPARE(pictureRatio, boxRatio > 1 ? 2.0 : 1.0);
            const QImage expected(folder + (boxRatio > 1 ? "/uBank/id@2x.bnk" : "/uBank/id.bnk"));
            QCOMPARE(pictureImage.convertToFormat(QImage::Format_ARGB32),
                     expected.convertToFormat(QImage::Format_ARGB32));
        }
        QCOMPARE(openAfter, closing.mid(0, closing.size() - 1));
    }

    void outwardLinks_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("opened");
        QTest::newRow("contact") << 0 << "mailto:tessaly@orvane.org";
        QTest::newRow("web site") << 1 << "https://orvane.org/tessaly/";
        QTest::newRow("other action") << 2 << "";
    }

    // The desktop's opener gets the address as its one argument.
    void outwardLinks()
    {
        QFETCH(int, action);
        QFETCH(QString, opened);
        const QString bin = m_config->path() + "/bin";
        QDir().mkpath(bin);
        const QString record = m_config->path() + "/opened";
        TestEnvironment::writeFile(bin + "/xdg-open",
                                   "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"" + record.toUtf8()
                                       + ".part\" && mv \"" + record.toUtf8() + ".part\" \"" + record.toUtf8()
                                       + "\"\n");
        QFile::setPermissions(bin + "/xdg-open", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin) + ":" + path);
        const Object about = create("Pemberly.uAbout");
        bool started = false;
        QVERIFY(QMetaObject::invokeMethod(about.get(), "sDo", Q_RETURN_ARG(bool, started),
                                          Q_ARG(QObject *, nullptr), Q_ARG(int, action)));
        qputenv("PATH", path);
        QCOMPARE(started, !opened.isEmpty());
        if (started)
            QTRY_COMPARE(TestEnvironment::readFile(record), ("1|" + opened + "|").toUtf8());
    }
};

QTEST_MAIN(TestPemberlyWindows)
#include "TestPemberlyWindows.moc"
