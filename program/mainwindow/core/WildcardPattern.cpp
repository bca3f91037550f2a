// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WildcardPattern.h"

namespace {

char16_t upper(char16_t c)
{
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
    return char16_t(QChar::toUpper(char32_t(c)));
}

}  // namespace

WildcardPattern::WildcardPattern(QStringView pattern)
{
    for (qsizetype pos = 0; pos < pattern.size() && m_valid; ++pos) {
        const char16_t c = pattern[pos].unicode();
        Token token;
        switch (c) {
        case u'*':
            // Runs of stars are one star.
            if (!m_tokens.empty() && m_tokens.back().kind == Token::AnyRun)
                continue;
            token.kind = Token::AnyRun;
            break;
        case u'?':
            token.kind = Token::AnyChar;
            break;
        case u'#':
            token.kind = Token::Digit;
            break;
        case u'[':
            m_valid = parseList(pattern, pos);
            continue;
        default:
            token.literal = upper(c);
            break;
        }
        m_tokens.push_back(std::move(token));
    }
    if (!m_valid)
        m_tokens.clear();
}

// pos is at the "["; on return it is at the closing "]".
bool WildcardPattern::parseList(QStringView pattern, qsizetype &pos)
{
    const qsizetype close = pattern.indexOf(u']', pos + 1);
    if (close < 0)
        return false;
    QStringView list = pattern.sliced(pos + 1, close - pos - 1);
    pos = close;
    if (list.isEmpty())
        return true;  // "[]" matches zero characters: no token
    Token token;
    token.kind = Token::List;
    if (list.startsWith(u'!')) {
        token.negated = true;
        list = list.sliced(1);
    }
    for (qsizetype i = 0; i < list.size(); ++i) {
        const char16_t first = upper(list[i].unicode());
        if (i + 2 < list.size() && list[i + 1] == u'-') {
            const char16_t last = upper(list[i + 2].unicode());
            if (last < first)
                return false;
            token.ranges.push_back({first, last});
            i += 2;
        } else {
            token.ranges.push_back({first, first});
        }
    }
    m_tokens.push_back(std::move(token));
    return true;
}

bool WildcardPattern::tokenMatches(const Token &token, char16_t c)
{
    switch (token.kind) {
    case Token::Literal:
        return token.literal == c;
    case Token::AnyChar:
        return true;
    case Token::Digit:
        return c >= u'0' && c <= u'9';
    case Token::List: {
        bool inList = false;
        for (const Range &range : token.ranges) {
            if (c >= range.first && c <= range.last) {
                inList = true;
                break;
            }
        }
        return inList != token.negated;
    }
    case Token::AnyRun:
        break;
    }
    return false;
}

bool WildcardPattern::matches(QStringView text) const
{
    if (!m_valid)
        return false;
    // Backtracking to the last star only: every other token takes one character.
    const size_t tokenCount = m_tokens.size();
    size_t p = 0;
    qsizetype t = 0;
    size_t starToken = tokenCount;  // none yet
    qsizetype starText = 0;
    while (t < text.size()) {
        if (p < tokenCount && m_tokens[p].kind == Token::AnyRun) {
            starToken = p++;
            starText = t;
            continue;
        }
        if (p < tokenCount && tokenMatches(m_tokens[p], upper(text[t].unicode()))) {
            ++p;
            ++t;
            continue;
        }
        if (starToken == tokenCount)
            return false;
        p = starToken + 1;
        t = ++starText;
    }
    while (p < tokenCount && m_tokens[p].kind == Token::AnyRun)
        ++p;
    return p == tokenCount;
}

WildcardPattern WildcardPattern::containing(QStringView mask)
{
    return WildcardPattern(QString(QLatin1Char('*') + mask + QLatin1Char('*')));
}
