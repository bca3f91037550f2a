// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The date text of stack files.
//
// Written form: the day as four uppercase hex digits, then the first five
// decimal digits of the time-of-day fraction, taken as a number, as five hex
// digits ("0" for no date). 5 December 1999 18:06 is 8E9312698.
//
// Read form: texts shorter than 8 characters are no date. A text whose
// characters 5-9 hold at most 99999 is day + value / 100000. Exactly eight
// characters, or a larger value, is read as files of old releases meant it:
// the value's decimal digits are the digits after the decimal point.
QString GetHexDate(double dat);
double ConvertHexDate(QStringView hexDate);
// The same on the bytes of a stack file's field (any byte that is not ASCII is no hex digit).
double ConvertHexDate(QByteArrayView hexDate);

// How a stack file's date field reads, told from its digits without its
// conversion: no date, a date that a save writes back as it is read (four
// hex digits of day, five of fraction up to 99999), or one of the old forms
// (eight characters, or a larger fraction, read as decimal digits), which a
// save writes rounded.
enum class HexDateForm { None, Exact, Old };
HexDateForm hexDateForm(QByteArrayView hexDate);

// The same, appending the text to a UTF-8 buffer (used by the stack-file writer).
void appendHexDate(QByteArray &out, double dat);
// Writes the text at out, which has room for 9 characters, and returns its end.
char *writeHexDate(char *out, double dat);
