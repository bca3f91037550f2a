// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RegCommand.h"

#include "HiveSession.h"
#include "Registry.h"
#include "regModule.h"

#include <QCommandLineParser>

QString RegCommand::summary() const
{
    return QStringLiteral("read or write a value of the current user's registry hive");
}

QString RegCommand::help() const
{
    return QStringLiteral(
        "Usage: tsy reg query KEY NAME\n"
        "       tsy reg set KEY NAME VALUE [--dword]\n"
        "\n"
        "Tessaly keeps its settings in registry hives: REGEDIT4 text files in\n"
        "$XDG_CONFIG_HOME/Tessaly/ (HKEY_CURRENT_USER.reg, HKEY_LOCAL_MACHINE.reg).\n"
        "KEY is a path below HKEY_CURRENT_USER such as SOFTWARE\\Orvane\\Tessaly;\n"
        "NAME is a value's name (\"\" for the key's default value).\n"
        "\n"
        "  query  prints the value as text (a number as its decimal digits); a key or\n"
        "         value that is not there, or a value of another type, is an error\n"
        "  set    creates the key when missing and writes the value as a string, or\n"
        "         with --dword as a 32-bit number\n");
}

int RegCommand::execute(const QStringList &arguments)
{
    const QString action = arguments.value(0);
    if (action == QLatin1String("query"))
        return query(arguments.mid(1));
    if (action == QLatin1String("set"))
        return set(arguments.mid(1));
    return usageError(action.isEmpty() ? QStringLiteral("expected query or set")
                                       : QStringLiteral("unknown action '%1'").arg(action));
}

int RegCommand::query(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 2))
        return UsageError;
    const QStringList args = parser.positionalArguments();
    const HiveSession session(Registry::HKEY_CURRENT_USER, HiveSession::Reading);
    if (!session.isOpen())
        return fileError(session.errorString());
    const QString key = Registry::rootName(Registry::HKEY_CURRENT_USER) + u'\\' + args.at(0);
    regModule::KeyHandle handle;
    if (regModule::openKey(Registry::HKEY_CURRENT_USER, args.at(0), &handle) != regModule::ERROR_SUCCESS)
        return fileError(QStringLiteral("%1: not found").arg(key));
    const QString value = args.at(1).isEmpty() ? QStringLiteral("default value")
                                               : QStringLiteral("value \"%1\"").arg(args.at(1));
    QVariant stored;
    const long status = regModule::queryValueEx(handle, args.at(1), stored);
    if (status == regModule::ERROR_FILE_NOT_FOUND)
        return fileError(QStringLiteral("%1, %2: not found").arg(key, value));
    if (status != regModule::ERROR_SUCCESS)
        return fileError(QStringLiteral("%1, %2: neither a string nor a number").arg(key, value));
    m_out << stored.toString() << '\n';
    return Success;
}

int RegCommand::set(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption dword(QStringLiteral("dword"));
    parser.addOption(dword);
    if (!parse(parser, arguments, 3))
        return UsageError;
    const QStringList args = parser.positionalArguments();
    const quint32 type = parser.isSet(dword) ? regModule::REG_DWORD : regModule::REG_SZ;
    QVariant value = args.at(2);
    if (type == regModule::REG_DWORD) {
        bool ok = false;
        const qlonglong number = args.at(2).toLongLong(&ok, 0);
        if (!ok || number < -0x80000000LL || number > 0xFFFFFFFFLL)
            return usageError(QStringLiteral("--dword: '%1' is not a 32-bit number").arg(args.at(2)));
        value = number;
    }
    // The same procedures the program uses, on the hive read and locked once;
    // a write that fails is reported here.
    HiveSession session(Registry::HKEY_CURRENT_USER, HiveSession::Writing);
    if (!session.isOpen())
        return fileError(session.errorString());
    regModule::createNewKey(args.at(0), Registry::HKEY_CURRENT_USER);
    const long status = regModule::setKeyValue(args.at(0), args.at(1), value, type);
    if (status != regModule::ERROR_SUCCESS)
        return fileError(session.errorString().isEmpty()
                             ? QStringLiteral("%1: could not be written (status %2)")
                                   .arg(Registry::hiveFilePath(Registry::HKEY_CURRENT_USER))
                                   .arg(status)
                             : session.errorString());
    return Success;
}
