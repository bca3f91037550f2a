// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelEvents.h"

#include "BookmarkSink.h"

namespace {

// The heads of an event's texts, which the sink's copies of them count on,
// fetched ahead: they were made long before and have left the cache.
void fetchAhead(XbelEvent &event)
{
    __builtin_prefetch(event.entry.title.data_ptr().d_ptr());
    __builtin_prefetch(event.entry.url.data_ptr().d_ptr());
}

}  // namespace

// Each event goes once told, while its texts are in the cache, rather than
// all of them at the end.
size_t XbelEvents::size() const
{
    size_t count = 0;
    for (const std::vector<XbelEvent> &piece : m_pieces)
        count += piece.size();
    return count;
}

XbelEvent &XbelEvents::operator[](size_t index)
{
    auto piece = m_pieces.begin();
    while (index >= piece->size())
        index -= (piece++)->size();
    return (*piece)[index];
}

void XbelEvents::append(XbelEvents &&other)
{
    for (std::vector<XbelEvent> &piece : other.m_pieces)
        m_pieces.push_back(std::move(piece));
    other.m_pieces.clear();
}

void XbelEvents::report(BookmarkSink &sink)
{
    constexpr size_t ahead = 4;
    for (std::vector<XbelEvent> &piece : m_pieces) {
        for (size_t i = 0; i < piece.size(); ++i) {
            if (i + ahead < piece.size())
                fetchAhead(piece[i + ahead]);
            XbelEvent &event = piece[i];
            switch (event.kind) {
            case XbelEvent::NewGroup:
                sink.newGroup(event.name);
                break;
            case XbelEvent::ReopenGroup:
                sink.reopenGroup(event.name);
                break;
            case XbelEvent::RootOwner:
                sink.storeLastRootOwner();
                break;
            case XbelEvent::Entry:
                sink.bungEntry(event.entry);
                break;
            }
            event = XbelEvent();
        }
        std::vector<XbelEvent>().swap(piece);
    }
}
