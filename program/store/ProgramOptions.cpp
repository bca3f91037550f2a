// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProgramOptions.h"

namespace ProgramOptions {

namespace {

QString helpText()
{
    return QStringLiteral(
        "Usage: tessaly [NAME | PATH]\n"
        "\n"
        "Starts Tessaly, a bookmark manager, in the notification area (or as a small\n"
        "floating button where the desktop has none). Only one Tessaly runs per user:\n"
        "starting it again shows the running one's main window, and a start that\n"
        "names another stack file than the running one's is refused (one store per\n"
        "user; the exit status is then 1).\n"
        "\n"
        "The bookmarks are kept in a stack file, by default Pemberly.tsy in\n"
        "$XDG_DATA_HOME/Tessaly (~/.local/share/Tessaly). The arguments, joined by\n"
        "blanks, name another one:\n"
        "  NAME   NAME.tsy in that folder\n"
        "  PATH   a name that holds \"/\" or ends in \".tsy\" is that file, taken from\n"
        "         the current folder (\".tsy\" is added when the name has no such end)\n"
        "Its previous content is kept beside it with the extension .bak.\n"
        "\n"
        "  -h, --help     print this text and end\n"
        "  --version      print the version and end\n"
        "  --check-install\n"
        "                 print where the library, the pictures and the help pages\n"
        "                 this program uses are and where its desktop entry is\n"
        "                 installed, and end; exit status 1 when any is missing\n"
        "\n"
        "tsy, the command-line companion, works on the same files: tsy --help.\n");
}

} // namespace

std::optional<Answer> informationAnswer(const QStringList &arguments, const QString &version)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return Answer {helpText()};
        if (argument == QLatin1String("--version"))
            return Answer {QStringLiteral("tessaly %1\n").arg(version)};
    }
    return std::nullopt;
}

bool asksInstallCheck(const QStringList &arguments)
{
    return arguments == QStringList {QStringLiteral("--check-install")};
}

std::optional<Answer> unknownOptionAnswer(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument.startsWith(u'-'))
            return Answer {QStringLiteral("tessaly: unknown option %1 (tessaly --help lists the options)\n").arg(argument),
                           true, 2};
    }
    return std::nullopt;
}

} // namespace ProgramOptions
