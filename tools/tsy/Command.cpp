// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Command.h"

#include "FilePaths.h"
#include "LiveLink.h"

#include <QCommandLineParser>
#include <QFileInfo>

Command::Command(QTextStream &out, QTextStream &err)
    : m_out(out)
    , m_err(err)
{ }

Command::~Command() = default;

QStringList Command::argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << FilePaths::decode(QByteArrayView(argv[i]));
    return arguments;
}

int Command::run(const QStringList &arguments)
{
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        m_out << help();
        return Success;
    }
    m_arguments = arguments;
    m_programStatus.reset();
    const int status = execute(arguments);
    return m_programStatus.value_or(status);
}

namespace {

// "-5", "-1.5", "-0x10": a value, not an option.
bool isNegativeNumber(const QString &argument)
{
    if (!argument.startsWith(u'-') || argument.size() < 2 || !(argument[1].isDigit() || argument[1] == u'.'))
        return false;
    bool ok = false;
    argument.toDouble(&ok);
    if (!ok)
        argument.toLongLong(&ok, 0);
    return ok;
}

// Stands for a negative number while the options are found: no option starts so.
const QString numberMark = QStringLiteral("\u0001");

QString unmarked(const QString &argument)
{
    return argument.startsWith(numberMark) ? argument.mid(numberMark.size()) : argument;
}

} // namespace

// The arguments with the options (and their values) first and the positional
// ones after "--", so that negative numbers among them are taken as values.
// parser has parsed the arguments with the numbers marked, which tells the
// options that take a value.
QStringList Command::withPositionalsLast(const QCommandLineParser &parser, const QStringList &marked)
{
    QStringList options;
    QStringList positionals;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        const QString &argument = marked[i];
        if (argument == QLatin1String("--")) {
            for (const QString &rest : marked.mid(i + 1))
                positionals << unmarked(rest);
            break;
        }
        if (!argument.startsWith(u'-')) {
            positionals << unmarked(argument);
            continue;
        }
        options << argument;
        const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        if (!name.contains(u'=') && !parser.values(name).isEmpty() && i + 1 < marked.size())
            options << unmarked(marked[++i]);  // the option's value, whatever it looks like
    }
    return options + QStringList {QStringLiteral("--")} + positionals;
}

bool Command::parse(QCommandLineParser &parser, const QStringList &arguments, int positionalCount,
                    bool orMore)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QStringList marked = arguments;
    bool anyNumber = false;
    for (QString &argument : marked) {
        if (isNegativeNumber(argument))
            argument.prepend(numberMark), anyNumber = true;
    }
    bool parsed = parser.parse(QStringList {QStringLiteral("tsy")} + marked);
    if (parsed && anyNumber)
        parsed = parser.parse(QStringList {QStringLiteral("tsy")} + withPositionalsLast(parser, marked));
    if (!parsed) {
        usageError(parser.errorText());
        return false;
    }
    const qsizetype count = parser.positionalArguments().size();
    if (count != positionalCount && !(orMore && count > positionalCount)) {
        usageError(QStringLiteral("expected %1%2 argument(s), got %3")
                       .arg(orMore ? QStringLiteral("at least ") : QString())
                       .arg(positionalCount)
                       .arg(parser.positionalArguments().size()));
        return false;
    }
    return !ranInProgram(parser, arguments);
}

// Hands the command line to the running program when it holds FILE: the
// words before arguments (an action such as "group add"), the options and,
// after "--", the positional arguments with the paths among them absolute.
bool Command::ranInProgram(const QCommandLineParser &parser, const QStringList &arguments)
{
    LiveLink *link = LiveLink::current();
    QStringList positionals = parser.positionalArguments();
    if (!link || livePaths() <= 0 || positionals.isEmpty())
        return false;
    for (qsizetype i = 0; i < qMin<qsizetype>(livePaths(), positionals.size()); ++i) {
        if (!positionals[i].isEmpty())
            positionals[i] = QFileInfo(positionals[i]).absoluteFilePath();
    }
    const QStringList commandLine = QStringList {name()} + m_arguments.first(qMax<qsizetype>(0, m_arguments.size() - arguments.size()))
        + optionsOf(parser) + QStringList {QStringLiteral("--")} + positionals;
    m_programStatus = link->run(positionals.first(), commandLine, m_out, m_err);
    return m_programStatus.has_value();
}

// The options as found, each with its value joined by "=".
QStringList Command::optionsOf(const QCommandLineParser &parser)
{
    QStringList options;
    QHash<QString, qsizetype> used;
    for (const QString &name : parser.optionNames()) {
        const QStringList values = parser.values(name);
        if (values.isEmpty())
            options << QStringLiteral("--") + name;
        else
            options << QStringLiteral("--%1=%2").arg(name, values.value(used[name]++));
    }
    return options;
}

int Command::usageError(const QString &message)
{
    m_err << "tsy " << name() << ": " << message << "\n\n" << help();
    m_err.flush();
    return UsageError;
}

int Command::fileError(const QString &message)
{
    m_err << "tsy " << name() << ": " << message << '\n';
    m_err.flush();
    return FileError;
}
