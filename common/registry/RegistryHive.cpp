// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RegistryHive.h"

#include <QStringDecoder>
#include <QtEndian>

namespace {

// Reads a quoted text starting at pos (at the opening quote). Escapes are
// \\ and \" as in REGEDIT4, plus \n and \r; any other backslash stands for
// itself, so hand-written paths survive. Returns false when the quote is not
// closed; on success pos is just past the closing quote.
bool readQuoted(const QString &line, qsizetype &pos, QString *text)
{
    text->clear();
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"') {
            pos = i + 1;
            return true;
        }
        if (c == u'\\' && i + 1 < line.size()) {
            const QChar next = line[i + 1];
            if (next == u'\\' || next == u'"')
                *text += next, ++i;
            else if (next == u'n')
                *text += u'\n', ++i;
            else if (next == u'r')
                *text += u'\r', ++i;
            else
                *text += c;
            continue;
        }
        *text += c;
    }
    return false;
}

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'\\' || c == u'"')
            out += u'\\', out += c;
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else if (c == u'\r')
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out + u'"';
}

const QString version5Header = QStringLiteral("Windows Registry Editor Version 5.00");

// "hex:01,02" -> REG_BINARY and "01,02"; "hex(2):41,00" -> 2 and "41,00". False
// when the text is not a hex list.
bool readHexList(const QString &data, quint32 *type, QString *list)
{
    if (data.startsWith(QLatin1String("hex:"), Qt::CaseInsensitive)) {
        *type = RegistryHive::RegBinary;
        *list = data.mid(4);
        return true;
    }
    if (!data.startsWith(QLatin1String("hex("), Qt::CaseInsensitive))
        return false;
    const qsizetype close = data.indexOf(QLatin1String("):"));
    bool ok = false;
    *type = close > 4 ? data.mid(4, close - 4).toUInt(&ok, 16) : 0;
    *list = data.mid(close + 2);
    return ok;
}

// The bytes of a hex list such as "41,00, 42,00"; false when an item is not
// one or two hex digits.
bool hexBytes(const QString &list, QByteArray *bytes)
{
    bytes->clear();
    if (list.trimmed().isEmpty())
        return true;
    for (const QStringView item : QStringView(list).split(u',')) {
        const QStringView digits = item.trimmed();
        bool ok = false;
        const uint byte = digits.toUInt(&ok, 16);
        if (!ok || digits.isEmpty() || digits.size() > 2)
            return false;
        bytes->append(char(byte));
    }
    return true;
}

// A hex(1) list holds UTF-16LE text with its terminating NUL, a hex(4) list a
// little-endian 32-bit number. Either reads as its string or number; one
// that does not is left a value we do not interpret (RegNone).
void interpretHexList(RegistryHive::Value &value, const QString &list)
{
    if (value.type != RegistryHive::RegSz && value.type != RegistryHive::RegDword)
        return;
    QByteArray bytes;
    const bool ok = hexBytes(list, &bytes);
    if (ok && value.type == RegistryHive::RegDword && bytes.size() == 4) {
        value.number = qFromLittleEndian<qint32>(bytes.constData());
        return;
    }
    if (ok && value.type == RegistryHive::RegSz && bytes.size() % 2 == 0) {
        value.text = QStringDecoder(QStringConverter::Utf16LE)(bytes);
        if (value.text.endsWith(QChar(0)))
            value.text.chop(1);
        return;
    }
    value.type = RegistryHive::RegNone;
}

// A value on the file's last line may end in a backslash that continues
// nothing (a file cut off in a value): it is read as if it had continued onto
// an empty line, without that backslash.
QString withoutDanglingBackslash(const QString &data)
{
    if (!HiveText::continues(data))
        return data;
    QString meant = data.trimmed();
    meant.chop(1);
    return meant.trimmed();
}

// The value of a line "name"=data or @=data; false when the line is not one.
bool readValueLine(const QString &line, RegistryHive::Value *value)
{
    qsizetype pos = 0;
    if (line.startsWith(u'@'))
        pos = 1;
    else if (!line.startsWith(u'"') || !readQuoted(line, pos, &value->name))
        return false;
    const QString rest = line.mid(pos).trimmed();
    if (!rest.startsWith(u'='))
        return false;
    const QString found = rest.mid(1).trimmed();
    const QString data = withoutDanglingBackslash(found);

    if (data.startsWith(u'"')) {
        qsizetype end = 0;
        if (readQuoted(data, end, &value->text) && data.mid(end).trimmed().isEmpty()) {
            value->type = RegistryHive::RegSz;
            return true;
        }
    } else if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QString digits = data.mid(6).trimmed();
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (ok && digits.size() <= 8 && !digits.startsWith(u'+') && !digits.startsWith(u'-')) {
            value->type = RegistryHive::RegDword;
            value->number = qint32(number);
            return true;
        }
    }
    // Anything else is kept as it was found: hex lists, and forms we do not know.
    value->rawData = found;
    value->text.clear();
    QString list;
    if (!readHexList(data, &value->type, &list))
        value->type = RegistryHive::RegNone;
    interpretHexList(*value, list);
    return true;
}

QString folded(const QString &normalizedPathOrName)
{
    return normalizedPathOrName.toCaseFolded();
}

} // namespace

RegistryHive::RegistryHive(const QString &rootName)
    : m_rootName(rootName)
    , m_header(QStringLiteral("REGEDIT4"))
{
}

QString RegistryHive::normalizedPath(const QString &path)
{
    return path.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

bool RegistryHive::keepsRawData(const Value &value)
{
    return !value.rawData.isEmpty() || (value.type != RegSz && value.type != RegDword);
}

int RegistryHive::dataSize(const Value &value)
{
    if (keepsRawData(value)) {
        quint32 type = 0;
        QString list;
        if (!readHexList(withoutDanglingBackslash(value.rawData), &type, &list))
            return 0;
        return list.trimmed().isEmpty() ? 0 : int(list.count(u',')) + 1;
    }
    return value.type == RegSz ? int(value.text.toUtf8().size()) + 1 : 4;
}

qsizetype RegistryHive::keyIndex(const QString &path) const
{
    return m_keyIndex.value(folded(normalizedPath(path)), -1);
}

qsizetype RegistryHive::addKey(const QString &normalized)
{
    const QString foldedPath = folded(normalized);
    m_keys.append(Key {normalized, {}, {}});
    m_keyIndex.insert(foldedPath, m_keys.size() - 1);
    // Its parents exist through it; once a parent is known, so are its own.
    for (qsizetype slash = foldedPath.lastIndexOf(u'\\'); slash > 0; slash = foldedPath.lastIndexOf(u'\\', slash - 1)) {
        const QString parent = foldedPath.left(slash);
        if (m_parents.contains(parent))
            break;
        m_parents.insert(parent);
    }
    return m_keys.size() - 1;
}

RegistryHive::Key *RegistryHive::findKey(const QString &path)
{
    const qsizetype index = keyIndex(path);
    return index < 0 ? nullptr : &m_keys[index];
}

const RegistryHive::Key *RegistryHive::findKey(const QString &path) const
{
    const qsizetype index = keyIndex(path);
    return index < 0 ? nullptr : &m_keys[index];
}

bool RegistryHive::hasKey(const QString &path) const
{
    const QString wanted = folded(normalizedPath(path));
    return wanted.isEmpty()  // the hive's root
        || m_keyIndex.contains(wanted) || m_parents.contains(wanted);
}

void RegistryHive::createKey(const QString &path)
{
    if (keyIndex(path) < 0)
        addKey(normalizedPath(path));
}

const RegistryHive::Value *RegistryHive::value(const QString &path, const QString &name) const
{
    const Key *key = findKey(path);
    if (!key)
        return nullptr;
    const qsizetype index = key->valueIndex.value(folded(name), -1);
    return index < 0 ? nullptr : &key->values[index];
}

// Stores a value under a key, replacing one of the same name, whose spelling stays.
void RegistryHive::storeValue(Key &key, const Value &value)
{
    const QString foldedName = folded(value.name);
    const qsizetype index = key.valueIndex.value(foldedName, -1);
    if (index < 0) {
        key.valueIndex.insert(foldedName, key.values.size());
        key.values.append(value);
        return;
    }
    const QString name = key.values[index].name;
    key.values[index] = value;
    key.values[index].name = name;
}

bool RegistryHive::setValue(const QString &path, const Value &value)
{
    if (!hasKey(path))
        return false;
    qsizetype index = keyIndex(path);
    if (index < 0)
        index = addKey(normalizedPath(path));  // a parent known only through its sub-keys gets its own entry
    storeValue(m_keys[index], value);
    return true;
}

void RegistryHive::parseLine(const QString &rawLine, qsizetype *current)
{
    const QString line = rawLine.trimmed();
    if (line.isEmpty() || line.startsWith(u';'))
        return;
    if (line.startsWith(u'[')) {
        *current = -1;
        if (!line.endsWith(u']') || line.startsWith(QLatin1String("[-")))
            return;
        const QString full = line.mid(1, line.size() - 2);
        const qsizetype slash = full.indexOf(u'\\');
        const QString root = slash < 0 ? full : full.left(slash);
        if (root.compare(m_rootName, Qt::CaseInsensitive) != 0)
            return;
        const QString path = normalizedPath(slash < 0 ? QString() : full.mid(slash + 1));
        *current = keyIndex(path);
        if (*current < 0)
            *current = addKey(path);
        return;
    }
    Value value;
    if (*current >= 0 && readValueLine(line, &value))
        storeValue(m_keys[*current], value);
}

void RegistryHive::parse(const QByteArray &text)
{
    m_keys.clear();
    m_keyIndex.clear();
    m_parents.clear();
    m_encoding = HiveText::detectEncoding(text);
    const QStringList lines = HiveText::logicalLines(text, m_encoding);
    m_header = QStringLiteral("REGEDIT4");
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        if (line.trimmed() == version5Header)
            m_header = version5Header;
        break;
    }
    qsizetype current = -1;  // index of the key the following values belong to
    for (const QString &line : lines)
        parseLine(line, &current);
}

QString RegistryHive::keyLine(const Key &key) const
{
    return u'[' + m_rootName + (key.path.isEmpty() ? QString() : u'\\' + key.path) + u']';
}

QString RegistryHive::valueLine(const Value &value)
{
    QString line = value.name.isEmpty() ? QStringLiteral("@") : quoted(value.name);
    line += u'=';
    if (keepsRawData(value))
        line += value.rawData;
    else if (value.type == RegSz)
        line += quoted(value.text);
    else
        line += QStringLiteral("dword:%1").arg(quint32(value.number), 8, 16, QLatin1Char('0'));
    return line + u'\n';
}

QByteArray RegistryHive::toText() const
{
    // A kept value that ends in a backslash would take the next line into it
    // when read again: it is written last, under its key's line once more
    // when other lines came after it. Only the file's last line can be such a
    // value; any other is written without that backslash.
    const Key *lastKey = nullptr;
    const Value *last = nullptr;
    for (const Key &key : m_keys) {
        for (const Value &value : key.values) {
            if (keepsRawData(value) && HiveText::continues(value.rawData))
                lastKey = &key, last = &value;
        }
    }
    QString out = m_header + u'\n';
    bool lastKeyIsOpen = false;  // the lines written last belong to lastKey
    for (const Key &key : m_keys) {
        out += u'\n' + keyLine(key) + u'\n';
        lastKeyIsOpen = &key == lastKey;
        for (const Value &value : key.values) {
            if (&value == last)
                continue;
            if (keepsRawData(value) && HiveText::continues(value.rawData)) {
                Value cut = value;
                while (HiveText::continues(cut.rawData))
                    cut.rawData = withoutDanglingBackslash(cut.rawData);
                out += valueLine(cut);
            } else {
                out += valueLine(value);
            }
        }
    }
    if (last) {
        if (!lastKeyIsOpen)
            out += u'\n' + keyLine(*lastKey) + u'\n';
        out += valueLine(*last);
    }
    return HiveText::encode(out, m_encoding);
}
