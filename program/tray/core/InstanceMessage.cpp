// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InstanceMessage.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace InstanceMessage {

namespace {

const QString versionKey = QStringLiteral("version");
const QString commandKey = QStringLiteral("command");
const QString stackFileKey = QStringLiteral("stackFile");
const QString okKey = QStringLiteral("ok");
const QString errorKey = QStringLiteral("error");

QByteArray line(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<QJsonObject> objectOf(const QByteArray &line)
{
    if (line.size() > maxLineBytes + 1)
        return std::nullopt;
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

// A member that is absent or of the given type.
bool absentOr(const QJsonObject &object, const QString &key, QJsonValue::Type type)
{
    return !object.contains(key) || object.value(key).type() == type;
}

}  // namespace

QByteArray encode(const Request &request)
{
    QJsonObject object {{versionKey, request.version}, {commandKey, request.command}};
    if (!request.stackFile.isEmpty())
        object.insert(stackFileKey, request.stackFile);
    return line(object);
}

QByteArray encode(const Reply &reply)
{
    QJsonObject object {{versionKey, version}, {okKey, reply.ok}};
    if (!reply.error.isEmpty())
        object.insert(errorKey, reply.error);
    if (!reply.stackFile.isEmpty())
        object.insert(stackFileKey, reply.stackFile);
    return line(object);
}

std::optional<Request> decodeRequest(const QByteArray &line)
{
    const std::optional<QJsonObject> object = objectOf(line);
    if (!object || !object->value(versionKey).isDouble() || !object->value(commandKey).isString()
        || !absentOr(*object, stackFileKey, QJsonValue::String))
        return std::nullopt;
    const double number = object->value(versionKey).toDouble();
    if (number < 1 || number > 1e6 || number != int(number))
        return std::nullopt;
    Request request;
    request.version = int(number);
    request.command = object->value(commandKey).toString();
    request.stackFile = object->value(stackFileKey).toString();
    return request;
}

std::optional<Reply> decodeReply(const QByteArray &line)
{
    const std::optional<QJsonObject> object = objectOf(line);
    if (!object || !object->value(okKey).isBool() || !absentOr(*object, errorKey, QJsonValue::String)
        || !absentOr(*object, stackFileKey, QJsonValue::String))
        return std::nullopt;
    Reply reply;
    reply.ok = object->value(okKey).toBool();
    reply.error = object->value(errorKey).toString();
    reply.stackFile = object->value(stackFileKey).toString();
    return reply;
}

}  // namespace InstanceMessage
