// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MenuRules.h"

#include <QtTest>

using namespace MenuRules;

Q_DECLARE_METATYPE(MenuRules::Inputs)

// Which commands the main window enables and shows.
class TestMenuRules : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void undecidedStatesAreKept();
};

void TestMenuRules::rules_data()
{
    QTest::addColumn<Inputs>("inputs");
    // rename, remove group, remove group (pop-up), add, rate, remove, edit, find, find next, send, group commands shown
    QTest::addColumn<QString>("enabled");

    QTest::newRow("no groups") << Inputs {0, 0, 0, true, 2, 0} << "00000000101";
    QTest::newRow("groups, empty list") << Inputs {2, 0, 0, true, 2, 0} << "11110000101";
    QTest::newRow("groups and rows") << Inputs {2, 5, 0, true, 2, 0} << "11111111011";
    QTest::newRow("remembered find text") << Inputs {2, 5, 0, false, 2, 0} << "11111111111";
    QTest::newRow("entry editor open") << Inputs {2, 5, 2, false, 2, 0} << "10000000101";
    QTest::newRow("find window open") << Inputs {2, 5, 4, false, 2, 0} << "10000000101";
    QTest::newRow("a prompt open") << Inputs {2, 5, 1, true, 2, 0} << "11111111011";
    QTest::newRow("Advanced index mask: no group removal") << Inputs {2, 5, 0, true, 1, 0} << "10111111011";
    QTest::newRow("Advanced group list") << Inputs {2, 5, 0, true, 1, 1} << "11111111011";
    QTest::newRow("Advanced filters: group commands hidden") << Inputs {2, 5, 0, true, 1, 2} << "10111111010";
}

void TestMenuRules::rules()
{
    QFETCH(Inputs, inputs);
    QFETCH(QString, enabled);
    States start;  // everything on, as after an earlier update
    const States s = update(inputs, start);
    const bool flags[] = {s.renameGroup, s.removeGroup, s.removeGroupPopup, s.addMenu, s.rateMenu, s.removeEntries,
                          s.edit, s.findMenu, s.findNext, s.sendMenu, s.groupCommandsVisible};
    QString actual;
    for (const bool flag : flags)
        actual += flag ? '1' : '0';
    QCOMPARE(actual, enabled);
    // Move goes with remove, the file menus with a free window.
    QCOMPARE(s.move, s.removeEntries);
}

void TestMenuRules::undecidedStatesAreKept()
{
    States start;
    start.openUrls = false;
    start.mergeFrom = false;
    // With no rows the open and merge menus are not decided: they stay as they were.
    const States s = update(Inputs {2, 0, 0, true, 2, 0}, start);
    QVERIFY(!s.openUrls);
    QVERIFY(!s.mergeFrom);
    const States freed = update(Inputs {2, 3, 0, true, 2, 0}, s);
    QVERIFY(freed.openUrls);
    QVERIFY(freed.mergeFrom);
}


QTEST_GUILESS_MAIN(TestMenuRules)
#include "TestMenuRules.moc"
