#include "Command.h"

#include <QCommandLineParser>

Command::Command(QTextStream &out, QTextStream &err)
    : m_out(out)
    , m_err(err)
{ }

Command::~Command() = default;

int Command::run(const QStringList &arguments)
{
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        m_out << help();
        return Success;
    }
    return execute(arguments);
}

bool Command::parse(QCommandLineParser &parser, const QStringList &arguments, int positionalCount)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList {QStringLiteral("tsy")} + arguments)) {
        usageError(parser.errorText());
        return false;
    }
    if (parser.positionalArguments().size() != positionalCount) {
        usageError(QStringLiteral("expected %1 argument(s), got %2")
                       .arg(positionalCount)
                       .arg(parser.positionalArguments().size()));
        return false;
    }
    return true;
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
