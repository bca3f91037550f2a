// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QSqlQuery;

// A browser's SQLite database read from a copy. A running Firefox keeps
// places.sqlite in WAL mode under an exclusive lock, and Chromium its History
// too: opening the file itself would wait for the lock or fail, and
// immutable=1 would pass over what the write-ahead log holds (the latest
// visits and bookmarks). So the file is copied with its -wal and -journal
// into a temporary folder, by plain reads, which take no lock and disturb
// nothing, and the copy is opened through QtSql's SQLite driver under a
// connection name of its own; SQLite takes the log into the copy there.
class SqliteSnapshot
{
public:
    SqliteSnapshot() = default;
    ~SqliteSnapshot();
    SqliteSnapshot(const SqliteSnapshot &) = delete;
    SqliteSnapshot &operator=(const SqliteSnapshot &) = delete;

    // Copies and opens fileName; what kind of database it must be is named
    // in the error texts ("a Firefox places database"). False, with an error
    // text that names the file, when it cannot be read or is no SQLite
    // database.
    bool open(const QString &fileName, const QString &kind, QString *error);

    // Whether each table has the columns listed; false, with an error text
    // naming the first one missing, for a database of another schema.
    bool hasColumns(const QString &table, const QStringList &columns, QString *error) const;

    QSqlDatabase database() const;

    // The error text for a query that failed: the file, what was done, SQLite's reason.
    QString queryError(const QSqlQuery &query, const QString &what) const;

private:
    bool copyFile(const QString &from, const QString &to, QString *error) const;

    QTemporaryDir m_folder;
    QString m_fileName;
    QString m_kind;
    QString m_connection;
};
