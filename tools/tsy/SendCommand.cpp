// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SendCommand.h"

#include "DayCount.h"
#include "InternetShortcut.h"
#include "ToolStore.h"
#include "StoredSettings.h"
#include "URLBlock.h"

#include <QCommandLineParser>

QString SendCommand::summary() const
{
    return QStringLiteral("write entries as internet shortcuts into the favorites folder");
}

QString SendCommand::help() const
{
    return QStringLiteral("Usage: tsy send FILE.tsy KEY...\n"
                          "\n"
                          "Writes an internet shortcut (TITLE.url) for each entry into the favorites\n"
                          "folder, as Tessaly's \"Bookmarks Folder\" does, and prints each file's path.\n"
                          "The setting cAF decides where: 1 a subfolder named after the entry's group\n"
                          "(made when missing), 2 the favorites folder itself, any other value but 0\n"
                          "the group's subfolder as it is; with cAF 0 nothing is written (exit\n"
                          "status 1). Characters a file name cannot hold become \"_\". An entry without\n"
                          "a title is named after its address's host (HOST.url). FILE is only read.\n"
                          "A KEY that holds :// is an address: it names every entry with exactly that\n"
                          "address. An unknown key or address is an error and nothing is written.\n");
}

int SendCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    std::vector<EntryArguments::Reference> references;
    if (!parse(parser, arguments, 2, true) || !readKeys(parser.positionalArguments().mid(1), references))
        return UsageError;
    std::vector<quint32> keys;
    const QString file = parser.positionalArguments().at(0);
    URLBlock store;
    QString error;
    if (!ToolStore::loadStackFile(store, file, false, DayCount::now(), &error)
        || !resolveKeys(store, references, keys, &error))
        return fileError(error);
    const int cAF = StoredSettings::read().settings.cAF;
    if (cAF == 0)
        return fileError(QStringLiteral("no shortcuts written: cAF is 0 (shortcuts turned off)"));
    const QString folder = InternetShortcut::favoritesFolder();
    for (const quint32 key : keys) {
        const URLData *entry = store.urlDatas().Item(store.urlDatas().positionOfKey(key));
        const QString title = InternetShortcut::titleForFile(entry->Name, entry->url);
        if (title.isEmpty())
            return fileError(QStringLiteral("%1: neither its title nor its address gives the file a name")
                                 .arg(entry->ID()));
        const QString path = InternetShortcut::writeShortcut(folder, cAF, title, entry->url,
                                                             store.IDXList().nameOf(entry->Owner), &error);
        if (path.isEmpty())
            return fileError(QStringLiteral("%1: %2").arg(entry->ID(), error));
        m_out << path << '\n';
    }
    return Success;
}
