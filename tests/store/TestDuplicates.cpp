// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Addresses that are one page, the sets of entries that hold them, and their
// merge into one entry in the store. (The "Duplicates" window:
// TestDuplicatesWindow.)

#include "AddressKey.h"
#include "Duplicates.h"
#include "ProgramTranslations.h"
#include "ReferenceAddressKey.h"
#include "StackFile.h"
#include "StackFileGenerator.h"
#include "StoreSummary.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QtTest>
#include <algorithm>
#include <limits>
#include <map>


namespace {

struct Fields
{
    const char *url;
    int owner;
    double created;
    double last;
    qint32 visits;
    int rating;
};

// Groups A and B; the entries titled e1, e2, ... in order.
void fill(URLBlock &store, std::initializer_list<Fields> entries)
{
    store.NewCatagory(QStringLiteral("A"));
    store.NewCatagory(QStringLiteral("B"));
    int n = 0;
    for (const Fields &f : entries) {
        URLData *entry = store.urlDatas().Add(QStringLiteral("e%1").arg(++n), QString::fromUtf8(f.url), f.owner);
        entry->Created = f.created;
        entry->LastAccesed = f.last;
        entry->Visited = f.visits;
        entry->Rated = quint8(f.rating);
        entry->Catagory = quint8(n);
    }
}

// The sets as "1 3 | 2 4": key numbers of each set.
QString setsText(const std::vector<DuplicateSet> &sets)
{
    QStringList texts;
    for (const DuplicateSet &set : sets) {
        QStringList keys;
        for (quint32 key : set.keys)
            keys << QString::number(key);
        texts << keys.join(' ');
    }
    return texts.join(QStringLiteral(" | "));
}

// Variants of a generated address that exercise each difference the key
// ignores (and some it does not); which ones depends on n.
QStringList variantsOf(const QString &address, int n)
{
    QString upper = address;
    const qsizetype hostEnd = upper.indexOf(u'/', 8);
    for (qsizetype i = 0; i < (hostEnd < 0 ? upper.size() : hostEnd); ++i)
        upper[i] = upper[i].toUpper();
    QString noScheme = address;
    noScheme.replace(0, 8, n % 2 ? QStringLiteral("http://www.") : QStringLiteral("HTTPS://WWW."));
    QString withPort = address;
    withPort.insert(hostEnd < 0 ? withPort.size() : hostEnd, n % 3 ? QStringLiteral(":443") : QStringLiteral(":80"));
    const QString tracked = address + (address.contains(u'?') ? "&" : "?") + (n % 4 ? "utm_source=x" : "fbclid=1");
    QString slashed = address;
    const qsizetype query = slashed.indexOf(u'?');
    slashed.insert(query < 0 ? slashed.size() : query, u'/');
    return {address, upper, noScheme, withPort, tracked + "#f" + QString::number(n), slashed,
            address.left(8 + n % 40)};
}

// The sets of the store as the reference keys make them.
QString referenceSets(const URLDatas &entries)
{
    std::map<QString, DuplicateSet> byKey;
    for (const URLData &entry : entries) {
        const QString key = ReferenceAddressKey::of(entry.url);
        if (!key.isEmpty())
            byKey[key].keys.push_back(entry.keyNumber());
    }
    std::vector<DuplicateSet> sets;
    for (auto &[key, set] : byKey) {
        if (set.keys.size() > 1)
            sets.push_back(set);
    }
    std::sort(sets.begin(), sets.end(),
              [](const DuplicateSet &a, const DuplicateSet &b) { return a.keys.front() < b.keys.front(); });
    return setsText(sets);
}

}  // namespace

class TestDuplicates : public QObject
{
    Q_OBJECT

    // The program's translations as main() installs them: English, with the
    // singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void sameAddress_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        const auto row = [](const char *name, const char *a, const char *b, bool same) {
            QTest::newRow(name) << QString::fromUtf8(a) << QString::fromUtf8(b) << same;
        };
        // Each listed difference.
        row("http and https", "http://example.com/a", "https://example.com/a", true);
        row("scheme case", "HTTPS://example.com/a", "http://example.com/a", true);
        row("host case", "http://Example.COM/a", "http://example.com/a", true);
        row("leading www.", "http://www.example.com/a", "http://example.com/a", true);
        row("leading WWW. in capitals", "http://WWW.example.com/a", "http://example.com/a", true);
        row("default port of http", "http://example.com:80/a", "http://example.com/a", true);
        row("default port of https", "https://example.com:443/a", "http://example.com/a", true);
        row("empty path", "http://example.com", "http://example.com/", true);
        row("trailing slash", "http://example.com/a/", "http://example.com/a", true);
        row("fragment", "http://example.com/a#top", "http://example.com/a", true);
        row("empty fragment", "http://example.com/a#", "http://example.com/a", true);
        row("utm parameters", "http://example.com/a?utm_source=x&utm_medium=y", "http://example.com/a", true);
        row("tracking parameters among others", "http://example.com/a?fbclid=1&q=2&gclid=3&mc_eid=4&r=5",
            "http://example.com/a?q=2&r=5", true);
        row("tracking parameter without a value", "http://example.com/?utm_x", "http://example.com", true);
        row("all of them", "HTTP://WWW.Example.com:80/a/?utm_campaign=z&id=7#part",
            "https://example.com/a?id=7", true);
        row("no path before the query", "http://example.com?q=1", "http://example.com/?q=1", true);
        row("same address of another scheme", "mailto:someone@example.com", "mailto:someone@example.com", true);
        row("same address without a scheme", "example.com/a", "example.com/a", true);
        // Near misses.
        row("other path", "http://example.com/a", "http://example.com/b", false);
        row("case in the path", "http://example.com/A", "http://example.com/a", false);
        row("parameter order", "http://example.com/?a=1&b=2", "http://example.com/?b=2&a=1", false);
        row("other parameter value", "http://example.com/?a=1", "http://example.com/?a=2", false);
        row("utm without underscore", "http://example.com/?utmsource=x", "http://example.com/", false);
        row("utm_ only inside a name", "http://example.com/?xutm_source=x", "http://example.com/", false);
        row("utm_ as a value", "http://example.com/?q=utm_x", "http://example.com/", false);
        row("tracking name in capitals", "http://example.com/?FBCLID=1", "http://example.com/", false);
        row("other port", "http://example.com:8080/", "http://example.com/", false);
        row("https port on http", "http://example.com:443/", "https://example.com/", false);
        row("port with a leading zero", "http://example.com:080/", "http://example.com/", false);
        row("empty port", "http://example.com:/", "http://example.com/", false);
        row("two trailing slashes", "http://example.com/a//", "http://example.com/a", false);
        row("other subdomain", "http://www2.example.com/", "http://example.com/", false);
        row("www. before a bare name", "http://www.localhost/", "http://localhost/", false);
        row("user name", "http://user@example.com/", "http://example.com/", false);
        row("user name case", "http://User@example.com/", "http://user@example.com/", false);
        row("percent-encoding", "http://example.com/%7Ea", "http://example.com/~a", false);
        row("percent-encoding case", "http://example.com/%7ea", "http://example.com/%7Ea", false);
        row("IDN host and its ASCII form", "http://b\xc3\xbc" "cher.example/", "http://xn--bcher-kva.example/", false);
        row("empty query", "http://example.com/?", "http://example.com/", false);
        row("empty parameter", "http://example.com/?a=1&&b=2", "http://example.com/?a=1&b=2", false);
        row("no scheme and http", "example.com/a", "http://example.com/a", false);
        row("ftp and http", "ftp://example.com/a", "http://example.com/a", false);
        row("file addresses differ in case", "file:///tmp/A", "file:///tmp/a", false);
        row("file and http", "file:///example.com/a", "http://example.com/a", false);
        row("mailto case", "mailto:Someone@example.com", "mailto:someone@example.com", false);
        row("no host", "http:///example.com", "http://example.com", false);
        row("http without slashes", "http:example.com", "http://example.com", false);
        row("empty addresses", "", "", false);
        row("a damaged address and its key's text", "\x01" "example.com", "http://example.com", false);
        row("blanks around", " http://example.com/", "http://example.com/", false);
        row("IPv6 default port", "http://[::1]:80/", "http://[::1]/", true);
        row("IPv6 other address", "http://[::1]/", "http://[::2]/", false);
    }

    // Each pair once in each order: no address crashes, and only the listed
    // differences make two of them one page.
    void sameAddress()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        const QString keyA = AddressKey::of(a);
        const QString keyB = AddressKey::of(b);
        QCOMPARE(!keyA.isEmpty() && keyA == keyB, same);
        QCOMPARE(AddressKey::of(b) == AddressKey::of(a), keyA == keyB);
        QCOMPARE(keyA.isEmpty(), a.isEmpty());
    }

    // Odd and damaged addresses: a key each, no crash, none taken for another.
    void oddAddresses()
    {
        const QStringList odd = {"http://", "https://", "http://:80", "http://@", "http://[", "http://]:",
                                 "http://?#", "http://#", "h:", ":", "//example.com", "http://www.",
                                 "http://www.com", QString(QChar(0)),
                                 QStringLiteral("http://a") + QChar(0) + QStringLiteral("b/"),
                                 "http://%zz/", QString(10000, u'/')};
        QSet<QString> keys;
        for (const QString &address : odd) {
            const QString key = AddressKey::of(address);
            QVERIFY2(!key.isEmpty(), qPrintable(address));
            keys.insert(key);
        }
        QCOMPARE(keys.size(), odd.size());
    }

    // The fast key and its hash, made without a key, against the plain
    // reference, over addresses that try each branch and word boundary.
    void keyMatchesReference_data()
    {
        QTest::addColumn<QString>("address");
        const auto row = [](const char *name, const QString &address) { QTest::newRow(name) << address; };
        const char *rows[][2] = {
            {"plain", "http://example.com/a"}, {"no path", "https://example.com"},
            {"www. alone", "http://www."}, {"www. and a dot", "http://www.a.b"}, {"www. without a dot", "http://www.ab"},
            {"mixed-case www.", "http://wWw.A.b/"}, {"www-like", "http://wwwx.a.b/"},
            {"default ports", "http://a.example:80/"}, {"https port on http", "http://a.example:443/"},
            {"port on https", "https://a.example:443"}, {"long port", "https://a.example:0443/"},
            {"two ports", "http://a.example:80:80/"}, {"empty port", "http://a.example:/"},
            {"bare port", "http://:80/"}, {"IPv6 port", "http://[::1]:80/x"}, {"IPv6 without port", "http://[::1]/"},
            {"unclosed IPv6", "http://[::1:80/"}, {"user and port", "http://u:p@a.example:80/"},
            {"two @", "http://a@b@c.example/"}, {"@ after the path", "http://a.example/@b"},
            {"query before the path", "http://a.example?x=1/y"}, {"fragment before the query", "http://a.example/#?x=1"},
            {"fragment in the authority", "http://a.example#x/y"}, {"query then fragment then ?", "http://a/?x#y?z"},
            {"empty query and fragment", "http://a/?#"}, {"empty parameters", "http://a/?&&x=1&"},
            {"tracking only", "http://a/?utm_a=1&gclid=2&mc_eid"}, {"tracking names inside", "http://a/?fbclidx=1&utm=2&mc_eidy"},
            {"utm_ alone", "http://a/?utm_"}, {"capital tracking", "http://a/?UTM_x=1&Gclid=1"},
            {"trailing slash and query", "http://a/b/?c=1"}, {"only slashes", "http://a//"},
            {"scheme in capitals", "HTTPS://A.EXAMPLE/P"}, {"scheme-like", "httpx://a.example/"},
            {"missing slash", "http:/a.example/"}, {"backslashes", "http:\\\\a.example\\"},
            {"other scheme", "ftp://A.example/"}, {"no scheme", "A.example/b"}, {"mailto", "mailto:A@b"},
            {"blank first", " http://a.example/"}, {"short", "h"}, {"mark", "\x01"}, {"www. only host", "http://www./"},
            {"host of one letter", "http://A"}, {"host of three letters", "http://ABC/"},
            {"host of five letters", "http://ABCDE/x"}, {"percent", "http://a.example/%7E?%20=1"},
        };
        for (const auto &[name, address] : rows)
            row(name, QString::fromUtf8(address));
        row("non-ASCII host", QStringLiteral(u"http://B\u00dcCHER.example/\u00c4?\u00e4=1"));
        row("non-ASCII beside capitals", QStringLiteral(u"http://\u0141\u0130K.example/"));
        row("Kelvin sign", QStringLiteral(u"http://\u212a.example/"));
        row("surrogates", QStringLiteral(u"https://\U0001F600.example/\U0001F600"));
        row("NUL inside", QStringLiteral("http://a") + QChar(0) + QStringLiteral("b/"));
        row("long host", "http://" + QString(150, u'A') + ".example/");
        row("IPv6 in capitals", "http://[FE80::ABCD]/x");
        row("IPv6 with a port", "http://[FE80::1]:80/x");
        row("long query", "http://a.example/?" + QStringList(QList<QString>(40, "utm_x=1&k=V")).join(u'&'));
        for (int length = 1; length <= 9; ++length)
            row(qPrintable(QStringLiteral("host of %1 with www.").arg(length)),
                "http://WWW." + QString(length, u'H') + ".x:80/" + QString(length, u'p'));
    }

    void keyMatchesReference()
    {
        QFETCH(QString, address);
        const QString expected = ReferenceAddressKey::of(address);
        QCOMPARE(AddressKey::of(address), expected);
        QString reused = QString(300, u'z');
        AddressKey::write(address, reused);
        QCOMPARE(reused, expected);
        QCOMPARE(AddressKey::hashOf(address), AddressKey::hashOfKey(expected));
    }

    // Every delimiter at every place of short and longer authorities and
    // queries, so that each step of the scans (whole, last and overlapping,
    // and texts too short for a step) is met with something to find.
    void delimitersAtEveryPlace()
    {
        const auto check = [](const QString &address) {
            const QString expected = ReferenceAddressKey::of(address);
            QVERIFY2(AddressKey::of(address) == expected, qPrintable(address));
            QVERIFY2(AddressKey::hashOf(address) == AddressKey::hashOfKey(expected), qPrintable(address));
        };
        for (int length = 1; length <= 19; ++length) {
            for (int at = 0; at < length; ++at) {
                for (const QChar mark : {u':', u'@', u']', u'Q', u'/', u'?', u'#', u'&'}) {
                    QString authority(length, u'h');
                    authority[at] = mark;
                    check("http://" + authority);
                    check("http://" + authority + ":443/p");
                    check("https://u:p@" + authority + "/p");
                    QString query(length, u'q');
                    query[at] = mark;
                    check("http://h?" + query);
                    check("http://h/?utm_x=1&" + query + "&k");
                    for (int fragment = at + 1; fragment < length; ++fragment) {
                        QString both = query;
                        both[fragment] = u'#';
                        check("http://h?" + both);
                        check("http://WWW.h.x/p/?" + both);
                    }
                }
            }
        }
    }

    // The same over generated stores and variants of their addresses; the
    // sets found are those the reference keys make.
    void generatedStoresMatchReference_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("seed 1") << 1u;
        QTest::newRow("seed 29") << 29u;
    }

    void generatedStoresMatchReference()
    {
        QFETCH(quint32, seed);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("generated.tsy"));
        StackFileGenerator::Settings settings;
        settings.entryCount = 1500;
        settings.groupCount = 10;
        settings.seed = seed;
        QVERIFY(StackFileGenerator(settings).writeFile(path));
        URLBlock generated;
        QVERIFY(StackFile::loadStackFile(generated, path, false, 0));
        URLBlock store;
        store.NewCatagory(QStringLiteral("A"));
        int n = 0;
        QHash<quint64, QString> keyOfHash;  // different keys with one hash would be a weak hash
        for (const URLData &entry : generated.urlDatas()) {
            for (const QString &address : variantsOf(entry.url, n++)) {
                const QString expected = ReferenceAddressKey::of(address);
                QCOMPARE(AddressKey::of(address), expected);
                const quint64 hash = AddressKey::hashOf(address);
                QCOMPARE(hash, AddressKey::hashOfKey(expected));
                QCOMPARE(keyOfHash.value(hash, expected), expected);
                keyOfHash.insert(hash, expected);
                store.urlDatas().Add(QStringLiteral("t"), address, 0);
            }
        }
        QVERIFY(store.urlDatas().Count() > 10000);
        const QString sets = setsText(Duplicates::find(store.urlDatas()));
        QVERIFY(sets.count(u'|') > 1000);
        QCOMPARE(sets, referenceSets(store.urlDatas()));
    }

    void find_data()
    {
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("sets");
        QTest::newRow("none") << QStringList {"http://a.example/", "http://b.example/"} << QString();
        QTest::newRow("a pair") << QStringList {"http://a.example/", "http://b.example/", "https://a.example"}
                                << "1 3";
        QTest::newRow("sets in the order of their first entries")
            << QStringList {"http://b.example/", "http://a.example/", "http://a.example/#x",
                            "http://www.b.example/", "http://b.example/?utm_id=1"}
            << "1 4 5 | 2 3";
        QTest::newRow("empty addresses are no set") << QStringList {"", "", "http://a.example/"} << QString();
        QTest::newRow("exact copies of other schemes")
            << QStringList {"file:///tmp/x", "mailto:a@b", "file:///tmp/x", "mailto:a@b"} << "1 3 | 2 4";
    }

    // Sets are found anywhere in the store: the entries alternate between
    // groups A, B and no group.
    void find()
    {
        QFETCH(QStringList, urls);
        QFETCH(QString, sets);
        URLBlock store;
        store.NewCatagory(QStringLiteral("A"));
        store.NewCatagory(QStringLiteral("B"));
        int owner = 0;
        for (const QString &url : urls)
            store.urlDatas().Add(QStringLiteral("t"), url, owner++ % 3 - 1);
        QCOMPARE(setsText(Duplicates::find(store.urlDatas())), sets);
    }

    void merge_data()
    {
        QTest::addColumn<int>("kept");  // 0: the default
        QTest::addColumn<QStringList>("after");
        // e1, e3 and e4 are one page; e3 was created first.
        QTest::newRow("the earliest created is kept by default")
            << 0 << QStringList {"+A", "+B", "e2|http://other.example/|1|0|50|7|2|0",
                                 "e3|https://Www.Dup.example/|1|400|100|18|3|4"};
        QTest::newRow("another one picked keeps its own key, title, address, group and category")
            << 1 << QStringList {"+A", "+B", "e1|http://dup.example/|0|400|100|18|1|4",
                                 "e2|http://other.example/|1|0|50|7|2|0"};
        QTest::newRow("the last one picked")
            << 4 << QStringList {"+A", "+B", "e2|http://other.example/|1|0|50|7|2|0",
                                 "e4|http://dup.example/#x|-1|400|100|18|4|4"};
    }

    // A set of three, with another entry left alone: the kept entry takes the
    // earliest creation, the latest visit, the sum of visits and the highest rating.
    void merge()
    {
        QFETCH(int, kept);
        QFETCH(QStringList, after);
        URLBlock store;
        fill(store, {{"http://dup.example/", 0, 300, 400, 10, 1},
                     {"http://other.example/", 1, 50, 0, 7, 0},
                     {"https://Www.Dup.example/", 1, 100, 0, 3, 4},
                     {"http://dup.example/#x", -1, 0, 200, 5, 2}});
        const std::vector<DuplicateSet> sets = Duplicates::find(store.urlDatas());
        QCOMPARE(setsText(sets), QStringLiteral("1 3 4"));
        const qsizetype removed = kept == 0 ? Duplicates::mergeAll(store, sets)
                                            : Duplicates::merge(store, sets, {quint32(kept)});
        QCOMPARE(removed, 2);
        QCOMPARE(storeSummary(store), after);
        QCOMPARE(store.changeCount(), 0);  // the caller counts its one change
        QVERIFY(Duplicates::find(store.urlDatas()).empty());
    }

    // Visits add up to the field's largest value, no further; a negative
    // count adds nothing; no creation date is no earlier one.
    void mergeBounds_data()
    {
        QTest::addColumn<qint32>("first");
        QTest::addColumn<qint32>("second");
        QTest::addColumn<qint32>("sum");
        const qint32 max = std::numeric_limits<qint32>::max();
        QTest::newRow("zero") << 0 << 0 << 0;
        QTest::newRow("saturates") << max << 1 << max;
        QTest::newRow("both largest") << max << max << max;
        QTest::newRow("just below") << max - 2 << 1 << max - 1;
        QTest::newRow("negative counts as none") << -5 << 3 << 3;
        QTest::newRow("lowest counts as none") << std::numeric_limits<qint32>::min() << 0 << 0;
    }

    void mergeBounds()
    {
        QFETCH(qint32, first);
        QFETCH(qint32, second);
        QFETCH(qint32, sum);
        URLBlock store;
        fill(store, {{"http://dup.example/", 0, 0, 0, first, 0}, {"http://dup.example", 0, 5, 0, second, 0}});
        QCOMPARE(Duplicates::mergeAll(store, Duplicates::find(store.urlDatas())), 1);
        QCOMPARE(store.urlDatas().Count(), 1);
        const URLData &kept = *store.urlDatas().begin();
        QCOMPARE(kept.Name, QStringLiteral("e2"));  // the one with a creation date
        QCOMPARE(kept.Created, 5.0);
        QCOMPARE(kept.Visited, sum);
    }

    // A kept key outside its set, or entries gone since the sets were found,
    // change nothing of what they do not name.
    void mergeStaleSets()
    {
        URLBlock store;
        fill(store, {{"http://a.example/", 0, 1, 0, 1, 0}, {"http://a.example/", 0, 2, 0, 1, 0},
                     {"http://b.example/", 0, 3, 0, 1, 0}, {"http://b.example/", 0, 4, 0, 1, 0}});
        const std::vector<DuplicateSet> sets = Duplicates::find(store.urlDatas());
        QVERIFY(store.urlDatas().Delete(QStringLiteral("00004")));
        QCOMPARE(Duplicates::merge(store, sets, {3, 3}), 0);  // 3 is not of the first set; the second lost 4
        QCOMPARE(store.urlDatas().Count(), 3);
        QCOMPARE(store.urlDatas().Item(qsizetype(3))->Visited, 1);
    }
};

QTEST_MAIN(TestDuplicates)
#include "TestDuplicates.moc"
