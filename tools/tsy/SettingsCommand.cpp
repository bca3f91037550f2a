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
               "  --set NAME=VALUE  changes a setting (repeat for several) and writes the\n"
               "                    settings back as the program does, then prints them.\n"
               "                    Flags take True/False (or 1/0); columnWidths takes\n"
               "                    comma-separated widths in twips.\n"
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
    for (const QString &change : changes) {
        const qsizetype equals = change.indexOf(u'=');
        const SettingsTable::Setting *setting = equals > 0 ? SettingsTable::find(change.left(equals)) : nullptr;
        if (!setting)
            return usageError(QStringLiteral("--set: '%1' does not name a setting").arg(change));
        if (!SettingsTable::setFromText(snapshot.settings, *setting, change.mid(equals + 1)))
            return usageError(QStringLiteral("--set: '%1' is not a value for %2").arg(change.mid(equals + 1), setting->name));
    }
    if (!changes.isEmpty()) {
        StoredSettings::write(snapshot.settings);
        // Read back what was written: a write that failed shows as nothing stored.
        snapshot = StoredSettings::read();
        if (!session.errorString().isEmpty())
            return fileError(session.errorString());
        if (!snapshot.fields.cf.flagWord || snapshot.fields.id.nothingStored)
            return fileError(QStringLiteral("%1: could not be written")
                                 .arg(Registry::hiveFilePath(Registry::HKEY_CURRENT_USER)));
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
