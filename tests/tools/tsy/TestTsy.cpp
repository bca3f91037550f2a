// End-to-end tests of the tsy tool: each case runs the built binary in a
// temporary folder and checks its exit status, output and files.

#include "TestEnvironment.h"

#include <QProcess>
#include <QtTest>
#include <memory>

using namespace TestEnvironment;
using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;  // -1: did not finish, or crashed
    QByteArray out;
    QByteArray err;
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

QStringList words(const QString &text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The present for the list cases: Wednesday 13 March 2024, 12:00.
const QString now = QStringLiteral("45364.5");

// Entries around that moment (B134 = 13 March 2024, B133 = 12 March, B131 = Sunday 10 March,
// B130 = Saturday 9 March, B128 = 1 March, B10B = 1 February, B10A = 31 January,
// B0DB = 15 December 2023). The entry before the first group belongs to no group.
const QByteArray listFile = entry("http://l.example/", "Loose end", "B13408235", "B12800000", "2", "2")
    + "+News\r\n" + entry("http://a.example/zebra", "Today", "B13408235", "B12800000", "5", "4")
    + entry("http://b.example/", "Yesterday", "B13317659", "B10B00000", "3", "2", "7") + "+Tech\r\n"
    + entry("http://c.example/", "Sunday", "B1310A2C3", "B10A00000", "1", "1")
    + entry("http://d.example/", "Saturday", "B1300A2C3", "B0DB00000", "0", "0")
    + entry("http://e.example/", "Never seen 2", "0", "B1340927C", "0", "3")
    + entry("http://f.example/", "Five\tstars", "B13408235", "B13408235", "9", "5");

}  // namespace

class TestTsy : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    // Runs tsy in the test folder, so that file arguments can be relative names.
    Run tsy(const QStringList &arguments) const
    {
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        process.start(QStringLiteral(TSY_PATH), arguments);
        Run run;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        if (process.exitStatus() == QProcess::NormalExit)
            run.exitCode = process.exitCode();
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        return run;
    }

    // A successful run: exit status 0, nothing on stderr, exactly this on stdout.
    void expectOutput(const QStringList &arguments, const QByteArray &out) const
    {
        const Run run = tsy(arguments);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out, out);
    }

private slots:
    // A fresh folder holding a readable stack file "good.tsy" and a subfolder "folder".
    void init()
    {
        isolate();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        writeFile(path("good.tsy"), listFile);
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("mention");  // a text stderr must contain

        const auto row = [](const char *name, const char *arguments, int exitCode, const char *mention) {
            QTest::newRow(name) << QString::fromUtf8(arguments) << exitCode << QString::fromUtf8(mention);
        };
        row("dump of a missing file", "dump missing.tsy", 1, "missing.tsy");
        row("list of a missing file", "list missing.tsy", 1, "missing.tsy");
        row("dump of a directory", "dump folder", 1, "folder");
        row("merge from a directory", "merge good.tsy folder", 1, "folder");
        row("merge from a missing file", "merge good.tsy missing.tsy", 1, "missing.tsy");
        row("merge into a missing file", "merge missing.tsy good.tsy", 1, "missing.tsy");
        row("normalize into a missing folder", "normalize good.tsy nofolder/out.tsy", 1, "nofolder/out.tsy");
        row("normalize of a missing file", "normalize missing.tsy out.tsy", 1, "missing.tsy");
        row("no command", "", 2, "Usage: tsy COMMAND");
        row("unknown command", "show good.tsy", 2, "'show'");
        row("dump without file", "dump", 2, "Usage: tsy dump");
        row("dump with two files", "dump good.tsy good.tsy", 2, "Usage: tsy dump");
        row("merge with one file", "merge good.tsy", 2, "Usage: tsy merge");
        row("normalize with one file", "normalize good.tsy", 2, "Usage: tsy normalize");
        row("date-value without text", "date-value", 2, "Usage: tsy date-value");
        row("date-text of a word", "date-text noon", 2, "noon");
        row("list with an unknown option", "list good.tsy --colour", 2, "colour");
        row("visited mode unknown", "list good.tsy --visited sometimes:3", 2, "sometimes:3");
        row("visited count missing", "list good.tsy --visited more", 2, "--visited");
        row("accessed unit unknown", "list good.tsy --accessed less:1y", 2, "less:1y");
        row("added count not a number", "list good.tsy --added more:xd", 2, "more:xd");
        row("group not a number", "list good.tsy --group x", 2, "--group");
        row("group and all together", "list good.tsy --group 1 --all", 2, "--all");
        row("rating out of range", "list good.tsy --ratings 1,7", 2, "'7'");
        row("now not a day count", "list good.tsy --now today", 2, "today");
        row("usage error found before the missing file", "list missing.tsy --group x", 2, "Usage: tsy list");
    }

    // A file error is one line naming the file; a usage error prints the usage. Nothing
    // is printed on stdout and no file is written or changed.
    void failures()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, mention);

        const Run run = tsy(words(arguments));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, QByteArray());
        const QString err = QString::fromUtf8(run.err);
        QVERIFY2(err.contains(mention), qPrintable(err));
        if (exitCode == 1)
            QVERIFY2(err.endsWith(QLatin1Char('\n')) && err.count(QLatin1Char('\n')) == 1, qPrintable(err));
        else
            QVERIFY2(err.contains(QLatin1String("Usage: tsy ")), qPrintable(err));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"folder", "good.tsy"}));
        QVERIFY(QDir(path("folder")).isEmpty());
        QCOMPARE(readFile(path("good.tsy")), listFile);
    }

    void help_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("mentions");  // texts stdout must contain

        const QString commands = QStringLiteral("dump list merge normalize date-text date-value");
        QTest::newRow("tool --help") << "--help" << commands;
        QTest::newRow("tool -h") << "-h" << commands;
        QTest::newRow("tool help") << "help" << commands;
        for (const QString &command : words(commands))
            QTest::newRow(qPrintable(command)) << QString(command + " --help") << QString("tsy " + command);
        QTest::newRow("list options") << "list -h"
                                      << "--group --all --ratings --visited --accessed --added"
                                         " --title --now";
        QTest::newRow("help wins over a bad option") << "list good.tsy --visited x --help"
                                                     << "--visited";
    }

    void help()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, mentions);

        const Run run = tsy(words(arguments));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        const QString out = QString::fromUtf8(run.out);
        QVERIFY2(out.startsWith(QLatin1String("Usage: tsy ")), qPrintable(out));
        for (const QString &mention : words(mentions))
            QVERIFY2(out.contains(mention), qPrintable(mention));
    }

    void dump_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("json");

        QTest::newRow("quote, backslash, non-ASCII and control characters escaped")
            << "+Caf\xC3\xA9 \"Bar\"\r\n"
                + entry("http://x.example/a\\b", "Say \"hi\" \\ caf\xC3\xA9\tend\x01", "8E9312698",
                        "8E9312698", "3", "2")
            << dumpJson({"Caf\xC3\xA9 \\\"Bar\\\""},
                        {"{\"id\":\"00001\",\"name\":\"Say \\\"hi\\\" \\\\ caf\xC3\xA9\\tend\\u0001\","
                         "\"url\":\"http://x.example/a\\\\b\",\"owner\":0,\"lastAccessed\":36499.75416,"
                         "\"created\":36499.75416,\"visited\":3,\"catagory\":0,\"rated\":2}"});
        QTest::newRow("owners, ids in file order, LF line ends")
            << QByteArray(entry("u", "L", "0", "8E930C350", "0", "5", "255") + "+A\r\n" + plain("x")
                          + "+B\r\n+C\r\n" + plain("y"))
                   .replace("\r\n", "\n")
            << dumpJson({"A", "B", "C"},
                        {"{\"id\":\"00001\",\"name\":\"L\",\"url\":\"u\",\"owner\":-1,\"lastAccessed\":0,"
                         "\"created\":36499.5,\"visited\":0,\"catagory\":255,\"rated\":5}",
                         plainJson(2, "x", 0), plainJson(3, "y", 2)});
        QTest::newRow("UTF-8 byte order mark skipped")
            << "\xEF\xBB\xBF+News\r\n"_ba << dumpJson({"News"}, {});
        QTest::newRow("empty file") << QByteArray() << dumpJson({}, {});
    }

    void dump()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, json);

        writeFile(path("in.tsy"), file);
        expectOutput({"dump", "in.tsy"}, json);
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
        row("group 0", "--group 0", "Today, Yesterday");
        row("group 1", "--group 1", "Sunday, Saturday, Never seen 2");
        row("group that does not exist", "--group 2", "");
        row("ratings 5 only", "--ratings 5", "Five stars");
        row("ratings 0 and 3", "--ratings 0,3", "Saturday, Never seen 2");
        row("visited more than 1", "--visited more:1", "Today, Yesterday");
        row("visited less than 1", "--visited less:1", "Saturday, Never seen 2");
        row("visited equal to 1", "--visited equal:1", "Sunday");
        // Yesterday 23:00 + 1 day lies before now by date but after it by time.
        row("accessed less than 1 day: today only", "--accessed less:1d", "Today");
        row("accessed equal to 1 day: yesterday", "--accessed equal:1d", "Yesterday");
        row("accessed more than 1 day", "--accessed more:1d", "Sunday, Saturday");
        row("accessed equal to 0 days", "--accessed equal:0d", "Today");
        // Weeks start on Sunday: Sunday 10 March is in the present week, Saturday 9 March is not.
        row("accessed less than 1 week: since Sunday", "--accessed less:1w", "Today, Yesterday, Sunday");
        row("accessed equal to 1 week: before Sunday", "--accessed equal:1w", "Saturday");
        row("added equal to 0 days, by creation date", "--added equal:0d", "Never seen 2");
        row("added less than 1 month: this month", "--added less:1m", "Today, Never seen 2");
        // 31 January + 1 month is 29 February, not a day of March.
        row("added equal to 1 month: February, not 31 January", "--added equal:1m", "Yesterday");
        row("added more than 1 month", "--added more:1m", "Sunday, Saturday");
        row("title case-insensitive", "--title DAY", "Today, Yesterday, Sunday, Saturday");
        row("title not matched against URL", "--title zebra", "");
        row("title digit", "--title #", "Never seen 2");
        row("title any character", "--title y?s", "Yesterday");
        row("title any run", "--title t*d", "Today, Yesterday, Saturday");
        row("title negated range", "--title s[!a-t]", "Sunday");
        row("title unclosed list matches nothing", "--title [t", "");
        row("filters combined", "--group 1 --visited less:1 --title s", "Saturday, Never seen 2");
    }

    void listFilters()
    {
        QFETCH(QString, options);
        QFETCH(QString, titles);

        const Run run = tsy(QStringList {"list", "good.tsy", "--now", now} + words(options));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QStringList shown;
        for (const QString &row : QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            shown.append(row.section(QLatin1Char('\t'), 0, 0));
        QCOMPARE(shown.join(QLatin1String(", ")), titles);
    }

    void listRows_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QByteArray>("rows");

        QTest::newRow("rating words, group name, dates, never visited")
            << "--group 1"
            << "Sunday\thttp://c.example/\tLow\tTech\t2024-03-10 10:00:00\t2024-01-31 00:00:00\t1\n"
               "Saturday\thttp://d.example/\tNot Rated\tTech\t2024-03-09 10:00:00\t2023-12-15 00:00:00\t0\n"
               "Never seen 2\thttp://e.example/\tHigh\tTech\tNever\t2024-03-13 09:00:00\t0\n"_ba;
        QTest::newRow("higher ratings")
            << "--group 0"
            << "Today\thttp://a.example/zebra\tV.High\tNews\t2024-03-13 08:00:00\t2024-03-01 00:00:00\t5\n"
               "Yesterday\thttp://b.example/\tMedium\tNews\t2024-03-12 23:00:00\t2024-02-01 00:00:00\t3\n"_ba;
    }

    void listRows()
    {
        QFETCH(QString, options);
        QFETCH(QByteArray, rows);

        expectOutput(QStringList {"list", "good.tsy", "--now", now} + words(options), rows);
    }

    void merge_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("backup");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("other");
        QTest::addColumn<QByteArray>("json");

        QTest::newRow("same-named group appended")
            << "stack.tsy"
            << "stack.bak" << QByteArray("+News\r\n" + plain("a"))
            << QByteArray("+News\r\n" + plain("b") + "+Extra\r\n" + plain("c"))
            << dumpJson({"News", "News", "Extra"},
                        {plainJson(1, "a", 0), plainJson(2, "b", 1), plainJson(3, "c", 2)});
        QTest::newRow("other's entries before its groups join the last group")
            << "my.stack.tsy"
            << "my.stack.bak" << QByteArray("+One\r\n" + plain("a") + "+Two\r\n")
            << QByteArray(plain("l") + "+Three\r\n" + plain("c"))
            << dumpJson({"One", "Two", "Three"},
                        {plainJson(1, "a", 0), plainJson(2, "l", 1), plainJson(3, "c", 2)});
        QTest::newRow("target without groups keeps entries of no group first")
            << "stack"
            << "stack.bak" << plain("a") << QByteArray(plain("l") + "+G\n" + plain("c"))
            << dumpJson({"G"}, {plainJson(1, "a", -1), plainJson(2, "l", -1), plainJson(3, "c", 0)});
    }

    // The merged file is read back with dump; a stale backup is replaced by the old file.
    void merge()
    {
        QFETCH(QString, target);
        QFETCH(QString, backup);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, other);
        QFETCH(QByteArray, json);

        writeFile(path(target), before);
        writeFile(path("other.tsy"), other);
        writeFile(path(backup), "stale backup\r\n");
        expectOutput({"merge", target, "other.tsy"}, QByteArray());
        QCOMPARE(readFile(path(backup)), before);
        QCOMPARE(readFile(path("other.tsy")), other);
        QVERIFY(!readFile(path(target)).replace("\r\n", "").contains('\n'));
        expectOutput({"dump", target}, json);
    }

    void normalize_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");

        const QByteArray canonical = plain("l") + "+Caf\xC3\xA9\r\n" + plain("a") + "+Two\r\n";
        QTest::newRow("CR LF file unchanged") << canonical << canonical;
        QTest::newRow("LF line ends become CR LF")
            << QByteArray(canonical).replace("\r\n", "\n") << canonical;
        QTest::newRow("last line without line end") << canonical.chopped(2) << canonical;
        QTest::newRow("Windows-1252 lines converted")
            << QByteArray("+Caf\xE9\n"
                          + entryLine({"u", "\x80 5 \x93q\x94", "0", "8E930C350", "1", "0", "0"}))
            << QByteArray("+Caf\xC3\xA9\r\n"
                          + entry("u", "\xE2\x82\xAC 5 \xE2\x80\x9Cq\xE2\x80\x9D", "0", "8E930C350", "1"));
        QTest::newRow("UTF-8 and Windows-1252 lines mixed") << "+Caf\xC3\xA9\r\n+Caf\xE9\r\n"_ba
                                                            << "+Caf\xC3\xA9\r\n+Caf\xC3\xA9\r\n"_ba;
        QTest::newRow("byte order mark dropped") << QByteArray("\xEF\xBB\xBF" + canonical) << canonical;
        QTest::newRow("CR inside a field written as a blank")
            << QByteArray("+A\rB\r\n" + entry("u", "ti\rtle", "0", "8E930C350"))
            << QByteArray("+A B\r\n" + entry("u", "ti tle", "0", "8E930C350"));
        QTest::newRow("old date text rewritten in nine characters")
            << QByteArray("+A\r\n" + entry("u", "t", "8E931046", "8E931046"))
            << QByteArray("+A\r\n" + entry("u", "t", "8E930A2BC", "8E930A2BC"));
        QTest::newRow("lines that do not parse dropped") << "garbage\r\n\r\n+A\r\n"_ba
                                                         << "+A\r\n"_ba;
    }

    // OUT already exists and is replaced; IN is left as it was.
    void normalize()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);

        writeFile(path("in.tsy"), input);
        writeFile(path("out.tsy"), QByteArray(4096, 'x'));
        expectOutput({"normalize", "in.tsy", "out.tsy"}, QByteArray());
        QCOMPARE(readFile(path("out.tsy")), output);
        QCOMPARE(readFile(path("in.tsy")), input);
    }

    // A day count is written as the text, which reads back as the value; rows
    // without a day count check texts that only come from files.
    void dates_data()
    {
        QTest::addColumn<QString>("dayCount");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");

        const auto row = [](const char *name, const char *dayCount, const char *text, const char *value) {
            QTest::newRow(name) << QString::fromUtf8(dayCount) << QString::fromUtf8(text)
                                << QString::fromUtf8(value);
        };
        row("evening", "36499.7541666667", "8E9312698", "36499.75416");
        row("noon", "36499.5", "8E930C350", "36499.5");
        row("midnight", "36499", "8E9300000", "36499");
        row("no date", "0", "0", "0");
        row("fraction cut, not rounded up to the next day", "36499.999999", "8E931869F", "36499.99999");
        row("small fraction keeps its leading zeros", "45364.00042", "B1340002A", "45364.00042");
        row("after the last writable day", "70000.5", "FFFF1869F", "65535.99999");
        row("old eight-character form", "", "8E931046", "36499.4166");
        row("shorter than eight characters: no date", "", "8E935", "0");
        row("not hexadecimal: no date", "", "8E93ZZ698", "0");
        row("lowercase digits", "", "8e9312698", "36499.75416");
        row("value above 99999 read as decimal digits", "", "8E93FFFFF", "36499.1048575");
        row("characters after the ninth ignored", "", "8E9312698FF", "36499.75416");
    }

    void dates()
    {
        QFETCH(QString, dayCount);
        QFETCH(QString, text);
        QFETCH(QString, value);

        if (!dayCount.isEmpty())
            expectOutput({"date-text", dayCount}, text.toLatin1() + '\n');
        expectOutput({"date-value", text}, value.toLatin1() + '\n');
    }
};

QTEST_GUILESS_MAIN(TestTsy)
#include "TestTsy.moc"
