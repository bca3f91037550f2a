// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BenchRun.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace BenchRun {

namespace {

double ms(const timeval &time)
{
    return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
}

double cpuMsOfSelf()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// A null-terminated array of pointers into texts, for exec.
std::vector<char *> pointersTo(QByteArrayList &texts)
{
    std::vector<char *> pointers;
    for (QByteArray &text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// This process's environment with the variables given ("NAME=value")
// replacing those of the same names.
QByteArrayList environmentWith(const QStringList &given)
{
    QByteArrayList variables;
    for (const QString &variable : given)
        variables.append(variable.toLocal8Bit());
    for (char **variable = environ; *variable; ++variable) {
        const QByteArray whole(*variable);
        const QByteArray name = whole.left(whole.indexOf('=') + 1);
        const bool replaced = std::any_of(variables.begin(), variables.end(),
                                          [&name](const QByteArray &own) { return own.startsWith(name); });
        if (!replaced)
            variables.append(*variable);
    }
    return variables;
}

constexpr char measuringMode[] = "--measure-program";

// Where a measuring process writes what its program cost.
QString resultPath()
{
    return QDir::tempPath() + QStringLiteral("/tessaly-bench-%1.cost").arg(QCoreApplication::applicationPid());
}

}  // namespace

void Cost::keepBest(const Cost &run)
{
    wallMs = std::min(wallMs, run.wallMs);
    cpuMs = std::min(cpuMs, run.cpuMs);
    peakMiB = std::max(peakMiB, run.peakMiB);
}

std::optional<Cost> runProgram(const QStringList &command, const QStringList &environment, const QString &outputFile)
{
    const QString result = resultPath();
    QByteArrayList arguments {QFile::encodeName(QCoreApplication::applicationFilePath()), measuringMode,
                              QFile::encodeName(result)};
    for (const QString &argument : command)
        arguments.append(QFile::encodeName(argument));
    const std::vector<char *> argv = pointersTo(arguments);
    QByteArrayList variables = environmentWith(environment);
    const std::vector<char *> envp = pointersTo(variables);
    const QByteArray output = outputFile.isEmpty() ? QByteArray("/dev/null") : QFile::encodeName(outputFile);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    QFile file(result);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArrayList figures = file.readAll().simplified().split(' ');
    file.remove();
    if (figures.size() != 3)
        return std::nullopt;
    Cost cost;
    cost.wallMs = figures[0].toDouble();
    cost.cpuMs = figures[1].toDouble();
    cost.peakMiB = figures[2].toDouble() / 1024.0;
    return cost;
}

std::optional<int> runAsMeasuringProcess(int argc, char *argv[])
{
    if (argc < 4 || std::strcmp(argv[1], measuringMode) != 0)
        return std::nullopt;
    char **const command = argv + 3;
    timespec start {}, end {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    int status = 0;
    rusage usage {};
    if (posix_spawn(&pid, command[0], nullptr, nullptr, command, environ) != 0
        || wait4(pid, &status, 0, &usage) != pid)
        return 1;
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double wallMs = double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
    FILE *result = std::fopen(argv[2], "w");
    if (!result)
        return 1;
    std::fprintf(result, "%f %f %ld\n", wallMs, ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss);
    std::fclose(result);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

std::optional<Cost> readAndWrite(const QString &from, const std::optional<QByteArrayView> &bytes, const QString &to)
{
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuMsOfSelf();
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    const off_t size = in >= 0 ? ::lseek(in, 0, SEEK_END) : -1;
    if (size < 0 || ::lseek(in, 0, SEEK_SET) != 0) {
        if (in >= 0)
            ::close(in);
        return std::nullopt;
    }
    const size_t length = size_t(std::max<off_t>(size, 1));
    void *const buffer = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    const bool read = buffer != MAP_FAILED && ::read(in, buffer, size_t(size)) == size;
    ::close(in);
    const QByteArrayView written = bytes ? *bytes : QByteArrayView(static_cast<const char *>(buffer), qsizetype(size));
    const QByteArray part = QFile::encodeName(to + QStringLiteral(".part"));
    const int out = read ? ::open(part.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    bool done = out >= 0 && ::write(out, written.data(), size_t(written.size())) == written.size()
        && ::fdatasync(out) == 0;
    done = out >= 0 && ::close(out) == 0 && done
        && std::rename(part.constData(), QFile::encodeName(to).constData()) == 0;
    if (buffer != MAP_FAILED)
        ::munmap(buffer, length);
    if (!done)
        return std::nullopt;
    Cost cost;
    cost.wallMs = double(timer.nsecsElapsed()) / 1e6;
    cost.cpuMs = cpuMsOfSelf() - cpuBefore;
    return cost;
}

std::optional<Cost> plainCopy(const QString &from, const QString &to)
{
    return readAndWrite(from, std::nullopt, to);
}

std::optional<Cost> readAndSplit(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuMsOfSelf();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArrayList lines = file.readAll().split('\n');
    if (lines.isEmpty())
        return std::nullopt;
    Cost cost;
    cost.wallMs = double(timer.nsecsElapsed()) / 1e6;
    cost.cpuMs = cpuMsOfSelf() - cpuBefore;
    return cost;
}

bool makeBukuDatabase(const QString &stackFile, const QString &database)
{
    const QString script = QStringLiteral(
        "import sqlite3, sys\n"
        "db = sqlite3.connect(sys.argv[2])\n"
        "db.execute(\"CREATE TABLE if not exists bookmarks (id integer PRIMARY KEY, URL text NOT NULL UNIQUE, "
        "metadata text default '', tags text default ',', desc text default '', flags integer default 0)\")\n"
        "rows = []\n"
        "for line in open(sys.argv[1], 'rb'):\n"
        "    fields = line.rstrip(b'\\r\\n').split(b'\\x05')\n"
        "    if len(fields) == 7:\n"
        "        rows.append((fields[0].decode('utf-8', 'replace'), fields[1].decode('utf-8', 'replace')))\n"
        "db.executemany(\"INSERT OR IGNORE INTO bookmarks(URL, metadata, tags, desc, flags) "
        "VALUES (?, ?, ',', '', 0)\", rows)\n"
        "db.commit()\n");
    return runProgram({QStringLiteral("/usr/bin/python3"), QStringLiteral("-c"), script, stackFile, database})
        .has_value();
}

}  // namespace BenchRun
