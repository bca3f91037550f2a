// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

class QCommandLineParser;

// One command of tsy. Subclasses describe themselves and do their work in
// execute(); run() answers --help and turns errors into exit statuses.
class Command
{
public:
    enum ExitStatus { Success = 0, FileError = 1, UsageError = 2 };

    Command(QTextStream &out, QTextStream &err);
    virtual ~Command();

    virtual QString name() const = 0;
    virtual QString summary() const = 0;
    // The synopsis and description printed by "tsy NAME --help".
    virtual QString help() const = 0;

    int run(const QStringList &arguments);

    // How many of the first positional arguments are paths, FILE.tsy first,
    // for a command that the running program runs on its live store when it
    // holds FILE (see LiveLink); 0 for a command that always runs here.
    virtual int livePaths() const { return 0; }

    // The program's arguments after its name (argv as the application left
    // it), each taken as a path is (see FilePaths): a file name that is not
    // UTF-8 keeps its bytes and names its file.
    static QStringList argumentsOf(int argc, char *argv[]);

protected:
    virtual int execute(const QStringList &arguments) = 0;

    // Parses options and positional arguments; false after printing a usage
    // error. A negative number ("-5", "-1.5") is a value, never an option.
    // With orMore, positionalCount is the least number of positional arguments.
    // Also false, with nothing printed, when the running program ran the
    // command instead (see livePaths): run() then gives its exit status.
    bool parse(QCommandLineParser &parser, const QStringList &arguments, int positionalCount,
               bool orMore = false);
    int usageError(const QString &message);
    int fileError(const QString &message);

    QTextStream &m_out;
    QTextStream &m_err;

private:
    QStringList m_arguments;             // as run() was given them
    std::optional<int> m_programStatus;  // of the command the running program ran

    bool ranInProgram(const QCommandLineParser &parser, const QStringList &arguments);
    static QStringList optionsOf(const QCommandLineParser &parser);
    static QStringList withPositionalsLast(const QCommandLineParser &parser, const QStringList &marked);
};
