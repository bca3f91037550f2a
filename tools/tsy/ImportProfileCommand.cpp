// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ImportProfileCommand.h"

#include "ChromiumProfiles.h"
#include "FilePaths.h"
#include "FirefoxProfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QVariant>

ImportProfileCommand::ImportProfileCommand(Browser browser, QTextStream &out, QTextStream &err)
    : ImportCommand(out, err)
    , m_browser(browser)
{ }

QString ImportProfileCommand::name() const
{
    return m_browser == Browser::Firefox ? QStringLiteral("import-firefox") : QStringLiteral("import-chromium");
}

QString ImportProfileCommand::summary() const
{
    return m_browser == Browser::Firefox
        ? QStringLiteral("merge a Firefox profile's bookmarks with their visits into a stack file")
        : QStringLiteral("merge a Chromium or Chrome profile's bookmarks with their visits into a stack file");
}

QString ImportProfileCommand::help() const
{
    const QString usage = m_browser == Browser::Firefox
        ? QStringLiteral("Usage: tsy import-firefox FILE.tsy [PROFILE_DIR]\n"
                         "\n"
                         "Merges the bookmarks of a Firefox profile (its places.sqlite) into FILE\n"
                         "with what Firefox knows of them: the date each was added, how often its\n"
                         "page was visited and when last. Without PROFILE_DIR, the profile Firefox\n"
                         "starts with (profiles.ini and installs.ini under ~/.mozilla/firefox or\n"
                         "$XDG_CONFIG_HOME/mozilla/firefox, by default ~/.config/mozilla/firefox).\n"
                         "The groups are those that importing the profile's bookmark export would\n"
                         "make: each folder of the bookmarks menu becomes a group, the menu's own\n"
                         "links go to \"Netscape: ROOT\", and the toolbar, \"Other Bookmarks\" and\n"
                         "\"Mobile Bookmarks\" become groups of those names; subfolders' links join\n"
                         "their group. Tags and separators are passed over.\n")
        : QStringLiteral("Usage: tsy import-chromium FILE.tsy [PROFILE_DIR]\n"
                         "\n"
                         "Merges the bookmarks of a Chromium or Google Chrome profile (its\n"
                         "Bookmarks file) into FILE with the visit counts and last visits of its\n"
                         "History (a bookmark's own last use, where later, is its last visit).\n"
                         "Without PROFILE_DIR, the first profile with bookmarks under\n"
                         "$XDG_CONFIG_HOME/chromium, then $XDG_CONFIG_HOME/google-chrome\n"
                         "(\"Default\" first; $XDG_CONFIG_HOME is by default ~/.config, and\n"
                         "$CHROME_CONFIG_HOME, where set, stands in its place as the browsers take it).\n"
                         "The groups are those that importing the profile's bookmark export\n"
                         "would make: the bookmarks bar becomes a group of its name, each folder\n"
                         "of \"Other bookmarks\" a group, and their own links go to\n"
                         "\"Netscape: ROOT\"; subfolders' links join their group.\n");
    return usage
        + QStringLiteral("\n"
                         "The profile is read from a copy, so a browser that runs is neither\n"
                         "disturbed nor waited for, and its latest visits are included. A\n"
                         "database that is damaged or of another kind changes nothing. An\n"
                         "address already in its group is not added again, but gets the larger\n"
                         "visit count, the later last visit and the earlier creation date of\n"
                         "the two, so importing the profile again brings in only what the\n"
                         "browser has learnt since.\n"
                         "\n")
        + sharedHelp();
}

QString ImportProfileCommand::profileFolderOf(const QString &source)
{
    const QFileInfo info(source);
    return info.isDir() ? source : info.absolutePath();
}

bool ImportProfileCommand::checkSource(const QString &source, QString *error) const
{
    if (FilePaths::exists(source))
        return true;
    *error = QStringLiteral("%1: no such profile folder").arg(source);
    return false;
}

bool ImportProfileCommand::merge(QObject *mb, const QString &source) const
{
    const char *method = m_browser == Browser::Firefox ? "MergeFirefox" : "MergeChromium";
    bool read = false;
    QMetaObject::invokeMethod(mb, method, Q_RETURN_ARG(bool, read), Q_ARG(QString, profileFolderOf(source)));
    return read;
}

QString ImportProfileCommand::mergeError(const QObject *mb, const QString &source) const
{
    const QString reason = mb->property("errorText").toString();
    return reason.isEmpty() ? ImportCommand::mergeError(mb, source) : reason;
}

QString ImportProfileCommand::defaultSource(QString *error) const
{
    const QString home = QDir::homePath();
    if (m_browser == Browser::Firefox) {
        const QStringList folders = FirefoxProfiles::profileFolders(home);
        if (!folders.isEmpty())
            return folders.first();
        *error = QStringLiteral("no Firefox profile found; name its folder");
    } else {
        const QList<ChromiumProfiles::Profile> profiles = ChromiumProfiles::bookmarkProfiles(home);
        if (!profiles.isEmpty())
            return profiles.first().folder;
        *error = QStringLiteral("no Chromium or Chrome profile with bookmarks found; name its folder");
    }
    return QString();
}
