// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HelpText.h"

namespace HelpText {

namespace {

const QString usageMark = QStringLiteral("Usage: ");

// How many lines the usage takes: "Usage: " and the lines indented by at
// least one blank after it.
qsizetype usageLineCount(const QStringList &lines)
{
    if (lines.isEmpty() || !lines.first().startsWith(usageMark))
        return 0;
    qsizetype count = 1;
    while (count < lines.size() && lines[count].startsWith(u' ') && !lines[count].trimmed().isEmpty())
        ++count;
    return count;
}

}  // namespace

QStringList usageLines(const QString &help)
{
    const QStringList lines = help.split(u'\n');
    QStringList usage;
    for (qsizetype i = 0; i < usageLineCount(lines); ++i)
        usage << (i == 0 ? lines[i].mid(usageMark.size()) : lines[i].trimmed());
    return usage;
}

QString withoutUsage(const QString &help)
{
    const QStringList lines = help.split(u'\n');
    qsizetype start = usageLineCount(lines);
    while (start < lines.size() && lines[start].trimmed().isEmpty())
        ++start;
    return lines.mid(start).join(u'\n');
}

QStringList commandNames(const QString &help)
{
    const QStringList lines = help.split(u'\n');
    QStringList names;
    const qsizetype block = lines.indexOf(QStringLiteral("Commands:"));
    if (block < 0)
        return names;
    for (qsizetype i = block + 1; i < lines.size() && lines[i].startsWith(QStringLiteral("  ")); ++i) {
        const QString name = lines[i].trimmed().section(u' ', 0, 0);
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

}  // namespace HelpText
