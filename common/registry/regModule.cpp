// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "regModule.h"

#include "Registry.h"

namespace regModule {

long openKey(quint32 hive, const QString &path, KeyHandle *key)
{
    *key = KeyHandle {};
    RegistryHive contents(Registry::rootName(hive));
    if (!Registry::readHive(hive, &contents))
        return Registry::isRoot(hive) ? ERROR_ACCESS_DENIED : ERROR_INVALID_HANDLE;
    if (!contents.hasKey(path))
        return ERROR_FILE_NOT_FOUND;
    *key = KeyHandle {hive, RegistryHive::normalizedPath(path)};
    return ERROR_SUCCESS;
}

long setValueEx(const KeyHandle &key, const QString &valueName, quint32 valueType, const QVariant &value)
{
    RegistryHive::Value stored;
    stored.name = valueName;
    stored.type = valueType;
    if (valueType == REG_SZ) {
        stored.text = value.toString();
    } else if (valueType == REG_DWORD) {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (!ok || number < -0x80000000LL || number > 0xFFFFFFFFLL)
            return ERROR_INVALID_PARAMETER;
        stored.number = qint32(quint32(number));
    } else {
        return ERROR_SUCCESS;
    }
    if (!key.isValid())
        return ERROR_INVALID_HANDLE;
    long status = ERROR_SUCCESS;
    const bool written = Registry::changeHive(key.hive, [&](RegistryHive &hive) {
        if (!hive.setValue(key.path, stored)) {
            status = ERROR_FILE_NOT_FOUND;  // the key went away
            return false;
        }
        return true;
    });
    return written ? status : ERROR_ACCESS_DENIED;
}

long queryValueEx(const KeyHandle &key, const QString &valueName, QVariant &value)
{
    if (!key.isValid())
        return ERROR_INVALID_HANDLE;
    RegistryHive contents(Registry::rootName(key.hive));
    if (!Registry::readHive(key.hive, &contents))
        return ERROR_ACCESS_DENIED;
    const RegistryHive::Value *stored = contents.value(key.path, valueName);
    if (!stored)
        return ERROR_FILE_NOT_FOUND;
    if (stored->type == REG_SZ) {
        value = stored->text;
        return ERROR_SUCCESS;
    }
    if (stored->type == REG_DWORD) {
        value = stored->number;
        return ERROR_SUCCESS;
    }
    return -1;
}

void createNewKey(const QString &keyPath, quint32 hive)
{
    Registry::changeHive(hive, [&](RegistryHive &contents) {
        if (contents.hasKey(keyPath))
            return false;  // nothing to write
        contents.createKey(keyPath);
        return true;
    });
}

long setKeyValue(const QString &keyPath, const QString &valueName, const QVariant &value, quint32 valueType)
{
    KeyHandle key;
    const long status = openKey(Registry::HKEY_CURRENT_USER, keyPath, &key);
    if (status != ERROR_SUCCESS)
        return status;
    return setValueEx(key, valueName, valueType, value);
}

QString queryValue(const QString &keyPath, const QString &valueName)
{
    KeyHandle key;
    if (openKey(Registry::HKEY_CURRENT_USER, keyPath, &key) != ERROR_SUCCESS)
        return QString();
    QVariant value;
    if (queryValueEx(key, valueName, value) != ERROR_SUCCESS)
        return QString();
    return value.toString();
}

} // namespace regModule
