#include "Registry.h"
#include "TestEnvironment.h"
#include "regModule.h"

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

private:
    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
};

void TestRegModule::init()
{
    m_config = std::make_unique<TestEnvironment::ConfigFolder>();
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

QTEST_GUILESS_MAIN(TestRegModule)
#include "TestRegModule.moc"
