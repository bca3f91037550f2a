// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopUrlOpener.h"
#include "InternetShortcut.h"
#include "OpenableAddress.h"
#include "TestEnvironment.h"

#include <QtTest>

using namespace TestEnvironment;

// Opening an entry's address (what may be opened, and how) and writing it as
// an internet shortcut file.
class TestEntryOpening : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;  // local files that addresses name ("%F" in the tables)

    QString local(const QString &text) const { return QString(text).replace("%F", m_files.path()); }

private slots:
    // Pages, launchers and programs, some behind symbolic links.
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        const QString f = m_files.path() + '/';
        writeFile(f + "page.html", "<html><p>[Desktop Entry]</p></html>\n");
        writeFile(f + "notes.txt", "[Notes]\n[Desktop Entry]\n");
        writeFile(f + "entry.desktop", "[Desktop Entry]\nType=Application\nExec=touch pwned\n");
        writeFile(f + "launcher", "# written by hand\n\n  [Desktop Entry]  \r\nExec=touch pwned\n");
        writeFile(f + "marked-launcher", "\xEF\xBB\xBF[Desktop Entry]\nExec=touch pwned\n");
        writeFile(f + "script.html", "#!/bin/sh\ntouch pwned\n");
        QVERIFY(QFile::setPermissions(f + "script.html", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QDir().mkdir(f + "folder"));
        for (const auto &[link, target] : {std::pair {"page-link.html", "page.html"}, {"entry-link", "entry.desktop"},
                                          {"launcher-link.html", "launcher"}, {"program-link.html", "/bin/sh"},
                                          {"gone-link.html", "gone.desktop"}, {"folder-link", "folder"},
                                          {"link-to-link.html", "entry-link"}})
            QVERIFY(QFile::link(target, f + link));
    }

    void address_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("url");  // empty: refused
        QTest::newRow("http") << "http://example.com/a?b=c"
                              << "http://example.com/a?b=c";
        QTest::newRow("no scheme") << "www.example.com/x"
                                   << "http://www.example.com/x";
        QTest::newRow("host and port, no scheme") << "example.com:8080/p"
                                                  << "http://example.com:8080/p";
        QTest::newRow("blanks around") << "  https://example.org/  "
                                       << "https://example.org/";
        QTest::newRow("capitals") << "HTTPS://Example.ORG/A"
                                  << "https://example.org/A";
        QTest::newRow("ftp") << "ftp://ftp.example.org/f"
                             << "ftp://ftp.example.org/f";
        QTest::newRow("local file") << "file:///home/u/page.html"
                                    << "file:///home/u/page.html";
        QTest::newRow("blank in the path") << "example.com/a b"
                                           << "http://example.com/a%20b";
        QTest::newRow("option") << "-x"
                                << "";
        QTest::newRow("option after http://") << "http://-x/"
                                              << "";
        QTest::newRow("javascript") << "javascript:alert(1)"
                                    << "";
        QTest::newRow("program path: http:///bin/sh names no host") << "/bin/sh"
                                                                    << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("blanks only") << " \t "
                                     << "";
        QTest::newRow("mailto") << "mailto:a@example.com"
                                << "";
        QTest::newRow("scheme only") << "http://"
                                     << "";
        QTest::newRow("relative file") << "file:page.html"
                                       << "";
        QTest::newRow("data") << "data:text/html,<b>x</b>"
                              << "";
        QTest::newRow("local program") << "file:///bin/sh"
                                       << "";
        QTest::newRow("desktop entry, even missing") << "file:///tmp/no-such/x.DESKTOP"
                                                     << "";
        QTest::newRow("local folder") << "file:///tmp"
                                      << "file:///tmp";
        // A local file is shown, never run, whatever name or link leads to it.
        QTest::newRow("page") << "file://%F/page.html" << "file://%F/page.html";
        QTest::newRow("text whose first group is another") << "file://%F/notes.txt" << "file://%F/notes.txt";
        QTest::newRow("link to a page") << "file://%F/page-link.html" << "file://%F/page-link.html";
        QTest::newRow("link to a folder") << "file://%F/folder-link" << "file://%F/folder-link";
        QTest::newRow("link to a desktop entry") << "file://%F/entry-link" << "";
        QTest::newRow("link to a link to a desktop entry") << "file://%F/link-to-link.html" << "";
        QTest::newRow("link to nowhere named as a desktop entry") << "file://%F/gone-link.html" << "";
        QTest::newRow("desktop entry without the suffix") << "file://%F/launcher" << "";
        QTest::newRow("desktop entry with a byte-order mark") << "file://%F/marked-launcher" << "";
        QTest::newRow("link to such an entry") << "file://%F/launcher-link.html" << "";
        QTest::newRow("executable page") << "file://%F/script.html" << "";
        QTest::newRow("link to a program") << "file://%F/program-link.html" << "";
        QTest::newRow("localhost: a local path") << "file://localhost/bin/sh" << "";
        QTest::newRow("localhost in capitals") << "FILE://LocalHost/bin/sh" << "";
        QTest::newRow("localhost, a page") << "file://localhost%F/page.html" << "file://localhost%F/page.html";
        QTest::newRow("another host: its path checked here") << "file://server/bin/sh" << "";
        QTest::newRow("encoded path of a desktop entry") << "file://%F/launch%65r" << "";
    }

    void address()
    {
        QFETCH(QString, address);
        QFETCH(QString, url);
        address = local(address);
        const QUrl opened = OpenableAddress::fromText(address);
        QCOMPARE(opened.isValid() ? opened.toString(QUrl::FullyEncoded) : QString(), local(url));
        QCOMPARE(OpenableAddress::refusal(address).isEmpty(), !url.isEmpty());
    }

    // A refusal fits a status bar however long the address.
    void longAddresses()
    {
        const QString path(1 << 20, QLatin1Char('a'));
        QVERIFY(OpenableAddress::fromText("http://example.com/" + path).isValid());
        const QString refusal = OpenableAddress::refusal("javascript:" + path);
        QVERIFY(!refusal.isEmpty() && refusal.size() < 200);
    }

    void opener_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("argument");  // empty: nothing started
        QTest::newRow("address") << "example.com/a b;touch pwned"
                                 << "http://example.com/a%20b;touch%20pwned";
        QTest::newRow("local page") << "file:///tmp/page.html"
                                    << "file:///tmp/page.html";
        QTest::newRow("option") << "-x"
                                << "";
        QTest::newRow("javascript") << "javascript:alert(1)"
                                    << "";
        QTest::newRow("program path") << "/bin/sh"
                                      << "";
        QTest::newRow("local program") << "file:///bin/sh"
                                       << "";
        QTest::newRow("desktop launcher") << "file:///tmp/run.desktop"
                                          << "";
        // Handed to the opener without the address rule: it refuses them itself.
        QTest::newRow("url: link to a desktop entry") << "url:file://%F/entry-link" << "";
        QTest::newRow("url: localhost program") << "url:file://localhost/bin/sh" << "";
        QTest::newRow("url: page") << "url:file://%F/page.html" << "file://%F/page.html";
    }

    // The stand-in xdg-open first on PATH records its arguments.
    void opener()
    {
        QFETCH(QString, address);
        QFETCH(QString, argument);
        QTemporaryDir bin;
        const QString record = bin.filePath("record");
        writeFile(bin.filePath("xdg-open"),
                  "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > \"" + record.toUtf8()
                      + ".part\" && mv \"" + record.toUtf8() + ".part\" \"" + record.toUtf8() + "\"\n");
        QFile::setPermissions(bin.filePath("xdg-open"), QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
        QString error;
        address = local(address);
        const QUrl url = address.startsWith("url:") ? QUrl(address.mid(4)) : OpenableAddress::fromText(address);
        const bool started = DesktopUrlOpener().open(url, &error);
        qputenv("PATH", path);
        argument = local(argument);
        QCOMPARE(started, !argument.isEmpty());
        QCOMPARE(error.isEmpty(), started);
        if (started)
            QTRY_COMPARE(readFile(record), "1\n" + argument.toUtf8() + "\n");
        else
            QVERIFY(!QFile::exists(record));
        QVERIFY(!QFile::exists("pwned"));
    }

    void openerWithoutXdgOpen()
    {
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(empty.path()));
        QString error;
        const bool started = DesktopUrlOpener().open(QUrl("http://example.com/"), &error);
        qputenv("PATH", path);
        QVERIFY(!started);
        QVERIFY2(error.contains("xdg-open"), qPrintable(error));
    }

    void safeFileName_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "News"
                               << "News";
        QTest::newRow("reserved characters") << "a/b\\c:d*e?f\"g<h>i|j"
                                             << "a_b_c_d_e_f_g_h_i_j";
        QTest::newRow("control characters") << QString("tab\there\x01\x7f") << "tab_here__";
        QTest::newRow("dot") << "."
                             << "";
        QTest::newRow("dot dot") << ".."
                                 << "";
        QTest::newRow("three dots") << "..."
                                    << "...";
        QTest::newRow("dot dot slash") << "../x"
                                       << ".._x";
    }

    void safeFileName()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QCOMPARE(InternetShortcut::safeFileName(text), name);
    }

    void titleForFile_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("name");
        QTest::newRow("the title") << "News"
                                   << "http://example.com/"
                                   << "News";
        QTest::newRow("no title: the host") << ""
                                            << "https://www.example.com:8080/a/b?q=1"
                                            << "www.example.com";
        QTest::newRow("no title, no scheme: the host") << ""
                                                       << " example.org/x "
                                                       << "example.org";
        QTest::newRow("no title, no host: the file's name") << ""
                                                            << "file:///home/u/doc.html"
                                                            << "doc.html";
        QTest::newRow("no title, no address") << ""
                                              << ""
                                              << "";
    }

    void titleForFile()
    {
        QFETCH(QString, title);
        QFETCH(QString, url);
        QFETCH(QString, name);
        QCOMPARE(InternetShortcut::titleForFile(title, url), name);
    }

    void shortcut_data()
    {
        QTest::addColumn<int>("cAF");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("written");  // relative to the favorites folder; empty: nothing
        QTest::newRow("cAF 2: the favorites folder") << 2 << "News"
                                                     << "G"
                                                     << "News.url";
        QTest::newRow("cAF 1: group folder made") << 1 << "News"
                                                  << "My Group"
                                                  << "My Group/News.url";
        QTest::newRow("cAF 1: names made safe") << 1 << "a/b"
                                                << "x:y"
                                                << "x_y/a_b.url";
        QTest::newRow("cAF 1: an existing group folder") << 1 << "News"
                                                         << "Exists"
                                                         << "Exists/News.url";
        QTest::newRow("cAF 1: no group name") << 1 << "News"
                                              << ""
                                              << "News.url";
        QTest::newRow("cAF 3: existing group folder") << 3 << "News"
                                                      << "Exists"
                                                      << "Exists/News.url";
        QTest::newRow("cAF 3: group folder not made") << 3 << "News"
                                                      << "Missing"
                                                      << "";
        QTest::newRow("cAF 0: nothing") << 0 << "News"
                                        << "G"
                                        << "";
        QTest::newRow("empty title") << 2 << ""
                                     << "G"
                                     << ".url";
        QTest::newRow("an existing file is replaced") << 2 << "Old"
                                                      << "G"
                                                      << "Old.url";
        QTest::newRow("group ..") << 1 << "News"
                                  << ".."
                                  << "";
        QTest::newRow("title ..") << 2 << ".."
                                  << "G"
                                  << "";
        QTest::newRow("group folder linked outside") << 1 << "News"
                                                     << "Link"
                                                     << "";
        QTest::newRow("file linked outside") << 2 << "Trap"
                                             << "G"
                                             << "";
        QTest::newRow("long title cut to a file name")
            << 2 << QString(300, QChar(0x00e9)) << "G" << QString(119, QChar(0x00e9)) + ".url";
    }

    // The file holds the two lines; nothing else is written, and nothing outside the folder.
    void shortcut()
    {
        QFETCH(int, cAF);
        QFETCH(QString, title);
        QFETCH(QString, group);
        QFETCH(QString, written);
        QTemporaryDir root;
        const QString favorites = root.filePath("Favorites"), outside = root.filePath("outside");
        QVERIFY(QDir().mkpath(favorites + "/Exists") && QDir().mkpath(outside));
        writeFile(favorites + "/Old.url", "old");
        writeFile(outside + "/target", "outside");
        QVERIFY(QFile::link(outside, favorites + "/Link"));
        QVERIFY(QFile::link(outside + "/target", favorites + "/Trap.url"));
        const auto files = [&] {
            QStringList all;
            QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                all << QDir(root.path()).relativeFilePath(it.next());
            all.sort();
            return all;
        };
        QStringList expected = files();
        QString error;
        const QString path
            = InternetShortcut::writeShortcut(favorites, cAF, title, "http://x/\r\ny", group, &error);
        QCOMPARE(path, written.isEmpty() ? QString() : favorites + '/' + written);
        QCOMPARE(error.isEmpty(), !written.isEmpty());
        QCOMPARE(readFile(outside + "/target"), "outside");
        if (!written.isEmpty()) {
            QCOMPARE(readFile(path), "[InternetShortcut]\r\nURL=http://x/y\r\n");
            if (!expected.contains("Favorites/" + written))
                expected << "Favorites/" + written;
            expected.sort();
        }
        QCOMPARE(files(), expected);
    }

    void favoritesFolderIsInTheDataHome()
    {
        QCOMPARE(InternetShortcut::favoritesFolder(),
                 qEnvironmentVariable("XDG_DATA_HOME") + "/Tessaly/Favorites");
    }
};

QTEST_GUILESS_MAIN(TestEntryOpening)
#include "TestEntryOpening.moc"
