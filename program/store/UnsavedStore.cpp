// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UnsavedStore.h"

#include "StackFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

namespace UnsavedStore {

namespace {

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tessaly");
}

const QString keptPattern = QStringLiteral("unsaved-*.tsy");

void say(const QString &text)
{
    std::fprintf(stderr, "tessaly: %s\n", text.toLocal8Bit().constData());
}

} // namespace

QString keep(URLBlock &store, const QString &saveError)
{
    const QString folder = dataFolder();
    QDir().mkpath(folder);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString path = folder + QStringLiteral("/unsaved-") + stamp + QStringLiteral(".tsy");
    const QString why = saveError.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(saveError);
    QString error;
    if (!StackFile::saveStackFile(store, path, &error)) {
        say(QCoreApplication::translate(
                "UnsavedStore", "the bookmarks could not be saved%1, and could not be kept either: %2")
                .arg(why, error));
        return QString();
    }
    say(QCoreApplication::translate("UnsavedStore", "the bookmarks could not be saved%1; they are kept in %2")
            .arg(why, path));
    return path;
}

QString keptFilesNote()
{
    const QStringList kept = QDir(dataFolder()).entryList({keptPattern}, QDir::Files, QDir::Name);
    if (kept.isEmpty())
        return QString();
    return QCoreApplication::translate(
               "UnsavedStore",
               "Bookmarks that could not be saved are kept in %1 (%2): bring them back "
               "with File, Merge From, Tessaly .TSY, then remove the file")
        .arg(dataFolder(), kept.join(QStringLiteral(", ")));
}

} // namespace UnsavedStore
