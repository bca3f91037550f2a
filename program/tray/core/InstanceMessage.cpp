// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InstanceMessage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace InstanceMessage {

namespace {

const QString versionKey = QStringLiteral("version");
const QString commandKey = QStringLiteral("command");
const QString stackFileKey = QStringLiteral("stackFile");
const QString argumentsKey = QStringLiteral("arguments");
const QString okKey = QStringLiteral("ok");
const QString errorKey = QStringLiteral("error");
const QString statusKey = QStringLiteral("status");
const QString outKey = QStringLiteral("out");
const QString errKey = QStringLiteral("err");

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

// A whole number in [least, most]; nothing for any other value.
std::optional<int> wholeNumber(const QJsonValue &value, double least, double most)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number < least || number > most || number != int(number))
        return std::nullopt;
    return int(number);
}

std::optional<QStringList> strings(const QJsonValue &value)
{
    if (value.isUndefined())
        return QStringList();
    if (!value.isArray())
        return std::nullopt;
    QStringList texts;
    for (const QJsonValue &item : value.toArray()) {
        if (!item.isString())
            return std::nullopt;
        texts << item.toString();
    }
    return texts;
}

void appendOutput(QByteArray &lines, const QString &key, const QByteArray &bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += outputPieceBytes)
        lines += line({{key, QString::fromLatin1(bytes.mid(at, outputPieceBytes).toBase64())}});
}

}  // namespace

QByteArray encode(const Request &request)
{
    QJsonObject object {{versionKey, request.version}, {commandKey, request.command}};
    if (!request.stackFile.isEmpty())
        object.insert(stackFileKey, request.stackFile);
    if (!request.arguments.isEmpty())
        object.insert(argumentsKey, QJsonArray::fromStringList(request.arguments));
    return line(object);
}

QByteArray encode(const Reply &reply)
{
    QByteArray lines;
    appendOutput(lines, outKey, reply.out);
    appendOutput(lines, errKey, reply.err);
    QJsonObject object {{versionKey, version}, {okKey, reply.ok}};
    if (!reply.error.isEmpty())
        object.insert(errorKey, reply.error);
    if (!reply.stackFile.isEmpty())
        object.insert(stackFileKey, reply.stackFile);
    if (reply.status)
        object.insert(statusKey, *reply.status);
    return lines + line(object);
}

std::optional<Request> decodeRequest(const QByteArray &line)
{
    const std::optional<QJsonObject> object = objectOf(line);
    if (!object || !object->value(commandKey).isString() || !absentOr(*object, stackFileKey, QJsonValue::String))
        return std::nullopt;
    const std::optional<int> number = wholeNumber(object->value(versionKey), 1, 1e6);
    const std::optional<QStringList> arguments = strings(object->value(argumentsKey));
    if (!number || !arguments)
        return std::nullopt;
    Request request;
    request.version = *number;
    request.command = object->value(commandKey).toString();
    request.stackFile = object->value(stackFileKey).toString();
    request.arguments = *arguments;
    return request;
}

std::optional<Reply> decodeReply(const QByteArray &line)
{
    const std::optional<QJsonObject> object = objectOf(line);
    if (!object || !object->value(okKey).isBool() || !absentOr(*object, errorKey, QJsonValue::String)
        || !absentOr(*object, stackFileKey, QJsonValue::String))
        return std::nullopt;
    Reply reply;
    if (object->contains(statusKey)) {
        reply.status = wholeNumber(object->value(statusKey), 0, 255);
        if (!reply.status)
            return std::nullopt;
    }
    reply.ok = object->value(okKey).toBool();
    reply.error = object->value(errorKey).toString();
    reply.stackFile = object->value(stackFileKey).toString();
    return reply;
}

std::optional<Output> decodeOutput(const QByteArray &line)
{
    const std::optional<QJsonObject> object = objectOf(line);
    if (!object || object->contains(okKey) || object->contains(outKey) == object->contains(errKey))
        return std::nullopt;
    Output output;
    output.toError = object->contains(errKey);
    const QJsonValue value = object->value(output.toError ? errKey : outKey);
    if (!value.isString())
        return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(value.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    output.bytes = *decoded;
    return output;
}

}  // namespace InstanceMessage
