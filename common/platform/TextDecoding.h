// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>

// Text of the files we read: UTF-8, with lines written on old Western
// Windows systems (not valid UTF-8) read as Windows-1252.
namespace TextDecoding {

bool isValidUtf8(QByteArrayView bytes);
QString fromWindows1252(QByteArrayView bytes);

// One line (or field) of a text file: UTF-8 when it is valid UTF-8,
// Windows-1252 otherwise.
QString decodeLine(QByteArrayView bytes);

// The UTF-8 byte-order mark.
inline constexpr QByteArrayView utf8Bom("\xEF\xBB\xBF");

// The bytes of a file without a leading UTF-8 byte-order mark.
QByteArrayView withoutUtf8Bom(QByteArrayView bytes);

}  // namespace TextDecoding
