// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the manual pages tessaly.1 and tsy.1 from the programs' own --help
// texts, so that the pages say what the programs say. Run at build time:
//   manpages tessaly PROGRAM OUT VERSION
//   manpages tsy PROGRAM OUT VERSION
// tsy.1 has a section for each command that "tsy --help" lists, holding that
// command's "tsy COMMAND --help".
#include "HelpText.h"
#include "ManPage.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstdio>
#include <optional>

namespace {

// What program prints for arguments; nothing when it fails. The desktop's
// commands need no display for their help.
std::optional<QString> helpOf(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        std::fprintf(stderr, "manpages: %s %s failed\n", qPrintable(program),
                     qPrintable(arguments.join(u' ')));
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::optional<QString> tessalyPage(const QString &program, const QString &source)
{
    const auto help = helpOf(program, {QStringLiteral("--help")});
    if (!help)
        return std::nullopt;
    ManPage page(QStringLiteral("tessaly"), QStringLiteral("a bookmark manager in the notification area"),
                 source);
    page.addSynopsis(HelpText::usageLines(*help));
    page.addSection(QStringLiteral("DESCRIPTION"), HelpText::withoutUsage(*help));
    page.addParagraphs(
        QStringLiteral("FILES"),
        {QStringLiteral(
             "$XDG_DATA_HOME/Tessaly/Pemberly.tsy (~/.local/share/Tessaly/Pemberly.tsy): the bookmarks, "
             "with the backup Pemberly.bak beside it."),
         QStringLiteral(
             "$XDG_CONFIG_HOME/Tessaly/HKEY_CURRENT_USER.reg and HKEY_LOCAL_MACHINE.reg: the settings."),
         QStringLiteral("$XDG_DATA_HOME/Tessaly/Favorites: the internet shortcuts that Send writes.")});
    page.addParagraphs(QStringLiteral("SEE ALSO"), {QStringLiteral("tsy(1)")});
    return page.text();
}

std::optional<QString> tsyPage(const QString &program, const QString &source)
{
    const auto help = helpOf(program, {QStringLiteral("--help")});
    if (!help)
        return std::nullopt;
    const QStringList commands = HelpText::commandNames(*help);
    if (commands.isEmpty()) {
        std::fprintf(stderr, "manpages: %s --help lists no commands\n", qPrintable(program));
        return std::nullopt;
    }
    ManPage page(QStringLiteral("tsy"), QStringLiteral("the command-line companion of Tessaly"), source);
    page.addSynopsis(HelpText::usageLines(*help));
    page.addSection(QStringLiteral("DESCRIPTION"), HelpText::withoutUsage(*help));
    for (const QString &command : commands) {
        const auto commandHelp = helpOf(program, {command, QStringLiteral("--help")});
        if (!commandHelp)
            return std::nullopt;
        page.addSection(QStringLiteral("TSY ") + command.toUpper(), *commandHelp);
    }
    page.addParagraphs(QStringLiteral("SEE ALSO"), {QStringLiteral("tessaly(1)")});
    return page.text();
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() != 4
        || (arguments[0] != QLatin1String("tessaly") && arguments[0] != QLatin1String("tsy"))) {
        std::fprintf(stderr, "usage: manpages tessaly|tsy PROGRAM OUT VERSION\n");
        return 2;
    }
    const QString source = QStringLiteral("Tessaly ") + arguments[3];
    const auto text = arguments[0] == QLatin1String("tsy") ? tsyPage(arguments[1], source)
                                                           : tessalyPage(arguments[1], source);
    if (!text)
        return 1;
    QFile out(arguments[2]);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text->toUtf8()) < 0
        || !out.flush()) {
        std::fprintf(stderr, "manpages: cannot write %s\n", qPrintable(arguments[2]));
        return 1;
    }
    return 0;
}
