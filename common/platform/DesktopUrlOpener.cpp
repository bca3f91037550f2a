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

// A local file that the desktop's handler would run rather than show.
bool isRunnable(const QUrl &url)
{
    if (!url.isLocalFile())
        return false;
    const QFileInfo file(url.toLocalFile());
    return file.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0
        || (file.isFile() && file.isExecutable());
}

}  // namespace

bool DesktopUrlOpener::open(const QUrl &url, QString *error)
{
    if (!url.isValid() || url.isRelative())
        return fail(error, QStringLiteral("Not an address that can be opened"));
    if (isRunnable(url))
        return fail(error, QStringLiteral("%1 is a program: it is not opened").arg(url.toLocalFile()));
    const QString argument = url.toString(QUrl::FullyEncoded);
    if (argument.startsWith(QLatin1Char('-')))
        return fail(error, QStringLiteral("Not an address that can be opened"));
    if (!QProcess::startDetached(program(), {argument}))
        return fail(error, QStringLiteral("The browser could not be started (%1 is missing)").arg(program()));
    return true;
}
