// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// The parts of a --help text that a manual page takes apart: the usage lines
// it begins with ("Usage: " and the lines that go on from it), the rest, and
// the commands a "Commands:" block lists ("  name  summary", one a line).
namespace HelpText {

// The usage lines without "Usage: " and without the indent of the lines
// that follow it; empty when the text does not begin with "Usage: ".
QStringList usageLines(const QString &help);

// The text after the usage lines and the blank lines that follow them.
QString withoutUsage(const QString &help);

// The command names of the "Commands:" block, in its order.
QStringList commandNames(const QString &help);

}  // namespace HelpText
