// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Browser profiles made by the tests with the browsers' published schemas:
// Firefox's places.sqlite (moz_places, moz_bookmarks, moz_historyvisits, as
// toolkit/components/places creates them) and Chromium's Bookmarks JSON and
// History (its urls table). No real profile is read.
#pragma once

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace ProfileFixtures {

// An SQLite database written through its own connection, open until destroyed.
class Database
{
public:
    explicit Database(const QString &fileName)
        : m_name(QStringLiteral("fixture-%1").arg(++count()))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(fileName);
        if (!db.open())
            qFatal("cannot make %s", qPrintable(fileName));
        // Made to be read, not to survive a crash: no waits for the disk.
        exec("PRAGMA synchronous=OFF");
    }
    ~Database()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    // Runs a statement with its values bound in order; returns the new row's id.
    qint64 exec(const QString &statement, const QVariantList &values = {}) const
    {
        QSqlQuery query(db());
        query.prepare(statement);
        for (const QVariant &value : values)
            query.addBindValue(value);
        if (!query.exec())
            qFatal("fixture statement failed: %s: %s", qPrintable(statement),
                   qPrintable(query.lastError().text()));
        return query.lastInsertId().toLongLong();
    }

private:
    static int &count()
    {
        static int made = 0;
        return made;
    }
    QString m_name;
};

// A places.sqlite with Firefox's roots: menu, toolbar, tags, unfiled, mobile.
class Places : public Database
{
public:
    enum Root : qint64 { Menu = 2, Toolbar = 3, Tags = 4, Unfiled = 5, Mobile = 6 };

    explicit Places(const QString &fileName)
        : Database(fileName)
    {
        exec("CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,"
             " rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL,"
             " typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL,"
             " last_visit_date INTEGER, guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL,"
             " url_hash INTEGER DEFAULT 0 NOT NULL, description TEXT, preview_image_url TEXT,"
             " site_name TEXT, origin_id INTEGER, recalc_frecency INTEGER NOT NULL DEFAULT 0,"
             " alt_frecency INTEGER, recalc_alt_frecency INTEGER NOT NULL DEFAULT 0)");
        exec("CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER,"
             " place_id INTEGER, visit_date INTEGER, visit_type INTEGER, session INTEGER,"
             " source INTEGER DEFAULT 0 NOT NULL, triggeringPlaceId INTEGER)");
        exec("CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,"
             " parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT,"
             " dateAdded INTEGER, lastModified INTEGER, guid TEXT, syncStatus INTEGER NOT NULL DEFAULT 0,"
             " syncChangeCounter INTEGER NOT NULL DEFAULT 1)");
        exec("CREATE INDEX moz_historyvisits_placedateindex ON moz_historyvisits (place_id, visit_date)");
        exec("CREATE INDEX moz_bookmarks_itemindex ON moz_bookmarks (fk, type)");
        exec("CREATE INDEX moz_bookmarks_parentindex ON moz_bookmarks (parent, position)");
        row(0, 2, QVariant(), "", "root________");
        row(1, 2, QVariant(), "menu", "menu________");
        row(1, 2, QVariant(), "toolbar", "toolbar_____");
        row(1, 2, QVariant(), "tags", "tags________");
        row(1, 2, QVariant(), "unfiled", "unfiled_____");
        row(1, 2, QVariant(), "mobile", "mobile______");
    }

    // A page with its visit count and last visit (microseconds since 1970; 0: none).
    qint64 place(const QString &url, qint64 visits = 0, qint64 lastVisit = 0, const QString &title = {})
    {
        return exec("INSERT INTO moz_places (url, title, visit_count, last_visit_date, guid)"
                    " VALUES (?, ?, ?, ?, ?)",
                    {url, title, visits, lastVisit ? QVariant(lastVisit) : QVariant(), guid()});
    }
    void visit(qint64 place, qint64 when) const
    {
        exec("INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) VALUES (?, ?, 1)", {place, when});
    }
    qint64 folder(qint64 parent, const QString &title) { return row(parent, 2, QVariant(), title, guid()); }
    qint64 separator(qint64 parent) { return row(parent, 3, QVariant(), QString(), guid()); }
    qint64 bookmark(qint64 parent, qint64 place, const QString &title, qint64 added = 0)
    {
        return row(parent, 1, place, title, guid(), added);
    }
    // A page and a bookmark of it.
    qint64 link(qint64 parent, const QString &title, const QString &url, qint64 added, qint64 visits = 0,
                qint64 lastVisit = 0)
    {
        return bookmark(parent, place(url, visits, lastVisit), title, added);
    }

private:
    qint64 row(qint64 parent, int type, const QVariant &fk, const QString &title, const QString &guid,
               qint64 added = 0)
    {
        const qint64 position = m_positions[parent]++;
        return exec("INSERT INTO moz_bookmarks (type, fk, parent, position, title, dateAdded, lastModified, guid)"
                    " VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                    {type, fk, parent, position, title, added, added, guid});
    }
    QString guid() { return QStringLiteral("fixture%1").arg(++m_guids, 5, 10, QLatin1Char('0')); }

    QHash<qint64, qint64> m_positions;
    int m_guids = 0;
};

// Chromium's History with its urls table (times: microseconds since 1601).
class History : public Database
{
public:
    explicit History(const QString &fileName)
        : Database(fileName)
    {
        exec("CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT,url LONGVARCHAR,title LONGVARCHAR,"
             "visit_count INTEGER DEFAULT 0 NOT NULL,typed_count INTEGER DEFAULT 0 NOT NULL,"
             "last_visit_time INTEGER NOT NULL,hidden INTEGER DEFAULT 0 NOT NULL)");
        exec("CREATE INDEX urls_url_index ON urls (url)");
    }
    void url(const QString &url, qint64 visits, qint64 lastVisit) const
    {
        exec("INSERT INTO urls (url, title, visit_count, last_visit_time) VALUES (?, '', ?, ?)",
             {url, visits, lastVisit});
    }
};

// Nodes of Chromium's Bookmarks file.
inline QJsonObject chromiumLink(const QString &name, const QString &url, qint64 added, qint64 lastUsed = 0)
{
    return QJsonObject{{"type", "url"},
                       {"name", name},
                       {"url", url},
                       {"date_added", QString::number(added)},
                       {"date_last_used", QString::number(lastUsed)}};
}

inline QJsonObject chromiumFolder(const QString &name, const QJsonArray &children)
{
    return QJsonObject{{"type", "folder"}, {"name", name}, {"children", children},
                       {"date_added", "13300000000000000"}, {"date_modified", "0"}};
}

// The whole file with its three roots.
inline QByteArray chromiumBookmarks(const QJsonArray &bar, const QJsonArray &other, const QJsonArray &synced = {})
{
    const QJsonObject roots{{"bookmark_bar", chromiumFolder("Bookmarks bar", bar)},
                            {"other", chromiumFolder("Other bookmarks", other)},
                            {"synced", chromiumFolder("Mobile bookmarks", synced)}};
    return QJsonDocument(QJsonObject{{"checksum", "0"}, {"roots", roots}, {"version", 1}}).toJson();
}

}  // namespace ProfileFixtures
