// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// A number that goes up at every counted change of any store of the process
// (URLBlock::countChange) and whenever a store is emptied, swapped, given a
// group, taken back to a mark, or given back its groups or change count by
// undo and redo. What is built from a store (quick open's
// index) compares it with the number it was built at to know when to build
// again; a change of another store only costs it a needless rebuild.
namespace StoreRevision {

quint64 current();

}  // namespace StoreRevision
