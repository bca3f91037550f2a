// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProgramOptions.h"
#include "ProgramPaths.h"
#include "TestEnvironment.h"

#include <QtTest>
#include <memory>

// Where the default stack file is (the command line, a file that cannot be
// one, a file left in the program's folder) and the program's own options.
class TestProgramPaths : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void stackBaseFromCommandLine_data();
    void stackBaseFromCommandLine();
    void stackFileProblems_data();
    void stackFileProblems();
    void defaultFileMovedFromProgramFolder_data();
    void defaultFileMovedFromProgramFolder();
    void programOptions_data();
    void programOptions();
private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestProgramPaths::stackBaseFromCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("stackBase");  // "DATA/" the stack folder, "CWD/" the current folder

    QTest::newRow("none: Pemberly in the data folder") << QStringList() << "DATA/Pemberly";
    QTest::newRow("a bare name") << QStringList {"work"} << "DATA/work";
    QTest::newRow("words joined by blanks") << QStringList {"my", "list"} << "DATA/my list";
    QTest::newRow("an absolute path") << QStringList {"/d/e/file.tsy"} << "/d/e/file.tsy";
    QTest::newRow("an absolute path without the extension") << QStringList {"/d/e/file"} << "/d/e/file";
    QTest::newRow("a relative path") << QStringList {"sub/file.tsy"} << "CWD/sub/file.tsy";
    QTest::newRow("a name ending in .tsy is a path") << QStringList {"file.tsy"} << "CWD/file.tsy";
    QTest::newRow("a name ending in .TSY is a path") << QStringList {"File.TSY"} << "CWD/File.TSY";
    QTest::newRow("words ending in .tsy") << QStringList {"my", "list.tsy"} << "CWD/my list.tsy";
    QTest::newRow("a folder: its Pemberly") << QStringList {"/d/e/"} << "/d/e/Pemberly";
}

void TestProgramPaths::stackBaseFromCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, stackBase);
    stackBase.replace("DATA/", "/data/Tessaly/").replace("CWD/", QDir::currentPath() + '/');
    QCOMPARE(ProgramPaths::stackBase("/data/Tessaly", arguments), stackBase);
}

void TestProgramPaths::stackFileProblems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem");  // a part of the text; empty: none

    QTest::newRow("a readable file") << "file.tsy" << "";
    QTest::newRow("a file not there yet") << "new.tsy" << "";
    QTest::newRow("a folder") << "folder.tsy" << "is a folder";
    QTest::newRow("in a folder that does not exist") << "missing/file.tsy" << "no such folder";
}

void TestProgramPaths::stackFileProblems()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);
    TestEnvironment::writeFile(m_dir->filePath("file.tsy"), "+G\r\n");
    QDir(m_dir->path()).mkdir("folder.tsy");
    const QString found = ProgramPaths::stackFileProblem(m_dir->filePath(name));
    QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.contains(problem), qPrintable(found));
}

// The default file that earlier versions kept beside the program moves to
// the data folder once, with its backup; one already there is never replaced.
void TestProgramPaths::defaultFileMovedFromProgramFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("inProgramFolder");
    QTest::addColumn<QStringList>("inDataFolder");
    QTest::addColumn<QStringList>("dataFolderAfter");
    QTest::addColumn<QString>("noted");  // a part of the note; empty: none

    QTest::newRow("file and backup moved") << "Pemberly" << QStringList {"Pemberly.tsy", "Pemberly.bak"} << QStringList()
                                           << QStringList {"Pemberly.bak", "Pemberly.tsy"} << "were moved";
    QTest::newRow("file alone moved") << "Pemberly" << QStringList {"Pemberly.tsy"} << QStringList()
                                      << QStringList {"Pemberly.tsy"} << "were moved";
    QTest::newRow("data folder has one: nothing moved") << "Pemberly" << QStringList {"Pemberly.tsy", "Pemberly.bak"}
                                                        << QStringList {"Pemberly.tsy"}
                                                        << QStringList {"Pemberly.tsy"} << "was left where it is";
    QTest::newRow("a backup alone stays") << "Pemberly" << QStringList {"Pemberly.bak"} << QStringList() << QStringList() << "";
    QTest::newRow("nothing there") << "Pemberly" << QStringList() << QStringList() << QStringList() << "";
    QTest::newRow("other stack files stay") << "Pemberly" << QStringList {"work.tsy", "work.bak"} << QStringList() << QStringList()
                                            << "";
    QTest::newRow("the file the command line names") << "work" << QStringList {"work.tsy", "work.bak", "Pemberly.tsy"}
                                                     << QStringList() << QStringList {"work.bak", "work.tsy"} << "were moved";
}

void TestProgramPaths::defaultFileMovedFromProgramFolder()
{
    QFETCH(QString, name);
    QFETCH(QStringList, inProgramFolder);
    QFETCH(QStringList, inDataFolder);
    QFETCH(QStringList, dataFolderAfter);
    QFETCH(QString, noted);
    QDir(m_dir->path()).mkpath("bin");
    QDir(m_dir->path()).mkpath("data");
    const QString program = m_dir->filePath("bin");
    const QString data = m_dir->filePath("data");
    for (const QString &name : inProgramFolder)
        TestEnvironment::writeFile(program + '/' + name, "+old " + name.toUtf8() + "\r\n");
    for (const QString &name : inDataFolder)
        TestEnvironment::writeFile(data + '/' + name, "+kept\r\n");

    const QString note = ProgramPaths::moveStackFilesFrom(program, data, name);

    QVERIFY2(noted.isEmpty() ? note.isEmpty() : note.contains(noted), qPrintable(note));
    QCOMPARE(QDir(data).entryList(QDir::Files), dataFolderAfter);
    for (const QString &name : dataFolderAfter) {
        const QByteArray expected = inDataFolder.contains(name) ? QByteArray("+kept\r\n") : QByteArray("+old " + name.toUtf8() + "\r\n");
        QCOMPARE(TestEnvironment::readFile(data + '/' + name), expected);
        QCOMPARE(QFileInfo::exists(program + '/' + name), inDataFolder.contains(name));
    }
    // Once moved, the next start finds nothing more to move; one left behind is named again.
    QCOMPARE(ProgramPaths::moveStackFilesFrom(program, data, name).isEmpty(), noted != "was left where it is");
}

void TestProgramPaths::programOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("printed");  // the start of the text; empty: the program starts
    QTest::addColumn<int>("exitStatus");

    QTest::newRow("no arguments: started") << QStringList() << "" << 0;
    QTest::newRow("a name: started") << QStringList {"work"} << "" << 0;
    QTest::newRow("--help") << QStringList {"--help"} << "Usage: tessaly" << 0;
    QTest::newRow("-h") << QStringList {"-h"} << "Usage: tessaly" << 0;
    QTest::newRow("--version") << QStringList {"--version"} << "tessaly 1.2.3\n" << 0;
    QTest::newRow("--help after a name") << QStringList {"work", "--help"} << "Usage: tessaly" << 0;
    QTest::newRow("an unknown option") << QStringList {"--halp"} << "tessaly: unknown option --halp" << 2;
    QTest::newRow("--check-install") << QStringList {"--check-install"} << "(install check)" << 0;
    QTest::newRow("--check-install with a name: unknown")
        << QStringList {"work", "--check-install"} << "tessaly: unknown option --check-install" << 2;
}

// --help and --version answer without starting; no option becomes a file's name.
void TestProgramPaths::programOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, printed);
    QFETCH(int, exitStatus);
    // In the program's order.
    auto answer = ProgramOptions::informationAnswer(arguments, "1.2.3");
    if (!answer && ProgramOptions::asksInstallCheck(arguments))
        answer = ProgramOptions::Answer {"(install check)"};
    if (!answer)
        answer = ProgramOptions::unknownOptionAnswer(arguments);
    QCOMPARE(answer.has_value(), !printed.isEmpty());
    if (answer) {
        QVERIFY2(answer->text.startsWith(printed), qPrintable(answer->text));
        QCOMPARE(answer->exitStatus, exitStatus);
        QCOMPARE(answer->toStandardError, exitStatus != 0);
    }
}

QTEST_GUILESS_MAIN(TestProgramPaths)
#include "TestProgramPaths.moc"
