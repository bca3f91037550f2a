// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FilterSection.h"
#include "TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <tuple>

namespace {

const char *const contentFrames[] = {"Frame2", "visitedFrame", "accessedFrame", "addedFrame", "Frame4"};
// The controls of the eight settings, in the order of settingsOf().
const char *const settingControls[]
    = {"Combo3_0", "Text2_0", "Combo3_1", "Text2_1", "Combo3_2", "Combo3_3", "Text2_2", "Combo3_4"};

const auto indexed = [](const char *name, int index) { return QString("%1_%2").arg(name).arg(index); };

// The eight settings: visited mode and count; accessed mode, amount and unit;
// added mode, amount and unit.
ViewFilter filterWith(const QList<int> &s)
{
    ViewFilter f;
    std::tie(f.visitedMode, f.visitedCount, f.accessedMode, f.accessedAmount, f.accessedUnit, f.addedMode,
             f.addedAmount, f.addedUnit)
        = std::tuple(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]);
    return f;
}

QList<int> settingsOf(const ViewFilter &f)
{
    return {f.visitedMode,  f.visitedCount, f.accessedMode, f.accessedAmount,
            f.accessedUnit, f.addedMode,    f.addedAmount,  f.addedUnit};
}

}  // namespace

// The filter section of the index panel, driven through its controls by name.
class TestFilterSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<FilterSection> m_section;

    template<class T = QWidget> T *control(const QString &name) const
    {
        if (T *widget = m_section->findChild<T *>(name))
            return widget;
        qFatal("no control %s", qPrintable(name));
    }

    QWidget *panel() const { return control("filter3Box"); }

    // Each header sits on the bottom of the section above it; open contents
    // sit right under their headers; the panel ends where the last section does.
    void checkStacking() const
    {
        int bottom = 0;
        for (int i = 0; i < FilterSection::sectionCount; ++i) {
            QWidget *header = control(indexed("slideSwitch", i)), *content = control(contentFrames[i]);
            QCOMPARE(header->y(), bottom);
            bottom += header->height();
            QCOMPARE(content->isHidden(), !m_section->isSectionOpen(i));
            if (!content->isHidden()) {
                QCOMPARE(content->y(), bottom);
                bottom += content->height();
            }
        }
        QCOMPARE(panel()->height(), bottom);
    }

    // A drag by dy pixels with the left button.
    void drag(QWidget *target, int dy) const
    {
        const QPointF at(target->width() / 2, target->height() / 2), global(500, 500), shift(0, dy);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QMouseEvent move(QEvent::MouseMove, at + shift, global + shift, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, at + shift, global + shift, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    }

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void init()
    {
        m_section = std::make_unique<FilterSection>();
        m_section->resize(200, 900);
        m_section->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_section.get()));
        QCOMPARE(m_section->objectName(), QString("indexBox"));
    }

    void cleanup() { m_section.reset(); }

    void loadAndApply_data()
    {
        QTest::addColumn<QList<int>>("loaded");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QList<int>>("applied");
        const QList<int> distinct = {1, -32768, 2, 17, 1, 3, 32767, 2};  // 16-bit extremes
        QTest::newRow("every setting different")
            << distinct
            << QStringList {"More Than", "-32768", "Less Than", "17", "Weeks", "Equal To", "32767", "Months"}
            << distinct;
        // Mode 4 and unit 3 are one past the last items.
        QTest::newRow("out of range: first item")
            << QList<int> {4, 0, -1, 0, 3, -1, 0, -1}
            << QStringList {"OFF", "0", "OFF", "0", "Days", "OFF", "0", "Days"} << QList<int>(8, 0);
    }

    // The controls show the loaded settings, and applying reads them back,
    // leaving the text mask alone.
    void loadAndApply()
    {
        QFETCH(QList<int>, loaded);
        QFETCH(QStringList, shown);
        QFETCH(QList<int>, applied);
        m_section->loadFilter(filterWith({3, 9, 3, 9, 2, 3, 9, 2}));  // last items: every control changes
        m_section->loadFilter(filterWith(loaded));
        QStringList texts;
        for (const char *name : settingControls)
            texts << (name[0] == 'C' ? control<QComboBox>(name)->currentText()
                                     : control<QLineEdit>(name)->text());
        QCOMPARE(texts, shown);
        ViewFilter filter = filterWith({2, 5, 3, 6, 1, 1, 7, 1});
        filter.textMask = "kept";
        QVERIFY(m_section->applyFilter(filter).isEmpty());
        QCOMPARE(settingsOf(filter), applied);
        QCOMPARE(filter.textMask, QString("kept"));
    }

    void countTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("value");
        // "010" is decimal, not octal.
        for (auto [text, value] : std::initializer_list<std::pair<const char *, int>> {
                 {"0", 0}, {" \t42 ", 42}, {"010", 10}, {"+5", 5}, {"-32768", -32768}, {"32767", 32767}})
            QTest::newRow(text) << text << true << value;
        for (const char *text :
             {"", "   ", "12abc", "1.5", "1 2", "-", "0x10", "32768", "-32769", "99999999999"})
            QTest::newRow(text) << text << false << 0;
    }

    // Every box holds the text; a rejected box keeps its setting without stopping
    // the reads after it, and every box then shows its setting.
    void countTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(int, value);
        m_section->loadFilter(filterWith({1, 0, 2, 0, 1, 3, 0, 2}));
        for (int i = 0; i < 3; ++i)
            control<QLineEdit>(indexed("Text2", i))->setText(text);

        ViewFilter filter = filterWith({0, 5, 0, 6, 0, 0, 7, 0});
        QStringList rejected;
        for (const QLineEdit *box : m_section->applyFilter(filter))
            rejected << box->objectName();
        QCOMPARE(rejected,
                 accepted ? QStringList() : QStringList({"Text2_0", "Text2_2", "Text2_1"}));  // reading order
        const QList<int> counts = accepted ? QList<int> {value, value, value} : QList<int> {5, 6, 7};
        QCOMPARE(settingsOf(filter),
                 settingsOf(filterWith({1, counts[0], 2, counts[1], 1, 3, counts[2], 2})));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(control<QLineEdit>(indexed("Text2", i))->text(), QString::number(counts[i]));
    }

    void ratingBoxes_data()
    {
        QTest::addColumn<QList<bool>>("mask");
        QTest::addColumn<QString>("button");  // clicked before applying
        const QList<bool> odd {false, true, false, true, false, true};
        QTest::newRow("boxes show the mask") << odd << "";
        QTest::newRow("Clear") << QList<bool> {true, false, true, false, true, false} << "cmdIndex_4";
        QTest::newRow("Set") << odd << "cmdIndex_5";
    }

    // The boxes show the mask; Clear and Set change only the boxes; applying
    // stores the boxes into a mask that starts opposite, leaving rating 5 alone.
    void ratingBoxes()
    {
        QFETCH(QList<bool>, mask);
        QFETCH(QString, button);
        ViewFilter filter;
        std::copy(mask.begin(), mask.end(), filter.ratingMask.begin());
        m_section->syncRatingMask(filter, false);
        QList<bool> boxes = mask.first(5);
        if (!button.isEmpty()) {
            QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
            boxes.fill(button == "cmdIndex_5");
        }
        for (bool &shown : filter.ratingMask)
            shown = !shown;
        m_section->applyFilter(filter);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(control<QCheckBox>(indexed("ratedBox", i))->isChecked(), boxes[i]);
            QCOMPARE(filter.ratingMask[size_t(i)], boxes[i]);
        }
        QCOMPARE(filter.ratingMask[5], !mask[5]);  // no box for rating 5
    }

    void slideButtonAndBumpToggleSections()
    {
        QCOMPARE(m_section->slideMask(), 31);  // every section starts open
        auto *button = control<QToolButton>("slideButton_1");
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(m_section->slideMask(), 31 & ~2);
        QCOMPARE(button->property("tag").toString(), QString("False"));
        checkStacking();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(m_section->slideMask(), 31);

        m_section->slideBump(2, true);
        m_section->slideBump(0, true);
        m_section->slideBump(2, false);  // restacks without flipping
        QCOMPARE(m_section->slideMask(), 31 & ~4 & ~1);
        checkStacking();
    }

    void slideMaskOpensAndStacksSections_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("expected");
        QTest::newRow("1, 2 and 4") << 22 << 22;
        QTest::newRow("0 and 3") << 9 << 9;
        QTest::newRow("bits beyond the sections ignored") << (0x7fe0 | 5) << 5;
    }

    void slideMaskOpensAndStacksSections()
    {
        QFETCH(int, mask);
        QFETCH(int, expected);
        m_section->setSlideMask(~expected & 31);  // start from the opposite
        m_section->setSlideMask(mask);
        QCOMPARE(m_section->slideMask(), expected);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(control<QToolButton>(indexed("slideButton", i))->property("tag").toString(),
                     QString(expected & (1 << i) ? "True" : "False"));
        checkStacking();
    }

    void dragIsClamped_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("on the panel") << "filter3Box";
        QTest::newRow("on a section frame") << "visitedFrame";
        QTest::newRow("on a label") << "Times";
    }

    void dragIsClamped()
    {
        QFETCH(QString, target);
        const int panelHeight = panel()->height();
        m_section->resize(200, panelHeight / 3);
        QWidget *on = target == "Times" ? control("visitedFrame")->findChild<QLabel *>() : control(target);

        drag(on, -30);
        QCOMPARE(panel()->y(), -30);
        drag(on, 10);
        QCOMPARE(panel()->y(), -20);
        drag(on, 100000);
        QCOMPARE(panel()->y(), 0);
    }

    void resizeAndSlideBumpReclamp()
    {
        const int panelHeight = panel()->height();
        m_section->resize(200, panelHeight / 3);
        drag(panel(), -100000);
        QCOMPARE(panel()->y(), panelHeight / 3 - panelHeight);

        // A taller viewport pulls the panel down so that no gap opens below it.
        m_section->resize(200, panelHeight * 2 / 3);
        QCOMPARE(panel()->y(), panelHeight * 2 / 3 - panelHeight);

        // Closing the tallest section makes the panel shorter than the viewport,
        // which keeps it at the top, even when dragged up.
        m_section->resize(200, panelHeight - 20);
        drag(panel(), -100000);
        QCOMPARE(panel()->y(), -20);
        m_section->slideBump(0, true);
        QCOMPARE(panel()->y(), 0);
        drag(panel(), -50);
        QCOMPARE(panel()->y(), 0);
    }

    void wheelScrollsWithinBounds()
    {
        const int panelHeight = panel()->height(), lowestTop = panelHeight / 2 - panelHeight;
        m_section->resize(200, panelHeight / 2);
        for (int angle : {-120, 120}) {
            const QPointF at(100, 10);
            QWheelEvent event(at, m_section->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(m_section.get(), &event);
            QVERIFY(panel()->y() < 0 && panel()->y() > lowestTop);  // one step scrolls, within bounds
            for (int i = 0; i < 100; ++i)
                QApplication::sendEvent(m_section.get(), &event);
            QCOMPARE(panel()->y(), angle < 0 ? lowestTop : 0);
        }
    }

    void focusedControlIsScrolledIntoView()
    {
        m_section->resize(200, panel()->height() / 3);
        m_section->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_section.get()));
        for (const char *name : {"txtFilter", "ratedBox_0", "Text2_1"}) {
            QWidget *widget = control(name);
            widget->setFocus(Qt::TabFocusReason);
            const QRect shown(widget->mapTo(m_section.get(), QPoint(0, 0)), widget->size());
            QVERIFY2(m_section->rect().contains(shown), name);
        }
    }

    void enterInTextMaskEmits_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }

    // Only Enter in the text mask box emits; typing and Enter elsewhere do not.
    void enterInTextMaskEmits()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QSignalSpy entered(m_section.get(), &FilterSection::textMaskEntered);
        auto *box = control<QLineEdit>("txtFilter");
        QTest::keyClicks(box, "a*b?");
        QTest::keyClick(control<QLineEdit>("Text2_0"), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(entered.count(), 0);
        QTest::keyClick(box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(entered.count(), 1);
        QCOMPARE(m_section->textMask(), QString("a*b?"));
        m_section->clearTextMask();
        QCOMPARE(box->text(), QString());
    }
};

QTEST_MAIN(TestFilterSection)
#include "TestFilterSection.moc"
