// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BenchFigures.h"

#include <QFile>

#include <cstdio>

namespace BenchFigures {

double residentMiB()
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return 0.0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).simplified().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0.0;
}

void printRatio(const char *step, double ms, double base, const char *target, double limit,
                QByteArrayList &missed)
{
    std::printf("%-44s %10.2f", step, ms);
    if (base > 0 && !*target) {
        std::printf("  %8.2fx", ms / base);  // for information, no target
    } else if (base > 0) {
        const bool met = ms >= 0 && ms / base <= limit;
        std::printf("  %8.2fx  %-22s %s", ms / base, target, met ? "yes" : "NO");
        if (!met)
            missed.append(step);
    }
    std::printf("\n");
}

} // namespace BenchFigures
