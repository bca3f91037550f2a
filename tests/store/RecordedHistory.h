// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreChange.h"
#include "StoreHistory.h"
#include "StoreRecording.h"
#include "StoreSummary.h"

#include <QtTest>
#include <functional>
#include <vector>

// A history that keeps the steps handed to it, for tests of the store's undo.
struct RecordedHistory : StoreHistory
{
    std::vector<StoreChange> changes;
    QStringList names;

    void add(StoreChange &&change, const QString &commandName) override
    {
        changes.push_back(std::move(change));
        names << commandName;
    }
    void clear() override
    {
        changes.clear();
        names.clear();
    }
};

// Runs work on the store under a recording; when it changed the store, its
// one step must undo to exactly the store before and redo to exactly the store
// after (keys, order, fields, groups and counters), twice over.
inline void checkUndoRedo(URLBlock &store, const std::function<void()> &work)
{
    RecordedHistory history;
    const QStringList before = fullStoreSummary(store);
    {
        const StoreRecording recording(store, &history, QStringLiteral("work"));
        work();
    }
    const QStringList after = fullStoreSummary(store);
    if (history.changes.empty()) {
        // Only the change count may differ then: nothing else was changed.
        QCOMPARE(after.mid(0, after.size() - 1), before.mid(0, before.size() - 1));
        return;
    }
    QCOMPARE(history.changes.size(), size_t(1));
    for (int round = 0; round < 2; ++round) {
        history.changes.front().undo(store);
        QCOMPARE(fullStoreSummary(store), before);
        history.changes.front().redo(store);
        QCOMPARE(fullStoreSummary(store), after);
    }
}
