// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// XBEL read by the fast reader and by QXmlStreamReader: the same events, or
// the fast reader declines; never does it read what QXmlStreamReader refuses.

#include "URLBlock.h"
#include "XbelEventLog.h"
#include "XbelReader.h"
#include "XbelTestStores.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

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

}  // namespace

class TestXbelReaders : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_GUILESS_MAIN(TestXbelReaders)
#include "TestXbelReaders.moc"
