// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

// How tsy hands a command to the running program when the program holds
// the command's FILE loaded (see Command::livePaths): the program runs the
// command on its live store and tsy prints what it printed. tsy and
// tsy-desktop install one; inside the program there is none.
class LiveLink
{
public:
    virtual ~LiveLink();

    // Runs the command line (the command's name and arguments, paths made
    // absolute) in the running program when it holds file (an absolute
    // path): what the command printed goes to out and err, and the result is
    // its exit status. Nothing when no program runs or it does not hold
    // file: the command is then run here, on the file.
    virtual std::optional<int> run(const QString &file, const QStringList &commandLine, QTextStream &out,
                                   QTextStream &err)
        = 0;

    static LiveLink *current();
    static void install(LiveLink *link);
};
