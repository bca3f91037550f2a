// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

class Prompter;

// A start of the program while it runs already (one per user): asks the
// running program to show its main window. When the running program refuses
// (this start names another stack file: one store per user) or does not
// answer, why is said on standard error and in a message box.
class SecondStart
{
public:
    SecondStart(Prompter &prompter, const QString &socketPath);

    // The exit status: 0 when the running program shows its window, else 1.
    int run(const QStringList &arguments);
    // How long the running program is given to answer (it may be starting).
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

private:
    void report(const QString &text);

    Prompter &m_prompter;
    QString m_socketPath;
    int m_timeoutMs = 10000;
};
