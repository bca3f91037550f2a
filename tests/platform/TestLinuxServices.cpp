// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClipboardContents.h"
#include "LinuxConnectionState.h"
#include "LinuxProgramStarter.h"
#include "RouteTable.h"
#include "TestEnvironment.h"
#include "VirtualKeys.h"
#include "X11DesktopWindows.h"
#include "XTestSyntheticKeys.h"

#include <QMimeData>
#include <QNetworkInterface>
#include <QtTest>
#include <X11/keysym.h>

namespace {

const QByteArray routeHeader
    = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

QByteArray route(const char *iface, const char *destination, const char *flags, const char *mask)
{
    return QByteArray(iface) + '\t' + destination + "\t010200C0\t" + flags + "\t0\t0\t100\t" + mask
        + "\t0\t0\t0\n";
}

// A program that records its arguments, NUL-terminated, into args.out beside itself.
const QByteArray recorder = "#!/bin/sh\n"
                            "out=\"$(dirname \"$0\")/args.out\"\n"
                            "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$out.part\"\n"
                            "mv \"$out.part\" \"$out\"\n";

}  // namespace

// The Linux services that need no desktop: the routing table, remote-access
// interfaces, starting programs, key names; and the desktop services where
// there is no X server.
class TestLinuxServices : public QObject
{
    Q_OBJECT

    QTemporaryDir m_bin;

private slots:
    void initTestCase()
    {
        QFile script(TestEnvironment::writeFile(m_bin.filePath("recorder"), recorder));
        QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeUser));
        TestEnvironment::writeFile(m_bin.filePath("not-executable"), recorder);
        qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + qgetenv("PATH"));
    }

    void defaultRoute_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QStringList>("interfaces");
        QTest::addColumn<bool>("connected");  // with eth0 and wlan0 up, ppp0 down

        QTest::newRow("default route up")
            << routeHeader + route("eth0", "00000000", "0003", "00000000") << QStringList {"eth0"} << true;
        QTest::newRow("default route without the up flag")
            << routeHeader + route("eth0", "00000000", "0002", "00000000") << QStringList() << false;
        QTest::newRow("default route on an interface that is down")
            << routeHeader + route("ppp0", "00000000", "0001", "00000000") << QStringList {"ppp0"} << false;
        QTest::newRow("network route, no default")
            << routeHeader + route("eth0", "0002000A", "0001", "00FFFFFF") << QStringList() << false;
        QTest::newRow("zero destination, mask not 0")
            << routeHeader + route("eth0", "00000000", "0001", "000000FF") << QStringList() << false;
        QTest::newRow("second of several routes")
            << routeHeader + route("eth0", "0002000A", "0001", "00FFFFFF")
                + route("ppp0", "00000000", "0001", "00000000")
                + route("wlan0", "00000000", "0003", "00000000")
            << QStringList {"ppp0", "wlan0"} << true;
        QTest::newRow("header only") << routeHeader << QStringList() << false;
        QTest::newRow("a route in the header's place")
            << route("eth0", "00000000", "0003", "00000000") << QStringList() << false;
        QTest::newRow("short and garbled lines") << routeHeader + "eth0\t00000000\t0\t0003\n"
                + route("eth0", "zz", "0003", "00000000") + route("eth0", "00000000", "xyz", "00000000")
                                                 << QStringList() << false;
        QTest::newRow("empty") << QByteArray() << QStringList() << false;
    }

    void defaultRoute()
    {
        QFETCH(QByteArray, table);
        QFETCH(QStringList, interfaces);
        QFETCH(bool, connected);

        QCOMPARE(RouteTable::defaultRouteInterfaces(table), interfaces);
        const auto up = [](const QString &name) { return name == "eth0" || name == "wlan0"; };
        QCOMPARE(RouteTable::hasDefaultRoute(table, up), connected);
    }

    void systemConnection()
    {
        // Whatever this machine's state, the two ways agree on the same table,
        // and no interface of this machine that is not point-to-point counts as remote.
        LinuxConnectionState state;
        state.internetConnected();
        for (const quint32 handle : state.remoteConnections())
            QCOMPARE(state.remoteConnectionStatus(handle), ConnectionState::connected);
        const QNetworkInterface loopback = QNetworkInterface::interfaceFromName("lo");
        if (loopback.isValid())
            QCOMPARE(state.remoteConnectionStatus(quint32(loopback.index())), 0u);
        QCOMPARE(state.remoteConnectionStatus(0x7fffffff), 0u);
    }

    void remoteAccess_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("pointToPoint");
        QTest::addColumn<bool>("remote");

        QTest::newRow("ppp0") << "ppp0" << true << true;
        QTest::newRow("tun0") << "tun0" << false << true;
        QTest::newRow("wwan0, not point-to-point") << "wwan0" << false << true;
        QTest::newRow("any point-to-point link") << "vpn7" << true << true;
        QTest::newRow("ethernet") << "eth0" << false << false;
        QTest::newRow("wireless") << "wlp2s0" << false << false;
        QTest::newRow("loopback") << "lo" << false << false;
    }

    void remoteAccess()
    {
        QFETCH(QString, name);
        QFETCH(bool, pointToPoint);
        QFETCH(bool, remote);

        QCOMPARE(LinuxConnectionState::isRemoteAccess(name, pointToPoint), remote);
    }

    void startDetached_data()
    {
        QTest::addColumn<QString>("program");  // a name on PATH, or a path below the test's bin folder
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("started");

        QTest::newRow("address by name on PATH")
            << "recorder" << QStringList {"https://example.org/a b?c=d"} << true;
        QTest::newRow("shell syntax stays text")
            << "BIN/recorder"
            << QStringList {"http://x/$(touch BIN/ran);`touch BIN/ran` | touch BIN/ran && \"q\" 'q' \\ *"}
            << true;
        QTest::newRow("option-like, empty and multi-line arguments")
            << "BIN/recorder" << QStringList {"--new-tab", "", "-x\nline two", "ü — 日本"} << true;
        QTest::newRow("missing program") << "no-such-browser" << QStringList {"http://x/"} << false;
        QTest::newRow("missing path") << "BIN/no-such-browser" << QStringList {"http://x/"} << false;
        QTest::newRow("not executable") << "BIN/not-executable" << QStringList {"http://x/"} << false;
        QTest::newRow("a folder") << "BIN" << QStringList {"http://x/"} << false;
        QTest::newRow("no program") << "" << QStringList() << false;
    }

    void startDetached()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(bool, started);

        program.replace("BIN", m_bin.path());
        arguments.replaceInStrings("BIN", m_bin.path());
        QFile::remove(m_bin.filePath("args.out"));
        LinuxProgramStarter starter;
        QString error;
        QCOMPARE(starter.startDetached(program, arguments, &error), started);
        if (!started) {
            QVERIFY2(error.contains(program.isEmpty() ? "program" : program), qPrintable(error));
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_bin.filePath("args.out")), 10000);
        QByteArray recorded;
        for (const QString &argument : arguments)
            recorded += argument.toUtf8() + '\0';
        QCOMPARE(TestEnvironment::readFile(m_bin.filePath("args.out")), recorded);
        QVERIFY(!QFile::exists(m_bin.filePath("ran")));
    }

    void keysyms_data()
    {
        QTest::addColumn<int>("virtualKey");
        QTest::addColumn<uint>("keysym");

        QTest::newRow("Ctrl") << 0x11 << uint(XK_Control_L);
        QTest::newRow("Alt") << 0x12 << uint(XK_Alt_L);
        QTest::newRow("Enter") << 0x0D << uint(XK_Return);
        QTest::newRow("Escape") << 0x1B << uint(XK_Escape);
        QTest::newRow("F1") << 0x70 << uint(XK_F1);
        QTest::newRow("F5") << 0x74 << uint(XK_F5);
        QTest::newRow("F6") << 0x75 << uint(XK_F6);
        QTest::newRow("F24") << 0x87 << uint(XK_F24);
        QTest::newRow("A") << int('A') << uint(XK_a);
        QTest::newRow("D") << int('D') << uint(XK_d);
        QTest::newRow("Z") << int('Z') << uint(XK_z);
        QTest::newRow("0") << int('0') << uint(XK_0);
        QTest::newRow("9") << int('9') << uint(XK_9);
        QTest::newRow("Delete") << 0x2E << uint(XK_Delete);
        QTest::newRow("no key 0x07") << 0x07 << 0u;
        QTest::newRow("no key 0xFF") << 0xFF << 0u;
        QTest::newRow("lower-case letter is no key") << int('a') << 0u;
    }

    void keysyms()
    {
        QFETCH(int, virtualKey);
        QFETCH(uint, keysym);

        QCOMPARE(VirtualKeys::keysym(quint8(virtualKey)), keysym);
    }

    // The clipboard's contents as tsy hands them to the keeper process: read
    // back whole, or not at all.
    void clipboardContents_data()
    {
        QTest::addColumn<QList<ClipboardContents::Format>>("formats");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("read");

        const QList<ClipboardContents::Format> formats {{"text/plain", "caf\xc3\xa9"},
                                                        {"text/html", "<b>x</b>"},
                                                        {"image/png", QByteArray("\x89PNG\0\xff", 7)}};
        QTest::newRow("text, HTML and binary bytes") << formats << "" << true;
        QTest::newRow("nothing") << QList<ClipboardContents::Format>() << "" << true;
        QTest::newRow("cut short") << formats << "cut" << false;
        QTest::newRow("another program's bytes") << formats << "magic" << false;
        QTest::newRow("bytes after the contents") << formats << "append" << false;
    }

    void clipboardContents()
    {
        QFETCH(QList<ClipboardContents::Format>, formats);
        QFETCH(QString, damage);
        QFETCH(bool, read);

        QByteArray bytes = ClipboardContents(formats).toBytes();
        if (damage == "cut")
            bytes.chop(3);
        else if (damage == "magic")
            bytes[0] = 'X';
        else if (damage == "append")
            bytes += 'x';
        const std::optional<ClipboardContents> back = ClipboardContents::fromBytes(bytes);
        QCOMPARE(back.has_value(), read);
        if (read)
            QCOMPARE(back->formats(), formats);
    }

    // Only MIME formats with bytes are contents: not the X selection's own
    // targets, nor the image format Qt makes up.
    void clipboardFormats()
    {
        QMimeData data;
        data.setData("text/plain", "text");
        data.setData("TIMESTAMP", "1234");
        data.setData("application/x-qt-image", "image");
        data.setData("text/html", QByteArray());
        data.setData("text/uri-list", "http://a.example/\r\n");
        const QList<ClipboardContents::Format> expected {{"text/plain", "text"},
                                                         {"text/uri-list", "http://a.example/\r\n"}};
        QCOMPARE(ClipboardContents::fromMimeData(data).formats(), expected);
        std::unique_ptr<QMimeData> made(ClipboardContents(expected).toMimeData());
        QCOMPARE(made->formats(), QStringList({"text/plain", "text/uri-list"}));
        QCOMPARE(made->data("text/uri-list"), QByteArray("http://a.example/\r\n"));
    }

    void withoutDisplay()
    {
        const QByteArray display = qgetenv("DISPLAY");
        qputenv("DISPLAY", ":4095");  // no server there
        X11DesktopWindows windows;
        XTestSyntheticKeys keys;
        qputenv("DISPLAY", display);
        QVERIFY(!windows.available());
        QVERIFY(windows.topLevelWindows().isEmpty());
        QCOMPARE(windows.windowTitle(42), QString());
        QVERIFY(!windows.activate(42, 10));
        QCOMPARE(windows.activeWindow(), 0u);
        QVERIFY(!keys.available());
        QVERIFY(!keys.send({{0x11, false}, {0x11, true}}));
    }
};

QTEST_GUILESS_MAIN(TestLinuxServices)
#include "TestLinuxServices.moc"
