// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ShellHelpers.h"

#include "ShellFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ShellHelpers {
namespace {

// The desktop waits this long after login before starting the program, so
// that the notification area is up when the tray icon is added.
constexpr int autostartDelaySeconds = 5;

QString quoted(const QString &argument)
{
    QString text = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            text += u'\\';
        else if (c == u'%')
            text += u'%';
        text += c;
    }
    return text + u'"';
}

// The escapes of a string value, undone by a reader before the Exec quoting.
QString stringValue(const QString &text)
{
    QString value;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            value += QStringLiteral("\\\\");
            break;
        case '\n':
            value += QStringLiteral("\\n");
            break;
        case '\t':
            value += QStringLiteral("\\t");
            break;
        case '\r':
            value += QStringLiteral("\\r");
            break;
        default:
            value += c;
        }
    }
    return value;
}

bool isStartupEntry(const QString &path)
{
    const QFileInfo entry(path);
    return !path.isEmpty() && entry.isFile() && entry.size() != 0;
}

}  // namespace

QString desktopId()
{
    return QStringLiteral("org.orvane.Tessaly");
}

QString getSpecialFolder(int csidl)
{
    return ShellFolders::getSpecialFolder(csidl);
}

QString startupShortcutPath()
{
    const QString folder = ShellHelpers::getSpecialFolder(int(ShellFolders::Startup));
    return folder.isEmpty() ? QString() : folder + u'/' + desktopId() + QStringLiteral(".desktop");
}

QString earlierStartupShortcutPath()
{
    const QString folder = ShellHelpers::getSpecialFolder(int(ShellFolders::Startup));
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/Tessaly.desktop");
}

bool startupShortcutExists()
{
    return isStartupEntry(startupShortcutPath()) || isStartupEntry(earlierStartupShortcutPath());
}

QString execArgument(const QString &argument)
{
    return stringValue(quoted(argument));
}

QByteArray desktopEntryText(const QString &programPath)
{
    if (programPath.isEmpty() || !QDir::isAbsolutePath(programPath) || programPath.contains(u'='))
        return QByteArray();
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Tessaly\n"
                                        "Comment=Bookmark manager in the notification area\n")
        + QStringLiteral("Exec=%1\n").arg(execArgument(programPath))
        + QStringLiteral("Icon=%1\n").arg(desktopId()) + QStringLiteral("Terminal=false\n")
        + QStringLiteral("X-GNOME-Autostart-Delay=%1\n").arg(autostartDelaySeconds)
        + QStringLiteral("X-LXQt-Need-Tray=true\n");
    return text.toUtf8();
}

bool createStartupShortcut(const QString &programPath)
{
    const QString path = startupShortcutPath();
    const QByteArray text = desktopEntryText(programPath);
    if (path.isEmpty() || text.isEmpty())
        return false;
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text);
    return file.commit();
}

bool setStartupShortcut(bool wanted, const QString &programPath)
{
    if (!wanted) {
        for (const QString &path : {startupShortcutPath(), earlierStartupShortcutPath()}) {
            if (isStartupEntry(path))
                QFile::remove(path);
        }
    } else if (!startupShortcutExists()) {
        createStartupShortcut(programPath);
    }
    return startupShortcutExists();
}

}  // namespace ShellHelpers
