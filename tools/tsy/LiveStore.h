// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class URLBlock;

// The running program's store, while a tsy command runs inside the program
// (see LiveStoreRequests): the command's FILE, when the program holds it
// loaded, is read from that store and its changes go into it, as if the
// store had been saved to FILE and read back; the program saves them as it
// saves any change of its own. Outside the program there is none.
class LiveStore
{
public:
    virtual ~LiveStore();

    // Whether path names the file whose content the store holds.
    virtual bool holds(const QString &path) const = 0;
    // Fills the empty store with the live store's content, as its file
    // would hold it if saved now (keys in the file's order).
    virtual void copyInto(URLBlock &store) const = 0;
    // A changed copy becomes the live store; changed is left empty.
    virtual void replaceWith(URLBlock &changed) = 0;
    // Counts a visit of the entry whose key in copyInto()'s copy is
    // keyWhenRead, as the window counts its own openings: a change the
    // store counts, but no step of the window's history.
    virtual void countVisit(quint32 keyWhenRead, double now) = 0;

    // The store the tsy commands of this process work on; null when they
    // work on the files themselves.
    static LiveStore *current();

    // Makes the store current() for the scope's life.
    class Scope
    {
    public:
        explicit Scope(LiveStore &store);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        LiveStore *m_previous;
    };
};
