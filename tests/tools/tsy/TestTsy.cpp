// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// End-to-end tests of the tsy tool: each case runs the built binary in a
// temporary folder and checks its exit status, output and files. Here: exit
// statuses, what the reading commands print, the browser commands.
#include "BrowserHome.h"
#include "DayCount.h"
#include "DefaultStackFile.h"
#include "HexDate.h"
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

class TestTsy : public TsyTestCase
{
    Q_OBJECT

private slots:
    void init() { makeFolder(); }


    // A tsy without tsy-desktop where it looks for it says so for capture and
    // open, and runs its other commands.
    void desktopCommandsWithoutTheirProgram()
    {
        const QString copy = path("bin/tsy");
        QVERIFY(QDir(m_dir->path()).mkdir("bin") && QFile::copy(QStringLiteral(TSY_PATH), copy));
        const Run open = tsy({"open", "good.tsy", "1"}, copy);
        QCOMPARE(open.exitCode, 1);
        QVERIFY2(open.err.startsWith("tsy: ") && open.err.contains("/tsy-desktop cannot be run"), open.err);
        QCOMPARE(tsy({"dump", "good.tsy"}, copy).exitCode, 0);
        QCOMPARE(readFile(path("good.tsy")), listFile);
    }


    void exitStatuses_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("mentions");  // texts the message must contain, separated by '|'
        const auto row = [](const char *name, const char *arguments, int exitCode, const char *mentions) {
            QTest::newRow(name) << QString::fromUtf8(arguments) << exitCode << QString::fromUtf8(mentions);
        };
        const char *commands
            = "dump|list|merge|normalize|date-text|date-value|find|add|edit|remove|rate|move|group|import-html|"
              "import-favorites|import-firefox|import-chromium|export-html|duplicates|import-xbel|export-xbel|"
              "capture|open";
        row("tool --help", "--help", 0, commands);
        row("tool -h", "-h", 0, commands);
        row("tool help", "help", 0, commands);
        row("tool --version", "--version", 0, "tsy " TESSALY_VERSION "\n");
        for (const QString &command : QString(commands).split('|'))
            QTest::newRow(qPrintable(command)) << command + " --help" << 0 << "Usage: tsy " + command;
        row("help wins over a bad option", "list good.tsy --visited x -h", 0, "Usage: tsy list");
        row("dump of a missing file", "dump missing.tsy", 1, "missing.tsy");
        row("list of a missing file", "list missing.tsy", 1, "missing.tsy");
        row("merge from a missing file", "merge good.tsy missing.tsy", 1, "missing.tsy");
        row("merge into a missing file", "merge missing.tsy good.tsy", 1, "missing.tsy");
        row("normalize into a missing folder", "normalize good.tsy nofolder/out.tsy", 1, "nofolder/out.tsy");
        row("normalize of a missing file", "normalize missing.tsy out.tsy", 1, "missing.tsy");
        row("no command", "", 2, "Usage: tsy COMMAND");
        row("unknown command", "show good.tsy", 2, "'show'");
        row("dump without file", "dump", 2, "Usage: tsy dump");
        row("dump with two files", "dump good.tsy good.tsy", 2, "Usage: tsy dump");
        row("merge with one file", "merge good.tsy", 2, "Usage: tsy merge");
        row("date-text of a word", "date-text noon", 2, "noon");
        row("date-text of a day before 1900", "date-text -5", 2, "'-5' is not a day count");
        row("date-text past the last day a text holds", "date-text 65536", 2, "'65536'");
        row("date-text far past the last day", "date-text 1e300", 2, "'1e300'");
        row("date-text of no number", "date-text nan", 2, "'nan'");
        row("date-value of a word", "date-value zz", 2, "'zz' is not a date text");
        row("date-value of too few hex digits", "date-value 8E931", 2, "'8E931'");
        row("date-value with a letter past F", "date-value 8E931269G", 2, "'8E931269G'");
        row("list with an unknown option", "list good.tsy --colour", 2, "colour");
        row("visited mode unknown", "list good.tsy --visited sometimes:3", 2, "sometimes:3");
        row("visited count missing", "list good.tsy --visited more", 2, "--visited");
        row("accessed unit unknown", "list good.tsy --accessed less:1y", 2, "less:1y");
        row("added count not a number", "list good.tsy --added more:xd", 2, "more:xd");
        row("group not a number", "list good.tsy --group x", 2, "--group");
        row("group and all together", "list good.tsy --group 1 --all", 2, "--all");
        row("rating out of range", "list good.tsy --ratings 1,7", 2, "'7'");
        row("rating 5, which no entry is given", "list good.tsy --ratings 5", 2, "'5' is not a rating from 0 to 4");
        row("list of a group past the last", "list good.tsy --group 2", 1, "no such group '2'");
        row("list of a group far past the last", "list good.tsy --group 99", 1, "no such group '99'");
        row("list of no group", "list good.tsy --group -1", 1, "no such group '-1'");
        row("now not a day count", "list good.tsy --now today", 2, "today");
        row("now past the year 9999", "list good.tsy --now 1e300", 2, "1e300");
        row("merge into a backup file", "merge good.bak good.tsy", 2, "own backup");
        row("usage error found before the missing file", "list missing.tsy --group x", 2, "Usage: tsy list");
        row("remove of a key that names no entry", "remove good.tsy 2 99", 1, "no entry has the key 00099");
        row("rate of keys that name no entry", "rate good.tsy 3 00098 1 99", 1, "keys 00098, 00099");
        row("remove of an address that names no entry", "remove good.tsy 1 http://b.example", 1,
            "no entry has the address http://b.example");
        row("edit of an address that names no entry", "edit good.tsy http://zz/ --title x", 1,
            "http://zz/");
        row("edit of a key that names no entry", "edit good.tsy 42 --title x", 1, "00042");
        row("move into a group of no such name", "move good.tsy Sports 1", 1, "'Sports'");
        row("move into a group past the last", "move good.tsy 2 1", 1, "'2'");
        row("add to a group of no such name", "add good.tsy http://x/ --group news", 1, "'news'");
        row("edit into a group of no such name", "edit good.tsy 1 --group 9", 1, "'9'");
        row("remove from a missing file", "remove missing.tsy 1", 1, "missing.tsy");
        row("rating above 4", "rate good.tsy 5 1", 2, "'5'");
        row("negative rating", "rate good.tsy -1 1", 2, "'-1'");
        row("add with a rating that is no number", "add good.tsy http://x/ --rating high", 2, "'high'");
        row("add without an address", "add good.tsy '' --title x", 2, "needs an address");
        row("edit of the address to nothing", "edit good.tsy 1 --url ''", 2, "needs an address");
        row("key that is no number", "remove good.tsy 1 1x", 2, "'1x'");
        row("remove without keys", "remove good.tsy", 2, "at least 2");
        row("edit without a change", "edit good.tsy 1", 2, "nothing to change");
        row("remove from a backup file", "remove good.bak 1", 2, "own backup");
        row("find without a text", "find good.tsy", 2, "Usage: tsy find");
        row("find --now not a day count", "find good.tsy a --rank --now x", 2, "--now: 'x'");
        row("add to a missing file without a group to make it with", "add missing.tsy http://x/", 1,
            "missing.tsy: no such file|--group");
        row("add with an empty group to a missing file", "add missing.tsy http://x/ --group ''", 1, "empty GROUP");
        row("group without an action", "group", 2, "expected list, add, rename or remove");
        row("group list of a missing file", "group list missing.tsy", 1, "missing.tsy");
        row("group list of a folder", "group list .", 1, "tsy group: ");
        row("group list without a file", "group list", 2, "expected 1");
        row("group list of two files", "group list good.tsy good.tsy", 2, "expected 1");
        row("group with an unknown action", "group delete good.tsy News", 2, "'delete'");
        row("group add without a name", "group add good.tsy", 2, "at least 2");
        row("group add of an empty name", "group add good.tsy X ''", 2, "NAME is empty");
        row("group rename to an empty name", "group rename good.tsy News ''", 2, "NAME is empty");
        row("group rename without a new name", "group rename good.tsy News", 2, "expected 3");
        row("group add into a backup file", "group add good.bak X", 2, "own backup");
        row("group add of a name the file has", "group add good.tsy X Tech", 1, "a group 'Tech' already");
        row("group add of a name twice", "group add good.tsy X X", 1, "a group 'X' already");
        row("group rename of a group of no such name", "group rename good.tsy Sports X", 1, "'Sports'");
        row("group rename in a missing file", "group rename missing.tsy 0 X", 1, "missing.tsy");
        row("group remove of a group that holds entries", "group remove good.tsy News", 1,
            "the group 'News' (0) holds 2 entries; give --with-entries");
        row("group remove of groups that hold entries, each named once", "group remove good.tsy Tech 0 1", 1,
            "not removed: the group 'News' (0) holds 2 entries, the group 'Tech' (1) holds 4 entries;");
        row("group remove of a group past the last", "group remove good.tsy 2 --with-entries", 1, "'2'");
        row("group remove in a missing file", "group remove missing.tsy 0", 1, "missing.tsy");
        row("import-html of a missing bookmark file", "import-html good.tsy missing.html", 1, "missing.html");
        row("import-html of a folder", "import-html good.tsy .", 1, "cannot read");
        row("import-html into a backup file", "import-html good.bak good.tsy", 2, "own backup");
        row("import-favorites of a file", "import-favorites good.tsy good.tsy", 1, "not a folder");
        row("import-firefox without a file", "import-firefox", 2, "expected at least 1");
        row("import-firefox into a backup file", "import-firefox good.bak .", 2, "own backup");
        row("import-firefox without a profile found", "import-firefox good.tsy", 1, "no Firefox profile found");
        row("import-chromium of a folder without Bookmarks", "import-chromium good.tsy .", 1, "/Bookmarks");
        row("export-html of a missing file", "export-html missing.tsy out.html", 1, "missing.tsy");
        row("export-html into a missing folder", "export-html good.tsy nofolder/o.html", 1, "nofolder/o.html");
        row("export-html over the stack file", "export-html good.tsy ./good.tsy", 2, "replace the stack file");
        row("duplicates of a missing file", "duplicates missing.tsy", 1, "missing.tsy");
        row("duplicates with --json and --merge", "duplicates good.tsy --json --merge", 2, "do not go together");
        row("duplicates merged into a backup file", "duplicates good.bak --merge", 2, "own backup");
        row("import-xbel of a missing file", "import-xbel good.tsy missing.xbel", 1, "missing.xbel");
        row("import-xbel of a stack file", "import-xbel good.tsy good.tsy", 1, "good.tsy: not an XBEL file");
        row("import-xbel into a backup file", "import-xbel good.bak in.xbel", 2, "own backup");
        row("export-xbel of a missing file", "export-xbel missing.tsy out.xbel", 1, "missing.tsy");
        row("export-xbel over the stack file", "export-xbel good.tsy ./good.tsy", 2, "replace the stack file");
        row("sort by an unknown column", "list good.tsy --sort colour", 2, "'colour'");
        row("ascending without sort", "list good.tsy --ascending", 2, "--sort");
    }

    // Help and the version go to stdout; a file error is one line naming the
    // file; a usage error prints the usage. Nothing else is printed and no file is written.
    void exitStatuses()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, mentions);
        const Run run = tsy(words(arguments));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(exitCode ? run.out : run.err, QByteArray());
        const QString text = QString::fromUtf8(exitCode ? run.err : run.out);
        for (const QString &mention : mentions.split('|'))
            QVERIFY2(text.contains(mention), qPrintable(text));
        if (exitCode == 1)
            QVERIFY2(text.endsWith('\n') && text.count('\n') == 1, qPrintable(text));
        else if (exitCode == 2)
            QVERIFY2(text.contains("Usage: tsy "), qPrintable(text));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList {"good.tsy"});
        QCOMPARE(readFile(path("good.tsy")), listFile);
    }


    // Runs that succeed: dump and normalize of in.tsy (into out.tsy, which exists
    // and is replaced), list of good.tsy, date-text and date-value. Nothing else
    // is written, and in.tsy is left as it was.
    void output_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("file");  // in.tsy
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("written");  // out.tsy
        const auto row = [](const char *name, const QString &arguments, const QByteArray &file,
                            const QByteArray &out, const QByteArray &written = QByteArray(4096, 'x')) {
            QTest::newRow(name) << arguments << file << out << written;
        };
        row("dump: quote, backslash, non-ASCII and control characters escaped", "dump in.tsy",
            "+Caf\xC3\xA9 \"Bar\"\r\n"
                + entry("http://x.example/a\\b", "Say \"hi\" \\ caf\xC3\xA9\tend\x01", "8E9312698",
                        "8E9312698", "3", "2"),
            dumpJson({"Caf\xC3\xA9 \\\"Bar\\\""},
                     {"{\"id\":\"00001\",\"name\":\"Say \\\"hi\\\" \\\\ caf\xC3\xA9\\tend\\u0001\","
                      "\"url\":\"http://x.example/a\\\\b\",\"owner\":0,\"lastAccessed\":36499.75416,"
                      "\"created\":36499.75416,\"visited\":3,\"catagory\":0,\"rated\":2}"}));
        row("dump: owners, ids in file order, LF line ends", "dump in.tsy",
            QByteArray(entry("u", "L", "0", "8E930C350", "0", "5", "255") + "+A\r\n" + plain("x")
                       + "+B\r\n+C\r\n" + plain("y"))
                .replace("\r\n", "\n"),
            dumpJson({"A", "B", "C"},
                     {"{\"id\":\"00001\",\"name\":\"L\",\"url\":\"u\",\"owner\":-1,\"lastAccessed\":0,"
                      "\"created\":36499.5,\"visited\":0,\"catagory\":255,\"rated\":5}",
                      plainJson(2, "x", 0), plainJson(3, "y", 2)}));
        row("dump: empty file", "dump in.tsy", "", dumpJson({}, {}));
        row("list: rating words, group name, dates, never visited", list + "--group 1", "",
            "Sunday\thttp://c.example/\tLow\tTech\t2024-03-10 10:00:00\t2024-01-31 00:00:00\t1\n"
            "Saturday\thttp://d.example/\tNot Rated\tTech\t2024-03-09 10:00:00\t2023-12-15 00:00:00\t0\n"
            "Never seen 2\thttp://e.example/\tHigh\tTech\tNever\t2024-03-13 09:00:00\t0\n");
        row("list: higher ratings", list + "--group 0", "",
            "Today\thttp://a.example/zebra\tV.High\tNews\t2024-03-13 08:00:00\t2024-03-01 00:00:00\t5\n"
            "Yesterday\thttp://b.example/\tMedium\tNews\t2024-03-12 23:00:00\t2024-02-01 00:00:00\t3\n");
        row("list: keys first, sorted by the rating, lowest first",
            list + "--group 0 --keys --sort rated --ascending", "",
            "00003\tYesterday\thttp://b.example/\tMedium\tNews\t2024-03-12 23:00:00\t2024-02-01 00:00:00\t3\n"
            "00002\tToday\thttp://a.example/zebra\tV.High\tNews\t2024-03-13 08:00:00\t2024-03-01 "
            "00:00:00\t5\n");

        row("list: visit counts past 16 bits and past 32 bits (read as the stack file reader reads them), "
            "tabs in texts as blanks",
            "list in.tsy --all --now 45364.5",
            "+G\tH\r\n" + entry("u", "a\tz", "8E930C350", "8E930C350", "70000")
                + entry("v", "b", "0", "8E930C350", "-1") + entry("w", "c", "0", "8E930C350", "2147483647"),
            "a z\tu\tNot Rated\tG H\t1999-12-05 12:00:00\t1999-12-05 12:00:00\t70000\n"
            "b\tv\tNot Rated\tG H\tNever\t1999-12-05 12:00:00\t-1\n"
            "c\tw\tNot Rated\tG H\tNever\t1999-12-05 12:00:00\t2147483647\n");
        // What the loader takes for a group: a line without a field separator
        // that starts with "+", its name decoded as the loader decodes it.
        row("group list: in order, entry lines skipped (one that starts with +), names as read",
            "group list in.tsy",
            "\xEF\xBB\xBF+First\r\n" + plain("a") + entry("+b", "+c", "0", "8E930C350") + "+Caf\xE9\n+Two \r\n+\r\n"
                + "+\xC3\xA9t\xC3\xA9\r\nno group line\r\n+Last",
            "First\nCaf\xC3\xA9\nTwo \n\n\xC3\xA9t\xC3\xA9\nLast\n");
        row("group list: empty file", "group list in.tsy", "", "");
        const QByteArray canonical = plain("l") + "+Caf\xC3\xA9\r\n" + plain("a") + "+Two\r\n";
        const QString normalize = "normalize in.tsy out.tsy";
        row("normalize: CR LF file unchanged", normalize, canonical, "", canonical);
        row("normalize: old date text rewritten in nine characters", normalize,
            "+A\r\n" + entry("u", "t", "8E931046", "8E931046"), "",
            "+A\r\n" + entry("u", "t", "8E930A2BC", "8E930A2BC"));

        // A day count is written as the date text, which reads back as the value.
        row("date-text: evening", "date-text 36499.7541666667", "", "8E9312698\n");
        row("date-value: evening", "date-value 8E9312698", "", "36499.75416\n");
        row("date-value: midnight", "date-value 8E9300000", "", "36499\n");
        row("date-value: no date", "date-value 0", "", "0\n");
        row("date-text: no date", "date-text 0", "", "0\n");
        row("date-text: the last day a text holds", "date-text 65535.5", "", "FFFF0C350\n");
        row("date-text: fraction cut, not rounded up to the next day", "date-text 36499.999999", "",
            "8E931869F\n");
        row("date-value: above 99999, read as decimal digits", "date-value 8E93FFFFF", "", "36499.1048575\n");
    }

    void output()
    {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, written);
        writeFile(path("in.tsy"), file);
        writeFile(path("out.tsy"), QByteArray(4096, 'x'));
        expectOutput(arguments, out);
        QCOMPARE(readFile(path("out.tsy")), written);
        QCOMPARE(readFile(path("in.tsy")), file);
    }


    void listFilters_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("titles");
        const auto row = [](const char *name, const char *options, const char *titles) {
            QTest::newRow(name) << QString::fromUtf8(options) << QString::fromUtf8(titles);
        };
        const char *ratedUpTo4 = "Today, Yesterday, Sunday, Saturday, Never seen 2";
        row("default: every group, not rating 5, not entries of no group", "", ratedUpTo4);
        row("all", "--all", ratedUpTo4);
        row("rating 4, the highest", "--ratings 4", "Today");
        row("ratings 0 and 3", "--ratings 0,3", "Saturday, Never seen 2");
        row("visited more than 1", "--visited more:1", "Today, Yesterday");
        row("visited less than 1", "--visited less:1", "Saturday, Never seen 2");
        row("visited equal to 1", "--visited equal:1", "Sunday");
        // Yesterday 23:00 + 1 day lies before now by date but after it by time.
        row("accessed less than 1 day: today only", "--accessed less:1d", "Today");
        row("accessed equal to 1 day: yesterday", "--accessed equal:1d", "Yesterday");
        // Weeks start on Sunday: Sunday 10 March is in the present week, Saturday 9 March is not.
        row("accessed less than 1 week: since Sunday", "--accessed less:1w", "Today, Yesterday, Sunday");
        row("accessed equal to 1 week: before Sunday", "--accessed equal:1w", "Saturday");
        row("added less than 1 month: this month", "--added less:1m", "Today, Never seen 2");
        // 31 January + 1 month is 29 February, not a day of March.
        row("added equal to 1 month: February, not 31 January", "--added equal:1m", "Yesterday");
        row("title, wildcards, case-insensitive", "--title T*D", "Today, Yesterday, Saturday");
        row("filters combined", "--group 1 --visited less:1 --title s", "Saturday, Never seen 2");
        row("sorted by title, case ignored", "--sort title",
            "Never seen 2, Saturday, Sunday, Today, Yesterday");
        row("ascending changes no text column", "--sort TITLE --ascending",
            "Never seen 2, Saturday, Sunday, Today, Yesterday");
        row("sorted by rating, highest first", "--sort rated",
            "Today, Never seen 2, Yesterday, Sunday, Saturday");
        row("sorted by last visit, never first when ascending", "--sort last-visited --ascending",
            "Never seen 2, Saturday, Sunday, Yesterday, Today");
        row("sorted by creation, newest first", "--sort created",
            "Never seen 2, Today, Yesterday, Sunday, Saturday");
        row("sorted by visits, equal counts in file order", "--sort visits --ascending",
            "Saturday, Never seen 2, Sunday, Yesterday, Today");
        row("sorted by group, then file order", "--sort group --ratings 1,2,3",
            "Yesterday, Sunday, Never seen 2");
    }

    void listFilters()
    {
        QFETCH(QString, options);
        QFETCH(QString, titles);
        const Run run = tsy(words(list + options));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QStringList shown;
        for (const QString &row : QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            shown.append(row.section(QLatin1Char('\t'), 0, 0));
        QCOMPARE(shown.join(QLatin1String(", ")), titles);
    }


    // capture, open and send in a home of their own, with a recording
    // stand-in browser in App Paths and, for some rows, a running Firefox
    // whose session shows a page. open hands exactly the one validated
    // address to the browser and counts the visit; a refused address or a
    // browser that cannot start is one line of error and no visit.
    void browserCommands_data()
    {
        QTest::addColumn<QString>("settings");  // tsy settings --set NAME=VALUE ...
        QTest::addColumn<bool>("firefox");
        QTest::addColumn<QString>("program");  // of App Paths: "browser" the stand-in; PATH: firefox on PATH
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");  // {fav}: the favorites folder
        QTest::addColumn<QStringList>("started");  // the stand-in's arguments; {profile}: Firefox's
        QTest::addColumn<int>("visits");  // of the entry opened (the first key); -1: the file unchanged
        const QString url = "http://a.example/x";
        const QString page = "Page, \"one\"";
        QTest::newRow("open, pB 0 without a display: the program with the one address")
            << "pB=0" << false << "browser" << "open in.tsy 1" << 0 << "" << QStringList {url} << 4;
        QTest::newRow("open, pB 1 without Firefox: IEXPLORE's program")
            << "pB=1" << false << "browser" << "open in.tsy 00001" << 0 << "" << QStringList {url} << 4;
        QTest::newRow("open, pB 1: the running Firefox's profile, a new tab")
            << "pB=1" << true << "browser" << "open in.tsy 1" << 0 << ""
            << QStringList {"--profile", "{profile}", "--new-tab", url} << 4;
        QTest::newRow("open, pB 1, where the program never ran: App Paths filled, Firefox from PATH")
            << "pB=1" << true << "PATH" << "open in.tsy 1" << 0 << ""
            << QStringList {"--profile", "{profile}", "--new-tab", url} << 4;
        QTest::newRow("open --new-window, pB 1")
            << "pB=1" << true << "browser" << "open in.tsy 1 --new-window" << 0 << ""
            << QStringList {"--profile", "{profile}", "--new-window", url} << 4;
        QTest::newRow("open of a javascript: address") << "pB=1" << true << "browser" << "open in.tsy 2" << 1
                                                       << "" << QStringList {} << -1;
        QTest::newRow("open of an address that reads as an option") << "pB=0" << false << "browser"
                                                                   << "open in.tsy 3" << 1 << ""
                                                                   << QStringList {} << -1;
        QTest::newRow("open with a browser that cannot start") << "pB=0" << false << "missing" << "open in.tsy 1"
                                                               << 1 << "" << QStringList {} << -1;
        QTest::newRow("capture: Firefox's page from its session store")
            << "pB=1" << true << "browser" << "capture" << 0 << page + "\nhttp://s.example/\n" << QStringList {}
            << -1;
        QTest::newRow("capture --json") << "pB=2" << true << "browser" << "capture --json" << 0
                                        << "{\"title\":\"Page, \\\"one\\\"\",\"url\":\"http://s.example/\"}\n"
                                        << QStringList {} << -1;
        QTest::newRow("capture with no browser answering") << "pB=1" << false << "browser" << "capture" << 1 << ""
                                                           << QStringList {} << -1;
        QTest::newRow("capture with keys and no display: no browser")
            << "uSK=True" << true << "browser" << "capture" << 1 << "" << QStringList {} << -1;
        QTest::newRow("capture into a group, a shortcut with cAF 2")
            << "pB=1 cAF=2" << true << "browser" << "capture in.tsy --group News" << 0 << "00007\n"
            << QStringList {} << -1;
        QTest::newRow("send with cAF 2") << "cAF=2" << false << "browser" << "send in.tsy 1 4" << 0
                                         << "{fav}/Alpha.url\n{fav}/a_b.url\n" << QStringList {} << -1;
        QTest::newRow("send with cAF 1: the group's folder") << "cAF=1" << false << "browser" << "send in.tsy 4"
                                                             << 0 << "{fav}/News/a_b.url\n" << QStringList {}
                                                             << -1;
        QTest::newRow("send of an entry without a title: named after the host")
            << "cAF=2" << false << "browser" << "send in.tsy 5" << 0 << "{fav}/c.example.url\n" << QStringList {}
            << -1;
        QTest::newRow("send of an entry without a title or address") << "cAF=2" << false << "browser"
                                                                      << "send in.tsy 6" << 1 << ""
                                                                      << QStringList {} << -1;
        QTest::newRow("send with cAF 0 writes nothing") << "cAF=0" << false << "browser" << "send in.tsy 1" << 1
                                                        << "" << QStringList {} << -1;
        QTest::newRow("send of an unknown key") << "cAF=2" << false << "browser" << "send in.tsy 1 9" << 1 << ""
                                                << QStringList {} << -1;
    }

    void browserCommands()
    {
        QFETCH(QString, settings);
        QFETCH(bool, firefox);
        QFETCH(QString, program);
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QStringList, started);
        QFETCH(int, visits);

        BrowserHome home;
        if (program == "PATH")
            home.installOnPath("firefox");
        else
            home.setAppPaths(program == "browser" ? home.recorder() : home.path("missing"));
        if (firefox)
            home.runFirefox("http://s.example/", "Page, \\\"one\\\"");
        const QByteArray file = "+News\r\n" + entry("http://a.example/x", "Alpha", "0", "B12800000", "3")
            + entry("javascript:alert(1)", "Bad", "0", "B12800000") + entry("-x", "Dash", "0", "B12800000")
            + entry("http://b.example/", "a/b", "0", "B12800000") + entry("https://c.example:8080/x", "", "0", "B12800000")
            + entry("", "", "0", "B12800000");
        writeFile(path("in.tsy"), file);
        const auto run = [&](const QStringList &words) {
            QProcess process;
            process.setProcessEnvironment(home.environment());
            process.setWorkingDirectory(m_dir->path());
            process.start(QStringLiteral(TSY_PATH), words);
            process.waitForFinished(60000);
            return Run {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
        };
        QStringList set {"settings"};
        for (const QString &setting : words(settings))
            set << "--set" << setting;
        QCOMPARE(run(set).exitCode, 0);

        const Run result = run(words(arguments));
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(QString::fromUtf8(result.out), QString(out).replace("{fav}", home.favorites()));
        QVERIFY(!QFile::exists(home.favorites() + "/.url"));  // no hidden shortcut
        QCOMPARE(result.err.count('\n'), exitCode ? 1 : 0);
        started.replaceInStrings("{profile}", home.profile());
        QCOMPARE(home.recordedArguments(!started.isEmpty()), started);
        if (visits < 0) {
            QCOMPARE(readFile(path("in.tsy")) == file, !arguments.startsWith("capture in.tsy"));
        } else {
            URLBlock store;
            QVERIFY(StackFile::loadStackFile(store, path("in.tsy"), false, 45364.5));
            const URLData *opened = store.urlDatas().Item(store.urlDatas().positionOfKey(1));
            QCOMPARE(opened->Visited, visits);
            QVERIFY(opened->LastAccesed > 45000);
            QCOMPARE(readFile(path("in.bak")), file);
        }
        if (arguments.startsWith("capture in.tsy")) {
            QVERIFY(readFile(path("in.tsy")).contains("http://s.example/\x05Page, \"one\"\x05"));
            QVERIFY(QFile::exists(home.favorites() + "/Page, _one_.url"));
        }
    }
};

QTEST_GUILESS_MAIN(TestTsy)
#include "TestTsy.moc"
