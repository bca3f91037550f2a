// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LiveCommands.h"

#include "AddCommand.h"
#include "CapturedPageCommand.h"
#include "DumpCommand.h"
#include "DuplicatesCommand.h"
#include "EditCommand.h"
#include "FindCommand.h"
#include "GroupCommand.h"
#include "ImportFavoritesCommand.h"
#include "ImportHtmlCommand.h"
#include "ImportProfileCommand.h"
#include "ImportXbelCommand.h"
#include "ListCommand.h"
#include "LiveOpenCommand.h"
#include "MergeCommand.h"
#include "MoveCommand.h"
#include "RateCommand.h"
#include "RemoveCommand.h"

#include <vector>

namespace LiveCommands {

std::unique_ptr<Command> make(const QString &name, QTextStream &out, QTextStream &err)
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<AddCommand>(out, err));
    commands.push_back(std::make_unique<EditCommand>(out, err));
    commands.push_back(std::make_unique<RemoveCommand>(out, err));
    commands.push_back(std::make_unique<RateCommand>(out, err));
    commands.push_back(std::make_unique<MoveCommand>(out, err));
    commands.push_back(std::make_unique<GroupCommand>(out, err));
    commands.push_back(std::make_unique<ListCommand>(out, err));
    commands.push_back(std::make_unique<DumpCommand>(out, err));
    commands.push_back(std::make_unique<FindCommand>(out, err));
    commands.push_back(std::make_unique<DuplicatesCommand>(out, err));
    commands.push_back(std::make_unique<MergeCommand>(out, err));
    commands.push_back(std::make_unique<ImportHtmlCommand>(out, err));
    commands.push_back(std::make_unique<ImportFavoritesCommand>(out, err));
    commands.push_back(std::make_unique<ImportXbelCommand>(out, err));
    commands.push_back(std::make_unique<ImportProfileCommand>(ImportProfileCommand::Browser::Firefox, out, err));
    commands.push_back(std::make_unique<ImportProfileCommand>(ImportProfileCommand::Browser::Chromium, out, err));
    // The store's part of capture and open, which tsy-desktop sends once
    // it has read the page or before and after it starts the browser.
    commands.push_back(std::make_unique<CapturedPageCommand>(out, err));
    commands.push_back(std::make_unique<LiveOpenCommand>(out, err));
    for (std::unique_ptr<Command> &command : commands) {
        if (command->name() == name)
            return std::move(command);
    }
    return nullptr;
}

}  // namespace LiveCommands
