// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ImportHtmlCommand.h"

#include "ChosenFileDialog.h"
#include "FileIO.h"

#include <QFile>
#include <QObject>
#include <QVariant>

QString ImportHtmlCommand::summary() const
{
    return QStringLiteral("merge a browser's bookmark file (.html) into a stack file");
}

QString ImportHtmlCommand::help() const
{
    return QStringLiteral("Usage: tsy import-html FILE.tsy BOOKMARKS.html\n"
                          "\n"
                          "Merges a Netscape bookmark file, as Firefox and Chromium export it, into\n"
                          "FILE the way Tessaly's \"Merge From\" > \"Netscape .HTM\" does: each folder\n"
                          "of the top level becomes a group (its subfolders' links join it), and\n"
                          "links outside every folder go to one group \"Netscape: ROOT\" (a separator\n"
                          "of the top level starts another). ADD_DATE and LAST_VISIT become the\n"
                          "created and last-visit dates; the visits, rating and category that\n"
                          "tsy export-html writes are read back.\n")
        + sharedHelp();
}

bool ImportHtmlCommand::checkSource(const QString &source, QString *error) const
{
    QFile file;
    if (FileIO::openRegularFile(source, &file, nullptr))
        return true;
    *error = QStringLiteral("%1: cannot read the bookmark file").arg(source);
    return false;
}

bool ImportHtmlCommand::merge(QObject *mb, const QString &source) const
{
    QObject form;
    new ChosenFileDialog(source, &form);
    mb->setProperty("thisForm", QVariant::fromValue(&form));
    bool read = false;
    QMetaObject::invokeMethod(mb, "OpenNSAs", Q_RETURN_ARG(bool, read), Q_ARG(bool, true));
    mb->setProperty("thisForm", QVariant::fromValue<QObject *>(nullptr));
    return read;
}
