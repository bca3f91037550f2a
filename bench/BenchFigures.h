// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayList>

// What the benchmarks share in printing their figures.
namespace BenchFigures {

// VmRSS of this process in MiB (0 when /proc cannot be read).
double residentMiB();

// One row: the step, its time and, with a base, the ratio to it. With a
// target the row says whether ratio <= limit, and a missed step (or one
// that failed, ms < 0) is added to missed; without one the ratio is only
// for information.
void printRatio(const char *step, double ms, double base, const char *target, double limit,
                QByteArrayList &missed);

} // namespace BenchFigures
