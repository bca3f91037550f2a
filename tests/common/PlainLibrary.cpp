// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A shared library without plugin metadata.
extern "C" int plainLibraryAnswer()
{
    return 42;
}
