// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopUrlOpener.h"

#include "ErrorText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

// The context of this file's texts in the translations.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(DesktopUrlOpener)
};

bool isDesktopEntryName(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0;
}

// Whether the file's first group is "[Desktop Entry]", as a desktop's
// launcher reads it: blank lines and comments may come first.
bool beginsWithDesktopEntryGroup(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 longestStart = 64 * 1024;  // no launcher's comments run longer
    while (file.pos() < longestStart && !file.atEnd()) {
        QByteArray line = file.readLine(longestStart);
        if (line.startsWith("\xEF\xBB\xBF") && file.pos() == line.size())
            line.remove(0, 3);
        line = line.trimmed();
        if (!line.isEmpty() && !line.startsWith('#'))
            return line == "[Desktop Entry]";
    }
    return false;
}

}  // namespace

bool DesktopUrlOpener::isRunnable(const QString &localPath)
{
    const QFileInfo given(localPath);
    // Every name on the way counts: the address's own, a link's target, and
    // the file all links lead to (none when they lead nowhere).
    const QString resolved = given.canonicalFilePath();
    if (isDesktopEntryName(localPath) || (given.isSymLink() && isDesktopEntryName(given.symLinkTarget()))
        || (!resolved.isEmpty() && isDesktopEntryName(resolved)))
        return true;
    const QFileInfo file(resolved.isEmpty() ? localPath : resolved);
    // Only regular files are read: a pipe or a device could block the reader.
    return file.isFile() && (file.isExecutable() || beginsWithDesktopEntryGroup(file.filePath()));
}

bool DesktopUrlOpener::isRunnable(const QUrl &url)
{
    return url.scheme() == QLatin1String("file") && isRunnable(url.path(QUrl::FullyDecoded));
}

bool DesktopUrlOpener::open(const QUrl &url, QString *error)
{
    if (!url.isValid() || url.isRelative())
        return ErrorText::fail(error, Text::tr("Not an address that can be opened"));
    if (isRunnable(url))
        return ErrorText::fail(error,
                    Text::tr("%1 is a program: it is not opened").arg(url.path(QUrl::FullyDecoded)));
    const QString argument = url.toString(QUrl::FullyEncoded);
    if (argument.startsWith(QLatin1Char('-')))
        return ErrorText::fail(error, Text::tr("Not an address that can be opened"));
    if (!QProcess::startDetached(program(), {argument}))
        return ErrorText::fail(error,
                               Text::tr("The browser could not be started (%1 is missing)").arg(program()));
    return true;
}
