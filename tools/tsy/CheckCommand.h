// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

#include <vector>

struct LinkCheckResult;
class URLBlock;
class URLData;

// tsy check FILE [--group G] [--json] [--timeout S]: checks the entries'
// addresses as the "Check Links" window does and lists what it found.
class CheckCommand : public Command
{
public:
    // Some link was not ok (moved, gone, an error or a time-out).
    static constexpr int NotAllOk = 3;

    using Command::Command;
    QString name() const override { return QStringLiteral("check"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;

private:
    void writeText(const std::vector<const URLData *> &entries, const std::vector<LinkCheckResult> &results);
    void writeJson(const URLBlock &store, const std::vector<const URLData *> &entries,
                   const std::vector<LinkCheckResult> &results);
};
