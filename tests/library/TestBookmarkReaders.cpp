// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The readers of bookmark files and favorites folders: what each reports,
// line by line, file by file and folder by folder. (The writer:
// TestBookmarkWriter.)

#include "BookmarkFileReader.h"
#include "BookmarkLineParser.h"
#include "FavoritesWalk.h"
#include "RecordingSink.h"
#include "TestEnvironment.h"
#include "UrlFileReader.h"

#include <QtTest>
#include <fcntl.h>
#include <sys/stat.h>

using TestEnvironment::writeFile;

namespace {

RecordingSink parsedBy(const QList<QByteArray> &lines)
{
    RecordingSink sink;
    BookmarkLineParser parser(sink);
    for (const QByteArray &line : lines)
        parser.parseBookmarkLine(QString::fromUtf8(line));
    return sink;
}

QStringList parsed(const QList<QByteArray> &lines)
{
    return parsedBy(lines).events;
}

const QString root = QStringLiteral("+Netscape: ROOT");
const QString backToRoot = QStringLiteral("=Netscape: ROOT");
const QByteArray folderF = "    <DT><H3 ADD_DATE=\"1\">F</H3>";

}  // namespace

class TestBookmarkReaders : public QObject
{
    Q_OBJECT

private slots:
    void parseLines_data();
    void parseLines();
    void linkDetails_data();
    void linkDetails();
    void readFiles_data();
    void readFiles();
    void hugeLineAndBinaryFile_data();
    void hugeLineAndBinaryFile();
    void walkFavorites();
    void readersStopWhenTold_data();
    void readersStopWhenTold();
    void readUrlFile_data();
    void readUrlFile();
};

void TestBookmarkReaders::parseLines_data()
{
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QStringList>("events");
    const auto row = [](const char *name, QList<QByteArray> lines, QStringList events) {
        QTest::newRow(name) << lines << events;
    };
    row("title kept with one character after </A>",
        {folderF, "        <DT><A HREF=\"u\" ADD_DATE=\"1\">T</A>x"}, {"^", "+F", "T|u"});
    row("closing tag at the line end counts (LF)", {folderF, "        <DT><A HREF=\"u\">T</A>\n"},
        {"^", "+F", "T|u"});
    row("closing tag before CR LF counts", {folderF, "        <DT><A HREF=\"u\">T</A>\r\n"},
        {"^", "+F", "T|u"});
    row("no closing tag: empty title", {folderF, "        <DT><A HREF=\"u\">T"}, {"^", "+F", "|u"});
    row("folder line closed before CR LF", {"    <DT><H3 ADD_DATE=\"1\">News</H3>\r\n"}, {"^", "+News"});
    row("folder indented by eight blanks opens nothing",
        {folderF, "    <DL><p>", "        <DT><H3 ADD_DATE=\"1\">Deep</H3>", "        <DL><p>",
         "            <DT><A HREF=\"d\">D</A>"},
        {"^", "+F", "D|d"});
    row("folder without attributes", {"    <DT><H3>Plain</H3>"}, {"^", "+Plain"});
    row("tags in lower case", {"    <dt><h3 add_date=\"1\">low</h3>", "        <dt><a href=\"l\">L</a>"},
        {"^", "+low", "L|l"});
    row("entities decoded in names, titles and addresses",
        {"    <DT><H3 X=\"1\">A &amp; B &lt;C&gt;</H3>",
         "        <DT><A HREF=\"http://x/?a=1&amp;b=&quot;2&quot;\">&#39;q&#39; &#x41;&#8212; "
         "&apos;&nbsp;</A>"},
        {"^", "+A & B <C>", QString::fromUtf8("'q' A\u2014 '\u00a0|http://x/?a=1&b=\"2\"")});
    // A megabyte of bare "&": read in linear time (the test's time-out catches a square one).
    row("a long run of bare ampersands",
        {folderF, "        <DT><A HREF=\"u?" + QByteArray(1 << 20, '&') + "\">T</A>"},
        {"^", "+F", "T|u?" + QString(1 << 20, u'&')});
    row("a bare '>' in a title", {folderF, "        <DT><A HREF=\"u\" X=\"1\">a>b</A>"}, {"^", "+F", "a>b|u"});
    row("references beyond the first plane and at the ends",
        {folderF, "        <DT><A HREF=\"&amp;u&lt;\">&#x1F600;&#128512;x&;&</A>"},
        {"^", "+F", QString::fromUtf8("\U0001F600\U0001F600x&;&|&u<")});
    row("unknown and broken references kept",
        {folderF, "        <DT><A HREF=\"u&x\">&bogus; &#0; &#xD800; &amp &#99999999; &</A>"},
        {"^", "+F", "&bogus; &#0; &#xD800; &amp &#99999999; &|u&x"});
    row("separator line opens the root group", {"    <HR>"}, {root});
    row("separator closing the top-level list opens nothing", {folderF, "    </DL><p>", "    <HR></DL>"},
        {"^", "+F"});
    row("separator deeper down opens nothing", {folderF, "        <HR>"}, {"^", "+F"});
    row("separator followed by a link on the same line",
        {folderF, "    <DL><p>", "        <HR>    <DT><A HREF=\"s\">S</A>"}, {"^", "+F", "S|s"});
    row("separator followed by a folder on the same line", {"    <HR>    <DT><H3 ADD_DATE=\"1\">G</H3>"},
        {"^", "+G"});
    row("list lines and short lines report nothing", {"<DL><p>", "    <DL><p>", "</DL><p>", "<p>", "", "ab"},
        {});
    row("link before any folder opens the root group", {"<DL><p>", "    <DT><A HREF=\"a\">A</A>", folderF},
        {root, "A|a", "^", "+F"});
    row("top-level link after a closed folder opens the root group",
        {"<DL><p>", folderF, "    <DL><p>", "        <DT><A HREF=\"i\">In</A>", "    </DL><p>",
         "    <DT><A HREF=\"o\">Out</A>", "    <DT><A HREF=\"o2\">Out2</A>"},
        {"^", "+F", "In|i", root, "Out|o", "Out2|o2"});
    row("top-level links after each closed folder go back to the one root group",
        {"<DL><p>", "    <DT><A HREF=\"a\">A</A>", folderF, "    <DL><p>", "    </DL><p>",
         "    <DT><A HREF=\"b\">B</A>", "    <DT><H3>G</H3>", "    <DL><p>", "    </DL><p>",
         "    <DT><A HREF=\"c\">C</A>"},
        {root, "A|a", "^", "+F", backToRoot, "B|b", "^", "+G", backToRoot, "C|c"});
    row("a separator still opens a root group; later links go to it",
        {"<DL><p>", "    <DT><A HREF=\"a\">A</A>", "    <HR>", "    <DT><A HREF=\"b\">B</A>", folderF,
         "    <DL><p>", "    </DL><p>", "    <DT><A HREF=\"c\">C</A>"},
        {root, "A|a", root, "B|b", "^", "+F", backToRoot, "C|c"});
    row("a closed subfolder keeps its folder open",
        {"<DL><p>", folderF, "    <DL><p>", "        <DT><H3>Sub</H3>", "        <DL><p>", "        </DL><p>",
         "        <DT><A HREF=\"s\">S</A>"},
        {"^", "+F", "S|s"});
    row("without lists every link joins the folder", {folderF, "    <DT><A HREF=\"a\">A</A>"},
        {"^", "+F", "A|a"});
    row("address without quotes", {folderF, "<DT><A HREF=bare ADD_DATE=\"1\">B</A>"}, {"^", "+F", "B|bare"});
    row("address in single quotes", {folderF, "<DT><A HREF='single'>S</A>"}, {"^", "+F", "S|single"});
    row("address quote never closed", {folderF, "<DT><A HREF=\"open>X</A>"}, {"^", "+F", "|open>X</A>"});
    row("closing tag without an opening one", {folderF, "</A></A>x"}, {"^", "+F"});
    row("HREF= at the end of the line", {folderF, "<A HREF="}, {"^", "+F", "|"});
    row("title holding a quoted attribute-like text",
        {folderF, "<DT><A HREF=\"u\" ICON=\"data:x\">T &quot;q&quot;&gt;</A>"}, {"^", "+F", "T \"q\">|u"});
}

void TestBookmarkReaders::parseLines()
{
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QStringList, events);
    QCOMPARE(parsed(lines), events);
}

void TestBookmarkReaders::linkDetails_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("details");  // added, last visit, visits, rating, category
    const auto row = [](const char *name, const QByteArray &line, const char *details) {
        QTest::newRow(name) << line << QString::fromLatin1(details);
    };
    row("no dates", "<DT><A HREF=\"u\">T</A>", "- - 0 0 0");
    row("ADD_DATE and LAST_VISIT in seconds",
        "<DT><A HREF=\"u\" ADD_DATE=\"1700000000\" LAST_VISIT=\"1710000000\">T</A>",
        "2023-11-14T22:13:20.000Z 2024-03-09T16:00:00.000Z 0 0 0");
    row("LAST_MODIFIED is no visit",
        "<DT><A HREF=\"u\" ADD_DATE=\"1700000000\" LAST_MODIFIED=\"1700000100\">T</A>",
        "2023-11-14T22:13:20.000Z - 0 0 0");
    row("attributes before HREF, in lower case, in single quotes and bare",
        "<dt><a add_date='1700000000' href=\"u\" last_visit=1710000000 tessaly_visits=7>T</a>",
        "2023-11-14T22:13:20.000Z 2024-03-09T16:00:00.000Z 7 0 0");
    row("our own counts",
        "<DT><A HREF=\"u\" TESSALY_VISITS=\"-3\" TESSALY_RATING=\"4\" TESSALY_CATEGORY=\"255\">T</A>",
        "- - -3 4 255");
    row("our exact dates where they agree with the seconds",
        "<DT><A HREF=\"u\" ADD_DATE=\"1700000000\" TESSALY_ADD_MS=\"1699999999568\" "
        "LAST_VISIT=\"1710000001\" "
        "TESSALY_LAST_VISIT_MS=\"1710000000432\">T</A>",
        "2023-11-14T22:13:19.568Z 2024-03-09T16:00:00.432Z 0 0 0");
    row("an exact date that another program's edit of ADD_DATE contradicts",
        "<DT><A HREF=\"u\" ADD_DATE=\"1600000000\" TESSALY_ADD_MS=\"1699999999568\">T</A>",
        "2020-09-13T12:26:40.000Z - 0 0 0");
    row("an exact date alone, before 1970", "<DT><A HREF=\"u\" TESSALY_ADD_MS=\"-86400000\">T</A>",
        "1969-12-31T00:00:00.000Z - 0 0 0");
    row("values out of range or no numbers",
        "<DT><A HREF=\"u\" ADD_DATE=\"0\" LAST_VISIT=\"soon\" TESSALY_VISITS=\"99999999999\" "
        "TESSALY_RATING=\"256\" TESSALY_CATEGORY=\"-1\" TESSALY_ADD_MS=\"x\">T</A>",
        "- - 0 0 0");
    row("a date past the year 9999", "<DT><A HREF=\"u\" ADD_DATE=\"253402300800\">T</A>", "- - 0 0 0");
    row("names only as whole attribute names",
        "<DT><A HREF=\"u\" XADD_DATE=\"1700000000\" DATA-TESSALY_RATING=\"3\" ADD_DATE_X=\"1\">T</A>",
        "- - 0 0 0");
    row("names differing from ours in a character that is no letter",
        "<DT><A HREF=\"u\" ADD\x7f" "DATE=\"1700000000\" TESSALY_VISITS_=\"7\" TESSALY@RATING=\"2\">T</A>", "- - 0 0 0");
    row("a name with a letter beyond ASCII whose case folds to one of ours",
        "<DT><A HREF=\"u\" TESSALY_VI\xc5\xbfITS=\"7\">T</A>", "- - 7 0 0");
    row("a value holding '>' and an attribute after it",
        "<DT><A HREF=\"u\" TAGS=\"a>b\" TESSALY_RATING=\"2\">T</A>", "- - 0 2 0");
    row("an unclosed value ends the attributes", "<DT><A HREF=\"u\" TESSALY_RATING=\"2\" ICON=\"x>T</A>",
        "- - 0 2 0");
}

// What a link's tag says of it besides its address.
void TestBookmarkReaders::linkDetails()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, details);
    const RecordingSink sink = parsedBy({folderF, line});
    QCOMPARE(sink.events.last(), "T|u");
    QCOMPARE(sink.details, QStringList {details});
}

void TestBookmarkReaders::readFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QStringList>("events");
    const QString data = QStringLiteral(TESSALY_TEST_DATA "/bookmarks/");
    QTest::newRow("Firefox export (LF, <HR> quirk, entities)")
        << QByteArray() << data + "firefox.html" << true
        << QStringList {root,
                        "Example & \"Co\"|https://example.com/?a=1&b=2",
                        "^",
                        QString::fromUtf8("+Caf\u00e9 <Work>"),
                        "Child|https://example.org/",
                        QString::fromUtf8("Deep \u2014 link|https://deep.example/"),
                        "After separator|https://after-separator.example/",
                        "^",
                        "+Bookmarks Toolbar",
                        "Tool 'bar'|https://toolbar.example/",
                        backToRoot,
                        "Menu link after folders|https://menu-after.example/"};
    QTest::newRow("Chromium export (CR LF, links after the bar folder)")
        << QByteArray() << data + "chromium.html" << true
        << QStringList {"^",
                        "+Bookmarks bar",
                        "Example & Co|https://example.com/?a=1&b=2",
                        "Child|https://example.org/",
                        root,
                        "From \"Other bookmarks\"|https://other.example/",
                        QString::fromUtf8("\u00dcber mobile|https://mobile.example/")};
    QTest::newRow("no folders, no line end at the end")
        << QByteArray("<DL><p>\n    <DT><A HREF=\"a\">A</A>\n    <DT><A HREF=\"b\">B</A>") << QString()
        << true << QStringList {root, "A|a", "B|b"};
    QTest::newRow("UTF-8 byte-order mark, Windows-1252 line")
        << QByteArray("\xef\xbb\xbf    <DT><H3>Caf\xe9</H3>\r\n        <DT><A HREF=\"u\">\x93q\x94</A>\r\n")
        << QString() << true
        << QStringList {"^", QString::fromUtf8("+Caf\u00e9"), QString::fromUtf8("\u201cq\u201d|u")};
    QTest::newRow("empty file") << QByteArray("") << QString() << true << QStringList {};
    QTest::newRow("missing file") << QByteArray() << data + "missing.html" << false << QStringList {};
    QTest::newRow("a folder") << QByteArray() << data << false << QStringList {};
}

void TestBookmarkReaders::readFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, fixture);
    QFETCH(bool, read);
    QFETCH(QStringList, events);
    QTemporaryDir dir;
    const QString path = fixture.isEmpty() ? writeFile(dir.filePath("b.html"), content) : fixture;
    RecordingSink sink;
    qint64 lastDone = -1;
    qint64 lastTotal = -1;
    QCOMPARE(BookmarkFileReader::readBookmarkFile(path, sink,
                                                  [&](qint64 done, qint64 total) {
                                                      lastDone = done;
                                                      lastTotal = total;
                                                      return true;
                                                  }),
             read);
    QCOMPARE(sink.events, events);
    if (read && QFileInfo(path).size() > 0) {
        QCOMPARE(lastDone, QFileInfo(path).size());
        QCOMPARE(lastTotal, lastDone);
    }
}

void TestBookmarkReaders::hugeLineAndBinaryFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("events");
    const QByteArray link = "    <DT><A HREF=\"after\">After</A>\n";
    // 50 MB in one line, with a link at its end: read whole, across many pieces.
    QTest::newRow("50 MB line") << QByteArray(50 << 20, 'x') + "<A HREF=\"big\">Big</A>\n" + link
                                << QStringList {root, "Big|big", "After|after"};
    // Past the longest line read: skipped, and the next line still read.
    QTest::newRow("line past the limit")
        << QByteArray(BookmarkFileReader::maxLineBytes + 10, 'x') + "<A HREF=\"big\">Big</A>\n" + link
        << QStringList {root, "After|after"};
    QByteArray binary(3 << 20, '\0');
    for (qsizetype i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 7919 + (i >> 9)) & 0xff);
    QTest::newRow("binary file") << binary + "\n" + link << QStringList {};
}

void TestBookmarkReaders::hugeLineAndBinaryFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, events);
    QTemporaryDir dir;
    RecordingSink sink;
    QVERIFY(BookmarkFileReader::readBookmarkFile(writeFile(dir.filePath("b.html"), content), sink));
    if (events.isEmpty()) {
        // Whatever the bytes look like, the last line is read.
        QVERIFY(sink.events.size() >= 1);
        QCOMPARE(sink.events.last(), "After|after");
    } else {
        QCOMPARE(sink.events, events);
    }
}

void TestBookmarkReaders::walkFavorites()
{
    QTemporaryDir dir;
    const QString fav = dir.filePath("Favorites");
    const auto shortcut = [&](const QString &path, const QByteArray &url) {
        QDir().mkpath(QFileInfo(fav + '/' + path).path());
        writeFile(fav + '/' + path, "[InternetShortcut]\r\nURL=" + url + "\r\n");
    };
    shortcut("b.url", "http://b/");
    shortcut("A.url", "http://a/");
    shortcut("c.URL", "http://c/");
    shortcut("notes.txt", "http://no/");
    shortcut("News/C.url", "http://news-c/");
    shortcut("News/Deep/D.url", "http://d/");
    shortcut("apple/E.url", "http://e/");
    shortcut("Zeta/F.url", "http://f/");
    shortcut("a/F.url", "http://af/");
    writeFile(fav + "/NoUrl.url", "[InternetShortcut]\r\nIconIndex=1\r\n");
    QVERIFY(QFile::link(fav + "/News", fav + "/News/Deep/loop"));                 // back to a folder above
    // No shortcut can be read from these: they are skipped and counted.
    QVERIFY(QFile::link(fav + "/gone", fav + "/Broken.url"));                     // cannot be opened
    QCOMPARE(mkfifo(QFile::encodeName(fav + "/Pipe.url").constData(), 0600), 0);  // would block a reader
    const QByteArray bigStart = "[InternetShortcut]\r\nURL=http://big/\r\n";
    writeFile(fav + "/News/Big.url",
              bigStart + QByteArray(UrlFileReader::maxShortcutBytes + 1 - bigStart.size(), ' '));
    writeFile(fav + "/Edge.url",
              bigStart + QByteArray(UrlFileReader::maxShortcutBytes - bigStart.size(), ' '));
    QTemporaryDir outside;
    writeFile(outside.filePath("Out.url"), "[InternetShortcut]\r\nURL=http://out/\r\n");
    QVERIFY(QFile::link(outside.path(), fav + "/Elsewhere"));  // a link out of the folder is not followed
    // Names copied from old Windows systems: Windows-1252 bytes, not UTF-8.
    const QByteArray cafe = QFile::encodeName(fav) + "/Caf\xE9";
    QCOMPARE(::mkdir(cafe.constData(), 0700), 0);
    QFile latin;
    QVERIFY(latin.open(::open(QByteArray(cafe + "/Men\xFC.url").constData(), O_WRONLY | O_CREAT, 0600), QIODevice::WriteOnly,
                       QFileDevice::AutoCloseHandle));
    latin.write("[InternetShortcut]\r\nURL=http://menu/\r\n");
    latin.close();

    RecordingSink sink;
    int folders = 0;
    QCOMPARE(FavoritesWalk::walkFavorites(fav + '/', sink, [&](int done) {
                  folders = done;
                  return true;
              }),
             3);
    QCOMPARE(sink.events,
             (QStringList {"A|http://a/", "b|http://b/", "c|http://c/", "Edge|http://big/", "NoUrl|", "+a",
                           "F|http://af/", "+apple", "E|http://e/", "+Caf\u00E9", "Men\u00FC|http://menu/",
                           "+News", "C|http://news-c/", "+Deep", "D|http://d/", "+Zeta", "F|http://f/"}));
    QCOMPARE(folders, 7);

    RecordingSink none;
    QCOMPARE(FavoritesWalk::walkFavorites(dir.filePath("missing"), none), 0);
    QCOMPARE(none.events, QStringList {});
}

void TestBookmarkReaders::readUrlFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("url");
    QTest::newRow("second line") << QByteArray("[InternetShortcut]\r\nURL=http://a/\r\n") << "http://a/";
    QTest::newRow("section after others, keys in any case")
        << QByteArray("[DEFAULT]\r\nBASEURL=http://base/\r\nURL=http://wrong/\r\n[{000214A0-0000-0000-C000-"
                      "000000000046}]\r\nProp3=19,2\r\n[internetshortcut]\r\nIDList=\r\n url = http://b/ \r\n"
                      "URL=http://second/\r\n")
        << "http://b/";
    QTest::newRow("LF line ends, UTF-8 mark")
        << QByteArray("\xef\xbb\xbf[InternetShortcut]\nURL=http://c/\xc3\xa9\n")
        << QString::fromUtf8("http://c/\u00e9");
    QTest::newRow("Windows-1252") << QByteArray("[InternetShortcut]\r\nURL=http://d/\xe9\r\n")
                                  << QString::fromUtf8("http://d/\u00e9");
    QTest::newRow("UTF-16 LE with mark") << QByteArray::fromRawData(
        reinterpret_cast<const char *>(u"\ufeff[InternetShortcut]\r\nURL=http://e/\r\n"), 36 * 2)
                                         << "http://e/";
    QByteArray bigEndian;
    for (const char16_t c : u"\ufeff[InternetShortcut]\nURL=http://f/")
        bigEndian += char(c >> 8), bigEndian += char(c & 0xff);
    QTest::newRow("UTF-16 BE with mark") << bigEndian.chopped(2) << "http://f/";
    QTest::newRow("no URL=") << QByteArray("[InternetShortcut]\r\nIconFile=x\r\n") << QString();
    QTest::newRow("URL= only in another section") << QByteArray("[Other]\r\nURL=http://g/\r\n") << QString();
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("longer than a shortcut can be")
        << "[InternetShortcut]\r\nURL=http://long/\r\n" + QByteArray(UrlFileReader::maxShortcutBytes, ' ')
        << QString();
    QTest::newRow("binary") << QByteArray("\x00\x01[Internet\xff\n=\n[\n", 17) << QString();
}

void TestBookmarkReaders::readUrlFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, url);
    QTemporaryDir dir;
    QCOMPARE(UrlFileReader::readUrlFile(writeFile(dir.filePath("s.url"), content)), url);
}

QTEST_GUILESS_MAIN(TestBookmarkReaders)
#include "TestBookmarkReaders.moc"

void TestBookmarkReaders::readersStopWhenTold_data()
{
    QTest::addColumn<bool>("folders");  // the favorites walk, else a bookmark file
    QTest::addColumn<int>("stopAt");    // the step that says stop; 0: none
    QTest::addColumn<int>("steps");     // reported
    QTest::addColumn<int>("events");    // raised to the sink
    // 2.9 MiB of links: three pieces and the end.
    QTest::newRow("bookmark file read whole") << false << 0 << 4 << 40001;
    QTest::newRow("bookmark file stopped after its first piece") << false << 1 << 1 << -1;
    QTest::newRow("bookmark file stopped at its end") << false << 4 << 4 << 40001;
    QTest::newRow("favorites walked whole") << true << 0 << 4 << 6;
    QTest::newRow("favorites stopped after the first folder") << true << 1 << 1 << 4;
}

// A reader that its progress tells to stop raises nothing more and says so.
void TestBookmarkReaders::readersStopWhenTold()
{
    QFETCH(bool, folders);
    QFETCH(int, stopAt);
    QFETCH(int, steps);
    QFETCH(int, events);
    QTemporaryDir dir;
    RecordingSink sink;
    int reported = 0;
    bool stopped = false;
    if (folders) {
        for (const char *path : {"A/a.url", "A/Deep/d.url", "B/b.url"}) {
            QDir().mkpath(QFileInfo(dir.filePath(path)).path());
            writeFile(dir.filePath(path), "[InternetShortcut]\r\nURL=http://x/\r\n");
        }
        FavoritesWalk::walkFavorites(dir.path(), sink, [&](int) { return ++reported != stopAt; }, &stopped);
    } else {
        QByteArray text = "<DL><p>\n<DT><H3>Folder</H3>\n<DL><p>\n";
        const QByteArray link = "<DT><A HREF=\"https://example.org/some/longer/page/address.html\">A page</A>\n";
        for (int i = 0; i < 40000; ++i)
            text += link;
        const QString path = writeFile(dir.filePath("big.html"), text);
        stopped = !BookmarkFileReader::readBookmarkFile(path, sink, [&](qint64, qint64) { return ++reported != stopAt; });
    }
    QCOMPARE(reported, steps);
    QCOMPARE(stopped, stopAt != 0);
    if (events >= 0)
        QCOMPARE(sink.events.size(), events);
    else
        QVERIFY(sink.events.size() > 1 && sink.events.size() < 20000);
}
