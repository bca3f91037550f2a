// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

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

    // The program's arguments after its name (argv as the application left
    // it), each taken as a path is (see FilePaths): a file name that is not
    // UTF-8 keeps its bytes and names its file.
    static QStringList argumentsOf(int argc, char *argv[]);

protected:
    virtual int execute(const QStringList &arguments) = 0;

    // Parses options and positional arguments; false after printing a usage
    // error. A negative number ("-5", "-1.5") is a value, never an option.
    // With orMore, positionalCount is the least number of positional arguments.
    bool parse(QCommandLineParser &parser, const QStringList &arguments, int positionalCount,
               bool orMore = false);
    int usageError(const QString &message);
    int fileError(const QString &message);

    QTextStream &m_out;
    QTextStream &m_err;

private:
    static QStringList withPositionalsLast(const QCommandLineParser &parser, const QStringList &marked);
};
