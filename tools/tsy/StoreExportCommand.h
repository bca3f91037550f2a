// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

class URLBlock;

// The steps the export commands share: tsy COMMAND FILE OUT loads FILE,
// refuses an OUT that is FILE itself, writes OUT in one step and says how
// many groups and entries it wrote.
class StoreExportCommand : public Command
{
public:
    using Command::Command;

protected:
    int execute(const QStringList &arguments) override;

    // What OUT is, in the refusal to write it over FILE: "the XBEL file".
    virtual QString outName() const = 0;
    // Writes the store to out, replacing it in one step; false with an error text.
    virtual bool writeStore(const URLBlock &store, const QString &out, QString *error) const = 0;
};
