// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsCommand.h"

#include "HiveSession.h"
#include "JsonText.h"
#include "Registry.h"
#include "StoredSettings.h"

#include <QCommandLineParser>

namespace {

QString valueJson(const AppSettings &settings, const SettingsTable::Setting &setting)
{
    switch (setting.kind) {
    case SettingsTable::Setting::Flag:
        return settings.*setting.flag ? QStringLiteral("true") : QStringLiteral("false");
    case SettingsTable::Setting::Number:
        return QString::number(settings.*setting.number);
    case SettingsTable::Setting::Widths: {
        QStringList widths;
        for (const int width : settings.columnWidths)
            widths << QString::number(width);
        return u'[' + widths.join(u',') + u']';
    }
    }
    return QStringLiteral("null");
}

} // namespace

QString SettingsCommand::summary() const
{
    return QStringLiteral("show the current user's settings as JSON, or change them");
}

QString SettingsCommand::help() const
{
    QStringList names;
    for (const SettingsTable::Setting &setting : SettingsTable::settings())
        names << setting.name;
    return QStringLiteral(
               "Usage: tsy settings [--set NAME=VALUE ...]\n"
               "\n"
               "Prints the settings of the current user as one JSON object keyed by the\n"
               "settings' names: {\"mT\":{\"value\":0,\"stored\":true,\"in\":\"ID\"}, ...}. \"stored\"\n"
               "is false where nothing is stored and the value is the default.\n"
               "\n"
               "  --set NAME=VALUE  changes a setting (repeat for several), writes it in the\n"
               "                    program's layout, then prints the settings. Only the\n"
               "                    settings given are written: every other stays as\n"
               "                    stored, or not stored. Flags take True/False (or 1/0);\n"
               "                    columnWidths takes comma-separated widths in twips\n"
               "                    from the first column (0: the column fits its text).\n"
               "\n"
               "Settings: ")
        + names.join(QStringLiteral(", ")) + u'\n';
}

int SettingsCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption set(QStringLiteral("set"), QString(), QStringLiteral("NAME=VALUE"));
    parser.addOption(set);
    if (!parse(parser, arguments, 0))
        return UsageError;

    // The hive is read once for the whole command, and locked throughout when it is changed.
    const QStringList changes = parser.values(set);
    HiveSession session(Registry::HKEY_CURRENT_USER, changes.isEmpty() ? HiveSession::Reading : HiveSession::Writing);
    if (!session.isOpen())
        return fileError(session.errorString());

    StoredSettings::Snapshot snapshot = StoredSettings::read();
    StoredSettings::ChangedFields changed;
    QList<const SettingsTable::Setting *> given;
    for (const QString &change : changes) {
        const qsizetype equals = change.indexOf(u'=');
        const SettingsTable::Setting *setting = equals > 0 ? SettingsTable::find(change.left(equals)) : nullptr;
        if (!setting)
            return usageError(QStringLiteral("--set: '%1' does not name a setting").arg(change));
        const QString text = change.mid(equals + 1);
        if (!SettingsTable::setFromText(snapshot.settings, *setting, text))
            return usageError(QStringLiteral("--set: '%1' is not a value for %2").arg(text, setting->name));
        changed.add(*setting, text);
        given << setting;
    }
    if (!changes.isEmpty()) {
        // Only the settings given are written: what is not stored stays so.
        StoredSettings::write(snapshot.settings, changed);
        // Read back what was written: a write that failed shows as nothing stored.
        snapshot = StoredSettings::read();
        if (!session.errorString().isEmpty())
            return fileError(session.errorString());
        for (const SettingsTable::Setting *setting : given) {
            if (!setting->isStored(snapshot.fields))
                return fileError(QStringLiteral("%1: could not be written")
                                     .arg(Registry::hiveFilePath(Registry::HKEY_CURRENT_USER)));
        }
    }

    m_out << '{';
    bool first = true;
    for (const SettingsTable::Setting &setting : SettingsTable::settings()) {
        m_out << (first ? "" : ",") << JsonText::string(setting.name) << ":{\"value\":"
              << valueJson(snapshot.settings, setting)
              << ",\"stored\":" << (setting.isStored(snapshot.fields) ? "true" : "false")
              << ",\"in\":" << JsonText::string(setting.storedIn) << '}';
        first = false;
    }
    m_out << "}\n";
    return Success;
}
