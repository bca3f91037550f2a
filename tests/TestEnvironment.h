// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

// Helpers shared by the tests: a private folder per test, and files written
// byte for byte.
namespace TestEnvironment {

// Keeps QStandardPaths away from the real user's folders.
inline void isolate()
{
    QStandardPaths::setTestModeEnabled(true);
}

inline QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write test file %s", qPrintable(path));
    file.write(bytes);
    return path;
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The same for paths given as the file system's bytes, which need not be UTF-8.
inline void writeFileAt(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        qFatal("cannot write test file %s", path.constData());
    ::close(fd);
}

inline QByteArray readFileAt(const QByteArray &path)
{
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return QByteArray();
    return file.readAll();
}

// The names in a folder as the file system's bytes, sorted.
inline QList<QByteArray> namesAt(const QByteArray &folder)
{
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(folder.constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names << name;
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Runs work with files limited to a few kilobytes, so that writes fail
// half-way as on a full disk (this works for root too).
inline bool withSmallFileLimit(const std::function<bool()> &work)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous {};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 4096;
    if (setrlimit(RLIMIT_FSIZE, &small) != 0)
        qFatal("cannot limit the file size");
    const bool result = work();
    setrlimit(RLIMIT_FSIZE, &previous);
    return result;
}

// What work writes on the process's standard error, which is caught meanwhile.
inline QString standardErrorOf(const std::function<void()> &work)
{
    QTemporaryFile caught;
    if (!caught.open())
        qFatal("cannot catch standard error");
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(caught.handle(), STDERR_FILENO);
    work();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    caught.seek(0);
    return QString::fromLocal8Bit(caught.readAll());
}

// An entry line of a stack file (fields joined by 0x05), without its line end.
inline QByteArray entryLine(const QList<QByteArray> &fields)
{
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            line += '\x05';
        line += fields[i];
    }
    return line;
}

// Stack-file text of groups of 1,000 entries each, about 120 bytes a line:
// large enough (some MiB) that the program reads it in slices.
inline QByteArray largeStackFile(int entries)
{
    QByteArray text;
    text.reserve(qsizetype(entries) * 128);
    for (int i = 0; i < entries; ++i) {
        if (i % 1000 == 0)
            text += "+Group " + QByteArray::number(i / 1000) + "\r\n";
        const QByteArray n = QByteArray::number(i);
        text += entryLine({"https://www.example.org/pages/" + n + "/index.html", "A page of the example site, number " + n,
                           "8E9312698", "8E9312698", "3", "0", "2"})
            + "\r\n";
    }
    return text;
}

}  // namespace TestEnvironment

namespace TestEnvironment {

// A fresh configuration folder for the registry hives of one test.
class ConfigFolder
{
public:
    ConfigFolder()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    }
    QString path() const { return m_dir.path(); }
    QString hiveFile(const char *root) const { return m_dir.path() + "/Tessaly/" + root + ".reg"; }

private:
    QTemporaryDir m_dir;
};

} // namespace TestEnvironment
