// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"
#include "ListScope.h"
#include "ViewFilter.h"

class GroupTable;

// tsy list FILE [filters]: the rows the main window's entry list shows.
class ListCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("list"); }
    QString summary() const override;
    QString help() const override;
    int livePaths() const override { return 1; }

protected:
    int execute(const QStringList &arguments) override;

private:
    // What the options ask for.
    struct Request
    {
        QString path;
        QString groupText;  // --group as given
        ListScope scope;
        ViewFilter filter;
        double present = 0.0;
        int sortColumn = -1;
        bool ascending = false;
        bool withKeys = false;
    };
    int listLoaded(const Request &request);
    int listStreamed(const Request &request);
    static bool listsGroups(const GroupTable &groups, const Request &request);
    int groupError(const Request &request);

    // UTF-8 text to the output stream's device, past its text conversion.
    void writeOut(const QByteArray &utf8);

    // Each reads one option into the filter; false after a usage error.
    bool readRatings(const QString &text, ViewFilter &filter);
    bool readVisited(const QString &text, ViewFilter &filter);
    bool readDateFilter(const QString &option, const QString &text, int &mode, int &amount, int &unit);
};
