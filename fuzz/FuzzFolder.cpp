// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzFolder.h"

#include "FuzzCheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace FuzzFolder {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

QString path()
{
    static QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid());
    return folder.path();
}

QString write(const QString &name, const QByteArray &bytes)
{
    const QString file = path() + u'/' + name;
    QFile out(file);
    FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(out.write(bytes) == bytes.size());
    return file;
}

}  // namespace FuzzFolder
