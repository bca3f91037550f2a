// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Config.h"
#include "MainWindowSettingsHost.h"
#include "Registry.h"
#include "TestEnvironment.h"
#include "TrayConfig.h"
#include "TrayWindowSettingsHost.h"
#include "regModule.h"

#include <QtTest>

#include <memory>

namespace {

const QString key = AppSettings::settingsKey;

void store(const QString &name, const QString &value)
{
    regModule::createNewKey(key, Registry::HKEY_CURRENT_USER);
    regModule::setKeyValue(key, name, value, regModule::REG_SZ);
}

// A main window that records what the settings do to it. Screen 1024 x 768
// pixels at 15 twips per pixel, with a 40-pixel taskbar; no frame until a
// test gives it one.
class FakeMainWindow : public MainWindowSettingsHost
{
public:
    int screenWidth() const override { return 15360; }
    int screenHeight() const override { return 11520; }
    std::optional<WindowRect> workArea() const override { return area; }
    FrameMargins frameMargins() const override { return frame; }
    int minimumWidth() const override { return minimum.width(); }
    int minimumHeight() const override { return minimum.height(); }
    WindowRect geometry() const override { return rect; }
    void setGeometry(const WindowRect &r) override
    {
        rect = r;
        calls << "geometry";
    }
    SettingsCodec::MainWindowLayout layout() const override { return saved; }
    int columnCount() const override { return 7; }
    void setAdvMode(int mode) override { calls << QString("advMode %1").arg(mode); }
    void setTabPlacement(int p) override { calls << QString("placement %1").arg(p); }
    void selectTab(int tab) override { calls << QString("tab %1").arg(tab); }
    void setColumnWidth(int column, int width) override { calls << QString("column %1=%2").arg(column).arg(width); }
    void fullScrnRefresh() override { calls << "refresh"; }
    void selectGroupItem(int group) override { calls << QString("group %1").arg(group); }
    void setTopmost(bool onTop) override { calls << QString("topmost %1").arg(onTop); }
    void setFilterAdvanced(bool expanded) override { calls << QString("expanded %1").arg(expanded); }
    void finishLoadConfig(int slideMask) override { calls << QString("finish %1").arg(slideMask); }

    std::optional<WindowRect> area = WindowRect {0, 0, 15360, 10920};  // 728 pixels high
    FrameMargins frame;
    QSize minimum;
    WindowRect rect {1500, 1500, 9000, 6000};
    SettingsCodec::MainWindowLayout saved;
    QStringList calls;
};

class FakeTrayWindow : public TrayWindowSettingsHost
{
public:
    int screenWidth() const override { return 15360; }
    int screenHeight() const override { return 11520; }
    WindowRect trayGeometry() const override { return rect; }
    void moveTrayWindow(int top, int left) override
    {
        rect.top = top;
        rect.left = left;
    }
    void setTrayIcon(bool disable) override { calls << QString("trayIcon disabled=%1").arg(disable); }
    void showActiveIcon() override { calls << "activeIcon"; }

    WindowRect rect {0, 0, 480, 480};
    QStringList calls;
};

} // namespace

// Reading and applying the settings of the tray window and the main window.
class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void clampsGeometry_data();
    void clampsGeometry();
    void loadConfigAppliesFieldsInOrder();
    void loadConfigOfFewFields_data();
    void loadConfigOfFewFields();
    void dockMainWindow_data();
    void dockMainWindow();
    void keepOnWorkArea_data();
    void keepOnWorkArea();
    void saveThenLoadGivesSameSettings();
    void restoreGroupSelection_data();
    void restoreGroupSelection();
    void earlyConfigStored_data();
    void earlyConfigStored();
    void lateSaveWritesTrayPlace();

private:
    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
};

void TestConfig::init()
{
    m_config = std::make_unique<TestEnvironment::ConfigFolder>();
}

void TestConfig::clampsGeometry_data()
{
    QTest::addColumn<QString>("cf");
    QTest::addColumn<FrameMargins>("frame");
    QTest::addColumn<WindowRect>("area");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<WindowRect>("expected");

    // Screen 15360 x 11520 twips, taskbar 600 twips at the bottom.
    const WindowRect taskbar {0, 0, 15360, 10920};
    const FrameMargins none;
    const FrameMargins framed {60, 300, 60, 60};  // 4-pixel borders, a 20-pixel title bar
    const auto row = [](const char *name, const char *cf, FrameMargins frame, WindowRect area, QSize minimum,
                        WindowRect expected) {
        QTest::newRow(name) << QString(cf) << frame << area << minimum << expected;
    };
    row("inside the screen", "0 0 0 0 1 1 0 1500 3000 9000 6000 0 0 ", framed, taskbar, {},
        {1500, 3000, 9000, 6000});
    row("too small gets the default size", "0 0 0 0 1 1 0 1500 1500 2000 2000 0 0 ", none, taskbar, {},
        {1500, 1500, 5208, 3624});
    row("negative place moves to the corner", "0 0 0 0 1 1 0 -300 -45 9000 6000 0 0 ", none, taskbar, {},
        {0, 0, 9000, 6000});
    row("over the right edge ends at the edge", "0 0 0 0 1 1 0 1500 12000 9000 6000 0 0 ", none, taskbar, {},
        {1500, 6360, 9000, 6000});
    row("over the bottom edge ends at the taskbar", "0 0 0 0 1 1 0 9000 1500 9000 6000 0 0 ", none, taskbar,
        {}, {4920, 1500, 9000, 6000});
    row("minimum sizes are kept", "0 0 0 0 1 1 0 0 0 2496 2380 0 0 ", none, taskbar, {}, {0, 0, 2496, 2380});
    row("text fields keep the window's own values", "0 0 0 0 1 1 0 x y 9000 z 0 0 ", none, taskbar, {},
        {1500, 1500, 9000, 6000});
    // The whole frame stays on the work area.
    row("frame over the bottom edge ends at the taskbar", "0 0 0 0 1 1 0 9000 1500 9000 6000 0 0 ", framed,
        taskbar, {}, {4560, 1500, 9000, 6000});
    row("panel at the top keeps the title bar below it", "0 0 0 0 1 1 0 0 0 9000 6000 0 0 ", framed,
        {600, 0, 15360, 10920}, {}, {600, 0, 9000, 6000});
    row("panel at the left", "0 0 0 0 1 1 0 1500 -60 9000 6000 0 0 ", framed, {0, 900, 14460, 11520}, {},
        {1500, 900, 9000, 6000});
    row("panel at the right", "0 0 0 0 1 1 0 1500 6000 9000 6000 0 0 ", framed, {0, 0, 14460, 11520}, {},
        {1500, 5340, 9000, 6000});
    row("window's own minimum width is the width placed", "0 0 0 0 1 1 0 1500 6000 9000 6000 0 0 ", none,
        taskbar, {12000, 3000}, {1500, 3360, 12000, 6000});
    row("window's own minimum height", "0 0 0 0 1 1 0 6000 1500 9000 3000 0 0 ", none, taskbar, {3000, 7500},
        {3420, 1500, 9000, 7500});
    row("larger than the work area keeps its title bar on it", "0 0 0 0 1 1 0 1500 1500 20000 15000 0 0 ",
        framed, taskbar, {}, {0, 0, 20000, 15000});
}

void TestConfig::clampsGeometry()
{
    QFETCH(QString, cf);
    QFETCH(FrameMargins, frame);
    QFETCH(WindowRect, area);
    QFETCH(QSize, minimum);
    QFETCH(WindowRect, expected);
    store("CF", cf);
    AppSettings settings;
    FakeMainWindow window;
    window.frame = frame;
    window.area = area;
    window.minimum = minimum;
    Config(settings).loadConfig(window);
    QCOMPARE(window.rect, expected);
    QCOMPARE(settings.mainWidth, expected.width);
    QCOMPARE(settings.mainTop, expected.top);
}

void TestConfig::loadConfigAppliesFieldsInOrder()
{
    store("CF", "14 2 1 3 2 0 4 1500 1500 9000 6000 19 2 ");
    store("CH", "100 200 300 ");
    AppSettings settings;
    FakeMainWindow window;
    Config(settings).loadConfig(window);
    QCOMPARE(window.calls, (QStringList {"advMode 0", "geometry", "placement 3", "tab 2", "column 0=100", "column 1=200",
                                         "column 2=300", "refresh", "group 4", "topmost 1", "expanded 1", "finish 19"}));
    QCOMPARE(settings.pB, 1);
    QCOMPARE(settings.tP, 3);
    QCOMPARE(settings.cAF, 2);
    QCOMPARE(settings.lastIDX2, 4);
    QVERIFY(settings.mAOT);
    QVERIFY(settings.bFW);
    QVERIFY(!settings.uSK);
    QVERIFY(settings.filterAdvanced);
    QCOMPARE(settings.columnWidths[2], 300);
    QCOMPARE(settings.columnWidths[3], AppSettings().columnWidths[3]);  // fewer widths than columns
    QCOMPARE(settings.mT, 0);  // field 1 is written only
}

void TestConfig::loadConfigOfFewFields_data()
{
    QTest::addColumn<QString>("cf");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("advMode");
    QTest::addColumn<int>("pB");
    QTest::newRow("nothing stored") << QString() << QStringList {"advMode 1", "geometry", "refresh", "finish 0"} << 1 << 1;
    QTest::newRow("six fields") << "0 0 2 1 1 2"
                                << QStringList {"advMode 2", "geometry", "placement 1", "tab 1", "refresh", "topmost 0",
                                                "expanded 0", "finish 0"}
                                << 2 << 2;
}

// The fields not stored leave the window's own values, which are then
// clamped to the screen, and the settings as they were (the mode: 1).
void TestConfig::loadConfigOfFewFields()
{
    QFETCH(QString, cf);
    QFETCH(QStringList, calls);
    QFETCH(int, advMode);
    QFETCH(int, pB);
    if (!cf.isNull())
        store("CF", cf);
    AppSettings settings;
    settings.advMode = 2;
    settings.pB = 1;
    FakeMainWindow window;
    window.rect = {-100, 20000, 1000, 1000};
    Config(settings).loadConfig(window);
    QCOMPARE(window.calls, calls);
    QCOMPARE(settings.advMode, advMode);
    QCOMPARE(settings.pB, pB);
    QCOMPARE(window.rect, (WindowRect {0, 15360 - Config::defaultWidth, Config::defaultWidth, 3624}));
}

void TestConfig::dockMainWindow_data()
{
    QTest::addColumn<std::optional<WindowRect>>("area");
    QTest::addColumn<FrameMargins>("frame");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<WindowRect>("expected");
    const std::optional<WindowRect> taskbar = WindowRect {0, 0, 15360, 10920};
    const FrameMargins framed {60, 300, 60, 60};
    QTest::newRow("above the taskbar")
        << taskbar << FrameMargins() << QSize() << WindowRect {4920, 6360, 9000, 6000};
    QTest::newRow("no work area known")
        << std::optional<WindowRect>() << FrameMargins() << QSize() << WindowRect {5520, 6360, 9000, 6000};
    QTest::newRow("frame in the corner")
        << taskbar << framed << QSize() << WindowRect {4560, 6240, 9000, 6000};
    QTest::newRow("panel at the right") << std::optional<WindowRect>(WindowRect {0, 0, 14460, 11520})
                                        << framed << QSize() << WindowRect {5160, 5340, 9000, 6000};
    QTest::newRow("window's own minimum size")
        << taskbar << FrameMargins() << QSize(12000, 7500) << WindowRect {3420, 3360, 12000, 7500};
}

void TestConfig::dockMainWindow()
{
    QFETCH(std::optional<WindowRect>, area);
    QFETCH(FrameMargins, frame);
    QFETCH(QSize, minimum);
    QFETCH(WindowRect, expected);
    AppSettings settings;
    FakeMainWindow window;
    window.area = area;
    window.frame = frame;
    window.minimum = minimum;
    Config(settings).dockMainWindow(window);
    QCOMPARE(window.rect, expected);
}

// A window placed before the window manager framed it is moved, once its
// frame is known, so that the frame ends on the work area; one already on it
// is left where it is.
void TestConfig::keepOnWorkArea_data()
{
    QTest::addColumn<WindowRect>("placed");
    QTest::addColumn<WindowRect>("expected");
    QTest::newRow("docked without the frame")
        << WindowRect {4920, 6360, 9000, 6000} << WindowRect {4560, 6240, 9000, 6000};
    QTest::newRow("inside the work area")
        << WindowRect {1500, 1500, 9000, 6000} << WindowRect {1500, 1500, 9000, 6000};
    QTest::newRow("at the top left corner") << WindowRect {0, 0, 9000, 6000} << WindowRect {0, 0, 9000, 6000};
}

void TestConfig::keepOnWorkArea()
{
    QFETCH(WindowRect, placed);
    QFETCH(WindowRect, expected);
    FakeMainWindow window;
    window.rect = placed;
    window.frame = {60, 300, 60, 60};
    Config::keepOnWorkArea(window);
    QCOMPARE(window.rect, expected);
    QCOMPARE(window.calls.size(), placed == expected ? 0 : 1);
}

void TestConfig::saveThenLoadGivesSameSettings()
{
    AppSettings settings;
    settings.uSK = true;
    settings.aLU = false;
    settings.pB = 2;
    settings.cAF = 1;
    FakeMainWindow window;
    window.saved.top = 900;
    window.saved.left = 1200;
    window.saved.width = 8000;
    window.saved.height = 5000;
    window.saved.currentTab = 2;
    window.saved.advMode = 2;
    window.saved.tabPlacement = 1;
    window.saved.selectedGroup = 3;
    window.saved.filterAdvanced = false;
    window.saved.slideButtonsOut = {false, true, true, false, true};
    window.saved.columnWidths = {1000, 2000, 300, 400, 500, 600, 700};
    Config(settings).saveConfig(window);
    QCOMPARE(regModule::queryValue(key, "CF"), QString("65 0 2 1 2 2 3 900 1200 8000 5000 22 1 "));
    QCOMPARE(regModule::queryValue(key, "CH"), QString("1000 2000 300 400 500 600 700 "));

    AppSettings loaded;
    FakeMainWindow other;
    Config(loaded).loadConfig(other);
    QCOMPARE(other.rect, (WindowRect {900, 1200, 8000, 5000}));
    QCOMPARE(loaded.uSK, true);
    QCOMPARE(loaded.slideMask, 22);
    TrayConfig::applyAutoOptions(loaded, regModule::queryValue(key, "CF"));
    QVERIFY(!loaded.aLU);
    QVERIFY(loaded.aSU);
}

void TestConfig::restoreGroupSelection_data()
{
    QTest::addColumn<QString>("cf");
    QTest::addColumn<int>("expected");
    QTest::newRow("nothing stored") << QString() << 0;
    QTest::newRow("a group") << "0 0 0 0 1 1 5 " << 5;
    QTest::newRow("no group chosen") << "0 0 0 0 1 1 -1 " << -1;
    QTest::newRow("text reads as 0") << "0 0 0 0 1 1 abc " << 0;
    QTest::newRow("leading number") << "0 0 0 0 1 1 7x " << 7;
}

void TestConfig::restoreGroupSelection()
{
    QFETCH(QString, cf);
    QFETCH(int, expected);
    if (!cf.isNull())
        store("CF", cf);
    AppSettings settings;
    settings.lastIDX2 = 99;
    QCOMPARE(Config(settings).restoreGroupSelection(), expected);
    QCOMPARE(settings.lastIDX2, expected);
}

void TestConfig::earlyConfigStored_data()
{
    QTest::addColumn<QString>("id");  // null: nothing stored
    QTest::addColumn<QString>("cf");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("trayTop");
    QTest::addColumn<bool>("aI");
    QTest::addColumn<bool>("iAOT");
    QTest::addColumn<bool>("aLU");

    // First start: the tray icon is shown so that the program can be reached;
    // nothing else is shown; the default place is half way down.
    QTest::newRow("first start") << QString() << QString() << QStringList {"trayIcon disabled=0"} << 5760 << false
                                 << true << true;
    QTest::newRow("stored place and shown button")
        << "1 3000 6000 0 0 1 True False" << "64 " << QStringList {"trayIcon disabled=1", "activeIcon"} << 3000 << true
        << false << false;
    QTest::newRow("button waits for a connection")
        << "1 3000 6000 0 1 0 False True" << "0 " << QStringList {"trayIcon disabled=0"} << 3000 << false << true << true;
    QTest::newRow("place outside the screen is not used")
        << "0 20000 6000 1 1 0 False False" << QString() << QStringList {"trayIcon disabled=0"} << 5760 << false << true
        << true;
    QTest::newRow("one field: button always on top")
        << "2" << QString() << QStringList {"trayIcon disabled=1"} << 5760 << false << true << true;
}

void TestConfig::earlyConfigStored()
{
    QFETCH(QString, id);
    QFETCH(QString, cf);
    QFETCH(QStringList, calls);
    QFETCH(int, trayTop);
    QFETCH(bool, aI);
    QFETCH(bool, iAOT);
    QFETCH(bool, aLU);

    if (!id.isNull())
        store("ID", id);
    if (!cf.isNull())
        store("CF", cf);
    AppSettings settings;
    settings.dTI = true;  // as left by an earlier read; a stored ID decides
    settings.iAOT = false;
    FakeTrayWindow tray;
    TrayConfig(settings).earlyConfig(tray);
    QCOMPARE(tray.calls, calls);
    QCOMPARE(tray.rect.top, trayTop);
    QCOMPARE(tray.rect.left, trayTop == 3000 ? 6000 : 15360 - 480 - 200);  // stored, or left of the right edge
    QCOMPARE(settings.aI, aI);
    QCOMPARE(settings.iAOT, iAOT);
    QCOMPARE(settings.aLU, aLU);
    if (id.isNull())
        QVERIFY(settings.aLS && settings.aSS && settings.aSU);
}

void TestConfig::lateSaveWritesTrayPlace()
{
    AppSettings settings;
    settings.mT = 2;
    settings.aI = true;
    settings.dTI = true;
    FakeTrayWindow tray;
    tray.rect = {450, 9000, 480, 480};
    TrayConfig(settings).lateSave(tray);
    QCOMPARE(regModule::queryValue(key, "ID"), QString("2 450 9000 0 1 0 True False"));
    QCOMPARE(settings.trayLeft, 9000);
}

QTEST_GUILESS_MAIN(TestConfig)
#include "TestConfig.moc"
