// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelEvents.h"

#include "BookmarkSink.h"

void XbelEvents::report(BookmarkSink &sink) const
{
    for (const std::vector<XbelEvent> &piece : m_pieces) {
        for (const XbelEvent &event : piece) {
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
        }
    }
}
