// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InstancePaths.h"

#include "ProgramPaths.h"

#include <QStandardPaths>

namespace InstancePaths {

QString folder()
{
    // Qt answers "" for a runtime folder that is not the user's own.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? ProgramPaths::stackFolder() : runtime;
}

QString lockFile(const QString &name)
{
    return folder() + u'/' + name + QStringLiteral(".lock");
}

QString socket(const QString &name)
{
    return folder() + u'/' + name + QStringLiteral(".socket");
}

}  // namespace InstancePaths
