#pragma once

#include <QString>

class URLBlock;

// The program ends and the default stack file could not be written: the
// store goes to a file of its own in the data folder
// ($XDG_DATA_HOME/Tessaly/unsaved-YYYYMMDD-HHMMSS.tsy) rather than nowhere.
namespace UnsavedStore {

// The file written; empty when even that failed.
QString keep(URLBlock &store);

} // namespace UnsavedStore
