// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LiveLink.h"

// tsy's way to the running program: its socket in the user's runtime folder
// (see InstancePaths), asked only when the program's lock there is held by
// a process that lives. The program answers a command on a file it does not
// hold with "not mine", and tsy then runs it on the file.
class ProgramLink : public LiveLink
{
public:
    // How long connecting is tried, and how long the command may take in the
    // program (a large import; a busy program answers within its own wait).
    static constexpr int connectTimeoutMs = 3000;
    static constexpr int answerTimeoutMs = 10 * 60 * 1000;

    std::optional<int> run(const QString &file, const QStringList &commandLine, QTextStream &out,
                           QTextStream &err) override;

private:
    static bool programRuns(const QString &lockFile);
};
