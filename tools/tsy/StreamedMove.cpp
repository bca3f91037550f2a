// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StreamedMove.h"

#include <map>

// The first read: the group and the named entries, and the errors.
class StreamedMove::Scan : public StackFileStream::Edit
{
public:
    Scan(const StreamedMove &move)
        : m_move(move)
        , m_named(move.m_references)
        , m_group(move.m_groupText)
    { }

    StackFileStream::GroupFate group(int position, const QString &name, QString *) override
    {
        m_group.matches(position, name);
        return StackFileStream::GroupFate::Keep;
    }

    StackFileStream::EntryFate entry(StackFileStream::EntryLine &line, QString *) override
    {
        if (m_named.names(line))
            moved.emplace(line.key(), Moved {line.group(), line.entry()});
        return StackFileStream::EntryFate::Keep;
    }

    bool finish(quint32 entryCount, QString *error) override
    {
        const auto groupFound = [&] {
            if (m_group.found())
                return true;
            *error = EntryArguments::noGroupError(m_move.m_groupText);
            return false;
        };
        if (m_move.m_firstError == FirstError::Group)
            return groupFound() && m_named.finish(entryCount, error);
        return m_named.finish(entryCount, error) && groupFound();
    }

    int target() const { return *m_group.found(); }

    std::map<quint32, Moved> moved;  // by key

private:
    const StreamedMove &m_move;
    EntryArguments::NamedEntries m_named;
    EntryArguments::GroupMatcher m_group;
};

// The second read: the entries leave their places and are written in the
// group's, before its own entries when they come from earlier in the file
// and after them otherwise; those already in the group change in place.
class StreamedMove::Placing : public StackFileStream::Edit
{
public:
    Placing(const std::map<quint32, Moved> &moved, int target)
        : m_moved(moved)
        , m_target(target)
    { }

    StackFileStream::EntryFate entry(StackFileStream::EntryLine &line, QString *) override
    {
        const auto found = m_moved.find(line.key());
        if (found == m_moved.end())
            return StackFileStream::EntryFate::Keep;
        if (line.group() != m_target)
            return StackFileStream::EntryFate::Drop;
        line.entry() = found->second.entry;
        return StackFileStream::EntryFate::Rewrite;
    }

    void groupBegins(int position, StackFileStream::Output &out) override
    {
        if (position == m_target)
            append(out, [this](int from) { return from < m_target; });
    }

    void groupEnds(int position, qsizetype, StackFileStream::Output &out) override
    {
        if (position == m_target)
            append(out, [this](int from) { return from > m_target; });
    }

private:
    template<typename Where> void append(StackFileStream::Output &out, Where where)
    {
        for (const auto &[key, moved] : m_moved) {
            if (where(moved.fromGroup))
                out.appendEntry(moved.entry);
        }
    }

    const std::map<quint32, Moved> &m_moved;
    int m_target;
};

StreamedMove::StreamedMove(const std::vector<EntryArguments::Reference> &references, const QString &groupText,
                           Change change, FirstError firstError)
    : m_references(references)
    , m_groupText(groupText)
    , m_change(std::move(change))
    , m_firstError(firstError)
{ }

bool StreamedMove::run(const QString &file, const QString &backupFile, double now, QString *error)
{
    Scan scan(*this);
    if (!StackFileStream::read(file, scan, now, error))
        return false;
    const int target = scan.target();
    for (auto &[key, moved] : scan.moved) {
        m_change(moved.entry);
        moved.entry.Owner = target;
    }
    Placing placing(scan.moved, target);
    return StackFileStream::rewrite(file, backupFile, placing, now, error);
}
