// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <chrono>
#include <functional>

// A tsy command's whole load-modify-save of one stack file, done while it
// holds the file's lock, so that two writers of the file never lose each
// other's work. Another tsy command's lock is waited for a few seconds; the
// program's is not: it holds the lock as long as its store holds the file.
class LockedStackFileEdit
{
public:
    // How long a lock held by another tsy command is waited for.
    static constexpr std::chrono::milliseconds toolWait {5000};

    // edit does the work and sets its error text when it fails.
    using Edit = std::function<bool(QString *error)>;

    // Runs edit under the lock of stackFile (named as given). False with an
    // error text when the lock could not be taken (edit did not run: the
    // file is unchanged) or when edit failed.
    static bool run(const QString &stackFile, const Edit &edit, QString *error);

    // The backup of a stack file: the same name with the extension ".bak".
    static QString backupPathOf(const QString &stackFile);
};
