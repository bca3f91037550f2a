// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Texts folded for a search that ignores case and accents: each character
// decomposed (compatibility decomposition, so "ﬁ" is "fi" and a full-width
// "Ａ" is "a"), its combining marks dropped, case-folded, and "ß" written
// "ss" (so "Straße", "STRASSE" and "strasse" are one word). Control
// characters become blanks, so a folded text never holds one.
namespace TextFold {

// The folded text. ASCII takes a fast path of its own; every other
// character of the BMP is looked up in a table made at the first use.
QString fold(QStringView text);
// Appends the folded text to out; to a search index, as UTF-8.
void appendFolded(QStringView text, QString &out);
void appendFoldedUtf8(QStringView text, QByteArray &out);
// The words of a search text, folded: split at blanks and control
// characters, empty words left out.
QStringList words(QStringView text);

}  // namespace TextFold
