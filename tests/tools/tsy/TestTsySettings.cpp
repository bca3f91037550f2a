// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// End-to-end tests of "tsy reg" and "tsy settings" on a private configuration folder.

#include "TestEnvironment.h"

#include <QJsonDocument>
#include <QJsonArray>
#include <QJsonObject>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <cerrno>
#include <cstring>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

} // namespace

class TestTsySettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void regSetThenQuery_data();
    void regSetThenQuery();
    void regKeepsValuesItDoesNotWrite_data();
    void regKeepsValuesItDoesNotWrite();
    void usageErrors_data();
    void usageErrors();
    void negativeNumbersAreValues_data();
    void negativeNumbersAreValues();
    void settingsRead_data();
    void settingsRead();
    void settingsSetWritesOnlyWhatIsGiven_data();
    void settingsSetWritesOnlyWhatIsGiven();
    void unreadableHiveIsReported();
    void lockedHiveIsReported();
    void unwritableDiskIsNamed_data();
    void unwritableDiskIsNamed();

private:
    Run tsy(const QStringList &arguments) const;
    Run tsyOnDiskOfItsOwn(const QString &prepare, const QStringList &arguments) const;
    QJsonObject settings(const QStringList &extra = {}) const;
    QString hiveFile() const { return m_config->path() + "/Tessaly/HKEY_CURRENT_USER.reg"; }

    std::unique_ptr<QTemporaryDir> m_config;
};

void TestTsySettings::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    QVERIFY(m_config->isValid());
}

Run TestTsySettings::tsy(const QStringList &arguments) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", m_config->path());
    process.setProcessEnvironment(environment);
    process.start(TSY_PATH, arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// Runs tsy where the configuration folder is a small file system of its own,
// mounted in a namespace of its own, which prepare (shell commands) fills or
// makes read-only. Exit status 99: no such file system can be had here.
Run TestTsySettings::tsyOnDiskOfItsOwn(const QString &prepare, const QStringList &arguments) const
{
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty())
        return {99, {}, {}};
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", m_config->path());
    process.setProcessEnvironment(environment);
    const QString script = "mount -t tmpfs -o size=64k tessaly-disk \"$XDG_CONFIG_HOME\" || exit 99; " + prepare
        + "; exec \"$0\" \"$@\"";
    process.start(unshare, QStringList {"-rm", "sh", "-c", script, TSY_PATH} + arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    if (run.exitCode == 1 && run.err.startsWith("unshare:"))
        run.exitCode = 99;
    return run;
}

QJsonObject TestTsySettings::settings(const QStringList &extra) const
{
    const Run run = tsy(QStringList {"settings"} + extra);
    if (run.exitCode != 0)
        qWarning() << run.err;
    return QJsonDocument::fromJson(run.out).object();
}

void TestTsySettings::regSetThenQuery_data()
{
    QTest::addColumn<QStringList>("set");
    QTest::addColumn<QString>("queryKey");
    QTest::addColumn<QString>("queryName");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("string") << QStringList {"SOFTWARE\\Orvane\\Tessaly", "CF", "0 0 2 "} << "SOFTWARE\\Orvane\\Tessaly"
                            << "CF" << QByteArray("0 0 2 \n");
    QTest::newRow("keys and names ignore case")
        << QStringList {"Software\\A\\B", "Name", "v"} << "SOFTWARE\\a\\b\\" << "NAME" << QByteArray("v\n");
    QTest::newRow("dword as decimal") << QStringList {"K", "n", "0x10", "--dword"} << "K" << "n" << QByteArray("16\n");
    QTest::newRow("dword zero is not empty") << QStringList {"K", "n", "0", "--dword"} << "K" << "n" << QByteArray("0\n");
    QTest::newRow("default value, quotes and backslashes")
        << QStringList {"K", "", "C:\\x \"y\""} << "K" << "" << QByteArray("C:\\x \"y\"\n");
    // Not found: exit status 1 and one line on stderr (expected holds it).
    QTest::newRow("missing value") << QStringList {"K", "a", "1"} << "K" << "b"
                                   << QByteArray("tsy reg: HKEY_CURRENT_USER\\K, value \"b\": not found\n");
    QTest::newRow("missing default value") << QStringList {"K", "a", "1"} << "K" << ""
                                           << QByteArray("tsy reg: HKEY_CURRENT_USER\\K, default value: not found\n");
    QTest::newRow("missing key") << QStringList {"K", "a", "1"} << "L" << "a"
                                 << QByteArray("tsy reg: HKEY_CURRENT_USER\\L: not found\n");
    QTest::newRow("empty string is found") << QStringList {"K", "a", ""} << "K" << "a" << QByteArray("\n");
    QTest::newRow("negative dword") << QStringList {"K", "n", "-5", "--dword"} << "K" << "n" << QByteArray("-5\n");
    QTest::newRow("option first, negative hex dword")
        << QStringList {"--dword", "K", "n", "-0x10"} << "K" << "n" << QByteArray("-16\n");
    QTest::newRow("negative number as text") << QStringList {"K", "s", "-1.5"} << "K" << "s" << QByteArray("-1.5\n");
}

void TestTsySettings::regKeepsValuesItDoesNotWrite_data()
{
    QTest::addColumn<QByteArray>("lines");  // under [HKEY_CURRENT_USER\K]
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("queried");
    QTest::addColumn<QByteArray>("kept");   // in the file after another value is set

    QTest::newRow("hex(4) reads as its number") << QByteArray("\"n\"=hex(4):e8,03,00,00\n") << "n" << QByteArray("1000\n")
                                                << QByteArray("\"n\"=hex(4):e8,03,00,00\n");
    QTest::newRow("hex(1) reads as its text") << QByteArray("\"t\"=hex(1):54,00,73,00,79,00,00,00\n") << "t"
                                              << QByteArray("Tsy\n") << QByteArray("\"t\"=hex(1):54,00,73,00,79,00,00,00\n");
    QTest::newRow("blank after a continuation backslash")
        << QByteArray("\"Bin\"=hex:01,02,\\ \n  03\n\"CF\"=\"0 1 \"\n") << "CF" << QByteArray("0 1 \n")
        << QByteArray("\"Bin\"=hex:01,02,03\n\"CF\"=\"0 1 \"\n");
    // A file cut off after a string and backslashes: the string would read "a\" without them.
    QTest::newRow("backslashes ending a cut-off file") << QByteArray("\"CF\"=\"0 1 \"\n\"P\"=\"a\\\\\"\\\\") << "P"
                                                       << QByteArray() << QByteArray("\"P\"=\"a\\\\\"\\\\\n");
}

// Values in forms tsy does not write survive its writes as they were.
void TestTsySettings::regKeepsValuesItDoesNotWrite()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, name);
    QFETCH(QByteArray, queried);
    QFETCH(QByteArray, kept);

    QVERIFY(QDir().mkpath(m_config->path() + "/Tessaly"));
    TestEnvironment::writeFile(hiveFile(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n" + lines);
    const Run query = tsy({"reg", "query", "K", name});
    QCOMPARE(query.out, queried);
    // A value of a type tsy does not read is named as such.
    QCOMPARE(query.err, queried.isEmpty() ? "tsy reg: HKEY_CURRENT_USER\\K, value \"" + name.toUtf8()
                                                + "\": neither a string nor a number\n"
                                          : QByteArray());
    QCOMPARE(tsy({"reg", "set", "K", "other", "v"}).exitCode, 0);
    QVERIFY2(TestEnvironment::readFile(hiveFile()).contains(kept), TestEnvironment::readFile(hiveFile()).constData());
    QCOMPARE(tsy({"reg", "query", "K", name}).out, queried);
}

void TestTsySettings::regSetThenQuery()
{
    QFETCH(QStringList, set);
    QFETCH(QString, queryKey);
    QFETCH(QString, queryName);
    QFETCH(QByteArray, expected);

    const Run written = tsy(QStringList {"reg", "set"} + set);
    QCOMPARE(written.exitCode, 0);
    QVERIFY(TestEnvironment::readFile(hiveFile()).startsWith("REGEDIT4\n"));
    const Run read = tsy({"reg", "query", queryKey, queryName});
    const bool found = !expected.startsWith("tsy reg: ");
    QCOMPARE(read.exitCode, found ? 0 : 1);
    QCOMPARE(found ? read.out : read.err, expected);
    QCOMPARE(found ? read.err : read.out, QByteArray());
}

void TestTsySettings::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    const auto reg = [](const char *name, const QStringList &arguments) { QTest::newRow(name) << QStringList {"reg"} + arguments; };
    const auto set = [](const char *name, const char *change) {
        QTest::newRow(name) << QStringList {"settings", "--set", change};
    };
    QTest::newRow("reg: no action") << QStringList {"reg"};
    reg("reg: unknown action", {"delete", "K", "n"});
    reg("reg: query without name", {"query", "K"});
    reg("reg: set without value", {"set", "K", "n"});
    reg("reg: dword that is not a number", {"set", "K", "n", "x", "--dword"});
    reg("reg: dword past 32 bits", {"set", "K", "n", "4294967296", "--dword"});
    set("settings: unknown name", "nothing=1");
    set("settings: no equals sign", "aLU");
    set("settings: flag that is not a flag", "aLU=maybe");
    set("settings: browser out of range", "pB=3");
    set("settings: number that is text", "mainTop=high");
    set("settings: too many widths", "columnWidths=1,2,3,4,5,6,7,8,9,10");
    set("settings: negative width", "columnWidths=-5");
}

// A usage error prints the command's usage and writes nothing.
void TestTsySettings::usageErrors()
{
    QFETCH(QStringList, arguments);
    const Run run = tsy(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QByteArray("Usage: tsy " + arguments.first().toUtf8())), run.err.constData());
    QVERIFY(!QFileInfo::exists(hiveFile()));
}

// A negative number is read as a value, never as an option (which would be
// an unknown option): here it is refused as a day count.
void TestTsySettings::negativeNumbersAreValues_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("error");  // what stderr starts with
    QTest::newRow("date-text before 1900") << QStringList {"date-text", "-1.5"}
                                           << QByteArray("tsy date-text: '-1.5' is not a day count");
    QTest::newRow("date-text, whole days") << QStringList {"date-text", "-700"}
                                           << QByteArray("tsy date-text: '-700' is not a day count");
}

void TestTsySettings::negativeNumbersAreValues()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, error);
    const Run run = tsy(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(error), run.err.constData());
}

void TestTsySettings::settingsRead_data()
{
    QTest::addColumn<QString>("id");  // stored when not empty
    QTest::addColumn<QString>("cf");
    QTest::addColumn<QStringList>("expected");  // "name=value", or "name~" for a default shown as not stored
    // The first start wants the tray icon, and all four auto options.
    QTest::newRow("nothing stored") << QString() << QString()
                                    << QStringList {"dTI=false", "iAOT=true", "aLU=true", "advMode=1"};
    QTest::newRow("stored values")
        << "7 100 200 0 0 1 True False" << "197 0 2 x 2 0"
        << QStringList {"mT=0",  // 7 is out of range
                        "trayTop=100", "aI=true", "iAOT=false", "dTI=true",
                        "uSK=true", "bFW=true", "aLU=false", "aSU=false", "aLS=true",  // 197 = 128 + 64 + 4 + 1
                        "pB=2", "tP~",  // text
                        "advMode=0", "mainWidth~", "columnWidths~"};  // CF ends after field 5
}

void TestTsySettings::settingsRead()
{
    QFETCH(QString, id);
    QFETCH(QString, cf);
    QFETCH(QStringList, expected);
    for (const auto &[name, text] : {std::pair {"ID", id}, std::pair {"CF", cf}}) {
        if (!text.isEmpty())
            QCOMPARE(tsy({"reg", "set", "SOFTWARE\\Orvane\\Tessaly", name, text}).exitCode, 0);
    }
    const QJsonObject all = settings();
    QCOMPARE(all.size(), 28);
    for (const QString &check : expected) {
        const QString name = check.section(QRegularExpression("[=~]"), 0, 0);
        const QJsonObject setting = all[name].toObject();
        if (check.endsWith('~'))
            QVERIFY2(!setting["stored"].toBool(), qPrintable(name));
        else
            QCOMPARE(name + '=' + setting["value"].toVariant().toString(), check);
    }
    if (id.isEmpty()) {
        for (const QString &name : all.keys())
            QVERIFY2(!all[name].toObject()["stored"].toBool(), qPrintable(name));
        QVERIFY(!QFileInfo::exists(hiveFile()));  // reading writes nothing
    }
}

void TestTsySettings::settingsSetWritesOnlyWhatIsGiven_data()
{
    QTest::addColumn<QStringList>("before");  // "NAME=text" stored first
    QTest::addColumn<QStringList>("set");
    QTest::addColumn<QStringList>("after");   // "NAME=text" as stored then, "NAME~" for nothing stored
    QTest::addColumn<QStringList>("values");  // "setting=value" as printed
    QTest::addColumn<QStringList>("unstored");  // settings printed as not stored
    // A user with no settings: nothing else is written, so the window still
    // fits its columns and places itself.
    QTest::newRow("a flag alone") << QStringList() << QStringList {"aLU=False"}
                                  << QStringList {"CF=72 ", "CH~", "ID~"} << QStringList {"aLU=false", "aLS=true"}
                                  << QStringList {"columnWidths", "mainWidth", "pB", "mT", "dTI"};
    QTest::newRow("several, in their fields only")
        << QStringList() << QStringList {"aLU=False", "pB=2", "cAF=1", "columnWidths=100,200", "dTI=True"}
        << QStringList {"CF=72  2          1 ", "CH=100 200 ", "ID=      True"}
        << QStringList {"aLU=false", "pB=2", "cAF=1", "dTI=true", "iAOT=true", "advMode=1"}
        << QStringList {"mainTop", "tP", "mT", "trayTop"};
    QTest::newRow("stored fields keep their text")
        << QStringList {"CF=197 0 2 x 2 0", "CH=1500 0 900 ", "ID=1 100 200 0 0 1 True False"}
        << QStringList {"pB=1", "columnWidths=0,300", "mT=2"}
        << QStringList {"CF=197 0 1 x 2 0 ", "CH=0 300 900 ", "ID=2 100 200 0 0 1 True False"}
        << QStringList {"pB=1", "mT=2", "aLU=false", "trayTop=100", "advMode=0"} << QStringList {"tP", "mainWidth"};
    QTest::newRow("a flag joins the stored flag word")
        << QStringList {"CF=197 0 2 "} << QStringList {"mAOT=1"} << QStringList {"CF=199 0 2 ", "CH~", "ID~"}
        << QStringList {"mAOT=true", "uSK=true", "bFW=true", "aSU=false"} << QStringList {"columnWidths"};
}

void TestTsySettings::settingsSetWritesOnlyWhatIsGiven()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, set);
    QFETCH(QStringList, after);
    QFETCH(QStringList, values);
    QFETCH(QStringList, unstored);
    const QString key = "SOFTWARE\\Orvane\\Tessaly";
    for (const QString &value : before)
        QCOMPARE(tsy({"reg", "set", key, value.section('=', 0, 0), value.section('=', 1)}).exitCode, 0);
    QStringList arguments;
    for (const QString &change : set)
        arguments << "--set" << change;
    const QJsonObject all = settings(arguments);
    QCOMPARE(all.size(), 28);
    for (const QString &check : after) {
        const QString name = check.section(QRegularExpression("[=~]"), 0, 0);
        const QByteArray stored = check.endsWith('~') ? QByteArray() : check.section('=', 1).toUtf8() + '\n';
        QCOMPARE(tsy({"reg", "query", key, name}).out, stored);
    }
    for (const QString &check : values)
        QCOMPARE(check.section('=', 0, 0) + '=' + all[check.section('=', 0, 0)].toObject()["value"].toVariant().toString(),
                 check);
    for (const QString &name : unstored)
        QVERIFY2(!all[name].toObject()["stored"].toBool(), qPrintable(name));
    for (const QString &change : set)
        QVERIFY2(all[change.section('=', 0, 0)].toObject()["stored"].toBool(), qPrintable(change));
}

void TestTsySettings::unreadableHiveIsReported()
{
    QVERIFY(QDir().mkpath(hiveFile()));  // a folder where the file belongs
    for (const QStringList &arguments : {QStringList {"settings"}, QStringList {"reg", "query", "K", "n"},
                                         QStringList {"reg", "set", "K", "n", "v"},
                                         QStringList {"settings", "--set", "pB=1"}}) {
        const Run run = tsy(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("HKEY_CURRENT_USER.reg"), run.err.constData());
        QCOMPARE(run.err.count('\n'), 1);
    }
    QVERIFY(QFileInfo(hiveFile()).isDir());
}

// A writer that cannot get the hive's lock says so; readers do not wait.
void TestTsySettings::lockedHiveIsReported()
{
    QCOMPARE(tsy({"reg", "set", "K", "n", "1"}).exitCode, 0);
    QLockFile holder(hiveFile() + ".lock");
    QVERIFY(holder.tryLock(0));
    for (const QStringList &arguments : {QStringList {"reg", "set", "K", "n", "2"}, QStringList {"settings", "--set", "pB=1"}}) {
        const Run run = tsy(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("HKEY_CURRENT_USER.reg: is locked by another process\n"), run.err.constData());
    }
    QCOMPARE(tsy({"reg", "query", "K", "n"}).out, QByteArray("1\n"));
}

void TestTsySettings::unwritableDiskIsNamed_data()
{
    QTest::addColumn<QString>("prepare");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");  // {hive}: the hive file's path
    const QString hive = "mkdir \"$XDG_CONFIG_HOME/Tessaly\"; printf 'REGEDIT4\\n' > \"$XDG_CONFIG_HOME/Tessaly/HKEY_CURRENT_USER.reg\"";
    const QString full = hive + "; cat /dev/zero > \"$XDG_CONFIG_HOME/fill\" 2>/dev/null";
    const QString readOnly = "mount -o remount,ro \"$XDG_CONFIG_HOME\"";
    const QString locked = "{hive}: could not be locked ({hive}.lock): ";
    QTest::newRow("reg set on a full disk") << full << QStringList {"reg", "set", "K", "n", "2"}
                                            << "tsy reg: " + locked + std::strerror(ENOSPC);
    QTest::newRow("settings --set on a full disk") << full << QStringList {"settings", "--set", "pB=1"}
                                                   << "tsy settings: " + locked + std::strerror(ENOSPC);
    QTest::newRow("reg set on a read-only disk") << hive + "; " + readOnly << QStringList {"reg", "set", "K", "n", "2"}
                                                 << "tsy reg: " + locked + std::strerror(EROFS);
    QTest::newRow("settings --set on a read-only disk without the folder")
        << readOnly << QStringList {"settings", "--set", "pB=1"}
        << QString("tsy settings: {folder}: could not be created: ") + std::strerror(EROFS);
}

// A write that cannot take the hive's lock because of the disk says why, as
// the system says it; nothing is written.
void TestTsySettings::unwritableDiskIsNamed()
{
    QFETCH(QString, prepare);
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const Run run = tsyOnDiskOfItsOwn(prepare, arguments);
    if (run.exitCode == 99)
        QSKIP("no small file system can be mounted here");
    const QString folder = m_config->path() + "/Tessaly";
    QCOMPARE(QString::fromUtf8(run.err), error.replace("{hive}", hiveFile()).replace("{folder}", folder) + '\n');
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray());
}

QTEST_GUILESS_MAIN(TestTsySettings)
#include "TestTsySettings.moc"
