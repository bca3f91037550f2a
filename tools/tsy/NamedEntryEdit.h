// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "EntryArguments.h"
#include "StackFileStream.h"

#include <functional>
#include <vector>

// The streamed change of the entries that KEY arguments name, each in its
// place: removed, or changed and written again. Like resolve(), it fails
// when a reference names no entry of the file.
class NamedEntryEdit : public StackFileStream::Edit
{
public:
    // Changes an entry; false with an error abandons the edit.
    using Change = std::function<bool(URLData &entry, QString *error)>;
    enum class Which { Every, First };  // First: only the first entry named

    // Without a change the entries are removed.
    NamedEntryEdit(const std::vector<EntryArguments::Reference> &references, Change change = {},
                   Which which = Which::Every);

    StackFileStream::EntryFate entry(StackFileStream::EntryLine &line, QString *error) override;
    bool finish(quint32 entryCount, QString *error) override;

private:
    EntryArguments::NamedEntries m_named;
    Change m_change;
    Which m_which;
    bool m_changedOne = false;
};
