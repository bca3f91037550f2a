// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HiveText.h"

#include "TextDecoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace HiveText {

namespace {

bool isAsciiUnit(const QByteArray &bytes, qsizetype at)
{
    return bytes.size() >= at + 2 && bytes[at] != 0 && uchar(bytes[at]) < 0x80 && bytes[at + 1] == 0;
}

bool hasUtf16Bom(const QByteArray &bytes)
{
    return bytes.startsWith("\xff\xfe");
}

// The lines of a UTF-8 file, each decoded on its own (see TextDecoding).
QStringList utf8Lines(const QByteArray &bytes)
{
    QStringList lines;
    QByteArrayView rest = TextDecoding::withoutUtf8Bom(bytes);
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView raw = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (raw.endsWith('\r'))
            raw.chop(1);
        lines.append(TextDecoding::decodeLine(raw));
    }
    return lines;
}

QStringList utf16Lines(const QByteArray &bytes)
{
    const qsizetype start = hasUtf16Bom(bytes) ? 2 : 0;
    QStringDecoder decoder(QStringConverter::Utf16LE);
    const QString text = decoder(QByteArrayView(bytes).sliced(start));
    QStringList lines;
    QStringView rest = text;
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf(u'\n');
        QStringView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QStringView() : rest.sliced(end + 1);
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines.append(line.toString());
    }
    return lines;
}

// Where the continuation backslash of a line is: its last character that is
// not a blank, when that is "\"; -1 otherwise.
qsizetype continuationAt(const QString &line)
{
    qsizetype last = line.size() - 1;
    while (last >= 0 && line[last].isSpace())
        --last;
    return last >= 0 && line[last] == u'\\' ? last : -1;
}

bool mayContinue(const QString &line)
{
    const QString start = line.trimmed();
    return !start.startsWith(u'[') && !start.startsWith(u';');
}

}  // namespace

Encoding detectEncoding(const QByteArray &bytes)
{
    if (hasUtf16Bom(bytes))
        return isAsciiUnit(bytes, 2) ? Encoding::Utf16Le : Encoding::Utf8;
    return isAsciiUnit(bytes, 0) && isAsciiUnit(bytes, 2) ? Encoding::Utf16Le : Encoding::Utf8;
}

QStringList logicalLines(const QByteArray &bytes, Encoding encoding)
{
    const QStringList physical = encoding == Encoding::Utf16Le ? utf16Lines(bytes) : utf8Lines(bytes);
    QStringList lines;
    QString pending;  // a continued line, grown in place
    qsizetype backslash = -1;  // where pending's continuation backslash is, when it has one
    for (const QString &line : physical) {
        if (backslash >= 0) {
            pending.truncate(backslash);
            pending += QStringView(line).trimmed();
        } else {
            pending = line;
            if (!mayContinue(pending)) {
                lines.append(pending);
                continue;
            }
        }
        backslash = continuationAt(pending);
        if (backslash < 0)
            lines.append(pending);
    }
    // The file's last line continues nothing: its backslash stays.
    if (backslash >= 0)
        lines.append(pending);
    return lines;
}

bool continues(const QString &line)
{
    return continuationAt(line) >= 0;
}

QByteArray encode(const QString &text, Encoding encoding)
{
    if (encoding == Encoding::Utf8)
        return text.toUtf8();
    QString windowsText = text;
    windowsText.replace(u'\n', QLatin1String("\r\n"));
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder(windowsText);
}

}  // namespace HiveText
