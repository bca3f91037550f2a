#include "MergeTarget.h"

#include "URLBlock.h"

#include <QVariant>

MergeTarget::MergeTarget(URLBlock &store, double now, QObject *source)
    : m_store(store)
    , m_now(now)
    , m_source(source)
{ }

// The number of the last group of the table; -1 when there is none.
int MergeTarget::lastGroup() const
{
    return m_store.IDXList().upperBound() - 1;
}

void MergeTarget::mb_NewGroup(const QString &gName)
{
    m_store.NewCatagory(gName);
    ++m_groupsAdded;
}

void MergeTarget::mb_BungURL(const QString &title, const QString &url)
{
    URLData *entry = m_store.urlDatas().Add(title, url, lastGroup());
    if (!entry) {
        ++m_entriesRefused;
        return;
    }
    entry->LastAccesed = 0;
    entry->Created = m_now;
    entry->Visited = 0;
    entry->Catagory = 0;
    entry->Rated = 0;
    ++m_entriesAdded;
}

void MergeTarget::mb_storeLastRootOwner()
{
    if (m_source)
        m_source->setProperty("lastRootOwner", QVariant(lastGroup()));
}
