// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoreExportCommand.h"

#include "DayCount.h"
#include "FilePaths.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>

int StoreExportCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 2))
        return UsageError;
    const QString file = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);
    if (FilePaths::exists(out) && FilePaths::canonical(file) == FilePaths::canonical(out))
        return usageError(QStringLiteral("%1: %2 would replace the stack file").arg(out, outName()));
    // The store is left to the end of the process, which gives all its memory
    // back at once, as tsy normalize does.
    static URLBlock *const store = new URLBlock;
    QString error;
    if (!ToolStore::loadStackFile(*store, file, false, DayCount::now(), &error) || !writeStore(*store, out, &error))
        return fileError(error);
    m_out << ToolStore::writtenText(store->IDXList().groupCount(), store->urlDatas().Count(), out) << '\n';
    return Success;
}
