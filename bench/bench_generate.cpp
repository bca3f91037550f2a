// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_generate: writes a synthetic stack file for the benchmarks.

#include "DayCount.h"
#include "StackFileGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bench_generate"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a stack file of N entries (default 100000) in 200 groups, with realistic titles,\n"
        "addresses and dates within the three years before the reference day. The same seed\n"
        "and reference day always give the same file."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("OUT.tsy"), QStringLiteral("The file to write."));
    parser.addPositionalArgument(QStringLiteral("N"), QStringLiteral("Number of entries (default 100000)."),
                                 QStringLiteral("[N]"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Random seed (default 1)."),
                                        QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption groupsOption(QStringLiteral("groups"),
                                          QStringLiteral("Number of groups (default 200)."),
                                          QStringLiteral("G"), QStringLiteral("200"));
    const QCommandLineOption todayOption(QStringLiteral("today"),
                                         QStringLiteral("Reference day, YYYY-MM-DD (default: today)."),
                                         QStringLiteral("DATE"));
    parser.addOption(seedOption);
    parser.addOption(groupsOption);
    parser.addOption(todayOption);
    parser.process(app);

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() || positional.size() > 2) {
        err << "bench_generate: expected OUT.tsy [N]\n\n" << parser.helpText();
        return 2;
    }

    StackFileGenerator::Settings settings;
    bool ok = true;
    if (positional.size() == 2) {
        settings.entryCount = positional.at(1).toLongLong(&ok);
        if (!ok || settings.entryCount < 0) {
            err << "bench_generate: N must be a number of entries\n";
            return 2;
        }
    }
    settings.seed = parser.value(seedOption).toUInt(&ok);
    if (!ok) {
        err << "bench_generate: --seed must be an unsigned 32-bit number\n";
        return 2;
    }
    settings.groupCount = parser.value(groupsOption).toInt(&ok);
    if (!ok || settings.groupCount < 1) {
        err << "bench_generate: --groups must be at least 1\n";
        return 2;
    }
    if (parser.isSet(todayOption)) {
        const QDate today = QDate::fromString(parser.value(todayOption), Qt::ISODate);
        if (!today.isValid()) {
            err << "bench_generate: --today must be a date YYYY-MM-DD\n";
            return 2;
        }
        settings.referenceDay = DayCount::fromDate(today);
    }

    StackFileGenerator generator(settings);
    QString error;
    if (!generator.writeFile(positional.at(0), &error)) {
        err << "bench_generate: " << error << '\n';
        return 1;
    }
    out << "wrote " << settings.entryCount << " entries in " << settings.groupCount << " groups to "
        << positional.at(0) << " (seed " << settings.seed << ", reference day "
        << DayCount::toDate(generator.referenceDay()).toString(Qt::ISODate) << ")\n";
    return 0;
}
