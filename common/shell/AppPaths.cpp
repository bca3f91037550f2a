// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppPaths.h"

#include "Registry.h"
#include "RegistryHive.h"
#include "regModule.h"

#include <QStandardPaths>

namespace AppPaths {
namespace {

struct KnownProgram
{
    const char *exeName;
    QStringList candidates;  // program names looked up on PATH, in order
};

QList<KnownProgram> knownBrowsers()
{
    return {
        {"IEXPLORE.EXE", {}},
        {"Netscape.exe", {QStringLiteral("firefox"), QStringLiteral("firefox-esr")}},
        {"Opera.EXE", {QStringLiteral("opera")}},
    };
}

} // namespace

QString keyPrefix()
{
    return QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\");
}

QString getAppPath(const QString &exeName, const QString &valueName)
{
    regModule::KeyHandle key;
    if (regModule::openKey(Registry::HKEY_LOCAL_MACHINE, keyPrefix() + exeName, &key) != regModule::ERROR_SUCCESS)
        return QString();
    QVariant value;
    if (regModule::queryValueEx(key, valueName, value) != regModule::ERROR_SUCCESS)
        return QString();
    return value.toString();
}

QString defaultBrowserOpener()
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    return opener.isEmpty() ? QStringLiteral("/usr/bin/xdg-open") : opener;
}

QString programOnPath(const QStringList &candidates)
{
    for (const QString &name : candidates) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return defaultBrowserOpener();
}

bool fillAppPaths(const QString &programPath, QString *error)
{
    return Registry::changeHive(
        Registry::HKEY_LOCAL_MACHINE,
        [&](RegistryHive &hive) {
            bool changed = false;
            auto set = [&](const QString &exeName, const QString &path) {
                const QString key = keyPrefix() + exeName;
                const RegistryHive::Value *old = hive.value(key, QString());
                if (old && old->type == RegistryHive::RegSz && old->text == path)
                    return;
                hive.createKey(key);
                RegistryHive::Value value;
                value.type = RegistryHive::RegSz;
                value.text = path;
                hive.setValue(key, value);
                changed = true;
            };
            // An entry that still names the opener because its browser was
            // not installed then gets the browser once it is.
            const QString opener = defaultBrowserOpener();
            for (const KnownProgram &browser : knownBrowsers()) {
                const QString exeName = QLatin1String(browser.exeName);
                const RegistryHive::Value *old = hive.value(keyPrefix() + exeName, QString());
                if (!old || (old->type == RegistryHive::RegSz && old->text == opener))
                    set(exeName, programOnPath(browser.candidates));
            }
            if (!programPath.isEmpty())
                set(QStringLiteral("TESSALY.EXE"), programPath);
            return changed;
        },
        error);
}

} // namespace AppPaths
