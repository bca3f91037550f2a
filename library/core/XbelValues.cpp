// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelValues.h"

#include <QtEndian>

namespace XbelValues {

std::optional<QString> exactText(const QString &base64)
{
    const auto decoded = QByteArray::fromBase64Encoding(base64.trimmed().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() % 2 != 0)
        return std::nullopt;
    QString text(decoded.decoded.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(decoded.decoded.constData() + 2 * i));
    return text;
}

QDateTime dateOf(QStringView text)
{
    if (const std::optional<QDateTime> utc = utcDateOf(text))
        return *utc;
    const QString trimmed = text.trimmed().toString();
    QDateTime date = QDateTime::fromString(trimmed, Qt::ISODateWithMs);
    return date.isValid() ? date : QDateTime::fromString(trimmed, Qt::ISODate);
}

std::optional<qint64> numberOf(QStringView text, qint64 min, qint64 max)
{
    // The form Tessaly writes, digits alone, without the general parser.
    if (!text.isEmpty() && text.size() <= 18) {
        qint64 value = 0;
        qsizetype i = 0;
        for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
            value = value * 10 + (text[i].unicode() - u'0');
        if (i == text.size())
            return value >= min && value <= max ? std::optional<qint64>(value) : std::nullopt;
    }
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok && value >= min && value <= max ? std::optional<qint64>(value) : std::nullopt;
}

}  // namespace XbelValues
