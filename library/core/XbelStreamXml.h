// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BookmarkEntry.h"
#include "XbelElements.h"
#include "XbelValues.h"

#include <QIODevice>
#include <QXmlStreamReader>
#include <optional>

namespace XbelParsing {

// The file as QXmlStreamReader reads it: the authority on what is well-formed, and its error texts.
class StreamXml
{
public:
    explicit StreamXml(QIODevice &device)
        : m_xml(&device)
    { }
    Token next()
    {
        if (m_xml.atEnd())
            return Token::Finished;
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            return Token::Start;
        case QXmlStreamReader::EndElement:
            return Token::End;
        default:
            return Token::Other;
        }
    }
    Element element() const { return elementOf(m_xml.name()); }
    QString nameText() const { return m_xml.name().toString(); }
    bool inNoNamespace() const { return m_xml.namespaceUri().isEmpty(); }
    QString attribute(const char *name) const { return m_xml.attributes().value(QLatin1StringView(name)).toString(); }
    std::optional<qint64> dateAttribute(const char *name) const
    {
        return BookmarkEntry::msOf(XbelValues::dateOf(m_xml.attributes().value(QLatin1StringView(name))));
    }
    bool attributeIs(const char *name, const QString &value) const
    {
        return m_xml.attributes().value(QLatin1StringView(name)) == value;
    }
    void readElementText(QString *text) { *text = m_xml.readElementText(QXmlStreamReader::IncludeChildElements); }
    qint64 position() const { return m_xml.device()->pos(); }
    qint64 lineNumber() const { return m_xml.lineNumber(); }
    QString failure(bool sawRoot) const
    {
        if (!m_xml.hasError())
            return QString();
        // Qt's texts end in a full stop; the message goes on after them.
        QString reason = m_xml.errorString();
        if (reason.endsWith(u'.'))
            reason.chop(1);
        if (!sawRoot)
            return QStringLiteral("not an XBEL file (%1)").arg(reason);
        return QStringLiteral("line %1: %2").arg(m_xml.lineNumber()).arg(reason);
    }

private:
    QXmlStreamReader m_xml;
};

}  // namespace XbelParsing
