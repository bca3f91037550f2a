// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InternetShortcut.h"

#include "ErrorText.h"
#include "FileIO.h"
#include "ShellFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace InternetShortcut {

namespace {

// The longest file name most file systems take (255 bytes), less the room
// for the suffix of the temporary file that a write goes through.
constexpr qsizetype longestFileName = 255 - 13;

bool isUnsafe(QChar c)
{
    static const QString reserved = QStringLiteral("\\/:*?\"<>|");
    return c.category() == QChar::Other_Control || reserved.contains(c);
}

// The name cut so that its UTF-8 bytes fit in room, never inside a surrogate pair.
QString fitted(const QString &name, qsizetype room)
{
    if (name.toUtf8().size() <= room)
        return name;
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < name.size()) {
        const qsizetype width = name[end].isHighSurrogate() && end + 1 < name.size() ? 2 : 1;
        const qsizetype size = name.mid(end, width).toUtf8().size();
        if (bytes + size > room)
            break;
        bytes += size;
        end += width;
    }
    return name.left(end);
}

bool isInside(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// The folder the shortcut goes into, made when the setting asks for it.
bool targetFolder(const QString &favorites, int cAF, const QString &group, QString *folder, QString *error)
{
    const QString safeGroup = safeFileName(group);
    if (cAF != 2 && safeGroup.isEmpty() && !group.isEmpty())
        return ErrorText::fail(error, QStringLiteral("\"%1\" cannot name a folder").arg(group));
    *folder = cAF == 2 || safeGroup.isEmpty()
        ? favorites
        : favorites + QLatin1Char('/') + fitted(safeGroup, longestFileName);
    if ((cAF == 1 || cAF == 2) && !QDir().mkpath(*folder))
        return ErrorText::fail(
            error,
            QCoreApplication::translate("InternetShortcut", "%1: the folder could not be made").arg(*folder));
    return true;
}

}  // namespace

QString safeFileName(const QString &text)
{
    if (text == QLatin1String(".") || text == QLatin1String(".."))
        return QString();
    QString name = text;
    for (QChar &c : name) {
        if (isUnsafe(c))
            c = QLatin1Char('_');
    }
    return name;
}

QByteArray contents(const QString &url)
{
    // A line break in the address would end the URL line early.
    QString oneLine = url;
    oneLine.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    return "[InternetShortcut]\r\nURL=" + oneLine.toUtf8() + "\r\n";
}

QString titleForFile(const QString &title, const QString &url)
{
    if (!title.isEmpty())
        return title;
    const QUrl address = QUrl::fromUserInput(url.trimmed());
    return address.host().isEmpty() ? address.fileName() : address.host();
}

QString writeShortcut(const QString &favoritesFolder, int cAF, const QString &title, const QString &url,
                      const QString &group, QString *error)
{
    if (cAF == 0) {
        ErrorText::fail(error,
                        QCoreApplication::translate("InternetShortcut",
                                                    "No shortcut is written: the setting turns them off"));
        return QString();
    }
    const QString safeTitle = safeFileName(title);
    if (safeTitle.isEmpty() && !title.isEmpty()) {
        ErrorText::fail(error, QStringLiteral("\"%1\" cannot name a file").arg(title));
        return QString();
    }
    QString folder;
    if (!targetFolder(favoritesFolder, cAF, group, &folder, error))
        return QString();
    const QString suffix = QStringLiteral(".url");
    const QString path
        = folder + QLatin1Char('/') + fitted(safeTitle, longestFileName - suffix.size()) + suffix;

    // The file written, at the end of any links, must lie inside the favorites folder.
    const QString base = QFileInfo(favoritesFolder).canonicalFilePath();
    const QString written = FileIO::writtenPath(path);
    const QString writtenFolder = QFileInfo(QFileInfo(written).absolutePath()).canonicalFilePath();
    if (base.isEmpty() || writtenFolder.isEmpty()) {
        ErrorText::fail(
            error,
            QCoreApplication::translate("InternetShortcut", "%1: not written, its folder does not exist")
                .arg(path));
        return QString();
    }
    if (!isInside(writtenFolder, base)) {
        ErrorText::fail(error,
                        QCoreApplication::translate("InternetShortcut",
                                                    "%1: not written, it lies outside the favorites folder")
                            .arg(written));
        return QString();
    }
    QString writeError;
    if (!FileIO::saveFile(path, contents(url), &writeError)) {
        ErrorText::fail(error, writeError);
        return QString();
    }
    return path;
}

QString favoritesFolder()
{
    return ShellFolders::getSpecialFolder(ShellFolders::Favorites);
}

}  // namespace InternetShortcut
