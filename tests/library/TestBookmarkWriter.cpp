// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The bookmark-file writer: its text, read back by the reader, and its
// pieces handed on as they fill.

#include "BookmarkEntry.h"
#include "BookmarkFileReader.h"
#include "NetscapeBookmarkWriter.h"
#include "RecordingSink.h"
#include "TestEnvironment.h"

#include <QtTest>
#include <limits>

using TestEnvironment::writeFile;

namespace {

const QString root = QStringLiteral("+Netscape: ROOT");
constexpr qint64 noDate = std::numeric_limits<qint64>::min();

}  // namespace

class TestBookmarkWriter : public QObject
{
    Q_OBJECT

private slots:
    void writerReadsBack();
    void writtenLinks_data();
    void writtenLinks();
    void writerHandsOnPieces();
};

// What the writer writes reads back to the same folders, titles and
// addresses, whatever characters they hold, and to the same dates and counts.
void TestBookmarkWriter::writerReadsBack()
{
    const auto link = [](const QString &title, const QString &url, qint64 addedMs = 0, qint64 visitMs = 0,
                         qint32 visits = 0, quint8 rating = 0, quint8 category = 0) {
        BookmarkEntry entry;
        entry.title = title;
        entry.url = url;
        if (addedMs != 0)
            entry.addedMs = addedMs;
        if (visitMs != 0)
            entry.lastVisitMs = visitMs;
        entry.visits = visits;
        entry.rating = rating;
        entry.category = category;
        return entry;
    };
    NetscapeBookmarkWriter writer;
    writer.addLink(link("No group", "http://n/"));
    writer.beginFolder(QStringLiteral("A & \"B\" <'C'>"), 1700000000);
    writer.addLink(
        link(QStringLiteral("T1 </A> \"q\">"), "http://x/?a=1&b=\"2\"<>", 1700000000000, 1700000100000));
    writer.addLink(link(QString(), QString()));
    writer.beginFolder(QStringLiteral("Line\r\nbreak"));
    writer.addLink(link(QString::fromUtf8("\u00e9 \u2014 &amp;"), "http://y/\nz", 1699999999568,
                        1710000000432, -3, 4, 255));
    writer.addLink(link("Old", "http://o/", -86400000, 1, 2147483647, 1, 1));
    writer.beginFolder(QString());
    const QByteArray text = writer.finish();
    QVERIFY(text.contains("ADD_DATE=\"1700000000\" LAST_VISIT=\"1700000100\">"));
    QVERIFY(
        text.contains("ADD_DATE=\"1700000000\" TESSALY_ADD_MS=\"1699999999568\" LAST_VISIT=\"1710000000\" "
                      "TESSALY_LAST_VISIT_MS=\"1710000000432\" TESSALY_VISITS=\"-3\" TESSALY_RATING=\"4\" "
                      "TESSALY_CATEGORY=\"255\">"));
    QVERIFY(!text.contains("LAST_VISIT=\"0\""));
    QVERIFY(!text.contains("ADD_DATE=\"-"));

    QTemporaryDir dir;
    RecordingSink sink;
    QVERIFY(BookmarkFileReader::readBookmarkFile(writeFile(dir.filePath("w.html"), text), sink));
    QCOMPARE(sink.events,
             (QStringList {root, "No group|http://n/", "^", "+A & \"B\" <'C'>",
                           "T1 </A> \"q\">|http://x/?a=1&b=\"2\"<>", "|", "^", "+Line  break",
                           QString::fromUtf8("\u00e9 \u2014 &amp;|http://y/ z"), "Old|http://o/", "^", "+"}));
    QCOMPARE(sink.details,
             (QStringList {"- - 0 0 0", "2023-11-14T22:13:20.000Z 2023-11-14T22:15:00.000Z 0 0 0",
                           "- - 0 0 0", "2023-11-14T22:13:19.568Z 2024-03-09T16:00:00.432Z -3 4 255",
                           "1969-12-31T00:00:00.000Z 1970-01-01T00:00:00.001Z 2147483647 1 1"}));
}

void TestBookmarkWriter::writtenLinks_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("url");
    QTest::addColumn<qint64>("addedMs");  // noDate: none
    QTest::addColumn<QByteArray>("line");
    const auto row = [](const char *name, const QString &title, const QString &url, qint64 addedMs,
                        const QByteArray &line) { QTest::newRow(name) << title << url << addedMs << line; };
    const QString pair = QString::fromUtf8("\U0001F600");
    // Texts are taken eight units at a time while those are plain ASCII.
    row("plain ASCII of eight units and more", "abcdefgh", "http://abcdefghijklmnop/", noDate,
        "<A HREF=\"http://abcdefghijklmnop/\">abcdefgh</A>");
    row("the characters HTML gives a meaning, together", "abcdefg&<b>'\"x", "http://a/b?c&d", noDate,
        "<A HREF=\"http://a/b?c&amp;d\">abcdefg&amp;&lt;b&gt;&#39;&quot;x</A>");
    row("each of them alone in eight units", "abcdefgh'ijklmno\"pqrstuv<wxyz012>3456789&ABCDEFG", "u", noDate,
        "<A HREF=\"u\">abcdefgh&#39;ijklmno&quot;pqrstuv&lt;wxyz012&gt;3456789&amp;ABCDEFG</A>");
    row("line ends inside and at the end of eight units", "abcdef\r\nghijklmno\nABCDEFG\rHIJKLMNO", "u\r", noDate,
        "<A HREF=\"u \">abcdef  ghijklmno ABCDEFG HIJKLMNO</A>");
    row("letters beyond ASCII after seven plain ones", QString::fromUtf8("abcdefg\u00e9\u20ac\u00ff0123456789"),
        QString::fromUtf8("http://\u00fcber/"), noDate,
        "<A HREF=\"http://\xc3\xbc" "ber/\">abcdefg\xc3\xa9\xe2\x82\xac\xc3\xbf" "0123456789</A>");
    row("a surrogate pair across the eighth unit", "abcdefg" + pair + "x", pair, noDate,
        "<A HREF=\"\xf0\x9f\x98\x80\">abcdefg\xf0\x9f\x98\x80x</A>");
    row("lone surrogates, written as the UTF-8 encoder writes them",
        QStringLiteral("a&b") + QChar(0xd800) + QStringLiteral("c") + QChar(0xdc00), "u", noDate,
        "<A HREF=\"u\">a&amp;b?c?</A>");
    // The seconds browsers read, rounded to the nearest, and the exact date
    // where they do not hold it.
    row("a whole second", "t", "u", 1700000000000, "<A HREF=\"u\" ADD_DATE=\"1700000000\">t</A>");
    row("half a second rounds up", "t", "u", 1700000000500,
        "<A HREF=\"u\" ADD_DATE=\"1700000001\" TESSALY_ADD_MS=\"1700000000500\">t</A>");
    row("less than half rounds down", "t", "u", 1700000000499,
        "<A HREF=\"u\" ADD_DATE=\"1700000000\" TESSALY_ADD_MS=\"1700000000499\">t</A>");
    row("rounding up carries over nines", "t", "u", 1699999999568,
        "<A HREF=\"u\" ADD_DATE=\"1700000000\" TESSALY_ADD_MS=\"1699999999568\">t</A>");
    row("rounding up to one more digit", "t", "u", 9999500,
        "<A HREF=\"u\" ADD_DATE=\"10000\" TESSALY_ADD_MS=\"9999500\">t</A>");
    row("half a second after 1970", "t", "u", 500, "<A HREF=\"u\" ADD_DATE=\"1\" TESSALY_ADD_MS=\"500\">t</A>");
    row("less than half a second after 1970: the exact date alone", "t", "u", 499,
        "<A HREF=\"u\" TESSALY_ADD_MS=\"499\">t</A>");
    row("1970 itself", "t", "u", 0, "<A HREF=\"u\" TESSALY_ADD_MS=\"0\">t</A>");
    row("before 1970", "t", "u", -1500, "<A HREF=\"u\" TESSALY_ADD_MS=\"-1500\">t</A>");
    row("the end of the year 9999", "t", "u", 253402300799999,
        "<A HREF=\"u\" ADD_DATE=\"253402300800\" TESSALY_ADD_MS=\"253402300799999\">t</A>");
}

// A link's line, byte for byte.
void TestBookmarkWriter::writtenLinks()
{
    QFETCH(QString, title);
    QFETCH(QString, url);
    QFETCH(qint64, addedMs);
    QFETCH(QByteArray, line);
    BookmarkEntry entry;
    entry.title = title;
    entry.url = url;
    if (addedMs != noDate)
        entry.addedMs = addedMs;
    NetscapeBookmarkWriter writer;
    writer.addLink(entry);
    const QByteArray text = writer.finish();
    const QByteArray expected = "<DL><p>\n    <DT>" + line + "\n</DL><p>\n";
    QVERIFY2(text.endsWith(expected), text.constData());
}

// A writer that hands the file on in pieces hands on the bytes the whole
// file holds, in pieces of about the size it names; after a piece that could
// not be written it hands on nothing more and says so.
void TestBookmarkWriter::writerHandsOnPieces()
{
    const auto fill = [](NetscapeBookmarkWriter &writer) {
        BookmarkEntry entry;
        for (int i = 0; i < 30000; ++i) {
            if (i % 1000 == 0)
                writer.beginFolder(QStringLiteral("Folder %1").arg(i));
            entry.title = QStringLiteral("Title & more %1 ").arg(i).repeated(1 + i % 7);
            entry.url = QStringLiteral("http://example.org/%1?a=1&b=2").arg(i);
            entry.addedMs = 1700000000000 + i * 1001;
            writer.addLink(entry);
        }
        return writer.finish();
    };
    NetscapeBookmarkWriter whole;
    const QByteArray text = fill(whole);
    QVERIFY(text.size() > 3 * NetscapeBookmarkWriter::pieceBytes);

    QList<QByteArray> pieces;
    NetscapeBookmarkWriter inPieces([&pieces](QByteArrayView piece) {
        pieces << piece.toByteArray();
        return true;
    });
    QCOMPARE(fill(inPieces), QByteArray());
    QVERIFY(inPieces.ok());
    QCOMPARE(pieces.join(), text);
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i)
        QVERIFY(pieces[i].size() >= NetscapeBookmarkWriter::pieceBytes / 2
                && pieces[i].size() <= NetscapeBookmarkWriter::pieceBytes * 5 / 4);

    int calls = 0;
    NetscapeBookmarkWriter failing([&calls](QByteArrayView) { return ++calls < 2; });
    fill(failing);
    QVERIFY(!failing.ok());
    QCOMPARE(calls, 2);
}

QTEST_GUILESS_MAIN(TestBookmarkWriter)
#include "TestBookmarkWriter.moc"
