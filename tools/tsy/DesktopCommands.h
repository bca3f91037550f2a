// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QTextStream>

// capture and open reach the desktop (its clipboard and windows, the
// browsers, the network state), whose libraries take longer to load than
// most commands take to run. They are a program of their own, tsy-desktop,
// that tsy hands them to, so that the other commands start without those
// libraries.
namespace DesktopCommands {

struct Description
{
    QString name;
    QString summary;
};

// capture and open, as tsy lists them.
QList<Description> descriptions();
bool isDesktopCommand(const QString &name);
QString summaryOf(const QString &name);

// Runs tsy-desktop (in the folder of the programs that Tessaly's programs
// run, found relative to tsy's folder, where the build puts it too) in place
// of this process with the same arguments. Returns only when it cannot,
// after saying why on err: the exit status.
int handOver(char *argv[], QTextStream &err);

}  // namespace DesktopCommands
