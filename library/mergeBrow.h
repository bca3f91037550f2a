// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class BookmarkSink;
class TopLevelBookmarks;

// Merges a favorites folder, a Netscape bookmark file or a browser's profile into the host's
// store without touching it: what it finds is raised as events (NewGroup,
// ReopenGroup, BungURL, BungEntry, storeLastRootOwner), and the host's
// handlers make the groups and entries (or, when the host names its sink,
// the sink takes them directly). The bookmark file is chosen through the host window's file dialog
// "dlgDialog", driven by name. One object serves one merge.
class mergeBrow : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *thisForm READ thisForm WRITE setThisForm)
    Q_PROPERTY(int lastRootOwner READ lastRootOwner WRITE setLastRootOwner)
    // The folder that MergeFaves walks; "" (the default) for the shell's
    // Favorites folder.
    Q_PROPERTY(QString favoritesFolder READ favoritesFolder WRITE setFavoritesFolder)
    // How many files named as shortcuts MergeFaves passed over: no shortcut
    // could be read from them (FIFOs, links that lead nowhere, ...).
    Q_PROPERTY(int skippedFavorites READ skippedFavorites)
    // Set by the host (in its Progress event) to stop the merge at once: no
    // more events follow, and the host takes back what it made of those
    // raised before.
    Q_PROPERTY(bool Cancel READ isCancelled WRITE setCancelled)
    // Why the last MergeXbel read nothing; "" after one that succeeded.
    Q_PROPERTY(QString lastError READ lastError)
    // Why the last MergeFirefox or MergeChromium merged nothing.
    Q_PROPERTY(QString errorText READ errorText)
    // A host object that implements BookmarkSink (Q_INTERFACES) and takes
    // what the merges find directly: NewGroup, ReopenGroup, BungURL,
    // BungEntry, BungUsage and storeLastRootOwner are then not raised, which
    // spares a signal for each of many bookmarks. Progress is raised as
    // before. An object that is not such a sink leaves the events on.
    Q_PROPERTY(QObject *sink READ sink WRITE setSink)

public:
    static const QString rootFavoritesGroup;
    // The file dialog's titles, translated when shown.
    static const char *const mergeTitle;
    static const char *const openTitle;
    static const QString bookmarkFilter;

    explicit mergeBrow(QObject *parent = nullptr);

    QObject *thisForm() const { return m_thisForm; }
    void setThisForm(QObject *form) { m_thisForm = form; }
    int lastRootOwner() const { return m_lastRootOwner; }
    void setLastRootOwner(int owner) { m_lastRootOwner = owner; }
    QString favoritesFolder() const { return m_favoritesFolder; }
    void setFavoritesFolder(const QString &folder) { m_favoritesFolder = folder; }
    int skippedFavorites() const { return m_skippedFavorites; }
    bool isCancelled() const { return m_cancelled; }
    void setCancelled(bool cancelled) { m_cancelled = cancelled; }
    QString lastError() const { return m_lastError; }
    QString errorText() const { return m_errorText; }
    QObject *sink() const { return m_sink; }
    void setSink(QObject *sink) { m_sink = sink; }

    // Merges the favorites folder: its own favorites into the group
    // "E-Favorites: (Was Root)", each subfolder into a group of its name.
    Q_INVOKABLE void MergeFaves(qlonglong hWnd);
    // Asks for a bookmark file through thisForm's dlgDialog and merges it;
    // merge chooses the dialog's title. Cancelling merges nothing.
    // True when a file was chosen and read to its end (not cancelled).
    Q_INVOKABLE bool OpenNSAs(bool merge);
    // Merges an XBEL file as a bookmark file is merged (see XbelReader).
    // False, with lastError set, when the file is not read whole: then
    // nothing is merged.
    Q_INVOKABLE bool MergeXbel(const QString &fileName);
    // Merges the bookmarks of a Firefox profile folder (its places.sqlite),
    // or of a Chromium or Chrome profile folder (its Bookmarks and History),
    // with their visits: each link is raised as BungUsage. The profile is
    // read whole first: when it cannot be, nothing is raised, errorText says
    // why and the result is false.
    Q_INVOKABLE bool MergeFirefox(const QString &profileFolder);
    Q_INVOKABLE bool MergeChromium(const QString &profileFolder);

signals:
    void NewGroup(const QString &gName);
    // The links that follow go to the most recent group of that name that
    // this merge made.
    void ReopenGroup(const QString &gName);
    // A favorite: its title and address.
    void BungURL(const QString &title, const QString &url);
    // A link of a bookmark file with what the file gives of it: the dates
    // (invalid when not given), the visit count, rating and category (0
    // when not given).
    void BungEntry(const QString &title, const QString &url, const QDateTime &added,
                   const QDateTime &lastVisit, int visits, int rating, int category);
    // A link of a browser's profile with the usage the browser recorded:
    // the host brings an address its group holds already up to date (the
    // larger visit count, the later last visit, the earlier creation).
    void BungUsage(const QString &title, const QString &url, const QDateTime &added,
                   const QDateTime &lastVisit, int visits);
    void storeLastRootOwner();
    // How far a merge has come: bytes of the file read of its size, or
    // folders walked (total 0, not known before the end).
    void Progress(qint64 done, qint64 total);

private:
    BookmarkSink &sinkOr(BookmarkSink &events) const;
    QString askForFile(bool merge) const;
    bool readBookmarkFile(const QString &fileName);
    bool mergeProfile(const std::function<bool(TopLevelBookmarks &, QString *)> &read);

    QPointer<QObject> m_thisForm;
    QPointer<QObject> m_sink;
    int m_lastRootOwner = 0;
    qlonglong m_hWnd = 0;
    QString m_favoritesFolder;
    int m_skippedFavorites = 0;
    bool m_cancelled = false;
    QString m_lastError;
    QString m_errorText;
};
