// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times the import of a large Firefox profile: a places.sqlite with 50,000
// bookmarks in 200 folders and 500,000 visits, made with Firefox's schema.
// In process: the read of the database (its copy, the query, the layout);
// whole process: tsy import-firefox of the profile into a new stack file.

#include "BenchRun.h"
#include "FirefoxPlaces.h"
#include "ProfileFixtures.h"
#include "TopLevelBookmarks.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int bookmarkCount = 50000;
constexpr int visitCount = 500000;
constexpr int folderCount = 200;

// The rows made by SQL itself: a query per row would take longer than the
// import it prepares.
void makePlaces(const QString &file)
{
    using ProfileFixtures::Places;
    Places places(file);
    places.exec("BEGIN");
    places.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)"
                               " INSERT INTO moz_places (id, url, title, visit_count, last_visit_date, guid)"
                               " SELECT i, 'https://www.host' || (i % 3000) || '.example/docs/page-' || i,"
                               " 'Page ' || i || ' \u2014 guide', 10, 1700000000000000 + i * 1000000, 'p' || i"
                               " FROM n")
                    .arg(bookmarkCount));
    // Folders 7 .. 7 + folderCount - 1 below the menu, each with a subfolder.
    places.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1)"
                               " INSERT INTO moz_bookmarks (id, type, parent, position, title, dateAdded, guid)"
                               " SELECT 7 + i, 2, 2, i, 'Folder ' || i, 1600000000000000, 'f' || i FROM n")
                    .arg(folderCount - 1));
    places.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)"
                               " INSERT INTO moz_bookmarks (type, fk, parent, position, title, dateAdded, guid)"
                               " SELECT 1, i, 7 + i % %2, i / %2, 'Bookmark ' || i, 1600000000000000 + i, 'b' || i"
                               " FROM n")
                    .arg(bookmarkCount)
                    .arg(folderCount));
    places.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)"
                               " INSERT INTO moz_historyvisits (place_id, visit_date, visit_type)"
                               " SELECT 1 + i % %2, 1650000000000000 + i * 1000000, 1 FROM n")
                    .arg(visitCount)
                    .arg(bookmarkCount));
    places.exec("COMMIT");
}

}  // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = BenchRun::runAsMeasuringProcess(argc, argv))
        return *status;
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Imports a generated Firefox profile of 50,000 bookmarks and 500,000 visits: the read of its\n"
        "database in process, and the whole tsy import-firefox into a new stack file."));
    parser.addHelpOption();
    const QCommandLineOption repetitionsOption(QStringLiteral("repetitions"), QStringLiteral("Runs (default 5)."),
                                               QStringLiteral("R"), QStringLiteral("5"));
    const QCommandLineOption tsyOption(QStringLiteral("tsy"),
                                       QStringLiteral("The tsy to time (default: beside this program)."),
                                       QStringLiteral("PATH"));
    parser.addOptions({repetitionsOption, tsyOption});
    parser.process(app);
    const int repetitions = qMax(1, parser.value(repetitionsOption).toInt());
    const QString tsy = parser.isSet(tsyOption) ? parser.value(tsyOption)
                                                : QCoreApplication::applicationDirPath() + QStringLiteral("/tsy");

    QTemporaryDir folder;
    const QString profile = folder.filePath(QStringLiteral("profile"));
    QDir().mkpath(profile);
    const QString places = FirefoxPlaces::placesFileOf(profile);
    makePlaces(places);
    std::printf("places.sqlite: %d bookmarks in %d folders, %d visits, %.1f MB\n", bookmarkCount, folderCount,
                visitCount, double(QFileInfo(places).size()) / 1e6);

    double readMs = 1e300;
    qsizetype links = 0;
    for (int run = 0; run < repetitions; ++run) {
        QElapsedTimer timer;
        timer.start();
        TopLevelBookmarks bookmarks;
        QString error;
        if (!FirefoxPlaces::read(places, bookmarks, &error))
            qFatal("%s", qPrintable(error));
        readMs = qMin(readMs, double(timer.nsecsElapsed()) / 1e6);
        links = bookmarks.linkCount();
    }
    std::printf("read places.sqlite (copy, query, layout), best of %d: %.0f ms, %lld links\n", repetitions,
                readMs, qlonglong(links));

    const QString home = folder.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    const QStringList environment{QStringLiteral("HOME=") + home,
                                  QStringLiteral("XDG_CONFIG_HOME=") + home + QStringLiteral("/config"),
                                  QStringLiteral("XDG_DATA_HOME=") + home + QStringLiteral("/data")};
    BenchRun::Cost best;
    for (int run = 0; run < repetitions; ++run) {
        const QString target = folder.filePath(QStringLiteral("new-%1.tsy").arg(run));
        const std::optional<BenchRun::Cost> cost
            = BenchRun::runProgram({tsy, QStringLiteral("import-firefox"), target, profile}, environment);
        if (!cost)
            qFatal("tsy import-firefox failed");
        best.keepBest(*cost);
    }
    std::printf("tsy import-firefox into a new file, best of %d: %.0f ms wall, %.0f ms CPU, %.1f MiB peak\n",
                repetitions, best.wallMs, best.cpuMs, best.peakMiB);
    const bool met = best.wallMs <= 1000.0;
    std::printf("target: import <= 1 s: %s\n", met ? "met" : "missed");
    return 0;
}
