// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BookmarkEntry.h"
#include "FastXmlReader.h"
#include "XbelElements.h"
#include "XbelReader.h"
#include "XbelValues.h"

#include <optional>

namespace XbelParsing {

// The file in memory as FastXmlReader reads it; any failure is its declining.
class FastXml
{
public:
    explicit FastXml(QByteArrayView data)
        : m_xml(data, XbelReader::maxDepth)
    { }
    explicit FastXml(FastXmlReader &&reader)
        : m_xml(std::move(reader))
    { }
    Token next()
    {
        switch (m_xml.readNext()) {
        case FastXmlReader::StartElement:
            return Token::Start;
        case FastXmlReader::EndElement:
            return Token::End;
        case FastXmlReader::EndOfDocument:
            return Token::Finished;
        case FastXmlReader::Declined:
            break;
        }
        m_declined = true;
        return Token::Finished;
    }
    Element element() const { return elementOf(m_xml.name()); }
    QString nameText() const { return QString::fromLatin1(m_xml.name()); }
    // Default namespaces are declined: an element is in none when its name has no prefix.
    bool inNoNamespace() const { return !m_xml.hasPrefix(); }
    QString attribute(const char *name) const { return m_xml.attribute(name); }
    bool attributeIs(const char *name, const QString &value) const
    {
        QByteArrayView bytes;
        if (m_xml.plainAttribute(name, &bytes) && bytes.size() == value.size())
            return QLatin1StringView(bytes.data(), bytes.size()) == value;  // of ASCII, the value's one unit a byte
        return m_xml.attribute(name) == value;
    }
    std::optional<qint64> dateAttribute(const char *name) const
    {
        QByteArrayView bytes;
        if (m_xml.plainAttribute(name, &bytes)) {
            if (const std::optional<qint64> utc = XbelValues::utcMsOf(bytes))
                return utc;
        }
        return BookmarkEntry::msOf(XbelValues::dateOf(m_xml.attribute(name)));
    }
    void readElementText(QString *text) { m_declined = m_declined || !m_xml.readElementText(text); }
    qint64 position() const { return m_xml.position(); }
    qint64 tokenStart() const { return m_xml.tokenStart(); }
    bool canResume() const { return m_xml.canResume(); }
    FastXmlReader resumedAt(qint64 offset) const { return m_xml.resumedAt(offset); }
    qint64 lineNumber() const { return 0; }
    QString failure(bool) const { return m_declined ? QStringLiteral("declined") : QString(); }

private:
    FastXmlReader m_xml;
    bool m_declined = false;
};

}  // namespace XbelParsing
