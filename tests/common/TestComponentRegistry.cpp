#include "ComponentRegistry.h"
#include "EventHost.h"
#include "EventSource.h"
#include "MismatchedHost.h"
#include "Registry.h"
#include "TestEnvironment.h"
#include "regModule.h"

#include <QMetaProperty>
#include <QPluginLoader>
#include <QPointer>
#include <QtTest>
#include <memory>

// Creating the library's objects by program identifier, and talking to them
// by name only, as the program does: the test never links the library.
class TestComponentRegistry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void firstCreationRegistersLibraryBesideProgram();
    void createsOwnedObject_data();
    void createsOwnedObject();
    void propertiesByName_data();
    void propertiesByName();
    void applyCurrentReachesHostHandler_data();
    void applyCurrentReachesHostHandler();
    void handlerWithFewerArgumentsCalledOnce();
    void findCurrentVersionCallsHost();
    void findCurrentVersionWithoutAnswer_data();
    void findCurrentVersionWithoutAnswer();
    void unknownProgId_data();
    void unknownProgId();
    void classNotProvided_data();
    void classNotProvided();
    void registeredLibraryIsUsed();
    void fallbackSearchesEveryFolder();
    void brokenRegistrationFallsBack_data();
    void brokenRegistrationFallsBack();
    void brokenRegistrationWithoutFallback_data();
    void brokenRegistrationWithoutFallback();
    void nothingToLoad_data();
    void nothingToLoad();
    void registerLibraryStoresAbsolutePath();
    void registerLibraryRefusesOtherFiles_data();
    void registerLibraryRefusesOtherFiles();

private:
    static QString serverKey(const QString &progId);
    static void registerPath(const QString &progId, const QString &path);
    static void addBrokenFileRows();
    QString brokenFile(const QString &kind) const;
    QString copyOfLibrary(const QString &folder) const;

    QTemporaryDir m_config;  // XDG_CONFIG_HOME: the registry's hives
    QTemporaryDir m_scratch;
    QString m_beside;  // the library beside the test program
    QObject m_someWindow;
};

QString TestComponentRegistry::serverKey(const QString &progId)
{
    return "Software\\Classes\\" + progId + "\\InprocServer32";
}

// Writes a registration by hand, as another installation would have left it.
void TestComponentRegistry::registerPath(const QString &progId, const QString &path)
{
    regModule::createNewKey(serverKey(progId), Registry::HKEY_CURRENT_USER);
    regModule::setKeyValue(serverKey(progId), "", path, regModule::REG_SZ);
    QCOMPARE(regModule::queryValue(serverKey(progId), ""), path);
}

void TestComponentRegistry::addBrokenFileRows()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("loaderReason");  // the error carries QPluginLoader's own text

    QTest::newRow("missing file") << "missing" << false;
    QTest::newRow("text file") << "text" << true;
    QTest::newRow("shared library, no plugin") << "plain" << true;
    QTest::newRow("plugin of another kind") << "foreign" << false;
}

QString TestComponentRegistry::brokenFile(const QString &kind) const
{
    if (kind == "missing")
        return m_scratch.filePath("gone/libpemberly.so");
    if (kind == "text")
        return TestEnvironment::writeFile(m_scratch.filePath("libpemberly.so"), "not a library\n");
    if (kind == "plain")
        return PLAIN_LIBRARY_PATH;
    if (kind == "foreign")
        return FOREIGN_PLUGIN_PATH;
    qFatal("unknown kind of file %s", qPrintable(kind));
}

QString TestComponentRegistry::copyOfLibrary(const QString &folder) const
{
    QDir().mkpath(folder);
    const QString copy = QDir(folder).filePath("libpemberly.so");
    if (!QFile::copy(m_beside, copy))
        qFatal("cannot copy %s", qPrintable(m_beside));
    return copy;
}

void TestComponentRegistry::initTestCase()
{
    QVERIFY(m_config.isValid());
    QVERIFY(m_scratch.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    QVERIFY(Registry::hiveFolder().startsWith(m_config.path()));
    m_beside = QCoreApplication::applicationDirPath() + "/libpemberly.so";
    QVERIFY2(QFileInfo(m_beside).isFile(), qPrintable(m_beside));
    QVERIFY(QFileInfo(PLAIN_LIBRARY_PATH).isFile());
    QVERIFY(QFileInfo(FOREIGN_PLUGIN_PATH).isFile());
}

// Every case starts with an empty registry and an empty scratch folder.
void TestComponentRegistry::init()
{
    QFile::remove(Registry::hiveFilePath(Registry::HKEY_CURRENT_USER));
    QDir scratch(m_scratch.path());
    QVERIFY(scratch.removeRecursively());
    QVERIFY(scratch.mkpath("."));
}

void TestComponentRegistry::firstCreationRegistersLibraryBesideProgram()
{
    QVERIFY(ComponentRegistry::registeredLibrary("Pemberly.gConfig").isEmpty());

    QString error;
    std::unique_ptr<QObject> object(ComponentRegistry::createObject("Pemberly.gConfig", nullptr, &error));
    QVERIFY2(object, qPrintable(error));
    QCOMPARE(object->metaObject()->className(), "gConfig");
    QVERIFY(object->setProperty("aP", "/opt/tessaly"));
    QCOMPARE(object->property("aP").toString(), QString("/opt/tessaly"));

    regModule::KeyHandle key;
    QCOMPARE(regModule::openKey(Registry::HKEY_CURRENT_USER,
                                "Software\\Classes\\Pemberly.gConfig\\InprocServer32", &key),
             regModule::ERROR_SUCCESS);
    QVariant value;
    QCOMPARE(regModule::queryValueEx(key, "", value), regModule::ERROR_SUCCESS);
    QCOMPARE(value.typeId(), QMetaType::QString);  // REG_SZ
    QCOMPARE(value.toString(), m_beside);
    QCOMPARE(ComponentRegistry::registeredLibrary("Pemberly.gConfig"), m_beside);

    // Only the classes the library really creates are registered.
    QVERIFY(regModule::queryValue(serverKey("Pemberly.mergeBrow"), "").isEmpty());
    QVERIFY(regModule::queryValue(serverKey("Pemberly.uAbout"), "").isEmpty());
}

void TestComponentRegistry::createsOwnedObject_data()
{
    QTest::addColumn<QString>("progId");
    QTest::addColumn<bool>("parented");

    QTest::newRow("with parent") << "Pemberly.gConfig" << true;
    QTest::newRow("without parent") << "Pemberly.gConfig" << false;
    QTest::newRow("identifier in other case") << "pemberly.GCONFIG" << true;
}

void TestComponentRegistry::createsOwnedObject()
{
    QFETCH(QString, progId);
    QFETCH(bool, parented);

    auto *parent = new QObject;
    QString error;
    QPointer<QObject> object = ComponentRegistry::createObject(progId, parented ? parent : nullptr, &error);
    QVERIFY2(object, qPrintable(error));
    QCOMPARE(object->metaObject()->className(), "gConfig");
    QCOMPARE(object->parent(), parented ? parent : nullptr);
    delete parent;
    QCOMPARE(object.isNull(), parented);
    delete object;
}

void TestComponentRegistry::propertiesByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("sample");  // differs from the default value

    const int flag = QMetaType::Bool;
    const int byte = QMetaType::UChar;
    QTest::newRow("aP") << "aP" << int(QMetaType::QString) << QVariant("/opt/tessaly");
    QTest::newRow("frmMe") << "frmMe" << int(QMetaType::QObjectStar)
                           << QVariant::fromValue<QObject *>(&m_someWindow);
    QTest::newRow("appMe") << "appMe" << int(QMetaType::QObjectStar)
                           << QVariant::fromValue<QObject *>(&m_someWindow);
    QTest::newRow("alwaysConnected") << "alwaysConnected" << flag << QVariant(true);
    QTest::newRow("mT") << "mT" << byte << QVariant(2);
    QTest::newRow("oC") << "oC" << byte << QVariant(1);
    QTest::newRow("dTI") << "dTI" << flag << QVariant(true);
    QTest::newRow("hAI") << "hAI" << flag << QVariant(true);
    QTest::newRow("aI") << "aI" << flag << QVariant(true);
    QTest::newRow("cAF") << "cAF" << byte << QVariant(2);
    QTest::newRow("bFW") << "bFW" << flag << QVariant(true);
    QTest::newRow("pB") << "pB" << byte << QVariant(200);  // unsigned: above a signed byte's range
    QTest::newRow("uSK") << "uSK" << flag << QVariant(true);
    QTest::newRow("aLU") << "aLU" << flag << QVariant(true);
    QTest::newRow("aSU") << "aSU" << flag << QVariant(true);
    QTest::newRow("aLS") << "aLS" << flag << QVariant(true);
    QTest::newRow("aSS") << "aSS" << flag << QVariant(true);
    QTest::newRow("tP") << "tP" << byte << QVariant(3);
    QTest::newRow("iAOT") << "iAOT" << flag << QVariant(true);
    QTest::newRow("mAOT") << "mAOT" << flag << QVariant(true);
}

// Each property is declared with its type, keeps what is written to it, and
// has a field of its own: writing it changes no other property.
void TestComponentRegistry::propertiesByName()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(QVariant, sample);

    QString error;
    std::unique_ptr<QObject> object(ComponentRegistry::createObject("Pemberly.gConfig", nullptr, &error));
    std::unique_ptr<QObject> untouched(ComponentRegistry::createObject("Pemberly.gConfig", nullptr, &error));
    QVERIFY2(object && untouched, qPrintable(error));

    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    QVERIFY2(index >= 0, "not a declared property");
    const QMetaProperty property = meta->property(index);
    QCOMPARE(property.metaType().id(), type);
    QVERIFY(property.isReadable());
    QVERIFY(property.isWritable());

    QVERIFY(object->setProperty(name.toLatin1().constData(), sample));
    QVariant expected = sample;
    QVERIFY(expected.convert(QMetaType(type)));
    QCOMPARE(object->property(name.toLatin1().constData()), expected);

    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const char *other = meta->property(i).name();
        if (name != other)
            QVERIFY2(object->property(other) == untouched->property(other), other);
    }
}

void TestComponentRegistry::applyCurrentReachesHostHandler_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<int>("connections");

    QTest::newRow("handler of the variable") << "EventHost"
                                             << "gcfg" << 1;
    QTest::newRow("handlers of another variable") << "EventHost"
                                                  << "mb" << 0;
    QTest::newRow("host without handler") << "QObject"
                                          << "gcfg" << 0;
    QTest::newRow("handler with other parameters") << "MismatchedHost"
                                                   << "gcfg" << 0;
}

void TestComponentRegistry::applyCurrentReachesHostHandler()
{
    QFETCH(QString, host);
    QFETCH(QString, variable);
    QFETCH(int, connections);

    std::unique_ptr<QObject> window;
    if (host == "EventHost")
        window = std::make_unique<EventHost>();
    else if (host == "MismatchedHost")
        window = std::make_unique<MismatchedHost>();
    else
        window = std::make_unique<QObject>();

    QString error;
    std::unique_ptr<QObject> gcfg(ComponentRegistry::createObject("Pemberly.gConfig", window.get(), &error));
    QVERIFY2(gcfg, qPrintable(error));
    QCOMPARE(ComponentRegistry::connectEventsByName(gcfg.get(), window.get(), variable), connections);

    QVERIFY(QMetaObject::invokeMethod(gcfg.get(), "applyCurrent"));
    QCOMPARE(window->property("applyCalls").toInt(), connections);  // once per event, when connected

    if (auto *eventHost = qobject_cast<EventHost *>(window.get())) {
        gcfg->setObjectName("renamed");
        gcfg.reset();
        QCOMPARE(eventHost->ownSignalCalls, 0);
    }
}

void TestComponentRegistry::handlerWithFewerArgumentsCalledOnce()
{
    EventSource source;
    EventHost host;
    QCOMPARE(ComponentRegistry::connectEventsByName(&source, &host, "src"), 1);
    emit source.Moved(5);
    QCOMPARE(host.movedCalls, 1);
}

void TestComponentRegistry::findCurrentVersionCallsHost()
{
    EventHost window;
    window.answer = "/opt/tessaly/bin/tessaly";
    QString error;
    std::unique_ptr<QObject> gcfg(ComponentRegistry::createObject("Pemberly.gConfig", nullptr, &error));
    QVERIFY2(gcfg, qPrintable(error));
    QVERIFY(gcfg->setProperty("frmMe", QVariant::fromValue<QObject *>(&window)));

    QString answer;
    QVERIFY(QMetaObject::invokeMethod(gcfg.get(), "findCurrentVersion", Q_RETURN_ARG(QString, answer)));
    QCOMPARE(answer, window.answer);
    QCOMPARE(window.exeNames, QStringList {"TESSALY.EXE"});
    QCOMPARE(window.valueNames.size(), 1);
    QVERIFY(window.valueNames[0].isEmpty());
}

void TestComponentRegistry::findCurrentVersionWithoutAnswer_data()
{
    QTest::addColumn<QString>("host");

    QTest::newRow("no host") << "none";
    QTest::newRow("host without the procedure") << "QObject";
    QTest::newRow("host gone") << "deleted";
}

void TestComponentRegistry::findCurrentVersionWithoutAnswer()
{
    QFETCH(QString, host);

    QString error;
    std::unique_ptr<QObject> gcfg(ComponentRegistry::createObject("Pemberly.gConfig", nullptr, &error));
    QVERIFY2(gcfg, qPrintable(error));
    std::unique_ptr<QObject> window;
    if (host == "QObject") {
        window = std::make_unique<QObject>();
    } else if (host == "deleted") {
        window = std::make_unique<EventHost>();
        static_cast<EventHost *>(window.get())->answer = "/stale";
    }
    QVERIFY(gcfg->setProperty("frmMe", QVariant::fromValue<QObject *>(window.get())));
    if (host == "deleted") {
        window.reset();
        QCOMPARE(gcfg->property("frmMe").value<QObject *>(), nullptr);
    }

    QString answer = "unchanged";
    QVERIFY(QMetaObject::invokeMethod(gcfg.get(), "findCurrentVersion", Q_RETURN_ARG(QString, answer)));
    QCOMPARE(answer, QString(""));
}

void TestComponentRegistry::unknownProgId_data()
{
    QTest::addColumn<QString>("progId");

    QTest::newRow("unknown class") << "Pemberly.noSuchClass";
    QTest::newRow("class of another library") << "Elsewhere.gConfig";
    QTest::newRow("no library part") << "gConfig";
    QTest::newRow("no class part") << "Pemberly.";
}

void TestComponentRegistry::unknownProgId()
{
    QFETCH(QString, progId);

    QString error;
    std::unique_ptr<QObject> object(ComponentRegistry::createObject(progId, nullptr, &error));
    QVERIFY(!object);
    QVERIFY2(error.contains(progId), qPrintable(error));
    QVERIFY(ComponentRegistry::registeredLibrary(progId).isEmpty());
}

void TestComponentRegistry::classNotProvided_data()
{
    QTest::addColumn<bool>("registered");

    QTest::newRow("not registered") << false;
    QTest::newRow("registered to the library") << true;
}

void TestComponentRegistry::classNotProvided()
{
    QFETCH(bool, registered);

    if (registered)
        registerPath("Pemberly.mergeBrow", m_beside);
    QString error;
    std::unique_ptr<QObject> object(ComponentRegistry::createObject("Pemberly.mergeBrow", nullptr, &error));
    QVERIFY(!object);
    QVERIFY2(error.contains("Pemberly.mergeBrow"), qPrintable(error));
    QCOMPARE(error.count(m_beside), 1);  // tried once, as registered and beside the program
    QCOMPARE(ComponentRegistry::registeredLibrary("Pemberly.mergeBrow"), registered ? m_beside : QString());
}

// A working registration is used as it is, not replaced by the library
// beside the program.
void TestComponentRegistry::registeredLibraryIsUsed()
{
    const QString copy = copyOfLibrary(m_scratch.filePath("installed"));
    registerPath("Pemberly.gConfig", copy);
    QVERIFY(!QPluginLoader(copy).isLoaded());

    QString error;
    std::unique_ptr<QObject> object(ComponentRegistry::createObject("Pemberly.gConfig", nullptr, &error));
    QVERIFY2(object, qPrintable(error));
    QVERIFY(QPluginLoader(copy).isLoaded());
    QCOMPARE(ComponentRegistry::registeredLibrary("Pemberly.gConfig"), copy);
}

void TestComponentRegistry::fallbackSearchesEveryFolder()
{
    const QString empty = m_scratch.filePath("empty");
    QVERIFY(QDir().mkpath(empty));
    const QString copy = copyOfLibrary(m_scratch.filePath("lib/tessaly"));

    QString error;
    std::unique_ptr<QObject> object(ComponentRegistry::createObject("Pemberly.gConfig", nullptr, &error,
                                                                    {empty, QFileInfo(copy).path()}));
    QVERIFY2(object, qPrintable(error));
    QVERIFY(QPluginLoader(copy).isLoaded());
    QCOMPARE(ComponentRegistry::registeredLibrary("Pemberly.gConfig"), copy);
}

void TestComponentRegistry::brokenRegistrationFallsBack_data()
{
    addBrokenFileRows();
}

// A moved or damaged installation: the library beside the program takes the
// registration's place and is registered in its stead.
void TestComponentRegistry::brokenRegistrationFallsBack()
{
    QFETCH(QString, kind);

    registerPath("Pemberly.gConfig", brokenFile(kind));
    QString error;
    std::unique_ptr<QObject> object(ComponentRegistry::createObject("Pemberly.gConfig", nullptr, &error));
    QVERIFY2(object, qPrintable(error));
    QCOMPARE(object->metaObject()->className(), "gConfig");
    QCOMPARE(ComponentRegistry::registeredLibrary("Pemberly.gConfig"), m_beside);
}

void TestComponentRegistry::brokenRegistrationWithoutFallback_data()
{
    addBrokenFileRows();
}

void TestComponentRegistry::brokenRegistrationWithoutFallback()
{
    QFETCH(QString, kind);
    QFETCH(bool, loaderReason);

    const QString broken = brokenFile(kind);
    registerPath("Pemberly.gConfig", broken);
    const QString empty = m_scratch.filePath("empty");
    QVERIFY(QDir().mkpath(empty));

    QString error;
    std::unique_ptr<QObject> object(
        ComponentRegistry::createObject("Pemberly.gConfig", nullptr, &error, {empty}));
    QVERIFY(!object);
    QVERIFY2(error.contains("Pemberly.gConfig"), qPrintable(error));
    QVERIFY2(error.contains(broken), qPrintable(error));
    if (loaderReason) {
        QPluginLoader loader(broken);
        QVERIFY(!loader.load());
        QVERIFY2(error.contains(loader.errorString()), qPrintable(error));
    }
    QCOMPARE(ComponentRegistry::registeredLibrary("Pemberly.gConfig"), broken);  // left for the user to see
}

void TestComponentRegistry::nothingToLoad_data()
{
    QTest::addColumn<bool>("withFolder");

    QTest::newRow("empty folder") << true;
    QTest::newRow("no folder") << false;
}

void TestComponentRegistry::nothingToLoad()
{
    QFETCH(bool, withFolder);

    const QString empty = m_scratch.filePath("empty");
    QVERIFY(QDir().mkpath(empty));
    const QStringList folders = withFolder ? QStringList {empty} : QStringList {};

    QString error;
    std::unique_ptr<QObject> object(
        ComponentRegistry::createObject("Pemberly.gConfig", nullptr, &error, folders));
    QVERIFY(!object);
    QVERIFY2(error.contains("Pemberly.gConfig"), qPrintable(error));
    if (withFolder)
        QVERIFY2(error.contains(empty), qPrintable(error));
    QVERIFY(ComponentRegistry::registeredLibrary("Pemberly.gConfig").isEmpty());
}

void TestComponentRegistry::registerLibraryStoresAbsolutePath()
{
    const QString copy = copyOfLibrary(m_scratch.filePath("relative"));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_scratch.path()));
    QString error;
    const bool registered = ComponentRegistry::registerLibrary("relative/libpemberly.so", &error);
    QDir::setCurrent(previous);
    QVERIFY2(registered, qPrintable(error));
    QCOMPARE(regModule::queryValue("Software\\Classes\\Pemberly.gConfig\\InprocServer32", ""), copy);
}

void TestComponentRegistry::registerLibraryRefusesOtherFiles_data()
{
    addBrokenFileRows();
}

void TestComponentRegistry::registerLibraryRefusesOtherFiles()
{
    QFETCH(QString, kind);

    const QString broken = brokenFile(kind);
    QString error;
    QVERIFY(!ComponentRegistry::registerLibrary(broken, &error));
    QVERIFY2(error.contains(broken), qPrintable(error));
    QVERIFY(!QFileInfo::exists(Registry::hiveFilePath(Registry::HKEY_CURRENT_USER)));
}

QTEST_GUILESS_MAIN(TestComponentRegistry)
#include "TestComponentRegistry.moc"
