// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BookmarkAttributes.h"

#include "BookmarkEntry.h"

#include <QLatin1StringView>
#include <charconv>
#include <cstring>
#include <limits>
#include <optional>

namespace BookmarkAttributes {

namespace {

constexpr QLatin1StringView addDate("ADD_DATE");
constexpr QLatin1StringView lastVisit("LAST_VISIT");
constexpr QLatin1StringView addMs("TESSALY_ADD_MS");
constexpr QLatin1StringView lastVisitMs("TESSALY_LAST_VISIT_MS");
constexpr QLatin1StringView visits("TESSALY_VISITS");
constexpr QLatin1StringView rating("TESSALY_RATING");
constexpr QLatin1StringView category("TESSALY_CATEGORY");

// Dates from 1 January 1 to the end of 9999 (UTC), which QDateTime holds.
constexpr qint64 minMs = -62135596800000;
constexpr qint64 maxMs = 253402300799999;

// Calls found(name, value) for each attribute of the tag at from ('<' and the
// tag's name first), up to the '>' that ends it. Values stand in double or
// single quotes, or bare; an attribute without "=" has an empty value.
template<typename Found> void forEachAttribute(QStringView line, qsizetype from, Found found)
{
    const auto endsWord = [&](qsizetype at) { return line[at].isSpace() || line[at] == u'>'; };
    qsizetype at = from + 1;
    while (at < line.size() && !endsWord(at))
        ++at;
    for (;;) {
        while (at < line.size() && line[at].isSpace())
            ++at;
        if (at >= line.size() || line[at] == u'>')
            return;
        const qsizetype nameStart = at;
        while (at < line.size() && !endsWord(at) && line[at] != u'=')
            ++at;
        const QStringView name = line.sliced(nameStart, at - nameStart);
        QStringView value;
        if (at < line.size() && line[at] == u'=') {
            ++at;
            if (at < line.size() && (line[at] == u'"' || line[at] == u'\'')) {
                const qsizetype close = line.indexOf(line[at], at + 1);
                if (close < 0)
                    return;  // the rest of the line is one unclosed value
                value = line.sliced(at + 1, close - at - 1);
                at = close + 1;
            } else {
                const qsizetype start = at;
                while (at < line.size() && !endsWord(at))
                    ++at;
                value = line.sliced(start, at - start);
            }
        }
        if (!name.isEmpty())
            found(name, value);
    }
}

// name.compare(known, Qt::CaseInsensitive) == 0 for a known name of ASCII
// letters and "_", comparing ASCII names without folding their case.
bool isName(QStringView name, QLatin1StringView known)
{
    if (name.size() != known.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 0x80)  // a character that folds to a letter of known ("ſ" to "s") is rare
            return name.compare(known, Qt::CaseInsensitive) == 0;
        const char16_t k = char16_t(known[i].unicode());
        const bool letter = (k | 0x20) >= u'a' && (k | 0x20) <= u'z';
        if (letter ? (c | 0x20) != (k | 0x20) : c != k)
            return false;
    }
    return true;
}

// The value of plain decimal digits (a "-" before them allowed), as
// toLongLong reads them; none for any other text, or more digits than
// surely fit.
std::optional<qint64> plainNumber(QStringView text)
{
    const bool negative = !text.isEmpty() && text.front() == u'-';
    const QStringView digits = negative ? text.sliced(1) : text;
    if (digits.isEmpty() || digits.size() > 18)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return negative ? -value : value;
}

std::optional<qint64> number(QStringView text, qint64 min, qint64 max)
{
    if (const std::optional<qint64> plain = plainNumber(text))
        return *plain < min || *plain > max ? std::nullopt : plain;
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

// The exact time where it agrees with the browsers' one to the second,
// else that one; none when there is neither.
std::optional<qint64> timeOf(std::optional<qint64> seconds, std::optional<qint64> ms)
{
    if (ms && (!seconds || qAbs(*ms - *seconds * 1000) < 1000))
        return ms;
    if (seconds)
        return *seconds * 1000;
    return std::nullopt;
}

// Whole seconds, rounded to the nearest.
qint64 roundedSeconds(qint64 ms)
{
    const qint64 shifted = ms + 500;
    return shifted / 1000 - (shifted % 1000 < 0 ? 1 : 0);
}

// A blank, the attribute's name, and its value in double quotes.
template<size_t nameLength> char *writeAttribute(char *out, const char (&name)[nameLength], QByteArrayView value)
{
    *out++ = ' ';
    std::memcpy(out, name, nameLength - 1);
    out += nameLength - 1;
    *out++ = '=';
    *out++ = '"';
    std::memcpy(out, value.data(), size_t(value.size()));
    out += value.size();
    *out++ = '"';
    return out;
}

// The decimal digits of a number.
class Decimal
{
public:
    explicit Decimal(qint64 value) { m_end = std::to_chars(m_digits, m_digits + sizeof m_digits, value).ptr; }
    QByteArrayView text() const { return QByteArrayView(m_digits, m_end - m_digits); }

private:
    char m_digits[20];
    char *m_end;
};

template<size_t nameLength> char *writeAttribute(char *out, const char (&name)[nameLength], qint64 value)
{
    return writeAttribute(out, name, Decimal(value).text());
}

// The digits of a positive number of milliseconds as seconds rounded to the
// nearest (roundedSeconds), at out; returns the end.
char *writeRoundedSeconds(char *out, QByteArrayView msDigits)
{
    if (msDigits.size() <= 3) {  // 500 to 999
        *out = '1';
        return out + 1;
    }
    const qsizetype length = msDigits.size() - 3;
    std::memcpy(out, msDigits.data(), size_t(length));
    if (msDigits[length] >= '5') {
        qsizetype at = length - 1;
        for (; at >= 0 && out[at] == '9'; --at)
            out[at] = '0';
        if (at < 0) {
            std::memmove(out + 1, out, size_t(length));
            out[0] = '1';
            return out + length + 1;
        }
        ++out[at];
    }
    return out + length;
}

// The browsers' date in seconds (browsers know no date before 1970), and the
// exact one where that does not hold it. Both are written from one set of
// digits.
template<size_t secondsLength, size_t msLength>
char *writeDate(char *out, std::optional<qint64> ms, const char (&secondsName)[secondsLength],
                const char (&msName)[msLength])
{
    if (!ms)
        return out;
    if (roundedSeconds(*ms) <= 0)
        return writeAttribute(out, msName, *ms);
    const Decimal digits(*ms);
    char seconds[20];
    out = writeAttribute(out, secondsName,
                         QByteArrayView(seconds, writeRoundedSeconds(seconds, digits.text()) - seconds));
    if (!digits.text().endsWith("000"))
        out = writeAttribute(out, msName, digits.text());
    return out;
}

}  // namespace

void readLinkAttributes(QStringView line, qsizetype tagStart, BookmarkEntry &entry)
{
    std::optional<qint64> addSeconds, visitSeconds, addExact, visitExact;
    forEachAttribute(line, tagStart, [&](QStringView name, QStringView value) {
        const auto is = [&](QLatin1StringView known) { return isName(name, known); };
        if (is(addDate))
            addSeconds = number(value, 1, maxMs / 1000);
        else if (is(lastVisit))
            visitSeconds = number(value, 1, maxMs / 1000);
        else if (is(addMs))
            addExact = number(value, minMs, maxMs);
        else if (is(lastVisitMs))
            visitExact = number(value, minMs, maxMs);
        else if (is(visits))
            entry.visits
                = qint32(number(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max())
                             .value_or(entry.visits));
        else if (is(rating))
            entry.rating = quint8(number(value, 0, 255).value_or(entry.rating));
        else if (is(category))
            entry.category = quint8(number(value, 0, 255).value_or(entry.category));
    });
    entry.addedMs = timeOf(addSeconds, addExact);
    entry.lastVisitMs = timeOf(visitSeconds, visitExact);
}

LinkAttributes attributesOf(const BookmarkEntry &entry)
{
    LinkAttributes attributes;
    attributes.addedMs = entry.addedMs;
    attributes.lastVisitMs = entry.lastVisitMs;
    attributes.visits = entry.visits;
    attributes.rating = entry.rating;
    attributes.category = entry.category;
    return attributes;
}

char *writeLinkAttributes(char *out, const LinkAttributes &attributes)
{
    // The names that readLinkAttributes knows.
    out = writeDate(out, attributes.addedMs, "ADD_DATE", "TESSALY_ADD_MS");
    out = writeDate(out, attributes.lastVisitMs, "LAST_VISIT", "TESSALY_LAST_VISIT_MS");
    if (attributes.visits != 0)
        out = writeAttribute(out, "TESSALY_VISITS", attributes.visits);
    if (attributes.rating != 0)
        out = writeAttribute(out, "TESSALY_RATING", attributes.rating);
    if (attributes.category != 0)
        out = writeAttribute(out, "TESSALY_CATEGORY", attributes.category);
    return out;
}

}  // namespace BookmarkAttributes
