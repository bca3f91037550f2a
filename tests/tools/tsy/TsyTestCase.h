// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the end-to-end tests of tsy share: the built tool run in a temporary
// folder that holds a readable stack file "good.tsy", and the entries of
// that file.
#pragma once

#include "TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace TsyTest {

using TestEnvironment::entryLine;

struct Run
{
    int exitCode = -1;  // -1: did not finish, or crashed
    QByteArray out, err;
};

// A full entry line with its CR LF; fields: url, title, last visit, created, visited, category, rating.
inline QByteArray entry(const QByteArray &url, const QByteArray &title, const QByteArray &accessed,
                 const QByteArray &created, const QByteArray &visited = "0", const QByteArray &rated = "0",
                 const QByteArray &catagory = "0")
{
    return entryLine({url, title, accessed, created, visited, catagory, rated}) + "\r\n";
}

// An entry with fixed dates and counts, and its dump text.
inline QByteArray plain(const QByteArray &title)
{
    return entry("http://" + title + ".example/", title, "8E9312698", "8E930C350", "1", "2");
}

inline QByteArray plainJson(int id, const QByteArray &title, int owner)
{
    return "{\"id\":\"" + QByteArray::number(id).rightJustified(5, '0') + "\",\"name\":\"" + title
        + "\",\"url\":\"http://" + title + ".example/\",\"owner\":" + QByteArray::number(owner)
        + ",\"lastAccessed\":36499.75416,\"created\":36499.5,\"visited\":1,\"catagory\":0,\"rated\":2}";
}

// The dump of a file whose groups all have their index mask set.
inline QByteArray dumpJson(const QList<QByteArray> &groups, const QList<QByteArray> &entries)
{
    QByteArray json = "{\"groups\":[";
    for (qsizetype i = 0; i < groups.size(); ++i)
        json += QByteArray(i ? "," : "") + "{\"number\":" + QByteArray::number(i) + ",\"name\":\"" + groups[i]
            + "\",\"inIndexMask\":true}";
    return json + "],\"entries\":[" + entries.join(',') + "]}\n";
}

// The words of text; '' stands for an empty argument.
inline QStringList words(const QString &text)
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
inline const QByteArray l = entry("http://l.example/", "Loose end", "B13408235", "B12800000", "2", "2");
inline const QByteArray t = entry("http://a.example/zebra", "Today", "B13408235", "B12800000", "5", "4");
inline const QByteArray y = entry("http://b.example/", "Yesterday", "B13317659", "B10B00000", "3", "2", "7");
inline const QByteArray su = entry("http://c.example/", "Sunday", "B1310A2C3", "B10A00000", "1", "1");
inline const QByteArray sa = entry("http://d.example/", "Saturday", "B1300A2C3", "B0DB00000", "0", "0");
inline const QByteArray n = entry("http://e.example/", "Never seen 2", "0", "B1340927C", "0", "3");
inline const QByteArray f = entry("http://f.example/", "Five\tstars", "B13408235", "B13408235", "9", "5");
inline const QByteArray listFile = l + "+News\r\n" + t + y + "+Tech\n" + su + sa + n + f;
inline const QString list = QStringLiteral("list good.tsy --now 45364.5 ");

}  // namespace TsyTest

// A test case whose every test runs tsy in a fresh folder.
class TsyTestCase : public QObject
{
protected:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    // A fresh folder holding a readable stack file "good.tsy", in a
    // temporary home (a user's home exists: capture and open make their
    // runtime folder in it).
    void makeFolder()
    {
        TestEnvironment::isolate();
        QVERIFY(QDir().mkpath(QDir::homePath()));
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        TestEnvironment::writeFile(path("good.tsy"), TsyTest::listFile);
    }

    // Runs tsy in the test folder, so that file arguments can be relative names;
    // or through another program (with arguments before tsy's).
    TsyTest::Run tsy(const QStringList &arguments, const QString &program = QStringLiteral(TSY_PATH),
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
        const TsyTest::Run run = tsy(TsyTest::words(arguments));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out, out);
    }
};
