// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <QtTest>
#include <unistd.h>

// A home of its own for the tsy commands that reach browsers: its own
// registry hives (App Paths naming a recording stand-in browser), favorites
// folder and, on demand, a running Firefox's profile whose session store
// the test writes. Without keepDisplay no display: the window ways find nothing.
class BrowserHome
{
public:
    explicit BrowserHome(bool keepDisplay = false)
    {
        for (const char *folder : {"home", "config/Tessaly", "data"})
            QDir().mkpath(path(folder));
        m_environment.insert("HOME", path("home"));
        m_environment.insert("XDG_CONFIG_HOME", path("config"));
        m_environment.insert("XDG_DATA_HOME", path("data"));
        if (!keepDisplay) {
            m_environment.remove("DISPLAY");
            m_environment.remove("WAYLAND_DISPLAY");
            m_environment.remove("QT_QPA_PLATFORM");
        }
        // A browser that writes its arguments, one a line, and ends. The list
        // is renamed into place once whole: a reader that sees the file sees
        // every argument, however late the browser gets to run.
        TestEnvironment::writeFile(recorder(),
                                   "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.part\"\n"
                                   "mv \"$0.part\" \"$0.argv\"\n");
        QFile::setPermissions(recorder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString recorder() const { return m_recorder; }

    // The stand-in installed as the program name on PATH, and no App Paths
    // entries: the account of a user who never ran the program.
    void installOnPath(const QString &name)
    {
        QDir().mkpath(path("bin"));
        QFile::copy(m_recorder, path("bin/" + name));
        m_recorder = path("bin/" + name);
        m_environment.insert("PATH", path("bin") + ':' + m_environment.value("PATH"));
    }
    QString favorites() const { return path("data/Tessaly/Favorites"); }
    QString profile() const { return path("home/.mozilla/firefox/p1.default"); }
    const QProcessEnvironment &environment() const { return m_environment; }

    // Every browser of App Paths is the stand-in, or program.
    void setAppPaths(const QString &program)
    {
        QByteArray hive = "REGEDIT4\r\n";
        for (const char *exe : {"IEXPLORE.EXE", "Netscape.exe", "Opera.EXE"})
            hive += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\"
                + QByteArray(exe) + "]\r\n@=\"" + program.toUtf8() + "\"\r\n";
        TestEnvironment::writeFile(path("config/Tessaly/HKEY_LOCAL_MACHINE.reg"), hive);
    }

    // A Firefox profile whose lock names this (live) process, and whose
    // session shows url and title.
    void runFirefox(const QByteArray &url, const QByteArray &title)
    {
        QDir().mkpath(profile() + "/sessionstore-backups");
        TestEnvironment::writeFile(path("home/.mozilla/firefox/profiles.ini"),
                                   "[Profile0]\nName=default\nIsRelative=1\nPath=p1.default\nDefault=1\n\n"
                                   "[General]\nStartWithLastProfile=1\nVersion=2\n");
        QFile::link("127.0.0.1:+" + QString::number(::getpid()), profile() + "/lock");
        const QByteArray json = "{\"windows\":[{\"tabs\":[{\"entries\":[{\"url\":\"" + url + "\",\"title\":\""
            + title + "\"}],\"index\":1}],\"selected\":1}],\"selectedWindow\":1}";
        TestEnvironment::writeFile(profile() + "/sessionstore-backups/recovery.jsonlz4", mozLz4(json));
    }

    // What the stand-in browser was started with; empty when it was not
    // started within a few seconds.
    QStringList recordedArguments(bool expectStart) const
    {
        const QString argv = recorder() + ".argv";
        QElapsedTimer waited;
        waited.start();
        while (expectStart && !QFile::exists(argv) && waited.elapsed() < 10000)
            QThread::msleep(20);
        if (!expectStart)
            QThread::msleep(200);  // a start that should not happen has had its chance
        QString text = QString::fromUtf8(TestEnvironment::readFile(argv));
        text.chop(1);
        return text.isEmpty() ? QStringList() : text.split(u'\n');
    }

    // "mozLz40\0", the size, and one LZ4 block of literals only.
    static QByteArray mozLz4(const QByteArray &json)
    {
        QByteArray block;
        if (json.size() < 15) {
            block += char(json.size() << 4);
        } else {
            block += char(0xF0);
            qsizetype rest = json.size() - 15;
            for (; rest >= 255; rest -= 255)
                block += char(255);
            block += char(rest);
        }
        block += json;
        QByteArray size(4, '\0');
        qToLittleEndian<quint32>(quint32(json.size()), size.data());
        return QByteArray("mozLz40\0", 8) + size + block;
    }

private:
    QTemporaryDir m_dir;
    QString m_recorder = m_dir.filePath("browser");
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};
