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
#include "XbelTestStores.h"
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
