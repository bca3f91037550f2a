// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GroupTable.h"

GroupTable::GroupTable()
{
    reset();
}

void GroupTable::appendGroup(const QString &name, int number)
{
    GroupRecord &group = m_records.last();
    group.name = name;
    group.inIndexMask = true;
    group.number = number;
    m_records.append(GroupRecord {});
}

void GroupTable::removeGroup(int position)
{
    if (!isGroup(position))
        return;
    m_records.removeAt(position);
    for (int i = position; i < groupCount(); ++i)
        m_records[i].number -= 1;
}

void GroupTable::reset()
{
    m_records.clear();
    m_records.append(GroupRecord {});
}
