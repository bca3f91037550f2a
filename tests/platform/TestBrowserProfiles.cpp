// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChromiumProfiles.h"
#include "FirefoxProfiles.h"
#include "TestEnvironment.h"

#include <QDateTime>
#include <QSysInfo>
#include <QtTest>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The id of a process that has ended.
qint64 deadPid()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// Folders and files below a home folder, each line "path" (a folder) or "path=text" (a file).
void makeTree(const QString &home, const QStringList &lines)
{
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf('=');
        const QString path = home + '/' + line.left(equals);
        if (equals < 0) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            TestEnvironment::writeFile(path, line.mid(equals + 1).replace("\\n", "\n").toUtf8());
        }
    }
}

void makeLockLink(const QString &path, const QString &target)
{
    QFile::remove(path);
    QVERIFY(symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0);
}

void touchSessionStore(const QString &profile, int secondsAgo)
{
    const QString path = profile + "/sessionstore-backups/recovery.jsonlz4";
    QDir().mkpath(QFileInfo(path).path());
    QFile file(TestEnvironment::writeFile(path, "mozLz40"));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo),
                             QFileDevice::FileModificationTime));
}

const QString xdg = QStringLiteral(".config/mozilla/firefox");
const QString legacy = QStringLiteral(".mozilla/firefox");

// Sets an environment variable (XDG_CONFIG_HOME unless named) for one test
// ("<unset>" removes it) and puts it back.
class ConfigHomeVariable
{
public:
    explicit ConfigHomeVariable(const QString &value, const char *name = "XDG_CONFIG_HOME")
        : m_name(name), m_old(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name))
    {
        if (value == QLatin1String("<unset>"))
            qunsetenv(m_name);
        else
            qputenv(m_name, QFile::encodeName(value));
    }
    ~ConfigHomeVariable()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    QByteArray m_old;
    bool m_wasSet;
};

}  // namespace

// Finding the profile folders of Firefox and Chromium in a home folder, and whether they run.
class TestBrowserProfiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    void profileFolders_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QStringList>("folders");  // below the home folder

        const QString install = xdg
            + "/profiles.ini=[Profile0]\\nName=esr\\nIsRelative=1\\nPath=b.default-esr\\n"
              "[Profile1]\\nName=default\\nIsRelative=1\\nPath=a.default\\nDefault=1\\n"
              "[General]\\nStartWithLastProfile=1\\n[Install3B60]\\nDefault=b.default-esr\\nLocked=1\\n";
        QTest::newRow("install default before the legacy default")
            << QStringList {xdg + "/a.default", xdg + "/b.default-esr", install}
            << QStringList {xdg + "/b.default-esr", xdg + "/a.default"};
        QTest::newRow("installs.ini names a profile")
            << QStringList {legacy + "/c.dev", legacy + "/installs.ini=[3B60]\nDefault=c.dev\nLocked=1"}
            << QStringList {legacy + "/c.dev"};
        QTest::newRow("both files name the same profile once")
            << QStringList {legacy + "/c.dev", legacy + "/installs.ini=[3B60]\\nDefault=c.dev",
                            legacy
                                + "/profiles.ini=[Install3B60]\\nDefault=c.dev\\n[Profile0]\\nPath=c."
                                  "dev\\nDefault=1"}
            << QStringList {legacy + "/c.dev"};
        QTest::newRow("XDG location before the old one")
            << QStringList {legacy + "/old", xdg + "/new",
                            legacy + "/profiles.ini=[Profile0]\\nPath=old\\nDefault=1",
                            xdg + "/profiles.ini=[Profile0]\\nPath=new\\nDefault=1"}
            << QStringList {xdg + "/new", legacy + "/old"};
        QTest::newRow("absolute path with a comma")
            << QStringList {"elsewhere/p, q",
                            legacy
                                + "/profiles.ini=[Profile0]\\nIsRelative=0\\nPath=HOME/elsewhere/p, "
                                  "q\\nDefault=1"}
            << QStringList {"elsewhere/p, q"};
        QTest::newRow("profile that is not the default")
            << QStringList {legacy + "/x", legacy + "/profiles.ini=[Profile0]\\nPath=x"}
            << QStringList {legacy + "/x"};
        QTest::newRow("defaults first, then the others in file order, relative or absolute")
            << QStringList {legacy + "/r", legacy + "/d", "elsewhere/abs",
                            legacy
                                + "/profiles.ini=[Profile0]\\nIsRelative=0\\nPath=HOME/elsewhere/abs\\n"
                                  "[Profile1]\\nPath=d\\nDefault=1\\n[Profile2]\\nIsRelative=1\\nPath=r\\n"
                                  "[Profile3]\\nPath=gone"}
            << QStringList {legacy + "/d", "elsewhere/abs", legacy + "/r"};
        QTest::newRow("default profile folder missing")
            << QStringList {legacy + "/profiles.ini=[Profile0]\\nPath=gone\\nDefault=1"} << QStringList();
        QTest::newRow("key outside any section and a bare line")
            << QStringList {legacy + "/y",
                            legacy + "/profiles.ini=Default=y\\ngarbage\\n[Profile0]\\nPath = y \\nDefault=1"}
            << QStringList {legacy + "/y"};
        QTest::newRow("no Firefox") << QStringList() << QStringList();
    }

    void profileFolders()
    {
        QFETCH(QStringList, tree);
        QFETCH(QStringList, folders);

        QTemporaryDir home;
        const ConfigHomeVariable configHome(home.path() + "/.config");
        makeTree(home.path(), tree.replaceInStrings("HOME", home.path()));
        QStringList expected;
        for (const QString &folder : folders)
            expected.append(home.path() + '/' + folder);
        QCOMPARE(FirefoxProfiles::profileFolders(home.path()), expected);
    }

    // The browsers keep their folders in $XDG_CONFIG_HOME where it is set
    // (Firefox's new profiles too), so they are looked for there.
    void configHome_data()
    {
        QTest::addColumn<QString>("variable");  // HOME: the home folder; "<unset>"
        QTest::addColumn<QStringList>("firefox");   // the profile folders found, below the home folder
        QTest::addColumn<QStringList>("chromium");  // the Chromium profiles found, the same
        QTest::addColumn<QString>("chromeVariable");  // CHROME_CONFIG_HOME, as variable; "<unset>" in every other row

        const QStringList dotConfig {xdg + "/q", ".config/chromium/Default"};
        QTest::newRow("set elsewhere: only there, and the old folder")
            << "HOME/cfg" << QStringList {"cfg/mozilla/firefox/p", legacy + "/old"}
            << QStringList {"cfg/chromium/Default"} << "<unset>";
        QTest::newRow("set to ~/.config") << "HOME/.config" << QStringList {xdg + "/q", legacy + "/old"}
                                          << QStringList {".config/chromium/Default"} << "<unset>";
        QTest::newRow("unset: ~/.config") << "<unset>" << QStringList {xdg + "/q", legacy + "/old"}
                                          << QStringList {".config/chromium/Default"} << "<unset>";
        QTest::newRow("empty: ~/.config") << "" << QStringList {xdg + "/q", legacy + "/old"}
                                          << QStringList {".config/chromium/Default"} << "<unset>";
        QTest::newRow("relative: passed over") << "cfg" << QStringList {xdg + "/q", legacy + "/old"}
                                               << QStringList {".config/chromium/Default"} << "<unset>";
        // Chrome and Chromium take $CHROME_CONFIG_HOME before $XDG_CONFIG_HOME; Firefox does not.
        QTest::newRow("CHROME_CONFIG_HOME set") << "<unset>" << QStringList {xdg + "/q", legacy + "/old"}
                                                << QStringList {"cfg/chromium/Default"} << "HOME/cfg";
        QTest::newRow("CHROME_CONFIG_HOME before XDG_CONFIG_HOME")
            << "HOME/.config" << QStringList {xdg + "/q", legacy + "/old"} << QStringList {"cfg/chromium/Default"}
            << "HOME/cfg";
        QTest::newRow("CHROME_CONFIG_HOME empty") << "<unset>" << QStringList {xdg + "/q", legacy + "/old"}
                                                  << QStringList {".config/chromium/Default"} << "";
        QTest::newRow("CHROME_CONFIG_HOME relative") << "<unset>" << QStringList {xdg + "/q", legacy + "/old"}
                                                     << QStringList {".config/chromium/Default"} << "cfg";
    }

    void configHome()
    {
        QFETCH(QString, variable);
        QFETCH(QStringList, firefox);
        QFETCH(QStringList, chromium);
        QFETCH(QString, chromeVariable);

        QTemporaryDir home;
        // A profile in each place either browser may keep one.
        QStringList tree {legacy + "/old", legacy + "/profiles.ini=[Profile0]\\nPath=old\\nDefault=1"};
        for (const QString &config : {QStringLiteral(".config"), QStringLiteral("cfg")}) {
            const QString profile = config == ".config" ? "q" : "p";
            tree << config + "/mozilla/firefox/" + profile
                 << config + "/mozilla/firefox/profiles.ini=[Profile0]\\nPath=" + profile + "\\nDefault=1"
                 << config + "/chromium/Default/Bookmarks={}";
        }
        makeTree(home.path(), tree);
        // A relative value would be taken from the working folder: make it one where "cfg" is there too.
        const QString oldFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(home.path()));
        const ConfigHomeVariable configHome(QString(variable).replace("HOME", home.path()));
        const ConfigHomeVariable chromeConfigHome(chromeVariable.replace("HOME", home.path()), "CHROME_CONFIG_HOME");
        const QStringList firefoxFound = FirefoxProfiles::profileFolders(home.path());
        QStringList chromiumFound;
        for (const ChromiumProfiles::Profile &profile : ChromiumProfiles::bookmarkProfiles(home.path()))
            chromiumFound << profile.folder;
        QVERIFY(QDir::setCurrent(oldFolder));

        QCOMPARE(firefoxFound, firefox.replaceInStrings(QRegularExpression("^"), home.path() + '/'));
        QCOMPARE(chromiumFound, chromium.replaceInStrings(QRegularExpression("^"), home.path() + '/'));
    }

    void isRunning_data()
    {
        QTest::addColumn<QString>("lock");  // null: no lock link
        QTest::addColumn<bool>("running");

        const QString self = QString::number(QCoreApplication::applicationPid());
        const QString host = QSysInfo::machineHostName();
        QTest::newRow("lock of this process") << "127.0.0.1:+" + self << true;
        QTest::newRow("lock without the plus") << "127.0.0.1:" + self << true;
        QTest::newRow("lock of an ended process") << "127.0.0.1:+" + QString::number(deadPid()) << false;
        QTest::newRow("no lock") << QString() << false;
        QTest::newRow("lock without a pid") << "127.0.0.1:+" << false;
        QTest::newRow("lock with a negative pid") << "127.0.0.1:-1" << false;
        // Chromium's "<host>-<pid>" is told apart by its own test below.
        QTest::newRow("Chromium-style lock") << host + "-" + self << false;
    }

    void isRunning()
    {
        QFETCH(QString, lock);
        QFETCH(bool, running);

        QTemporaryDir profile;
        if (!lock.isNull())
            makeLockLink(profile.filePath("lock"), lock);
        QCOMPARE(FirefoxProfiles::isRunning(profile.path()), running);
    }

    void runningProfile_data()
    {
        QTest::addColumn<QString>("ini");             // profiles.ini; BASE: the folder it is in
        QTest::addColumn<QList<int>>("sessionAges");  // per profile a, b, c: seconds, or -1 when not running
        QTest::addColumn<QString>("running");

        const QString installs = "[Install1]\\nDefault=a\\n[Install2]\\nDefault=b\\n[Install3]\\nDefault=c";
        QTest::newRow("none runs") << installs << QList<int> {-1, -1, -1} << QString();
        QTest::newRow("one runs") << installs << QList<int> {-1, 50, -1} << "b";
        QTest::newRow("newest session store of several") << installs << QList<int> {300, 20, 100} << "b";
        QTest::newRow("newest is the last") << installs << QList<int> {300, 200, 10} << "c";
        // Started with --profile DIR or -P NAME: a profile that is no default.
        const QString oneDefault = "[Install1]\\nDefault=a\\n[Profile0]\\nName=a\\nPath=a\\nDefault=1\\n"
                                   "[Profile1]\\nName=work\\nIsRelative=0\\nPath=BASE/b\\n"
                                   "[Profile2]\\nName=c\\nIsRelative=1\\nPath=c";
        QTest::newRow("a profile that is no default, by its absolute path")
            << oneDefault << QList<int> {-1, 50, -1} << "b";
        QTest::newRow("a profile that is no default, by its relative path")
            << oneDefault << QList<int> {-1, -1, 50} << "c";
    }

    void runningProfile()
    {
        QFETCH(QString, ini);
        QFETCH(QList<int>, sessionAges);
        QFETCH(QString, running);

        QTemporaryDir home;
        const QString base = home.path() + '/' + legacy;
        makeTree(home.path(), {legacy + "/profiles.ini=" + ini.replace("BASE", base)});
        const QString self = QString::number(QCoreApplication::applicationPid());
        for (int i = 0; i < 3; ++i) {
            const QString profile = base + '/' + QChar('a' + i);
            QVERIFY(QDir().mkpath(profile));
            makeLockLink(profile + "/lock",
                         "127.0.0.1:+" + (sessionAges[i] < 0 ? QString::number(deadPid()) : self));
            touchSessionStore(profile, qAbs(sessionAges[i]) * 7);
        }
        QCOMPARE(FirefoxProfiles::runningProfile(home.path()),
                 running.isEmpty() ? QString() : base + '/' + running);
    }

    void chromium_data()
    {
        QTest::addColumn<QString>("lock");  // null: no lock link
        QTest::addColumn<bool>("running");

        const QString self = QString::number(QCoreApplication::applicationPid());
        const QString host = QSysInfo::machineHostName();
        QTest::newRow("this host, this process") << host + "-" + self << true;
        QTest::newRow("this host, an ended process") << host + "-" + QString::number(deadPid()) << false;
        QTest::newRow("another host") << "x" + host + "-" + self << false;
        QTest::newRow("host name with a dash") << "my-" + host + "-" + self << false;
        QTest::newRow("no dash") << self << false;
        QTest::newRow("no lock") << QString() << false;
    }

    void chromium()
    {
        QFETCH(QString, lock);
        QFETCH(bool, running);

        const ConfigHomeVariable configHome(m_home.path() + "/.config");
        const QString folder = ChromiumProfiles::userDataFolder(m_home.path(), "chromium");
        QCOMPARE(folder, m_home.path() + "/.config/chromium");
        QVERIFY(QDir().mkpath(folder));
        QFile::remove(folder + "/SingletonLock");
        if (!lock.isNull())
            makeLockLink(folder + "/SingletonLock", lock);
        QCOMPARE(ChromiumProfiles::isRunning(folder), running);
    }
};

QTEST_GUILESS_MAIN(TestBrowserProfiles)
#include "TestBrowserProfiles.moc"
