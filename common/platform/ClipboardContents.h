// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

class QMimeData;

// What the clipboard holds, format by format as its owner offers it (a MIME
// type such as "text/plain" or "image/png", and its bytes), so that it can be
// put back after a command has used the clipboard. No formats: the clipboard
// held nothing.
class ClipboardContents
{
public:
    using Format = QPair<QString, QByteArray>;

    ClipboardContents() = default;
    explicit ClipboardContents(QList<Format> formats);

    // The MIME formats of data that hold bytes; the X selection's own targets
    // (TARGETS, TIMESTAMP, ...) and Qt's made-up image format are no contents.
    static ClipboardContents fromMimeData(const QMimeData &data);
    // A new object with every format, for QClipboard::setMimeData.
    QMimeData *toMimeData() const;

    bool isEmpty() const { return m_formats.isEmpty(); }
    const QList<Format> &formats() const { return m_formats; }

    // The contents as bytes that fromBytes reads back, to hand them to
    // another process; nullopt for bytes that are not such contents.
    QByteArray toBytes() const;
    static std::optional<ClipboardContents> fromBytes(const QByteArray &bytes);

private:
    QList<Format> m_formats;
};
