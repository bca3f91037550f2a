// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "EntryArguments.h"
#include "StackFileStream.h"

#include <functional>
#include <vector>

// Entries that KEY arguments name, changed and moved into one group, by
// streaming FILE twice: a saved store holds each group's entries in the
// order of their keys, so an entry from an earlier place in the file goes
// right after the group's line and one from a later place after the group's
// last entry. The first read finds the group and the entries, the second
// writes the file.
class StreamedMove
{
public:
    using Change = std::function<void(URLData &entry)>;
    // Which error is told when both the group and a reference name nothing.
    enum class FirstError { Group, References };

    StreamedMove(const std::vector<EntryArguments::Reference> &references, const QString &groupText, Change change,
                 FirstError firstError);

    // Runs both reads and the write (see StackFileStream::rewrite).
    bool run(const QString &file, const QString &backupFile, double now, QString *error);

private:
    class Scan;
    class Placing;

    struct Moved
    {
        int fromGroup = -1;
        URLData entry;
    };

    const std::vector<EntryArguments::Reference> &m_references;
    QString m_groupText;
    Change m_change;
    FirstError m_firstError;
};
