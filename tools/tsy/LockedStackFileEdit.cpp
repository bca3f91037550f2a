#include "LockedStackFileEdit.h"

#include "StackFileLock.h"

bool LockedStackFileEdit::run(const QString &stackFile, const Edit &edit, QString *error)
{
    StackFileLock lock(stackFile, StackFileLock::Holder::Tool);
    if (!lock.tryLock(toolWait)) {
        *error = lock.errorString();
        return false;
    }
    return edit(error);
}
