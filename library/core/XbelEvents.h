// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BookmarkEntry.h"

#include <QString>
#include <vector>

class BookmarkSink;

// What XbelReader tells its sink, kept until the whole file has been read.
struct XbelEvent
{
    enum Kind { NewGroup, ReopenGroup, Entry, RootOwner };
    Kind kind;
    QString name;
    BookmarkEntry entry;
};

// The events of a file in order, in pieces of a few thousand: growing never
// moves those kept, and takes little more memory than they need (a file
// holds many bookmarks, each kept whole until the end).
class XbelEvents
{
public:
    void push_back(XbelEvent &&event)
    {
        if (m_pieces.empty() || m_pieces.back().size() == pieceSize) {
            m_pieces.emplace_back();
            m_pieces.back().reserve(pieceSize);
        }
        m_pieces.back().push_back(std::move(event));
    }
    size_t size() const;
    XbelEvent &operator[](size_t index);
    // The events of other, after these; none is copied.
    void append(XbelEvents &&other);
    // Tells the sink every event, in order, and lets each go once told.
    void report(BookmarkSink &sink);

private:
    static constexpr size_t pieceSize = 4096;
    std::vector<std::vector<XbelEvent>> m_pieces;
};
