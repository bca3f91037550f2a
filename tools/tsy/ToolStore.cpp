#include "ToolStore.h"

#include "HeapReserve.h"
#include "StackFile.h"

#include <QFileInfo>

namespace ToolStore {

// A loaded store takes about this many times its file's size of memory
// (UTF-16 texts, one block and one entry record a line).
constexpr qint64 memoryPerFileByte = 3;

bool loadStackFile(URLBlock &store, const QString &path, bool merge, double now, QString *error)
{
    HeapReserve::reserveInHugePages(memoryPerFileByte * QFileInfo(path).size());
    return StackFile::loadStackFile(store, path, merge, now, error);
}

}  // namespace ToolStore
