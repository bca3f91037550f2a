// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>

// Functions that fail with a reason write it to an error text the caller may
// leave out (nullptr).
namespace ErrorText {

// Sets the error text when there is one; false, so that a failing function
// can end with `return ErrorText::fail(error, ...)`.
inline bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// The same for a function that returns an optional value.
template<typename T> std::optional<T> failWith(QString *error, const QString &text)
{
    fail(error, text);
    return std::nullopt;
}

}  // namespace ErrorText
