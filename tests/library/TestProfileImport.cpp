// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The readers of the browsers' own profiles (Firefox's places.sqlite,
// Chromium's Bookmarks and History) and the merge of what they read into a
// store, on profiles the tests make with the browsers' schemas.

#include "BookmarkEntry.h"
#include "BookmarkSink.h"
#include "BrowserTime.h"
#include "ChromiumBookmarks.h"
#include "DayCount.h"
#include "FirefoxPlaces.h"
#include "MergeTarget.h"
#include "ProfileFixtures.h"
#include "TestEnvironment.h"
#include "TopLevelBookmarks.h"
#include "URLBlock.h"

#include <QtTest>
#include <functional>
#include <limits>

using namespace ProfileFixtures;
using TestEnvironment::writeFile;

namespace {

// 14 November 2023 22:13:20.123456 UTC in Firefox's and Chromium's counts.
constexpr qint64 nov2023 = Q_INT64_C(1700000000123456);
constexpr qint64 nov2023Chromium = nov2023 + BrowserTime::windowsToUnixMicroseconds;
constexpr qint64 day = Q_INT64_C(86400000000);
// The merge's time, given to entries whose creation the profile does not know.
const QDateTime mergeTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC);

QString timeText(double dayCount)
{
    return dayCount == 0.0 ? QStringLiteral("-") : DayCount::toDateTime(dayCount).toString(Qt::ISODate);
}

// "group|title|url|created|last visit|visits" for each entry, in store order.
QStringList entriesOf(const URLBlock &store)
{
    QStringList lines;
    for (const URLData &e : store.urlDatas()) {
        const QString group = store.IDXList().isGroup(e.Owner) ? store.IDXList().at(e.Owner).name : QString();
        lines << QStringList{group, e.Name, e.url, timeText(e.Created), timeText(e.LastAccesed),
                             QString::number(e.Visited)}
                     .join(u'|');
    }
    return lines;
}

QStringList groupsOf(const URLBlock &store)
{
    QStringList names;
    for (int i = 0; i < store.IDXList().groupCount(); ++i)
        names << store.IDXList().at(i).name;
    return names;
}

using Reader = std::function<bool(const QString &folder, TopLevelBookmarks &, QString *)>;

const Reader firefox = [](const QString &folder, TopLevelBookmarks &bookmarks, QString *error) {
    return FirefoxPlaces::read(FirefoxPlaces::placesFileOf(folder), bookmarks, error);
};
const Reader chromium = &ChromiumBookmarks::read;

// Reads the profile and merges it into store; the reader's error text, "" when it read.
QString import(const Reader &reader, const QString &folder, URLBlock &store, MergeCounts *counts = nullptr)
{
    TopLevelBookmarks bookmarks;
    QString error;
    if (!reader(folder, bookmarks, &error))
        return error.isEmpty() ? QStringLiteral("failed without a reason") : error;
    MergeTarget target(store, DayCount::fromMoment(mergeTime, QTimeZone::systemTimeZone()), nullptr);
    bookmarks.report(target);  // as tsy's merges hand them on
    if (counts)
        *counts = target.counts();
    return QString();
}

using Maker = std::function<void(const QString &folder)>;

}  // namespace

class TestProfileImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void browserTimes_data();
    void browserTimes();
    void profileStores_data();
    void profileStores();
    void badProfiles_data();
    void badProfiles();
    void usageBroughtUpToDate_data();
    void usageBroughtUpToDate();
    void lockedAndLoggedDatabasesRead();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

void TestProfileImport::initTestCase()
{
    TestEnvironment::isolate();
}

void TestProfileImport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_folder = m_dir->path();
}

void TestProfileImport::browserTimes_data()
{
    QTest::addColumn<bool>("chromiumCount");
    QTest::addColumn<qint64>("microseconds");
    QTest::addColumn<QString>("moment");  // UTC, to the millisecond; "-" for none
    QTest::addColumn<QString>("stored");  // as a day count of the store, to the second
    const auto row = [](const char *name, bool chromiumCount, qint64 microseconds, const char *moment,
                        const char *stored) {
        QTest::newRow(name) << chromiumCount << microseconds << QString(moment) << QString(stored);
    };
    row("Firefox: 0 is no time", false, 0, "-", "-");
    row("Firefox: the epoch's first microsecond", false, 1, "1970-01-01T00:00:00.000Z", "1970-01-01T00:00:00");
    row("Firefox: a microsecond before 1970", false, -1, "1969-12-31T23:59:59.999Z", "1970-01-01T00:00:00");
    row("Firefox: 1850", false, Q_INT64_C(-3786825600000000), "1850-01-01T00:00:00.000Z", "1850-01-01T00:00:00");
    row("Firefox: a moment of 2023", false, nov2023, "2023-11-14T22:13:20.123Z", "2023-11-14T22:13:20");
    row("Firefox: far future held at the store's last day", false, std::numeric_limits<qint64>::max(),
        "294247-01-10T04:00:54.775Z", "9999-12-31T23:59:59");
    row("Chromium: 0 is no time", true, 0, "-", "-");
    row("Chromium: below 0 is no time", true, -5, "-", "-");
    row("Chromium: the first microsecond of 1601", true, 1, "1601-01-01T00:00:00.000Z", "1601-01-01T00:00:00");
    row("Chromium: 1970", true, BrowserTime::windowsToUnixMicroseconds, "1970-01-01T00:00:00.000Z",
        "1970-01-01T00:00:00");
    row("Chromium: a moment of 2023", true, nov2023Chromium, "2023-11-14T22:13:20.123Z", "2023-11-14T22:13:20");
    row("Chromium: far future held at the store's last day", true, std::numeric_limits<qint64>::max(),
        "293878-01-10T04:00:54.775Z", "9999-12-31T23:59:59");
}

void TestProfileImport::browserTimes()
{
    QFETCH(bool, chromiumCount);
    QFETCH(qint64, microseconds);
    QFETCH(QString, moment);
    QFETCH(QString, stored);
    const QDateTime time = chromiumCount ? BrowserTime::fromWindowsMicroseconds(microseconds)
                                         : BrowserTime::fromUnixMicroseconds(microseconds);
    const QString text = time.isValid() ? time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'"))
                                        : QStringLiteral("-");
    QCOMPARE(text, moment);
    // Through the merge, as a link's creation date.
    URLBlock store;
    MergeTarget target(store, 0.0, nullptr);
    target.mb_NewGroup(QStringLiteral("G"));
    target.mb_BungUsage(QStringLiteral("T"), QStringLiteral("http://t/"), time, QDateTime(), 0);
    const double created = store.urlDatas().Item(1)->Created;
    QCOMPARE(timeText(created), stored);
}

void TestProfileImport::profileStores_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<Maker>("make");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("entries");
    const QString added = QStringLiteral("2023-11-14T22:13:20");
    const QString now = QStringLiteral("2026-01-01T12:00:00");

    QTest::newRow("Firefox: groups as its export makes them, tags left out")
        << firefox << Maker([](const QString &folder) {
               Places places(FirefoxPlaces::placesFileOf(folder));
               places.link(Places::Menu, "A", "http://a/", nov2023);
               const qint64 work = places.folder(Places::Menu, "Work");
               places.link(work, "B", "http://b/", nov2023);
               const qint64 deep = places.folder(work, "Deep");
               places.link(deep, "C", "http://c/", nov2023);
               places.link(work, "B2", "http://b2/", nov2023);
               places.link(Places::Menu, "D", "http://d/", nov2023);
               places.folder(Places::Menu, "Empty");
               places.link(Places::Toolbar, "E", "http://e/", nov2023);
               places.link(Places::Unfiled, "H", "http://h/", nov2023);
               const qint64 tag = places.folder(Places::Tags, "news");
               places.bookmark(tag, places.place("http://tagged/"), QString(), nov2023);
           })
        << QStringList{"Netscape: ROOT", "Work", "Empty", "Bookmarks Toolbar", "Other Bookmarks"}
        << QStringList{"Netscape: ROOT|A|http://a/|" + added + "|-|0",
                       "Work|B|http://b/|" + added + "|-|0",
                       "Work|C|http://c/|" + added + "|-|0",
                       "Work|B2|http://b2/|" + added + "|-|0",
                       "Netscape: ROOT|D|http://d/|" + added + "|-|0",
                       "Bookmarks Toolbar|E|http://e/|" + added + "|-|0",
                       "Other Bookmarks|H|http://h/|" + added + "|-|0"};

    QTest::newRow("Firefox: visits from moz_places, else moz_historyvisits")
        << firefox << Maker([](const QString &folder) {
               Places places(FirefoxPlaces::placesFileOf(folder));
               places.link(Places::Mobile, "Counted", "http://counted/", nov2023, 7, nov2023 + day);
               const qint64 logged = places.place("http://logged/", 2);
               places.visit(logged, nov2023 + 2 * day);
               places.visit(logged, nov2023 + 3 * day);
               places.visit(logged, nov2023 + day);
               places.bookmark(Places::Mobile, logged, "Logged", nov2023);
               places.link(Places::Mobile, "Never", "http://never/", nov2023);
               places.link(Places::Mobile, "Huge", "http://huge/", nov2023, Q_INT64_C(5000000000));
           })
        << QStringList{"Mobile Bookmarks"}
        << QStringList{"Mobile Bookmarks|Counted|http://counted/|" + added + "|2023-11-15T22:13:20|7",
                       "Mobile Bookmarks|Logged|http://logged/|" + added + "|2023-11-17T22:13:20|2",
                       "Mobile Bookmarks|Never|http://never/|" + added + "|-|0",
                       "Mobile Bookmarks|Huge|http://huge/|" + added + "|-|2147483647"};

    QTest::newRow("Firefox: separators and queries passed over, titles from the page")
        << firefox << Maker([](const QString &folder) {
               Places places(FirefoxPlaces::placesFileOf(folder));
               places.separator(Places::Toolbar);
               places.link(Places::Toolbar, "Recent", "place:sort=8&maxResults=10", nov2023);
               places.bookmark(Places::Toolbar, places.place("http://untitled/", 1, 0, "Page title"), QString(), 0);
               places.link(Places::Toolbar, QString::fromUtf8("Caf\u00e9 \u2014 menu"), "http://cafe/", -day);
           })
        << QStringList{"Bookmarks Toolbar"}
        << QStringList{"Bookmarks Toolbar|Page title|http://untitled/|" + now + "|-|1",
                       QString::fromUtf8("Bookmarks Toolbar|Caf\u00e9 \u2014 menu|http://cafe/|1969-12-31T00:00:00|-|0")};

    QTest::newRow("Firefox: an empty profile adds nothing")
        << firefox << Maker([](const QString &folder) { Places places(FirefoxPlaces::placesFileOf(folder)); })
        << QStringList{} << QStringList{};

    QTest::newRow("Chromium: bar as a group, the other roots at the top level, History's visits")
        << chromium << Maker([](const QString &folder) {
               writeFile(folder + "/Bookmarks",
                         chromiumBookmarks(
                             {chromiumLink("Bar link", "http://bar/", nov2023Chromium),
                              chromiumFolder("Sub", {chromiumLink("Under bar", "http://under/", nov2023Chromium)})},
                             {chromiumLink("Loose", "http://loose/", nov2023Chromium, nov2023Chromium + day),
                              chromiumFolder("Reading", {chromiumLink("Read", "http://read/", 0)}),
                              chromiumLink("After", "http://after/", nov2023Chromium)},
                             {chromiumLink("Phone", "http://phone/", nov2023Chromium)}));
               History history(folder + "/History");
               history.url("http://bar/", 12, nov2023Chromium + 2 * day);
               history.url("http://loose/", 3, nov2023Chromium);  // its own last use is later
               history.url("http://unbookmarked/", 40, nov2023Chromium);
               history.url("http://read/", Q_INT64_C(9000000000), 0);
           })
        << QStringList{"Bookmarks bar", "Netscape: ROOT", "Reading"}
        << QStringList{"Bookmarks bar|Bar link|http://bar/|" + added + "|2023-11-16T22:13:20|12",
                       "Bookmarks bar|Under bar|http://under/|" + added + "|-|0",
                       "Netscape: ROOT|Loose|http://loose/|" + added + "|2023-11-15T22:13:20|3",
                       "Reading|Read|http://read/|" + now + "|-|2147483647",
                       "Netscape: ROOT|After|http://after/|" + added + "|-|0",
                       "Netscape: ROOT|Phone|http://phone/|" + added + "|-|0"};

    QTest::newRow("Chromium: no History, an empty bar")
        << chromium << Maker([](const QString &folder) {
               writeFile(folder + "/Bookmarks",
                         chromiumBookmarks({}, {chromiumLink("Used", "http://used/", nov2023Chromium,
                                                             nov2023Chromium + day)}));
           })
        << QStringList{"Netscape: ROOT"}
        << QStringList{"Netscape: ROOT|Used|http://used/|" + added + "|2023-11-15T22:13:20|0"};
}

void TestProfileImport::profileStores()
{
    QFETCH(Reader, reader);
    QFETCH(Maker, make);
    QFETCH(QStringList, groups);
    QFETCH(QStringList, entries);
    make(m_folder);
    URLBlock store;
    QCOMPARE(import(reader, m_folder, store), QString());
    QCOMPARE(groupsOf(store), groups);
    QCOMPARE(entriesOf(store), entries);
    // A second import of the same profile changes nothing.
    MergeCounts counts;
    QCOMPARE(import(reader, m_folder, store, &counts), QString());
    QCOMPARE(groupsOf(store), groups);
    QCOMPARE(entriesOf(store), entries);
    QCOMPARE(counts.groupsAdded + counts.entriesAdded + counts.entriesUpdated, qsizetype(0));
    QCOMPARE(counts.alreadyThere, qsizetype(entries.size()));
}

void TestProfileImport::badProfiles_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<Maker>("make");
    QTest::addColumn<QString>("error");  // a part of the error text
    const auto places = [](const QString &folder) { return FirefoxPlaces::placesFileOf(folder); };
    const auto goodPlaces = [places](const QString &folder) {
        Places made(places(folder));
        for (int i = 0; i < 300; ++i)
            made.link(Places::Menu, QString(200, u'x'), QStringLiteral("http://%1/").arg(i), nov2023, i, nov2023);
    };
    const auto truncate = [](const QString &file) {
        QFile f(file);
        QVERIFY(f.resize(f.size() / 2));
    };
    QTest::newRow("Firefox: no places.sqlite") << firefox << Maker([](const QString &) {}) << "places.sqlite";
    QTest::newRow("Firefox: not a database")
        << firefox << Maker([places](const QString &f) { writeFile(places(f), QByteArray(4096, 'x')); })
        << "not a Firefox places database (file is not a database)";
    QTest::newRow("Firefox: an empty file")
        << firefox << Maker([places](const QString &f) { writeFile(places(f), {}); })
        << "not a Firefox places database (it has no table moz_bookmarks)";
    QTest::newRow("Firefox: truncated")
        << firefox << Maker([=](const QString &f) {
               goodPlaces(f);
               truncate(places(f));
           })
        << "places.sqlite: cut short";
    QTest::newRow("Firefox: damaged pages")
        << firefox << Maker([=](const QString &f) {
               goodPlaces(f);
               QFile file(places(f));
               QVERIFY(file.open(QIODevice::ReadWrite));
               const qint64 size = file.size();
               QVERIFY(file.seek(4096));  // past the first page, which holds the schema
               file.write(QByteArray(size - 4096, 'x'));
           })
        << "cannot read its bookmarks (database disk image is malformed)";
    QTest::newRow("Firefox: a column missing")
        << firefox << Maker([places](const QString &f) {
               Database db(places(f));
               db.exec("CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER,"
                       " parent INTEGER, position INTEGER, title TEXT, dateAdded INTEGER, guid TEXT)");
               db.exec("CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT, title TEXT,"
                       " last_visit_date INTEGER)");
           })
        << "its table moz_places has no column visit_count";
    QTest::newRow("Firefox: no visits table")
        << firefox << Maker([places](const QString &f) {
               Places made(places(f));
               made.exec("DROP TABLE moz_historyvisits");
           })
        << "it has no table moz_historyvisits";
    QTest::newRow("Firefox: no root")
        << firefox << Maker([places](const QString &f) {
               Places made(places(f));
               made.exec("DELETE FROM moz_bookmarks WHERE guid = 'root________'");
           })
        << "its bookmarks have no root";
    QTest::newRow("Chromium: no Bookmarks file") << chromium << Maker([](const QString &) {}) << "Bookmarks";
    QTest::newRow("Chromium: Bookmarks not JSON")
        << chromium << Maker([](const QString &f) { writeFile(f + "/Bookmarks", "{\"roots\": "); })
        << "not a Chromium bookmarks file";
    QTest::newRow("Chromium: Bookmarks without roots")
        << chromium << Maker([](const QString &f) { writeFile(f + "/Bookmarks", "{\"version\": 1}"); })
        << "it has no roots";
    const auto withBookmarks = [](const QString &f) {
        writeFile(f + "/Bookmarks", chromiumBookmarks({chromiumLink("Bar", "http://bar/", nov2023Chromium)}, {}));
    };
    QTest::newRow("Chromium: History not a database")
        << chromium << Maker([=](const QString &f) {
               withBookmarks(f);
               writeFile(f + "/History", "SQLite format 2\n" + QByteArray(4000, '\1'));
           })
        << "not a Chromium history database";
    QTest::newRow("Chromium: History without visit counts")
        << chromium << Maker([=](const QString &f) {
               withBookmarks(f);
               Database db(f + "/History");
               db.exec("CREATE TABLE urls (id INTEGER PRIMARY KEY, url TEXT, last_visit_time INTEGER)");
           })
        << "its table urls has no column visit_count";
    QTest::newRow("Chromium: History truncated")
        << chromium << Maker([=](const QString &f) {
               withBookmarks(f);
               {
                   History history(f + "/History");
                   for (int i = 0; i < 2000; ++i)
                       history.url(QStringLiteral("http://bar/%1/").arg(i) + QString(100, u'y'), i, nov2023Chromium);
                   history.url("http://bar/", 5, nov2023Chromium);
               }
               truncate(f + "/History");
           })
        << "History: cut short";
}

void TestProfileImport::badProfiles()
{
    QFETCH(Reader, reader);
    QFETCH(Maker, make);
    QFETCH(QString, error);
    make(m_folder);
    URLBlock store;
    store.NewCatagory(QStringLiteral("Mine"));
    store.urlDatas().Add(QStringLiteral("Kept"), QStringLiteral("http://kept/"), 0);
    const QStringList before = entriesOf(store);
    const QString reported = import(reader, m_folder, store);
    QVERIFY2(reported.contains(error), qPrintable(reported));
    QCOMPARE(groupsOf(store), QStringList{"Mine"});
    QCOMPARE(entriesOf(store), before);
}

void TestProfileImport::usageBroughtUpToDate_data()
{
    // The store's entry "Work|Old|http://b/", created 1 June 2023, visited 3 times, last on 1 October 2023.
    QTest::addColumn<qint64>("visits");
    QTest::addColumn<qint64>("lastVisit");  // Firefox's count
    QTest::addColumn<qint64>("added");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("updated");
    const qint64 october = Q_INT64_C(1696118400000000);
    const qint64 june = Q_INT64_C(1685577600000000);
    const QString prefix = QStringLiteral("Work|Old|http://b/|");
    QTest::newRow("all newer") << qint64(8) << nov2023 << june - day
                               << prefix + "2023-05-31T00:00:00|2023-11-14T22:13:20|8" << 1;
    QTest::newRow("only the count larger") << qint64(4) << october - day << june + day
                                           << prefix + "2023-06-01T00:00:00|2023-10-01T00:00:00|4" << 1;
    QTest::newRow("only the visit later") << qint64(1) << nov2023 << june
                                          << prefix + "2023-06-01T00:00:00|2023-11-14T22:13:20|3" << 1;
    QTest::newRow("only the creation earlier") << qint64(0) << qint64(0) << june - day
                                               << prefix + "2023-05-31T00:00:00|2023-10-01T00:00:00|3" << 1;
    QTest::newRow("nothing newer") << qint64(2) << october << june + day
                                   << prefix + "2023-06-01T00:00:00|2023-10-01T00:00:00|3" << 0;
}

void TestProfileImport::usageBroughtUpToDate()
{
    QFETCH(qint64, visits);
    QFETCH(qint64, lastVisit);
    QFETCH(qint64, added);
    QFETCH(QString, entry);
    QFETCH(int, updated);
    URLBlock store;
    store.NewCatagory(QStringLiteral("Other"));
    store.NewCatagory(QStringLiteral("Work"));
    const QTimeZone utc = QTimeZone::systemTimeZone();
    const auto dayCount = [&](int month, int dayOfMonth) {
        return DayCount::fromMoment(QDateTime(QDate(2023, month, dayOfMonth), QTime(0, 0), Qt::UTC), utc);
    };
    // The same address in another group is another bookmark, and stays as it is.
    for (int group : {0, 1}) {
        URLData *old = store.urlDatas().Add(QStringLiteral("Old"), QStringLiteral("http://b/"), group);
        old->Created = dayCount(6, 1);
        old->LastAccesed = dayCount(10, 1);
        old->Visited = 3;
    }
    const QStringList before = entriesOf(store);
    {
        Places places(FirefoxPlaces::placesFileOf(m_folder));
        const qint64 work = places.folder(Places::Menu, "Work");
        // The address twice in the profile's folder: the entry counts once as updated.
        const qint64 place = places.place("http://b/", visits, lastVisit);
        places.bookmark(work, place, "New title", added);
        places.bookmark(work, place, "New title", added);
    }
    MergeCounts counts;
    QCOMPARE(import(firefox, m_folder, store, &counts), QString());
    QCOMPARE(entriesOf(store), QStringList({before.at(0), entry}));
    QCOMPARE(counts.entriesUpdated, qsizetype(updated));
    QCOMPARE(counts.alreadyThere, qsizetype(2));
    QCOMPARE(counts.entriesAdded, qsizetype(0));
}

// A running browser keeps its database locked, with the latest changes in
// its write-ahead log: the import neither waits nor fails, and sees them.
void TestProfileImport::lockedAndLoggedDatabasesRead()
{
    const QString file = FirefoxPlaces::placesFileOf(m_folder);
    Places places(file);
    places.exec("PRAGMA journal_mode=WAL");
    places.exec("PRAGMA wal_autocheckpoint=0");
    places.exec("PRAGMA locking_mode=EXCLUSIVE");
    places.link(Places::Menu, "Logged", "http://logged/", nov2023, 4, nov2023);
    QVERIFY(QFileInfo(file + "-wal").size() > 0);
    // A write under way holds the lock.
    QVERIFY(places.db().transaction());
    places.link(Places::Menu, "Unfinished", "http://unfinished/", nov2023);
    URLBlock store;
    QCOMPARE(import(firefox, m_folder, store), QString());
    QCOMPARE(entriesOf(store),
             QStringList{"Netscape: ROOT|Logged|http://logged/|2023-11-14T22:13:20|2023-11-14T22:13:20|4"});
    QVERIFY(places.db().commit());
}

QTEST_GUILESS_MAIN(TestProfileImport)
#include "TestProfileImport.moc"
