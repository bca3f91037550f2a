// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floating button and the main window on a real X server with openbox:
// real double clicks on the button (XTest), and the window closed the ways a
// user closes it, which the window manager turns into WM_DELETE_WINDOW.

#include "AppState.h"
#include "FloatingButton.h"
#include "MainWindow.h"
#include "ScriptedPrompter.h"
#include "TestEnvironment.h"
#include "TrayWindow.h"

#include <QtTest>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <memory>

namespace {

// The ways a window is closed (or taken off the screen) from outside the program.
enum class Close {
    CloseBox,        // a click on the close button of openbox's title bar
    AltF4,           // openbox's key binding
    PagerRequest,    // _NET_CLOSE_WINDOW, as pagers and `wmctrl -c` send it
    WithdrawnBehind  // unmapped by another client: Qt still counts the window visible
};

constexpr int rounds = 8;

}  // namespace

Q_DECLARE_METATYPE(Close)

class TestX11TrayWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void buttonReopensAfterClose_data();
    void buttonReopensAfterClose();
    void buttonOutlivesCloseFromOutside_data();
    void buttonOutlivesCloseFromOutside();

private:
    bool isViewable(WId window);
    QPoint rootPosition(WId window);
    QList<unsigned long> cardinals(WId window, const char *property);
    WId activeWindow();
    FloatingButton *startWithButton(bool activeIcon);
    QPoint buttonFace();
    void doubleClickButton();
    void click(QPoint at);
    void closeFromOutside(Close way, WId window);

    Display *m_display = nullptr;
    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    ScriptedPrompter m_prompter;
    std::unique_ptr<TrayWindow> m_tray;
};

void TestX11TrayWindow::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    m_display = XOpenDisplay(nullptr);
    QVERIFY(m_display);
    int event = 0, error = 0, major = 0, minor = 0;
    QVERIFY(XTestQueryExtension(m_display, &event, &error, &major, &minor));
    // The window manager is up once it names itself on the root window.
    QTRY_VERIFY_WITH_TIMEOUT(!cardinals(DefaultRootWindow(m_display), "_NET_SUPPORTING_WM_CHECK").isEmpty(), 10000);
}

void TestX11TrayWindow::cleanupTestCase()
{
    if (m_display)
        XCloseDisplay(m_display);
}

void TestX11TrayWindow::init()
{
    m_config = std::make_unique<TestEnvironment::ConfigFolder>();
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
    m_prompter = ScriptedPrompter();
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), "+G\r\nhttp://a.example/\x05" "A\r\n");
}

void TestX11TrayWindow::cleanup()
{
    m_tray.reset();
}

bool TestX11TrayWindow::isViewable(WId window)
{
    XWindowAttributes attributes {};
    return XGetWindowAttributes(m_display, window, &attributes) && attributes.map_state == IsViewable;
}

QPoint TestX11TrayWindow::rootPosition(WId window)
{
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return {x, y};
}

QList<unsigned long> TestX11TrayWindow::cardinals(WId window, const char *property)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    QList<unsigned long> values;
    if (XGetWindowProperty(m_display, window, XInternAtom(m_display, property, False), 0, 64, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) == Success && data
        && format == 32) {
        const auto *items = reinterpret_cast<const unsigned long *>(data);
        values = QList<unsigned long>(items, items + count);
    }
    if (data)
        XFree(data);
    return values;
}

WId TestX11TrayWindow::activeWindow()
{
    const QList<unsigned long> active = cardinals(DefaultRootWindow(m_display), "_NET_ACTIVE_WINDOW");
    return active.isEmpty() ? 0 : active.first();
}

void TestX11TrayWindow::click(QPoint at)
{
    XTestFakeMotionEvent(m_display, -1, at.x(), at.y(), CurrentTime);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XFlush(m_display);
}

// A point of the button's face (its left part; the right part drags).
QPoint TestX11TrayWindow::buttonFace()
{
    return rootPosition(m_tray->floatingButton()->winId()) + QPoint(8, FloatingButton::buttonSize / 2);
}

void TestX11TrayWindow::doubleClickButton()
{
    click(buttonFace());
    QTest::qWait(60);
    click(buttonFace());
}

// The program started without a tray (Xvfb has none): the floating button
// stands in for the icon, or is shown because the options ask for it.
FloatingButton *TestX11TrayWindow::startWithButton(bool activeIcon)
{
    m_tray = std::make_unique<TrayWindow>(*m_state, m_prompter);
    m_tray->start({});
    m_state->stackBase = m_dir->filePath("Pemberly");
    if (activeIcon)
        m_tray->showActiveIcon();
    FloatingButton *button = m_tray->floatingButton();
    if (!QTest::qWaitFor([&] { return button->isVisible() && isViewable(button->winId()); }))
        qWarning("the floating button is not on the screen");
    return button;
}

void TestX11TrayWindow::closeFromOutside(Close way, WId window)
{
    switch (way) {
    case Close::CloseBox: {
        // The close button ends openbox's title bar, on the right: about half
        // the title bar's height from the frame's right edge.
        const QList<unsigned long> extents = cardinals(window, "_NET_FRAME_EXTENTS");  // left, right, top, bottom
        QCOMPARE(extents.size(), 4);
        XWindowAttributes attributes {};
        XGetWindowAttributes(m_display, window, &attributes);
        const QPoint client = rootPosition(window);
        const int top = int(extents[2]);
        click({client.x() + attributes.width + int(extents[1]) - top / 2, client.y() - top / 2});
        break;
    }
    case Close::AltF4: {
        const KeyCode alt = XKeysymToKeycode(m_display, XK_Alt_L);
        const KeyCode f4 = XKeysymToKeycode(m_display, XK_F4);
        XTestFakeKeyEvent(m_display, alt, True, CurrentTime);
        XTestFakeKeyEvent(m_display, f4, True, CurrentTime);
        XTestFakeKeyEvent(m_display, f4, False, CurrentTime);
        XTestFakeKeyEvent(m_display, alt, False, CurrentTime);
        XFlush(m_display);
        break;
    }
    case Close::PagerRequest: {
        XEvent event {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(m_display, "_NET_CLOSE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = CurrentTime;
        event.xclient.data.l[1] = 2;  // source: a pager
        XSendEvent(m_display, DefaultRootWindow(m_display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XFlush(m_display);
        break;
    }
    case Close::WithdrawnBehind:
        XUnmapWindow(m_display, window);
        XFlush(m_display);
        break;
    }
}

void TestX11TrayWindow::buttonReopensAfterClose_data()
{
    QTest::addColumn<Close>("way");
    QTest::addColumn<bool>("activeIcon");  // the button chosen in the options, else shown for want of a tray
    QTest::newRow("close box") << Close::CloseBox << false;
    QTest::newRow("close box, Enable Active Icon") << Close::CloseBox << true;
    QTest::newRow("Alt+F4") << Close::AltF4 << false;
    QTest::newRow("close request of a pager") << Close::PagerRequest << false;
    // The state a close was seen to leave: off the screen, yet visible to the widget.
    QTest::newRow("withdrawn while Qt counts it visible") << Close::WithdrawnBehind << false;
}

// Double click on the floating button (the window shows, active), the window
// closed from outside, and again: each double click shows it, 8 of 8.
void TestX11TrayWindow::buttonReopensAfterClose()
{
    QFETCH(Close, way);
    QFETCH(bool, activeIcon);
    FloatingButton *button = startWithButton(activeIcon);
    QVERIFY(button->isVisible() && isViewable(button->winId()));
    QCOMPARE(m_state->settings.aI, activeIcon);

    MainWindow *main = nullptr;
    for (int round = 1; round <= rounds; ++round) {
        const QByteArray step = "round " + QByteArray::number(round);
        doubleClickButton();
        QTRY_VERIFY2_WITH_TIMEOUT(m_tray->mainWindow() && isViewable(m_tray->mainWindow()->winId()), step, 5000);
        if (!main)
            main = m_tray->mainWindow();
        QCOMPARE(m_tray->mainWindow(), main);  // hidden, never unloaded
        QVERIFY2(main->isVisible(), step);
        QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), main->winId(), 5000);

        closeFromOutside(way, main->winId());
        QTRY_VERIFY2_WITH_TIMEOUT(!isViewable(main->winId()), step, 5000);
        if (way != Close::WithdrawnBehind)
            QTRY_VERIFY2(!main->isVisible(), step);
        QVERIFY2(button->isVisible() && isViewable(button->winId()), step);
        // Let the double-click interval pass: the next two clicks are a new double click.
        QTest::qWait(qApp->doubleClickInterval() + 50);
    }
    QCOMPARE(m_state->store.urlDatas().Count(), 1);
}

void TestX11TrayWindow::buttonOutlivesCloseFromOutside_data()
{
    QTest::addColumn<Close>("way");
    QTest::newRow("Alt+F4 on the button, which a click focused") << Close::AltF4;
    QTest::newRow("close request of a pager") << Close::PagerRequest;
}

// The floating button may be the only way back to the program: a close from
// outside leaves it on the screen, and its double click still works.
void TestX11TrayWindow::buttonOutlivesCloseFromOutside()
{
    QFETCH(Close, way);
    FloatingButton *button = startWithButton(false);
    QVERIFY(button->isVisible() && isViewable(button->winId()));
    if (way == Close::AltF4) {
        click(buttonFace());
        QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), button->winId(), 5000);
    }
    closeFromOutside(way, button->winId());
    QTest::qWait(qApp->doubleClickInterval() + 50);
    QVERIFY(button->isVisible() && isViewable(button->winId()));
    doubleClickButton();
    QTRY_VERIFY_WITH_TIMEOUT(m_tray->mainWindow() && isViewable(m_tray->mainWindow()->winId()), 5000);
}

QTEST_MAIN(TestX11TrayWindow)
#include "TestX11TrayWindow.moc"
