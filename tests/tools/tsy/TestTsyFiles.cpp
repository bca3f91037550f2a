// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// End-to-end tests of tsy's commands on whole files: merges, imports and
// exports, the lock on their target, a full disk.
#include "BrowserHome.h"
#include "DayCount.h"
#include "DefaultStackFile.h"
#include "HexDate.h"
#include "ProfileFixtures.h"
#include "BrowserTime.h"
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

class TestTsyFiles : public TsyTestCase
{
    Q_OBJECT

private slots:
    void init() { makeFolder(); }


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
            "Added 1 group and 2 entries to stack.tsy (0 already there)\n");
        row("other's entries before its groups join the last group", "my.stack.tsy", "my.stack.bak",
            "other.tsy", "+One\r\n" + a + "+Two\r\n", l + "+Three\n" + c,
            "+One\r\n" + a + "+Two\r\n" + l + "+Three\r\n" + c,
            "Added 1 group and 2 entries to my.stack.tsy (0 already there)\n");
        row("target without groups keeps entries of no group first", "stack", "stack.bak", "other.tsy", a,
            l + "+G\r\n" + c, a + l + "+G\r\n" + c,
            "Added 1 group and 2 entries to stack (0 already there)\n");
        // A file name holding a placeholder is printed as it is.
        row("one entry into a file named with %", "100%1.tsy", "100%1.bak", "other.tsy", "+News\r\n" + a,
            "+News\r\n" + l, "+News\r\n" + a + l, "Added 0 groups and 1 entry to 100%1.tsy (0 already there)\n");
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
            "Added 1 group and 2 entries to stack.tsy (1 already there)\n");
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


    // import-firefox and import-chromium on profiles made with the browsers'
    // schemas: the groups and visits they bring, a second run that changes
    // nothing, the default profile of the home folder, and damaged profiles
    // that change nothing.
    void profileImports_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("runs");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("output");  // stdout, or a part of stderr when the run fails
        QTest::addColumn<QStringList>("entries"); // the target's after it: "group|title|url|visits|last visit"
        QTest::addColumn<bool>("backup");         // whether the target's backup was written
        // Visited 1 December 2023, 00:00:00.5 UTC: day 45261 as the file keeps it.
        const QStringList profile {"Netscape: ROOT|Home|http://home/|7|45261.00000",
                                   "Work|Job|http://job/|0|0.00000",
                                   "Bookmarks Toolbar|Bar|http://bar/|2|45261.00000"};
        QTest::newRow("Firefox profile named")
            << "import-firefox new.tsy ff" << 1 << 0
            << QByteArray("Added 3 groups and 3 entries to new.tsy (0 already there)\n") << profile << false;
        QTest::newRow("Firefox places.sqlite named")
            << "import-firefox new.tsy ff/places.sqlite" << 1 << 0
            << QByteArray("Added 3 groups and 3 entries to new.tsy (0 already there)\n") << profile << false;
        QTest::newRow("Firefox profile imported again changes nothing")
            << "import-firefox new.tsy ff" << 2 << 0
            << QByteArray("Added 0 groups and 0 entries to new.tsy (3 already there)\n") << profile << false;
        QTest::newRow("Firefox default profile of profiles.ini")
            << "import-firefox new.tsy" << 1 << 0
            << QByteArray("Added 3 groups and 3 entries to new.tsy (0 already there)\n") << profile << false;
        QTest::newRow("an entry of the target brought up to date")
            << "import-firefox good.tsy news" << 1 << 0
            << QByteArray("Added 0 groups and 0 entries to good.tsy (1 already there, 1 of them with newer visits)\n")
            << QStringList {"News|Yesterday|http://b.example/|9|45363.95833"} << true;
        QTest::newRow("Chromium profile named")
            << "import-chromium new.tsy cr" << 1 << 0
            << QByteArray("Added 1 group and 1 entry to new.tsy (0 already there)\n")
            << QStringList {"Bookmarks bar|Bar|http://bar/|4|45261.00000"} << false;
        QTest::newRow("Chromium default profile")
            << "import-chromium new.tsy" << 1 << 0
            << QByteArray("Added 1 group and 1 entry to new.tsy (0 already there)\n")
            << QStringList {"Bookmarks bar|Bar|http://bar/|4|45261.00000"} << false;
        QTest::newRow("damaged places.sqlite changes nothing")
            << "import-firefox good.tsy bad" << 1 << 1
            << QByteArray("not a Firefox places database (file is not a database)") << QStringList() << false;
        QTest::newRow("no such profile folder") << "import-firefox good.tsy gone" << 1 << 1
                                                << QByteArray("gone: no such profile folder") << QStringList() << false;
        QTest::newRow("three arguments") << "import-chromium good.tsy cr cr" << 1 << 2
                                         << QByteArray("expected 2 arguments, got 3") << QStringList() << false;
    }

    void profileImports()
    {
        QFETCH(QString, arguments);
        QFETCH(int, runs);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, output);
        QFETCH(QStringList, entries);
        QFETCH(bool, backup);
        using namespace ProfileFixtures;
        // Half a second after midnight: the stack file keeps the date to 0.864 s,
        // a second import must take the file's date for the same.
        const qint64 december = Q_INT64_C(1701388800500000);
        const auto makePlaces = [&](const QString &folder) {
            QVERIFY(QDir().mkpath(path(folder)));
            Places places(path(folder + "/places.sqlite"));
            places.link(Places::Menu, "Home", "http://home/", december, 7, december);
            places.link(places.folder(Places::Menu, "Work"), "Job", "http://job/", december);
            places.link(Places::Toolbar, "Bar", "http://bar/", december, 2, december);
        };
        makePlaces("ff");
        // The default profile of a home folder, for the runs that name none.
        const QByteArray home = QFile::encodeName(path("home"));
        makePlaces("home/.mozilla/firefox/abc.default");
        writeFile(path("home/.mozilla/firefox/profiles.ini"),
                  "[Profile0]\nName=default\nIsRelative=1\nPath=abc.default\nDefault=1\n");
        QVERIFY(QDir().mkpath(path("news")));
        {
            Places news(path("news/places.sqlite"));
            news.link(news.folder(Places::Menu, "News"), "Y", "http://b.example/", december, 9, december);
        }
        // Chromium's folder is in $XDG_CONFIG_HOME ("config" here), not in ~/.config.
        for (const QString &folder : {QStringLiteral("cr"), QStringLiteral("config/chromium/Default")}) {
            QVERIFY(QDir().mkpath(path(folder)));
            writeFile(path(folder + "/Bookmarks"),
                      chromiumBookmarks({chromiumLink("Bar", "http://bar/", BrowserTime::windowsToUnixMicroseconds)}, {}));
            History(path(folder + "/History")).url("http://bar/", 4, december + BrowserTime::windowsToUnixMicroseconds);
        }
        QVERIFY(QDir().mkpath(path("bad")));
        writeFile(path("bad/places.sqlite"), QByteArray(8192, 'x'));

        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
        Run run;
        for (int i = 0; i < runs; ++i)
            run = tsy(words(arguments));
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QCOMPARE(run.exitCode, exitCode);
        const QString target = words(arguments).at(1);
        if (exitCode != 0) {
            QVERIFY2(run.err.contains(output), run.err.constData());
            QCOMPARE(readFile(path("good.tsy")), listFile);
            QVERIFY(!QFileInfo::exists(path("good.bak")));
            return;
        }
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out, output);
        URLBlock store;
        QVERIFY(StackFile::loadStackFile(store, path(target), false, 45364.5));
        QStringList found;
        for (const URLData &entry : store.urlDatas()) {
            if (target == "new.tsy" || entry.url == "http://b.example/")
                found << store.IDXList().at(entry.Owner).name + '|' + entry.Name + '|' + entry.url + '|'
                        + QString::number(entry.Visited) + '|' + QString::number(entry.LastAccesed, 'f', 5);
        }
        QCOMPARE(found, entries);
        QCOMPARE(QFileInfo::exists(path(target.chopped(4) + ".bak")), backup);
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


    // A file that export-xbel writes reads back through import-xbel to the
    // same groups and entries, every field kept to the byte of the stack
    // file (a control character in a title too), also in a time zone that
    // changes to summer time between the dates; importing it again adds nothing.
    void xbelReadsBack()
    {
        const QByteArray odd
            = entry("http://x.example/?a=1&b=\"2\"<3>", "Q&A: \"<b>\" isn't \x01", "0", "B12800000")
            + entry("", "", "0", "B12800000", "-7", "255", "255")
            + entry("http://old/", "Before 1970", "2C8A0C350", "475800000", "2147483647");
        const QByteArray file
            = "+News & <Views>\r\n" + t + y + odd + "+Tech\n" + su + sa + n + f + "+Empty\r\n";
        writeFile(path("good.tsy"), file);
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "America/New_York");
        const auto restoreZone = qScopeGuard([&] { qputenv("TZ", zone); });
        expectOutput("export-xbel good.tsy out.xbel", "Wrote 3 groups and 9 entries to out.xbel\n");
        QVERIFY(readFile(path("out.xbel"))
                    .contains("<bookmark href=\"http://a.example/zebra\" added=\"2024-03-01T05:00:00.000Z\" "
                              "visited=\"2024-03-13T11:59:59.712Z\">"));
        expectOutput("import-xbel back.tsy out.xbel", "Added 3 groups and 9 entries to back.tsy (0 already there)\n");
        QCOMPARE(readFile(path("back.tsy")), QByteArray(file).replace("+Tech\n", "+Tech\r\n"));
        expectOutput("import-xbel back.tsy out.xbel", "Added 0 groups and 0 entries to back.tsy (9 already there)\n");
        QVERIFY(!QFileInfo::exists(path("back.bak")));
    }

    // A damaged XBEL file changes nothing: the stack file and its backup stay.
    void damagedXbelChangesNothing()
    {
        writeFile(path("cut.xbel"), "<xbel><folder><title>New</title><bookmark href=\"http://n/\"><title>N</title>");
        const Run run = tsy({"import-xbel", "good.tsy", "cut.xbel"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith("tsy import-xbel: cut.xbel: line 1: ") && run.err.endsWith("; nothing was merged\n"),
                 run.err.constData());
        QCOMPARE(readFile(path("good.tsy")), listFile);
        QVERIFY(!QFileInfo::exists(path("good.bak")));
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
};

QTEST_GUILESS_MAIN(TestTsyFiles)
#include "TestTsyFiles.moc"
