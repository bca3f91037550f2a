// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SqliteSnapshot.h"

#include "ErrorText.h"
#include "FileIO.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QAtomicInteger<quint32> connectionCount;

const QString driverName = QStringLiteral("QSQLITE");

quint32 bigEndian(const QByteArray &bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

// The length a database file's header gives it, where the header says so
// (its page count is valid when the version field agrees with the change
// counter); 0 when it does not.
qint64 lengthFromHeader(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith("SQLite format 3\0"))
        return 0;
    const quint32 pageSize = bigEndian(header, 16, 2) == 1 ? 65536 : bigEndian(header, 16, 2);
    if (bigEndian(header, 92, 4) != bigEndian(header, 24, 4))
        return 0;
    return qint64(pageSize) * bigEndian(header, 28, 4);
}

}  // namespace

SqliteSnapshot::~SqliteSnapshot()
{
    if (m_connection.isEmpty())
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool SqliteSnapshot::open(const QString &fileName, const QString &kind, QString *error)
{
    m_fileName = fileName;
    m_kind = kind;
    if (!QSqlDatabase::isDriverAvailable(driverName))
        return ErrorText::fail(error, QStringLiteral("QtSql's SQLite driver is not installed "
                                                     "(the package libqt6sql6-sqlite)"));
    if (!m_folder.isValid())
        return ErrorText::fail(error, QStringLiteral("cannot make a temporary folder: %1").arg(m_folder.errorString()));
    const QString copy = m_folder.filePath(QStringLiteral("copy.sqlite"));
    // The log first: a write that lands while the main file is copied is then
    // in neither copy, rather than half in one.
    for (const QLatin1StringView log : {QLatin1StringView("-wal"), QLatin1StringView("-journal")}) {
        if (QFileInfo::exists(fileName + log) && !copyFile(fileName + log, copy + log, error))
            return false;
    }
    if (!copyFile(fileName, copy, error))
        return false;
    // A file cut short reads as a smaller database, or fails only where a
    // query reaches the pages lost: its header tells.
    const qint64 expected = lengthFromHeader(copy);
    const qint64 length = QFileInfo(copy).size();
    if (length < expected)
        return ErrorText::fail(error, QStringLiteral("%1: cut short (%2 of its %3 bytes are there)")
                                          .arg(fileName)
                                          .arg(length)
                                          .arg(expected));

    m_connection = QStringLiteral("tessaly-snapshot-%1").arg(connectionCount.fetchAndAddRelaxed(1));
    QSqlDatabase db = QSqlDatabase::addDatabase(driverName, m_connection);
    db.setDatabaseName(copy);
    if (!db.open())
        return ErrorText::fail(error, QStringLiteral("%1: cannot open it (%2)").arg(fileName, db.lastError().text()));
    // SQLite reads the file only when first asked: a file that is no
    // database, or a damaged one, shows here.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !probe.next())
        return ErrorText::fail(error, QStringLiteral("%1: not %2 (%3)")
                                          .arg(fileName, kind, probe.lastError().databaseText()));
    return true;
}

bool SqliteSnapshot::copyFile(const QString &from, const QString &to, QString *error) const
{
    QFile source;
    if (!FileIO::openRegularFile(from, &source, error))
        return false;
    QFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return ErrorText::fail(error, QStringLiteral("cannot copy %1: %2").arg(from, target.errorString()));
    QByteArray piece(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = source.read(piece.data(), piece.size());
        if (read < 0) {
            FileIO::setReadError(from, source, error);
            return false;
        }
        if (read == 0)
            break;
        if (target.write(piece.constData(), read) != read)
            return ErrorText::fail(error, QStringLiteral("cannot copy %1: %2").arg(from, target.errorString()));
    }
    return true;
}

bool SqliteSnapshot::hasColumns(const QString &table, const QStringList &columns, QString *error) const
{
    QSqlQuery query(database());
    QStringList found;
    if (query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table))) {
        while (query.next())
            found << query.value(1).toString();
    }
    if (found.isEmpty())
        return ErrorText::fail(error, QStringLiteral("%1: not %2 (it has no table %3)").arg(m_fileName, m_kind, table));
    for (const QString &column : columns) {
        if (!found.contains(column, Qt::CaseInsensitive))
            return ErrorText::fail(error, QStringLiteral("%1: not %2 (its table %3 has no column %4)")
                                              .arg(m_fileName, m_kind, table, column));
    }
    return true;
}

QSqlDatabase SqliteSnapshot::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

QString SqliteSnapshot::queryError(const QSqlQuery &query, const QString &what) const
{
    const QSqlError sqlError = query.lastError();
    const QString reason = sqlError.databaseText().isEmpty() ? sqlError.text() : sqlError.databaseText();
    return QStringLiteral("%1: %2 (%3)").arg(m_fileName, what, reason);
}
