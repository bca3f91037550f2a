// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// The classic pattern match, case-insensitive: "*" matches any run of
// characters, "?" any one character, "#" any one digit, "[list]" one
// character of the list and "[!list]" one character not in it; a list may
// hold ranges such as "a-c". A "-" at the start or end of a list, and
// "*", "?", "#", "[" inside it, stand for themselves; "[]" matches nothing
// (zero characters). An unclosed list or a descending range makes the
// pattern invalid: an invalid pattern matches no text.
class WildcardPattern
{
public:
    explicit WildcardPattern(QStringView pattern);

    bool isValid() const { return m_valid; }
    // The whole text must match the whole pattern.
    bool matches(QStringView text) const;

    // The title filter of the entry list: the mask anywhere in the text.
    static WildcardPattern containing(QStringView mask);

private:
    struct Range
    {
        char16_t first;
        char16_t last;
    };
    struct Token
    {
        enum Kind { Literal, AnyChar, Digit, List, AnyRun } kind = Literal;
        char16_t literal = 0;
        bool negated = false;
        std::vector<Range> ranges;
    };

    bool parseList(QStringView pattern, qsizetype &pos);
    static bool tokenMatches(const Token &token, char16_t c);

    std::vector<Token> m_tokens;
    bool m_valid = true;
};
