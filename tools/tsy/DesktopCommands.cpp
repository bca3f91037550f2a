// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopCommands.h"

#include "Command.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace DesktopCommands {

QList<Description> descriptions()
{
    return {{QStringLiteral("capture"), QStringLiteral("print the page a running browser shows, or add it to a file")},
            {QStringLiteral("open"),
             QStringLiteral("open an entry in the browser and count the visit, keeping a backup")}};
}

bool isDesktopCommand(const QString &name)
{
    return !summaryOf(name).isEmpty();
}

QString summaryOf(const QString &name)
{
    for (const Description &description : descriptions()) {
        if (description.name == name)
            return description.summary;
    }
    return QString();
}

int handOver(char *argv[], QTextStream &err)
{
    const QString path = QCoreApplication::applicationDirPath() + u'/' + QStringLiteral(TSY_BIN_TO_DESKTOP);
    const QByteArray file = QFile::encodeName(path);
    ::execv(file.constData(), argv);
    err << "tsy: " << path << " cannot be run: " << std::strerror(errno) << '\n';
    return Command::FileError;
}

}  // namespace DesktopCommands
