// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ImportCommand.h"

// tsy import-firefox FILE [PROFILE_DIR] and tsy import-chromium FILE
// [PROFILE_DIR]: merge a browser profile's bookmarks with their visits.
class ImportProfileCommand : public ImportCommand
{
public:
    enum class Browser { Firefox, Chromium };

    ImportProfileCommand(Browser browser, QTextStream &out, QTextStream &err);

    QString name() const override;
    QString summary() const override;
    QString help() const override;

protected:
    bool checkSource(const QString &source, QString *error) const override;
    bool merge(QObject *mb, const QString &source) const override;
    QString mergeError(const QObject *mb, const QString &source) const override;
    QString defaultSource(QString *error) const override;

private:
    // The profile folder a source names: the folder, or a file in it.
    static QString profileFolderOf(const QString &source);

    const Browser m_browser;
};
