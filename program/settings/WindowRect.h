// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A window's normal (restored) rectangle in twips.
struct WindowRect
{
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;

    bool operator==(const WindowRect &) const = default;
};
