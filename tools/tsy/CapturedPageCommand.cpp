// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CapturedPageCommand.h"

#include "DialogText.h"
#include "EntryOperations.h"
#include "InternetShortcut.h"
#include "StoredSettings.h"

#include <QCommandLineParser>

QString CapturedPageCommand::summary() const
{
    return QStringLiteral("add a page that tsy capture read");
}

QString CapturedPageCommand::help() const
{
    return QStringLiteral("Usage: capture FILE.tsy --group=GROUP --title=TITLE --url=URL\n"
                          "\n"
                          "The second half of tsy capture FILE --group GROUP, which runs it once the\n"
                          "page is read: see tsy capture --help.\n");
}

QStringList CapturedPageCommand::arguments(const QString &file, const QString &group, const QString &title,
                                           const QString &url)
{
    return {QStringLiteral("--group=") + group, QStringLiteral("--title=") + title, QStringLiteral("--url=") + url,
            QStringLiteral("--"), file};
}

int CapturedPageCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("GROUP"));
    const QCommandLineOption title(QStringLiteral("title"), QString(), QStringLiteral("TITLE"));
    const QCommandLineOption url(QStringLiteral("url"), QString(), QStringLiteral("URL"));
    parser.addOptions({group, title, url});
    if (!parse(parser, arguments, 1))
        return UsageError;
    if (!parser.isSet(group) || !parser.isSet(url))
        return usageError(QStringLiteral("give --group and --url"));
    EntryOperations::NewEntry entry;
    entry.title = DialogText::trimBlanks(parser.value(title));
    entry.url = DialogText::trimBlanks(parser.value(url));
    QString key;
    QString groupName;
    const int status = addEntry(parser.positionalArguments().at(0), parser.value(group), entry, &key, &groupName);
    if (status != Success)
        return status;
    InternetShortcut::writeShortcut(InternetShortcut::favoritesFolder(), StoredSettings::read().settings.cAF,
                                    entry.title, entry.url, groupName);
    m_out << key << '\n';
    return Success;
}
