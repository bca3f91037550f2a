// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Whole processes timed as a user starts them, and the least work a program
// that reads one file and writes another must do, for the benchmarks that
// compare tsy commands with such baselines.
namespace BenchProcess {

struct Times
{
    double wallMs = -1.0;  // negative: the run failed
    double cpuMs = -1.0;   // the child's user and system time
};

// Runs program with arguments, its standard output going to outputFile as a
// shell redirection would, in environment (the system's when empty). A run
// fails when the program cannot start, crashes or exits with a status other
// than 0.
Times run(const QString &program, const QStringList &arguments, const QString &outputFile,
          const QProcessEnvironment &environment = {});

// Reads from into memory fresh from the kernel (as a starting program's is),
// writes bytes to a new file beside to with one write, flushes it to disk
// and renames it to to. Returns the wall time, negative when a step failed.
double readAndWrite(const QString &from, QByteArrayView bytes, const QString &to);

}  // namespace BenchProcess
