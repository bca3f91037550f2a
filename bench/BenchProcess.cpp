// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BenchProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

namespace BenchProcess {

namespace {

// User and system time of the children this process has waited for.
double childrenCpuMs()
{
    struct rusage usage = {};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval &time) { return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

bool writeAndRename(QByteArrayView bytes, const QString &to)
{
    const QString temporary = to + QStringLiteral(".part");
    QFile out(temporary);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)
        || out.write(bytes.data(), bytes.size()) != bytes.size() || ::fsync(out.handle()) != 0)
        return false;
    out.close();
    return std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace

Times run(const QString &program, const QStringList &arguments, const QString &outputFile,
          const QProcessEnvironment &environment)
{
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.setStandardOutputFile(outputFile);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double cpuBefore = childrenCpuMs();
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    const bool finished = process.waitForFinished(-1);
    Times times;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return times;
    times.wallMs = double(timer.nsecsElapsed()) / 1e6;
    times.cpuMs = childrenCpuMs() - cpuBefore;
    return times;
}

double readAndWrite(const QString &from, QByteArrayView bytes, const QString &to)
{
    QElapsedTimer timer;
    timer.start();
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return -1.0;
    const qint64 size = in.size();
    const size_t length = size_t(std::max<qint64>(size, 1));
    void *const buffer = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (buffer == MAP_FAILED)
        return -1.0;
    const bool done = in.read(static_cast<char *>(buffer), size) == size && writeAndRename(bytes, to);
    ::munmap(buffer, length);
    return done ? double(timer.nsecsElapsed()) / 1e6 : -1.0;
}

}  // namespace BenchProcess
