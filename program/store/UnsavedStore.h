// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class URLBlock;

// The program ends and the default stack file could not be written: the
// store goes to a file of its own in the data folder
// ($XDG_DATA_HOME/Tessaly/unsaved-YYYYMMDD-HHMMSS.tsy) rather than nowhere,
// and the user hears of it: on standard error at once, and in the main
// window's status bar at every start while such files are there.
namespace UnsavedStore {

// Writes the store to a new unsaved file and says so (or that even that
// failed) on standard error, with why the default file was not written.
// The file written; empty when even that failed.
QString keep(URLBlock &store, const QString &saveError = QString());

// What a start tells of the unsaved files in the data folder, or nothing.
QString keptFilesNote();

} // namespace UnsavedStore
