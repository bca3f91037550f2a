// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClipboardContents.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace {

// The first bytes of toBytes(), so that other input is never taken for contents.
constexpr char magic[] = "TessalyClipboard1";

}  // namespace

ClipboardContents::ClipboardContents(QList<Format> formats)
    : m_formats(std::move(formats))
{ }

ClipboardContents ClipboardContents::fromMimeData(const QMimeData &data)
{
    QList<Format> formats;
    for (const QString &format : data.formats()) {
        if (!format.contains(u'/') || format == QLatin1String("application/x-qt-image"))
            continue;
        // A format that the owner offers and then fails to deliver is left out.
        const QByteArray bytes = data.data(format);
        if (!bytes.isEmpty())
            formats.append({format, bytes});
    }
    return ClipboardContents(formats);
}

QMimeData *ClipboardContents::toMimeData() const
{
    auto *data = new QMimeData;
    for (const auto &[format, bytes] : m_formats)
        data->setData(format, bytes);
    return data;
}

QByteArray ClipboardContents::toBytes() const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_4);
    stream.writeRawData(magic, sizeof magic);
    stream << m_formats;
    return bytes;
}

std::optional<ClipboardContents> ClipboardContents::fromBytes(const QByteArray &bytes)
{
    if (!bytes.startsWith(QByteArray(magic, sizeof magic)))
        return std::nullopt;
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_6_4);
    stream.skipRawData(sizeof magic);
    QList<Format> formats;
    stream >> formats;
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return std::nullopt;
    return ClipboardContents(formats);
}
