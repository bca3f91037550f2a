// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The wildcard mask of the title filter against a plain reference matcher:
// the input is a pattern, a line end and a text; the pattern and the
// filter's mask (the pattern anywhere in the text) must match exactly the
// texts that the reference matches. The reference reads the pattern as it
// stands at each step and tries every split for "*" (remembered, so that it
// stays quadratic): slow, but plainly right.

#include "FuzzCheck.h"
#include "WildcardPattern.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace {

char16_t upper(char16_t c)
{
    return QChar(c).toUpper().unicode();
}

// The list of a "[...]" without its brackets (and without its "!").
struct List
{
    QStringView items;
    bool negated = false;

    // False for a descending range.
    bool valid() const
    {
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i + 2 < items.size() && items[i + 1] == u'-') {
                if (upper(items[i + 2].unicode()) < upper(items[i].unicode()))
                    return false;
                i += 2;
            }
        }
        return true;
    }

    bool holds(char16_t c) const
    {
        bool found = false;
        for (qsizetype i = 0; i < items.size(); ++i) {
            const char16_t first = upper(items[i].unicode());
            char16_t last = first;
            if (i + 2 < items.size() && items[i + 1] == u'-') {
                last = upper(items[i + 2].unicode());
                i += 2;
            }
            found = found || (upper(c) >= first && upper(c) <= last);
        }
        return found != negated;
    }
};

class Reference
{
public:
    Reference(QStringView pattern, QStringView text)
        : m_pattern(pattern)
        , m_text(text)
        , m_known(size_t((pattern.size() + 1) * (text.size() + 1)), -1)
    { }

    bool valid() const
    {
        for (qsizetype p = 0; p < m_pattern.size(); ++p) {
            if (m_pattern[p] != u'[')
                continue;
            const qsizetype close = m_pattern.indexOf(u']', p + 1);
            if (close < 0 || !listAt(p, close).valid())
                return false;
            p = close;
        }
        return true;
    }

    bool matches() { return valid() && matchFrom(0, 0); }

private:
    List listAt(qsizetype open, qsizetype close) const
    {
        List list {m_pattern.sliced(open + 1, close - open - 1)};
        if (list.items.startsWith(u'!')) {
            list.negated = true;
            list.items = list.items.sliced(1);
        }
        return list;
    }

    bool matchFrom(qsizetype p, qsizetype t)
    {
        signed char &known = m_known[size_t(p * (m_text.size() + 1) + t)];
        if (known < 0)
            known = step(p, t) ? 1 : 0;
        return known == 1;
    }

    bool step(qsizetype p, qsizetype t)
    {
        const bool textLeft = t < m_text.size();
        if (p == m_pattern.size())
            return !textLeft;
        const char16_t c = m_pattern[p].unicode();
        if (c == u'*')
            return matchFrom(p + 1, t) || (textLeft && matchFrom(p, t + 1));
        if (c == u'[') {
            const qsizetype close = m_pattern.indexOf(u']', p + 1);
            if (close == p + 1)
                return matchFrom(close + 1, t);
            return textLeft && listAt(p, close).holds(m_text[t].unicode()) && matchFrom(close + 1, t + 1);
        }
        if (!textLeft)
            return false;
        const char16_t d = m_text[t].unicode();
        const bool one = c == u'?' || (c == u'#' ? (d >= u'0' && d <= u'9') : upper(c) == upper(d));
        return one && matchFrom(p + 1, t + 1);
    }

    QStringView m_pattern;
    QStringView m_text;
    std::vector<signed char> m_known;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf(u'\n');
    // Short enough for the reference's table.
    const QString pattern = input.left(split < 0 ? input.size() : split).left(200);
    const QString text = split < 0 ? QString() : input.sliced(split + 1).left(400);

    const WildcardPattern compiled(pattern);
    FUZZ_CHECK(compiled.isValid() == Reference(pattern, text).valid());
    FUZZ_CHECK(compiled.matches(text) == Reference(pattern, text).matches());
    const QString mask = u'*' + pattern + u'*';
    FUZZ_CHECK(WildcardPattern::containing(pattern).matches(text) == Reference(mask, text).matches());
    return 0;
}
