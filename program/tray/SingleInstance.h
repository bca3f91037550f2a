// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One running program per user: a lock file in the user's runtime folder
// (see InstancePaths), beside the socket through which the running program
// answers other starts. A lock left by a program that died is taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &name = QStringLiteral("tessaly"));

    // True when another instance holds the lock.
    bool AnotherInstance();
    QString lockFilePath() const { return m_path; }
    // The socket of the program that holds the lock.
    QString socketPath() const { return m_socketPath; }

private:
    QString m_path;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
};
