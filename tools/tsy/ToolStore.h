#pragma once

#include <QString>

class URLBlock;

// Loading a stack file in tsy, a process that loads a whole store at once
// and ends soon after.
namespace ToolStore {

// StackFile::loadStackFile, after preparing the heap for the store the file
// will make (see HeapReserve).
bool loadStackFile(URLBlock &store, const QString &path, bool merge, double now, QString *error);

}  // namespace ToolStore
