// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StackFile.h"
#include "URLBlock.h"

#include <QByteArray>
#include <QString>

// Stores compared through their stack-file text, which holds every field
// (groups, and each entry's group, texts, dates, visits, category, rating).
namespace StoreText {

// The date a load gives entries that have none.
constexpr double now = 45364.5;

// The stack-file text of a store loaded from path.
inline QByteArray ofFile(const QString &path)
{
    URLBlock store;
    StackFile::loadStackFile(store, path, false, now);
    return StackFile::stackFileText(store);
}

}  // namespace StoreText
