// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Firefox's profiles.ini and installs.ini (the input up to its first NUL
// byte, and the rest) in a home that holds the profile folders "a.default"
// and "b.dev" and, outside, "/abs" in the temporary folder. The profiles
// found are absolute folders that exist, each named once, and running
// Firefox is looked for only among them.

#include "FirefoxProfiles.h"
#include "FuzzCheck.h"
#include "FuzzFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <cstdint>

namespace {

QString preparedHome()
{
    const QString home = FuzzFolder::path() + QStringLiteral("/home");
    static const bool made = [&home] {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/.config")));
        QDir folder;
        return folder.mkpath(home + QStringLiteral("/.mozilla/firefox/a.default"))
            && folder.mkpath(home + QStringLiteral("/.mozilla/firefox/b.dev"))
            && folder.mkpath(FuzzFolder::path() + QStringLiteral("/abs"));
    }();
    FUZZ_CHECK(made);
    return home;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString home = preparedHome();
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    FuzzFolder::write(QStringLiteral("home/.mozilla/firefox/profiles.ini"),
                      input.first(split < 0 ? size : split));
    FuzzFolder::write(QStringLiteral("home/.mozilla/firefox/installs.ini"),
                      split < 0 ? QByteArray() : input.sliced(split + 1));
    const QStringList folders = FirefoxProfiles::profileFolders(home);
    FUZZ_CHECK(QSet<QString>(folders.begin(), folders.end()).size() == folders.size());
    for (const QString &folder : folders)
        FUZZ_CHECK(QFileInfo(folder).isAbsolute() && QFileInfo(folder).isDir());
    FUZZ_CHECK(FirefoxProfiles::runningProfile(home).isEmpty());
    return 0;
}
