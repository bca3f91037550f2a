// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// tsy's commands that change a few entries stream FILE instead of loading
// it: each is run both ways (TSY_LOAD_WHOLE_STORE=1 keeps the loading path)
// on files of every kind, and must leave the same.

#include "BrowserHome.h"
#include "DayCount.h"
#include "HexDate.h"
#include "StackFile.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QBuffer>
#include <QProcess>
#include <QtTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

using namespace TestEnvironment;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out, err;
};

// A full entry line with its CR LF; fields: url, title, last visit, created, visited, category, rating.
QByteArray entry(const QByteArray &url, const QByteArray &title, const QByteArray &accessed,
                 const QByteArray &created, const QByteArray &visited = "0", const QByteArray &rated = "0",
                 const QByteArray &catagory = "0")
{
    return entryLine({url, title, accessed, created, visited, catagory, rated}) + "\r\n";
}

const QByteArray loose = entry("http://l.example/", "Loose end", "B13408235", "B12800000", "2", "2");
const QByteArray today = entry("http://a.example/zebra", "Today", "B13408235", "B12800000", "5", "4");
const QByteArray yesterday = entry("http://b.example/", "Yesterday", "B13317659", "B10B00000", "3", "2", "7");
const QByteArray sunday = entry("http://c.example/", "Sunday", "B1310A2C3", "B10A00000", "1", "1");
const QByteArray saturday = entry("http://d.example/", "Saturday", "B1300A2C3", "B0DB00000", "0", "0");
const QByteArray never = entry("http://e.example/", "Never seen 2", "0", "B1340927C", "0", "3");
const QByteArray five = entry("http://f.example/", "Five\tstars", "B13408235", "B13408235", "9", "5");

// Date texts of now (between from and to) in the date fields of a stack
// file's entry lines, replaced by one fixed date: two runs made at
// different moments then compare.
QByteArray withNowFixed(QByteArray text, double from, double to)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray &line : lines) {
        QList<QByteArray> fields = line.split('\x05');
        for (qsizetype i = 2; i < std::min<qsizetype>(fields.size(), 4); ++i) {
            const double date
                = ConvertHexDate(QByteArrayView(fields[i]).first(std::min<qsizetype>(9, fields[i].size())));
            if (date >= from - 2.0 / 86400 && date <= to + 2.0 / 86400)
                fields[i].replace(0, 9, "8E9300000");
        }
        line = fields.join('\x05');
    }
    return lines.join('\n');
}

// A dump's text with the dates within from..to (the present of a run, given
// to entries that have none) replaced by a fixed text.
QByteArray withNowFixedInDump(const QByteArray &dump, double from, double to)
{
    QString text = QString::fromUtf8(dump);
    static const QRegularExpression number(R"(:(\d+\.\d+))");
    for (qsizetype at = 0;;) {
        const QRegularExpressionMatch found = number.match(text, at);
        if (!found.hasMatch())
            break;
        const double date = found.captured(1).toDouble();
        at = found.capturedEnd();
        if (date >= from - 2.0 / 86400 && date <= to + 2.0 / 86400) {
            text.replace(found.capturedStart(1), found.capturedLength(1), "NOW");
            at = found.capturedStart(1) + 3;
        }
    }
    return text.toUtf8();
}

// Files of every kind a change must stream as loading would change them:
// their names and bytes.
QList<std::pair<QByteArray, QByteArray>> hostileFiles()
{
    const QByteArray canonical
        = loose + "+News\r\n" + today + yesterday + "+Tech\r\n" + sunday + saturday + never + five;
    const QByteArray w1252 = "+Caf\xE9\r\n"
        + entry("http://caf\xE9.example/", "Na\xEFve \x93q\x94", "8E9312698", "8E930C350", "1", "2")
        + entry("http://b.example/", "Yesterday", "B13317659", "B10B00000", "3", "2", "7") + "+Tech\r\n"
        + entry("http://c.example/", "Ol\xE9 day", "B1310A2C3", "B10A00000", "1", "1");
    const QByteArray damaged = "\r\n" + entry("http://l.example/", "Loose end", "B13408235", "0", "2", "2")
        + "garbage line\r\n+News\r\r\n" + entryLine({"http://a.example/zebra", "Three fields", "x"}) + "\r\n"
        + entryLine({"http://b.example/", "Eight", "B13317659", "B10B00000", "3", "2", "7", "x"}) + "\r\n"
        + entry("http://c.example/", "Bad numbers", "B1310A2C3", "B10A00000", "+1", "1 ", "x")
        + "\xEF\xBB\xBF" + entry("http://d.example/", "Mark at the start", "B1300A2C3", "B0DB00000")
        + "\xEF\xBB\xBF+Tech\r\n" + entry("http://e.example/", "Old dates", "8E931046", "8E93FFFFF", "0", "3")
        + entry("http://h.example/", "Not a date", "B1300A2C3", "B13G08235", "1", "1")
        + entry("http://g.example/", "A\rday", "8e9312698", "8E93126985", "2", "0") + "\n\n"
        + entryLine({"http://b.example/", "Two fields\r"}) + "\r\n" + "+Tech\r\n"
        + entry("http://f.example/", "Day in a later Tech", "B13408235", "B13408235", "9", "5");
    // What a save writes of a file: a file that loading and saving leaves as it is.
    const auto saved = [](const QByteArray &bytes) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        URLBlock store;
        StackFile::readStackFile(store, buffer, bytes.size(), 45000.0);
        return StackFile::stackFileText(store);
    };
    return {{"canonical", canonical},
            {"damaged lines, saved", saved(damaged)},
            {"Windows-1252 lines, saved", saved(w1252)},
            {"LF line ends", QByteArray(canonical).replace("\r\n", "\n")},
            {"CR-only line ends", QByteArray(canonical).replace("\r\n", "\r")},
            {"byte-order mark", "\xEF\xBB\xBF" + canonical},
            {"mark before an entry of no group", "\xEF\xBB\xBF" + canonical.mid(canonical.indexOf("+News"))},
            {"damaged lines", damaged},
            {"Windows-1252 lines", w1252},
            {"no final line end", canonical.chopped(2)},
            {"CR without LF at the end", canonical.chopped(1)},
            {"no groups", loose + today},
            {"empty", ""}};
}

}  // namespace

class TestTsyStreaming : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    // tsy dump of a file of these bytes.
    QByteArray dumpOf(const QByteArray &bytes) const
    {
        writeFile(path("dumped.tsy"), bytes);
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        process.start(TSY_PATH, {"dump", "dumped.tsy"});
        process.waitForFinished(60000);
        return process.exitCode() == 0 ? process.readAllStandardOutput() : process.readAllStandardError();
    }

private slots:
    void init()
    {
        isolate();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Every command that streams FILE leaves what loading, changing and
    // saving it leaves, on files of every kind: the same output, error and
    // exit status, the same backup, and the same file: byte for byte where
    // loading and saving leaves the input as it is, else one that reads to
    // the same store (the same dump).
    void streamingMatchesLoading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("arguments");  // F: the file
        const QList<QStringList> commands {
            {"remove", "F", "2", "6"},
            {"remove", "F", "http://b.example/", "1"},
            {"remove", "F", "99", "http://none/", "0"},
            {"rate", "F", "3", "1", "7", "3"},
            {"rate", "F", "4", "http://caf\u00e9.example/", "http://b.example/"},
            {"move", "F", "Tech", "2", "1"},
            {"move", "F", "0", "7", "5", "1"},
            {"move", "F", "1", "http://b.example/"},
            {"move", "F", "Sports", "99"},
            {"move", "F", "News", "http://none/"},
            {"edit", "F", "3", "--title", " New\ttitle ", "--url", "http://n/", "--group", "Tech"},
            {"edit", "F", "http://b.example/", "--rating", "0", "--group", "0"},
            {"edit", "F", "1", "--title", "x\u00e9\ry", "--rating", "1"},
            {"edit", "F", "99", "--group", "Sports"},
            {"add", "F", "http://n/", "--title", "N", "--group", "Tech", "--rating", "3"},
            {"add", "F", "http://m/"},
            {"add", "F", "http://m/", "--group", "Caf\u00e9"},
            {"add", "F", "http://m/", "--group", "9"},
            {"group", "add", "F", "Sports", "Misc"},
            {"group", "add", "F", "X", "Tech"},
            {"group", "rename", "F", "Tech", "Science"},
            {"group", "rename", "F", "0", " Top\x05 "},
            {"group", "remove", "F", "News", "--with-entries"},
            {"group", "remove", "F", "Tech", "0", "--with-entries"},
            {"group", "remove", "F", "Tech"},
            {"group", "remove", "F", "1", "Sports"},
            {"find", "F", "day"},
            {"find", "F", "*"},
            {"open", "F", "3"},
            {"open", "F", "http://b.example/"},
            {"capture", "F", "--group", "Tech"},
            {"capture", "F", "--group", "0"},
            {"capture", "F", "--group", "Sports"},
            {"list", "F", "--all", "--keys"},
            {"list", "F", "--group", "1", "--title", "*a*", "--visited", "more:0"},
            {"list", "F", "--group", "0", "--keys", "--accessed", "less:2m", "--now", "45000"},
            {"list", "F", "--group", "9"},
            {"dump", "F"},
            {"normalize", "F", "F"},
            {"normalize", "F", "n.tsy"},
        };
        for (const auto &[name, file] : hostileFiles()) {
            for (const QStringList &arguments : commands)
                QTest::addRow("%s: %s", name.constData(), qPrintable(arguments.join(' ')))
                    << file << arguments;
        }
    }

    void streamingMatchesLoading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, arguments);
        BrowserHome home;  // open's browser: a stand-in; capture's: a Firefox session
        home.setAppPaths(home.recorder());
        if (arguments.first() == "capture") {
            home.runFirefox("http://s.example/\u00e9", "Page \u00e9");
            QProcess settings;
            settings.setProcessEnvironment(home.environment());
            settings.start(TSY_PATH, {"settings", "--set", "pB=1"});
            QVERIFY(settings.waitForFinished(60000) && settings.exitCode() == 0);
        }
        const QString folders[] = {path("loading"), path("streaming")};
        Run runs[2];
        const double before = DayCount::now();
        for (int way = 0; way < 2; ++way) {
            QVERIFY(QDir().mkpath(folders[way]));
            writeFile(folders[way] + "/f.tsy", file);
            QProcessEnvironment environment = home.environment();
            if (way == 0)
                environment.insert("TSY_LOAD_WHOLE_STORE", "1");
            QProcess process;
            process.setProcessEnvironment(environment);
            process.setWorkingDirectory(folders[way]);
            process.start(TSY_PATH,
                          QStringList(arguments).replaceInStrings(QRegularExpression("^F$"), "f.tsy"));
            QVERIFY(process.waitForFinished(60000));
            runs[way] = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
        }
        const double after = DayCount::now();
        QVERIFY2(!runs[0].err.contains("no browser answered"), "capture found no page");
        QCOMPARE(runs[1].exitCode, runs[0].exitCode);
        QCOMPARE(withNowFixedInDump(runs[1].out, before, after), withNowFixedInDump(runs[0].out, before, after));
        QCOMPARE(runs[1].err, runs[0].err);
        QCOMPARE(QDir(folders[1]).entryList(QDir::Files), QDir(folders[0]).entryList(QDir::Files));
        if (QFile::exists(folders[0] + "/f.bak"))
            QCOMPARE(readFile(folders[1] + "/f.bak"), readFile(folders[0] + "/f.bak"));
        // What normalize writes is a save of the loaded file, byte for byte.
        const bool normalizes = arguments.first() == "normalize";
        if (normalizes && arguments.last() != "F")
            QCOMPARE(withNowFixed(readFile(folders[1] + "/n.tsy"), before, after),
                     withNowFixed(readFile(folders[0] + "/n.tsy"), before, after));
        const QByteArray loaded = withNowFixed(readFile(folders[0] + "/f.tsy"), before, after);
        const QByteArray streamed = withNowFixed(readFile(folders[1] + "/f.tsy"), before, after);
        if (streamed == loaded)
            return;
        QVERIFY2(!normalizes, "normalize wrote another text than a save of the loaded file");
        URLBlock store;
        QVERIFY(StackFile::loadStackFile(store, writeFile(path("input.tsy"), file), false, 45000.0));
        QVERIFY2(StackFile::stackFileText(store) != file,
                 "a file that a save leaves as it is comes out otherwise");
        QCOMPARE(dumpOf(streamed), dumpOf(loaded));
    }

    // On a full disk a streamed change fails as the loading one does: the
    // full disk named, FILE as it was, no backup and nothing else left
    // beside it. The disk is a small file system mounted in a namespace of
    // its own, where the system allows that.
    void fullDiskLeavesTheFile_data()
    {
        QTest::addColumn<QStringList>("arguments");  // F: the file
        QTest::newRow("add") << QStringList {"add", "F", "http://n/", "--group", "0"};
        QTest::newRow("remove") << QStringList {"remove", "F", "3"};
        QTest::newRow("move") << QStringList {"move", "F", "0", "600"};
        QTest::newRow("group rename") << QStringList {"group", "rename", "F", "0", "Top"};
    }

    void fullDiskLeavesTheFile()
    {
        QFETCH(QStringList, arguments);
        const QString unshare = QStandardPaths::findExecutable("unshare");
        if (unshare.isEmpty())
            QSKIP("no unshare to mount a small file system");
        QByteArray big = "+Base\r\n";
        for (int i = 0; i < 700; ++i)
            big += entry("http://e" + QByteArray::number(i) + ".example/", "Entry", "8E9312698", "8E930C350");
        writeFile(path("big.tsy"), big);  // about 40 KiB: it fits, a second copy does not
        QVERIFY(QDir(m_dir->path()).mkdir("full"));
        const QString script = "mount -t tmpfs -o size=64k tessaly-full full || exit 99; "
                               "cp big.tsy full/f.tsy || exit 99; \"$0\" \"$@\"; status=$?; ls -A full; "
                               "cmp -s big.tsy full/f.tsy && echo unchanged; exit $status";
        Run runs[2];
        for (int way = 0; way < 2; ++way) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            if (way == 0)
                environment.insert("TSY_LOAD_WHOLE_STORE", "1");
            QProcess process;
            process.setProcessEnvironment(environment);
            process.setWorkingDirectory(m_dir->path());
            process.start(
                unshare,
                QStringList {"-rm", "sh", "-c", script, TSY_PATH}
                    + QStringList(arguments).replaceInStrings(QRegularExpression("^F$"), "full/f.tsy"));
            QVERIFY(process.waitForFinished(60000));
            runs[way] = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
            if (runs[way].exitCode == 99 || (runs[way].exitCode == 1 && runs[way].err.startsWith("unshare:")))
                QSKIP("no small file system can be mounted here");
        }
        QCOMPARE(runs[1].exitCode, 1);
        const QByteArray fullDisk = QByteArray(": ") + std::strerror(ENOSPC) + '\n';
        QVERIFY2(runs[1].err.endsWith(fullDisk), runs[1].err);
        QCOMPARE(runs[1].out, QByteArray("f.tsy\nunchanged\n"));
        QCOMPARE(runs[1].exitCode, runs[0].exitCode);
        QCOMPARE(runs[1].out, runs[0].out);
        QCOMPARE(runs[1].err, runs[0].err);
    }
};

QTEST_GUILESS_MAIN(TestTsyStreaming)
#include "TestTsyStreaming.moc"
