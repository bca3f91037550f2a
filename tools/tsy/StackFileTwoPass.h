// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GroupTable.h"
#include "StackFileStream.h"

#include <QFile>
#include <QString>

// A stack file read twice without making a store, for commands that need its
// whole group table before its first entry (a list's group column and index
// mask, a dump's groups before its entries): first the groups, as loading the
// file makes them, then every line for an edit. Both passes read the one file
// opened at the start, so a writer that replaces the file meanwhile (writers
// rename a new file over it) cannot make them disagree.
class StackFileTwoPass
{
public:
    StackFileTwoPass(const QString &path, double now);

    // Opens the file and reads its groups; false with an error text when it
    // cannot be read.
    bool readGroups(QString *error);
    const GroupTable &groups() const { return m_groups; }

    // Reads the file again from its start and tells edit its lines.
    bool readLines(StackFileStream::Edit &edit, QString *error);

    // The entry as loading the file makes it: its group set.
    static URLData &entryOf(StackFileStream::EntryLine &line);

private:
    const QString m_path;
    const double m_now;
    QFile m_file;
    GroupTable m_groups;
};
