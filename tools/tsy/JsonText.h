// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class QStringEncoder;

// Pieces of JSON text, for output whose key order matters.
namespace JsonText {

QString string(const QString &text);
// The same, appended to out.
void appendString(QString &out, QStringView text);
// The shortest decimal text that reads back as the same double.
QString number(double value);
void appendNumber(QString &out, double value);

// The same as UTF-8 bytes written at out, which has room for maxStringBytes
// or maxNumberBytes; each returns the end of what it wrote. encoder is a
// UTF-8 encoder.
constexpr qsizetype maxStringBytes(qsizetype length)
{
    return 6 * length + 2;  // at most an escape a character, and the quotes
}
constexpr qsizetype maxNumberBytes = 32;
char *writeString(char *out, QStringView text, QStringEncoder &encoder);
char *writeNumber(char *out, double value);

}  // namespace JsonText
