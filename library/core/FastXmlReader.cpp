// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FastXmlReader.h"

#include "XmlText.h"

#include <cstring>

using namespace XmlText;
using XmlByteScan::Run;
using XmlByteScan::endOfName;
using XmlByteScan::endOfRun;

FastXmlReader::FastXmlReader(QByteArrayView data, int maxDepth)
    : m_begin(data.data())
    , m_p(data.data())
    , m_end(data.data() + data.size())
    , m_tokenStart(data.data())
    , m_maxDepth(maxDepth)
{
    if (!readDeclaration())
        decline();
}

FastXmlReader FastXmlReader::resumedAt(qint64 offset) const
{
    Q_ASSERT(canResume() && offset >= position() && offset <= m_end - m_begin);
    FastXmlReader resumed = *this;
    resumed.m_p = resumed.m_tokenStart = m_begin + offset;
    return resumed;
}

FastXmlReader::Token FastXmlReader::decline()
{
    m_declined = true;
    return Declined;
}

// A BOM, then the XML declaration if there is one: version 1.0, in UTF-8.
bool FastXmlReader::readDeclaration()
{
    literal("\xEF\xBB\xBF");
    if (m_end - m_p < 6 || std::memcmp(m_p, "<?xml", 5) != 0 || !isBlank(m_p[5]))
        return true;  // no declaration; another instruction named "xml..." is declined later
    m_p += 5;
    const auto equals = [this] {
        skipBlanks();
        const bool sign = literal('=');
        skipBlanks();
        return sign;
    };
    // A quoted value, one of those given (the first matched in any case, the others exactly).
    const auto quoted = [this](std::initializer_list<QByteArrayView> values, bool anyCase) {
        if (m_p == m_end || (*m_p != '"' && *m_p != '\''))
            return false;
        const char quote = *m_p;
        for (QByteArrayView value : values) {
            const char *p = m_p + 1;
            if (m_end - p <= value.size() || p[value.size()] != quote)
                continue;
            const QByteArrayView written(p, value.size());
            if (anyCase ? written.compare(value, Qt::CaseInsensitive) == 0 : written == value) {
                m_p = p + value.size() + 1;
                return true;
            }
        }
        return false;
    };
    if (!skipBlanks() || !literal("version") || !equals() || !quoted({"1.0"}, false))
        return false;
    bool blank = skipBlanks();
    if (blank && literal("encoding")) {
        if (!equals() || !quoted({"UTF-8"}, true))
            return false;
        blank = skipBlanks();
    }
    if (blank && literal("standalone")) {
        if (!equals() || !quoted({"yes", "no"}, false))
            return false;
        skipBlanks();
    }
    return literal("?>");
}

FastXmlReader::Token FastXmlReader::readNext()
{
    return scan(nullptr);
}

bool FastXmlReader::readElementText(QString *text)
{
    text->resize(0);  // keeps the room it has
    const size_t depth = m_open.size();
    for (;;) {
        const Token token = scan(text);
        if (token == EndElement && m_open.size() < depth)
            return true;
        if (token == Declined || token == EndOfDocument)
            return false;
    }
}

// The next start or end of an element; its text goes to text when it is not null.
FastXmlReader::Token FastXmlReader::scan(QString *text)
{
    if (m_declined)
        return Declined;
    if (m_pendingEnd) {
        m_pendingEnd = false;
        m_prefixes.resize(m_open.back().prefixes);
        m_open.pop_back();
        return EndElement;
    }
    for (;;) {
        if (m_p == m_end)
            return m_sawRoot && m_open.empty() ? EndOfDocument : decline();
        if (*m_p != '<') {
            bool passed;
            if (m_open.empty())
                passed = skipBlanks();  // outside the root element only blanks
            else if (!text && skipBlanks() && (m_p == m_end || *m_p == '<'))
                passed = true;  // between elements mostly a line end and indentation
            else
                passed = scanText(text);
            if (!passed)
                return decline();
            continue;
        }
        const char next = m_end - m_p > 1 ? m_p[1] : '\0';
        if (next != '?' && next != '!')
            m_tokenStart = m_p;
        if (next == '/')
            return endTag() ? EndElement : decline();
        if (next != '?' && next != '!')
            return startTag() ? StartElement : decline();
        const bool passedOver = next == '?'           ? instruction()
                                : literal("<!--")     ? comment()
                                : m_open.empty()      ? doctype()
                                                      : cdata(text);
        if (!passedOver)
            return decline();
    }
}

bool FastXmlReader::scanText(QString *text)
{
    const char *piece = m_p;
    bool ascii = true, cr = false;
    const auto flush = [&] {
        if (text)
            appendText(text, QByteArrayView(piece, m_p - piece), ascii, cr);
        ascii = true;
        cr = false;
    };
    for (;;) {
        const char *p = endOfRun<Run::Text>(m_p, m_end);
        m_p = p;
        if (p == m_end || *p == '<')
            break;
        const char c = *p;
        if (c == ']') {
            if (m_end - p >= 3 && p[1] == ']' && p[2] == '>')
                return false;
            ++m_p;
        } else if (c == '\r') {
            cr = true;
            ++m_p;
        } else if (c == '&') {
            flush();
            char32_t referenced;
            // QXmlStreamReader takes a ']' of a reference for one of "]]>".
            if (!readReference(m_p, m_end, &referenced) || referenced == ']')
                return false;
            if (text)
                appendChar(text, referenced);
            piece = m_p;
        } else {
            if (uchar(c) < 0x80 || !readUtf8(m_p, m_end))
                return false;  // a control character, or not UTF-8
            ascii = false;
        }
    }
    flush();
    return true;
}

bool FastXmlReader::startTag()
{
    if ((m_sawRoot && m_open.empty()) || m_open.size() >= size_t(m_maxDepth))
        return false;
    ++m_p;
    QByteArrayView qualified;
    qsizetype prefix;
    if (!name(&qualified, &prefix))
        return false;
    m_attributes.clear();
    const qsizetype outerPrefixes = qsizetype(m_prefixes.size());
    for (;;) {
        const bool blank = skipBlanks();
        if (m_p == m_end)
            return false;
        if (*m_p == '>') {
            ++m_p;
            break;
        }
        if (*m_p == '/') {
            if (!literal("/>"))
                return false;
            m_pendingEnd = true;
            break;
        }
        Attribute attribute;
        if (!blank || !name(&attribute.name, &attribute.prefix))
            return false;
        skipBlanks();
        if (!literal('='))
            return false;
        skipBlanks();
        if (!attributeValue(&attribute))
            return false;
        if (attribute.prefix == 5 && attribute.name.startsWith("xmlns")) {
            // A prefix declared: never undeclared, never one of XML's own.
            const QByteArrayView prefix = attribute.name.sliced(6);
            if (attribute.value.isEmpty() || isReserved(prefix))
                return false;
            m_prefixes.push_back(prefix);
        } else if (isReserved(attribute.name)) {
            return false;  // "xmlns" (a default namespace), "xml:lang"
        }
        m_attributes.push_back(attribute);
    }
    m_open.push_back({qualified, prefix, outerPrefixes});
    m_sawRoot = true;
    m_name = qualified.sliced(prefix ? prefix + 1 : 0);
    m_hasPrefix = prefix > 0;
    return checkNames();
}

// The element's and its attributes' prefixes are declared, and no two attributes share a name.
bool FastXmlReader::checkNames()
{
    const Open &element = m_open.back();
    if (isReserved(element.name) || (element.prefix && !declared(element.name.first(element.prefix))))
        return false;
    // One attribute without a prefix, or none: no prefix to look up, no names to tell apart.
    if (m_attributes.empty() || (m_attributes.size() == 1 && m_attributes[0].prefix == 0))
        return true;
    for (size_t i = 0; i < m_attributes.size(); ++i) {
        const Attribute &attribute = m_attributes[i];
        const bool declaration = attribute.prefix == 5 && attribute.name.startsWith("xmlns");
        if (attribute.prefix && !declaration && !declared(attribute.name.first(attribute.prefix)))
            return false;
        const QByteArrayView local = attribute.name.sliced(attribute.prefix ? attribute.prefix + 1 : 0);
        for (size_t j = 0; j < i; ++j) {
            // Two prefixes may stand for one namespace: the same local name after any is declined.
            const Attribute &other = m_attributes[j];
            if (sameBytes(attribute.name, other.name)
                || (attribute.prefix && other.prefix && sameBytes(local, other.name.sliced(other.prefix + 1))))
                return false;
        }
    }
    return true;
}

bool FastXmlReader::declared(QByteArrayView prefix) const
{
    for (QByteArrayView known : m_prefixes) {
        if (sameBytes(known, prefix))
            return true;
    }
    return false;
}

// The end of the element open last: its very name (a longer one goes on
// with a name's byte), blanks, '>'.
bool FastXmlReader::endTag()
{
    m_p += 2;
    if (m_open.empty())
        return false;
    const Open &open = m_open.back();
    const qsizetype size = open.name.size();
    if (m_end - m_p <= size || !sameBytesAt(m_p, open.name.data(), size))
        return false;
    m_p += size;
    skipBlanks();
    if (!literal('>'))
        return false;
    m_name = open.name.sliced(open.prefix ? open.prefix + 1 : 0);
    m_hasPrefix = open.prefix > 0;
    m_prefixes.resize(open.prefixes);
    m_open.pop_back();
    return true;
}

bool FastXmlReader::attributeValue(Attribute *attribute)
{
    if (m_p == m_end || (*m_p != '"' && *m_p != '\''))
        return false;
    const char quote = *m_p++;
    const char *begin = m_p;
    attribute->plain = attribute->ascii = true;
    for (;;) {
        const char *p = endOfRun<Run::Value>(m_p, m_end);
        m_p = p;
        if (p == m_end)
            return false;
        const char c = *p;
        if (c == quote)
            break;
        if (c == '"' || c == '\'') {
            ++m_p;
        } else if (c == '&') {
            char32_t referenced;
            if (!readReference(m_p, m_end, &referenced))
                return false;
            attribute->plain = false;
        } else if (c == '\t' || c == '\n' || c == '\r') {
            attribute->plain = false;
            ++m_p;
        } else {
            if (uchar(c) < 0x80 || !readUtf8(m_p, m_end))
                return false;  // '<' or a control character
            attribute->ascii = false;
        }
    }
    attribute->value = QByteArrayView(begin, m_p - begin);
    ++m_p;
    return true;
}

bool FastXmlReader::plainAttribute(QByteArrayView qualifiedName, QByteArrayView *value) const
{
    for (const Attribute &attribute : m_attributes) {
        if (sameBytes(attribute.name, qualifiedName)) {
            *value = attribute.value;
            return attribute.plain;
        }
    }
    return false;
}

QString FastXmlReader::attribute(QByteArrayView qualifiedName) const
{
    for (const Attribute &attribute : m_attributes) {
        if (!sameBytes(attribute.name, qualifiedName))
            continue;
        if (!attribute.plain)
            return XmlText::attributeValue(attribute.value);
        QString value;
        appendText(&value, attribute.value, attribute.ascii, false);
        return value;
    }
    return QString();
}

// A name of ASCII letters, digits and ". - _", with at most one colon
// between two parts (prefix: the length of the first, 0 without a colon); a
// name that goes on beyond ASCII is declined.
bool FastXmlReader::name(QByteArrayView *name, qsizetype *prefix)
{
    const char *begin = m_p;
    if (begin == m_end || !nameStartBytes[uchar(*begin)])
        return false;
    *prefix = 0;
    const char *p = endOfName(begin + 1, m_end);
    if (p < m_end && *p == ':') {
        *prefix = p - begin;
        if (m_end - p < 2 || !nameStartBytes[uchar(p[1])])
            return false;
        p = endOfName(p + 2, m_end);
    }
    m_p = p;
    if (p < m_end && (uchar(*p) >= 0x80 || *p == ':'))
        return false;
    *name = QByteArrayView(begin, p - begin);
    return true;
}

// Characters XML allows, up to the byte stop.
bool FastXmlReader::charsUntil(char stop)
{
    for (;;) {
        m_p = endOfRun<Run::Chars>(m_p, m_end, stop);
        if (m_p == m_end)
            return false;
        if (*m_p == stop)
            return true;
        if (uchar(*m_p) < 0x80 || !readUtf8(m_p, m_end))
            return false;
    }
}

bool FastXmlReader::comment()
{
    for (;;) {
        if (!charsUntil('-'))
            return false;
        if (m_end - m_p >= 2 && m_p[1] == '-') {
            // "--" only as the end.
            if (m_end - m_p < 3 || m_p[2] != '>')
                return false;
            m_p += 3;
            return true;
        }
        ++m_p;
    }
}

bool FastXmlReader::instruction()
{
    m_p += 2;
    QByteArrayView target;
    qsizetype prefix;
    if (!name(&target, &prefix) || isReserved(target) || prefix)
        return false;
    if (literal("?>"))
        return true;
    if (!skipBlanks())
        return false;
    for (;;) {
        if (!charsUntil('?'))
            return false;
        if (literal("?>"))
            return true;
        ++m_p;
    }
}

bool FastXmlReader::cdata(QString *text)
{
    if (!literal("<![CDATA["))
        return false;
    const char *begin = m_p;
    for (;;) {
        if (!charsUntil(']'))
            return false;
        if (m_end - m_p >= 3 && m_p[1] == ']' && m_p[2] == '>')
            break;
        ++m_p;
    }
    if (text) {
        const QByteArrayView bytes(begin, m_p - begin);
        appendText(text, bytes, false, bytes.contains('\r'));
    }
    m_p += 3;
    return true;
}

// <!DOCTYPE name>, with a SYSTEM or PUBLIC identifier; once, before the root.
bool FastXmlReader::doctype()
{
    if (m_sawRoot || m_sawDoctype || !literal("<!DOCTYPE") || !skipBlanks())
        return false;
    m_sawDoctype = true;
    QByteArrayView root;
    qsizetype prefix;
    if (!name(&root, &prefix))
        return false;
    const auto quotedChars = [this](bool publicId) {
        if (m_p == m_end || (*m_p != '"' && *m_p != '\''))
            return false;
        const char quote = *m_p++;
        const char *begin = m_p;
        if (!publicId) {
            // QXmlStreamReader refuses '&' and '<' in it.
            return charsUntil(quote) && !QByteArrayView(begin, m_p - begin).contains('&')
                && !QByteArrayView(begin, m_p - begin).contains('<') && literal(quote);
        }
        static const QByteArrayView pubidMarks = " \r\n-'()+,./:=?;!*#@$_%";
        for (; m_p < m_end && *m_p != quote; ++m_p) {
            const char c = *m_p;
            if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || pubidMarks.contains(c)))
                return false;
        }
        return literal(quote);
    };
    if (skipBlanks()) {
        if (literal("SYSTEM")) {
            if (!skipBlanks() || !quotedChars(false))
                return false;
        } else if (literal("PUBLIC")) {
            if (!skipBlanks() || !quotedChars(true) || !skipBlanks() || !quotedChars(false))
                return false;
        }
        skipBlanks();
    }
    return literal('>');  // an internal subset ('[') is declined
}
