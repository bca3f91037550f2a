// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LiveOpenCommand.h"

#include "DayCount.h"
#include "LiveStore.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>

QString LiveOpenCommand::summary() const
{
    return QStringLiteral("find an entry to open, or count its visit, in the running Tessaly");
}

QString LiveOpenCommand::help() const
{
    return QStringLiteral("Usage: open FILE.tsy KEY [--visit=URL]\n"
                          "\n"
                          "tsy open's part in the running Tessaly that holds FILE: see tsy open --help.\n");
}

int LiveOpenCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption visit(QStringLiteral("visit"), QString(), QStringLiteral("URL"));
    parser.addOption(visit);
    std::vector<EntryArguments::Reference> references;
    if (!parse(parser, arguments, 2) || !readKeys(parser.positionalArguments().mid(1), references))
        return UsageError;
    const QString file = parser.positionalArguments().at(0);
    LiveStore *live = ToolStore::liveStoreOf(file);
    if (!live)
        return fileError(QStringLiteral("%1: only the running Tessaly that holds it runs this").arg(file));
    // Keys as the file would give them, as every command's KEY is read.
    URLBlock store;
    live->copyInto(store);
    std::vector<quint32> keys;
    QString error;
    if (!resolveKeys(store, references, keys, &error))
        return fileError(error);
    const URLData *entry = store.urlDatas().Item(store.urlDatas().positionOfKey(keys.front()));
    if (!parser.isSet(visit)) {
        m_out << URLData::keyText(keys.front()) << '\n' << entry->url << '\n';
        return Success;
    }
    // The window may have changed the entry while the browser was asked.
    if (entry->url != parser.value(visit))
        return fileError(QStringLiteral("entry %1 no longer has the address that was opened: no visit is counted")
                             .arg(URLData::keyText(keys.front())));
    live->countVisit(keys.front(), DayCount::now());
    return Success;
}
