#include "DesktopUrlOpener.h"

#include <QFileInfo>
#include <QProcess>

namespace {

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

}  // namespace

bool DesktopUrlOpener::isRunnable(const QString &localPath)
{
    const QFileInfo file(localPath);
    return file.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0
        || (file.isFile() && file.isExecutable());
}

bool DesktopUrlOpener::open(const QUrl &url, QString *error)
{
    if (!url.isValid() || url.isRelative())
        return fail(error, QStringLiteral("Not an address that can be opened"));
    if (url.isLocalFile() && isRunnable(url.toLocalFile()))
        return fail(error, QStringLiteral("%1 is a program: it is not opened").arg(url.toLocalFile()));
    const QString argument = url.toString(QUrl::FullyEncoded);
    if (argument.startsWith(QLatin1Char('-')))
        return fail(error, QStringLiteral("Not an address that can be opened"));
    if (!QProcess::startDetached(program(), {argument}))
        return fail(error, QStringLiteral("The browser could not be started (%1 is missing)").arg(program()));
    return true;
}
