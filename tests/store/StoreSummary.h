// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "URLBlock.h"

#include <QStringList>

// A store as lines of text, so that tests compare whole stores in one step:
// "+NAME" for each group, then "title|url|owner|last|created|visited|catagory|rated"
// for each entry in store order.
inline QStringList storeSummary(const URLBlock &store)
{
    QStringList lines;
    for (int i = 0; i < store.IDXList().groupCount(); ++i)
        lines << '+' + store.IDXList().at(i).name;
    for (const URLData &e : store.urlDatas()) {
        lines << QStringList {e.Name,
                              e.url,
                              QString::number(e.Owner),
                              QString::number(e.LastAccesed, 'g', 12),
                              QString::number(e.Created, 'g', 12),
                              QString::number(e.Visited),
                              QString::number(e.Catagory),
                              QString::number(e.Rated)}
                     .join('|');
    }
    return lines;
}

// storeSummary() with what an undo must also give back: each entry's key
// ("key=" before its line), each group's index-mask flag ("+NAME*" when set),
// and the change count and key counter at the end.
inline QStringList fullStoreSummary(const URLBlock &store)
{
    QStringList lines;
    for (int i = 0; i < store.IDXList().groupCount(); ++i)
        lines << '+' + store.IDXList().at(i).name + (store.IDXList().at(i).inIndexMask ? "*" : "");
    const QStringList entries = storeSummary(store).mid(store.IDXList().groupCount());
    qsizetype row = 0;
    for (const URLData &e : store.urlDatas())
        lines << QString::number(e.keyNumber()) + '=' + entries.at(row++);
    lines << QStringLiteral("changes=%1 lastKey=%2").arg(store.changeCount()).arg(store.urlDatas().lastKeyNumber());
    return lines;
}
