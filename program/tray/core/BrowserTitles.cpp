// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BrowserTitles.h"

#include <QList>

namespace BrowserTitles {

namespace {

struct Suffix
{
    QString name;  // the browser's name as its windows end
    Family family;
};

// Longest first, so that "Mozilla Firefox Private Browsing" wins over "Mozilla Firefox".
const QList<Suffix> &browserNames()
{
    static const QList<Suffix> names {
        {QStringLiteral("Mozilla Firefox Private Browsing"), Family::Firefox},
        {QStringLiteral("Microsoft Internet Explorer"), Family::InternetExplorer},
        {QStringLiteral("Mozilla Firefox"), Family::Firefox},
        {QStringLiteral("Google Chrome"), Family::Chrome},
        {QStringLiteral("Chromium"), Family::Chromium},
        {QStringLiteral("Opera"), Family::Opera},
    };
    return names;
}

// The separators before a browser's name: Firefox's em dash and the others' hyphen.
const QList<QString> &separators()
{
    static const QList<QString> list {QStringLiteral(" \u2014 "), QStringLiteral(" - ")};
    return list;
}

// The browser name that ends the title and where its separator starts;
// -1 when the title does not end with one. A bare name starts at 0.
qsizetype nameStart(const QString &title, Family *family)
{
    for (const Suffix &suffix : browserNames()) {
        if (title.compare(suffix.name, Qt::CaseInsensitive) == 0) {
            *family = suffix.family;
            return 0;
        }
        for (const QString &separator : separators()) {
            if (title.endsWith(separator + suffix.name, Qt::CaseInsensitive)) {
                *family = suffix.family;
                return title.size() - separator.size() - suffix.name.size();
            }
        }
    }
    *family = Family::None;
    return -1;
}

Family familyOfClass(const QString &name)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("firefox") || lower == QLatin1String("firefox-esr")
        || lower == QLatin1String("navigator"))
        return Family::Firefox;
    if (lower == QLatin1String("chromium") || lower == QLatin1String("chromium-browser"))
        return Family::Chromium;
    if (lower == QLatin1String("google-chrome"))
        return Family::Chrome;
    if (lower == QLatin1String("opera"))
        return Family::Opera;
    return Family::None;
}

}  // namespace

bool isBrowserTitle(const QString &title)
{
    Family family;
    return title.contains(QLatin1String("- Microsoft Internet"), Qt::CaseInsensitive)
        || nameStart(title, &family) >= 0;
}

Family familyOf(const QString &title, const QString &className, const QString &instanceName)
{
    for (const QString &name : {className, instanceName}) {
        if (const Family family = familyOfClass(name); family != Family::None)
            return family;
    }
    Family family;
    nameStart(title, &family);
    if (family == Family::None && title.contains(QLatin1String("- Microsoft Internet"), Qt::CaseInsensitive))
        return Family::InternetExplorer;
    return family;
}

QString pageTitle(const QString &windowTitle)
{
    Family family;
    const qsizetype start = nameStart(windowTitle, &family);
    return start < 0 ? windowTitle : windowTitle.left(start);
}

}  // namespace BrowserTitles
