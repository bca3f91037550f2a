// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FastXmlReader.h"

#include <array>
#include <cstring>

namespace {

using ByteSet = std::array<bool, 256>;

// Bytes that stand for themselves in text: printable ASCII but '<', '&' and
// ']', and the blanks.
constexpr ByteSet plainTextBytes = [] {
    ByteSet set {};
    for (int c = 0x20; c < 0x80; ++c)
        set[c] = c != '<' && c != '&' && c != ']';
    set['\t'] = set['\n'] = set['\r'] = true;
    return set;
}();

// In an attribute value, blanks but the space are made spaces: they are not plain there.
constexpr ByteSet plainValueBytes = [] {
    ByteSet set {};
    for (int c = 0x20; c < 0x80; ++c)
        set[c] = c != '<' && c != '&' && c != '"' && c != '\'';
    return set;
}();

// The ASCII characters XML 1.0 allows anywhere.
constexpr ByteSet asciiCharBytes = [] {
    ByteSet set {};
    for (int c = 0x20; c < 0x80; ++c)
        set[c] = true;
    set['\t'] = set['\n'] = set['\r'] = true;
    return set;
}();

bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

bool isValidChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

// Names that begin with "xml" in any case are XML's own.
bool isReserved(QByteArrayView name)
{
    return name.size() >= 3 && (name[0] | 0x20) == 'x' && (name[1] | 0x20) == 'm' && (name[2] | 0x20) == 'l';
}

QByteArrayView localNameOf(QByteArrayView name)
{
    const qsizetype colon = name.indexOf(':');
    return colon < 0 ? name : name.sliced(colon + 1);
}

// The character a reference at p ('&') stands for; p moves past it.
bool readReference(const char *&p, const char *end, char32_t *c)
{
    ++p;
    if (p < end && *p == '#') {
        ++p;
        const bool hex = p < end && *p == 'x';
        if (hex)
            ++p;
        char32_t value = 0;
        int digits = 0;
        for (; p < end && *p != ';'; ++p) {
            const char d = *p;
            int digit = -1;
            if (d >= '0' && d <= '9')
                digit = d - '0';
            else if (hex && (d | 0x20) >= 'a' && (d | 0x20) <= 'f')
                digit = (d | 0x20) - 'a' + 10;
            if (digit < 0 || ++digits > 8)
                return false;
            value = value * (hex ? 16 : 10) + char32_t(digit);
        }
        if (p == end || digits == 0 || !isValidChar(value))
            return false;
        ++p;
        *c = value;
        return true;
    }
    static const struct
    {
        QByteArrayView name;
        char32_t c;
    } entities[] = {{"lt;", '<'}, {"gt;", '>'}, {"amp;", '&'}, {"apos;", '\''}, {"quot;", '"'}};
    for (const auto &entity : entities) {
        if (end - p >= entity.name.size() && std::memcmp(p, entity.name.data(), entity.name.size()) == 0) {
            p += entity.name.size();
            *c = entity.c;
            return true;
        }
    }
    return false;
}

void appendChar(QString *text, char32_t c)
{
    if (c < 0x10000) {
        text->append(QChar(char16_t(c)));
    } else {
        text->append(QChar::highSurrogate(c));
        text->append(QChar::lowSurrogate(c));
    }
}

// Checked UTF-8 text as XML reads it: each line end (CR LF, or a lone CR) one LF.
void appendText(QString *text, const char *begin, const char *end)
{
    if (!text || begin == end)
        return;
    QString piece = QString::fromUtf8(begin, end - begin);
    if (std::memchr(begin, '\r', end - begin)) {
        piece.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        piece.replace(u'\r', u'\n');
    }
    if (text->isEmpty())
        *text = std::move(piece);
    else
        text->append(piece);
}

}  // namespace

FastXmlReader::FastXmlReader(QByteArrayView data, int maxDepth)
    : m_begin(data.data())
    , m_p(data.data())
    , m_end(data.data() + data.size())
    , m_maxDepth(maxDepth)
{
    if (!readDeclaration())
        decline();
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
        const bool sign = literal("=");
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
    text->clear();
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
            // Outside the root element only blanks.
            if (m_open.empty() ? !skipBlanks() : !scanText(text))
                return decline();
            continue;
        }
        const char next = m_end - m_p > 1 ? m_p[1] : '\0';
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
    for (;;) {
        while (m_p < m_end && plainTextBytes[uchar(*m_p)])
            ++m_p;
        if (m_p == m_end || *m_p == '<')
            break;
        const char c = *m_p;
        if (c == ']') {
            if (m_end - m_p >= 3 && m_p[1] == ']' && m_p[2] == '>')
                return false;
            ++m_p;
        } else if (c == '&') {
            appendText(text, piece, m_p);
            char32_t referenced;
            // QXmlStreamReader takes a ']' of a reference for one of "]]>".
            if (!readReference(m_p, m_end, &referenced) || referenced == ']')
                return false;
            if (text)
                appendChar(text, referenced);
            piece = m_p;
        } else {
            char32_t decoded;
            if (!utf8(&decoded))
                return false;
        }
    }
    appendText(text, piece, m_p);
    return true;
}

bool FastXmlReader::startTag()
{
    if ((m_sawRoot && m_open.empty()) || m_open.size() >= size_t(m_maxDepth))
        return false;
    ++m_p;
    QByteArrayView qualified;
    if (!name(&qualified))
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
        if (!blank || !name(&attribute.name))
            return false;
        skipBlanks();
        if (!literal("="))
            return false;
        skipBlanks();
        if (!attributeValue(&attribute.value, &attribute.plain))
            return false;
        if (attribute.name.startsWith("xmlns:")) {
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
    m_open.push_back({qualified, outerPrefixes});
    m_sawRoot = true;
    m_name = localNameOf(qualified);
    m_hasPrefix = m_name.size() != qualified.size();
    return checkNames();
}

// The element's and its attributes' prefixes are declared, and no two attributes share a name.
bool FastXmlReader::checkNames()
{
    const QByteArrayView qualified = m_open.back().name;
    if (isReserved(qualified) || (m_hasPrefix && !declared(qualified.first(qualified.size() - m_name.size() - 1))))
        return false;
    for (size_t i = 0; i < m_attributes.size(); ++i) {
        const QByteArrayView name = m_attributes[i].name;
        const QByteArrayView local = localNameOf(name);
        const bool prefixed = local.size() != name.size();
        if (prefixed && !name.startsWith("xmlns:") && !declared(name.first(name.size() - local.size() - 1)))
            return false;
        for (size_t j = 0; j < i; ++j) {
            // Two prefixes may stand for one namespace: the same local name after any is declined.
            const QByteArrayView other = m_attributes[j].name;
            const QByteArrayView otherLocal = localNameOf(other);
            if (name == other || (prefixed && otherLocal.size() != other.size() && local == otherLocal))
                return false;
        }
    }
    return true;
}

bool FastXmlReader::declared(QByteArrayView prefix) const
{
    for (QByteArrayView known : m_prefixes) {
        if (known == prefix)
            return true;
    }
    return false;
}

bool FastXmlReader::endTag()
{
    m_p += 2;
    QByteArrayView qualified;
    if (!name(&qualified))
        return false;
    skipBlanks();
    if (!literal(">") || m_open.empty() || qualified != m_open.back().name)
        return false;
    m_name = localNameOf(qualified);
    m_hasPrefix = m_name.size() != qualified.size();
    m_prefixes.resize(m_open.back().prefixes);
    m_open.pop_back();
    return true;
}

bool FastXmlReader::attributeValue(QByteArrayView *value, bool *plain)
{
    if (m_p == m_end || (*m_p != '"' && *m_p != '\''))
        return false;
    const char quote = *m_p++;
    const char *begin = m_p;
    *plain = true;
    for (;;) {
        while (m_p < m_end && plainValueBytes[uchar(*m_p)])
            ++m_p;
        if (m_p == m_end)
            return false;
        const char c = *m_p;
        if (c == quote)
            break;
        if (c == '"' || c == '\'') {
            ++m_p;
        } else if (c == '&') {
            char32_t referenced;
            if (!readReference(m_p, m_end, &referenced))
                return false;
            *plain = false;
        } else if (c == '\t' || c == '\n' || c == '\r') {
            *plain = false;
            ++m_p;
        } else {
            char32_t decoded;
            if (uchar(c) < 0x80 || !utf8(&decoded))
                return false;  // '<' or a control character
        }
    }
    *value = QByteArrayView(begin, m_p - begin);
    ++m_p;
    return true;
}

QString FastXmlReader::attribute(QByteArrayView qualifiedName) const
{
    for (const Attribute &attribute : m_attributes) {
        if (attribute.name != qualifiedName)
            continue;
        if (attribute.plain)
            return QString::fromUtf8(attribute.value);
        // References replaced; each blank, and each line end, one space.
        QString value;
        const char *p = attribute.value.data();
        const char *end = p + attribute.value.size();
        const char *piece = p;
        while (p < end) {
            const char c = *p;
            if (c != '&' && c != '\t' && c != '\n' && c != '\r') {
                ++p;
                continue;
            }
            value.append(QString::fromUtf8(piece, p - piece));
            if (c == '&') {
                char32_t referenced = 0;
                readReference(p, end, &referenced);
                appendChar(&value, referenced);
            } else {
                p += c == '\r' && end - p > 1 && p[1] == '\n' ? 2 : 1;
                value.append(u' ');
            }
            piece = p;
        }
        value.append(QString::fromUtf8(piece, p - piece));
        return value;
    }
    return QString();
}

// A name of ASCII letters, digits and ". - _", with at most one colon
// between two parts; a name that goes on beyond ASCII is declined.
bool FastXmlReader::name(QByteArrayView *name)
{
    const char *begin = m_p;
    if (m_p == m_end || !isNameStart(*m_p))
        return false;
    bool colon = false;
    for (++m_p; m_p < m_end; ++m_p) {
        if (*m_p == ':' && !colon) {
            colon = true;
            if (m_end - m_p < 2 || !isNameStart(m_p[1]))
                return false;
        } else if (!isNameChar(*m_p)) {
            break;
        }
    }
    if (m_p < m_end && (uchar(*m_p) >= 0x80 || *m_p == ':'))
        return false;
    *name = QByteArrayView(begin, m_p - begin);
    return true;
}

// A character of UTF-8 at the current byte (>= 0x80): no overlong form, no
// surrogate, none beyond U+10FFFF, neither U+FFFE nor U+FFFF.
bool FastXmlReader::utf8(char32_t *c)
{
    const auto *s = reinterpret_cast<const uchar *>(m_p);
    const qsizetype left = m_end - m_p;
    const auto follows = [s](int i) { return (s[i] & 0xC0) == 0x80; };
    const uchar lead = s[0];
    if (lead < 0xC2) {
        return false;
    } else if (lead < 0xE0) {
        if (left < 2 || !follows(1))
            return false;
        *c = char32_t(lead & 0x1F) << 6 | (s[1] & 0x3F);
        m_p += 2;
    } else if (lead < 0xF0) {
        if (left < 3 || !follows(1) || !follows(2) || (lead == 0xE0 && s[1] < 0xA0) || (lead == 0xED && s[1] > 0x9F))
            return false;
        *c = char32_t(lead & 0x0F) << 12 | char32_t(s[1] & 0x3F) << 6 | (s[2] & 0x3F);
        if (*c == 0xFFFE || *c == 0xFFFF)
            return false;
        m_p += 3;
    } else if (lead < 0xF5) {
        if (left < 4 || !follows(1) || !follows(2) || !follows(3) || (lead == 0xF0 && s[1] < 0x90)
            || (lead == 0xF4 && s[1] > 0x8F))
            return false;
        *c = char32_t(lead & 0x07) << 18 | char32_t(s[1] & 0x3F) << 12 | char32_t(s[2] & 0x3F) << 6 | (s[3] & 0x3F);
        m_p += 4;
    } else {
        return false;
    }
    return true;
}

// Characters XML allows, up to the byte stop.
bool FastXmlReader::charsUntil(char stop)
{
    for (;;) {
        while (m_p < m_end && asciiCharBytes[uchar(*m_p)] && *m_p != stop)
            ++m_p;
        if (m_p == m_end)
            return false;
        if (*m_p == stop)
            return true;
        char32_t decoded;
        if (uchar(*m_p) < 0x80 || !utf8(&decoded))
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
    if (!name(&target) || isReserved(target) || target.contains(':'))
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
    appendText(text, begin, m_p);
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
    if (!name(&root))
        return false;
    const auto quotedChars = [this](bool publicId) {
        if (m_p == m_end || (*m_p != '"' && *m_p != '\''))
            return false;
        const char quote = *m_p++;
        const char *begin = m_p;
        if (!publicId) {
            // QXmlStreamReader refuses '&' and '<' in it.
            return charsUntil(quote) && !QByteArrayView(begin, m_p - begin).contains('&')
                && !QByteArrayView(begin, m_p - begin).contains('<') && literal(QByteArrayView(&quote, 1));
        }
        static const QByteArrayView pubidMarks = " \r\n-'()+,./:=?;!*#@$_%";
        for (; m_p < m_end && *m_p != quote; ++m_p) {
            const char c = *m_p;
            if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || pubidMarks.contains(c)))
                return false;
        }
        return literal(QByteArrayView(&quote, 1));
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
    return literal(">");  // an internal subset ('[') is declined
}

// Whether there were blanks.
bool FastXmlReader::skipBlanks()
{
    const char *begin = m_p;
    while (m_p < m_end && isBlank(*m_p))
        ++m_p;
    return m_p != begin;
}

bool FastXmlReader::literal(QByteArrayView text)
{
    if (m_end - m_p < text.size() || std::memcmp(m_p, text.data(), text.size()) != 0)
        return false;
    m_p += text.size();
    return true;
}
