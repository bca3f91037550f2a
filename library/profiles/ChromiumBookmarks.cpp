// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChromiumBookmarks.h"

#include "BookmarkEntry.h"
#include "BrowserTime.h"
#include "ErrorText.h"
#include "FileIO.h"
#include "SqliteSnapshot.h"
#include "TopLevelBookmarks.h"

#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <limits>
#include <vector>

namespace {

struct Usage
{
    qint32 visits = 0;
    QDateTime lastVisit;
};

QDateTime timeOf(const QJsonValue &value)
{
    // Written as a text of digits; a number is taken too.
    const qint64 microseconds = value.isString() ? value.toString().toLongLong() : qint64(value.toDouble());
    return BrowserTime::fromWindowsMicroseconds(microseconds);
}

BookmarkEntry linkOf(const QJsonObject &node)
{
    BookmarkEntry link;
    link.title = node.value(QLatin1String("name")).toString();
    link.url = node.value(QLatin1String("url")).toString();
    link.addedMs = BookmarkEntry::msOf(timeOf(node.value(QLatin1String("date_added"))));
    link.lastVisitMs = BookmarkEntry::msOf(timeOf(node.value(QLatin1String("date_last_used"))));
    return link;
}

bool isFolder(const QJsonObject &node)
{
    return node.value(QLatin1String("type")).toString() == QLatin1String("folder");
}

bool isLink(const QJsonObject &node)
{
    return node.value(QLatin1String("type")).toString() == QLatin1String("url")
        && !node.value(QLatin1String("url")).toString().isEmpty();
}

QJsonArray childrenOf(const QJsonObject &node)
{
    return node.value(QLatin1String("children")).toArray();
}

// Every link below a folder, depth first in order.
void addLinksBelow(const QJsonObject &folder, TopLevelBookmarks &bookmarks, int depth = 0)
{
    // Chromium nests no deeper than a person clicks; a deeper file is damaged.
    if (depth > 1000)
        return;
    for (const QJsonValue &child : childrenOf(folder)) {
        const QJsonObject node = child.toObject();
        if (isLink(node))
            bookmarks.addToFolder(linkOf(node));
        else if (isFolder(node))
            addLinksBelow(node, bookmarks, depth + 1);
    }
}

void addTopLevel(const QJsonObject &root, TopLevelBookmarks &bookmarks)
{
    for (const QJsonValue &child : childrenOf(root)) {
        const QJsonObject node = child.toObject();
        if (isLink(node))
            bookmarks.addLink(linkOf(node));
        else if (isFolder(node)) {
            bookmarks.addFolder(node.value(QLatin1String("name")).toString());
            addLinksBelow(node, bookmarks);
        }
    }
}

bool readBookmarksFile(const QString &fileName, TopLevelBookmarks &bookmarks, QString *error)
{
    QByteArray contents;
    if (!FileIO::readFile(fileName, &contents, error))
        return false;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(contents, &parseError);
    const QJsonObject roots = document.object().value(QLatin1String("roots")).toObject();
    if (document.isNull())
        return ErrorText::fail(error, QStringLiteral("%1: not a Chromium bookmarks file (%2)")
                                          .arg(fileName, parseError.errorString()));
    if (roots.isEmpty())
        return ErrorText::fail(error, QStringLiteral("%1: not a Chromium bookmarks file (it has no roots)").arg(fileName));
    const QJsonObject bar = roots.value(QLatin1String("bookmark_bar")).toObject();
    if (!childrenOf(bar).isEmpty()) {
        const QString name = bar.value(QLatin1String("name")).toString();
        bookmarks.addFolder(name.isEmpty() ? QStringLiteral("Bookmarks bar") : name);
        addLinksBelow(bar, bookmarks);
    }
    addTopLevel(roots.value(QLatin1String("other")).toObject(), bookmarks);
    addTopLevel(roots.value(QLatin1String("synced")).toObject(), bookmarks);
    return true;
}

// The usage of the addresses asked for, by one join of History's urls with
// a temporary table of the addresses.
bool readUsage(const QString &historyFile, const QStringList &addresses, QHash<QString, Usage> &usage,
               QString *error)
{
    SqliteSnapshot history;
    const QString kind = QStringLiteral("a Chromium history database");
    if (!history.open(historyFile, kind, error)
        || !history.hasColumns(QStringLiteral("urls"),
                               {QStringLiteral("url"), QStringLiteral("visit_count"),
                                QStringLiteral("last_visit_time")},
                               error))
        return false;
    QSqlDatabase db = history.database();
    QSqlQuery query(db);
    const auto failed = [&](const QString &what) {
        return ErrorText::fail(error, history.queryError(query, what));
    };
    if (!query.exec(QStringLiteral("CREATE TEMP TABLE bookmarked (url TEXT PRIMARY KEY) WITHOUT ROWID")))
        return failed(QStringLiteral("cannot read it"));
    db.transaction();
    if (!query.prepare(QStringLiteral("INSERT OR IGNORE INTO bookmarked (url) VALUES (?)")))
        return failed(QStringLiteral("cannot read it"));
    for (const QString &address : addresses) {
        query.bindValue(0, address);
        if (!query.exec())
            return failed(QStringLiteral("cannot read it"));
    }
    db.commit();
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT u.url, MAX(u.visit_count), MAX(u.last_visit_time)"
                                   " FROM bookmarked b JOIN urls u ON u.url = b.url GROUP BY u.url")))
        return failed(QStringLiteral("cannot read its visits"));
    while (query.next()) {
        Usage &found = usage[query.value(0).toString()];
        found.visits = qint32(qBound(qint64(0), qint64(query.value(1).toLongLong()), qint64(std::numeric_limits<qint32>::max())));
        found.lastVisit = BrowserTime::fromWindowsMicroseconds(query.value(2).toLongLong());
    }
    if (query.lastError().isValid())
        return failed(QStringLiteral("cannot read its visits"));
    return true;
}

}  // namespace

namespace ChromiumBookmarks {

bool read(const QString &profileFolder, TopLevelBookmarks &bookmarks, QString *error)
{
    TopLevelBookmarks found;
    if (!readBookmarksFile(profileFolder + QLatin1String("/Bookmarks"), found, error))
        return false;
    const QString historyFile = profileFolder + QLatin1String("/History");
    QHash<QString, Usage> usage;
    if (QFileInfo::exists(historyFile)
        && !readUsage(historyFile, found.addresses(), usage, error))
        return false;
    found.updateLinks([&usage](BookmarkEntry &link) {
        const auto known = usage.constFind(link.url);
        if (known == usage.cend())
            return;
        link.visits = known->visits;
        const std::optional<qint64> seen = BookmarkEntry::msOf(known->lastVisit);
        if (seen && (!link.lastVisitMs || *seen > *link.lastVisitMs))
            link.lastVisitMs = seen;
    });
    bookmarks = std::move(found);
    return true;
}

}  // namespace ChromiumBookmarks
