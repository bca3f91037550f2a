// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// XBEL: the store written and read back, files of other editors, and files
// that are damaged or made to harm.

#include "BookmarkEntry.h"
#include "BookmarkSink.h"
#include "DayCount.h"
#include "MergeTarget.h"
#include "store/StoreSummary.h"
#include "TestEnvironment.h"
#include "URLBlock.h"
#include "XbelEventLog.h"
#include "XbelExport.h"
#include "XbelReader.h"
#include "XbelReference.h"
#include "XbelWriter.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <limits>

using TestEnvironment::writeFile;

namespace {

// What the reader finds goes into a store as every merge puts it there.
class StoreSink : public BookmarkSink
{
public:
    explicit StoreSink(URLBlock &store)
        : m_target(store, 1000.0, nullptr)
    { }
    void newGroup(const QString &name) override { m_target.mb_NewGroup(name); }
    void reopenGroup(const QString &name) override { m_target.mb_ReopenGroup(name); }
    void bungUrl(const QString &title, const QString &url) override { m_target.mb_BungURL(title, url); }
    void bungEntry(const BookmarkEntry &e) override
    {
        m_target.mb_BungEntry(e.title, e.url, BookmarkEntry::timeOf(e.addedMs), BookmarkEntry::timeOf(e.lastVisitMs),
                              e.visits, e.rating, e.category);
        ++entries;
    }
    void storeLastRootOwner() override { ++rootOwners; }
    int entries = 0;
    int rootOwners = 0;

private:
    MergeTarget m_target;
};

struct Fields
{
    QString title;
    QString url;
    double created;
    double last;
    qint32 visits;
    int rating;
    int category;
};

QByteArray xbelOf(const URLBlock &store)
{
    QByteArray text;
    const bool written = XbelExport::writeStore(store, [&text](QByteArrayView piece) {
        text += piece;
        return true;
    });
    return written ? text : QByteArray();
}

// Texts that test the escaping: markup, what XML cannot hold, every length of
// UTF-8, and specials on either side of eight units (read eight at a time).
QStringList oddTexts()
{
    const auto units = [](std::initializer_list<char16_t> list) {
        return QString(reinterpret_cast<const QChar *>(list.begin()), qsizetype(list.size()));
    };
    return {"&<>\"'", "]]> &amp; &#10;", "a\tb\nc\rd", QStringLiteral("\x01\x1f\x7f end"),
            units({u'x', 0xD800}), units({0xD800, u'y'}), units({0xDC00, u'z'}), units({0xDC00, 0xD800}),
            units({0xD83D, 0xDE00, u'!'}), units({0xFFFE, 0xFFFF, 0xFFFD, 0xFDD0}),
            units({0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000}), "1234567&", "12345678&", "1234567\x02",
            "123456789012345\"6789", QString(QChar(0xD800)) + "2345678" + QChar(0xDC00), "plain ascii of 24 chars!",
            QString::fromUtf8("caf\xc3\xa9 \xe4\xb8\xad \xf0\x9f\x98\x80 "), ""};
}

// An entry for each odd text, as title, address and group name.
void addOddEntries(URLBlock &store)
{
    for (const QString &text : oddTexts()) {
        store.NewCatagory(text);
        URLData *entry = store.urlDatas().Add(text, "http://o.example/" + text, store.IDXList().groupCount() - 1);
        entry->Created = 45364.5;
        entry->Visited = text.size() % 2;
    }
}

// A text of pieces drawn from the odd texts and plain words.
QString randomText(QRandomGenerator &random)
{
    static const QStringList pieces = oddTexts() + QStringList {"news", " ", "https://", "Ångström", "—", "x"};
    QString text;
    for (int n = random.bounded(8); n > 0; --n)
        text += pieces[random.bounded(int(pieces.size()))];
    return text;
}

double randomDate(QRandomGenerator &random)
{
    switch (random.bounded(4)) {
    case 0:
        return 0;
    case 1:
        return DayCount::minDayCount + random.generateDouble() * (DayCount::maxDayCount - DayCount::minDayCount);
    default:
        return 45000 + random.generateDouble() * 2000;
    }
}

// Groups and entries of random texts, dates and counts, some of no group.
void addRandomStore(URLBlock &store, quint32 seed)
{
    QRandomGenerator random(seed);
    for (int groups = random.bounded(6); groups > 0; --groups)
        store.NewCatagory(randomText(random));
    for (int entries = random.bounded(400); entries > 0; --entries) {
        const int owner = random.bounded(-1, store.IDXList().groupCount());
        URLData *entry = store.urlDatas().Add(randomText(random), randomText(random), owner);
        entry->Created = randomDate(random);
        entry->LastAccesed = randomDate(random);
        entry->Visited = random.bounded(3) == 0 ? qint32(random.generate()) : 0;
        entry->Rated = quint8(random.bounded(3) == 0 ? random.bounded(256) : 0);
        entry->Catagory = quint8(random.bounded(3) == 0 ? random.bounded(256) : 0);
    }
}

// The file as XbelExport writes it, and its pieces.
QByteArray xbelOf(const URLBlock &store, QList<qsizetype> *pieces)
{
    QByteArray text;
    const bool written = XbelExport::writeStore(store, [&](QByteArrayView piece) {
        text += piece;
        pieces->append(piece.size());
        return true;
    });
    return written ? text : QByteArray();
}


// The fast reader reads data as QXmlStreamReader does, or declines; it never
// reads what that refuses. Empty when they agree.
QString disagreement(const Reading &fast, const Reading &stream)
{
    if (!fast.read)
        return fast.error.isEmpty() ? QString() : "the fast reader failed instead of declining: " + fast.error;
    if (!stream.read)
        return "the fast reader read a file QXmlStreamReader refuses (" + stream.error + ")";
    if (fast.lines != stream.lines)
        return "the readers differ:\n" + fast.lines.join('\n') + "\nQXmlStreamReader:\n" + stream.lines.join('\n');
    return QString();
}

// data with a few random changes: bytes flipped, cut, repeated, and markup
// or bytes beyond ASCII put in.
QByteArray mutated(QByteArray data, QRandomGenerator &random)
{
    static const QByteArray insertions[] = {"<", "&", "]]>", "\"", "'", "</", "<!--", "-->", "&#", ";", ":", "\xC3",
                                            "\xFF", "\xED\xA0\x80", "\xEF\xBF\xBE", "\r", "\x01", "=", " ", "/>",
                                            "<?", "?>", "<![CDATA[", "&amp;", "xmlns:q=\"u\" ", "q:"};
    for (int changes = 1 + random.bounded(2); changes > 0 && !data.isEmpty(); --changes) {
        const qsizetype at = random.bounded(data.size());
        const qsizetype length = qMin<qsizetype>(1 + random.bounded(12), data.size() - at);
        switch (random.bounded(6)) {
        case 0:
            data[at] = char(random.bounded(256));
            break;
        case 1:
            data.remove(at, length);
            break;
        case 2:
            data.insert(at, data.mid(at, length));
            break;
        case 3:
            data.truncate(at);
            break;
        default:
            data.insert(at, insertions[random.bounded(int(std::size(insertions)))]);
            break;
        }
    }
    return data;
}

// A file as another editor writes it: a DOCTYPE, namespaces, comments,
// entities, CDATA, nested folders.
const QByteArray otherEditorFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange "
    "Language 1.0//EN//XML\" \"http://www.python.org/topics/xml/dtds/xbel-1.0.dtd\">\n"
    "<xbel xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\" "
    "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\" version=\"1.0\">\n"
    " <!-- made by hand -->\n <title>Bookmarks</title>\n"
    " <bookmark href=\"http://top.example/?a=1&amp;b=2\" added=\"2024-03-13T12:00:00Z\"><title>Top &amp; more</title></bookmark>\n"
    " <folder folded='no'>\n  <title>Work <![CDATA[<&>]]></title>\n"
    "  <info><metadata owner=\"http://freedesktop.org\"><bookmark:icon name=\"folder\"/>"
    "<mime:mime-type type=\"text/html\"/></metadata></info>\n"
    "  <bookmark href=\"http://w.example/&#x20AC;\" visited=\"2024-03-14T08:00:00+02:00\">\n"
    "   <title>W\xC3\xA9 &#x1F600;</title>\n   <desc>a description</desc>\n"
    "   <info><metadata owner=\"https://orvane.org/tessaly\"><visits>4</visits><rating>3</rating></metadata></info>\n"
    "  </bookmark>\n  <separator/>\n"
    "  <folder><title>Deep</title><bookmark href=\"http://d.example/\"><title>D</title></bookmark></folder>\n"
    "  <?editor-state open?>\n </folder>\n</xbel>\n<!-- end -->\n";

using StoreMaker = std::function<void(URLBlock &)>;

}  // namespace

Q_DECLARE_METATYPE(Fields)
Q_DECLARE_METATYPE(StoreMaker)

class TestXbel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void roundTrip_data()
    {
        QTest::addColumn<Fields>("fields");
        const qint32 maxVisits = std::numeric_limits<qint32>::max();
        const auto row = [](const char *name, const Fields &fields) { QTest::newRow(name) << fields; };
        row("plain", {"Alpha", "http://a.example/", 45364.5, 45365.25, 3, 2, 0});
        row("markup and quotes", {"Q&A: \"<b>\" isn't ]]> &amp;", "http://x.example/?a=1&b=\"2\"<3>", 45364.5, 0, 0, 0, 0});
        row("beyond ASCII", {QString::fromUtf8("Caf\xc3\xa9 \xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x98\x80"),
                             QString::fromUtf8("http://b\xc3\xbc" "cher.example/\xc3\xa4"), 45364.5, 0, 1, 1, 1});
        row("blanks around", {"  spaced  ", " http://s.example/ ", 45364.5, 0, 0, 0, 0});
        row("control characters", {QStringLiteral("tab\there\x01\x1f end"), QStringLiteral("http://c.example/\x02\t"),
                                   45364.5, 0, 0, 0, 0});
        row("line ends inside", {"one\r\ntwo\rthree\nfour", "http://l.example/\n", 45364.5, 0, 0, 0, 0});
        row("lone surrogates and non-characters",
            {QString(QChar(0xD800)) + "x" + QChar(0xDC00) + QChar(0xFFFE), QString(QChar(0xFFFF)), 45364.5, 0, 0, 0, 0});
        row("empty title and address", {"", "", 45364.5, 0, 0, 0, 0});
        row("earliest dates", {"old", "http://o.example/", DayCount::minDayCount, DayCount::minDayCount + 0.5, 0, 0, 0});
        row("latest dates", {"new", "http://n.example/", DayCount::maxDayCount, DayCount::maxDayCount, 0, 0, 0});
        row("before 1970", {"1900", "http://p.example/", 2.25, 3.5, 1, 4, 0});
        row("largest counts", {"big", "http://g.example/", 45364.5, 45364.75, maxVisits, 255, 255});
        row("negative visits", {"neg", "http://m.example/", 45364.5, 0, std::numeric_limits<qint32>::min(), 0, 7});
    }

    // An entry in a group, beside one of no group and an empty group: read
    // back into an empty store, every field is kept (the entry of no group
    // goes to "XBEL: ROOT").
    void roundTrip()
    {
        QFETCH(Fields, fields);
        URLBlock store;
        store.NewCatagory(fields.title.isEmpty() ? QStringLiteral("G") : fields.title);
        store.NewCatagory(QStringLiteral("Empty"));
        URLData *loose = store.urlDatas().Add(QStringLiteral("Loose"), QStringLiteral("http://loose/"), -1);
        loose->Created = 45000.5;
        URLData *entry = store.urlDatas().Add(fields.title, fields.url, 0);
        entry->Created = fields.created;
        entry->LastAccesed = fields.last;
        entry->Visited = fields.visits;
        entry->Rated = quint8(fields.rating);
        entry->Catagory = quint8(fields.category);
        const QString file = writeFile(m_dir->filePath("out.xbel"), xbelOf(store));

        URLBlock back;
        StoreSink sink(back);
        QString error;
        QVERIFY2(XbelReader::readXbelFile(file, sink, &error), qPrintable(error));
        // The group "XBEL: ROOT" comes first, with the loose entry.
        QStringList expected = storeSummary(store);
        expected.prepend("+XBEL: ROOT");
        for (qsizetype i = expected.size() - 2; i < expected.size(); ++i) {
            QStringList fields = expected[i].split('|');
            fields[2] = QString::number(fields[2].toInt() + 1);
            expected[i] = fields.join('|');
        }
        QCOMPARE(storeSummary(back), expected);
        QCOMPARE(sink.rootOwners, 2);
    }

    // An entry's dates leave as UTC to the millisecond; the other fields as
    // XBEL and Tessaly's metadata hold them.
    void writtenForm()
    {
        URLBlock store;
        store.NewCatagory(QStringLiteral("News & <Views>"));
        URLData *entry = store.urlDatas().Add(QStringLiteral("A\x01"), QStringLiteral("http://a.example/?x=1&y=2"), 0);
        entry->Created = 45364.5;
        entry->LastAccesed = 45365.25;
        entry->Visited = 3;
        const QByteArray xbel = xbelOf(store);
        QVERIFY(xbel.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE xbel"));
        QVERIFY2(xbel.contains("<folder>\n  <title>News &amp; &lt;Views&gt;</title>\n"
                               "  <bookmark href=\"http://a.example/?x=1&amp;y=2\" added=\"2024-03-13T12:00:00.000Z\" "
                               "visited=\"2024-03-14T06:00:00.000Z\">\n   <title>A </title>\n   <info>\n"
                               "    <metadata owner=\"https://orvane.org/tessaly\">\n     <visits>3</visits>\n"
                               "     <title>QQABAA==</title>\n"),
                 xbel.constData());
    }

    void sameAsReference_data()
    {
        QTest::addColumn<StoreMaker>("make");
        QTest::newRow("empty store") << StoreMaker([](URLBlock &) {});
        QTest::newRow("only an empty group") << StoreMaker([](URLBlock &store) { store.NewCatagory("G"); });
        QTest::newRow("only an entry of no group") << StoreMaker([](URLBlock &store) {
            store.urlDatas().Add("T", "http://t/", -1);
        });
        QTest::newRow("odd texts") << StoreMaker(addOddEntries);
        QTest::newRow("dates and counts at their limits") << StoreMaker([](URLBlock &store) {
            store.NewCatagory("G");
            const double dates[] = {DayCount::minDayCount, DayCount::maxDayCount, -1.75, 0.5, 1e-9, 25569.0,
                                    25568.99999, 45364.0000001, 45364.999999, 2958465.0};
            for (double date : dates) {
                URLData *entry = store.urlDatas().Add("d", "http://d/", 0);
                entry->Created = date;
                entry->LastAccesed = -date;
                entry->Visited = date < 0 ? std::numeric_limits<qint32>::min() : std::numeric_limits<qint32>::max();
                entry->Rated = 255;
                entry->Catagory = 1;
            }
        });
        QTest::newRow("texts longer than a piece") << StoreMaker([](URLBlock &store) {
            store.NewCatagory(QString(300000, QChar(0xD800)));
            store.urlDatas().Add(QString(400000, u'"'), QString(300000, QChar(0x20AC)), 0);
            store.urlDatas().Add("after", "http://after/", 0);
        });
        QTest::newRow("many entries, many pieces") << StoreMaker([](URLBlock &store) {
            for (int group = 0; group < 50; ++group)
                store.NewCatagory(QString::number(group));
            for (int i = 0; i < 60000; ++i)
                store.urlDatas().Add(QString::fromUtf8("Entry \xc3\xa9 & %1").arg(i), "http://m/?a=1&b=" + QString::number(i),
                                     i % 51 - 1)->Created = 45000 + i / 7.0;
        });
        for (quint32 seed = 1; seed <= 40; ++seed)
            QTest::addRow("generated store, seed %u", seed) << StoreMaker([seed](URLBlock &store) { addRandomStore(store, seed); });
    }

    // The file is QXmlStreamWriter's, byte for byte, handed on in pieces of
    // about a mebibyte; and it is read back.
    void sameAsReference()
    {
        QFETCH(StoreMaker, make);
        URLBlock store;
        make(store);
        QList<qsizetype> pieces;
        const QByteArray xbel = xbelOf(store, &pieces);
        const QByteArray reference = XbelReference::xbelOf(store);
        if (xbel != reference) {
            qsizetype at = 0;
            while (at < xbel.size() && at < reference.size() && xbel[at] == reference[at])
                ++at;
            QFAIL(qPrintable(QStringLiteral("differs at byte %1:\n%2\nreference:\n%3")
                                 .arg(at)
                                 .arg(QString::fromUtf8(xbel.mid(qMax<qsizetype>(0, at - 120), 240)),
                                      QString::fromUtf8(reference.mid(qMax<qsizetype>(0, at - 120), 240)))));
        }
        if (store.urlDatas().Count() > 10000) {
            QVERIFY(pieces.size() > 3);
            for (qsizetype i = 0; i + 1 < pieces.size(); ++i)
                QVERIFY(pieces[i] >= XbelWriter::pieceBytes && pieces[i] < XbelWriter::pieceBytes + 4096);
        }
        URLBlock back;
        StoreSink sink(back);
        QString error;
        const int fastReads = XbelReader::fastReads();
        QVERIFY2(XbelReader::readXbelFile(writeFile(m_dir->filePath("same.xbel"), xbel), sink, &error), qPrintable(error));
        QCOMPARE(sink.entries, store.urlDatas().Count());
        QCOMPARE(XbelReader::fastReads(), fastReads + 1);
    }

    void bothReaders_data()
    {
        QTest::addColumn<QByteArray>("xbel");
        QTest::addColumn<QString>("expect");  // "fast": the fast reader reads it; "declined": only
                                              // QXmlStreamReader does; "refused": neither
        const auto in = [](const QByteArray &title, const QByteArray &href = "http://a/") -> QByteArray {
            return "<xbel><folder><title>F</title><bookmark href=\"" + href + "\"><title>" + title
                + "</title></bookmark></folder></xbel>";
        };
        const auto row = [](const char *name, const QByteArray &xbel, const char *expect) {
            QTest::newRow(name) << xbel << QString::fromLatin1(expect);
        };
        row("another editor's file", otherEditorFile, "fast");
        row("a BOM, a declaration in single quotes naming utf-8, standalone",
            "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8' standalone='yes' ?>" + in("T"), "fast");
        row("a DOCTYPE with a SYSTEM identifier", "<?xml version=\"1.0\"?>\n<!DOCTYPE xbel SYSTEM 'x.dtd' >" + in("T"),
            "fast");
        row("comments and instructions everywhere",
            "<!-- a --><?pi x?>\n<xbel><!----><folder><?p?><title>F<!-- - -->G<?q ?></title><bookmark href=\"h\">"
            "<title>T</title></bookmark></folder></xbel>\n<!-- b --><?c?>\n",
            "fast");
        row("every entity and character reference", in("&lt;&gt;&amp;&apos;&quot;&#65;&#x42;&#x1f600;&#xFDD0;&#9;&#10;&#13;&#0065;",
                                                       "&amp;&lt;&#x20;&#10;&#9;&#13;&#x10FFFF;"),
            "fast");
        row("blanks and line ends in an attribute value", in("T", "a\tb\nc\r\nd\re  f"), "fast");
        row("line ends in text and CDATA", in("a\r\nb\rc\n<![CDATA[d\r\ne\r]]>\r"), "fast");
        row("CDATA with markup", in("<![CDATA[<b>&amp;]]]]><![CDATA[>]]><![CDATA[]]>"), "fast");
        row("references that spell ]]>", in("]]&gt;]]&#62;"), "fast");
        row("a reference to ] before ]>", in("&#93;]>"), "refused");
        row("a reference to ] after ]", in("]&#93;>"), "declined");
        row("UTF-8 of every length and its limits",
            in("\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBD"
               "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\x7F",
               "http://\xC3\xBC/"),
            "fast");
        row("prefixes declared on the root and on the element",
            "<xbel xmlns:b=\"urn:b\"><folder b:x=\"1\"><title>F</title><b:icon b:name=\"n\" xmlns:c='urn:c' c:size='m'/>"
            "<bookmark href=\"h\" xmlns:p=\"urn:p\"><p:title>prefixed</p:title></bookmark></folder></xbel>",
            "fast");
        row("elements inside a title", in("a<b>b<c x='1'>c</c><d/></b>d"), "fast");
        row("blanks inside tags and empty elements",
            "<xbel ><folder\n><title\t>F</title ><bookmark\r\nhref = \"h\"\n\tadded= '2024-03-13T12:00:00Z' /></folder ></xbel\n>",
            "fast");
        row("blanks before and after the root", "\n \t\r\n<xbel><bookmark href=\"x\"/></xbel>\n\n", "fast");
        row("root in no namespace but another element in one",
            "<xbel><folder xmlns:x='urn:x'><x:title>F</x:title></folder></xbel>", "fast");
        row("an internal subset with an entity",
            "<!DOCTYPE xbel [<!ENTITY t \"Title\">]>" + in("&t;"), "declined");
        row("Latin-1 declared", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + in("caf\xE9"), "declined");
        row("UTF-16", QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(u"<xbel><bookmark href=\"x\"/></xbel>"), 66),
            "declined");
        row("a default namespace inside", "<xbel><folder xmlns=\"urn:x\"><title>F</title></folder></xbel>", "declined");
        row("xml:lang", "<xbel><folder xml:lang=\"en\"><title>F</title></folder></xbel>", "declined");
        row("a name beyond ASCII", in("<t\xC3\xA9/>"), "declined");
        row("an instruction named xml-stylesheet", "<?xml-stylesheet href='a'?>" + in("T"), "declined");
        row("the root in a namespace", "<b:xbel xmlns:b=\"urn:b\"/>", "refused");
        row("the root not xbel", "<html/>", "refused");
        row("mismatched end tag", "<xbel><folder></bookmark></xbel>", "refused");
        row("end tag of a prefixed element without it", "<xbel xmlns:p='u'><p:a></a></xbel>", "refused");
        row("no end", "<xbel><folder>", "refused");
        row("two roots", "<xbel/><xbel/>", "refused");
        row("text after the root", "<xbel/>x", "refused");
        row("text before the root", "x<xbel/>", "refused");
        row("a reference outside the root", "<xbel/>&amp;", "refused");
        row("CDATA outside the root", "<![CDATA[x]]><xbel/>", "refused");
        row("the declaration not at the start", " <?xml version=\"1.0\"?><xbel/>", "refused");
        row("a second declaration", "<?xml version=\"1.0\"?><xbel><?xml version=\"1.0\"?></xbel>", "refused");
        row("version 1.1", "<?xml version=\"1.1\"?><xbel/>", "refused");
        row("a declaration without version", "<?xml encoding=\"UTF-8\"?><xbel/>", "refused");
        row("a lone & in text", in("a & b"), "refused");
        row("a lone & in an attribute", in("T", "a&b"), "refused");
        row("< in an attribute", in("T", "a<b"), "refused");
        row("an undeclared entity", in("&nope;"), "refused");
        row("an entity without ;", in("&amp"), "refused");
        row("a reference to NUL", in("&#0;"), "refused");
        row("a reference to a control character", in("T", "&#1;"), "refused");
        row("a reference to a surrogate", in("&#xD800;"), "refused");
        row("a reference to U+FFFE", in("&#xFFFE;"), "refused");
        row("a reference beyond U+10FFFF", in("&#x110000;"), "refused");
        row("a reference of many digits", in("&#x0000000041;"), "declined");
        row("an empty reference", in("&#;"), "refused");
        row("a reference with a wrong digit", in("&#12a;"), "refused");
        row("a reference with a capital X", in("&#X41;"), "refused");
        row("]]> in text", in("a]]>b"), "refused");
        row("a control character in text", in("a\x01"), "refused");
        row("a control character in an attribute", in("T", "a\x1f"), "refused");
        row("a control character in a comment", "<xbel><!-- \x02 --></xbel>", "refused");
        row("NUL", in(QByteArray("a\0b", 3)), "refused");
        row("a byte that is never UTF-8", in("a\xFF"), "refused");
        row("an overlong form", in("\xC0\xAF"), "refused");
        row("an overlong form of three bytes", in("\xE0\x80\xAF"), "refused");
        row("a surrogate in UTF-8", in("\xED\xA0\x80"), "refused");
        row("beyond U+10FFFF in UTF-8", in("\xF4\x90\x80\x80"), "refused");
        row("a sequence cut short", in("\xE4\xB8"), "refused");
        row("a lone continuation byte", in("\x80"), "refused");
        row("U+FFFE in UTF-8", in("\xEF\xBF\xBE"), "refused");
        row("U+FFFF in an attribute", in("T", "\xEF\xBF\xBF"), "refused");
        row("a duplicate attribute", "<xbel><bookmark href=\"a\" href=\"b\"/></xbel>", "refused");
        row("one attribute under two prefixes",
            "<xbel xmlns:a=\"urn:x\" xmlns:b=\"urn:x\"><bookmark a:n=\"1\" b:n=\"2\"/></xbel>", "refused");
        row("an undeclared prefix of an element", in("<p:b/>"), "refused");
        row("an undeclared prefix of an attribute", in("T", "h\" p:x=\"1"), "refused");
        row("the one attribute with an undeclared prefix", "<xbel><folder p:x=\"1\"><title>F</title></folder></xbel>",
            "refused");
        row("the one attribute a declaration", "<xbel><folder xmlns:p=\"urn:p\"><p:title>F</p:title></folder></xbel>",
            "fast");
        row("a prefix declared empty", "<xbel xmlns:p=\"\"/>", "refused");
        row("a prefix used outside its element", "<xbel><a xmlns:p='u'/><p:b/></xbel>", "refused");
        row("a name with two colons", "<xbel xmlns:a='u'><a:b:c/></xbel>", "refused");
        row("attributes without a blank between", "<xbel><bookmark href=\"a\"added=\"b\"/></xbel>", "refused");
        row("an attribute without quotes", "<xbel><bookmark href=a/></xbel>", "refused");
        row("an attribute without a value", "<xbel><bookmark href/></xbel>", "refused");
        row("-- in a comment", "<xbel><!-- a -- b --></xbel>", "refused");
        row("a comment ending --->", "<xbel><!-- a ---></xbel>", "refused");
        row("an instruction named xml later", "<xbel><?xml x?></xbel>", "refused");
        row("an instruction without a name", "<xbel><? x?></xbel>", "refused");
        row("a DOCTYPE after the root", "<xbel/><!DOCTYPE xbel>", "declined");
        row("two DOCTYPEs", "<!DOCTYPE xbel><!DOCTYPE xbel><xbel/>", "declined");
        row("a DOCTYPE with a wrong public identifier", "<!DOCTYPE xbel PUBLIC \"{\" \"x\"><xbel/>", "refused");
        row("a DOCTYPE inside", "<xbel><!DOCTYPE xbel></xbel>", "declined");
        row("& in a system identifier", "<!DOCTYPE xbel SYSTEM \"a&amp;b\"><xbel/>", "refused");
        row("< in a system identifier", "<!DOCTYPE xbel SYSTEM 'a<b'><xbel/>", "refused");
        row("a tab in a public identifier", "<!DOCTYPE xbel PUBLIC \"a\tb\" \"c\"><xbel/>", "refused");
        row("no blank before a system identifier", "<!DOCTYPE xbel PUBLIC \"a\"\"c\"><xbel/>", "refused");
        row("CDATA not closed", in("<![CDATA[x"), "refused");
        row("an end tag with an attribute", "<xbel></xbel x=\"1\">", "refused");
        row("a blank after <", "< xbel/>", "refused");
        row("a name starting with a digit", in("<1a/>"), "refused");
        row("nothing but blanks", " \n ", "refused");
        row("empty", "", "refused");
        row("a BOM and nothing", "\xEF\xBB\xBF", "refused");
    }

    // The fast reader gives what QXmlStreamReader gives, or declines; never
    // does it read a file that QXmlStreamReader refuses.
    void bothReaders()
    {
        QFETCH(QByteArray, xbel);
        QFETCH(QString, expect);
        const Reading fast = readingOf(xbel, XbelReader::Reader::Fast);
        const Reading stream = readingOf(xbel, XbelReader::Reader::Stream);
        const QString differs = disagreement(fast, stream);
        QVERIFY2(differs.isEmpty(), qPrintable(differs));
        QCOMPARE(stream.read, expect != "refused");
        QCOMPARE(fast.read, expect == "fast");
    }

    void mutations_data()
    {
        QTest::addColumn<QByteArray>("xbel");
        QTest::addColumn<quint32>("seed");
        URLBlock odd;
        addOddEntries(odd);
        QTest::newRow("Tessaly's own file") << xbelOf(odd) << 1u;
        URLBlock generated;
        QRandomGenerator random(7);
        generated.NewCatagory(randomText(random));
        for (int i = 0; i < 12; ++i) {
            URLData *entry = generated.urlDatas().Add(randomText(random), randomText(random), i % 2 - 1);
            entry->Created = randomDate(random);
            entry->Visited = i;
        }
        QTest::newRow("a generated store") << xbelOf(generated) << 2u;
        QTest::newRow("another editor's file") << otherEditorFile << 3u;
    }

    // Thousands of damaged copies of good files: wherever the fast reader
    // reads one, QXmlStreamReader reads it too, to the same result.
    void mutations()
    {
        QFETCH(QByteArray, xbel);
        QFETCH(quint32, seed);
        QVERIFY(readingOf(xbel, XbelReader::Reader::Fast).read);
        QRandomGenerator random(seed);
        int fastReads = 0, refused = 0;
        constexpr int count = 3000;
        for (int i = 0; i < count; ++i) {
            const QByteArray data = mutated(xbel, random);
            const Reading fast = readingOf(data, XbelReader::Reader::Fast);
            const Reading stream = readingOf(data, XbelReader::Reader::Stream);
            const QString differs = disagreement(fast, stream);
            if (!differs.isEmpty())
                QFAIL(qPrintable(QStringLiteral("mutation %1: %2\n%3").arg(i).arg(differs, QString::fromUtf8(data.toPercentEncoding(" <>/=\"'!?:;.-_\n")))));
            fastReads += fast.read;
            refused += !stream.read;
        }
        // Both kinds are many, or the comparison would prove little.
        QVERIFY2(fastReads > count / 10 && refused > count / 3, qPrintable(QStringLiteral("%1 read fast, %2 refused").arg(fastReads).arg(refused)));
    }

    // A piece that cannot be written fails the export, and no more are handed on.
    void failedPiece()
    {
        URLBlock store;
        store.NewCatagory("G");
        for (int i = 0; i < 40000; ++i)
            store.urlDatas().Add(QString(40, u'x'), "http://f/" + QString::number(i), 0);
        int calls = 0;
        QVERIFY(!XbelExport::writeStore(store, [&calls](QByteArrayView) { return ++calls < 2; }));
        QCOMPARE(calls, 2);
    }

    void otherEditors_data()
    {
        QTest::addColumn<QByteArray>("xbel");
        QTest::addColumn<QStringList>("store");  // storeSummary of the file merged into an empty store
        const QByteArray head = "<?xml version=\"1.0\"?>\n<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML "
                                "Bookmark Exchange Language 1.0//EN//XML\" "
                                "\"http://www.python.org/topics/xml/dtds/xbel-1.0.dtd\">\n";
        QTest::newRow("folders nested and loose bookmarks, no metadata")
            << head + "<xbel version=\"1.0\"><title>My bookmarks</title>\n"
                      "<bookmark href=\"http://top.example/\"><title>Top</title></bookmark>\n"
                      "<folder folded=\"no\"><title>Work</title><info><metadata owner=\"http://freedesktop.org\">"
                      "<bookmark:icon name=\"x\" xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"/>"
                      "</metadata></info><desc>d</desc>\n"
                      " <bookmark href=\"http://w.example/\" added=\"2024-03-13T12:00:00Z\"><title>W</title></bookmark>\n"
                      " <separator/>\n"
                      " <folder><title>Deep</title><folder><title>Deeper</title>\n"
                      "  <bookmark href=\"http://d.example/\" visited=\"2024-03-14T08:00:00+02:00\"><title>D</title>"
                      "</bookmark></folder></folder>\n"
                      " <alias ref=\"x\"/>\n"
                      "</folder>\n"
                      "<bookmark href=\"http://after.example/\"><title>After</title></bookmark>\n"
                      "<folder><title>Empty</title></folder>\n"
                      "</xbel>\n"
            << QStringList {"+XBEL: ROOT", "+Work", "+Empty", "Top|http://top.example/|0|0|1000|0|0|0",
                            "W|http://w.example/|1|0|45364.5|0|0|0", "D|http://d.example/|1|45365.25|1000|0|0|0",
                            "After|http://after.example/|0|0|1000|0|0|0"};
        QTest::newRow("entities, CDATA, no title, a local date, a damaged date and number")
            << QByteArray("<xbel><folder><bookmark href=\"http://e.example/?a=1&amp;b=&#50;\" added=\"2024-03-13T12:00:00\" "
               "visited=\"yesterday\"><title>&lt;&#x41;&gt; <![CDATA[<raw>]]></title>"
               "<info><metadata owner=\"https://orvane.org/tessaly\"><visits>x</visits><rating>300</rating>"
               "<category>9</category></metadata></info></bookmark></folder></xbel>")
            << QStringList {"+", "<A> <raw>|http://e.example/?a=1&b=2|0|0|45364.5|0|9|0"};
        // As in a bookmark file, only what the store held before the merge is left out.
        QTest::newRow("a subfolder's bookmark joins the top folder, the same address too")
            << QByteArray("<xbel><folder><title>F</title><bookmark href=\"http://a/\"><title>1</title></bookmark>"
                          "<folder><bookmark href=\"http://a/\"><title>2</title></bookmark></folder></folder></xbel>")
            << QStringList {"+F", "1|http://a/|0|0|1000|0|0|0", "2|http://a/|0|0|1000|0|0|0"};
        QTest::newRow("metadata of another owner is passed over")
            << QByteArray("<xbel><folder><title>F</title><bookmark href=\"http://a/\"><info><metadata owner=\"urn:other\">"
                          "<visits>5</visits><title>QQA=</title></metadata></info></bookmark></folder></xbel>")
            << QStringList {"+F", "|http://a/|0|0|1000|0|0|0"};
        // Tessaly's own form is read on a shorter path; every other form as QDateTime reads ISO 8601.
        QTest::newRow("dates in Tessaly's form and near it")
            << QByteArray("<xbel><folder><title>F</title>"
                          "<bookmark href=\"1\" added=\"2024-02-29T23:59:59.999Z\" visited=\"1899-12-30T06:00:00.000Z\"/>"
                          "<bookmark href=\"2\" added=\"0100-01-01T00:00:00.000Z\" visited=\"9999-12-31T23:59:59.999Z\"/>"
                          "<bookmark href=\"3\" added=\"2023-02-29T00:00:00.000Z\" visited=\"2024-03-13T24:00:00.000Z\"/>"
                          "<bookmark href=\"4\" added=\" 2024-03-13T12:00:00.000Z \" visited=\"2024-03-13T12:00:60.000Z\"/>"
                          "<bookmark href=\"5\" added=\"2024-03-13T12:00:00.000+01:00\" visited=\"2024-03-13T12:00:00.5Z\"/>"
                          "<bookmark href=\"6\" added=\"2024-13-13T12:00:00.000Z\" visited=\"2024-03-1xT12:00:00.000Z\"/>"
                          "<bookmark href=\"7\" added=\"2024-03-13T12:60:00.000Z\" visited=\"2024/03-13T12:00:00.000Z\"/>"
                          "<bookmark href=\"8\" added=\"0000-01-01T00:00:00.000Z\" visited=\"2024-03-13T12:00:00.000z\"/>"
                          "</folder></xbel>")
            << QStringList {"+F", "|1|0|0.25|45352|0|0|0", "|2|0|2958465.99999|-657434|0|0|0", "|3|0|45365|1000|0|0|0",
                            "|4|0|0|45364.5|0|0|0", "|5|0|45364.5000058|45364.4583333|0|0|0", "|6|0|0|1000|0|0|0",
                            "|7|0|45364.5|1000|0|0|0", "|8|0|45364.5|1000|0|0|0"};
        QTest::newRow("an empty xbel") << QByteArray("<xbel/>") << QStringList();
    }

    void otherEditors()
    {
        QFETCH(QByteArray, xbel);
        QFETCH(QStringList, store);
        URLBlock merged;
        StoreSink sink(merged);
        QString error;
        const int fastReads = XbelReader::fastReads();
        QVERIFY2(XbelReader::readXbelFile(writeFile(m_dir->filePath("in.xbel"), xbel), sink, &error),
                 qPrintable(error));
        QCOMPARE(storeSummary(merged), store);
        QCOMPARE(XbelReader::fastReads(), fastReads + 1);  // every one of these is read by the fast reader
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("xbel");
        QTest::addColumn<QString>("error");  // what the message holds after the file's name
        const QByteArray good = "<xbel><folder><title>F</title><bookmark href=\"http://a/\"><title>A</title>"
                                "</bookmark></folder>";
        QTest::newRow("empty file") << QByteArray() << ": not an XBEL file (";
        QTest::newRow("a bookmark file of the browsers")
            << QByteArray("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p><DT><A HREF=\"http://a/\">A</A></DL>")
            << ": not an XBEL file";
        QTest::newRow("another XML file") << QByteArray("<?xml version=\"1.0\"?><html><body/></html>")
                                          << ": not an XBEL file: its first element is <html>";
        QTest::newRow("xbel in a namespace") << QByteArray("<x:xbel xmlns:x=\"urn:x\"/>")
                                             << ": not an XBEL file: its first element is <xbel>";
        QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff\xfe", 5) << ": not an XBEL file (";
        QTest::newRow("cut short") << good << ": line 1: ";
        QTest::newRow("cut inside a tag") << good.left(40) << ": line 1: ";
        QTest::newRow("damaged") << good + "</bookmark></xbel>" << ": line 1: ";
        QTest::newRow("text after the end") << good + "</xbel>junk" << ": line 1: ";
        QTest::newRow("undeclared entity") << QByteArray("<xbel><folder><title>&nope;</title></folder></xbel>")
                                           << ": line 1: ";
        QTest::newRow("billion laughs")
            << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE xbel [\n <!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
                          " <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n <!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
                          " <!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">\n <!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">\n"
                          " <!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">\n <!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">\n"
                          " <!ENTITY h \"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\">\n <!ENTITY i \"&h;&h;&h;&h;&h;&h;&h;&h;&h;&h;\">\n"
                          "]>\n<xbel><folder><title>&i;</title></folder></xbel>\n")
            << ": line ";
        QTest::newRow("folders nested 10,000 deep")
            << "<xbel>" + QByteArray("<folder>").repeated(10000) + QByteArray("</folder>").repeated(10000) + "</xbel>"
            << ": line 1: elements nested deeper than 256";
        QTest::newRow("other elements nested 10,000 deep")
            << "<xbel>" + QByteArray("<x>").repeated(10000) + QByteArray("</x>").repeated(10000) + "</xbel>"
            << ": line 1: elements nested deeper than 256";
    }

    // Nothing is reported from a file that is not read whole, and the message
    // names the file and says why.
    void badFiles()
    {
        QFETCH(QByteArray, xbel);
        QFETCH(QString, error);
        const QString file = writeFile(m_dir->filePath("bad.xbel"), xbel);
        URLBlock store;
        StoreSink sink(store);
        QString message;
        QVERIFY(!XbelReader::readXbelFile(file, sink, &message));
        QVERIFY2(message.startsWith(file + error), qPrintable(message));
        QVERIFY2(message.endsWith("nothing was merged"), qPrintable(message));
        QCOMPARE(sink.entries, 0);
        QCOMPARE(storeSummary(store), QStringList());
    }

    // An entity declared as a file outside is never read into a title.
    void externalEntityIsNotRead()
    {
        const QString secret = writeFile(m_dir->filePath("secret.txt"), "SECRET");
        const QByteArray xbel = "<?xml version=\"1.0\"?><!DOCTYPE xbel [<!ENTITY s SYSTEM \"file://"
            + secret.toUtf8() + "\">]><xbel><folder><title>F</title><bookmark href=\"http://a/\"><title>&s;</title>"
                                "</bookmark></folder></xbel>";
        URLBlock store;
        StoreSink sink(store);
        QString error;
        XbelReader::readXbelFile(writeFile(m_dir->filePath("in.xbel"), xbel), sink, &error);
        QVERIFY(!storeSummary(store).join('\n').contains("SECRET"));
    }

    // Larger than the limit, a missing file, a folder: refused before reading.
    void unreadableFiles()
    {
        QFile huge(m_dir->filePath("huge.xbel"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(XbelReader::maxFileBytes + 1));
        huge.close();
        for (const QString &name : {QStringLiteral("huge.xbel"), QStringLiteral("missing.xbel"), QString(".")}) {
            URLBlock store;
            StoreSink sink(store);
            QString error;
            QVERIFY(!XbelReader::readXbelFile(m_dir->filePath(name), sink, &error));
            QVERIFY2(error.contains(name == "." ? m_dir->path() : m_dir->filePath(name)), qPrintable(error));
            QCOMPARE(sink.entries, 0);
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestXbel)
#include "TestXbel.moc"
