// End-to-end tests of the tsy tool: each case runs the built binary in a
// temporary folder and checks its exit status, output and files.

#include "BrowserHome.h"
#include "DayCount.h"
#include "DefaultStackFile.h"
#include "HexDate.h"
#include "StackFile.h"
#include "StackFileLock.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QProcess>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <algorithm>
#include <memory>
#include <sys/stat.h>

using namespace TestEnvironment;
using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;  // -1: did not finish, or crashed
    QByteArray out, err;
};

// A full entry line with its CR LF; fields: url, title, last visit, created, visited, category, rating.
QByteArray entry(const QByteArray &url, const QByteArray &title, const QByteArray &accessed,
                 const QByteArray &created, const QByteArray &visited = "0", const QByteArray &rated = "0",
                 const QByteArray &catagory = "0")
{
    return entryLine({url, title, accessed, created, visited, catagory, rated}) + "\r\n";
}

// An entry with fixed dates and counts, and its dump text.
QByteArray plain(const QByteArray &title)
{
    return entry("http://" + title + ".example/", title, "8E9312698", "8E930C350", "1", "2");
}

QByteArray plainJson(int id, const QByteArray &title, int owner)
{
    return "{\"id\":\"" + QByteArray::number(id).rightJustified(5, '0') + "\",\"name\":\"" + title
        + "\",\"url\":\"http://" + title + ".example/\",\"owner\":" + QByteArray::number(owner)
        + ",\"lastAccessed\":36499.75416,\"created\":36499.5,\"visited\":1,\"catagory\":0,\"rated\":2}";
}

// The dump of a file whose groups all have their index mask set.
QByteArray dumpJson(const QList<QByteArray> &groups, const QList<QByteArray> &entries)
{
    QByteArray json = "{\"groups\":[";
    for (qsizetype i = 0; i < groups.size(); ++i)
        json += QByteArray(i ? "," : "") + "{\"number\":" + QByteArray::number(i) + ",\"name\":\"" + groups[i]
            + "\",\"inIndexMask\":true}";
    return json + "],\"entries\":[" + entries.join(',') + "]}\n";
}

// The words of text; '' stands for an empty argument.
QStringList words(const QString &text)
{
    QStringList list = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    list.replaceInStrings(QRegularExpression("^''$"), QString());
    return list;
}

// Entries around the present of the list cases, Wednesday 13 March 2024, 12:00
// (B134 = 13 March 2024, B133 = 12 March, B131 = Sunday 10 March, B130 = Saturday
// 9 March, B128 = 1 March, B10B = 1 February, B10A = 31 January, B0DB = 15 December
// 2023). The entry before the first group belongs to no group. One line ends in
// LF alone, which the program never writes: a file saved again shows.
const QByteArray l = entry("http://l.example/", "Loose end", "B13408235", "B12800000", "2", "2");
const QByteArray t = entry("http://a.example/zebra", "Today", "B13408235", "B12800000", "5", "4");
const QByteArray y = entry("http://b.example/", "Yesterday", "B13317659", "B10B00000", "3", "2", "7");
const QByteArray su = entry("http://c.example/", "Sunday", "B1310A2C3", "B10A00000", "1", "1");
const QByteArray sa = entry("http://d.example/", "Saturday", "B1300A2C3", "B0DB00000", "0", "0");
const QByteArray n = entry("http://e.example/", "Never seen 2", "0", "B1340927C", "0", "3");
const QByteArray f = entry("http://f.example/", "Five\tstars", "B13408235", "B13408235", "9", "5");
const QByteArray listFile = l + "+News\r\n" + t + y + "+Tech\n" + su + sa + n + f;
const QString list = QStringLiteral("list good.tsy --now 45364.5 ");

}  // namespace

class TestTsy : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    // Runs tsy in the test folder, so that file arguments can be relative names;
    // or through another program (with arguments before tsy's).
    Run tsy(const QStringList &arguments, const QString &program = QStringLiteral(TSY_PATH),
            const QStringList &before = {}) const
    {
        QProcess process;  // killed when it does not finish
        process.setWorkingDirectory(m_dir->path());
        process.start(program, before + arguments);
        const bool finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
        return {finished ? process.exitCode() : -1, process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    // A successful run: exit status 0, nothing on stderr, exactly this on stdout.
    void expectOutput(const QString &arguments, const QByteArray &out) const
    {
        const Run run = tsy(words(arguments));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out, out);
    }

private slots:
    // A fresh folder holding a readable stack file "good.tsy".
    void init()
    {
        isolate();
        // A user's home exists: capture and open make their runtime folder in it.
        QVERIFY(QDir().mkpath(QDir::homePath()));
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        writeFile(path("good.tsy"), listFile);
    }

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
              "import-favorites|export-html|capture|open";
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
        row("export-html of a missing file", "export-html missing.tsy out.html", 1, "missing.tsy");
        row("export-html into a missing folder", "export-html good.tsy nofolder/o.html", 1, "nofolder/o.html");
        row("export-html over the stack file", "export-html good.tsy ./good.tsy", 2, "replace the stack file");
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

    void merge_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("backup");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("otherText");  // of other.tsy
        QTest::addColumn<QByteArray>("merged");
        QTest::addColumn<QByteArray>("out");
        const auto row = [](const char *name, const char *target, const char *backup, const char *other,
                            const QByteArray &before, const QByteArray &otherText, const QByteArray &merged,
                            const QByteArray &out) {
            QTest::newRow(name) << QString(target) << QString(backup) << QString(other) << before << otherText
                                << merged << out;
        };
        const QByteArray &a = t, &c = su;  // and l
        row("a group of a name the file has takes the entries", "stack.tsy", "stack.bak", "other.tsy",
            "+News\r\n" + a, "+News\r\n" + l + "+Extra\r\n" + c, "+News\r\n" + a + l + "+Extra\r\n" + c,
            "Added 1 groups and 2 entries to stack.tsy (0 already there)\n");
        row("other's entries before its groups join the last group", "my.stack.tsy", "my.stack.bak",
            "other.tsy", "+One\r\n" + a + "+Two\r\n", l + "+Three\n" + c,
            "+One\r\n" + a + "+Two\r\n" + l + "+Three\r\n" + c,
            "Added 1 groups and 2 entries to my.stack.tsy (0 already there)\n");
        row("target without groups keeps entries of no group first", "stack", "stack.bak", "other.tsy", a,
            l + "+G\r\n" + c, a + l + "+G\r\n" + c,
            "Added 1 groups and 2 entries to stack (0 already there)\n");
        // Nothing added: the file and its backup stay as they were.
        row("a file merged into itself adds nothing", "stack.tsy", "stack.bak", "stack.tsy", listFile, "",
            listFile, "Added 0 groups and 0 entries to stack.tsy (7 already there)\n");
        row("a copy merged again adds nothing", "stack.tsy", "stack.bak", "other.tsy", listFile, listFile,
            listFile, "Added 0 groups and 0 entries to stack.tsy (7 already there)\n");
        row("an address already in its group is left out; the others keep every field", "stack.tsy",
            "stack.bak", "other.tsy", "+News\r\n" + a,
            "+News\r\n" + entry("http://a.example/zebra", "Other title", "0", "B13408235") + y + "+Tech\r\n"
                + a,
            "+News\r\n" + a + y + "+Tech\r\n" + a,
            "Added 1 groups and 2 entries to stack.tsy (1 already there)\n");
    }

    // The merged file is saved with CR LF line ends; a stale backup is replaced by the old file.
    void merge()
    {
        QFETCH(QString, target);
        QFETCH(QString, backup);
        QFETCH(QString, other);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, otherText);
        QFETCH(QByteArray, merged);
        QFETCH(QByteArray, out);
        writeFile(path(target), before);
        writeFile(path("other.tsy"), otherText);
        writeFile(path(backup), "stale backup\r\n");
        expectOutput("merge " + target + ' ' + other, out);
        QCOMPARE(readFile(path(backup)), out.contains("Added 0 groups and 0 entries") ? "stale backup\r\n" : before);
        QCOMPARE(readFile(path("other.tsy")), otherText);
        QCOMPARE(readFile(path(target)), merged);
    }

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
            "Added 1 groups and 1 entries", {"caf\xe9.bak"});
        row("import-html of such a file", "import-html caf\\351.tsy b\\351.html", 0, "Added 1 groups and 1 entries",
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

    // The target of merge and normalize is locked around the whole command.
    // Held by the program (another process, as the test process is to tsy):
    // refused at once. Held by another tsy command: refused after waiting.
    // A lock file that no live writer holds does not stop the command.
    void lockedTarget_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("lock");  // "program", "tool" or the content of a left-over lock file
        QTest::addColumn<QByteArray>("err");
        const QByteArray openInTessaly = "good.tsy is open in Tessaly: flush it first\n";
        const QString merge = "merge good.tsy other.tsy", normalize = "normalize other.tsy good.tsy";
        QTest::newRow("merge into a file open in Tessaly") << merge << "program"
                                                           << "tsy merge: " + openInTessaly;
        QTest::newRow("normalize into a file open in Tessaly") << normalize << "program"
                                                               << "tsy normalize: " + openInTessaly;
        QTest::newRow("merge into a file another tsy is changing")
            << merge << "tool"
            << QByteArray("tsy merge: good.tsy is being changed by another tsy command: try again\n");
        QTest::newRow("merge past an empty lock file left by a kill") << merge << "" << QByteArray();
        QTest::newRow("normalize past a lock file whose holder is gone")
            << normalize << "Tessaly 2147483646\n"
            << QByteArray();
    }

    void lockedTarget()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, lock);
        QFETCH(QByteArray, err);
        writeFile(path("other.tsy"), "+Other\r\n" + plain("o"));
        URLBlock store;
        DefaultStackFile program(store, path("good"));
        StackFileLock tool(path("good.tsy"), StackFileLock::Holder::Tool);
        if (lock == "program")
            QVERIFY(program.Populate(45364.5));
        else if (lock == "tool")
            QVERIFY(tool.tryLock());
        else
            writeFile(path("good.tsy.lock"), lock.toUtf8());

        const Run run = tsy(words(arguments));
        QCOMPARE(run.err, err);
        QCOMPARE(run.exitCode, err.isEmpty() ? 0 : 1);
        QCOMPARE(readFile(path("good.tsy")) == listFile, !err.isEmpty());
        QCOMPARE(readFile(path("good.tsy")).contains("+Other\r\n"), err.isEmpty());
        QStringList left {"good.tsy", "other.tsy"};
        if (!err.isEmpty())
            left << "good.tsy.lock";  // still held here
        else if (arguments.startsWith("merge"))
            left << "good.bak";
        left.sort();
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), left);
    }

    // Merges into one target at the same time wait for each other: every
    // change lands, and no lock or temporary file stays behind.
    void concurrentMergesAllLand()
    {
        QByteArray big = "+Base\r\n";
        for (int i = 0; i < 20000; ++i)
            big += plain("e" + QByteArray::number(i));
        writeFile(path("target.tsy"), big);
        std::vector<std::unique_ptr<QProcess>> merges;
        QStringList expectedFiles {"good.tsy", "target.bak", "target.tsy"};
        for (int i = 0; i < 6; ++i) {
            const QString other = QString("other%1.tsy").arg(i);
            writeFile(path(other), "+Other" + QByteArray::number(i) + "\r\n" + plain("o"));
            expectedFiles << other;
            merges.push_back(std::make_unique<QProcess>());
            merges.back()->setWorkingDirectory(m_dir->path());
            merges.back()->start(QStringLiteral(TSY_PATH), {"merge", "target.tsy", other});
        }
        for (const auto &merge : merges) {
            QVERIFY(merge->waitForFinished(60000));
            QCOMPARE(merge->readAllStandardError(), QByteArray());
            QCOMPARE(merge->exitCode(), 0);
        }
        const QByteArray merged = readFile(path("target.tsy"));
        QVERIFY(merged.startsWith(big));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(merged.count(QByteArray("+Other" + QByteArray::number(i) + "\r\n")), 1);
        expectedFiles.sort();
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), expectedFiles);
    }

    // The import commands merge with the library's merge object into FILE
    // (begun empty when missing), keep FILE's old content as its backup and
    // print what they added; nothing of FILE is lost.
    void imports_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QByteArray>("out");      // of the last run
        QTest::addColumn<QStringList>("groups");  // the target's after the import
        QTest::addColumn<QStringList>("added");   // "title|url|group" of the entries added
        QTest::addColumn<QString>("created");     // of every entry added; "" for the time of the import
        const QString data = QStringLiteral(TESSALY_TEST_DATA "/bookmarks/");
        const QString firefox = "import-html good.tsy " + data + "firefox.html";
        const QStringList firefoxGroups {"News", "Tech", "Netscape: ROOT", u"Café <Work>"_s,
                                         "Bookmarks Toolbar"};
        // As saved: group by group.
        const QStringList firefoxAdded {"Example & \"Co\"|https://example.com/?a=1&b=2|2",
                                        "Menu link after folders|https://menu-after.example/|2",
                                        "Child|https://example.org/|3",
                                        u"Deep — link|https://deep.example/|3"_s,
                                        "After separator|https://after-separator.example/|3",
                                        "Tool 'bar'|https://toolbar.example/|4"};
        // ADD_DATE 1700000000 (UTC, the tests' time zone): 14 November 2023 22:13:20.
        const QString added = QStringLiteral("45244.92592");
        QTest::newRow("Firefox export into a stack file: one root group, dates kept")
            << firefox << 1 << QByteArray("Added 3 groups and 6 entries to good.tsy (0 already there)\n")
            << firefoxGroups << firefoxAdded << added;
        QTest::newRow("Firefox export imported again adds nothing")
            << firefox << 2 << QByteArray("Added 0 groups and 0 entries to good.tsy (6 already there)\n")
            << firefoxGroups << firefoxAdded << added;
        const QStringList chromiumAdded {
            "Example & Co|https://example.com/?a=1&b=2|0", "Child|https://example.org/|0",
            "From \"Other bookmarks\"|https://other.example/|1", u"Über mobile|https://mobile.example/|1"_s};
        QTest::newRow("Chromium export into a new file")
            << "import-html new.tsy " + data + "chromium.html" << 1
            << QByteArray("Added 2 groups and 4 entries to new.tsy (0 already there)\n")
            << QStringList {"Bookmarks bar", "Netscape: ROOT"} << chromiumAdded << added;
        QTest::newRow("Chromium export imported again adds nothing")
            << "import-html new.tsy " + data + "chromium.html" << 2
            << QByteArray("Added 0 groups and 0 entries to new.tsy (4 already there)\n")
            << QStringList {"Bookmarks bar", "Netscape: ROOT"} << chromiumAdded << added;
        const QStringList favoritesGroups {"News", "Tech", "E-Favorites: (Was Root)", "Sub", "Deeper"};
        const QStringList favoritesAdded {"Top|http://top/|2", "In sub|http://sub/|3", "Deep|http://deep/|4"};
        // A FIFO and a link that leads nowhere are skipped and counted.
        QTest::newRow("favorites folder")
            << "import-favorites good.tsy fav" << 1
            << QByteArray("Added 3 groups and 3 entries to good.tsy (0 already there, 2 files skipped: no shortcut "
                          "could be read from them)\n")
            << favoritesGroups << favoritesAdded << QString();
        QTest::newRow("favorites folder imported again adds nothing")
            << "import-favorites good.tsy fav" << 2
            << QByteArray("Added 0 groups and 0 entries to good.tsy (3 already there, 2 files skipped: no shortcut "
                          "could be read from them)\n")
            << favoritesGroups << favoritesAdded << QString();
    }

    void imports()
    {
        QFETCH(QString, arguments);
        QFETCH(int, runs);
        QFETCH(QByteArray, out);
        QFETCH(QStringList, groups);
        QFETCH(QStringList, added);
        QFETCH(QString, created);
        QDir().mkpath(path("fav/Sub/Deeper"));
        writeFile(path("fav/Top.url"), "[InternetShortcut]\r\nURL=http://top/\r\n");
        writeFile(path("fav/Sub/In sub.URL"), "[InternetShortcut]\r\nURL=http://sub/\r\n");
        writeFile(path("fav/Sub/Deeper/Deep.url"), "[DEFAULT]\r\n[InternetShortcut]\r\nURL=http://deep/\r\n");
        QCOMPARE(mkfifo(QFile::encodeName(path("fav/Pipe.url")).constData(), 0600), 0);
        QVERIFY(QFile::link(path("fav/gone"), path("fav/Sub/Gone.url")));
        // A build folder's library, registered by an earlier run of its copy:
        // the commands that load no library leave it, the imports use their own.
        const QString shipped = QFileInfo(QStringLiteral(TSY_PATH)).path() + "/libpemberly.so";
        const QString server = "Software\\Classes\\Pemberly.mergeBrow\\InprocServer32";
        const QString copy = path("build/bin/libpemberly.so");
        QVERIFY(QDir().mkpath(path("build/bin")) && QFile::copy(shipped, copy));
        QCOMPARE(tsy({"reg", "set", server, "", copy}).exitCode, 0);
        QCOMPARE(tsy({"dump", "good.tsy"}).exitCode, 0);
        QCOMPARE(tsy({"reg", "query", server, ""}).out, copy.toUtf8() + '\n');
        for (int run = 1; run < runs; ++run)
            QCOMPARE(tsy(words(arguments)).exitCode, 0);
        expectOutput(arguments, out);
        QCOMPARE(tsy({"reg", "query", server, ""}).out, shipped.toUtf8() + '\n');

        const QString target = words(arguments).at(1);
        URLBlock store;
        QVERIFY(StackFile::loadStackFile(store, path(target), false, 45364.5));
        QStringList names;
        for (int i = 0; i < store.IDXList().groupCount(); ++i)
            names << store.IDXList().at(i).name;
        QCOMPARE(names, groups);
        QStringList entries;
        const bool intoGood = target == "good.tsy";
        for (const URLData &entry : store.urlDatas()) {
            entries << entry.Name + '|' + entry.url + '|' + QString::number(entry.Owner);
            if (entries.size() <= (intoGood ? 7 : 0))
                continue;
            if (created.isEmpty())
                QVERIFY(entry.Created > 45364.5);
            else
                QCOMPARE(QString::number(entry.Created, 'f', 5), created);
            QCOMPARE(entry.LastAccesed, 0.0);  // LAST_MODIFIED is no visit
        }
        QCOMPARE(entries.mid(intoGood ? 7 : 0), added);
        // An import that adds nothing keeps the backup of the one before it.
        QCOMPARE(QFileInfo::exists(path("new.bak")), false);
        if (intoGood) {
            QCOMPARE(readFile(path("good.bak")), listFile);
            QCOMPARE(entries.first(), "Loose end|http://l.example/|-1");
            QCOMPARE(entries.at(6), "Five\tstars|http://f.example/|1");
        }
    }

    // A file that export-html writes reads back through import-html to the
    // same groups and entries, every field kept to the byte of the stack file,
    // also in a time zone that changes to summer time between the dates.
    void exportReadsBack()
    {
        const QByteArray odd
            = entry("http://x.example/?a=1&b=\"2\"<3>", "Q&A: \"<b>\" isn't", "0", "B12800000")
            + entry("", "", "0", "B12800000", "-7", "255", "255")
            + entry("http://old/", "Before 1970", "2C8A0C350", "475800000", "2147483647");
        const QByteArray file
            = "+News & <Views>\r\n" + t + y + odd + "+Tech\n" + su + sa + n + f + "+Empty\r\n";
        writeFile(path("good.tsy"), file);
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "America/New_York");
        const auto restoreZone = qScopeGuard([&] { qputenv("TZ", zone); });
        const Run run = tsy({"export-html", "good.tsy", "out.html"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("Wrote 3 groups and 9 entries to out.html\n"));
        QVERIFY(readFile(path("out.html"))
                    .contains("<DT><A HREF=\"http://a.example/zebra\" ADD_DATE=\"1709269200\" "
                              "LAST_VISIT=\"1710331200\" "
                              "TESSALY_LAST_VISIT_MS=\"1710331199712\" TESSALY_VISITS=\"5\" "
                              "TESSALY_RATING=\"4\">Today</A>"));
        expectOutput("import-html back.tsy out.html",
                     "Added 3 groups and 9 entries to back.tsy (0 already there)\n");
        QCOMPARE(readFile(path("back.tsy")), QByteArray(file).replace("+Tech\n", "+Tech\r\n"));
    }

    // A full disk is named as such (the message of the failing system call),
    // and nothing is left on it. The disk is a small file system mounted in a
    // namespace of its own, where the system allows that.
    void fullDiskIsNamed()
    {
        const QString unshare = QStandardPaths::findExecutable("unshare");
        if (unshare.isEmpty())
            QSKIP("no unshare to mount a small file system");
        QByteArray big = "+Base\r\n";
        for (int i = 0; i < 2000; ++i)
            big += plain("e" + QByteArray::number(i));
        writeFile(path("big.tsy"), big);
        QVERIFY(QDir(m_dir->path()).mkdir("full"));
        const QString script = "mount -t tmpfs -o size=16k tessaly-full full || exit 99; "
                               "\"$0\" normalize big.tsy full/out.tsy; status=$?; ls -A full; exit $status";
        const Run run = tsy({"-c", script, QStringLiteral(TSY_PATH)}, unshare, {"-rm", "sh"});
        if (run.exitCode == 99 || (run.exitCode == 1 && run.err.startsWith("unshare:")))
            QSKIP("no small file system can be mounted here");
        QCOMPARE(run.err,
                 "tsy normalize: full/out.tsy: could not be written: " + QByteArray(std::strerror(ENOSPC))
                     + "\n");
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QByteArray());
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
