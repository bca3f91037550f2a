// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// The windows that the browser double shows besides its browser window (with
// --extra-windows), as the double makes them and as the tests expect to read
// them back.
namespace DoubleWindows {

// A Qt window whose title is 10,000 characters, not all of them ASCII.
inline QString longTitle()
{
    QString title;
    while (title.size() < 10000)
        title += QStringLiteral("Lüng title—界 ");
    title.truncate(10000);
    return title;
}

inline QString minimisedTitle()
{
    return QStringLiteral("Minimised page — Mozilla Firefox");
}

// Windows made with Xlib, each with only a WM_NAME (and the class named), of
// the given property type; or with an _NET_WM_NAME that is not UTF-8.
struct RawWindow
{
    const char *className;
    const char *type;  // "STRING", "COMPOUND_TEXT", or "UTF8_STRING" for _NET_WM_NAME
    QByteArray name;
};

inline const RawWindow rawWindows[] = {
    {"RawLatin1", "STRING", QByteArray("caf\xe9 \xff latin-1")},
    {"RawCompound", "COMPOUND_TEXT", QByteArray("\x1b$(Bgar\x1b%Gbage \xff\xfe\x1b-A\xe9")},
    {"RawBadUtf8", "UTF8_STRING", QByteArray("bad \xc3\x28 utf8 \xff")},
    // Mapped, and then said hidden (minimised) in its _NET_WM_STATE, as
    // compositing window managers leave minimised windows.
    {"RawStateHidden", "STRING", QByteArray("stated hidden")},
};

}  // namespace DoubleWindows
