// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Prompter.h"

// Nothing is asked in a benchmark.
class SilentPrompter : public Prompter
{
public:
    Answer messageBox(const QString &, Buttons, Icon, const QString &) override { return Answer::No; }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &) override { return {}; }
    QString folderName(const QString &, const QString &) override { return {}; }
};
