// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_hive: times reading (parsing) and writing registry hives of growing
// size, to show that both grow in proportion to the hive: hives of 10,000 and
// 20,000 keys, and one value continued over 2 MB of lines. Each figure is the
// best of three runs, in milliseconds.

#include "RegistryHive.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

QByteArray hiveOfKeys(int keyCount)
{
    QByteArray text = "REGEDIT4\n";
    for (int i = 0; i < keyCount; ++i) {
        text += "\n[HKEY_CURRENT_USER\\Software\\Vendor" + QByteArray::number(i % 50) + "\\Product" + QByteArray::number(i)
            + "]\n\"Name\"=\"value " + QByteArray::number(i) + "\"\n\"Count\"=dword:0000002a\n\"Bin\"=hex:01,02,03\n";
    }
    return text;
}

QByteArray hiveOfContinuedLines(qsizetype bytes)
{
    QByteArray text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Big]\n\"Bin\"=hex:00";
    while (text.size() < bytes)
        text += ",01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\n  18";
    return text + "\n";
}

qint64 bestOf(const std::function<void()> &work)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.elapsed());
    }
    return best;
}

void measure(const char *label, const QByteArray &text)
{
    RegistryHive hive(QStringLiteral("HKEY_CURRENT_USER"));
    const qint64 parse = bestOf([&] { hive.parse(text); });
    QByteArray written;
    const qint64 write = bestOf([&] { written = hive.toText(); });
    std::printf("%-28s %9.1f KiB  %6d keys  parse %6lld ms  write %6lld ms\n", label, text.size() / 1024.0,
                int(hive.keys().size()), static_cast<long long>(parse), static_cast<long long>(write));
}

} // namespace

int main()
{
    measure("10,000 keys", hiveOfKeys(10000));
    measure("20,000 keys", hiveOfKeys(20000));
    measure("2 MB of continued lines", hiveOfContinuedLines(2 * 1024 * 1024));
    return 0;
}
