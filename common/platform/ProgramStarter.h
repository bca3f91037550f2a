// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// Starts a program with an argument list, detached, never through a shell:
// the shell's "Open" verb on a program file, here.
class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;

    // False, with an error text, when the program could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments, QString *error) = 0;
};
