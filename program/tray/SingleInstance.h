#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running program per user: a lock file in the user's runtime folder.
// A lock left by a program that died is taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &name = QStringLiteral("tessaly"));

    // True when another instance holds the lock.
    bool AnotherInstance();
    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
