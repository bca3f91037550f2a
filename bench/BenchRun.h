// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <limits>
#include <optional>

// Whole processes measured as a user starts them, and the least a program
// that reads a file (or rewrites it) must do, for the benchmarks that set
// tsy's commands and the peer's beside such limits.
namespace BenchRun {

// What one run cost.
struct Cost
{
    double wallMs = std::numeric_limits<double>::infinity();
    double cpuMs = std::numeric_limits<double>::infinity();  // user and system
    double peakMiB = 0;

    // The best time of both, and the highest peak.
    void keepBest(const Cost &run);
};

// Runs command (a program and its arguments) with its standard input from
// /dev/null and its standard output to outputFile (/dev/null when empty),
// environment ("NAME=value") added to this process's. Nothing when the
// program cannot start, crashes or exits with a status other than 0.
//
// The peak memory must be the program's own: a child started straight from
// a benchmark that holds much memory takes the benchmark's peak along on
// exec. So the program is run as the child of a small process, this program
// started again in the mode runAsMeasuringProcess() answers.
std::optional<Cost> runProgram(const QStringList &command, const QStringList &environment = {},
                               const QString &outputFile = {});

// To be called first in a benchmark's main(): when this process was started
// by runProgram to measure a program, runs it, writes what it cost where it
// was told and returns the exit status for main() to return; else nothing.
std::optional<int> runAsMeasuringProcess(int argc, char *argv[]);

// Reads from into memory fresh from the kernel (as a starting program's is),
// writes it to a new file with one write, fdatasync, and renames that to to.
std::optional<Cost> plainCopy(const QString &from, const QString &to);
// The same, writing bytes instead of what was read: the least a program that
// reads one file and writes another of those bytes does.
std::optional<Cost> readAndWrite(const QString &from, const std::optional<QByteArrayView> &bytes, const QString &to);

// Reads path whole and splits it into lines: the least a reader of its lines does.
std::optional<Cost> readAndSplit(const QString &path);

// A database of the peer (buku) holding the stack file's entries (address
// and title, an address once), made with Python's sqlite3 in buku's table.
bool makeBukuDatabase(const QString &stackFile, const QString &database);

}  // namespace BenchRun
