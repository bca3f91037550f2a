// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The program's own options. Its command line names the default stack file
// (see ProgramPaths::stackBase); "--help" and "--version" print a text and
// end the program before it needs a display, "--check-install" alone checks
// the installation (see InstallCheck), and any other argument that
// begins with "-" is refused rather than taken as a file's name.
namespace ProgramOptions {

// What the program prints and its exit status when the arguments ask it not
// to start.
struct Answer
{
    QString text;
    bool toStandardError = false;
    int exitStatus = 0;
};

// The answer to --help (-h) or --version among the arguments (the program's
// own name left out).
std::optional<Answer> informationAnswer(const QStringList &arguments, const QString &version);

// --check-install is the only argument: the program checks what it is
// shipped with (see InstallCheck) and ends.
bool asksInstallCheck(const QStringList &arguments);

// The answer to an unknown option, once the toolkit has taken its own
// options (such as -platform) from the arguments.
std::optional<Answer> unknownOptionAnswer(const QStringList &arguments);

} // namespace ProgramOptions
