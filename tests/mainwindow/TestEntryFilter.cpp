// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayCount.h"
#include "EntryFilter.h"
#include "URLBlock.h"

#include <QtTest>

Q_DECLARE_METATYPE(ViewFilter)

namespace {

double at(int y, int m, int d, int hour = 0)
{
    return DayCount::fromDateTime(QDateTime(QDate(y, m, d), QTime(hour, 0)));
}

// Wednesday 12 June 2024, 15:00. The week began on Sunday 9 June.
const double now = at(2024, 6, 12, 15);

struct Sample
{
    const char *title;
    int owner;
    int rated;
    int visited;
    double lastAccessed;
    double created;
};

// Group A (0) is in the index mask, group B (1) is not.
const Sample samples[] = {
    {"new", 0, 0, 0, 0.0, at(2024, 6, 12, 14)},
    {"today", 0, 2, 3, at(2024, 6, 12, 9), at(2024, 6, 1)},
    {"yesterday", 0, 4, 1, at(2024, 6, 11, 23), at(2024, 5, 31)},
    {"last Saturday", 0, 1, 10, at(2024, 6, 8, 12), at(2024, 3, 31)},
    {"Sunday", 0, 3, 5, at(2024, 6, 9, 1), at(2024, 1, 15)},
    {"The ABC Book", 0, 2, 2, at(2024, 4, 2), at(2024, 4, 1)},
    {"rated five", 0, 5, 0, 0.0, at(2024, 6, 1)},
    {"b today", 1, 2, 3, at(2024, 6, 12, 10), at(2024, 6, 12, 8)},
    {"no group", -1, 0, 0, 0.0, at(2024, 6, 1)},
};

ViewFilter withDates(int accessedMode, int accessedAmount, int accessedUnit, int addedMode = 0,
                     int addedAmount = 0, int addedUnit = 0)
{
    ViewFilter filter;
    filter.accessedMode = accessedMode;
    filter.accessedAmount = accessedAmount;
    filter.accessedUnit = accessedUnit;
    filter.addedMode = addedMode;
    filter.addedAmount = addedAmount;
    filter.addedUnit = addedUnit;
    return filter;
}

}  // namespace

// Which entries the entry list shows.
class TestEntryFilter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shownEntries_data();
    void shownEntries();
    void lessThanCountsBoundariesAhead_data();
    void lessThanCountsBoundariesAhead();
    void listIsRefilledOnlyWithAGroup();
    void scopeOfTabs_data();
    void scopeOfTabs();

private:
    URLBlock m_store;
};

void TestEntryFilter::initTestCase()
{
    m_store.NewCatagory("A");
    m_store.NewCatagory("B");
    QVERIFY(m_store.setGroupInIndexMask(1, false));
    for (const Sample &s : samples) {
        URLData *entry = m_store.urlDatas().Add(s.title, "http://abc.example/", s.owner);
        entry->Rated = quint8(s.rated);
        entry->Visited = s.visited;
        entry->LastAccesed = s.lastAccessed;
        entry->Created = s.created;
    }
}

void TestEntryFilter::shownEntries_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<bool>("allGroups");
    QTest::addColumn<ViewFilter>("filter");
    QTest::addColumn<QStringList>("expected");

    const QStringList groupA = {"new", "today", "yesterday", "last Saturday", "Sunday", "The ABC Book"};
    const ViewFilter none;

    QTest::newRow("group A; rating 5 is never shown") << 0 << false << none << groupA;
    QTest::newRow("group outside the index mask, chosen alone")
        << 1 << false << none << QStringList {"b today"};
    QTest::newRow("all groups: only those in the index mask") << 0 << true << none << groupA;
    QTest::newRow("group that does not exist") << 7 << false << none << QStringList {};

    ViewFilter rated = none;
    rated.ratingMask = {false, true, true, true, true, false};
    QTest::newRow("rating mask without Not Rated")
        << 0 << false << rated
        << QStringList {"today", "yesterday", "last Saturday", "Sunday", "The ABC Book"};
    rated.ratingMask = {false, false, false, false, false, true};
    QTest::newRow("rating mask of rating 5 only") << 0 << false << rated << QStringList {"rated five"};

    ViewFilter visited = none;
    visited.visitedMode = ViewFilter::MoreThan;
    QTest::newRow("visited more than 0 hides the unvisited")
        << 0 << false << visited
        << QStringList {"today", "yesterday", "last Saturday", "Sunday", "The ABC Book"};
    visited.visitedMode = ViewFilter::LessThan;
    visited.visitedCount = 3;
    QTest::newRow("visited less than 3")
        << 0 << false << visited << QStringList {"new", "yesterday", "The ABC Book"};
    visited.visitedMode = ViewFilter::EqualTo;
    QTest::newRow("visited equal to 3") << 0 << false << visited << QStringList {"today"};

    QTest::newRow("accessed less than 1 day: today only")
        << 0 << false << withDates(2, 1, 0) << QStringList {"today"};
    QTest::newRow("accessed equal to 0 days: today only")
        << 0 << false << withDates(3, 0, 0) << QStringList {"today"};
    QTest::newRow("accessed equal to 1 day: yesterday")
        << 0 << false << withDates(3, 1, 0) << QStringList {"yesterday"};
    QTest::newRow("accessed more than 1 day ago")
        << 0 << false << withDates(1, 1, 0) << QStringList {"last Saturday", "Sunday", "The ABC Book"};
    QTest::newRow("accessed equal to 0 weeks: since Sunday")
        << 0 << false << withDates(3, 0, 1) << QStringList {"today", "yesterday", "Sunday"};
    QTest::newRow("accessed less than 1 week: this week")
        << 0 << false << withDates(2, 1, 1) << QStringList {"today", "yesterday", "Sunday"};
    QTest::newRow("accessed more than 1 week ago")
        << 0 << false << withDates(1, 1, 1) << QStringList {"The ABC Book"};
    QTest::newRow("accessed less than 1 month: this month")
        << 0 << false << withDates(2, 1, 2) << QStringList {"today", "yesterday", "last Saturday", "Sunday"};
    QTest::newRow("unknown unit counts as days") << 0 << false << withDates(2, 1, 9) << QStringList {"today"};
    QTest::newRow("added more than 2 months ago")
        << 0 << false << withDates(0, 0, 0, 1, 2, 2) << QStringList {"last Saturday", "Sunday"};
    QTest::newRow("added equal to 0 days")
        << 0 << false << withDates(0, 0, 0, 3, 0, 0) << QStringList {"new"};

    ViewFilter text = none;
    text.textMask = "a?c";
    QTest::newRow("text mask on titles, not addresses") << 0 << false << text << QStringList {"The ABC Book"};
    text.textMask = "[";
    QTest::newRow("unclosed list shows nothing") << 0 << false << text << QStringList {};

    ViewFilter all = withDates(2, 1, 2, 1, 0, 0);
    all.ratingMask = {false, true, true, true, true, false};
    all.visitedMode = ViewFilter::MoreThan;
    all.visitedCount = 2;
    all.textMask = "s*d";
    QTest::newRow("every filter at once") << 0 << true << all << QStringList {"last Saturday", "Sunday"};
}

void TestEntryFilter::shownEntries()
{
    QFETCH(int, group);
    QFETCH(bool, allGroups);
    QFETCH(ViewFilter, filter);
    QFETCH(QStringList, expected);

    const EntryFilter decision(filter, ListScope {group, allGroups}, m_store.IDXList(), now);
    QStringList shown;
    for (const URLData *entry : decision.shownEntries(m_store.urlDatas()))
        shown << entry->Name;
    QCOMPARE(shown, expected);
}

// "Less Than n" shows what was visited within the last n units: the moment
// n units after the visit lies 1 to n boundaries ahead. A visit in the
// future (a clock set wrong) lies further ahead and is not shown.
void TestEntryFilter::lessThanCountsBoundariesAhead_data()
{
    QTest::addColumn<int>("amount");
    QTest::addColumn<double>("visit");
    QTest::addColumn<bool>("shown");

    QTest::newRow("3 days: today") << 3 << at(2024, 6, 12, 8) << true;
    QTest::newRow("3 days: two days ago") << 3 << at(2024, 6, 10, 23) << true;
    QTest::newRow("3 days: three days ago") << 3 << at(2024, 6, 9, 23) << false;
    QTest::newRow("1 day: tomorrow") << 1 << at(2024, 6, 13, 8) << false;
    QTest::newRow("3 days: in a week") << 3 << at(2024, 6, 19) << false;
}

void TestEntryFilter::lessThanCountsBoundariesAhead()
{
    QFETCH(int, amount);
    QFETCH(double, visit);
    QFETCH(bool, shown);
    URLBlock store;
    store.NewCatagory("G");
    URLData *entry = store.urlDatas().Add("e", "u", 0);
    entry->LastAccesed = visit;
    entry->Created = visit;
    const EntryFilter decision(withDates(ViewFilter::LessThan, amount, 0), ListScope {0, false}, store.IDXList(), now);
    QCOMPARE(decision.isShown(*entry), shown);
}

void TestEntryFilter::listIsRefilledOnlyWithAGroup()
{
    URLBlock empty;
    QVERIFY(!EntryFilter::listIsRefilled(empty.IDXList(), 0));
    QVERIFY(!EntryFilter::listIsRefilled(m_store.IDXList(), -1));
    QVERIFY(EntryFilter::listIsRefilled(m_store.IDXList(), 1));
}

void TestEntryFilter::scopeOfTabs_data()
{
    QTest::addColumn<bool>("listAll");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("advMode");
    QTest::addColumn<bool>("allGroups");

    QTest::newRow("Advanced, index mask") << false << 1 << 0 << true;
    QTest::newRow("Advanced, filters") << false << 1 << 2 << true;
    QTest::newRow("Advanced, group list") << false << 1 << 1 << false;
    QTest::newRow("Advanced, group list, List All") << true << 1 << 1 << true;
    QTest::newRow("Standard") << false << 2 << 0 << false;
    QTest::newRow("Standard, group-list mode left over") << false << 2 << 1 << false;
    QTest::newRow("Standard, List All") << true << 2 << 1 << true;
}

void TestEntryFilter::scopeOfTabs()
{
    QFETCH(bool, listAll);
    QFETCH(int, tab);
    QFETCH(int, advMode);
    QFETCH(bool, allGroups);
    QCOMPARE(ListScope::allGroupsFor(listAll, tab, advMode), allGroups);
}

QTEST_GUILESS_MAIN(TestEntryFilter)
#include "TestEntryFilter.moc"
