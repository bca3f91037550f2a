// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NamedEntryEdit.h"

NamedEntryEdit::NamedEntryEdit(const std::vector<EntryArguments::Reference> &references, Change change,
                               Which which)
    : m_named(references)
    , m_change(std::move(change))
    , m_which(which)
{ }

StackFileStream::EntryFate NamedEntryEdit::entry(StackFileStream::EntryLine &line, QString *error)
{
    using Fate = StackFileStream::EntryFate;
    if (!m_named.names(line) || (m_which == Which::First && m_changedOne))
        return Fate::Keep;
    m_changedOne = true;
    if (!m_change)
        return Fate::Drop;
    return m_change(line.entry(), error) ? Fate::Rewrite : Fate::Fail;
}

bool NamedEntryEdit::finish(quint32 entryCount, QString *error)
{
    return m_named.finish(entryCount, error);
}
