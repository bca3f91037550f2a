// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// End-to-end tests of tsy's commands on entries: what they change, the keys
// they print, the files they make.
#include "BrowserHome.h"
#include "DayCount.h"
#include "DefaultStackFile.h"
#include "HexDate.h"
#include "LinkTestServer.h"
#include "StackFile.h"
#include "StackFileLock.h"
#include "TsyTestCase.h"
#include "URLBlock.h"

#include <QProcess>
#include <QtTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/stat.h>

using namespace TestEnvironment;
using namespace TsyTest;
using namespace Qt::StringLiterals;

class TestTsyEntries : public TsyTestCase
{
    Q_OBJECT

private slots:
    void init() { makeFolder(); }


    // The entry commands on good.tsy: what they print and the file they leave;
    // the commands that change it keep its previous content as good.bak.
    void entryCommands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("file");  // CREATED: the date of now
        const QByteArray news = "+News\r\n", tech = "+Tech\r\n";
        const auto row = [](const char *name, const QStringList &arguments, const QByteArray &out,
                            const QByteArray &file) { QTest::newRow(name) << arguments << out << file; };
        row("remove scattered keys in both forms", {"remove", "good.tsy", "00002", "6"}, "",
            l + news + y + tech + su + sa + f);
        row("rate", {"rate", "good.tsy", "1", "3", "00007"}, "",
            l + news + t + entry("http://b.example/", "Yesterday", "B13317659", "B10B00000", "3", "1", "7")
                + tech + su + sa + n
                + entry("http://f.example/", "Five\tstars", "B13408235", "B13408235", "9", "1"));
        row("move by name, the entry of no group too", {"move", "good.tsy", "Tech", "2", "1"}, "",
            news + y + tech + l + t + su + sa + n + f);
        row("move by position", {"move", "good.tsy", "0", "7"}, "",
            l + news + t + y + f + tech + su + sa + n);
        row("edit everything, blanks trimmed, dates and count kept",
            {"edit", "good.tsy", "3", "--title", " New\ttitle ", "--url", " http://n/", "--rating", "4",
             "--group", "Tech"},
            "",
            l + news + t + tech + entry("http://n/", "New\ttitle", "B13317659", "B10B00000", "3", "4", "7")
                + su + sa + n + f);
        row("edit the rating only", {"edit", "good.tsy", "00001", "--rating", "0"}, "",
            entry("http://l.example/", "Loose end", "B13408235", "B12800000", "2", "0") + news + t + y + tech
                + su + sa + n + f);
        row("add with everything",
            {"add", "good.tsy", " http://n/ ", "--title", " N ", "--group", "Tech", "--rating", "3"},
            "00008\n",
            l + news + t + y + tech + su + sa + n + f
                + entry("http://n/", "N", "0", "CREATED", "0", "3", "1"));
        // The key the entry has in the saved file, where it follows its group's entries.
        row("add into the first group by default", {"add", "good.tsy", "http://m/"}, "00004\n",
            l + news + t + y + entry("http://m/", "", "0", "CREATED", "0", "0", "0") + tech + su + sa + n
                + f);
        row("remove by address", {"remove", "good.tsy", "http://b.example/"}, "",
            l + news + t + tech + su + sa + n + f);
        row("rate by address and key naming the same entry", {"rate", "good.tsy", "1", "http://b.example/", "3", "00003"},
            "",
            l + news + t + entry("http://b.example/", "Yesterday", "B13317659", "B10B00000", "3", "1", "7")
                + tech + su + sa + n + f);
        row("move by address", {"move", "good.tsy", "News", "http://d.example/"}, "",
            l + news + t + y + sa + tech + su + n + f);
        row("edit by address", {"edit", "good.tsy", "http://a.example/zebra", "--title", "Zebra"}, "",
            l + news + entry("http://a.example/zebra", "Zebra", "B13408235", "B12800000", "5", "4") + y + tech + su
                + sa + n + f);
        row("group add: after the last group, each position printed", {"group", "add", "good.tsy", "Sports", "Misc"},
            "2\n3\n", l + news + t + y + tech + su + sa + n + f + "+Sports\r\n+Misc\r\n");
        row("group rename by name", {"group", "rename", "good.tsy", "Tech", "Science"}, "",
            l + news + t + y + "+Science\r\n" + su + sa + n + f);
        row("group rename by position, blanks kept", {"group", "rename", "good.tsy", "0", " Top "}, "",
            l + "+ Top \r\n" + t + y + tech + su + sa + n + f);
        row("group remove with its entries", {"group", "remove", "good.tsy", "News", "--with-entries"}, "",
            l + tech + su + sa + n + f);
        row("group remove of several, the last named first", {"group", "remove", "good.tsy", "1", "News", "--with-entries"},
            "", l);
        row("find, in file order, blanks trimmed", {"find", "good.tsy", " DAY "},
            "00002\n00003\n00004\n00005\n", listFile);
        row("find with a wildcard", {"find", "good.tsy", "s?n"}, "00004\n", listFile);
        row("find with no match", {"find", "good.tsy", "zebra"}, "", listFile);
        // Scores at --now: 7 (rating 5 counted as 4) 412, 2: 339, 3: 240, 1: 199, 4: 120, 6: 60, 5: 0.
        row("find --rank: the find window's matches, best first", {"find", "good.tsy", "e", "--rank", "--now", "45364.5"},
            "00007\n00003\n00001\n00006\n", listFile);
        row("find --url: an address matches", {"find", "good.tsy", "zebra", "--url"}, "00002\n", listFile);
        row("find --url: words in any order, case and accents aside", {"find", "good.tsy", "EXAMPLE  sún", "--url"},
            "00004\n", listFile);
        row("find --url: no wildcards", {"find", "good.tsy", "s?n", "--url"}, "", listFile);
        row("find --url: in the file's order", {"find", "good.tsy", "example", "--url"},
            "00001\n00002\n00003\n00004\n00005\n00006\n00007\n", listFile);
        row("find --url --rank: as quick open lists them",
            {"find", "good.tsy", "http", "--url", "--rank", "--now", "45364.5"},
            "00007\n00002\n00003\n00001\n00004\n00006\n00005\n", listFile);
    }

    void entryCommands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, file);
        const double before = DayCount::now();
        const Run run = tsy(arguments);
        const double after = DayCount::now();
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, out);
        QByteArray written = readFile(path("good.tsy"));
        const qsizetype created = file.indexOf("CREATED");
        if (created >= 0) {
            const double date = ConvertHexDate(QByteArrayView(written).sliced(created, 9));
            QVERIFY2(date >= before - 1.0 / 86400 && date <= after + 1.0 / 86400, written.mid(created, 9));
            written.replace(created, 9, "CREATED");
        }
        QCOMPARE(written, file);
        const bool changed = arguments.first() != "find";
        QCOMPARE(readFile(path("good.bak")), changed ? listFile : QByteArray());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), changed ? 2 : 1);
    }

    // File names that are not UTF-8 (here Windows-1252, written \351 as printf
    // takes it) name their files, and so do the names made from them.
    void fileNamesThatAreNotUtf8_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");  // what stdout starts with
        QTest::addColumn<QList<QByteArray>>("added");  // names the folder holds afterwards
        const auto row = [](const char *name, const char *arguments, int exitCode, const QByteArray &out,
                            const QList<QByteArray> &added = {}) {
            QTest::newRow(name) << QString(arguments) << exitCode << out << added;
        };
        row("dump", "dump caf\\351.tsy", 0, "{\"groups\":[{\"number\":0,\"name\":\"News\"");
        row("list of a group", "list caf\\351.tsy --group 0 --keys", 0, "00002\tToday");
        row("add, with its backup", "add caf\\351.tsy http://n/", 0, "00004\n", {"caf\xe9.bak"});
        row("group add into a new file", "group add n\\351w.tsy G", 0, "0\n", {"n\xe9w.tsy"});
        row("normalize into another such name", "normalize caf\\351.tsy \\377.tsy", 0, "", {"\xff.tsy"});
        row("merge of such a file", "merge good.tsy caf\\351.tsy", 0, "Added 0 groups", {});
        row("import-favorites from such a folder", "import-favorites caf\\351.tsy fav\\351", 0,
            "Added 1 group and 1 entry", {"caf\xe9.bak"});
        row("import-html of such a file", "import-html caf\\351.tsy b\\351.html", 0, "Added 1 group and 1 entry",
            {"caf\xe9.bak"});
        row("export-html into such a name", "export-html caf\\351.tsy e\\351.html", 0, "Wrote 2 groups",
            {"e\xe9.html"});
        row("a missing file is still missing", "dump m\\351.tsy", 1, "");
        row("open, through tsy-desktop", "open caf\\351.tsy 2", 0, "", {"caf\xe9.bak"});
    }

    void fileNamesThatAreNotUtf8()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QFETCH(QList<QByteArray>, added);
        const QByteArray folder = QFile::encodeName(m_dir->path()) + '/';
        writeFileAt(folder + "caf\xe9.tsy", listFile);
        QCOMPARE(::mkdir(QByteArray(folder + "fav\xe9").constData(), 0700), 0);
        writeFileAt(folder + "fav\xe9/T\xe9.url", "[InternetShortcut]\r\nURL=http://t/\r\n");
        writeFileAt(folder + "b\xe9.html", "<DL><p>\n    <DT><H3>F</H3>\n    <DL><p>\n        <DT><A HREF=\"http://h/\">H</A>\n");
        QList<QByteArray> names = namesAt(folder) + added;
        std::sort(names.begin(), names.end());

        QString script = "exec \"$0\"";
        for (const QString &word : words(arguments))
            script += " \"$(printf '%b' '" + word + "')\"";
        BrowserHome home;  // open's browser: a stand-in
        home.setAppPaths(home.recorder());
        QProcess process;
        process.setProcessEnvironment(home.environment());
        process.setWorkingDirectory(m_dir->path());
        process.start("/bin/sh", {"-c", script, QStringLiteral(TSY_PATH)});
        QVERIFY(process.waitForFinished(60000));
        const Run run {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.out.startsWith(out), run.out.constData());
        QCOMPARE(run.err.isEmpty(), exitCode == 0);
        QCOMPARE(namesAt(folder), names);
        if (!added.isEmpty() && added.first().endsWith(".bak"))
            QCOMPARE(readFileAt(folder + "caf\xe9.bak"), listFile);
    }


    // add (given --group) and group add make a FILE that does not exist, with
    // no backup; CREATED stands for the date of now.
    void commandsMakeAMissingFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("file");  // new.tsy
        QTest::newRow("add: one group, of the name given")
            << QStringList {"add", "new.tsy", "http://n/", "--title", "N", "--group", "My group"}
            << QByteArray("00001\n") << "+My group\r\n" + entry("http://n/", "N", "0", "CREATED");
        QTest::newRow("add: a group of digits is named, not a position")
            << QStringList {"add", "new.tsy", "http://n/", "--group", "2024", "--rating", "2"}
            << QByteArray("00001\n") << "+2024\r\n" + entry("http://n/", "", "0", "CREATED", "0", "2");
        QTest::newRow("group add") << QStringList {"group", "add", "new.tsy", "A", "B"} << QByteArray("0\n1\n")
                                   << QByteArray("+A\r\n+B\r\n");
    }

    void commandsMakeAMissingFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, file);
        const Run run = tsy(arguments);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, out);
        QByteArray written = readFile(path("new.tsy"));
        const qsizetype created = file.indexOf("CREATED");
        if (created >= 0)
            written.replace(created, 9, "CREATED");
        QCOMPARE(written, file);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"good.tsy", "new.tsy"}));
    }


    // A key that a command prints names the same entry in the next command on
    // the saved file, whatever the order the file is saved in.
    void printedKeysNameTheirEntries_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("printing");  // prints one key
        QTest::addColumn<QByteArray>("title");      // of the entry that key must name

        const QByteArray twoGroups = "+First\r\n" + plain("a") + "+Second\r\n" + plain("b") + plain("c");
        QTest::newRow("add into a group before others") << twoGroups << QStringList {"add", "f.tsy", "http://n/", "--title", "new"} << QByteArray("new");
        QTest::newRow("add into the last group") << twoGroups << QStringList {"add", "f.tsy", "http://n/", "--title", "new", "--group", "Second"}
                                                 << QByteArray("new");
        QTest::newRow("add beside an entry of no group")
            << plain("loose") + twoGroups << QStringList {"add", "f.tsy", "http://n/", "--title", "new", "--group", "0"}
            << QByteArray("new");
        QTest::newRow("add into a file that does not exist")
            << QByteArray() << QStringList {"add", "f.tsy", "http://n/", "--title", "new", "--group", "G"}
            << QByteArray("new");
        QTest::newRow("find") << twoGroups << QStringList {"find", "f.tsy", "c"} << QByteArray("c");
        QTest::newRow("list --keys") << plain("loose") + twoGroups
                                     << QStringList {"list", "f.tsy", "--keys", "--all", "--title", "c"}
                                     << QByteArray("c");
    }

    void printedKeysNameTheirEntries()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, printing);
        QFETCH(QByteArray, title);
        if (!file.isNull())
            writeFile(path("f.tsy"), file);
        const Run printed = tsy(printing);
        QCOMPARE(printed.exitCode, 0);
        const QString key = QString::fromUtf8(printed.out).section('\t', 0, 0).trimmed();
        const Run edit = tsy({"edit", "f.tsy", key, "--title", "renamed"});
        QCOMPARE(edit.exitCode, 0);
        URLBlock store;
        QVERIFY(StackFile::loadStackFile(store, path("f.tsy"), false, 45000.0));
        QStringList renamed;
        for (const URLData &entry : store.urlDatas()) {
            if (entry.Name == "renamed")
                renamed << entry.url;
        }
        QCOMPARE(renamed.size(), 1);
        QCOMPARE(renamed.first(), title == "new" ? QString("http://n/") : QString("http://" + title + ".example/"));
    }


    // An address names every entry with exactly that address, however many.
    void addressNamesEveryEntryWithIt()
    {
        writeFile(path("d.tsy"), "+G\r\n" + plain("a") + plain("b") + plain("a") + plain("ab"));
        QCOMPARE(tsy({"rate", "d.tsy", "4", "http://a.example/"}).exitCode, 0);
        URLBlock store;
        QVERIFY(StackFile::loadStackFile(store, path("d.tsy"), false, 45000.0));
        QStringList rated;
        for (const URLData &entry : store.urlDatas())
            rated << entry.Name + '=' + QString::number(entry.Rated);
        QCOMPARE(rated, QStringList({"a=4", "b=2", "a=4", "ab=2"}));
    }


    void duplicates_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("before");  // good.tsy
        QTest::addColumn<QString>("lock");       // "program": Tessaly holds good.tsy
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");     // or stderr, for a failure
        QTest::addColumn<QByteArray>("after");   // good.tsy; its backup is what it was before
        // A1, A2 and A3 are one page, A2 created first; so are M1 and M2, M2 first; "Case" is another page.
        const QByteArray a1 = entry("http://a.example/x", "A1", "B13408235", "B12800000", "2", "1");
        const QByteArray b = entry("http://b.example/", "B", "0", "B12800000");
        const QByteArray m1 = entry("mailto:x@example.com", "M1", "0", "B12800000");
        const QByteArray a2 = entry("https://www.A.example/x/#top", "A2", "0", "B10B00000", "5", "3");
        const QByteArray a3 = entry("http://a.example/x?utm_source=n", "A3", "B13317659", "B1340927C", "1");
        const QByteArray cs = entry("http://a.example/X", "Case", "0", "B12800000");
        const QByteArray m2 = entry("mailto:x@example.com", "M2", "0", "B10A00000");
        const QByteArray file = "+News\r\n" + a1 + b + m1 + "+Tech\r\n" + a2 + a3 + cs + m2;
        const QByteArray merged = "+News\r\n" + b + "+Tech\r\n"
            + entry("https://www.A.example/x/#top", "A2", "B13408235", "B10B00000", "8", "3") + cs + m2;
        QTest::newRow("sets listed, the kept entry marked")
            << "duplicates good.tsy" << file << "" << 0
            << QByteArray("-\t00001\tA1\thttp://a.example/x\tLow\tNews\t2024-03-13 08:00:00\t2024-03-01 00:00:00\t2\n"
                          "*\t00004\tA2\thttps://www.A.example/x/#top\tHigh\tTech\tNever\t2024-02-01 00:00:00\t5\n"
                          "-\t00005\tA3\thttp://a.example/x?utm_source=n\tNot Rated\tTech\t2024-03-12 23:00:00\t"
                          "2024-03-13 09:00:00\t1\n\n"
                          "-\t00003\tM1\tmailto:x@example.com\tNot Rated\tNews\tNever\t2024-03-01 00:00:00\t0\n"
                          "*\t00007\tM2\tmailto:x@example.com\tNot Rated\tTech\tNever\t2024-01-31 00:00:00\t0\n\n")
            << file;
        const QByteArray a = plainJson(1, "a", 0);
        const auto withGroup = [](QByteArray json) { return json.replace(",\"lastAccessed\"", ",\"group\":\"G\",\"lastAccessed\""); };
        QTest::newRow("as JSON, the first of equals kept")
            << "duplicates good.tsy --json" << "+G\r\n" + plain("a") + plain("b") + plain("a") << "" << 0
            << "{\"sets\":[{\"keep\":\"00001\",\"entries\":[" + withGroup(a) + ","
                   + withGroup(plainJson(3, "a", 0)) + "]}]}\n"
            << "+G\r\n" + plain("a") + plain("b") + plain("a");
        QTest::newRow("none") << "duplicates good.tsy" << listFile << "" << 0 << QByteArray() << listFile;
        QTest::newRow("none as JSON") << "duplicates good.tsy --json" << listFile << "" << 0
                                      << QByteArray("{\"sets\":[]}\n") << listFile;
        QTest::newRow("merged as the window merges, the backup kept")
            << "duplicates good.tsy --merge" << file << "" << 0
            << QByteArray("Merged 2 sets of duplicates in good.tsy: removed 3 entries\n") << merged;
        QTest::newRow("nothing to merge writes nothing")
            << "duplicates good.tsy --merge" << listFile << "" << 0
            << QByteArray("Merged 0 sets of duplicates in good.tsy: removed 0 entries\n") << listFile;
        QTest::newRow("a file open in Tessaly is left as it is")
            << "duplicates good.tsy --merge" << file << "program" << 1
            << QByteArray("tsy duplicates: good.tsy is open in Tessaly: flush it first\n") << file;
    }

    void duplicates()
    {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, before);
        QFETCH(QString, lock);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, after);
        writeFile(path("good.tsy"), before);
        URLBlock store;
        DefaultStackFile program(store, path("good"));
        if (lock == "program")
            QVERIFY(program.Populate(45364.5));
        const Run run = tsy(words(arguments));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(exitCode ? run.err : run.out, out);
        QCOMPARE(exitCode ? run.out : run.err, QByteArray());
        QCOMPARE(readFile(path("good.tsy")), after);
        QCOMPARE(QFileInfo::exists(path("good.bak")), after != before);
        if (after != before)
            QCOMPARE(readFile(path("good.bak")), before);
    }

    // tsy check against a server of the test's own; "P" in the texts is its port.
    void check_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");  // or stderr, for a failure
        const QByteArray ok = entry("http://127.0.0.1:P/ok", "Fine", "0", "B12800000");
        const QByteArray moved = entry("http://127.0.0.1:P/308/ok", "Moved", "0", "B12800000");
        const QByteArray gone = entry("http://127.0.0.1:P/410", "Gone", "0", "B12800000");
        const QByteArray slow = entry("http://127.0.0.1:P/never", "Silent", "0", "B12800000");
        const QByteArray mail = entry("mailto:x@example.com", "Mail", "0", "B12800000");
        const QByteArray file = "+News\r\n" + ok + moved + gone + "+Tech\r\n" + slow + mail + ok;
        QTest::newRow("rows in the file's order; not all ok")
            << "check good.tsy --timeout 0.5" << file << 3
            << QByteArray("00001\tok\thttp://127.0.0.1:P/ok\t\n"
                          "00002\tmoved\thttp://127.0.0.1:P/308/ok\thttp://127.0.0.1:P/ok\n"
                          "00003\tgone\thttp://127.0.0.1:P/410\t410 Status\n"
                          "00004\ttimeout\thttp://127.0.0.1:P/never\tno answer within 0.5 s\n"
                          "00005\tnot-checked\tmailto:x@example.com\t\n"
                          "00006\tok\thttp://127.0.0.1:P/ok\t\n");
        QTest::newRow("a group whose links are ok, by position")
            << "check good.tsy --group 1" << "+News\r\n" + gone + "+Tech\r\n" + ok + mail << 0
            << QByteArray("00002\tok\thttp://127.0.0.1:P/ok\t\n00003\tnot-checked\tmailto:x@example.com\t\n");
        QTest::newRow("as JSON, with the hops")
            << "check good.tsy --json --group News" << "+News\r\n" + moved + "+Tech\r\n" + ok << 3
            << QByteArray("{\"results\":[{\"id\":\"00001\",\"title\":\"Moved\",\"url\":\"http://127.0.0.1:P/308/ok\","
                          "\"group\":\"News\",\"result\":\"moved\",\"status\":200,\"newUrl\":\"http://127.0.0.1:P/ok\","
                          "\"reason\":\"\",\"hops\":[{\"status\":308,\"url\":\"http://127.0.0.1:P/ok\"}]}]}\n");
        QTest::newRow("no such group") << "check good.tsy --group Sports" << file << 1
                                       << QByteArray("tsy check: no group 'Sports' (a group's name, or its position "
                                                     "from 0)\n");
        QTest::newRow("a time-out that is no number") << "check good.tsy --timeout soon" << file << 2
                                                      << QByteArray("tsy check: --timeout: 'soon' is not a number of "
                                                                    "seconds from 0 to 3600\n");
    }

    void check()
    {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, file);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        LinkTestServer server;
        const QByteArray port = ':' + QByteArray::number(server.port()) + '/';
        file.replace(":P/", port);
        out.replace(":P/", port);
        writeFile(path("good.tsy"), file);
        const Run run = tsy(words(arguments));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(exitCode == 1 || exitCode == 2 ? run.err.left(out.size()) : run.out, out);
        // The file is only read.
        QCOMPARE(readFile(path("good.tsy")), file);
        QVERIFY(!QFileInfo::exists(path("good.bak")));
    }
};

QTEST_GUILESS_MAIN(TestTsyEntries)
#include "TestTsyEntries.moc"
