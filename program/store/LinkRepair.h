// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

class URLBlock;

// What a link check changes in the store, as one step: entries whose page
// is gone removed, entries whose page has moved given the new address.
class LinkRepair
{
public:
    struct AddressUpdate
    {
        quint32 key = 0;
        QString checked;  // the address that was checked
        QString moved;    // where it has moved
    };

    std::vector<quint32> removed;
    std::vector<AddressUpdate> updated;

    bool isEmpty() const { return removed.empty() && updated.empty(); }

    // Makes the change. An entry whose key names none any more is passed
    // over, and so is an update of an entry whose address is no longer the
    // one checked (it was edited meanwhile). No change is counted. Returns
    // how many entries were removed or changed.
    qsizetype applyTo(URLBlock &store) const;
};
