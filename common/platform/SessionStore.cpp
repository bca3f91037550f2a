// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SessionStore.h"

#include "ErrorText.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <lz4.h>

namespace {

// The context of this file's texts in the translations.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SessionStore)
};

constexpr char magic[] = "mozLz40";  // with its terminating zero: 8 bytes
constexpr qsizetype magicSize = sizeof(magic);
constexpr qsizetype headerSize = magicSize + 4;

// The element at a 1-based index of an array; nullopt when it is not there.
std::optional<QJsonObject> oneBased(const QJsonObject &parent, const char *arrayKey, qint64 index)
{
    const QJsonArray array = parent.value(QLatin1String(arrayKey)).toArray();
    if (index < 1 || index > array.size() || !array.at(index - 1).isObject())
        return std::nullopt;
    return array.at(index - 1).toObject();
}

qint64 integer(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toInteger(-1);
}

// The window the session calls selected; the last window when none is
// (selectedWindow 0: the selected window was minimised or closed).
std::optional<QJsonObject> selectedWindow(const QJsonObject &session)
{
    qint64 index = integer(session, "selectedWindow");
    if (index == 0)
        index = session.value(QLatin1String("windows")).toArray().size();
    return oneBased(session, "windows", index);
}

// A tab with no history (a new tab) shows what was typed into its address bar, if anything.
std::optional<SessionStore::Page> typedPage(const QJsonObject &tab)
{
    const QString typed = tab.value(QLatin1String("userTypedValue")).toString();
    if (typed.isEmpty())
        return std::nullopt;
    return SessionStore::Page {typed, QString()};
}

}  // namespace

namespace SessionStore {

std::optional<QByteArray> decompress(const QByteArray &fileContents, QString *error)
{
    if (fileContents.size() < headerSize)
        return ErrorText::failWith<QByteArray>(error, Text::tr("The session store is truncated"));
    if (!fileContents.startsWith(QByteArrayView(magic, magicSize)))
        return ErrorText::failWith<QByteArray>(error, Text::tr("The session store is not a mozLz4 file"));
    const quint32 size = qFromLittleEndian<quint32>(fileContents.constData() + magicSize);
    if (size > largestSize)
        return ErrorText::failWith<QByteArray>(error,
                                Text::tr("The session store claims %1 bytes: too large").arg(size));
    QByteArray json(qsizetype(size), Qt::Uninitialized);
    const int decoded = LZ4_decompress_safe(fileContents.constData() + headerSize, json.data(),
                                            int(fileContents.size() - headerSize), int(size));
    if (decoded < 0 || quint32(decoded) != size)
        return ErrorText::failWith<QByteArray>(error, Text::tr("The session store's data is damaged"));
    return json;
}

std::optional<Page> currentPage(const QByteArray &json, QString *error)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return ErrorText::failWith<Page>(error, Text::tr("The session store holds no session"));
    const std::optional<QJsonObject> window = selectedWindow(document.object());
    if (!window)
        return ErrorText::failWith<Page>(error, Text::tr("The session has no selected window"));
    const std::optional<QJsonObject> tab = oneBased(*window, "tabs", integer(*window, "selected"));
    if (!tab)
        return ErrorText::failWith<Page>(error, Text::tr("The session's window has no selected tab"));
    if (tab->value(QLatin1String("entries")).toArray().isEmpty()) {
        if (std::optional<Page> typed = typedPage(*tab))
            return typed;
        return ErrorText::failWith<Page>(error, Text::tr("The session's tab shows no page"));
    }
    const std::optional<QJsonObject> entry = oneBased(*tab, "entries", integer(*tab, "index"));
    const QString url = entry ? entry->value(QLatin1String("url")).toString() : QString();
    if (url.isEmpty())
        return ErrorText::failWith<Page>(error, Text::tr("The session's tab has no current page"));
    return Page {url, entry->value(QLatin1String("title")).toString()};
}

std::optional<Page> readCurrentPage(const QString &profileFolder, QString *error)
{
    QFile file(profileFolder + QLatin1String("/sessionstore-backups/recovery.jsonlz4"));
    if (!file.open(QIODevice::ReadOnly))
        return ErrorText::failWith<Page>(error, Text::tr("No session store in %1").arg(profileFolder));
    if (file.size() > largestSize)
        return ErrorText::failWith<Page>(error,
                                         Text::tr("The session store %1 is too large").arg(file.fileName()));
    const std::optional<QByteArray> json = decompress(file.readAll(), error);
    if (!json)
        return std::nullopt;
    return currentPage(*json, error);
}

}  // namespace SessionStore
