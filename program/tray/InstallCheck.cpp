// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InstallCheck.h"

#include "BankImage.h"
#include "ComponentRegistry.h"
#include "HelpPages.h"
#include "ProgramPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <memory>

namespace InstallCheck {

namespace {

struct Part
{
    QString line;
    bool found = false;
};

Part library()
{
    const QString progId = QStringLiteral("Pemberly.gConfig");
    QString error;
    ComponentRegistry::registerShippedLibrary(ComponentRegistry::defaultLibraryFolders(), &error);
    const std::unique_ptr<QObject> object(ComponentRegistry::createObject(progId, nullptr, &error));
    if (!object)
        return {QStringLiteral("library: missing: %1").arg(error)};
    return {QStringLiteral("library: %1").arg(ComponentRegistry::registeredLibrary(progId)), true};
}

Part pictures(const QString &appFolder)
{
    QStringList missing;
    for (const char *name : {"ia", "ib", "ic", "id", "b1u", "b1d"}) {
        const QString path = ProgramPaths::bankFile(appFolder, QString::fromLatin1(name));
        // Each picture in both forms: the 2x one for high-DPI screens.
        for (const QString &form : {path, BankImage::doubleSizePath(path)}) {
            if (QImage(form).isNull())
                missing << form;
        }
    }
    if (!missing.isEmpty())
        return {QStringLiteral("pictures: missing: %1").arg(missing.join(QStringLiteral(", ")))};
    return {QStringLiteral("pictures: %1")
                .arg(QFileInfo(ProgramPaths::bankFile(appFolder, QStringLiteral("id"))).path()),
            true};
}

Part help(const QString &appFolder)
{
    QStringList missing;
    for (const int context : {0, 1010, 1020, 1030, 1040}) {
        const QString path = HelpPages::pagePath(appFolder, context);
        if (!QFileInfo(path).isFile())
            missing << path;
    }
    if (!missing.isEmpty())
        return {QStringLiteral("help: missing: %1").arg(missing.join(QStringLiteral(", ")))};
    return {QStringLiteral("help: %1").arg(QFileInfo(HelpPages::pagePath(appFolder, 0)).path()), true};
}

// The desktop entry of the name the program gives itself, and its icon, in
// the data folder of the installation.
Part desktopEntry(const QString &appFolder)
{
    const QString id = QGuiApplication::desktopFileName();
    const QString share = QDir::cleanPath(appFolder + QStringLiteral("/../share"));
    const QString entry = share + QStringLiteral("/applications/") + id + QStringLiteral(".desktop");
    const QString icon
        = share + QStringLiteral("/icons/hicolor/scalable/apps/") + id + QStringLiteral(".svg");
    QStringList missing;
    for (const QString &path : {entry, icon}) {
        if (!QFileInfo(path).isFile())
            missing << path;
    }
    if (!missing.isEmpty())
        return {QStringLiteral("desktop entry: missing: %1").arg(missing.join(QStringLiteral(", ")))};
    return {QStringLiteral("desktop entry: %1").arg(entry), true};
}

}  // namespace

ProgramOptions::Answer run(const QString &appFolder)
{
    ProgramOptions::Answer answer;
    for (const Part &part : {library(), pictures(appFolder), help(appFolder), desktopEntry(appFolder)}) {
        answer.text += part.line + u'\n';
        if (!part.found) {
            answer.toStandardError = true;
            answer.exitStatus = 1;
        }
    }
    return answer;
}

}  // namespace InstallCheck
