// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ImportFavoritesCommand.h"

#include "FilePaths.h"

#include <QObject>
#include <QVariant>

QString ImportFavoritesCommand::summary() const
{
    return QStringLiteral("merge a favorites folder of .url files into a stack file");
}

QString ImportFavoritesCommand::help() const
{
    return QStringLiteral("Usage: tsy import-favorites FILE.tsy DIR\n"
                          "\n"
                          "Merges a favorites folder (internet shortcuts, .url) into FILE the way\n"
                          "Tessaly's \"Merge From\" > \"IE Favorites\" merges the Favorites folder: the\n"
                          "shortcuts directly in DIR go to a group \"E-Favorites: (Was Root)\", and\n"
                          "each folder below becomes a group of its own name, nested ones too.\n"
                          "Names are taken in order without regard to case. A file named as a\n"
                          "shortcut that no shortcut can be read from (a FIFO or device, a link that\n"
                          "leads nowhere, a file that cannot be read or is longer than 1 MiB) is\n"
                          "skipped and counted.\n")
        + sharedHelp();
}

bool ImportFavoritesCommand::checkSource(const QString &source, QString *error) const
{
    if (FilePaths::isFolder(source))
        return true;
    *error = QStringLiteral("%1: not a folder").arg(source);
    return false;
}

bool ImportFavoritesCommand::merge(QObject *mb, const QString &source) const
{
    // A folder's walk reads what it can; checkSource has refused a source that is no folder.
    mb->setProperty("favoritesFolder", QVariant(source));
    return QMetaObject::invokeMethod(mb, "MergeFaves", Q_ARG(qlonglong, 0));
}

int ImportFavoritesCommand::skippedFiles(const QObject *mb) const
{
    return mb->property("skippedFavorites").toInt();
}
