// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// tsy: the command-line companion of Tessaly, over the same core as the program.

#include "AddCommand.h"
#include "CheckCommand.h"
#include "DateTextCommand.h"
#include "DateValueCommand.h"
#include "DesktopCommands.h"
#include "DumpCommand.h"
#include "DuplicatesCommand.h"
#include "EditCommand.h"
#include "ExportHtmlCommand.h"
#include "ExportXbelCommand.h"
#include "FindCommand.h"
#include "GroupCommand.h"
#include "ImportFavoritesCommand.h"
#include "ImportHtmlCommand.h"
#include "ImportProfileCommand.h"
#include "ImportXbelCommand.h"
#include "ListCommand.h"
#include "MergeCommand.h"
#include "MoveCommand.h"
#include "ProgramLink.h"
#include "NormalizeCommand.h"
#include "RateCommand.h"
#include "RegCommand.h"
#include "RemoveCommand.h"
#include "SendCommand.h"
#include "SettingsCommand.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<Command>> allCommands(QTextStream &out, QTextStream &err)
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<DumpCommand>(out, err));
    commands.push_back(std::make_unique<ListCommand>(out, err));
    commands.push_back(std::make_unique<MergeCommand>(out, err));
    commands.push_back(std::make_unique<NormalizeCommand>(out, err));
    commands.push_back(std::make_unique<ImportHtmlCommand>(out, err));
    commands.push_back(std::make_unique<ImportFavoritesCommand>(out, err));
    commands.push_back(std::make_unique<ImportProfileCommand>(ImportProfileCommand::Browser::Firefox, out, err));
    commands.push_back(std::make_unique<ImportProfileCommand>(ImportProfileCommand::Browser::Chromium, out, err));
    commands.push_back(std::make_unique<ExportHtmlCommand>(out, err));
    commands.push_back(std::make_unique<ImportXbelCommand>(out, err));
    commands.push_back(std::make_unique<ExportXbelCommand>(out, err));
    commands.push_back(std::make_unique<FindCommand>(out, err));
    commands.push_back(std::make_unique<DuplicatesCommand>(out, err));
    commands.push_back(std::make_unique<CheckCommand>(out, err));
    commands.push_back(std::make_unique<AddCommand>(out, err));
    commands.push_back(std::make_unique<EditCommand>(out, err));
    commands.push_back(std::make_unique<RemoveCommand>(out, err));
    commands.push_back(std::make_unique<RateCommand>(out, err));
    commands.push_back(std::make_unique<MoveCommand>(out, err));
    commands.push_back(std::make_unique<GroupCommand>(out, err));
    commands.push_back(std::make_unique<SendCommand>(out, err));
    commands.push_back(std::make_unique<DateTextCommand>(out, err));
    commands.push_back(std::make_unique<DateValueCommand>(out, err));
    commands.push_back(std::make_unique<RegCommand>(out, err));
    commands.push_back(std::make_unique<SettingsCommand>(out, err));
    return commands;
}

void printUsage(QTextStream &stream, const std::vector<std::unique_ptr<Command>> &commands)
{
    stream << "Usage: tsy COMMAND [ARGUMENTS]\n"
              "       tsy COMMAND --help\n"
              "       tsy --version\n"
              "\n"
              "The command-line companion of Tessaly, the bookmark manager: it reads and\n"
              "writes Tessaly's stack files (.tsy) and settings with the program's own code.\n"
              "\n"
              "Commands:\n";
    for (const auto &command : commands)
        stream << "  " << command->name().leftJustified(18) << command->summary() << '\n';
    for (const DesktopCommands::Description &command : DesktopCommands::descriptions())
        stream << "  " << command.name.leftJustified(18) << command.summary << '\n';
    stream << "\n"
              "Exit status: 0 on success, 1 when a file cannot be read or written or holds\n"
              "no entry or group of the name given, 2 for a usage error.\n";
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tsy"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto commands = allCommands(out, err);
    ProgramLink program;
    LiveLink::install(&program);

    QStringList arguments = Command::argumentsOf(argc, argv);
    if (arguments.isEmpty()) {
        printUsage(err, commands);
        return Command::UsageError;
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        printUsage(out, commands);
        return Command::Success;
    }
    if (name == QLatin1String("--version")) {
        out << "tsy " << TESSALY_VERSION << '\n';
        return Command::Success;
    }
    if (DesktopCommands::isDesktopCommand(name))
        return DesktopCommands::handOver(argv, err);
    for (const auto &command : commands) {
        if (command->name() == name)
            return command->run(arguments);
    }
    err << "tsy: unknown command '" << name << "'\n\n";
    printUsage(err, commands);
    return Command::UsageError;
}
