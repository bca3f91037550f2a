// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The manual pages made from --help texts: the usage and command lists taken
// apart, and every line kept literally in roff.

#include "HelpText.h"
#include "ManPage.h"

#include <QtTest>

class TestManPage : public QObject
{
    Q_OBJECT

private slots:
    void escaped_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("roff");
        QTest::newRow("plain text") << "Prints one row a line"
                                    << "Prints one row a line";
        QTest::newRow("a dot at the start is no request") << ".tsy files"
                                                          << "\\&.tsy files";
        QTest::newRow("an apostrophe at the start is no request") << "'x' names"
                                                                  << "\\&'x' names";
        QTest::newRow("a dot inside stays") << "FILE.tsy"
                                            << "FILE.tsy";
        QTest::newRow("backslash") << "SOFTWARE\\Orvane"
                                   << "SOFTWARE\\eOrvane";
        QTest::newRow("options keep their minus signs") << "--group N, -h"
                                                        << "\\-\\-group N, \\-h";
        QTest::newRow("characters outside ASCII by their code")
            << QString::fromUtf8("caf\xC3\xA9 \xE2\x80\x94 30\xC3\x97")
            << "caf\\[u00E9] \\[u2014] 30\\[u00D7]";
        QTest::newRow("control characters as blanks") << "a\tb\x01"
                                                      << "a b ";
    }

    void escaped()
    {
        QFETCH(QString, line);
        QFETCH(QString, roff);
        QCOMPARE(ManPage::escaped(line), roff);
    }

    void helpText_data()
    {
        QTest::addColumn<QString>("help");
        QTest::addColumn<QStringList>("usage");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("usage going on over indented lines, commands listed")
            << "Usage: tsy COMMAND [ARGUMENTS]\n       tsy --version\n\nThe companion.\n\nCommands:\n"
               "  dump              the store as JSON\n  import-html       merge a bookmark file\n\nExit "
               "status: 0\n"
            << QStringList {"tsy COMMAND [ARGUMENTS]", "tsy --version"}
            << "The companion.\n\nCommands:\n  dump              the store as JSON\n  import-html       "
               "merge a "
               "bookmark file\n\nExit status: 0\n"
            << QStringList {"dump", "import-html"};
        QTest::newRow("a usage of one line, an indented block after the blank line")
            << "Usage: tsy group list FILE.tsy\n\n  list    prints\n"
            << QStringList {"tsy group list FILE.tsy"} << "  list    prints\n"
            << QStringList {};
        QTest::newRow("no usage line") << "Starts.\n" << QStringList {} << "Starts.\n" << QStringList {};
    }

    void helpText()
    {
        QFETCH(QString, help);
        QFETCH(QStringList, usage);
        QFETCH(QString, rest);
        QFETCH(QStringList, commands);
        QCOMPARE(HelpText::usageLines(help), usage);
        QCOMPARE(HelpText::withoutUsage(help), rest);
        QCOMPARE(HelpText::commandNames(help), commands);
    }

    // Sections keep their lines as the terminal shows them; nothing of the
    // text can start a request.
    void page()
    {
        ManPage page("tsy", "the companion", "Tessaly 1.2.3");
        page.addSynopsis({"tsy COMMAND", "tsy --version"});
        page.addSection("TSY DUMP", "Usage: tsy dump FILE.tsy\n\n.tsy files\n  --x   \\n\n\n");
        page.addParagraphs("SEE ALSO", {"tessaly(1)", "tsy-desktop"});
        QCOMPARE(page.text(),
                 ".TH TSY 1 \"\" \"Tessaly 1.2.3\" \"User Commands\"\n.nh\n.ad l\n"
                 ".SH \"NAME\"\ntsy \\- the companion\n"
                 ".SH \"SYNOPSIS\"\n.nf\ntsy COMMAND\ntsy \\-\\-version\n.fi\n"
                 ".SH \"TSY DUMP\"\n.nf\nUsage: tsy dump FILE.tsy\n\n\\&.tsy files\n  \\-\\-x   \\en\n.fi\n"
                 ".SH \"SEE ALSO\"\ntessaly(1)\n.PP\ntsy\\-desktop\n");
    }
};

QTEST_GUILESS_MAIN(TestManPage)
#include "TestManPage.moc"
