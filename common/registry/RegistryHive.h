#pragma once

#include <QByteArray>
#include <QList>
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
// are held with their types; values of other types (hex:..., hex(N):...) are
// kept as their text and written back untouched.
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
        QString text;         // REG_SZ: the string
        qint32 number = 0;    // REG_DWORD: the number
        QString rawData;      // other types: the text after "=", as found in the file
    };

    struct Key
    {
        QString path;  // below the hive's root, without leading or trailing "\"
        QList<Value> values;
    };

    explicit RegistryHive(const QString &rootName);

    QString rootName() const { return m_rootName; }

    // Replaces the contents with those of a REGEDIT4 text. Lines that do not
    // parse are skipped; keys of another root are left out.
    void parse(const QByteArray &text);
    QByteArray toText() const;

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
    // their terminating NUL, 4 for a number, the bytes of a hex list.
    static int dataSize(const Value &value);

private:
    qsizetype keyIndex(const QString &path) const;
    Key *findKey(const QString &path);
    const Key *findKey(const QString &path) const;
    void parseValueLine(Key &key, const QString &line);

    QString m_rootName;
    QList<Key> m_keys;
};
