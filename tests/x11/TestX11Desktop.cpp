// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DoubleWindows.h"
#include "QtClipboardAccess.h"
#include "TestEnvironment.h"
#include "X11DesktopWindows.h"
#include "XTestSyntheticKeys.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QtTest>
#include <X11/Xlib.h>

namespace {

using Keys = QList<SyntheticKeys::KeyEvent>;

constexpr quint8 ctrl = 0x11;
constexpr quint8 alt = 0x12;
constexpr quint8 enter = 0x0D;
constexpr quint8 escape = 0x1B;
constexpr quint8 f6 = 0x75;

// A key pressed with a modifier held, or alone.
Keys chord(quint8 modifier, quint8 key)
{
    return {{modifier, false}, {key, false}, {key, true}, {modifier, true}};
}

Keys tap(quint8 key)
{
    return {{key, false}, {key, true}};
}

const QString suffix = QStringLiteral(" — Mozilla Firefox");
const QString startUrl = QStringLiteral("https://start.example/a b?q=\"1\"&r=ü");

}  // namespace

// The X11 window list, activation, XTest keys and the clipboard, against the
// browser double on a private X server with openbox.
class TestX11Desktop : public QObject
{
    Q_OBJECT

    X11DesktopWindows m_windows;
    XTestSyntheticKeys m_keys;
    QtClipboardAccess m_clipboard;
    QProcess m_double;
    QTemporaryDir m_folder;
    DesktopWindows::WindowId m_browser = 0;

    std::optional<DesktopWindows::Window> find(const QString &title, const QString &className = QString())
    {
        const QList<DesktopWindows::Window> windows = m_windows.topLevelWindows();
        for (const DesktopWindows::Window &window : windows) {
            if (title.isNull() ? window.className == className : window.title == title)
                return window;
        }
        return std::nullopt;
    }

    void typeInBrowser(const QList<Keys> &sequences)
    {
        QVERIFY(m_windows.activate(m_browser, 5000));
        for (const Keys &keys : sequences)
            QVERIFY(m_keys.send(keys));
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("TESSALY_NO_WINDOW_MANAGER")) {
            QVERIFY(!m_windows.available());
            QVERIFY(m_windows.topLevelWindows().isEmpty());
            QVERIFY(m_keys.available());
            QSKIP("an X server without a window manager has no window list");
        }
        QTRY_VERIFY2_WITH_TIMEOUT(m_windows.available(),
                                  "no X server with a window manager: run through x11/run-with-xvfb", 10000);
        QVERIFY(m_keys.available());
        m_double.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_double.start(BROWSER_DOUBLE_PATH,
                       {"--title", "Start page", "--url", startUrl, "--record",
                        m_folder.filePath("navigated"), "--extra-windows"});
        QVERIFY(m_double.waitForReadyRead(20000));
        QTRY_VERIFY_WITH_TIMEOUT(find(QString(), "RawBadUtf8") && find(DoubleWindows::minimisedTitle()),
                                 10000);
        const std::optional<DesktopWindows::Window> browser = find("Start page" + suffix);
        QVERIFY(browser);
        m_browser = browser->id;
    }

    void cleanupTestCase()
    {
        m_double.kill();
        m_double.waitForFinished();
    }

    void windowList_data()
    {
        QTest::addColumn<QString>("title");  // null: found by class, title not compared
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("instanceName");
        QTest::addColumn<bool>("visible");

        QTest::newRow("browser window") << "Start page" + suffix << "firefox-esr"
                                        << "Navigator" << true;
        QTest::newRow("title of 10,000 characters") << DoubleWindows::longTitle() << "firefox-esr"
                                                    << "Navigator" << true;
        QTest::newRow("minimised window") << DoubleWindows::minimisedTitle() << "firefox-esr"
                                          << "Navigator" << false;
        QTest::newRow("Latin-1 WM_NAME only") << QStringLiteral("café ÿ latin-1") << "RawLatin1"
                                              << "raw" << true;
        QTest::newRow("_NET_WM_NAME not UTF-8")
            << QString::fromUtf8(DoubleWindows::rawWindows[2].name) << "RawBadUtf8"
            << "raw" << true;
        QTest::newRow("COMPOUND_TEXT WM_NAME with stray bytes") << QString() << "RawCompound"
                                                                << "raw" << true;
        QTest::newRow("mapped, state hidden") << "stated hidden"
                                              << "RawStateHidden"
                                              << "raw" << false;
    }

    void windowList()
    {
        QFETCH(QString, title);
        QFETCH(QString, className);
        QFETCH(QString, instanceName);
        QFETCH(bool, visible);

        const std::optional<DesktopWindows::Window> window = find(title, className);
        QVERIFY(window);
        QCOMPARE(window->className, className);
        QCOMPARE(window->instanceName, instanceName);
        QCOMPARE(window->pid, m_double.processId());
        // The double marks one window hidden a moment after it is mapped.
        QTRY_COMPARE(find(window->title)->visible, visible);
        QCOMPARE(m_windows.windowTitle(window->id), window->title);
        if (title.isNull())
            QVERIFY(!window->title.isEmpty());
    }

    void stackingOrder()
    {
        const std::optional<DesktopWindows::Window> longWindow = find(DoubleWindows::longTitle());
        QVERIFY(longWindow);
        const DesktopWindows::WindowId longTitle = longWindow->id;
        for (const DesktopWindows::WindowId window : {longTitle, m_browser, longTitle}) {
            QVERIFY(m_windows.activate(window, 5000));
            QCOMPARE(m_windows.activeWindow(), window);
            QTRY_COMPARE(m_windows.topLevelWindows().first().id, window);
        }
    }

    void copyAddress_data()
    {
        QTest::addColumn<Keys>("select");
        QTest::addColumn<QString>("copied");  // "": the clipboard does not change

        QTest::newRow("Alt+D") << chord(alt, 'D') << startUrl;
        QTest::newRow("Ctrl+L") << chord(ctrl, 'L') << startUrl;
        QTest::newRow("F6") << tap(f6) << startUrl;
        QTest::newRow("nothing selected") << Keys() << QString();
    }

    void copyAddress()
    {
        QFETCH(Keys, select);
        QFETCH(QString, copied);

        const QString stale = QStringLiteral("stale ") + QTest::currentDataTag();
        const ClipboardContents user(
            {{"text/plain", stale.toUtf8()}, {"text/html", "<i>" + stale.toUtf8() + "</i>"}});
        m_clipboard.restore(user);
        QCOMPARE(m_clipboard.text(), stale);
        const ClipboardContents saved = m_clipboard.save();
        QCOMPARE(saved.formats(), user.formats());
        typeInBrowser({select, chord(ctrl, 'C'), tap(escape)});
        QCOMPARE(m_clipboard.waitForChange(stale, copied.isEmpty() ? 1000 : 5000), copied);
        // Put back from this process (as the program does), every format of it.
        m_clipboard.restore(saved);
        QVERIFY(QGuiApplication::clipboard()->ownsClipboard());
        QCOMPARE(m_clipboard.save().formats(), user.formats());
    }

    void pasteAndNavigate()
    {
        const QString address = QStringLiteral("https://example.org/new page?x=\"1\";y=$(z)&w=日本");
        m_clipboard.setText(address);
        typeInBrowser({chord(alt, 'D'), chord(ctrl, 'V'), tap(enter)});
        QTRY_COMPARE_WITH_TIMEOUT(TestEnvironment::readFile(m_folder.filePath("navigated")),
                                  address.toUtf8() + '\n', 5000);
        QTRY_COMPARE(m_windows.windowTitle(m_browser), address + suffix);
    }

    void missingWindows()
    {
        // Xlib's own error handler, as in a program without Qt's: it would end the process on an X error.
        XSetErrorHandler(nullptr);
        const DesktopWindows::WindowId gone = 0x7ffffff;
        QCOMPARE(m_windows.windowTitle(gone), QString());
        QVERIFY(!m_windows.activate(gone, 200));
        QVERIFY(!m_windows.topLevelWindows().isEmpty());
        QVERIFY(!m_keys.send({{0x07, false}}));  // no key has this code
    }

    void waylandSession()
    {
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        X11DesktopWindows onWayland;
        qunsetenv("WAYLAND_DISPLAY");
        QVERIFY(!onWayland.available());
        QVERIFY(onWayland.topLevelWindows().isEmpty());
        QVERIFY(X11DesktopWindows().available());
    }
};

QTEST_MAIN(TestX11Desktop)
#include "TestX11Desktop.moc"
