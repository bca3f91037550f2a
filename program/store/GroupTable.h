// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// One record of the group table.
struct GroupRecord
{
    QString name;
    bool inIndexMask = false;  // the group's entries are listed by the index mask (true for a new group)
    int number = 0;            // equals the record's position
};

// The group table: the groups in the order they were made, followed by one
// spare record with an empty name. With n groups the table has n + 1 records,
// so upperBound() is the number of groups.
class GroupTable
{
public:
    GroupTable();

    int upperBound() const { return int(m_records.size()) - 1; }
    int groupCount() const { return upperBound(); }
    bool isEmpty() const { return upperBound() < 1; }
    bool isGroup(int position) const { return position >= 0 && position < groupCount(); }

    // Any position from 0 to upperBound() (the spare record included).
    const GroupRecord &at(int position) const { return m_records.at(position); }
    GroupRecord &operator[](int position) { return m_records[position]; }

    // The name of the group at a position; empty when the position is not a group.
    QString nameOf(int position) const { return isGroup(position) ? m_records.at(position).name : QString(); }

    // The spare record becomes a group with this name and number; a new spare follows.
    void appendGroup(const QString &name, int number);
    // Removes the group at a position; the groups after it move down one place
    // and their numbers drop by one.
    void removeGroup(int position);
    // Back to the one spare record.
    void reset();

private:
    QList<GroupRecord> m_records;
};
