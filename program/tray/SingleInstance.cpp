// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SingleInstance.h"

#include "InstancePaths.h"

SingleInstance::SingleInstance(const QString &name)
    : m_path(InstancePaths::lockFile(name))
    , m_socketPath(InstancePaths::socket(name))
    , m_lock(std::make_unique<QLockFile>(m_path))
{
    // Only a lock whose process is gone is stale, however old it is.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::AnotherInstance()
{
    if (m_lock->isLocked())
        return false;
    return !m_lock->tryLock(0);
}
