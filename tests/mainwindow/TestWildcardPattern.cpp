// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WildcardPattern.h"

#include <QtTest>

// The title mask's pattern match.
class TestWildcardPattern : public QObject
{
    Q_OBJECT

private slots:
    void wholeMatch_data();
    void wholeMatch();
    void titleMask_data();
    void titleMask();
    void longTextsStayFast();
};

void TestWildcardPattern::wholeMatch_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");

    QTest::newRow("literal") << "abc"
                             << "abc" << true;
    QTest::newRow("literal differs in length") << "abc"
                                               << "abcd" << false;
    QTest::newRow("case-insensitive") << "AbC"
                                      << "aBc" << true;
    QTest::newRow("non-ASCII case-insensitive")
        << QString::fromUtf8("ÉTÉ") << QString::fromUtf8("été") << true;
    QTest::newRow("star matches empty run") << "a*c"
                                            << "ac" << true;
    QTest::newRow("star matches long run") << "a*c"
                                           << "abbbbbc" << true;
    QTest::newRow("star backtracks") << "a*bc"
                                     << "abxbc" << true;
    QTest::newRow("several stars") << "*a*b*c*"
                                   << "xxaxxbxxcxx" << true;
    QTest::newRow("stars in wrong order") << "*c*a*"
                                          << "abc" << false;
    QTest::newRow("question mark is one character") << "a?c"
                                                    << "abc" << true;
    QTest::newRow("question mark needs a character") << "a?c"
                                                     << "ac" << false;
    QTest::newRow("hash is a digit") << "v#"
                                     << "v7" << true;
    QTest::newRow("hash is not a letter") << "v#"
                                          << "vx" << false;
    QTest::newRow("list") << "[xyz]1"
                          << "y1" << true;
    QTest::newRow("list miss") << "[xyz]1"
                               << "a1" << false;
    QTest::newRow("negated list") << "[!xyz]1"
                                  << "a1" << true;
    QTest::newRow("negated list miss") << "[!xyz]1"
                                       << "x1" << false;
    QTest::newRow("range") << "[a-c]"
                           << "b" << true;
    QTest::newRow("range case-insensitive") << "[a-c]"
                                            << "B" << true;
    QTest::newRow("range miss") << "[a-c]"
                                << "d" << false;
    QTest::newRow("several ranges") << "[a-c0-9]"
                                    << "5" << true;
    QTest::newRow("hyphen first is literal") << "[-a]"
                                             << "-" << true;
    QTest::newRow("hyphen last is literal") << "[a-]"
                                            << "-" << true;
    QTest::newRow("special characters literal in a list") << "[*?#[]"
                                                          << "?" << true;
    QTest::newRow("star in a list is not a wildcard") << "[*]"
                                                      << "x" << false;
    QTest::newRow("exclamation mark not first is literal") << "[a!]"
                                                           << "!" << true;
    QTest::newRow("empty list matches nothing") << "a[]b"
                                                << "ab" << true;
    QTest::newRow("closing bracket outside a list is literal") << "a]"
                                                               << "a]" << true;
    QTest::newRow("unclosed list is invalid") << "a[bc"
                                              << "a[bc" << false;
    QTest::newRow("descending range is invalid") << "[c-a]"
                                                 << "b" << false;
    QTest::newRow("empty pattern matches empty text") << ""
                                                      << "" << true;
    QTest::newRow("empty pattern does not match text") << ""
                                                       << "a" << false;
}

void TestWildcardPattern::wholeMatch()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    QCOMPARE(WildcardPattern(pattern).matches(text), matches);
}

void TestWildcardPattern::titleMask_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("matches");

    QTest::newRow("a?c finds ABC inside") << "a?c"
                                          << "The ABC Book" << true;
    QTest::newRow("a?c finds a-c") << "a?c"
                                   << "a-c" << true;
    QTest::newRow("a?c misses ac") << "a?c"
                                   << "ac" << false;
    QTest::newRow("bracket starts a list") << "[abc"
                                           << "[abc" << false;
    QTest::newRow("list inside a title") << "v[0-9]"
                                         << "Release v2 notes" << true;
    QTest::newRow("digits anywhere") << "##"
                                     << "Top 10" << true;
    QTest::newRow("no digits") << "##"
                               << "Top ten" << false;
    QTest::newRow("star in mask") << "qt*doc"
                                  << "Qt 6 documentation" << true;
}

void TestWildcardPattern::titleMask()
{
    QFETCH(QString, mask);
    QFETCH(QString, title);
    QFETCH(bool, matches);
    QCOMPARE(WildcardPattern::containing(mask).matches(title), matches);
}

// Many stars against a long text that almost matches must not take
// exponential time (the test would never end).
void TestWildcardPattern::longTextsStayFast()
{
    const QString text = QString(5000, 'a');
    const WildcardPattern pattern(QString("*a*a*a*a*a*a*a*a*a*a*a*b"));
    QVERIFY(!pattern.matches(text));
}

QTEST_GUILESS_MAIN(TestWildcardPattern)
#include "TestWildcardPattern.moc"
