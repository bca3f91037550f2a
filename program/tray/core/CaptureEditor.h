// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The entry editor as the browser capture uses it: opened in its new-entry
// mode with the title and address filled in, shown modally. The editor sets
// dialogState back to 0 when it closes; accepting it adds the entry.
class CaptureEditor
{
public:
    virtual ~CaptureEditor() = default;

    virtual void showNewEntry(const QString &title, const QString &url) = 0;
};
