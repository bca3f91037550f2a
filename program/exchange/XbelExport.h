// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FileIO.h"

#include <QString>

class URLBlock;

// Writes a store as an XBEL file (see XbelNames), UTF-8: the entries of no
// group first, then each group as a folder of the top level holding its
// entries, in store order. The creation date and last visit are the
// bookmark's added and visited attributes (UTC, to the millisecond; left out
// for no date); visits, rating and category go into Tessaly's metadata where
// they are not 0. XbelReader reads the file back to the same groups and
// entries, every field kept.
namespace XbelExport {

// The file handed to write in pieces; false once a piece could not be written.
bool writeStore(const URLBlock &store, const FileIO::PieceWriter &write);

// Replaces path with the store's XBEL in one step (FileIO::saveFile).
bool saveStore(const URLBlock &store, const QString &path, QString *error);

}  // namespace XbelExport
