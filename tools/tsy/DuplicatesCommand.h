// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

#include <vector>

class URLBlock;
struct DuplicateSet;

// tsy duplicates FILE [--json] [--merge]: lists the entries that hold the
// same page, or merges each set into one entry as the "Duplicates" window does.
class DuplicatesCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("duplicates"); }
    QString summary() const override;
    QString help() const override;
    int livePaths() const override { return 1; }

protected:
    int execute(const QStringList &arguments) override;

private:
    int mergeSets(const QString &file);
    void writeText(const URLBlock &store, const std::vector<DuplicateSet> &sets);
    void writeJson(const URLBlock &store, const std::vector<DuplicateSet> &sets);
};
