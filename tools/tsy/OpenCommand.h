// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreEditCommand.h"

// tsy open FILE KEY [--new-window]: opens an entry in the preferred browser
// as a double click does and counts the visit: in FILE, or in the running
// program's store when it holds FILE.
class OpenCommand : public StoreEditCommand
{
public:
    using StoreEditCommand::StoreEditCommand;
    QString name() const override { return QStringLiteral("open"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;

private:
    // Opens the address in the browser; false with an error when it is not opened.
    using Opener = std::function<bool(const QString &url, QString *error)>;
    // An entry of the running program's store, as it names it.
    struct ProgramEntry
    {
        QString key;
        QString url;
    };

    int openInFile(const QString &file, const std::vector<EntryArguments::Reference> &references,
                   const Opener &open);
    // Nothing when no running program holds FILE; else the exit status.
    std::optional<int> findInProgram(const QString &file, const QString &keyText, ProgramEntry &entry);
    int countVisitInProgram(const QString &file, const ProgramEntry &entry);
};
