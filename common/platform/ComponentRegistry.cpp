// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ComponentRegistry.h"

#include "HiveSession.h"
#include "PemberlyFactory.h"
#include "Registry.h"
#include "regModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMetaMethod>
#include <QPluginLoader>
#include <optional>

namespace ComponentRegistry {

namespace {

// The context of this file's texts in the translations.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(ComponentRegistry)
};

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// "Library.Class": two non-empty parts.
bool isProgId(const QString &progId)
{
    const qsizetype point = progId.indexOf(u'.');
    return point > 0 && point < progId.size() - 1;
}

// The plugin's factory, or null with the reason why the file cannot give one.
PemberlyFactory *loadFactory(const QString &path, QString *problem)
{
    if (!QFileInfo(path).isFile()) {
        *problem = Text::tr("%1 does not exist").arg(path);
        return nullptr;
    }
    QPluginLoader loader(path);
    QObject *root = loader.instance();
    if (!root) {
        *problem = Text::tr("%1 cannot be loaded: %2").arg(path, loader.errorString());
        return nullptr;
    }
    auto *factory = qobject_cast<PemberlyFactory *>(root);
    if (!factory) {
        *problem = Text::tr("%1 is a plugin of another kind, not a Pemberly library").arg(path);
        loader.unload();  // nothing of it is used
        return nullptr;
    }
    // The library stays loaded: the objects it makes live in its code.
    return factory;
}

// The factory's own spelling of the class progId names; "" when it has none.
// Program identifiers compare without regard to case, as registry keys do.
QString providedClass(const PemberlyFactory &factory, const QString &progId)
{
    const QString library = factory.libraryName();
    const QStringList classes = factory.classNames();
    for (const QString &className : classes) {
        if (QString(library + u'.' + className).compare(progId, Qt::CaseInsensitive) == 0)
            return className;
    }
    return QString();
}

QObject *createFrom(const QString &path, const QString &progId, QObject *parent, QString *problem)
{
    PemberlyFactory *factory = loadFactory(path, problem);
    if (!factory)
        return nullptr;
    const QString className = providedClass(*factory, progId);
    if (className.isEmpty()) {
        *problem = Text::tr("%1 does not provide the class %2").arg(path, progId);
        return nullptr;
    }
    QObject *object = factory->create(className, parent);
    if (!object)
        *problem = Text::tr("%1 did not create %2").arg(path, progId);
    return object;
}

bool writeServer(const QString &progId, const QString &path, QString *error)
{
    const QString keyPath = serverKeyPath(progId);
    regModule::createNewKey(keyPath, Registry::HKEY_CURRENT_USER);
    regModule::KeyHandle key;
    long status = regModule::openKey(Registry::HKEY_CURRENT_USER, keyPath, &key);
    if (status == regModule::ERROR_SUCCESS)
        status = regModule::setValueEx(key, QString(), regModule::REG_SZ, path);
    if (status != regModule::ERROR_SUCCESS) {
        setError(error,
                 Text::tr("%1 could not be registered for %2 (registry status %3)")
                     .arg(path, progId)
                     .arg(status));
        return false;
    }
    return true;
}

// The handler of host for signal: "<prefix><signal name>" with the signal's
// exact parameters, else the one taking the most of them.
QMetaMethod findHandler(const QMetaObject *host, const QByteArray &handlerName, const QMetaMethod &signal)
{
    const QByteArray exact = handlerName + signal.methodSignature().mid(signal.name().size());
    const int exactIndex = host->indexOfMethod(exact.constData());
    if (exactIndex >= 0) {
        const QMetaMethod method = host->method(exactIndex);
        if (method.methodType() == QMetaMethod::Slot || method.methodType() == QMetaMethod::Method)
            return method;
    }
    QMetaMethod best;
    for (int i = 0; i < host->methodCount(); ++i) {
        const QMetaMethod method = host->method(i);
        if (method.methodType() != QMetaMethod::Slot && method.methodType() != QMetaMethod::Method)
            continue;
        if (method.name() != handlerName || !QMetaObject::checkConnectArgs(signal, method))
            continue;
        if (!best.isValid() || method.parameterCount() > best.parameterCount())
            best = method;
    }
    return best;
}

// Whether every class of the factory is registered as provided by path, read
// from the hive once and without its lock (whose flush to disk costs more
// than the rest of a registration).
bool isRegistered(const PemberlyFactory &factory, const QStringList &classes, const QString &path)
{
    std::optional<HiveSession> reading;
    if (!HiveSession::active(Registry::HKEY_CURRENT_USER))
        reading.emplace(Registry::HKEY_CURRENT_USER, HiveSession::Reading);
    for (const QString &className : classes) {
        if (registeredLibrary(factory.libraryName() + u'.' + className) != path)
            return false;
    }
    return true;
}

}  // namespace

QString libraryFileName()
{
    return QStringLiteral("libpemberly.so");
}

QString serverKeyPath(const QString &progId)
{
    return QStringLiteral("Software\\Classes\\") + progId + QStringLiteral("\\InprocServer32");
}

QString registeredLibrary(const QString &progId)
{
    if (!isProgId(progId))
        return QString();
    return regModule::queryValue(serverKeyPath(progId), QString());
}

bool registerLibrary(const QString &libraryPath, QString *error)
{
    const QString path = QFileInfo(libraryPath).absoluteFilePath();
    QString problem;
    const PemberlyFactory *factory = loadFactory(path, &problem);
    if (!factory) {
        setError(error, problem);
        return false;
    }
    const QStringList classes = factory->classNames();
    if (isRegistered(*factory, classes, path))
        return true;
    // The hive is held once for all the classes' keys: one lock, one read and
    // one write, where each key would lock, read and write it again.
    std::optional<HiveSession> session;
    if (!HiveSession::active(Registry::HKEY_CURRENT_USER))
        session.emplace(Registry::HKEY_CURRENT_USER, HiveSession::Deferred);
    for (const QString &className : classes) {
        if (!writeServer(factory->libraryName() + u'.' + className, path, error))
            return false;
    }
    if (session && !session->close()) {
        setError(error, Text::tr("%1 could not be registered: %2").arg(path, session->errorString()));
        return false;
    }
    return true;
}

QStringList defaultLibraryFolders()
{
    if (!QCoreApplication::instance())
        return {};  // no program folder to start from
    const QString programFolder = QCoreApplication::applicationDirPath();
    QStringList folders {programFolder,
                         programFolder + u'/' + QStringLiteral(TESSALY_INSTALLED_LIBDIR)
                             + QStringLiteral("/tessaly"),
                         programFolder + QStringLiteral("/../lib/tessaly")};
    const QString architecture = QStringLiteral(TESSALY_LIBRARY_ARCHITECTURE);
    if (!architecture.isEmpty())
        folders << programFolder + QStringLiteral("/../lib/") + architecture + QStringLiteral("/tessaly");
    for (QString &folder : folders)
        folder = QDir::cleanPath(folder);
    folders.removeDuplicates();
    return folders;
}

bool registerShippedLibrary(const QStringList &libraryFolders, QString *error)
{
    QStringList problems;
    for (const QString &folder : libraryFolders) {
        const QString library = QDir(folder).absoluteFilePath(libraryFileName());
        if (!QFileInfo::exists(library))
            continue;
        QString problem;
        if (registerLibrary(library, &problem))
            return true;
        problems << problem;  // a damaged copy: the next folder's may serve
    }
    setError(error, problems.join(QStringLiteral("; ")));
    return false;
}

QObject *createObject(const QString &progId, QObject *parent, QString *error,
                      const QStringList &libraryFolders)
{
    if (!isProgId(progId)) {
        setError(error, Text::tr("\"%1\" is not a program identifier (Library.Class)").arg(progId));
        return nullptr;
    }
    QStringList problems;
    const QString registered = registeredLibrary(progId);
    if (registered.isEmpty()) {
        problems << Text::tr("it is not registered");
    } else {
        QString problem;
        if (QObject *object = createFrom(registered, progId, parent, &problem))
            return object;
        problems << problem;
    }

    // The program's own library takes the place of a missing or unusable
    // registration, and is registered so that the next creation finds it.
    bool found = false;
    for (const QString &folder : libraryFolders) {
        const QString candidate = QDir(folder).absoluteFilePath(libraryFileName());
        if (!QFileInfo::exists(candidate))
            continue;
        found = true;
        if (!registered.isEmpty() && QFileInfo(candidate) == QFileInfo(registered))
            continue;  // already tried
        QString problem;
        if (QObject *object = createFrom(candidate, progId, parent, &problem)) {
            QString registerError;
            if (!registerLibrary(candidate, &registerError))
                qWarning("%s", qUtf8Printable(registerError));
            return object;
        }
        problems << problem;
    }
    if (!found)
        problems << Text::tr("no %1 in the folders searched (%2)")
                        .arg(libraryFileName(), libraryFolders.join(QStringLiteral(", ")));
    setError(error,
             Text::tr("%1 cannot be created: %2").arg(progId, problems.join(QStringLiteral("; "))));
    return nullptr;
}

int connectEventsByName(QObject *source, QObject *host, const QString &variableName)
{
    if (!source || !host || variableName.isEmpty())
        return 0;
    const QMetaObject *sourceClass = source->metaObject();
    const QByteArray prefix = variableName.toUtf8() + '_';
    int connected = 0;
    for (int i = QObject::staticMetaObject.methodCount(); i < sourceClass->methodCount(); ++i) {
        const QMetaMethod signal = sourceClass->method(i);
        // A signal with default arguments has a shorter clone for each; the
        // full one alone is connected, so that each event arrives once.
        if (signal.methodType() != QMetaMethod::Signal || (signal.attributes() & QMetaMethod::Cloned))
            continue;
        const QMetaMethod handler = findHandler(host->metaObject(), prefix + signal.name(), signal);
        if (handler.isValid() && QObject::connect(source, signal, host, handler))
            ++connected;
    }
    return connected;
}

}  // namespace ComponentRegistry
