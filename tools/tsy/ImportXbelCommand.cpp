// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ImportXbelCommand.h"

#include "FileIO.h"
#include "HeapReserve.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QVariant>

QString ImportXbelCommand::summary() const
{
    return QStringLiteral("merge an XBEL bookmark file into a stack file");
}

QString ImportXbelCommand::help() const
{
    return QStringLiteral("Usage: tsy import-xbel FILE.tsy IN.xbel\n"
                          "\n"
                          "Merges an XBEL file, the bookmark exchange format of the desktops' bookmark\n"
                          "editors, into FILE the way Tessaly's \"Merge From\" > \"XBEL\" does: each\n"
                          "folder of the top level becomes a group (its subfolders' bookmarks join\n"
                          "it), and bookmarks outside every folder go to one group \"XBEL: ROOT\". The\n"
                          "added and visited dates become the created and last-visit dates; the\n"
                          "visits, rating and category that tsy export-xbel writes (in metadata of\n"
                          "the owner https://orvane.org/tessaly) are read back. A file that is not\n"
                          "XBEL, is damaged or cut short, or nests elements more than 256 deep is\n"
                          "refused whole: FILE is left as it was.\n")
        + sharedHelp();
}

bool ImportXbelCommand::checkSource(const QString &source, QString *error) const
{
    QFile file;
    return FileIO::openRegularFile(source, &file, error);
}

bool ImportXbelCommand::merge(QObject *mb, const QString &source) const
{
    // The bookmarks read (kept until the whole file is checked) and the
    // entries made of them fill the heap at once, as a load does: about two
    // bytes for each byte of the file.
    constexpr qint64 memoryPerXbelByte = 2;
    HeapReserve::reserveInHugePages(memoryPerXbelByte * QFileInfo(source).size());
    bool read = false;
    QMetaObject::invokeMethod(mb, "MergeXbel", Q_RETURN_ARG(bool, read), Q_ARG(QString, source));
    return read;
}

QString ImportXbelCommand::mergeError(const QObject *mb, const QString &source) const
{
    const QString error = mb->property("lastError").toString();
    return error.isEmpty() ? ImportCommand::mergeError(mb, source) : error;
}
