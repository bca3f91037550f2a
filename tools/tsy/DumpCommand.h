// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

#include <QByteArray>
#include <QStringEncoder>

class GroupTable;
class URLData;

// tsy dump FILE: the loaded store as JSON.
class DumpCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("dump"); }
    QString summary() const override;
    QString help() const override;
    int livePaths() const override { return 1; }

    // One entry's object, in its place in the output.
    void writeEntry(const URLData &entry, quint32 keyNumber);

protected:
    int execute(const QStringList &arguments) override;

private:
    int dumpLoaded(const QString &path);
    int dumpStreamed(const QString &path);
    void writeGroups(const GroupTable &groups);
    void finish();

    // Bytes collected before they go to the output.
    static constexpr qsizetype outputChunk = 1 << 16;
    // Hands the UTF-8 text to the output stream's device, past its text
    // conversion, when it holds a chunk (or always), and empties it.
    void writeWhenFull(QByteArray &out, bool always = false);

    QByteArray m_text;
    QStringEncoder m_utf8 {QStringEncoder::Utf8};
    bool m_firstEntry = true;
};
