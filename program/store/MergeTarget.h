#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class URLBlock;

// The host's handlers of a merge object's events, named for the variable
// "mb" that holds the object (see ComponentRegistry::connectEventsByName):
// each new group is appended to the group table, each link becomes an entry
// of the group appended last, created at the merge's start and never
// visited. Nothing already in the store changes. The main window and tsy
// both merge through it.
class MergeTarget : public QObject
{
    Q_OBJECT

public:
    // now: the creation date of the merged entries. source: the merge
    // object, whose lastRootOwner storeLastRootOwner sets.
    MergeTarget(URLBlock &store, double now, QObject *source);

    int groupsAdded() const { return m_groupsAdded; }
    qsizetype entriesAdded() const { return m_entriesAdded; }
    // Links that found no room (the store's keys exhausted).
    qsizetype entriesRefused() const { return m_entriesRefused; }

public slots:
    void mb_NewGroup(const QString &gName);
    void mb_BungURL(const QString &title, const QString &url);
    void mb_storeLastRootOwner();

private:
    int lastGroup() const;

    URLBlock &m_store;
    const double m_now;
    QPointer<QObject> m_source;
    int m_groupsAdded = 0;
    qsizetype m_entriesAdded = 0;
    qsizetype m_entriesRefused = 0;
};
