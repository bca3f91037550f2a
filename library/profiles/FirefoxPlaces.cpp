// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FirefoxPlaces.h"

#include "BookmarkEntry.h"
#include "BrowserTime.h"
#include "ErrorText.h"
#include "SqliteSnapshot.h"
#include "TopLevelBookmarks.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <limits>
#include <vector>

namespace {

const QString kind = QStringLiteral("a Firefox places database");

enum Type { Bookmark = 1, Folder = 2 };

struct Row
{
    qint64 id = 0;
    int type = 0;
    QString guid;
    BookmarkEntry link;  // a folder's name is its title
};

// The rows of moz_bookmarks, each with its children in position order.
struct Tree
{
    std::vector<Row> rows;
    QHash<qint64, std::vector<qsizetype>> children;  // by the parent's id
};

qint32 saturated(qint64 count)
{
    return qint32(qBound(qint64(0), count, qint64(std::numeric_limits<qint32>::max())));
}

bool checkSchema(const SqliteSnapshot &places, QString *error)
{
    return places.hasColumns(QStringLiteral("moz_bookmarks"),
                             {QStringLiteral("id"), QStringLiteral("type"), QStringLiteral("fk"),
                              QStringLiteral("parent"), QStringLiteral("position"), QStringLiteral("title"),
                              QStringLiteral("dateAdded"), QStringLiteral("guid")},
                             error)
        && places.hasColumns(QStringLiteral("moz_places"),
                             {QStringLiteral("id"), QStringLiteral("url"), QStringLiteral("title"),
                              QStringLiteral("visit_count"), QStringLiteral("last_visit_date")},
                             error)
        && places.hasColumns(QStringLiteral("moz_historyvisits"),
                             {QStringLiteral("place_id"), QStringLiteral("visit_date")}, error);
}

// One query: every bookmark row with its place, in the order of the tree.
bool readTree(const SqliteSnapshot &places, Tree &tree, QString *error)
{
    QSqlQuery query(places.database());
    query.setForwardOnly(true);
    const bool ran = query.exec(QStringLiteral(
        "SELECT b.id, b.parent, b.type, b.guid, b.title, b.dateAdded, p.url, p.title, p.visit_count,"
        " COALESCE(p.last_visit_date,"
        "          (SELECT MAX(v.visit_date) FROM moz_historyvisits v WHERE v.place_id = p.id))"
        " FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk"
        " ORDER BY b.parent, b.position, b.id"));
    if (!ran)
        return ErrorText::fail(error, places.queryError(query, QStringLiteral("cannot read its bookmarks")));
    while (query.next()) {
        Row row;
        row.id = query.value(0).toLongLong();
        row.type = query.value(2).toInt();
        row.guid = query.value(3).toString();
        row.link.title = query.value(4).toString();
        row.link.addedMs = BookmarkEntry::msOf(BrowserTime::fromUnixMicroseconds(query.value(5).toLongLong()));
        row.link.url = query.value(6).toString();
        if (row.link.title.isEmpty())
            row.link.title = query.value(7).toString();
        row.link.visits = saturated(query.value(8).toLongLong());
        row.link.lastVisitMs = BookmarkEntry::msOf(BrowserTime::fromUnixMicroseconds(query.value(9).toLongLong()));
        tree.children[query.value(1).toLongLong()].push_back(qsizetype(tree.rows.size()));
        tree.rows.push_back(std::move(row));
    }
    // A damaged file shows as a step that fails, not only as a query that does.
    if (query.lastError().isValid())
        return ErrorText::fail(error, places.queryError(query, QStringLiteral("cannot read its bookmarks")));
    return true;
}

bool isLink(const Row &row)
{
    return row.type == Bookmark && !row.link.url.isEmpty()
        && !row.link.url.startsWith(QLatin1String("place:"));
}

// Every link below a folder, depth first in position order; a folder met a
// second time (a damaged tree) is not walked again.
void addLinksBelow(const Tree &tree, qint64 folderId, TopLevelBookmarks &bookmarks)
{
    QSet<qint64> walked{folderId};
    std::vector<std::pair<qint64, size_t>> stack{{folderId, 0}};
    while (!stack.empty()) {
        auto &[id, next] = stack.back();
        const auto children = tree.children.constFind(id);
        if (children == tree.children.cend() || next >= children->size()) {
            stack.pop_back();
            continue;
        }
        const Row &row = tree.rows[size_t(children->at(next++))];
        if (isLink(row))
            bookmarks.addToFolder(row.link);
        else if (row.type == Folder && !walked.contains(row.id)) {
            walked.insert(row.id);
            stack.emplace_back(row.id, 0);
        }
    }
}

const Row *rootOf(const Tree &tree, const QString &guid)
{
    for (const Row &row : tree.rows) {
        if (row.guid == guid)
            return &row;
    }
    return nullptr;
}

void layOut(const Tree &tree, TopLevelBookmarks &bookmarks)
{
    if (const Row *menu = rootOf(tree, QStringLiteral("menu________"))) {
        for (const qsizetype child : tree.children.value(menu->id)) {
            const Row &row = tree.rows[size_t(child)];
            if (isLink(row))
                bookmarks.addLink(row.link);
            else if (row.type == Folder) {
                bookmarks.addFolder(row.link.title);
                addLinksBelow(tree, row.id, bookmarks);
            }
        }
    }
    // Named as Firefox names them in its export.
    const std::pair<const char *, const char *> folders[] = {
        {"toolbar_____", "Bookmarks Toolbar"},
        {"unfiled_____", "Other Bookmarks"},
        {"mobile______", "Mobile Bookmarks"},
    };
    for (const auto &[guid, name] : folders) {
        const Row *root = rootOf(tree, QLatin1String(guid));
        if (!root || tree.children.value(root->id).empty())
            continue;
        bookmarks.addFolder(QLatin1String(name));
        addLinksBelow(tree, root->id, bookmarks);
    }
}

}  // namespace

namespace FirefoxPlaces {

bool read(const QString &placesFile, TopLevelBookmarks &bookmarks, QString *error)
{
    SqliteSnapshot places;
    Tree tree;
    if (!places.open(placesFile, kind, error) || !checkSchema(places, error) || !readTree(places, tree, error))
        return false;
    if (!rootOf(tree, QStringLiteral("root________")))
        return ErrorText::fail(error, QStringLiteral("%1: not %2 (its bookmarks have no root)").arg(placesFile, kind));
    TopLevelBookmarks found;
    layOut(tree, found);
    bookmarks = std::move(found);
    return true;
}

QString placesFileOf(const QString &profileFolder)
{
    return profileFolder + QLatin1String("/places.sqlite");
}

}  // namespace FirefoxPlaces
