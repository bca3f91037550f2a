// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "XmlText.h"

#include <QByteArrayView>
#include <QString>
#include <cstring>
#include <vector>

// A pull reader of XML in memory for the simple and common form of a file:
// UTF-8 (a BOM, no declaration or one naming UTF-8), comments, processing
// instructions, a DOCTYPE without an internal subset, elements with their
// attributes, the five predefined entities, character references and CDATA,
// with prefixes that are declared. It scans bytes and checks each thing it
// accepts as completely as QXmlStreamReader does; anything else (another
// encoding, an internal subset, a name beyond ASCII, a default namespace,
// anything malformed) makes it decline, and the caller reads the file with
// QXmlStreamReader instead. It never accepts a file QXmlStreamReader refuses,
// and gives the same names, attribute values and texts (line ends and
// blanks in attribute values made as XML makes them).
class FastXmlReader
{
public:
    enum Token { StartElement, EndElement, EndOfDocument, Declined };

    FastXmlReader(QByteArrayView data, int maxDepth);

    // The next element's start or end; text, comments and instructions
    // between them are checked and passed over.
    Token readNext();
    // The local name (without its prefix) of the element just started or ended.
    QByteArrayView name() const { return m_name; }
    bool hasPrefix() const { return m_hasPrefix; }
    // The value of the attribute of this qualified name of the element just
    // started; empty when it has none.
    QString attribute(QByteArrayView qualifiedName) const;
    // The bytes of the attribute's value when they are its text as they are
    // (no reference, no blank but the space); false otherwise.
    bool plainAttribute(QByteArrayView qualifiedName, QByteArrayView *value) const;
    // Of the element just started, the text of its content and of every
    // element inside it, read up to its end; false when the reader declines.
    bool readElementText(QString *text);
    qint64 position() const { return m_p - m_begin; }
    // Where the start or end tag last read begins.
    qint64 tokenStart() const { return m_tokenStart - m_begin; }
    // A reader that goes on from offset as this one would, were offset where
    // it stood between two tokens inside the root element and outside every
    // other. This reader must have just read the root's start tag, so that
    // the copy knows the root's name and the prefixes it declares.
    FastXmlReader resumedAt(qint64 offset) const;
    // Whether resumedAt may be called: the root element has just started, and is not empty.
    bool canResume() const { return m_open.size() == 1 && !m_pendingEnd && !m_declined; }

private:
    struct Attribute
    {
        QByteArrayView name;   // qualified
        qsizetype prefix = 0;  // the length of its prefix, 0 without one
        QByteArrayView value;  // as written, between the quotes
        bool plain = true;     // no reference or blank to be replaced in it
        bool ascii = true;
    };
    struct Open
    {
        QByteArrayView name;  // qualified
        qsizetype prefix;
        qsizetype prefixes;  // the prefixes declared outside it
    };

    bool readDeclaration();
    Token scan(QString *text);
    bool scanText(QString *text);
    bool startTag();
    bool endTag();
    bool checkNames();
    bool comment();
    bool instruction();
    bool cdata(QString *text);
    bool doctype();
    bool attributeValue(Attribute *attribute);
    bool name(QByteArrayView *name, qsizetype *prefix);
    bool charsUntil(char stop);
    // Whether there were blanks.
    bool skipBlanks()
    {
        const char *begin = m_p;
        while (m_p < m_end && XmlText::isBlank(*m_p))
            ++m_p;
        return m_p != begin;
    }
    // Whether the text given comes next; if so, the reader moves past it.
    template <size_t N>
    bool literal(const char (&text)[N])
    {
        if (m_end - m_p < qsizetype(N - 1) || std::memcmp(m_p, text, N - 1) != 0)
            return false;
        m_p += N - 1;
        return true;
    }
    bool literal(char c)
    {
        if (m_p == m_end || *m_p != c)
            return false;
        ++m_p;
        return true;
    }
    bool declared(QByteArrayView prefix) const;
    Token decline();

    const char *m_begin;
    const char *m_p;
    const char *m_end;
    const char *m_tokenStart;
    int m_maxDepth;
    bool m_sawRoot = false;
    bool m_sawDoctype = false;
    bool m_pendingEnd = false;  // the element just started was empty: its end comes next
    bool m_declined = false;
    QByteArrayView m_name;
    bool m_hasPrefix = false;
    std::vector<Attribute> m_attributes;
    std::vector<Open> m_open;
    std::vector<QByteArrayView> m_prefixes;  // declared, outermost first
};
