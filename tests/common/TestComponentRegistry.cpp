// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ComponentRegistry.h"
#include "EventHosts.h"
#include "Registry.h"
#include "TestEnvironment.h"
#include "regModule.h"

#include <QMetaProperty>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using namespace ComponentRegistry;
using Object = std::unique_ptr<QObject>;

const QString gConfig = "Pemberly.gConfig";

// Creating the library's objects by program identifier, and talking to them
// by name only, as the program does: the test never links the library.
class TestComponentRegistry : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;  // XDG_CONFIG_HOME: the registry's hives
    QTemporaryDir m_scratch;
    QString m_beside;  // the library beside the test program
    QString m_empty;   // an empty folder
    QString m_error;   // the error text of the last create()

    Object create(const QString &progId = gConfig, const QStringList &folders = defaultLibraryFolders())
    {
        m_error.clear();
        return Object(createObject(progId, nullptr, &m_error, folders));
    }

    // Writes a registration by hand, as another installation would have left it.
    static void registerPath(const QString &progId, const QString &path)
    {
        const QString key = "Software\\Classes\\" + progId + "\\InprocServer32";
        regModule::createNewKey(key, Registry::HKEY_CURRENT_USER);
        regModule::setKeyValue(key, "", path, regModule::REG_SZ);
    }

    QString brokenFile(const QString &kind) const
    {
        if (kind == "text")
            return TestEnvironment::writeFile(m_scratch.filePath("libpemberly.so"), "not a library\n");
        return kind == "plain"  ? PLAIN_LIBRARY_PATH
            : kind == "foreign" ? FOREIGN_PLUGIN_PATH
            : kind == "missing" ? m_scratch.filePath("gone/libpemberly.so")
                                : QString();
    }

    QString copyOfLibrary(const QString &folder) const
    {
        QDir().mkpath(folder);
        QFile::copy(m_beside, folder + "/libpemberly.so");
        return folder + "/libpemberly.so";
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QVERIFY(Registry::hiveFolder().startsWith(m_config.path()));
        m_beside = QCoreApplication::applicationDirPath() + "/libpemberly.so";
        m_empty = m_scratch.filePath("empty");
        for (const QString &file : {m_beside, QString(PLAIN_LIBRARY_PATH), QString(FOREIGN_PLUGIN_PATH)})
            QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
    }

    // Every case starts with an empty registry and a scratch folder holding an empty folder.
    void init()
    {
        QFile::remove(Registry::hiveFilePath(Registry::HKEY_CURRENT_USER));
        QDir scratch(m_scratch.path());
        QVERIFY(scratch.removeRecursively() && scratch.mkpath("empty"));
    }

    void createsOwnedObject_data()
    {
        QTest::addColumn<QString>("progId");
        QTest::addColumn<bool>("parented");
        QTest::newRow("with parent") << gConfig << true;
        QTest::newRow("without parent") << gConfig << false;
        QTest::newRow("identifier in other case") << "pemberly.GCONFIG" << true;
        QTest::newRow("about object") << "Pemberly.uAbout" << true;
    }

    void createsOwnedObject()
    {
        QFETCH(QString, progId);
        QFETCH(bool, parented);
        QObject parent;
        const Object object(createObject(progId, parented ? &parent : nullptr, &m_error));
        QVERIFY2(object, qPrintable(m_error));
        QCOMPARE(object->parent(), parented ? &parent : nullptr);
    }

    // Each property is declared with its type, keeps what is written to it, and
    // has a field of its own: writing it changes no other property.
    void propertiesByName()
    {
        QObject window;
        QList<std::pair<QByteArray, QVariant>> samples = {{"aP", "/opt/tessaly"},
                                                          {"frmMe", QVariant::fromValue(&window)},
                                                          {"appMe", QVariant::fromValue(&window)}};
        for (const char *flag : {"alwaysConnected", "dTI", "hAI", "aI", "bFW", "uSK", "aLU", "aSU", "aLS",
                                 "aSS", "iAOT", "mAOT"})
            samples.append({flag, true});
        // Bytes are unsigned: 200 is above a signed byte's range.
        for (const char *byte : {"mT", "oC", "cAF", "pB", "tP"})
            samples.append({byte, QVariant::fromValue<quint8>(200)});

        const Object untouched = create();
        const QMetaObject *meta = untouched->metaObject();
        QStringList declared;  // in the order of the object's interface
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
            declared << meta->property(i).name();
        QCOMPARE(declared.join(' '), "aP frmMe appMe alwaysConnected mT oC dTI hAI aI cAF bFW pB uSK aLU aSU aLS aSS "
                                     "tP iAOT mAOT");
        for (const auto &[name, sample] : samples) {
            const Object object = create();
            QVERIFY2(object->setProperty(name, sample), name.constData());  // false when not declared
            QCOMPARE(meta->property(meta->indexOfProperty(name)).metaType().id(), sample.metaType().id());
            QCOMPARE(object->property(name), sample);
            for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
                const char *other = meta->property(i).name();
                if (name != other)
                    QVERIFY2(object->property(other) == untouched->property(other), other);
            }
        }
    }

    void applyCurrentReachesHostHandler_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<int>("connections");
        const auto row = [](const char *name, const char *host, const char *variable, int connections) {
            QTest::newRow(name) << QString(host) << QString(variable) << connections;
        };
        row("handler of the variable", "EventHost", "gcfg", 1);
        row("handlers of another variable", "EventHost", "mb", 0);
        row("host without handler", "QObject", "gcfg", 0);
        row("handler with other parameters", "MismatchedHost", "gcfg", 0);
    }

    void applyCurrentReachesHostHandler()
    {
        QFETCH(QString, host);
        QFETCH(QString, variable);
        QFETCH(int, connections);
        const Object window(host == "EventHost"            ? new EventHost
                                : host == "MismatchedHost" ? static_cast<QObject *>(new MismatchedHost)
                                                           : new QObject);
        Object gcfg = create();
        QVERIFY2(gcfg, qPrintable(m_error));
        QCOMPARE(connectEventsByName(gcfg.get(), window.get(), variable), connections);

        QVERIFY(QMetaObject::invokeMethod(gcfg.get(), "applyCurrent"));
        QCOMPARE(window->property("applyCalls").toInt(), connections);  // once per event, when connected

        gcfg->setObjectName("renamed");
        gcfg.reset();
        if (auto *eventHost = qobject_cast<EventHost *>(window.get()))
            QCOMPARE(eventHost->ownSignalCalls, 0);
    }

    void handlerWithFewerArgumentsCalledOnce()
    {
        EventSource source;
        EventHost host;
        QCOMPARE(connectEventsByName(&source, &host, "src"), 1);
        emit source.Moved(5);
        QCOMPARE(host.movedCalls, 1);
    }

    void findCurrentVersion_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("answer");
        QTest::newRow("host answers") << QString("EventHost") << QString("/opt/tessaly/bin/tessaly");
        QTest::newRow("no host") << QString("none") << QString();
        QTest::newRow("host without the procedure") << QString("QObject") << QString();
        QTest::newRow("host gone") << QString("gone") << QString();
    }

    void findCurrentVersion()
    {
        QFETCH(QString, host);
        QFETCH(QString, answer);
        const Object gcfg = create();
        QVERIFY2(gcfg, qPrintable(m_error));
        Object window(host == "none" ? nullptr : host == "QObject" ? new QObject : new EventHost);
        if (auto *eventHost = qobject_cast<EventHost *>(window.get()))
            eventHost->answer = "/opt/tessaly/bin/tessaly";
        QVERIFY(gcfg->setProperty("frmMe", QVariant::fromValue(window.get())));
        if (host == "gone")
            window.reset();

        QString found = "unchanged";
        QVERIFY(QMetaObject::invokeMethod(gcfg.get(), "findCurrentVersion", Q_RETURN_ARG(QString, found)));
        QCOMPARE(found, answer);
        if (auto *eventHost = qobject_cast<EventHost *>(window.get())) {
            QCOMPARE(eventHost->exeNames, QStringList {"TESSALY.EXE"});
            QCOMPARE(eventHost->valueNames, QStringList {""});
        }
    }

    void unknownProgId_data()
    {
        QTest::addColumn<QString>("progId");
        QTest::addColumn<bool>("registered");  // to the library beside the program
        QTest::addColumn<int>("tries");        // of that library
        QTest::newRow("unknown class") << "Pemberly.noSuchClass" << false << 1;
        QTest::newRow("class of another library") << "Elsewhere.gConfig" << false << 1;
        QTest::newRow("no library part") << "gConfig" << false << 0;
        QTest::newRow("no class part") << "Pemberly." << false << 0;
        QTest::newRow("class not provided, registered") << "Pemberly.noSuchClass" << true << 1;
    }

    // The error names the identifier; a library registered and beside the program
    // is tried once; a failed creation registers nothing.
    void unknownProgId()
    {
        QFETCH(QString, progId);
        QFETCH(bool, registered);
        QFETCH(int, tries);
        if (registered)
            registerPath(progId, m_beside);
        QVERIFY(!create(progId));
        QVERIFY2(m_error.contains(progId), qPrintable(m_error));
        QCOMPARE(m_error.count(m_beside), tries);
        QCOMPARE(registeredLibrary(progId), registered ? m_beside : QString());
    }

    void libraryFound_data()
    {
        QTest::addColumn<bool>("registered");
        QTest::newRow("working registration, not replaced by the library beside the program") << true;
        QTest::newRow("fallback searches every folder") << false;
    }

    void libraryFound()
    {
        QFETCH(bool, registered);
        const QString copy = copyOfLibrary(m_scratch.filePath(registered ? "installed" : "lib/tessaly"));
        if (registered)
            registerPath(gConfig, copy);
        const Object object = registered ? create() : create(gConfig, {m_empty, QFileInfo(copy).path()});
        QVERIFY2(object, qPrintable(m_error));
        QVERIFY(QPluginLoader(copy).isLoaded());
        QCOMPARE(registeredLibrary(gConfig), copy);
    }

    void unusableLibraryFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("loaderReason");  // the error carries QPluginLoader's own text
        QTest::newRow("not registered") << "" << false;
        QTest::newRow("missing file") << "missing" << false;
        QTest::newRow("text file") << "text" << true;
        QTest::newRow("shared library, no plugin") << "plain" << true;
        QTest::newRow("plugin of another kind") << "foreign" << false;
    }

    // A file that is no Pemberly library is not registered. A registration that
    // names it (a moved or damaged installation) fails without a library to
    // fall back on: the error names the file, why it failed and the folders
    // searched, and the registration is left for the user to see. The library
    // beside the program takes its place, registered for the classes it creates.
    void unusableLibraryFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, loaderReason);
        const QString broken = brokenFile(kind);
        if (!broken.isEmpty()) {
            QVERIFY(!registerLibrary(broken, &m_error));
            QVERIFY2(m_error.contains(broken), qPrintable(m_error));
            QVERIFY(!QFileInfo::exists(Registry::hiveFilePath(Registry::HKEY_CURRENT_USER)));
            registerPath(gConfig, broken);
        }

        QVERIFY(!create(gConfig, {m_empty}));
        for (const QString &mention : {gConfig, broken, m_empty})
            QVERIFY2(m_error.contains(mention), qPrintable(m_error));
        if (loaderReason) {
            QPluginLoader loader(broken);
            QVERIFY(!loader.load());
            QVERIFY2(m_error.contains(loader.errorString()), qPrintable(m_error));
        }
        QCOMPARE(registeredLibrary(gConfig), broken);

        const Object object = create();
        QVERIFY2(object, qPrintable(m_error));
        QCOMPARE(regModule::queryValue("Software\\Classes\\Pemberly.gConfig\\InprocServer32", ""), m_beside);
        QVERIFY(registeredLibrary("Pemberly.noSuchClass").isEmpty());
    }

    void registerShippedLibrary_data()
    {
        QTest::addColumn<QString>("registered");  // "copy": a working library elsewhere, as a build folder's
        QTest::addColumn<QStringList>("folders"); // "beside", "empty", "damaged" (a text file as the library)
        QTest::addColumn<QString>("after");       // what is registered then: "beside", "copy" or ""
        QTest::addColumn<int>("writes");          // of the hive file: one for all the classes at most
        QTest::newRow("another copy's registration replaced")
            << "copy" << QStringList {"empty", "beside"} << "beside" << 1;
        QTest::newRow("nothing registered") << "" << QStringList {"beside"} << "beside" << 1;
        QTest::newRow("registered already: nothing written") << "beside" << QStringList {"beside"} << "beside" << 0;
        QTest::newRow("no library shipped: the registration stays") << "copy" << QStringList {"empty"} << "copy" << 0;
        QTest::newRow("a damaged copy is passed over")
            << "copy" << QStringList {"damaged", "beside"} << "beside" << 1;
        QTest::newRow("only a damaged copy: the registration stays")
            << "copy" << QStringList {"damaged"} << "copy" << 0;
    }

    // Each start registers the library shipped with the program, so that an
    // installed program never loads a build folder's library.
    void registerShippedLibrary()
    {
        QFETCH(QString, registered);
        QFETCH(QStringList, folders);
        QFETCH(QString, after);
        QFETCH(int, writes);
        const QString copy = copyOfLibrary(m_scratch.filePath("build/bin"));
        if (registered == "copy")
            registerPath(gConfig, copy);
        if (registered == "beside")
            QVERIFY2(registerLibrary(m_beside, &m_error), qPrintable(m_error));
        const QString damaged = QFileInfo(brokenFile("text")).path();
        QStringList paths;
        for (const QString &folder : folders)
            paths << (folder == "beside" ? QFileInfo(m_beside).path() : folder == "empty" ? m_empty : damaged);

        m_error.clear();
        const quint64 writesBefore = Registry::hiveFileWrites();
        QCOMPARE(ComponentRegistry::registerShippedLibrary(paths, &m_error), after == "beside");
        QCOMPARE(Registry::hiveFileWrites() - writesBefore, quint64(writes));
        QCOMPARE(m_error.contains(damaged), folders.contains("damaged") && after != "beside");
        const QString expected = after == "beside" ? m_beside : after == "copy" ? copy : QString();
        for (const QString &progId : {gConfig, QString("Pemberly.mergeBrow"), QString("Pemberly.uAbout")}) {
            if (after == "beside" || progId == gConfig)
                QCOMPARE(registeredLibrary(progId), expected);
        }
        const Object object = create(gConfig, {m_empty});
        QVERIFY2(object, qPrintable(m_error));
        QVERIFY(QPluginLoader(expected).isLoaded());
    }

    // A merge object given a host's BookmarkSink hands it what it reads and
    // raises none of the events for it; any other object, or none, leaves
    // the events as they were.
    void mergeReachesSink_data()
    {
        QTest::addColumn<QString>("sink");
        QTest::addColumn<bool>("direct");
        QTest::newRow("a BookmarkSink") << "SinkHost" << true;
        QTest::newRow("an object that is no sink") << "QObject" << false;
        QTest::newRow("no sink") << "" << false;
    }

    void mergeReachesSink()
    {
        QFETCH(QString, sink);
        QFETCH(bool, direct);
        const QString file = TestEnvironment::writeFile(
            m_scratch.filePath("in.xbel"),
            "<xbel><bookmark href=\"http://r/\"><title>R</title></bookmark>"
            "<folder><title>F</title><bookmark href=\"http://a/\"><title>A</title>"
            "<info><metadata owner=\"https://orvane.org/tessaly\"><visits>3</visits></metadata></info>"
            "</bookmark></folder></xbel>");
        const Object mb = create("Pemberly.mergeBrow");
        QVERIFY2(mb, qPrintable(m_error));
        SinkHost host;
        QObject other;
        if (!sink.isEmpty())
            QVERIFY(mb->setProperty("sink", QVariant::fromValue<QObject *>(sink == "SinkHost" ? &host : &other)));
        QSignalSpy groups(mb.get(), SIGNAL(NewGroup(QString)));
        QSignalSpy entries(mb.get(), SIGNAL(BungEntry(QString, QString, QDateTime, QDateTime, int, int, int)));
        bool read = false;
        QVERIFY(QMetaObject::invokeMethod(mb.get(), "MergeXbel", Q_RETURN_ARG(bool, read), Q_ARG(QString, file)));
        QVERIFY(read);
        const QStringList calls = {"group:XBEL: ROOT", "entry:R/0", "root", "group:F", "entry:A/3"};
        QCOMPARE(host.calls, direct ? calls : QStringList());
        QCOMPARE(groups.count(), direct ? 0 : 2);
        QCOMPARE(entries.count(), direct ? 0 : 2);
        if (!direct)
            QCOMPARE(entries.at(1).at(4).toInt(), 3);
    }

    void registerLibraryStoresAbsolutePath()
    {
        const QString copy = copyOfLibrary(m_scratch.filePath("relative"));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_scratch.path()));
        const bool done = registerLibrary("relative/libpemberly.so", &m_error);
        QDir::setCurrent(previous);
        QVERIFY2(done, qPrintable(m_error));
        QCOMPARE(registeredLibrary(gConfig), copy);
    }
};

QTEST_MAIN(TestComponentRegistry)
#include "TestComponentRegistry.moc"
