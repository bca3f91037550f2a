// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrashSaves.h"
#include "DayCount.h"
#include "StackFile.h"
#include "TestEnvironment.h"

#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <grp.h>
#include <memory>
#include <optional>
#include <pwd.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

// Who saves: the program's default stack file with its backup (through
// crash_saver), a tsy edit of a stack file, the settings hive (crash_saver).
enum class Target { StackFile, TsyEdit, Hive };
// How a save is kept from writing.
enum class Failure { FullDisk, ReadOnlyFolder, ReadOnlyFolderWithLock };

// About 1.2 MB of stack file, 150 kB of hive.
constexpr int storeEntries = 10000;
constexpr int hiveValues = 2500;

// The file size a child on a "full disk" may write.
constexpr rlim_t fullDiskBytes = 16 * 1024;

// The kill delays come from this seed; TESSALY_CRASH_SEED replays another.
constexpr quint32 defaultSeed = 20261208;

// How long a child may take before it counts as hung (no test of speed).
constexpr int childWaitMs = 60000;

// Whether the child has ended by itself (or ends now).
bool ended(QProcess &child)
{
    return child.state() == QProcess::NotRunning || child.waitForFinished(childWaitMs);
}

// Where the bytes differ, for a failure message.
QString difference(const QString &name, const QByteArray &held, const QByteArray &wanted)
{
    qsizetype at = 0;
    while (at < held.size() && at < wanted.size() && held[at] == wanted[at])
        ++at;
    return QStringLiteral("%1 holds %2 bytes, %3 expected; they differ from byte %4")
        .arg(name)
        .arg(held.size())
        .arg(wanted.size())
        .arg(at);
}

// Whole files of a folder by name (the lock files by name only: they name their holder).
QMap<QByteArray, QByteArray> folderContents(const QString &folder)
{
    QMap<QByteArray, QByteArray> contents;
    for (const QByteArray &name : TestEnvironment::namesAt(QFile::encodeName(folder)))
        contents[name]
            = name.endsWith(".lock") ? QByteArray() : TestEnvironment::readFile(folder + '/' + name);
    return contents;
}

// Runs a child process as the user nobody, so that a read-only folder stops
// it where it would not stop root.
struct OtherUser
{
    uid_t uid = 0;
    gid_t gid = 0;

    static std::optional<OtherUser> nobody()
    {
        const passwd *entry = ::getpwnam("nobody");
        if (!entry || entry->pw_uid == 0)
            return std::nullopt;
        return OtherUser {entry->pw_uid, entry->pw_gid};
    }
};

// The exit status of a child that could not become another user.
constexpr int cannotSwitchUser = 77;

void changeOwnerOfTree(const QString &folder, const OtherUser &user)
{
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    QByteArray name = QFile::encodeName(folder);
    for (;;) {
        if (::lchown(name.constData(), user.uid, user.gid) != 0)
            qFatal("cannot change the owner of %s: %s", name.constData(), std::strerror(errno));
        if (!it.hasNext())
            break;
        name = QFile::encodeName(it.next());
    }
}

}  // namespace

Q_DECLARE_METATYPE(Target)
Q_DECLARE_METATYPE(Failure)

// Saves killed with SIGKILL at random moments leave each file whole, as it
// was before or after the save, and the next save leaves no temporary file;
// saves on a full disk or into a read-only folder change nothing and say so.
class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void killedSavesLeaveWholeFiles_data();
    void killedSavesLeaveWholeFiles();
    void failedSavesChangeNothing_data();
    void failedSavesChangeNothing();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString folder() const;
    QString file() const;
    QString backup() const;  // empty: none is kept
    void prepare(Target target);
    QByteArray expected(quint64 counter);

    void startSave(QProcess &saver, quint64 counter, const QString &mode);
    bool finishWholeSave(QProcess &saver, quint64 counter);
    quint64 lastReported(QProcess &saver, quint64 whole);
    void checkWholeSave(quint64 counter);
    void checkKilledSave(quint64 lastSaved, quint64 *held, bool *halfWritten);

    std::unique_ptr<QTemporaryDir> m_dir;
    quint32 m_seed = defaultSeed;
    Target m_target = Target::StackFile;
    URLBlock m_store;                                           // stack file content, counter aside
    RegistryHive m_hive {QStringLiteral("HKEY_CURRENT_USER")};  // hive content, counter aside
    QHash<quint64, QByteArray> m_expected;
};

void TestCrashSafety::initTestCase()
{
    bool given = false;
    const quint32 seed = qEnvironmentVariable("TESSALY_CRASH_SEED").toUInt(&given);
    if (given)
        m_seed = seed;
    qInfo("kill delays from seed %u (TESSALY_CRASH_SEED=%u replays them)", m_seed, m_seed);
}

void TestCrashSafety::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_expected.clear();
    // The children's own home and folders, in the test's folder.
    for (const char *sub : {"store", "config/Tessaly", "home", "runtime"})
        QVERIFY(QDir().mkpath(path(sub)));
    QVERIFY(QFile::setPermissions(path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("HOME", QFile::encodeName(path("home")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(path("home/data")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(path("home/cache")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path("runtime")));
}

QString TestCrashSafety::folder() const
{
    return path(m_target == Target::Hive ? "config/Tessaly" : "store");
}

QString TestCrashSafety::file() const
{
    return folder() + (m_target == Target::Hive ? "/HKEY_CURRENT_USER.reg" : "/work.tsy");
}

QString TestCrashSafety::backup() const
{
    return m_target == Target::Hive ? QString() : folder() + "/work.bak";
}

// The file with counter 0, and no backup yet.
void TestCrashSafety::prepare(Target target)
{
    m_target = target;
    if (target == Target::Hive) {
        m_hive = RegistryHive(QStringLiteral("HKEY_CURRENT_USER"));
        for (int i = 0; i < hiveValues; ++i) {
            RegistryHive::Value value;
            value.name = QStringLiteral("Value %1").arg(i);
            value.text = QStringLiteral("a setting of the crash test, number %1").arg(i);
            const QString key = QStringLiteral("Software\\Tessaly\\Group %1").arg(i / 100);
            m_hive.createKey(key);
            QVERIFY(m_hive.setValue(key, value));
        }
    } else {
        TestEnvironment::writeFile(file(), TestEnvironment::largeStackFile(storeEntries));
        m_store.clear();
        QVERIFY(StackFile::loadStackFile(m_store, file(), false, DayCount::now()));
    }
    TestEnvironment::writeFile(file(), expected(0));
}

// What the file holds after the save with that counter.
QByteArray TestCrashSafety::expected(quint64 counter)
{
    const auto known = m_expected.constFind(counter);
    if (known != m_expected.constEnd())
        return *known;
    if (m_expected.size() > 8)
        m_expected.clear();
    QByteArray text;
    if (m_target == Target::Hive) {
        RegistryHive hive = m_hive;
        CrashSaves::setCounter(hive, counter);
        text = hive.toText();
    } else {
        CrashSaves::setCounter(m_store, counter);
        text = StackFile::stackFileText(m_store);
    }
    m_expected.insert(counter, text);
    return text;
}

// Starts the save with the counter: crash_saver, or tsy for an edit.
void TestCrashSafety::startSave(QProcess &saver, quint64 counter, const QString &mode)
{
    const QString number = QString::number(counter);
    if (m_target == Target::TsyEdit)
        saver.start(TSY_PATH, {"edit", file(), "1", "--title", CrashSaves::counterTitle(counter)});
    else if (m_target == Target::StackFile)
        saver.start(CRASH_SAVER_PATH, {"stack", path("store/work"), number, mode});
    else
        saver.start(CRASH_SAVER_PATH, {"hive", number, mode});
}

// Waits until the save with the counter has run to its end: tsy has ended,
// crash_saver said "saved".
bool TestCrashSafety::finishWholeSave(QProcess &saver, quint64 counter)
{
    if (m_target == Target::TsyEdit)
        return ended(saver) && saver.exitStatus() == QProcess::NormalExit && saver.exitCode() == 0;
    const QByteArray wanted = "saved " + QByteArray::number(counter) + '\n';
    while (!saver.canReadLine()) {
        if (!saver.waitForReadyRead(childWaitMs))
            return false;
    }
    return saver.readLine() == wanted;
}

// The counter of the last save the killed child reported (crash_saver says
// "saved" after each; tsy ran the one with the counter whole).
quint64 TestCrashSafety::lastReported(QProcess &saver, quint64 whole)
{
    quint64 last = whole;
    if (m_target == Target::TsyEdit)
        return last;
    for (const QByteArray &line : saver.readAllStandardOutput().split('\n')) {
        if (line.startsWith("saved "))
            last = line.mid(6).toULongLong();
    }
    return last;
}

// After a save that ran to its end: the file is its content, the backup the
// content before, and no temporary file is left in the folder.
void TestCrashSafety::checkWholeSave(quint64 counter)
{
    QStringList allowed {QFileInfo(file()).fileName(), QFileInfo(file()).fileName() + ".lock"};
    if (!backup().isEmpty())
        allowed << QFileInfo(backup()).fileName();
    QStringList names = QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    names.removeIf([&allowed](const QString &name) { return allowed.contains(name); });
    QVERIFY2(names.isEmpty(), qPrintable("left in the folder: " + names.join(", ")));
    const QByteArray held = TestEnvironment::readFile(file());
    QVERIFY2(held == expected(counter), qPrintable(difference(file(), held, expected(counter))));
    if (backup().isEmpty())
        return;
    const QByteArray kept = TestEnvironment::readFile(backup());
    QVERIFY2(kept == expected(counter - 1), qPrintable(difference(backup(), kept, expected(counter - 1))));
}

// After a kill: the file holds the last save reported or the one after it,
// whole; the backup the save before that or the file's content (a kill
// between making the backup and replacing the file).
void TestCrashSafety::checkKilledSave(quint64 lastSaved, quint64 *held, bool *halfWritten)
{
    const QByteArray bytes = TestEnvironment::readFile(file());
    *held = bytes == expected(lastSaved + 1) ? lastSaved + 1 : lastSaved;
    QVERIFY2(bytes == expected(*held),
             qPrintable(difference(file(), bytes, expected(lastSaved))
                        + QStringLiteral(" (save %1 or the next)").arg(lastSaved)));
    if (!backup().isEmpty()) {
        const QByteArray kept = TestEnvironment::readFile(backup());
        QVERIFY2(kept == expected(*held - 1) || kept == expected(*held),
                 qPrintable(difference(backup(), kept, expected(*held - 1))));
    }
    *halfWritten = QDir(folder()).entryList({"*.tmp-*"}, QDir::Files | QDir::Hidden).size() > 0;
}

void TestCrashSafety::killedSavesLeaveWholeFiles_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<int>("kills");

    QTest::newRow("default stack file with its backup") << Target::StackFile << 80;
    QTest::newRow("tsy edit of a stack file") << Target::TsyEdit << 70;
    QTest::newRow("settings hive") << Target::Hive << 70;
}

// Each round: a save that runs to its end, then one killed after a random
// delay of up to one and a half times as long as that one took.
void TestCrashSafety::killedSavesLeaveWholeFiles()
{
    QFETCH(Target, target);
    QFETCH(int, kills);
    prepare(target);
    QRandomGenerator random(m_seed);
    quint64 counter = 1;  // the whole save's
    int halfWritten = 0;
    for (int round = 0; round < kills; ++round) {
        QProcess saver;
        QElapsedTimer took;
        took.start();
        startSave(saver, counter, "--pause");
        QVERIFY2(finishWholeSave(saver, counter),
                 qPrintable(QStringLiteral("save %1: %2")
                                .arg(counter)
                                .arg(QString::fromLocal8Bit(saver.readAllStandardError()))));
        const qint64 wholeMicroseconds = took.nsecsElapsed() / 1000;
        checkWholeSave(counter);
        if (QTest::currentTestFailed()) {
            qWarning("round %d of seed %u", round, m_seed);
            return;
        }

        if (target == Target::TsyEdit)
            startSave(saver, counter + 1, QString());
        else
            QVERIFY(saver.write("go\n") == 3 && saver.waitForBytesWritten(childWaitMs));
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(wholeMicroseconds * 3 / 2 + 1)));
        saver.kill();  // SIGKILL; nothing when tsy has ended already
        QVERIFY(ended(saver));

        bool leftTemporary = false;
        quint64 held = 0;
        checkKilledSave(lastReported(saver, counter), &held, &leftTemporary);
        if (QTest::currentTestFailed()) {
            qWarning("round %d of seed %u", round, m_seed);
            return;
        }
        halfWritten += leftTemporary;
        counter = held + 1;
    }
    QProcess last;
    startSave(last, counter, "--once");
    QVERIFY(finishWholeSave(last, counter) && ended(last));
    checkWholeSave(counter);
    qInfo("%d kills, %d of them in the middle of a write, %llu saves", kills, halfWritten, counter);
    // Kills that never hit a write would have checked nothing.
    QVERIFY(halfWritten > 0);
}

void TestCrashSafety::failedSavesChangeNothing_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<int>("cause");  // the errno the user is told of

    QTest::newRow("default stack file, full disk") << Target::StackFile << Failure::FullDisk << EFBIG;
    QTest::newRow("default stack file, read-only folder")
        << Target::StackFile << Failure::ReadOnlyFolder << EACCES;
    QTest::newRow("default stack file, read-only folder with a lock file")
        << Target::StackFile << Failure::ReadOnlyFolderWithLock << EACCES;
    QTest::newRow("tsy edit, full disk") << Target::TsyEdit << Failure::FullDisk << EFBIG;
    QTest::newRow("tsy edit, read-only folder") << Target::TsyEdit << Failure::ReadOnlyFolder << EACCES;
    QTest::newRow("tsy edit, read-only folder with a lock file")
        << Target::TsyEdit << Failure::ReadOnlyFolderWithLock << EACCES;
    QTest::newRow("settings hive, full disk") << Target::Hive << Failure::FullDisk << EFBIG;
    QTest::newRow("settings hive, read-only folder") << Target::Hive << Failure::ReadOnlyFolder << EACCES;
}

// A save that cannot write (files limited to a few kilobytes, so writes fail
// as on a full disk; a folder without write access) leaves every file as it
// was, tells why naming the file, and keeps the store's changes pending.
void TestCrashSafety::failedSavesChangeNothing()
{
    QFETCH(Target, target);
    QFETCH(Failure, failure);
    QFETCH(int, cause);
    prepare(target);
    QProcess first;  // a backup to keep
    startSave(first, 1, "--once");
    QVERIFY(finishWholeSave(first, 1) && ended(first));
    if (failure == Failure::ReadOnlyFolderWithLock)
        TestEnvironment::writeFile(file() + ".lock", "");
    const QMap<QByteArray, QByteArray> before = folderContents(folder());

    QProcess saver;
    std::optional<OtherUser> user;
    if (failure == Failure::FullDisk) {
        saver.setChildProcessModifier([] {
            const rlimit small {fullDiskBytes, fullDiskBytes};
            std::signal(SIGXFSZ, SIG_IGN);
            ::setrlimit(RLIMIT_FSIZE, &small);
        });
    } else {
        if (::geteuid() == 0) {  // root writes into any folder: the save runs as nobody
            user = OtherUser::nobody();
            if (!user)
                QSKIP("running as root, and there is no user nobody to run the save");
            changeOwnerOfTree(m_dir->path(), *user);
            saver.setChildProcessModifier([user] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(user->gid) != 0 || ::setuid(user->uid) != 0)
                    ::_exit(cannotSwitchUser);
            });
        }
        QVERIFY(QFile::setPermissions(folder(),
                                      QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther
                                          | QFile::ReadGroup | QFile::ExeGroup));
    }
    startSave(saver, 2, "--once");
    const bool finished = ended(saver);
    QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (user)
        changeOwnerOfTree(m_dir->path(), OtherUser {::getuid(), ::getgid()});
    QVERIFY(finished && saver.exitStatus() == QProcess::NormalExit);
    if (saver.exitCode() == cannotSwitchUser)
        QSKIP("running as root, and the save cannot be run as the user nobody");

    const QString told = QString::fromLocal8Bit(saver.readAllStandardError());
    QCOMPARE(saver.exitCode(), 1);
    QVERIFY2(told.contains(file()) && told.contains(QString::fromLocal8Bit(std::strerror(cause))),
             qPrintable(told));
    if (target == Target::StackFile)
        QVERIFY2(told.contains("changes pending: 1\n"), qPrintable(told));
    const QMap<QByteArray, QByteArray> after = folderContents(folder());
    QCOMPARE(after.keys(), before.keys());
    QVERIFY(after == before);
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "TestCrashSafety.moc"
