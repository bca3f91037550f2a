// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

class QObject;

// A tsy command that merges foreign bookmarks into a stack file with the
// library's merge object, created through the component registry as the
// program creates it, so that both merge the same way. FILE is loaded (or
// begun empty when it does not exist yet), merged into and saved with its
// backup, all under its lock.
class ImportCommand : public Command
{
public:
    using Command::Command;
    // FILE and the source.
    int livePaths() const override { return 2; }

protected:
    int execute(const QStringList &arguments) override;

    // False, with an error text, when the source cannot be merged at all.
    virtual bool checkSource(const QString &source, QString *error) const = 0;
    // Runs the merge object on the source; false when the source could not be read.
    virtual bool merge(QObject *mb, const QString &source) const = 0;
    // Why merge() failed.
    virtual QString mergeError(const QObject *mb, const QString &source) const;
    // How many files of the source the merge passed over.
    virtual int skippedFiles(const QObject *) const { return 0; }
    // The source taken when the command line names none; "" (with an error
    // text) when there is none, or the source must be named.
    virtual QString defaultSource(QString *error) const;

    // The help paragraph shared by the import commands.
    static QString sharedHelp();
};
