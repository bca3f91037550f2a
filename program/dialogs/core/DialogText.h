// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>

// Rules for the texts typed into the dialogs and the filter boxes.
namespace DialogText {

// The text without the blanks (spaces) before and after it; tabs, line breaks
// and other control characters are part of the text and stay.
QString trimBlanks(const QString &text);

// The whole decimal number a count box holds (blanks around it allowed), when
// it fits a 16-bit signed count (-32768..32767); nothing otherwise.
std::optional<int> countValue(const QString &text);

}  // namespace DialogText
