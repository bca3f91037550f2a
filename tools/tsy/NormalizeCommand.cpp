// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NormalizeCommand.h"

#include "DayCount.h"
#include "LockedStackFileEdit.h"
#include "StackFile.h"
#include "StackFileStream.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>

namespace {

// Every line of a file written again as a save writes it, none copied.
class SavedLines : public StackFileStream::Edit
{
public:
    StackFileStream::GroupFate group(int, const QString &name, QString *newName) override
    {
        *newName = name;
        return StackFileStream::GroupFate::Rename;
    }
    StackFileStream::EntryFate entry(StackFileStream::EntryLine &, QString *) override
    {
        return StackFileStream::EntryFate::Rewrite;
    }
};

}  // namespace

QString NormalizeCommand::summary() const
{
    return QStringLiteral("load a stack file and save it again (UTF-8, CR LF)");
}

QString NormalizeCommand::help() const
{
    return QStringLiteral("Usage: tsy normalize IN.tsy OUT.tsy\n"
                          "\n"
                          "Loads IN as the program does (lines that do not parse are skipped, lines in\n"
                          "Windows-1252 are converted) and writes the store to OUT as the program\n"
                          "saves it: UTF-8 with CR LF line ends. OUT is replaced in one step, under its\n"
                          "lock as with tsy merge.\n");
}

int NormalizeCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 2))
        return UsageError;
    const QString in = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);
    QString error;
    if (!LockedStackFileEdit::run(out, [&](QString *editError) { return normalize(in, out, editError); }, &error))
        return fileError(error);
    return Success;
}

bool NormalizeCommand::normalize(const QString &in, const QString &out, QString *error)
{
    if (ToolStore::streams()) {
        // Line by line, each line written as a save writes it.
        SavedLines lines;
        return StackFileStream::rewriteInto(in, out, lines, DayCount::now(), error);
    }
    // The store is left to the end of the process, which gives all its memory
    // back at once: freeing 100,000 entries one by one would add about a tenth
    // to the command's time (bench/README.md). Reachable through the static,
    // so it is no leak to a leak checker.
    static URLBlock *const store = new URLBlock;
    return ToolStore::loadStackFile(*store, in, false, DayCount::now(), error)
        && StackFile::saveStackFile(*store, out, error);
}
