// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ProgramStarter.h"

// Starts programs with QProcess::startDetached: the arguments reach the
// program one by one, exactly as given, with no shell between.
class LinuxProgramStarter : public ProgramStarter
{
public:
    bool startDetached(const QString &program, const QStringList &arguments, QString *error) override;

    // The program file that program names: itself when it holds a '/', else
    // the first match on PATH; "" when there is no executable file.
    static QString resolve(const QString &program);
};
