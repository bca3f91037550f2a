// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsCodec.h"
#include "SettingsField.h"

#include <QtTest>

using namespace SettingsCodec;

// The three settings values: layouts and the rules for reading their fields.
class TestSettingsCodec : public QObject
{
    Q_OBJECT

private slots:
    void fieldReading_data();
    void fieldReading();
    void idBothWays_data();
    void idBothWays();
    void idFields_data();
    void idFields();
    void cfBothWays();
    void cfFields_data();
    void cfFields();
    void chBothWays();
    void flagWord_data();
    void flagWord();
};

void TestSettingsCodec::fieldReading_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("number");  // -999: nothing
    QTest::addColumn<int>("flag");    // -1: nothing, 0 false, 1 true
    QTest::addColumn<int>("leading");

    QTest::newRow("digits") << "42" << 42 << 1 << 42;
    QTest::newRow("zero") << "0" << 0 << 0 << 0;
    QTest::newRow("negative") << "-7" << -7 << 1 << -7;
    QTest::newRow("True") << "True" << -999 << 1 << 0;
    QTest::newRow("false any case") << "fALSE" << -999 << 0 << 0;
    QTest::newRow("empty") << "" << -999 << -1 << 0;
    QTest::newRow("text") << "abc" << -999 << -1 << 0;
    QTest::newRow("number then text") << "2x" << -999 << -1 << 2;
    QTest::newRow("out of range") << "99999999999" << -999 << 1 << 2147483647;
}

void TestSettingsCodec::fieldReading()
{
    QFETCH(QString, field);
    QFETCH(int, number);
    QFETCH(int, flag);
    QFETCH(int, leading);
    QCOMPARE(SettingsField::number(field, INT_MIN, INT_MAX).value_or(-999), number);
    const std::optional<bool> f = SettingsField::flag(field);
    QCOMPARE(f ? int(*f) : -1, flag);
    QCOMPARE(SettingsField::leadingNumber(field), leading);
}

void TestSettingsCodec::idBothWays_data()
{
    QTest::addColumn<int>("mT");
    QTest::addColumn<bool>("aI");
    QTest::addColumn<bool>("iAOT");
    QTest::addColumn<bool>("dTI");
    QTest::addColumn<QString>("expected");

    QTest::newRow("defaults") << 0 << false << true << false << "0 -30 4500 1 1 0 False False";
    QTest::newRow("everything on") << 2 << true << false << true << "2 -30 4500 0 0 1 True True";
}

void TestSettingsCodec::idBothWays()
{
    QFETCH(int, mT);
    QFETCH(bool, aI);
    QFETCH(bool, iAOT);
    QFETCH(bool, dTI);
    QFETCH(QString, expected);

    AppSettings settings;
    settings.mT = mT;
    settings.trayTop = -30;
    settings.trayLeft = 4500;
    settings.aI = aI;
    settings.iAOT = iAOT;
    settings.oC = dTI ? 1 : 0;
    settings.dTI = dTI;
    settings.hAI = dTI;
    QCOMPARE(composeId(settings), expected);

    const IdFields id = parseId(expected);
    QVERIFY(!id.nothingStored);
    QCOMPARE(id.fieldCount, 8);
    QCOMPARE(id.mT, mT);
    QCOMPARE(id.trayTop, std::optional<int>(-30));
    QCOMPARE(id.trayLeft, std::optional<int>(4500));
    QCOMPARE(id.activeIconShown, std::optional<bool>(aI));
    QCOMPARE(id.iAOT, std::optional<bool>(iAOT));
    QCOMPARE(id.oC, std::optional<int>(dTI ? 1 : 0));
    QCOMPARE(id.dTI, std::optional<bool>(dTI));
    QCOMPARE(id.hAI, std::optional<bool>(dTI));
}

void TestSettingsCodec::idFields_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("nothingStored");
    QTest::addColumn<int>("mT");
    QTest::addColumn<bool>("hasTray");
    QTest::addColumn<bool>("hasDti");

    QTest::newRow("nothing stored") << "" << true << 0 << false << false;
    QTest::newRow("mT 7 is 0") << "7 1 1 1 1 0 True False" << false << 0 << true << true;
    QTest::newRow("mT -1 is 0") << "-1 1 1 1 1 0 True False" << false << 0 << true << true;
    QTest::newRow("mT letter is 0") << "x 1 1 1 1 0 True False" << false << 0 << true << true;
    QTest::newRow("mT 3 is kept") << "3 1 1 1 1 0 True False" << false << 3 << true << true;
    QTest::newRow("one field") << "2" << false << 2 << false << false;
    QTest::newRow("empty field in the middle") << "1  5 1 1 0 True" << false << 1 << false << true;
    QTest::newRow("text for a flag") << "1 1 1 1 1 0 maybe" << false << 1 << true << false;
    QTest::newRow("too many fields") << "1 1 1 1 1 0 True True extra more" << false << 1 << true << true;
}

void TestSettingsCodec::idFields()
{
    QFETCH(QString, value);
    QFETCH(bool, nothingStored);
    QFETCH(int, mT);
    QFETCH(bool, hasTray);
    QFETCH(bool, hasDti);

    const IdFields id = parseId(value);
    QCOMPARE(id.nothingStored, nothingStored);
    QCOMPARE(id.mT, mT);
    QCOMPARE(id.trayTop.has_value(), hasTray);
    QCOMPARE(id.dTI.has_value(), hasDti);
}

void TestSettingsCodec::cfBothWays()
{
    AppSettings settings;
    settings.mT = 1;
    settings.pB = 2;
    settings.cAF = 1;
    settings.uSK = true;
    settings.aSU = false;
    MainWindowLayout layout;
    layout.top = 100;
    layout.left = -20;
    layout.width = 9000;
    layout.height = 6000;
    layout.currentTab = 2;
    layout.advMode = 0;
    layout.tabPlacement = 3;
    layout.selectedGroup = -1;
    layout.fullWindow = true;
    layout.filterAdvanced = false;
    layout.slideButtonsOut = {true, false, true, false, false};

    const QString cf = composeCf(settings, layout);
    QCOMPARE(cf, QString("133 1 2 3 2 0 -1 100 -20 9000 6000 5 1 "));
    const CfFields back = parseCf(cf);
    QCOMPARE(back.flagWord, std::optional<int>(133));
    QCOMPARE(back.mT, std::optional<int>(1));
    QCOMPARE(back.pB, std::optional<int>(2));
    QCOMPARE(back.tP, std::optional<int>(3));
    QCOMPARE(back.currentTab, std::optional<int>(2));
    QCOMPARE(back.advMode, std::optional<int>(0));
    QCOMPARE(back.selectedGroup, std::optional<int>(-1));
    QCOMPARE(back.mainTop, std::optional<int>(100));
    QCOMPARE(back.mainLeft, std::optional<int>(-20));
    QCOMPARE(back.mainWidth, std::optional<int>(9000));
    QCOMPARE(back.mainHeight, std::optional<int>(6000));
    QCOMPARE(back.slideMask, std::optional<int>(5));
    QCOMPARE(back.cAF, std::optional<int>(1));
    QCOMPARE(back.rememberedGroup, -1);
}

void TestSettingsCodec::cfFields_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("present");  // which of fields 0-12 hold something, as 13 characters

    QTest::newRow("nothing stored") << "" << "0000000000000";
    QTest::newRow("ends after field 5") << "0 0 1 0 1 2" << "1111110000000";
    QTest::newRow("text where numbers belong") << "x 0 y 0 1 z 0 a 0 0 0 0 0 " << "0101101011111";
    QTest::newRow("browser out of range") << "0 0 7 0 1 1 0 0 0 0 0 0 9 " << "1101111111110";
    QTest::newRow("tab read by its leading number") << "0 0 0 0 2x 1 0 0 0 0 0 0 0 " << "1111111111111";
    QTest::newRow("tab that does not exist") << "0 0 0 0 5 1 0 0 0 0 0 0 0 " << "1111011111111";
    QTest::newRow("group out of 16 bits") << "0 0 0 0 1 1 40000 0 0 0 0 0 0 " << "1111110111111";
    QTest::newRow("huge geometry") << "0 0 0 0 1 1 0 99999999999 0 0 0 0 0 " << "1111111011111";
    QTest::newRow("negative flag word") << "-1 0 0 0 1 1 0 0 0 0 0 0 0 " << "0111111111111";
}

void TestSettingsCodec::cfFields()
{
    QFETCH(QString, value);
    QFETCH(QString, present);

    const CfFields cf = parseCf(value);
    const std::optional<int> fields[] = {cf.flagWord,   cf.mT,       cf.pB,        cf.tP,       cf.currentTab,
                                         cf.advMode,    cf.selectedGroup, cf.mainTop, cf.mainLeft, cf.mainWidth,
                                         cf.mainHeight, cf.slideMask, cf.cAF};
    QString actual;
    for (const auto &field : fields)
        actual += field ? '1' : '0';
    QCOMPARE(actual, present);
}

void TestSettingsCodec::chBothWays()
{
    const QString ch = composeCh({3000, 1200, 0, 900, 1, 2, 3, 4, 5, 6, 7});
    QCOMPARE(ch, QString("3000 1200 0 900 1 2 3 4 5 "));  // at most nine, each followed by a blank
    const auto widths = parseCh(ch);
    QCOMPARE(widths[0], std::optional<int>(3000));
    QCOMPARE(widths[8], std::optional<int>(5));
    const auto few = parseCh("10 x  40000 ");
    QCOMPARE(few[0], std::optional<int>(10));
    QVERIFY(!few[1]);  // text
    QVERIFY(!few[2]);  // empty
    QVERIFY(!few[3]);  // past 16 bits
    QVERIFY(!few[5]);  // missing
}

void TestSettingsCodec::flagWord_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<bool>("autoOn");
    QTest::newRow("0: all four auto options on") << 0 << true;
    QTest::newRow("240: all four off") << 240 << false;
    QTest::newRow("15: on, whatever the other flags") << 15 << true;
}

void TestSettingsCodec::flagWord()
{
    QFETCH(int, word);
    QFETCH(bool, autoOn);
    AppSettings settings;
    settings.aLS = settings.aSS = settings.aLU = settings.aSU = !autoOn;
    applyAutoOptions(settings, word);
    QCOMPARE(settings.aLS, autoOn);
    QCOMPARE(settings.aSS, autoOn);
    QCOMPARE(settings.aLU, autoOn);
    QCOMPARE(settings.aSU, autoOn);
    // Composed back, the auto bits are the same.
    QCOMPARE(SettingsCodec::flagWord(settings, false, false) & 240, word & 240);
}

QTEST_GUILESS_MAIN(TestSettingsCodec)
#include "TestSettingsCodec.moc"
