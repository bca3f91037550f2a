// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StackFileTwoPass.h"

#include "FileIO.h"

namespace {

// Makes the group table of the lines it is told, as the loader makes it.
class GroupCollector : public StackFileStream::Edit
{
public:
    explicit GroupCollector(GroupTable &groups)
        : m_groups(groups)
    { }

    StackFileStream::GroupFate group(int position, const QString &name, QString *) override
    {
        m_groups.appendGroup(name, position);
        return StackFileStream::GroupFate::Keep;
    }
    bool readsEntries() const override { return false; }

private:
    GroupTable &m_groups;
};

}  // namespace

StackFileTwoPass::StackFileTwoPass(const QString &path, double now)
    : m_path(path)
    , m_now(now)
{ }

bool StackFileTwoPass::readGroups(QString *error)
{
    if (!FileIO::openRegularFile(m_path, &m_file, error))
        return false;
    m_groups.reset();
    GroupCollector collector(m_groups);
    return StackFileStream::read(m_file, m_path, collector, m_now, error);
}

bool StackFileTwoPass::readLines(StackFileStream::Edit &edit, QString *error)
{
    if (!m_file.seek(0)) {
        FileIO::setReadError(m_path, m_file, error);
        return false;
    }
    return StackFileStream::read(m_file, m_path, edit, m_now, error);
}

URLData &StackFileTwoPass::entryOf(StackFileStream::EntryLine &line)
{
    URLData &entry = line.entry();
    entry.Owner = line.group();
    return entry;
}
