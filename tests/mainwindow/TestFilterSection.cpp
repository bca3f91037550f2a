#include "FilterSection.h"
#include "TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(ViewFilter)

namespace {

const char *const contentFrames[] = {"Frame2", "visitedFrame", "accessedFrame", "addedFrame", "Frame4"};

QString indexed(const char *name, int index)
{
    return QString("%1_%2").arg(name).arg(index);
}

ViewFilter filterWith(int visitedMode, int visitedCount, int accessedMode, int accessedAmount,
                      int accessedUnit, int addedMode, int addedAmount, int addedUnit)
{
    ViewFilter filter;
    filter.visitedMode = visitedMode;
    filter.visitedCount = visitedCount;
    filter.accessedMode = accessedMode;
    filter.accessedAmount = accessedAmount;
    filter.accessedUnit = accessedUnit;
    filter.addedMode = addedMode;
    filter.addedAmount = addedAmount;
    filter.addedUnit = addedUnit;
    return filter;
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

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void combosListModesAndUnits_data();
    void combosListModesAndUnits();
    void loadFilterSetsNamedControls();
    void loadFilterShowsFirstItemOutOfRange_data();
    void loadFilterShowsFirstItemOutOfRange();
    void applyFilterReadsNamedControls();
    void loadApplyRoundTrip_data();
    void loadApplyRoundTrip();
    void acceptedCountTexts_data();
    void acceptedCountTexts();
    void rejectedCountTextsKeepValues_data();
    void rejectedCountTextsKeepValues();
    void rejectedBoxDoesNotStopLaterReads();

    void ratingBoxesFollowAndSetMask_data();
    void ratingBoxesFollowAndSetMask();
    void clearAndSetChangeBoxesUntilApply_data();
    void clearAndSetChangeBoxesUntilApply();

    void closingVisitedMovesLowerSectionsUp();
    void slideMaskOpensAndStacksSections_data();
    void slideMaskOpensAndStacksSections();
    void slideBumpChangesSlideMask();

    void dragIsClamped_data();
    void dragIsClamped();
    void shortPanelStaysAtTop();
    void resizeAndSlideBumpReclamp();
    void wheelScrollsWithinBounds();
    void focusedControlIsScrolledIntoView();

    void enterInTextMaskEmits_data();
    void enterInTextMaskEmits();
    void typingAndOtherBoxesEmitNothing();

private:
    template<class T> T *control(const QString &name) const
    {
        T *widget = m_section->findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QWidget *panel() const { return control<QWidget>("filter3Box"); }
    void checkStacking() const;
    void drag(QWidget *target, int dy) const;

    std::unique_ptr<FilterSection> m_section;
};

void TestFilterSection::initTestCase()
{
    TestEnvironment::isolate();
}

void TestFilterSection::init()
{
    m_section = std::make_unique<FilterSection>();
    m_section->resize(200, 900);
    m_section->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_section.get()));
    QCOMPARE(m_section->objectName(), QString("indexBox"));
}

void TestFilterSection::cleanup()
{
    m_section.reset();
}

// Each header sits on the bottom of the section above it; open contents
// sit right under their headers; the panel ends where the last section does.
void TestFilterSection::checkStacking() const
{
    int bottom = 0;
    for (int i = 0; i < FilterSection::sectionCount; ++i) {
        const QRect header = control<QFrame>(indexed("slideSwitch", i))->geometry();
        QFrame *content = control<QFrame>(contentFrames[i]);
        QCOMPARE(header.top(), bottom);
        bottom = header.top() + header.height();
        QCOMPARE(content->isHidden(), !m_section->isSectionOpen(i));
        if (m_section->isSectionOpen(i)) {
            QCOMPARE(content->y(), bottom);
            bottom += content->height();
        }
    }
    QCOMPARE(panel()->height(), bottom);
}

void TestFilterSection::drag(QWidget *target, int dy) const
{
    const QPointF local(target->width() / 2, target->height() / 2);
    const QPointF global(500, 500);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent move(QEvent::MouseMove, local + QPointF(0, dy), global + QPointF(0, dy), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, local + QPointF(0, dy), global + QPointF(0, dy),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

void TestFilterSection::combosListModesAndUnits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    const QStringList modes = {"OFF", "More Than", "Less Than", "Equal To"};
    const QStringList units = {"Days", "Weeks", "Months"};
    QTest::newRow("visited mode") << "Combo3_0" << modes;
    QTest::newRow("accessed mode") << "Combo3_1" << modes;
    QTest::newRow("accessed unit") << "Combo3_2" << units;
    QTest::newRow("added mode") << "Combo3_3" << modes;
    QTest::newRow("added unit") << "Combo3_4" << units;
}

void TestFilterSection::combosListModesAndUnits()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    auto *combo = control<QComboBox>(name);
    QStringList listed;
    for (int i = 0; i < combo->count(); ++i)
        listed << combo->itemText(i);
    QCOMPARE(listed, items);
}

void TestFilterSection::loadFilterSetsNamedControls()
{
    m_section->loadFilter(filterWith(1, 17, 2, -5, 1, 3, 32767, 2));
    QCOMPARE(control<QComboBox>("Combo3_0")->currentIndex(), 1);
    QCOMPARE(control<QLineEdit>("Text2_0")->text(), QString("17"));
    QCOMPARE(control<QComboBox>("Combo3_1")->currentIndex(), 2);
    QCOMPARE(control<QLineEdit>("Text2_1")->text(), QString("-5"));
    QCOMPARE(control<QComboBox>("Combo3_2")->currentIndex(), 1);
    QCOMPARE(control<QComboBox>("Combo3_3")->currentIndex(), 3);
    QCOMPARE(control<QLineEdit>("Text2_2")->text(), QString("32767"));
    QCOMPARE(control<QComboBox>("Combo3_4")->currentIndex(), 2);
}

void TestFilterSection::loadFilterShowsFirstItemOutOfRange_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("unit");
    QTest::newRow("mode 4, unit 3") << 4 << 3;
    QTest::newRow("negative") << -1 << -1;
    QTest::newRow("far out") << 200 << 9;
}

void TestFilterSection::loadFilterShowsFirstItemOutOfRange()
{
    QFETCH(int, mode);
    QFETCH(int, unit);
    m_section->loadFilter(filterWith(3, 0, 3, 0, 2, 3, 0, 2));
    m_section->loadFilter(filterWith(mode, 0, mode, 0, unit, mode, 0, unit));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(control<QComboBox>(indexed("Combo3", i))->currentIndex(), 0);
}

void TestFilterSection::applyFilterReadsNamedControls()
{
    control<QComboBox>("Combo3_0")->setCurrentIndex(3);
    control<QLineEdit>("Text2_0")->setText("11");
    control<QComboBox>("Combo3_1")->setCurrentIndex(1);
    control<QLineEdit>("Text2_1")->setText("22");
    control<QComboBox>("Combo3_2")->setCurrentIndex(2);
    control<QComboBox>("Combo3_3")->setCurrentIndex(2);
    control<QLineEdit>("Text2_2")->setText("33");
    control<QComboBox>("Combo3_4")->setCurrentIndex(1);

    ViewFilter filter;
    filter.textMask = "kept";
    QVERIFY(m_section->applyFilter(filter).isEmpty());
    QCOMPARE(settingsOf(filter), settingsOf(filterWith(3, 11, 1, 22, 2, 2, 33, 1)));
    QCOMPARE(filter.textMask, QString("kept"));
}

void TestFilterSection::loadApplyRoundTrip_data()
{
    QTest::addColumn<ViewFilter>("loaded");
    QTest::newRow("all off") << ViewFilter();
    QTest::newRow("every setting different") << filterWith(1, 17, 2, 4, 1, 3, 9, 2);
    QTest::newRow("16-bit extremes") << filterWith(3, -32768, 1, 32767, 2, 2, -1, 0);
}

void TestFilterSection::loadApplyRoundTrip()
{
    QFETCH(ViewFilter, loaded);
    m_section->loadFilter(loaded);
    ViewFilter applied = filterWith(2, 5, 3, 6, 1, 1, 7, 1);
    QVERIFY(m_section->applyFilter(applied).isEmpty());
    QCOMPARE(settingsOf(applied), settingsOf(loaded));
}

void TestFilterSection::acceptedCountTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("blanks around") << "  42 " << 42;
    QTest::newRow("tab around") << "\t9\t" << 9;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("plus sign") << "+5" << 5;
    QTest::newRow("lowest") << "-32768" << -32768;
    QTest::newRow("highest") << "32767" << 32767;
}

void TestFilterSection::acceptedCountTexts()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    for (int i = 0; i < 3; ++i)
        control<QLineEdit>(indexed("Text2", i))->setText(text);
    ViewFilter filter = filterWith(0, 1, 0, 2, 0, 0, 3, 0);
    QVERIFY(m_section->applyFilter(filter).isEmpty());
    QCOMPARE(filter.visitedCount, value);
    QCOMPARE(filter.accessedAmount, value);
    QCOMPARE(filter.addedAmount, value);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(control<QLineEdit>(indexed("Text2", i))->text(), QString::number(value));
}

void TestFilterSection::rejectedCountTextsKeepValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("letters") << "abc";
    QTest::newRow("number then letters") << "12abc";
    QTest::newRow("fraction") << "1.5";
    QTest::newRow("blank inside") << "1 2";
    QTest::newRow("sign only") << "-";
    QTest::newRow("hexadecimal") << "0x10";
    QTest::newRow("exponent") << "1e3";
    QTest::newRow("one above the range") << "32768";
    QTest::newRow("one below the range") << "-32769";
    QTest::newRow("beyond 32 bits") << "99999999999";
}

void TestFilterSection::rejectedCountTextsKeepValues()
{
    QFETCH(QString, text);
    for (int i = 0; i < 3; ++i)
        control<QLineEdit>(indexed("Text2", i))->setText(text);
    control<QComboBox>("Combo3_0")->setCurrentIndex(1);
    control<QComboBox>("Combo3_1")->setCurrentIndex(2);
    control<QComboBox>("Combo3_2")->setCurrentIndex(1);
    control<QComboBox>("Combo3_3")->setCurrentIndex(3);
    control<QComboBox>("Combo3_4")->setCurrentIndex(2);

    ViewFilter filter = filterWith(0, 5, 0, 6, 0, 0, 7, 0);
    const QList<QLineEdit *> rejected = m_section->applyFilter(filter);

    QStringList rejectedNames;
    for (const QLineEdit *box : rejected)
        rejectedNames << box->objectName();
    QCOMPARE(rejectedNames, QStringList({"Text2_0", "Text2_2", "Text2_1"}));  // reading order
    QCOMPARE(settingsOf(filter), settingsOf(filterWith(1, 5, 2, 6, 1, 3, 7, 2)));
    QCOMPARE(control<QLineEdit>("Text2_0")->text(), QString("5"));
    QCOMPARE(control<QLineEdit>("Text2_1")->text(), QString("6"));
    QCOMPARE(control<QLineEdit>("Text2_2")->text(), QString("7"));
}

// A rejected box keeps only its own setting: the rating mask read before it
// and every setting read after it are taken.
void TestFilterSection::rejectedBoxDoesNotStopLaterReads()
{
    control<QCheckBox>("ratedBox_0")->setChecked(false);
    control<QComboBox>("Combo3_0")->setCurrentIndex(2);
    control<QLineEdit>("Text2_0")->setText("many");
    control<QComboBox>("Combo3_3")->setCurrentIndex(1);
    control<QLineEdit>("Text2_2")->setText("8");
    control<QComboBox>("Combo3_4")->setCurrentIndex(1);
    control<QComboBox>("Combo3_1")->setCurrentIndex(3);
    control<QLineEdit>("Text2_1")->setText("9");
    control<QComboBox>("Combo3_2")->setCurrentIndex(2);

    ViewFilter filter = filterWith(0, 4, 0, 0, 0, 0, 0, 0);
    const QList<QLineEdit *> rejected = m_section->applyFilter(filter);
    QCOMPARE(rejected.size(), 1);
    QCOMPARE(rejected.first()->objectName(), QString("Text2_0"));
    QCOMPARE(filter.ratingMask[0], false);
    QCOMPARE(settingsOf(filter), settingsOf(filterWith(2, 4, 3, 9, 2, 1, 8, 1)));
}

void TestFilterSection::ratingBoxesFollowAndSetMask_data()
{
    QTest::addColumn<QList<bool>>("mask");
    QTest::newRow("all shown, 5 hidden") << QList<bool> {true, true, true, true, true, false};
    QTest::newRow("none shown, 5 shown") << QList<bool> {false, false, false, false, false, true};
    QTest::newRow("alternating") << QList<bool> {true, false, true, false, true, false};
    QTest::newRow("only Not Rated hidden") << QList<bool> {false, true, true, true, true, true};
}

void TestFilterSection::ratingBoxesFollowAndSetMask()
{
    QFETCH(QList<bool>, mask);
    ViewFilter shown;
    for (int i = 0; i < 6; ++i)
        shown.ratingMask[size_t(i)] = mask[i];
    m_section->syncRatingMask(shown, false);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(control<QCheckBox>(indexed("ratedBox", i))->isChecked(), mask[i]);

    ViewFilter stored;
    for (int i = 0; i < 6; ++i)
        stored.ratingMask[size_t(i)] = !mask[i];
    m_section->syncRatingMask(stored, true);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(stored.ratingMask[size_t(i)], mask[i]);
    QCOMPARE(stored.ratingMask[5], !mask[5]);  // no box for rating 5
}

void TestFilterSection::clearAndSetChangeBoxesUntilApply_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("rating5");
    QTest::newRow("Clear, rating 5 shown") << "cmdIndex_4" << false << true;
    QTest::newRow("Clear, rating 5 hidden") << "cmdIndex_4" << false << false;
    QTest::newRow("Set, rating 5 shown") << "cmdIndex_5" << true << true;
    QTest::newRow("Set, rating 5 hidden") << "cmdIndex_5" << true << false;
}

void TestFilterSection::clearAndSetChangeBoxesUntilApply()
{
    QFETCH(QString, button);
    QFETCH(bool, checked);
    QFETCH(bool, rating5);
    ViewFilter filter;
    filter.ratingMask = {!checked, checked, !checked, checked, !checked, rating5};
    m_section->syncRatingMask(filter, false);

    QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(control<QCheckBox>(indexed("ratedBox", i))->isChecked(), checked);

    m_section->applyFilter(filter);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(filter.ratingMask[size_t(i)], checked);
    QCOMPARE(filter.ratingMask[5], rating5);
}

void TestFilterSection::closingVisitedMovesLowerSectionsUp()
{
    QCOMPARE(m_section->slideMask(), 31);  // every section starts open
    auto *button = control<QToolButton>("slideButton_1");
    QFrame *visited = control<QFrame>("visitedFrame");
    const int visitedHeight = visited->height();
    QVERIFY(visitedHeight > 0);
    QList<int> tops;
    for (int i = 0; i < 5; ++i)
        tops << control<QFrame>(indexed("slideSwitch", i))->y();

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->property("tag").toString(), QString("False"));
    QVERIFY(!visited->isVisible());
    for (int i = 0; i < 5; ++i)
        QCOMPARE(control<QFrame>(indexed("slideSwitch", i))->y(), tops[i] - (i >= 2 ? visitedHeight : 0));
    checkStacking();

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->property("tag").toString(), QString("True"));
    QVERIFY(visited->isVisible());
    for (int i = 0; i < 5; ++i)
        QCOMPARE(control<QFrame>(indexed("slideSwitch", i))->y(), tops[i]);
}

void TestFilterSection::slideMaskOpensAndStacksSections_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("expected");
    QTest::newRow("all closed") << 0 << 0;
    QTest::newRow("all open") << 31 << 31;
    QTest::newRow("first only") << 1 << 1;
    QTest::newRow("last only") << 16 << 16;
    QTest::newRow("1, 2 and 4") << 22 << 22;
    QTest::newRow("0 and 3") << 9 << 9;
    QTest::newRow("bits beyond the sections ignored") << (0x7fe0 | 5) << 5;
}

void TestFilterSection::slideMaskOpensAndStacksSections()
{
    QFETCH(int, mask);
    QFETCH(int, expected);
    m_section->setSlideMask(~expected & 31);  // start from the opposite
    m_section->setSlideMask(mask);
    QCOMPARE(m_section->slideMask(), expected);
    for (int i = 0; i < 5; ++i) {
        const bool open = expected & (1 << i);
        QCOMPARE(m_section->isSectionOpen(i), open);
        QCOMPARE(control<QToolButton>(indexed("slideButton", i))->property("tag").toString(),
                 QString(open ? "True" : "False"));
    }
    checkStacking();
}

void TestFilterSection::slideBumpChangesSlideMask()
{
    m_section->slideBump(2, true);
    QCOMPARE(m_section->slideMask(), 31 & ~4);
    m_section->slideBump(2, false);  // restacks without flipping
    QCOMPARE(m_section->slideMask(), 31 & ~4);
    m_section->slideBump(0, true);
    QCOMPARE(m_section->slideMask(), 31 & ~4 & ~1);
    checkStacking();
    m_section->slideBump(0, true);
    m_section->slideBump(2, true);
    QCOMPARE(m_section->slideMask(), 31);
    checkStacking();
}

void TestFilterSection::dragIsClamped_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("on the panel") << "filter3Box";
    QTest::newRow("on a section frame") << "visitedFrame";
    QTest::newRow("on a label") << "Times";
}

void TestFilterSection::dragIsClamped()
{
    QFETCH(QString, target);
    const int panelHeight = panel()->height();
    m_section->resize(200, panelHeight / 3);
    QWidget *on = nullptr;
    for (QLabel *label : m_section->findChildren<QLabel *>())
        if (label->text() == target)
            on = label;
    if (!on)
        on = control<QWidget>(target);
    const int lowestTop = m_section->height() - panelHeight;

    drag(on, -30);
    QCOMPARE(panel()->y(), -30);
    drag(on, 10);
    QCOMPARE(panel()->y(), -20);
    drag(on, -100000);
    QCOMPARE(panel()->y(), lowestTop);
    drag(on, 100000);
    QCOMPARE(panel()->y(), 0);

    // Moving without the button held does not scroll.
    const QPointF local(on->width() / 2, on->height() / 2);
    QMouseEvent hover(QEvent::MouseMove, local + QPointF(0, -50), QPointF(500, 450), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(on, &hover);
    QCOMPARE(panel()->y(), 0);
}

void TestFilterSection::shortPanelStaysAtTop()
{
    m_section->resize(200, panel()->height() + 100);
    drag(panel(), -50);
    QCOMPARE(panel()->y(), 0);
    drag(panel(), 50);
    QCOMPARE(panel()->y(), 0);
}

void TestFilterSection::resizeAndSlideBumpReclamp()
{
    const int panelHeight = panel()->height();
    m_section->resize(200, panelHeight / 3);
    drag(panel(), -100000);
    QCOMPARE(panel()->y(), panelHeight / 3 - panelHeight);

    // A taller viewport pulls the panel down so that no gap opens below it.
    m_section->resize(200, panelHeight * 2 / 3);
    QCOMPARE(panel()->y(), panelHeight * 2 / 3 - panelHeight);

    // Closing the tallest section makes the panel shorter than the viewport.
    m_section->resize(200, panelHeight - 20);
    drag(panel(), -100000);
    QCOMPARE(panel()->y(), -20);
    QVERIFY(control<QFrame>("Frame2")->height() > 20);
    m_section->slideBump(0, true);
    QCOMPARE(panel()->y(), 0);
}

void TestFilterSection::wheelScrollsWithinBounds()
{
    const int panelHeight = panel()->height();
    m_section->resize(200, panelHeight / 2);
    const QPointF at(100, 10);
    QWheelEvent down(at, m_section->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_section.get(), &down);
    QVERIFY(panel()->y() < 0);
    for (int i = 0; i < 100; ++i)
        QApplication::sendEvent(m_section.get(), &down);
    QCOMPARE(panel()->y(), panelHeight / 2 - panelHeight);

    QWheelEvent up(at, m_section->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    for (int i = 0; i < 100; ++i)
        QApplication::sendEvent(m_section.get(), &up);
    QCOMPARE(panel()->y(), 0);
}

void TestFilterSection::focusedControlIsScrolledIntoView()
{
    m_section->resize(200, panel()->height() / 3);
    m_section->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_section.get()));

    for (const char *name : {"txtFilter", "ratedBox_0", "Text2_1"}) {
        auto *widget = control<QWidget>(name);
        widget->setFocus(Qt::TabFocusReason);
        QVERIFY(widget->hasFocus());
        const QRect shown(widget->mapTo(m_section.get(), QPoint(0, 0)), widget->size());
        QVERIFY2(m_section->rect().contains(shown), name);
    }
}

void TestFilterSection::enterInTextMaskEmits_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

void TestFilterSection::enterInTextMaskEmits()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QSignalSpy entered(m_section.get(), &FilterSection::textMaskEntered);
    auto *box = control<QLineEdit>("txtFilter");
    QTest::keyClicks(box, "a*b");
    QTest::keyClick(box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(entered.count(), 1);
    QCOMPARE(m_section->textMask(), QString("a*b"));
}

void TestFilterSection::typingAndOtherBoxesEmitNothing()
{
    QSignalSpy entered(m_section.get(), &FilterSection::textMaskEntered);
    QTest::keyClicks(control<QLineEdit>("txtFilter"), "abc?");
    QTest::keyClick(control<QLineEdit>("Text2_0"), Qt::Key_Return);
    QCOMPARE(entered.count(), 0);
    QCOMPARE(m_section->textMask(), QString("abc?"));
    m_section->clearTextMask();
    QCOMPARE(m_section->textMask(), QString());
    QCOMPARE(control<QLineEdit>("txtFilter")->text(), QString());
    QCOMPARE(entered.count(), 0);
}

QTEST_MAIN(TestFilterSection)
#include "TestFilterSection.moc"
