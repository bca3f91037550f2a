#include "RegistryHive.h"

#include "TextDecoding.h"

#include <QStringList>

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

// "hex:01,02" -> REG_BINARY, "hex(2):41,00" -> 2; 0 when the text is not a hex list.
quint32 hexListType(const QString &data)
{
    if (data.startsWith(QLatin1String("hex:"), Qt::CaseInsensitive))
        return RegistryHive::RegBinary;
    if (!data.startsWith(QLatin1String("hex("), Qt::CaseInsensitive))
        return RegistryHive::RegNone;
    const qsizetype close = data.indexOf(QLatin1String("):"));
    bool ok = false;
    const uint type = close > 4 ? data.mid(4, close - 4).toUInt(&ok, 16) : 0;
    return ok ? type : RegistryHive::RegNone;
}

// The logical lines of a file: line ends removed, each line decoded (UTF-8,
// or Windows-1252 where not valid UTF-8), and a line ending in "\" joined
// with the next, as hex lists are continued.
QStringList logicalLines(const QByteArray &bytes)
{
    QStringList lines;
    QString pending;
    QByteArrayView rest = TextDecoding::withoutUtf8Bom(bytes);
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView raw = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (raw.endsWith('\r'))
            raw.chop(1);
        QString line = TextDecoding::decodeLine(raw);
        if (!pending.isEmpty())
            line = pending + line.trimmed();
        if (line.endsWith(u'\\') && !line.trimmed().startsWith(u'[')) {
            line.chop(1);
            pending = line;
            continue;
        }
        pending.clear();
        lines.append(line);
    }
    if (!pending.isEmpty())
        lines.append(pending);
    return lines;
}

} // namespace

RegistryHive::RegistryHive(const QString &rootName)
    : m_rootName(rootName)
{
}

QString RegistryHive::normalizedPath(const QString &path)
{
    return path.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

int RegistryHive::dataSize(const Value &value)
{
    switch (value.type) {
    case RegSz:
        return int(value.text.toUtf8().size()) + 1;
    case RegDword:
        return 4;
    default: {
        const qsizetype colon = value.rawData.indexOf(u':');
        const QString list = value.rawData.mid(colon + 1).trimmed();
        return list.isEmpty() ? 0 : int(list.count(u',')) + 1;
    }
    }
}

qsizetype RegistryHive::keyIndex(const QString &path) const
{
    const QString wanted = normalizedPath(path);
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i].path.compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

RegistryHive::Key *RegistryHive::findKey(const QString &path)
{
    const qsizetype index = keyIndex(path);
    return index < 0 ? nullptr : &m_keys[index];
}

const RegistryHive::Key *RegistryHive::findKey(const QString &path) const
{
    return const_cast<RegistryHive *>(this)->findKey(path);
}

bool RegistryHive::hasKey(const QString &path) const
{
    const QString wanted = normalizedPath(path);
    if (wanted.isEmpty())
        return true;  // the hive's root
    for (const Key &key : m_keys) {
        if (key.path.compare(wanted, Qt::CaseInsensitive) == 0
            || key.path.startsWith(wanted + u'\\', Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void RegistryHive::createKey(const QString &path)
{
    if (!findKey(path))
        m_keys.append(Key {normalizedPath(path), {}});
}

const RegistryHive::Value *RegistryHive::value(const QString &path, const QString &name) const
{
    const Key *key = findKey(path);
    if (!key)
        return nullptr;
    for (const Value &value : key->values) {
        if (value.name.compare(name, Qt::CaseInsensitive) == 0)
            return &value;
    }
    return nullptr;
}

bool RegistryHive::setValue(const QString &path, const Value &value)
{
    if (!hasKey(path))
        return false;
    createKey(path);  // a parent known only through its sub-keys gets its own entry
    Key *key = findKey(path);
    for (Value &existing : key->values) {
        if (existing.name.compare(value.name, Qt::CaseInsensitive) == 0) {
            const QString name = existing.name;
            existing = value;
            existing.name = name;
            return true;
        }
    }
    key->values.append(value);
    return true;
}

void RegistryHive::parseValueLine(Key &key, const QString &line)
{
    Value value;
    qsizetype pos = 0;
    if (line.startsWith(u'@'))
        pos = 1;
    else if (!line.startsWith(u'"') || !readQuoted(line, pos, &value.name))
        return;
    const QString rest = line.mid(pos).trimmed();
    if (!rest.startsWith(u'='))
        return;
    const QString data = rest.mid(1).trimmed();

    if (data.startsWith(u'"')) {
        qsizetype end = 0;
        if (!readQuoted(data, end, &value.text) || !data.mid(end).trimmed().isEmpty())
            return;
        value.type = RegSz;
    } else if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QString digits = data.mid(6).trimmed();
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8 || digits.startsWith(u'+') || digits.startsWith(u'-'))
            return;
        value.type = RegDword;
        value.number = qint32(number);
    } else if (const quint32 type = hexListType(data); type != RegNone) {
        value.type = type;
        value.rawData = data;
    } else {
        return;  // deletions ("=-") and anything unknown
    }
    for (Value &existing : key.values) {
        if (existing.name.compare(value.name, Qt::CaseInsensitive) == 0) {
            existing = value;
            return;
        }
    }
    key.values.append(value);
}

void RegistryHive::parse(const QByteArray &text)
{
    m_keys.clear();
    qsizetype current = -1;  // index of the key the following values belong to
    for (const QString &rawLine : logicalLines(text)) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            current = -1;
            if (!line.endsWith(u']') || line.startsWith(QLatin1String("[-")))
                continue;
            const QString full = line.mid(1, line.size() - 2);
            const qsizetype slash = full.indexOf(u'\\');
            const QString root = slash < 0 ? full : full.left(slash);
            if (root.compare(m_rootName, Qt::CaseInsensitive) != 0)
                continue;
            const QString path = slash < 0 ? QString() : full.mid(slash + 1);
            createKey(path);
            current = keyIndex(path);
            continue;
        }
        if (current >= 0)
            parseValueLine(m_keys[current], line);
    }
}

QByteArray RegistryHive::toText() const
{
    QString out = QStringLiteral("REGEDIT4\n");
    for (const Key &key : m_keys) {
        out += QStringLiteral("\n[") + m_rootName + (key.path.isEmpty() ? QString() : u'\\' + key.path) + QStringLiteral("]\n");
        for (const Value &value : key.values) {
            out += value.name.isEmpty() ? QStringLiteral("@") : quoted(value.name);
            out += u'=';
            if (value.type == RegSz)
                out += quoted(value.text);
            else if (value.type == RegDword)
                out += QStringLiteral("dword:%1").arg(quint32(value.number), 8, 16, QLatin1Char('0'));
            else
                out += value.rawData;
            out += u'\n';
        }
    }
    return out.toUtf8();
}
