#include "UrlFileReader.h"

#include "TextDecoding.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

namespace {

// Shortcut files are a few hundred bytes; more is not a shortcut's.
constexpr qint64 maxShortcutBytes = qint64(1) << 20;

QStringList linesOf(QByteArrayView bytes)
{
    const auto utf16 = [&](QStringDecoder::Encoding encoding) {
        QStringDecoder decoder(encoding);
        return QString(decoder(bytes.sliced(2)));
    };
    QString text;
    if (bytes.startsWith("\xff\xfe"))
        text = utf16(QStringDecoder::Utf16LE);
    else if (bytes.startsWith("\xfe\xff"))
        text = utf16(QStringDecoder::Utf16BE);
    if (!text.isNull())
        return text.split(u'\n');
    QStringList lines;
    QByteArrayView rest = TextDecoding::withoutUtf8Bom(bytes);
    while (!rest.isEmpty()) {
        const qsizetype newline = rest.indexOf('\n');
        lines << TextDecoding::decodeLine(newline < 0 ? rest : rest.first(newline));
        rest = newline < 0 ? QByteArrayView() : rest.sliced(newline + 1);
    }
    return lines;
}

}  // namespace

namespace UrlFileReader {

QString urlOfShortcut(QByteArrayView bytes)
{
    bool inShortcut = false;
    for (const QString &line : linesOf(bytes)) {
        const QStringView text = QStringView(line).trimmed();
        if (text.startsWith(u'[')) {
            const qsizetype close = text.indexOf(u']');
            const QStringView section = text.sliced(1, (close < 0 ? text.size() : close) - 1).trimmed();
            inShortcut = section.compare(u"InternetShortcut", Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = text.indexOf(u'=');
        if (inShortcut && equals > 0
            && text.first(equals).trimmed().compare(u"URL", Qt::CaseInsensitive) == 0)
            return text.sliced(equals + 1).trimmed().toString();
    }
    return QString();
}

QString readUrlFile(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile())
        return QString();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return urlOfShortcut(file.read(maxShortcutBytes));
}

}  // namespace UrlFileReader
