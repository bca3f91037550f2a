// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinuxProgramStarter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// The context of this file's texts in the translations.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(LinuxProgramStarter)
};

}  // namespace

bool LinuxProgramStarter::startDetached(const QString &program, const QStringList &arguments, QString *error)
{
    const QString file = resolve(program);
    QString failure;
    if (file.isEmpty())
        failure = Text::tr("The program %1 cannot be found").arg(program);
    else if (!QProcess::startDetached(file, arguments))
        failure = Text::tr("The program %1 could not be started").arg(file);
    if (error && !failure.isEmpty())
        *error = failure;
    return failure.isEmpty();
}

QString LinuxProgramStarter::resolve(const QString &program)
{
    if (program.isEmpty())
        return QString();
    if (!program.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(program);
    const QFileInfo file(program);
    return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
}
