// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsTable.h"

#include "SettingsField.h"

#include <limits>

namespace SettingsTable {

namespace {

constexpr int int32Min = std::numeric_limits<qint32>::min();
constexpr int int32Max = std::numeric_limits<qint32>::max();
constexpr int int16Max = std::numeric_limits<qint16>::max();

Setting flag(const char *name, const char *storedIn, int field, bool AppSettings::*member,
             std::function<bool(const StoredFields &)> isStored)
{
    Setting setting;
    setting.name = QString::fromLatin1(name);
    setting.storedIn = QString::fromLatin1(storedIn);
    setting.field = field;
    setting.kind = Setting::Flag;
    setting.flag = member;
    setting.isStored = std::move(isStored);
    return setting;
}

Setting number(const char *name, const char *storedIn, int field, int AppSettings::*member, int min, int max,
               std::function<bool(const StoredFields &)> isStored)
{
    Setting setting;
    setting.name = QString::fromLatin1(name);
    setting.storedIn = QString::fromLatin1(storedIn);
    setting.field = field;
    setting.kind = Setting::Number;
    setting.number = member;
    setting.min = min;
    setting.max = max;
    setting.isStored = std::move(isStored);
    return setting;
}

bool flagWordStored(const StoredFields &f)
{
    return f.cf.flagWord.has_value();
}

QList<Setting> buildTable()
{
    QList<Setting> table;
    // "ID"
    table << number("mT", "ID", 0, &AppSettings::mT, 0, 3,
                    [](const StoredFields &f) { return !f.id.nothingStored; });
    table << number("trayTop", "ID", 1, &AppSettings::trayTop, int32Min, int32Max,
                    [](const StoredFields &f) { return f.id.trayTop.has_value(); });
    table << number("trayLeft", "ID", 2, &AppSettings::trayLeft, int32Min, int32Max,
                    [](const StoredFields &f) { return f.id.trayLeft.has_value(); });
    table << flag("aI", "ID", 3, &AppSettings::aI,
                  [](const StoredFields &f) { return f.id.activeIconShown.has_value(); });
    table << flag("iAOT", "ID", 4, &AppSettings::iAOT,
                  [](const StoredFields &f) { return f.id.iAOT.has_value(); });
    table << number("oC", "ID", 5, &AppSettings::oC, 0, 1,
                    [](const StoredFields &f) { return f.id.oC.has_value(); });
    table << flag("dTI", "ID", 6, &AppSettings::dTI,
                  [](const StoredFields &f) { return f.id.dTI.has_value(); });
    table << flag("hAI", "ID", 7, &AppSettings::hAI,
                  [](const StoredFields &f) { return f.id.hAI.has_value(); });
    // "CF"
    table << flag("uSK", "CF", 0, &AppSettings::uSK, flagWordStored);
    table << flag("mAOT", "CF", 0, &AppSettings::mAOT, flagWordStored);
    table << flag("bFW", "CF", 0, &AppSettings::bFW, flagWordStored);
    table << flag("filterAdvanced", "CF", 0, &AppSettings::filterAdvanced, flagWordStored);
    table << flag("aLS", "CF", 0, &AppSettings::aLS, flagWordStored);
    table << flag("aSS", "CF", 0, &AppSettings::aSS, flagWordStored);
    table << flag("aLU", "CF", 0, &AppSettings::aLU, flagWordStored);
    table << flag("aSU", "CF", 0, &AppSettings::aSU, flagWordStored);
    table << number("pB", "CF", 2, &AppSettings::pB, 0, 2,
                    [](const StoredFields &f) { return f.cf.pB.has_value(); });
    table << number("tP", "CF", 3, &AppSettings::tP, 0, 3,
                    [](const StoredFields &f) { return f.cf.tP.has_value(); });
    table << number("currentTab", "CF", 4, &AppSettings::currentTab, 1, 2,
                    [](const StoredFields &f) { return f.cf.currentTab.has_value(); });
    table << number("advMode", "CF", 5, &AppSettings::advMode, 0, 2,
                    [](const StoredFields &f) { return f.cf.advMode.has_value(); });
    table << number("lastIDX2", "CF", 6, &AppSettings::lastIDX2, -32768, 32767,
                    [](const StoredFields &f) { return f.cf.selectedGroup.has_value(); });
    table << number("mainTop", "CF", 7, &AppSettings::mainTop, int32Min, int32Max,
                    [](const StoredFields &f) { return f.cf.mainTop.has_value(); });
    table << number("mainLeft", "CF", 8, &AppSettings::mainLeft, int32Min, int32Max,
                    [](const StoredFields &f) { return f.cf.mainLeft.has_value(); });
    table << number("mainWidth", "CF", 9, &AppSettings::mainWidth, int32Min, int32Max,
                    [](const StoredFields &f) { return f.cf.mainWidth.has_value(); });
    table << number("mainHeight", "CF", 10, &AppSettings::mainHeight, int32Min, int32Max,
                    [](const StoredFields &f) { return f.cf.mainHeight.has_value(); });
    table << number("slideMask", "CF", 11, &AppSettings::slideMask, int32Min, int32Max,
                    [](const StoredFields &f) { return f.cf.slideMask.has_value(); });
    table << number("cAF", "CF", 12, &AppSettings::cAF, 0, 2,
                    [](const StoredFields &f) { return f.cf.cAF.has_value(); });
    // "CH"
    Setting widths;
    widths.name = QStringLiteral("columnWidths");
    widths.storedIn = QStringLiteral("CH");
    widths.kind = Setting::Widths;
    widths.min = 0;
    widths.max = int16Max;
    widths.isStored = [](const StoredFields &f) {
        return std::any_of(f.ch.begin(), f.ch.end(), [](const std::optional<int> &w) { return w.has_value(); });
    };
    table << widths;
    return table;
}

} // namespace

const QList<Setting> &settings()
{
    static const QList<Setting> table = buildTable();
    return table;
}

const Setting *find(const QString &name)
{
    for (const Setting &setting : settings()) {
        if (setting.name == name)
            return &setting;
    }
    return nullptr;
}

bool setFromText(AppSettings &settings, const Setting &setting, const QString &text)
{
    switch (setting.kind) {
    case Setting::Flag: {
        const std::optional<bool> value = SettingsField::flag(text);
        if (!value)
            return false;
        settings.*setting.flag = *value;
        return true;
    }
    case Setting::Number: {
        const std::optional<int> value = SettingsField::number(text, setting.min, setting.max);
        if (!value)
            return false;
        settings.*setting.number = *value;
        return true;
    }
    case Setting::Widths: {
        const QStringList parts = text.split(u',');
        if (parts.size() > qsizetype(settings.columnWidths.size()))
            return false;
        std::array<int, 9> widths = settings.columnWidths;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const std::optional<int> width = SettingsField::number(parts[i].trimmed(), setting.min, setting.max);
            if (!width)
                return false;
            widths[size_t(i)] = *width;
        }
        settings.columnWidths = widths;
        return true;
    }
    }
    return false;
}

QList<int> fieldsSetBy(const Setting &setting, const QString &text)
{
    if (setting.kind != Setting::Widths)
        return {setting.field};
    QList<int> fields;
    for (int i = 0; i < int(text.count(u',')) + 1; ++i)
        fields << setting.field + i;
    return fields;
}

} // namespace SettingsTable
