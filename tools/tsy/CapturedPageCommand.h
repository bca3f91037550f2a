// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreEditCommand.h"

// What tsy capture FILE --group GROUP does once tsy-desktop has read the
// page: the page added to GROUP as the entry editor's "Accept" adds it,
// with an internet shortcut when cAF asks for one, and the new entry's key
// printed. tsy-desktop runs it on FILE; when the running program holds FILE
// it runs there instead, on the live store, under capture's name (which the
// window's "Undo" names). Its command line:
//     capture FILE --group=GROUP --title=TITLE --url=URL
class CapturedPageCommand : public StoreEditCommand
{
public:
    using StoreEditCommand::StoreEditCommand;
    QString name() const override { return QStringLiteral("capture"); }
    QString summary() const override;
    QString help() const override;
    int livePaths() const override { return 1; }

    // The command line that adds the page (for run()): the values joined to
    // their options, so that no title reads as an option such as --help.
    static QStringList arguments(const QString &file, const QString &group, const QString &title,
                                 const QString &url);

protected:
    int execute(const QStringList &arguments) override;
};
