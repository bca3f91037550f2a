// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The XBEL of a store as QXmlStreamWriter writes it: the reference that
// XbelExport's own writer must match byte for byte. Folders, bookmarks and
// metadata as XbelNames describes them; a character that XML cannot hold
// becomes a blank, with the exact text in the metadata.
#pragma once

#include "DayCount.h"
#include "LocalDays.h"
#include "URLBlock.h"
#include "XbelNames.h"

#include <QXmlStreamWriter>
#include <QtEndian>
#include <vector>

namespace XbelReference {

// How many characters at i XML holds as they are (a surrogate pair is two);
// 0 for a control character, a lone surrogate or U+FFFE/FFFF.
inline qsizetype heldAt(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c))
        return i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()) ? 2 : 0;
    return c < 0x20 || c == 0xFFFE || c == 0xFFFF || QChar::isLowSurrogate(c) ? 0 : 1;
}

inline bool xmlHolds(QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype held = heldAt(text, i);
        if (held == 0)
            return false;
        i += held;
    }
    return true;
}

inline QString shown(const QString &text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size();) {
        const qsizetype held = heldAt(out, i);
        if (held == 0)
            out[i] = u' ';
        i += qMax<qsizetype>(held, 1);
    }
    return out;
}

inline QString exactText(const QString &text)
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
        m_xml.writeDTD(QStringLiteral(
            "<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange "
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

// The entries of no group first, then each group as a folder of its entries.
inline QByteArray xbelOf(const URLBlock &store)
{
    const GroupTable &groups = store.IDXList();
    std::vector<std::vector<const URLData *>> members(size_t(groups.groupCount()));
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    Writer writer(&text);
    for (const URLData &entry : store.urlDatas()) {
        if (groups.isGroup(entry.Owner))
            members[size_t(entry.Owner)].push_back(&entry);
        else
            writer.bookmark(entry);
    }
    for (int group = 0; group < groups.groupCount(); ++group) {
        writer.beginFolder(groups.at(group).name);
        for (const URLData *entry : members[size_t(group)])
            writer.bookmark(*entry);
        writer.endFolder();
    }
    writer.end();
    return text.toUtf8();
}

}  // namespace XbelReference
