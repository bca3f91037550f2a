#include "BookmarkAttributes.h"

#include "BookmarkEntry.h"

#include <QLatin1StringView>
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

std::optional<qint64> number(QStringView text, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

// The exact time where it agrees with the browsers' one to the second,
// else that one; invalid when there is neither.
QDateTime timeOf(std::optional<qint64> seconds, std::optional<qint64> ms)
{
    if (ms && (!seconds || qAbs(*ms - *seconds * 1000) < 1000))
        return QDateTime::fromMSecsSinceEpoch(*ms, Qt::UTC);
    if (seconds)
        return QDateTime::fromSecsSinceEpoch(*seconds, Qt::UTC);
    return QDateTime();
}

// Whole seconds, rounded to the nearest.
qint64 roundedSeconds(qint64 ms)
{
    const qint64 shifted = ms + 500;
    return shifted / 1000 - (shifted % 1000 < 0 ? 1 : 0);
}

void appendAttribute(QByteArray &out, QLatin1StringView name, qint64 value)
{
    out += ' ';
    out += QByteArrayView(name);
    out += "=\"" + QByteArray::number(value) + '"';
}

// The browsers' date in seconds (browsers know no date before 1970), and the
// exact one where that does not hold it.
void appendDate(QByteArray &out, const QDateTime &time, QLatin1StringView secondsName,
                QLatin1StringView msName)
{
    if (!time.isValid())
        return;
    const qint64 ms = time.toMSecsSinceEpoch();
    const qint64 seconds = roundedSeconds(ms);
    if (seconds > 0)
        appendAttribute(out, secondsName, seconds);
    if (seconds <= 0 || seconds * 1000 != ms)
        appendAttribute(out, msName, ms);
}

}  // namespace

void readLinkAttributes(QStringView line, qsizetype tagStart, BookmarkEntry &entry)
{
    std::optional<qint64> addSeconds, visitSeconds, addExact, visitExact;
    forEachAttribute(line, tagStart, [&](QStringView name, QStringView value) {
        const auto is
            = [&](QLatin1StringView known) { return name.compare(known, Qt::CaseInsensitive) == 0; };
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
    entry.added = timeOf(addSeconds, addExact);
    entry.lastVisit = timeOf(visitSeconds, visitExact);
}

QByteArray linkAttributes(const BookmarkEntry &entry)
{
    QByteArray out;
    appendDate(out, entry.added, addDate, addMs);
    appendDate(out, entry.lastVisit, lastVisit, lastVisitMs);
    if (entry.visits != 0)
        appendAttribute(out, visits, entry.visits);
    if (entry.rating != 0)
        appendAttribute(out, rating, entry.rating);
    if (entry.category != 0)
        appendAttribute(out, category, entry.category);
    return out;
}

}  // namespace BookmarkAttributes
