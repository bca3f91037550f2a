// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A private runtime folder ($XDG_RUNTIME_DIR, the user's alone, where the
// running program keeps its lock and socket) and settings folder for the
// tests of the single running program.
#pragma once

#include "TestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>

class RuntimeFolderFixture
{
protected:
    void setUpRuntimeFolder()
    {
        m_runtime = std::make_unique<QTemporaryDir>();
        QFile::setPermissions(m_runtime->path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
        m_config = std::make_unique<TestEnvironment::ConfigFolder>();
    }
    void tearDownRuntimeFolder()
    {
        m_config.reset();
        m_runtime.reset();
    }

    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
};
