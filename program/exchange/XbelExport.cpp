// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelExport.h"

#include "DayCount.h"
#include "LocalDays.h"
#include "URLBlock.h"
#include "XbelNames.h"

#include <QIODevice>
#include <QXmlStreamWriter>
#include <QtEndian>
#include <vector>

namespace {

// What QXmlStreamWriter writes, gathered as text (a writer into a QString
// appends to it directly, where one into a device encodes and writes each
// small piece) and handed on to the file as UTF-8 in pieces of about a
// mebibyte.
class PieceText
{
public:
    explicit PieceText(const FileIO::PieceWriter &write)
        : m_write(write)
    {
        m_text.reserve(pieceCharacters + 4096);
    }
    QString *text() { return &m_text; }
    // Hands the text on when it is long enough (always, with all).
    void pass(bool all = false)
    {
        if (m_text.size() < pieceCharacters && !all)
            return;
        if (!m_text.isEmpty())
            m_ok = m_ok && m_write(m_text.toUtf8());
        m_text.resize(0);
    }
    bool ok() const { return m_ok; }

private:
    static constexpr qsizetype pieceCharacters = qsizetype(1) << 19;
    const FileIO::PieceWriter &m_write;
    QString m_text;
    bool m_ok = true;
};

// How many characters at i XML holds as they are (a surrogate pair is two);
// 0 for a control character (a line end would come back as another), a
// lone surrogate or a non-character U+FFFE/FFFF.
qsizetype heldAt(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c))
        return i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()) ? 2 : 0;
    return c < 0x20 || c == 0xFFFE || c == 0xFFFF || QChar::isLowSurrogate(c) ? 0 : 1;
}

bool xmlHolds(QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype held = heldAt(text, i);
        if (held == 0)
            return false;
        i += held;
    }
    return true;
}

// The text as XML holds it: each character it cannot hold becomes a blank.
QString shown(const QString &text)
{
    if (xmlHolds(text))
        return text;
    QString out = text;
    for (qsizetype i = 0; i < out.size();) {
        const qsizetype held = heldAt(out, i);
        if (held == 0)
            out[i] = u' ';
        i += qMax<qsizetype>(held, 1);
    }
    return out;
}

QString exactText(const QString &text)
{
    QByteArray units(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text[i].unicode(), units.data() + 2 * i);
    return QString::fromLatin1(units.toBase64());
}

class Writer
{
public:
    explicit Writer(QString *text)
        : m_xml(text)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(1);
    }

    void begin()
    {
        m_xml.writeDTD(QStringLiteral("<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange "
                                      "Language 1.0//EN//XML\" \"http://www.python.org/topics/xml/dtds/xbel-1.0.dtd\">"));
        m_xml.writeStartElement(XbelNames::xbel);
        m_xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    }
    void end() { m_xml.writeEndDocument(); }

    void beginFolder(const QString &name)
    {
        m_xml.writeStartElement(XbelNames::folder);
        m_xml.writeTextElement(XbelNames::title, shown(name));
        if (!xmlHolds(name)) {
            beginMetadata();
            m_xml.writeTextElement(XbelNames::title, exactText(name));
            endMetadata();
        }
    }
    void endFolder() { m_xml.writeEndElement(); }

    void bookmark(const URLData &entry)
    {
        m_xml.writeStartElement(XbelNames::bookmark);
        m_xml.writeAttribute(XbelNames::href, shown(entry.url));
        writeDate(XbelNames::added, entry.Created);
        writeDate(XbelNames::visited, entry.LastAccesed);
        m_xml.writeTextElement(XbelNames::title, shown(entry.Name));
        const bool exactTitle = !xmlHolds(entry.Name);
        const bool exactUrl = !xmlHolds(entry.url);
        if (entry.Visited != 0 || entry.Rated != 0 || entry.Catagory != 0 || exactTitle || exactUrl) {
            beginMetadata();
            writeNumber(XbelNames::visits, entry.Visited);
            writeNumber(XbelNames::rating, entry.Rated);
            writeNumber(XbelNames::category, entry.Catagory);
            if (exactTitle)
                m_xml.writeTextElement(XbelNames::title, exactText(entry.Name));
            if (exactUrl)
                m_xml.writeTextElement(XbelNames::href, exactText(entry.url));
            endMetadata();
        }
        m_xml.writeEndElement();
    }

private:
    void beginMetadata()
    {
        m_xml.writeStartElement(XbelNames::info);
        m_xml.writeStartElement(XbelNames::metadata);
        m_xml.writeAttribute(XbelNames::ownerAttribute, XbelNames::owner);
    }
    void endMetadata()
    {
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }
    void writeNumber(const QString &name, qint64 value)
    {
        if (value != 0)
            m_xml.writeTextElement(name, QString::number(value));
    }
    void writeDate(const QString &name, double dayCount)
    {
        if (dayCount == 0)
            return;
        std::optional<qint64> ms = m_days.msSinceEpoch(dayCount);
        if (!ms) {
            // A local time that a change of the clocks skips: as the date converts alone.
            const QDateTime alone = DayCount::toDateTimeMs(dayCount);
            if (!alone.isValid())
                return;
            ms = alone.toMSecsSinceEpoch();
        }
        m_xml.writeAttribute(name, QDateTime::fromMSecsSinceEpoch(*ms, Qt::UTC).toString(Qt::ISODateWithMs));
    }

    QXmlStreamWriter m_xml;
    LocalDays m_days;
};

}  // namespace

namespace XbelExport {

bool writeStore(const URLBlock &store, const FileIO::PieceWriter &write)
{
    const GroupTable &groups = store.IDXList();
    std::vector<std::vector<const URLData *>> members(size_t(groups.groupCount()));
    PieceText text(write);
    // A writer into a QString names no encoding: the file's is UTF-8.
    text.text()->append(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    Writer writer(text.text());
    writer.begin();
    for (const URLData &entry : store.urlDatas()) {
        if (groups.isGroup(entry.Owner))
            members[size_t(entry.Owner)].push_back(&entry);
        else
            writer.bookmark(entry);
        text.pass();
    }
    for (int group = 0; group < groups.groupCount(); ++group) {
        writer.beginFolder(groups.at(group).name);
        for (const URLData *entry : members[size_t(group)]) {
            writer.bookmark(*entry);
            text.pass();
        }
        writer.endFolder();
    }
    writer.end();
    text.pass(true);
    return text.ok();
}

bool saveStore(const URLBlock &store, const QString &path, QString *error)
{
    bool written = true;
    const bool saved = FileIO::saveFile(
        path, [&](const FileIO::PieceWriter &write) { written = writeStore(store, write); }, error);
    return saved && written;
}

}  // namespace XbelExport
