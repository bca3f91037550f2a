// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppPaths.h"
#include "HiveSession.h"
#include "Registry.h"
#include "ShellFolders.h"
#include "TestEnvironment.h"
#include "regModule.h"

#include <QLockFile>
#include <QProcess>
#include <QStringDecoder>
#include <QSysInfo>
#include <QtTest>

#include <memory>

using namespace regModule;

namespace {

const QString key = QStringLiteral("SOFTWARE\\Orvane\\Tessaly\\");

KeyHandle openedKey(const QString &path = key)
{
    KeyHandle handle;
    openKey(Registry::HKEY_CURRENT_USER, path, &handle);
    return handle;
}

// The number of a process that has ended.
qint64 endedProcess()
{
    QProcess process;
    process.start("/bin/true", QStringList());
    process.waitForStarted();
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

QString lockFile()
{
    return Registry::hiveFilePath(Registry::HKEY_CURRENT_USER) + ".lock";
}

} // namespace

// The registry procedures over the hive files.
class TestRegModule : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void valuesReadBack_data();
    void valuesReadBack();
    void dataLength();
    void otherTypesReadAsNothing();
    void missingValuesLeaveOutValue();
    void writingBeforeTheKeyExistsStoresNothing();
    void unreadableHiveIsNeverReplaced();
    void damagedHiveKeepsItsValuesOnWrite();
    void hivesAreSeparateFiles();
    void windowsEditorHiveIsReadAndKept();
    void abandonedLockIsTakenOver_data();
    void abandonedLockIsTakenOver();
    void liveLockIsReportedAsLocked();
    void sessionReadsTheHiveOnce();
    void hiveWrites_data();
    void hiveWrites();
    void shellFolders_data();
    void shellFolders();
    void appPathsFilledOnceAndKept();

private:
    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
};

void TestRegModule::init()
{
    m_config = std::make_unique<TestEnvironment::ConfigFolder>();
    Registry::setLockWait(std::chrono::seconds(1));
    QDir().mkpath(m_config->path() + "/Tessaly");
}

void TestRegModule::valuesReadBack_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QString>("text");       // what queryValue returns
    QTest::addColumn<QVariant>("queried");   // what queryValueEx hands back

    QTest::newRow("string") << REG_SZ << QVariant("0 1 2 ") << "0 1 2 " << QVariant("0 1 2 ");
    QTest::newRow("empty string reads as nothing") << REG_SZ << QVariant("") << "" << QVariant("");
    QTest::newRow("number written as string") << REG_SZ << QVariant(42) << "42" << QVariant("42");
    QTest::newRow("dword zero is 0, not nothing") << REG_DWORD << QVariant(0) << "0" << QVariant(0);
    QTest::newRow("dword negative") << REG_DWORD << QVariant(-5) << "-5" << QVariant(-5);
    QTest::newRow("dword from text") << REG_DWORD << QVariant("17") << "17" << QVariant(17);
    QTest::newRow("dword past 31 bits wraps to signed") << REG_DWORD << QVariant(qlonglong(0xFFFFFFFF)) << "-1"
                                                        << QVariant(-1);
}

void TestRegModule::valuesReadBack()
{
    QFETCH(quint32, type);
    QFETCH(QVariant, written);
    QFETCH(QString, text);
    QFETCH(QVariant, queried);

    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QCOMPARE(setKeyValue(key, "v", written, type), ERROR_SUCCESS);
    QCOMPARE(queryValue(key, "v"), text);
    QCOMPARE(queryValue("software\\orvane\\TESSALY", "V"), text);
    QVariant value;
    QCOMPARE(queryValueEx(openedKey(), "v", value), ERROR_SUCCESS);
    QCOMPARE(value, queried);
}

void TestRegModule::dataLength()
{
    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QCOMPARE(setValueEx(openedKey(), "s", REG_SZ, QString::fromUtf8("abc")), ERROR_SUCCESS);
    QCOMPARE(setValueEx(openedKey(), "d", REG_DWORD, 7), ERROR_SUCCESS);
    RegistryHive hive(Registry::rootName(Registry::HKEY_CURRENT_USER));
    QVERIFY(Registry::readHive(Registry::HKEY_CURRENT_USER, &hive));
    QCOMPARE(RegistryHive::dataSize(*hive.value(key, "s")), 4);
    QCOMPARE(RegistryHive::dataSize(*hive.value(key, "d")), 4);
}

void TestRegModule::otherTypesReadAsNothing()
{
    QDir().mkpath(m_config->path() + "/Tessaly");
    TestEnvironment::writeFile(m_config->hiveFile("HKEY_CURRENT_USER"),
                               "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Orvane\\Tessaly]\n"
                               "\"bin\"=hex:01,02\n\"exp\"=hex(2):41,00,00,00\n");
    QCOMPARE(queryValue(key, "bin"), QString());
    QCOMPARE(queryValue(key, "exp"), QString());
    QVariant value = QStringLiteral("untouched");
    QCOMPARE(queryValueEx(openedKey(), "bin", value), -1L);
    QCOMPARE(value, QVariant("untouched"));
    // Writing another type writes nothing and succeeds.
    QCOMPARE(setValueEx(openedKey(), "bin", RegistryHive::RegBinary, QByteArray("x")), ERROR_SUCCESS);
    QVERIFY(TestEnvironment::readFile(m_config->hiveFile("HKEY_CURRENT_USER")).contains("\"bin\"=hex:01,02"));
}

void TestRegModule::missingValuesLeaveOutValue()
{
    QVariant value = QStringLiteral("untouched");
    QCOMPARE(queryValueEx(openedKey(), "v", value), ERROR_INVALID_HANDLE);  // the key does not exist
    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QCOMPARE(queryValueEx(openedKey(), "v", value), ERROR_FILE_NOT_FOUND);
    QCOMPARE(value, QVariant("untouched"));
    QCOMPARE(queryValue(key, "v"), QString());
    QCOMPARE(queryValue("SOFTWARE\\Nowhere", "v"), QString());
}

void TestRegModule::writingBeforeTheKeyExistsStoresNothing()
{
    QCOMPARE(setKeyValue(key, "ID", "1", REG_SZ), ERROR_FILE_NOT_FOUND);
    QCOMPARE(queryValue(key, "ID"), QString());
    QVERIFY(!QFileInfo::exists(m_config->hiveFile("HKEY_CURRENT_USER")));
    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QCOMPARE(setKeyValue(key, "ID", "1", REG_SZ), ERROR_SUCCESS);
    QCOMPARE(queryValue(key, "ID"), QString("1"));
}

// A hive that exists but cannot be read is never replaced by an empty one.
void TestRegModule::unreadableHiveIsNeverReplaced()
{
    QVERIFY(QDir().mkpath(m_config->hiveFile("HKEY_CURRENT_USER")));  // a folder where the file belongs
    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QVERIFY(setKeyValue(key, "ID", "1", REG_SZ) != ERROR_SUCCESS);
    QVERIFY(QFileInfo(m_config->hiveFile("HKEY_CURRENT_USER")).isDir());
    QString error;
    QVERIFY(!Registry::changeHive(Registry::HKEY_CURRENT_USER, [](RegistryHive &) { return true; }, &error));
    QVERIFY2(error.contains("HKEY_CURRENT_USER.reg"), qPrintable(error));
}

void TestRegModule::damagedHiveKeepsItsValuesOnWrite()
{
    QDir().mkpath(m_config->path() + "/Tessaly");
    const QString file = m_config->hiveFile("HKEY_CURRENT_USER");
    TestEnvironment::writeFile(file, QByteArray("\xff\xfe garbage\n[HKEY_CURRENT_USER\\SOFTWARE\\Orvane\\Tessaly]\n"
                                                "\"CF\"=\"0 0 \"\n\"bad\"=\"unterminated\n\0\0\n"
                                                "\"CH\"=\"100 200 \"\n[HKEY_CURRENT_USER\\Other]\n\"x\"=dword:00000001\n",
                                                151));
    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QCOMPARE(setKeyValue(key, "ID", "0 0 0 1 1 0 False False", REG_SZ), ERROR_SUCCESS);
    QCOMPARE(queryValue(key, "CF"), QString("0 0 "));
    QCOMPARE(queryValue(key, "CH"), QString("100 200 "));
    QCOMPARE(queryValue("Other", "x"), QString("1"));
    QCOMPARE(queryValue(key, "ID"), QString("0 0 0 1 1 0 False False"));
    QVERIFY(TestEnvironment::readFile(file).startsWith("REGEDIT4\n"));
}

void TestRegModule::hivesAreSeparateFiles()
{
    createNewKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\X.EXE", Registry::HKEY_LOCAL_MACHINE);
    KeyHandle machine;
    QCOMPARE(openKey(Registry::HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion\\app paths\\x.exe",
                     &machine),
             ERROR_SUCCESS);
    QCOMPARE(setValueEx(machine, "", REG_SZ, "/usr/bin/x"), ERROR_SUCCESS);
    QVariant value;
    QCOMPARE(queryValueEx(machine, "", value), ERROR_SUCCESS);
    QCOMPARE(value.toString(), QString("/usr/bin/x"));
    QVERIFY(QFileInfo::exists(m_config->hiveFile("HKEY_LOCAL_MACHINE")));
    QVERIFY(!QFileInfo::exists(m_config->hiveFile("HKEY_CURRENT_USER")));
    KeyHandle none;
    QCOMPARE(openKey(0x80000003, "x", &none), ERROR_INVALID_HANDLE);
}

// A hive saved by the Windows registry editor (UTF-16, version 5.00) is read,
// and a later write keeps its form and every value it held.
void TestRegModule::windowsEditorHiveIsReadAndKept()
{
    const QString file = m_config->hiveFile("HKEY_CURRENT_USER");
    QVERIFY(QFile::copy(QStringLiteral(TESSALY_TEST_DATA "/registry/windows-editor-5.00.reg"), file));
    const QByteArray original = TestEnvironment::readFile(file);
    QCOMPARE(queryValue(key, "CF"), QString("72 0 2 0 1 1 0 0 0 9600 7200 0 1 "));
    QCOMPARE(queryValue(key, "Count"), QString("42"));
    QCOMPARE(queryValue(key, "Title"), QString::fromUtf8("Téssaly"));
    QCOMPARE(queryValue(key, "Limit"), QString("1000"));
    QCOMPARE(queryValue(key + "Recent", ""), QString("C:\\Users\\me\\Favorites"));

    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QCOMPARE(setKeyValue(key, "CH", "100 200 ", REG_SZ), ERROR_SUCCESS);
    const QByteArray written = TestEnvironment::readFile(file);
    QVERIFY(written.startsWith(original.left(80)));  // byte-order mark and header
    const QString before = QStringDecoder(QStringConverter::Utf16LE)(original);
    const QString after = QStringDecoder(QStringConverter::Utf16LE)(written);
    for (const QString &line : before.split("\r\n")) {
        if (!line.startsWith("  ") && !line.endsWith('\\'))  // continued lines are written joined
            QVERIFY2(after.contains(line + "\r\n"), qPrintable(line));
    }
    QVERIFY(after.contains("\"Home\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,5c,00,54,00,65,00,73,00,73,00,61,"));
    QCOMPARE(queryValue(key, "CH"), QString("100 200 "));
}

// A lock file left by a writer that is gone does not hold up the next one.
void TestRegModule::abandonedLockIsTakenOver_data()
{
    QTest::addColumn<QByteArray>("lock");
    const QByteArray here = QSysInfo::machineHostName().toUtf8();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not naming a process") << QByteArray("\\n\\n");
    QTest::newRow("naming a process that has ended") << QByteArray::number(endedProcess()) + "\ntsy\n" + here + "\n";
}

void TestRegModule::abandonedLockIsTakenOver()
{
    QFETCH(QByteArray, lock);
    TestEnvironment::writeFile(lockFile(), lock);
    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QCOMPARE(setKeyValue(key, "ID", "1", REG_SZ), ERROR_SUCCESS);
    QCOMPARE(queryValue(key, "ID"), QString("1"));
    QVERIFY(!QFileInfo::exists(lockFile()));
}

void TestRegModule::liveLockIsReportedAsLocked()
{
    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QLockFile holder(lockFile());
    QVERIFY(holder.tryLock(0));
    Registry::setLockWait(std::chrono::milliseconds(100));
    QString error;
    QVERIFY(!Registry::changeHive(Registry::HKEY_CURRENT_USER, [](RegistryHive &) { return true; }, &error));
    QVERIFY2(error.contains("HKEY_CURRENT_USER.reg: is locked"), qPrintable(error));
    const HiveSession writing(Registry::HKEY_CURRENT_USER, HiveSession::Writing);
    QVERIFY(!writing.isOpen());
    QCOMPARE(writing.errorString(), error);
    QVERIFY(setKeyValue(key, "ID", "1", REG_SZ) != ERROR_SUCCESS);
    QVERIFY(HiveSession(Registry::HKEY_CURRENT_USER, HiveSession::Reading).isOpen());  // readers do not lock
    holder.unlock();
    QCOMPARE(setKeyValue(key, "ID", "1", REG_SZ), ERROR_SUCCESS);
}

// While a session holds the hive, the procedures use its copy: the file is
// read once, and, for writing, locked throughout.
void TestRegModule::sessionReadsTheHiveOnce()
{
    const QString file = m_config->hiveFile("HKEY_CURRENT_USER");
    const QByteArray head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Orvane\\Tessaly]\n";
    TestEnvironment::writeFile(file, head + "\"CF\"=\"1\"\n");
    {
        const HiveSession reading(Registry::HKEY_CURRENT_USER, HiveSession::Reading);
        TestEnvironment::writeFile(file, head + "\"CF\"=\"2\"\n");
        QCOMPARE(queryValue(key, "CF"), QString("1"));
        QCOMPARE(setKeyValue(key, "ID", "x", REG_SZ), ERROR_SUCCESS);  // written to the file, seen by the session
        QCOMPARE(queryValue(key, "ID"), QString("x"));
        QCOMPARE(queryValue(key, "CF"), QString("2"));
    }
    {
        const HiveSession writing(Registry::HKEY_CURRENT_USER, HiveSession::Writing);
        QVERIFY(writing.isOpen());
        QVERIFY(!QLockFile(lockFile()).tryLock(0));
        createNewKey("SOFTWARE\\New", Registry::HKEY_CURRENT_USER);
        QCOMPARE(setKeyValue("SOFTWARE\\New", "n", 5, REG_DWORD), ERROR_SUCCESS);
        QVERIFY(TestEnvironment::readFile(file).contains("[HKEY_CURRENT_USER\\SOFTWARE\\New]\n\"n\"=dword:00000005\n"));
        QCOMPARE(setKeyValue("SOFTWARE\\Missing", "n", "1", REG_SZ), ERROR_FILE_NOT_FOUND);
    }
    QVERIFY(QLockFile(lockFile()).tryLock(0));
    QCOMPARE(queryValue("SOFTWARE\\New", "n"), QString("5"));
}

// Each write replaces the file and flushes it: a value set to what it was is
// not written, and a deferred session writes its changes once, at its close.
// A write sweeps up after killed writes.
void TestRegModule::hiveWrites_data()
{
    QTest::addColumn<int>("mode");  // -1: no session
    QTest::addColumn<QString>("cf");
    QTest::addColumn<int>("writesBeforeClose");
    QTest::addColumn<int>("writesAtClose");
    QTest::newRow("no session, values changed") << -1 << "2" << 2 << 0;
    QTest::newRow("no session, values as they were") << -1 << "1" << 0 << 0;
    QTest::newRow("writing session, values changed") << int(HiveSession::Writing) << "2" << 2 << 0;
    QTest::newRow("writing session, values as they were") << int(HiveSession::Writing) << "1" << 0 << 0;
    QTest::newRow("deferred session, values changed") << int(HiveSession::Deferred) << "2" << 0 << 1;
    QTest::newRow("deferred session, values as they were") << int(HiveSession::Deferred) << "1" << 0 << 0;
}

void TestRegModule::hiveWrites()
{
    QFETCH(int, mode);
    QFETCH(QString, cf);
    QFETCH(int, writesBeforeClose);
    QFETCH(int, writesAtClose);
    const QString file = m_config->hiveFile("HKEY_CURRENT_USER");
    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QCOMPARE(setKeyValue(key, "CF", "1", REG_SZ), ERROR_SUCCESS);
    QCOMPARE(setKeyValue(key, "ID", "1", REG_SZ), ERROR_SUCCESS);
    const QByteArray before = TestEnvironment::readFile(file);
    const QString leftByKilledWrite = TestEnvironment::writeFile(file + ".tmp-0123abcd", "REGEDIT4\n\n[HKEY_CU");
    const quint64 start = Registry::hiveFileWrites();
    std::unique_ptr<HiveSession> session;
    if (mode >= 0)
        session = std::make_unique<HiveSession>(Registry::HKEY_CURRENT_USER, HiveSession::Mode(mode));
    createNewKey(key, Registry::HKEY_CURRENT_USER);
    QCOMPARE(setKeyValue(key, "CF", cf, REG_SZ), ERROR_SUCCESS);
    QCOMPARE(setKeyValue(key, "ID", cf, REG_SZ), ERROR_SUCCESS);
    QCOMPARE(queryValue(key, "ID"), cf);
    QCOMPARE(int(Registry::hiveFileWrites() - start), writesBeforeClose);
    if (writesBeforeClose == 0)
        QCOMPARE(TestEnvironment::readFile(file), before);
    if (session) {
        QVERIFY(!QLockFile(lockFile()).tryLock(0));  // held until the close
        QVERIFY(session->close());
        QVERIFY(QLockFile(lockFile()).tryLock(0));  // the close gave the lock back
    }
    QCOMPARE(int(Registry::hiveFileWrites() - start), writesBeforeClose + writesAtClose);
    QCOMPARE(queryValue(key, "CF"), cf);
    QCOMPARE(queryValue(key, "ID"), cf);
    session.reset();  // a closed session writes nothing more
    QCOMPARE(int(Registry::hiveFileWrites() - start), writesBeforeClose + writesAtClose);
    // A write removes the temporary file that a killed write left.
    QCOMPARE(QFileInfo::exists(leftByKilledWrite), writesBeforeClose + writesAtClose == 0);
}

void TestRegModule::shellFolders_data()
{
    QTest::addColumn<int>("csidl");
    QTest::addColumn<QString>("stored");    // under "User Shell Folders"; "" none
    QTest::addColumn<QString>("expected");  // "~" the home folder, "$C" the config folder, "$D" the data folder

    QTest::newRow("favorites") << 6 << "" << "$D/Tessaly/Favorites";
    QTest::newRow("startup") << 7 << "" << "$C/autostart";
    QTest::newRow("recent") << 8 << "" << "$D/Tessaly/Recent";
    QTest::newRow("moved") << 6 << "/srv/favs/" << "/srv/favs";
    QTest::newRow("moved below home") << 7 << "~/Start" << "~/Start";
    QTest::newRow("relative stored path ignored") << 6 << "favs" << "$D/Tessaly/Favorites";
    QTest::newRow("no such folder") << 5 << "" << "";
}

void TestRegModule::shellFolders()
{
    QFETCH(int, csidl);
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    const QStringList names = {"", "", "", "", "", "Personal", "Favorites", "Startup", "Recent"};
    if (!stored.isEmpty()) {
        createNewKey(ShellFolders::userShellFoldersKey(), Registry::HKEY_CURRENT_USER);
        QCOMPARE(setKeyValue(ShellFolders::userShellFoldersKey(), names[csidl], stored, REG_SZ), ERROR_SUCCESS);
    }
    expected.replace("$C", QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    expected.replace("$D", QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (expected.startsWith('~'))
        expected.replace(0, 1, QDir::homePath());
    QCOMPARE(ShellFolders::getSpecialFolder(csidl), expected);
}

// The browsers' entries are filled when missing and then left to the user;
// the program's own entry follows the program.
void TestRegModule::appPathsFilledOnceAndKept()
{
    QCOMPARE(AppPaths::getAppPath("TESSALY.EXE", ""), QString());
    QVERIFY(AppPaths::fillAppPaths("/opt/a/tessaly"));
    QCOMPARE(AppPaths::getAppPath("TESSALY.EXE", ""), QString("/opt/a/tessaly"));
    QCOMPARE(AppPaths::getAppPath("IEXPLORE.EXE", ""), AppPaths::defaultBrowserOpener());
    QVERIFY(!AppPaths::getAppPath("Netscape.exe", "").isEmpty());
    QVERIFY(!AppPaths::getAppPath("Opera.EXE", "").isEmpty());
    QCOMPARE(AppPaths::getAppPath("Opera.EXE", "Path"), QString());

    const QString operaKey = AppPaths::keyPrefix() + "Opera.EXE";
    KeyHandle opera;
    QCOMPARE(openKey(Registry::HKEY_LOCAL_MACHINE, operaKey, &opera), ERROR_SUCCESS);
    QCOMPARE(setValueEx(opera, "", REG_SZ, QString("/home/u/bin/my-opera")), ERROR_SUCCESS);
    const quint64 writes = Registry::hiveFileWrites();
    QVERIFY(AppPaths::fillAppPaths("/opt/a/tessaly"));
    QCOMPARE(Registry::hiveFileWrites(), writes);  // nothing to change, nothing written
    QVERIFY(AppPaths::fillAppPaths("/opt/b/tessaly"));
    QCOMPARE(AppPaths::getAppPath("Opera.EXE", ""), QString("/home/u/bin/my-opera"));
    QCOMPARE(AppPaths::getAppPath("TESSALY.EXE", ""), QString("/opt/b/tessaly"));

    // A browser installed after the entry was made with the opener replaces it.
    QTemporaryDir bin;
    QFile firefox(bin.filePath("firefox"));
    QVERIFY(firefox.open(QIODevice::WriteOnly));
    firefox.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    firefox.close();
    KeyHandle netscape;
    QCOMPARE(openKey(Registry::HKEY_LOCAL_MACHINE, AppPaths::keyPrefix() + "Netscape.exe", &netscape), ERROR_SUCCESS);
    QCOMPARE(setValueEx(netscape, "", REG_SZ, AppPaths::defaultBrowserOpener()), ERROR_SUCCESS);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    QVERIFY(AppPaths::fillAppPaths("/opt/b/tessaly"));
    qputenv("PATH", path);
    QCOMPARE(AppPaths::getAppPath("Netscape.exe", ""), bin.filePath("firefox"));
    QCOMPARE(AppPaths::getAppPath("Opera.EXE", ""), QString("/home/u/bin/my-opera"));
}

QTEST_GUILESS_MAIN(TestRegModule)
#include "TestRegModule.moc"
