// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The child process of TestCrashSafety: saves a large file again and again,
// each save with the next counter, so that the test can kill it anywhere in
// a save and then look at what the file holds.
//
//   crash_saver stack BASE FIRST [--pause | --once]
//   crash_saver hive FIRST [--pause | --once]
//
// "stack" loads the default stack file BASE.tsy as the program does and
// saves it with its backup BASE.bak; "hive" changes the settings hive of
// $XDG_CONFIG_HOME. Save k (from FIRST on) writes the counter k and then
// prints "saved k". --pause waits for a line on stdin after the first save,
// --once ends after it. A failed save prints its error (and the store's
// change count) on stderr and ends with status 1.

#include "CrashSaves.h"
#include "DayCount.h"
#include "DefaultStackFile.h"
#include "Registry.h"
#include "URLBlock.h"

#include <QCoreApplication>
#include <cstdio>
#include <functional>

namespace {

enum Exit { Saved = 0, SaveFailed = 1, Usage = 2 };

// Runs save for the counters from first on, as the options say.
int saveRepeatedly(quint64 first, const QString &mode, const std::function<bool(quint64)> &save)
{
    for (quint64 counter = first;; ++counter) {
        if (!save(counter))
            return SaveFailed;
        std::printf("saved %llu\n", static_cast<unsigned long long>(counter));
        std::fflush(stdout);
        if (mode == QLatin1String("--once"))
            return Saved;
        char line[16];
        if (counter == first && mode == QLatin1String("--pause") && !std::fgets(line, sizeof line, stdin))
            return Saved;
    }
}

void printError(const QString &error)
{
    std::fprintf(stderr, "%s\n", qPrintable(error));
}

int saveStackFile(const QString &base, quint64 first, const QString &mode)
{
    URLBlock store;
    DefaultStackFile stack(store, base);
    QString error;
    if (!stack.Populate(DayCount::now(), &error) || store.urlDatas().isEmpty()) {
        std::fprintf(stderr, "not loaded: %s\n", qPrintable(error));
        return SaveFailed;
    }
    return saveRepeatedly(first, mode, [&](quint64 counter) {
        CrashSaves::setCounter(store, counter);
        if (stack.DePopulate(&error))
            return true;
        printError(error);
        std::fprintf(stderr, "changes pending: %d\n", store.changeCount());
        return false;
    });
}

int saveHive(quint64 first, const QString &mode)
{
    return saveRepeatedly(first, mode, [&](quint64 counter) {
        QString error;
        if (Registry::changeHive(
                Registry::HKEY_CURRENT_USER,
                [&](RegistryHive &hive) { return CrashSaves::setCounter(hive, counter); }, &error))
            return true;
        printError(error);
        return false;
    });
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const bool stack = arguments.value(0) == QLatin1String("stack");
    const int counterAt = stack ? 2 : 1;
    bool known = false;
    const quint64 first = arguments.value(counterAt).toULongLong(&known);
    const QString mode = arguments.value(counterAt + 1);
    if (!known || (!stack && arguments.value(0) != QLatin1String("hive")))
        return Usage;
    return stack ? saveStackFile(arguments.at(1), first, mode) : saveHive(first, mode);
}
