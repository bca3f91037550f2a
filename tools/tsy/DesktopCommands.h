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

// tsy-desktop: where the build puts it, in the folder of the programs that
// Tessaly's programs run, relative to tsy's folder.
QString programPath();

// Runs tsy-desktop in place of this process with the same arguments. Returns
// only when it cannot, after saying why on err: the exit status.
int handOver(char *argv[], QTextStream &err);

}  // namespace DesktopCommands
