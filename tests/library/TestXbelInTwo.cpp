// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A large XBEL file read by two threads, the second from a folder of the top
// level on: the same events as one thread's reading, wherever the second
// starts, and its reading used only where it starts between two tokens.

#include "TestEnvironment.h"
#include "URLBlock.h"
#include "XbelEventLog.h"
#include "XbelReader.h"
#include "XbelTestStores.h"

#include <QtTest>
#include <thread>

namespace {

const QByteArray folderTag = "<folder";

QList<qsizetype> offsetsOf(const QByteArray &data, const QByteArray &text)
{
    QList<qsizetype> offsets;
    for (qsizetype at = data.indexOf(text); at >= 0; at = data.indexOf(text, at + 1))
        offsets << at;
    return offsets;
}

// Groups of entries, some of them of no group, until the store's XBEL is larger than size.
void fillLargerThan(URLBlock &store, qsizetype size)
{
    for (int group = 0; xbelOf(store).size() <= size; ++group) {
        store.NewCatagory("Group " + QString::number(group));
        for (int i = 0; i < 400; ++i) {
            URLData *entry = store.urlDatas().Add("Entry " + QString::number(i), "https://e.example/" + QString::number(group * 1000 + i),
                                                  i % 7 == 0 ? -1 : group);
            entry->Created = 45000 + i;
            entry->Visited = i;
        }
    }
}

QByteArray inXbel(const QByteArray &body, const QByteArray &rootAttributes = {})
{
    return "<?xml version=\"1.0\"?>\n<xbel version=\"1.0\"" + rootAttributes + ">\n" + body + "</xbel>\n";
}

QByteArray folder(const QByteArray &title, const QByteArray &inside = {})
{
    return " <folder>\n  <title>" + title + "</title>\n  <bookmark href=\"http://" + title + ".example/\"><title>" + title
        + "</title></bookmark>\n" + inside + " </folder>\n";
}

const QByteArray rootBookmark = " <bookmark href=\"http://root.example/\"><title>R</title></bookmark>\n";

}  // namespace

class TestXbelInTwo : public QObject
{
    Q_OBJECT

private slots:
    void everyFolderTag_data()
    {
        QTest::addColumn<QByteArray>("xbel");
        QTest::addColumn<int>("handovers");  // of the places where "<folder" begins
        const auto row = [](const char *name, const QByteArray &xbel, int handovers) {
            QTest::newRow(name) << xbel << handovers;
        };
        row("folders of the top level", inXbel(folder("a") + folder("b") + folder("c")), 3);
        // The group outside the folders is made in the first half and reopened in the second.
        row("bookmarks outside the folders between them",
            inXbel(rootBookmark + folder("a") + rootBookmark + folder("b") + rootBookmark), 2);
        row("bookmarks outside the folders only after one",
            inXbel(folder("a") + folder("b") + rootBookmark + folder("c") + rootBookmark), 3);
        QByteArray many = " <folder><title>many</title>\n";
        for (int i = 0; i < 5000; ++i)  // more events than a piece of XbelEvents holds
            many += "  <bookmark href=\"http://m.example/" + QByteArray::number(i) + "\"/>\n";
        row("many bookmarks before one outside the folders", inXbel(rootBookmark + folder("a") + many + " </folder>\n" + rootBookmark), 2);
        // The second reader, started in the comment, is stopped with much left to read.
        row("the tag in a comment before many bookmarks",
            inXbel(" <!-- <folder> -->\n" + folder("a") + many + " </folder>\n"), 2);
        row("folders inside folders", inXbel(folder("a", folder("b", folder("c"))) + folder("d")), 2);
        row("the tag in a comment, CDATA and a title",
            inXbel(" <!-- <folder> -->\n <bookmark href=\"x\"><title><![CDATA[<folder>]]></title></bookmark>\n"
                   " <title>t<folder/>t</title>\n"
                   + folder("a")),
            1);
        row("a name that begins as the tag", inXbel(" <folders/>\n" + folder("a") + " <folderx>y</folderx>\n"), 1);
        row("a folder in another namespace", inXbel(" <n:folder/>" + folder("a"), " xmlns:n=\"urn:n\""), 1);
        row("a prefix of the root used after the handover",
            inXbel(folder("a") + " <folder n:x=\"1\"><title>b</title></folder>\n", " xmlns:n=\"urn:n\""), 2);
        // The fast reader declines these wherever it starts.
        row("a prefix declared in a folder used after it",
            inXbel(" <folder xmlns:p=\"urn:p\"><title>a</title></folder>\n <folder p:x=\"1\"/>\n"), 0);
        row("damaged after the last folder", inXbel(folder("a") + folder("b") + " <bookmark href=x/>\n"), 0);
        row("damaged before the last folder", inXbel(folder("a") + " <bookmark href=x/>\n" + folder("b")), 0);
        row("no end", inXbel(folder("a") + folder("b")).chopped(8), 0);
        row("an empty root", "<xbel/><!-- <folder> -->", 0);
        row("after the root", "<xbel></xbel>\n<folder/>", 0);
    }

    // At every place where "<folder" begins, the reading in two gives what
    // the reading in one gives; it hands over where the row says.
    void everyFolderTag()
    {
        QFETCH(QByteArray, xbel);
        QFETCH(int, handovers);
        const Reading one = readingOf(xbel, XbelReader::Reader::Fast);
        int handedOverCount = 0;
        for (const qsizetype at : offsetsOf(xbel, folderTag)) {
            EventLog log;
            bool handedOver = false;
            const bool read = XbelReader::readXbelDataInTwo(xbel, at, log, &handedOver);
            QVERIFY2(read == one.read && log.lines == one.lines,
                     qPrintable(QStringLiteral("from %1:\n%2\nin one:\n%3").arg(at).arg(log.lines.join('\n'), one.lines.join('\n'))));
            handedOverCount += handedOver;
        }
        QCOMPARE(handedOverCount, handovers);
    }

    // A large file of Tessaly's own is read in two, where the machine has
    // two cores, to the events of one reading.
    void largeFile()
    {
        if (std::thread::hardware_concurrency() < 2)
            QSKIP("one core: large files are read by one thread");
        URLBlock store;
        fillLargerThan(store, qsizetype(3) << 20);
        const QByteArray xbel = xbelOf(store);
        QTemporaryDir dir;
        const QString file = dir.filePath("large.xbel");
        TestEnvironment::writeFile(file, xbel);
        const int before = XbelReader::twoThreadReads();
        EventLog log;
        QString error;
        QVERIFY2(XbelReader::readXbelFile(file, log, &error), qPrintable(error));
        QCOMPARE(XbelReader::twoThreadReads(), before + 1);
        const Reading one = readingOf(xbel, XbelReader::Reader::Fast);
        QVERIFY(one.read);
        QCOMPARE(log.lines.size(), one.lines.size());
        QVERIFY(log.lines == one.lines);
    }

    // An exception thrown while the second thread reads (here by the progress
    // callback) reaches the caller: the thread is stopped and joined first,
    // and nothing reaches the sink.
    void exceptionWhileReadingInTwo()
    {
        if (std::thread::hardware_concurrency() < 2)
            QSKIP("one core: large files are read by one thread");
        URLBlock store;
        fillLargerThan(store, qsizetype(3) << 20);
        QTemporaryDir dir;
        const QString file = dir.filePath("large.xbel");
        TestEnvironment::writeFile(file, xbelOf(store));
        struct Stopped
        {
        };
        int calls = 0;
        const auto stop = [&calls](qint64 done, qint64 total) {
            ++calls;
            if (done < total)
                throw Stopped();
        };
        EventLog log;
        QString error;
        QVERIFY_THROWS_EXCEPTION(Stopped, XbelReader::readXbelFile(file, log, &error, stop));
        QCOMPARE(calls, 1);
        QVERIFY(log.lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestXbelInTwo)
#include "TestXbelInTwo.moc"
