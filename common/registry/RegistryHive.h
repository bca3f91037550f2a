// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "HiveText.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>

// One registry hive in memory, read from and written to a REGEDIT4 text file:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\SOFTWARE\Orvane\Tessaly]
//   "CF"="0 0 0 0 1 1 -1 0 0 0 0 0 0 "
//   "Count"=dword:0000000a
//   @="the key's default value"
//
// Key paths and value names compare without regard to case, as on Windows,
// and keep the case they were first written with. REG_SZ and REG_DWORD values
// are held with their types; a value in any other form (hex:..., hex(N):...,
// or text we do not understand) is kept as its text and written back exactly
// so, until it is replaced; one that ends the file in a backslash (a file cut
// off in a value) stays the file's last line, so that the backslash joins
// nothing to it. A file saved by the Windows registry editor
// ("Windows Registry Editor Version 5.00", UTF-16LE) keeps that header and
// encoding when written back (see HiveText).
class RegistryHive
{
public:
    enum ValueType : quint32 {
        RegNone = 0,
        RegSz = 1,
        RegExpandSz = 2,
        RegBinary = 3,
        RegDword = 4,
        RegMultiSz = 7,
    };

    struct Value
    {
        QString name;         // "" for the key's default value
        quint32 type = RegSz;
        QString text;         // REG_SZ: the string (also read from a hex(1) list)
        qint32 number = 0;    // REG_DWORD: the number (also read from a hex(4) list)
        // A value read in another form than "text" or dword:NNNNNNNN: the text
        // after "=" as found in the file (continued lines joined), written back
        // as it is. Its type is the hex list's, or RegNone for a form we do not
        // know or a hex(1)/hex(4) list that does not read as text or number.
        QString rawData;
    };

    struct Key
    {
        QString path;  // below the hive's root, without leading or trailing "\"
        QList<Value> values;
        QHash<QString, qsizetype> valueIndex;  // case-folded name -> position in values
    };

    explicit RegistryHive(const QString &rootName);

    QString rootName() const { return m_rootName; }

    // Replaces the contents with those of a REGEDIT4 text. Lines that do not
    // parse are skipped; keys of another root are left out.
    void parse(const QByteArray &text);
    QByteArray toText() const;

    // Whether toText writes the value's rawData (a value read in a form we keep as it is).
    static bool keepsRawData(const Value &value);

    bool hasKey(const QString &path) const;
    // Creates the key (and, implicitly, its parents); nothing when it exists.
    void createKey(const QString &path);

    const Value *value(const QString &path, const QString &name) const;
    // Stores a value under an existing key; false when the key does not exist.
    bool setValue(const QString &path, const Value &value);

    const QList<Key> &keys() const { return m_keys; }

    // "SOFTWARE\\Orvane\\Tessaly\\" -> "SOFTWARE\\Orvane\\Tessaly".
    static QString normalizedPath(const QString &path);
    // The data size the value has in the registry: a string's bytes with
    // their terminating NUL, 4 for a number, the bytes of a hex list (0 for
    // a form we do not know).
    static int dataSize(const Value &value);

private:
    qsizetype keyIndex(const QString &path) const;
    qsizetype addKey(const QString &normalized);
    Key *findKey(const QString &path);
    const Key *findKey(const QString &path) const;
    void parseLine(const QString &line, qsizetype *current);
    static void storeValue(Key &key, const Value &value);
    QString keyLine(const Key &key) const;
    static QString valueLine(const Value &value);

    QString m_rootName;
    QString m_header;
    HiveText::Encoding m_encoding = HiveText::Encoding::Utf8;
    QList<Key> m_keys;
    QHash<QString, qsizetype> m_keyIndex;  // case-folded path -> position in m_keys
    QSet<QString> m_parents;               // case-folded paths of the keys' parents, grandparents...
};
