// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsCodec.h"

#include "SettingsField.h"

#include <limits>

namespace SettingsCodec {

namespace {

constexpr int int32Min = std::numeric_limits<qint32>::min();
constexpr int int32Max = std::numeric_limits<qint32>::max();
constexpr int int16Min = std::numeric_limits<qint16>::min();
constexpr int int16Max = std::numeric_limits<qint16>::max();
constexpr int maxColumns = 9;

std::optional<int> numberAt(const QStringList &fields, int index, int min, int max)
{
    return SettingsField::number(SettingsField::at(fields, index), min, max);
}

std::optional<bool> flagAt(const QStringList &fields, int index)
{
    return SettingsField::flag(SettingsField::at(fields, index));
}

QString joinedWithTrailingBlanks(const QList<int> &numbers)
{
    QString text;
    for (const int number : numbers)
        text += QString::number(number) + u' ';
    return text;
}

} // namespace

IdFields parseId(const QString &value)
{
    const QStringList fields = SettingsField::split(value);
    IdFields id;
    id.fieldCount = value.isEmpty() ? 0 : int(fields.size());
    id.nothingStored = SettingsField::at(fields, 0).isEmpty();
    id.mT = numberAt(fields, 0, 0, 3).value_or(0);
    id.trayTop = numberAt(fields, 1, int32Min, int32Max);
    id.trayLeft = numberAt(fields, 2, int32Min, int32Max);
    const QString activeIcon = SettingsField::at(fields, 3);
    if (!activeIcon.isEmpty())
        id.activeIconShown = activeIcon == QLatin1String("0");
    id.iAOT = flagAt(fields, 4);
    id.oC = numberAt(fields, 5, 0, 1);
    id.dTI = flagAt(fields, 6);
    id.hAI = flagAt(fields, 7);
    return id;
}

QString composeId(const AppSettings &settings)
{
    return QStringList {QString::number(settings.mT),
                        QString::number(settings.trayTop),
                        QString::number(settings.trayLeft),
                        settings.aI ? QStringLiteral("0") : QStringLiteral("1"),
                        settings.iAOT ? QStringLiteral("1") : QStringLiteral("0"),
                        QString::number(settings.oC),
                        SettingsField::flagText(settings.dTI),
                        SettingsField::flagText(settings.hAI)}
        .join(u' ');
}

CfFields parseCf(const QString &value)
{
    const QStringList fields = SettingsField::split(value);
    CfFields cf;
    cf.flagWord = numberAt(fields, 0, 0, int32Max);
    cf.mT = numberAt(fields, 1, 0, 3);
    cf.pB = numberAt(fields, 2, 0, 2);
    cf.tP = numberAt(fields, 3, 0, 3);
    const QString tab = SettingsField::at(fields, 4);
    if (!tab.isEmpty()) {
        const int number = SettingsField::leadingNumber(tab);
        if (number == 1 || number == 2)
            cf.currentTab = number;
    }
    cf.advMode = numberAt(fields, 5, 0, 2);
    cf.selectedGroup = numberAt(fields, 6, int16Min, int16Max);
    cf.mainTop = numberAt(fields, 7, int32Min, int32Max);
    cf.mainLeft = numberAt(fields, 8, int32Min, int32Max);
    cf.mainWidth = numberAt(fields, 9, int32Min, int32Max);
    cf.mainHeight = numberAt(fields, 10, int32Min, int32Max);
    cf.slideMask = numberAt(fields, 11, int32Min, int32Max);
    cf.cAF = numberAt(fields, 12, 0, 2);
    const QString remembered = SettingsField::at(fields, 6);
    cf.rememberedGroup = qBound(int16Min, SettingsField::leadingNumber(remembered), int16Max);
    return cf;
}

QString composeCf(const AppSettings &settings, const MainWindowLayout &layout)
{
    return joinedWithTrailingBlanks({flagWord(settings, layout.fullWindow, layout.filterAdvanced),
                                     settings.mT,
                                     settings.pB,
                                     layout.tabPlacement,
                                     layout.currentTab,
                                     layout.advMode,
                                     layout.selectedGroup,
                                     layout.top,
                                     layout.left,
                                     layout.width,
                                     layout.height,
                                     slideMask(layout.slideButtonsOut),
                                     settings.cAF});
}

std::array<std::optional<int>, 9> parseCh(const QString &value)
{
    const QStringList fields = SettingsField::split(value);
    std::array<std::optional<int>, maxColumns> widths;
    for (int i = 0; i < maxColumns; ++i)
        widths[size_t(i)] = numberAt(fields, i, 0, int16Max);
    return widths;
}

QString composeCh(const QList<int> &columnWidths)
{
    return joinedWithTrailingBlanks(columnWidths.mid(0, maxColumns));
}

int flagWord(const AppSettings &settings, bool fullWindow, bool filterAdvanced)
{
    int word = 0;
    word |= settings.uSK ? UseKeystrokes : 0;
    word |= settings.mAOT ? MainAlwaysOnTop : 0;
    word |= fullWindow ? FullWindow : 0;
    word |= filterAdvanced ? FilterPanelExpanded : 0;
    word |= settings.aLS ? 0 : NoAutoLoadSettings;
    word |= settings.aSS ? 0 : NoAutoSaveSettings;
    word |= settings.aLU ? 0 : NoAutoLoadUrls;
    word |= settings.aSU ? 0 : NoAutoSaveUrls;
    return word;
}

void applyAutoOptions(AppSettings &settings, int flagWord)
{
    settings.aLS = !(flagWord & NoAutoLoadSettings);
    settings.aSS = !(flagWord & NoAutoSaveSettings);
    settings.aLU = !(flagWord & NoAutoLoadUrls);
    settings.aSU = !(flagWord & NoAutoSaveUrls);
}

int slideMask(const QList<bool> &slideButtonsOut)
{
    int mask = 0;
    for (qsizetype i = 0; i < slideButtonsOut.size() && i < 31; ++i) {
        if (slideButtonsOut[i])
            mask |= 1 << i;
    }
    return mask;
}

} // namespace SettingsCodec
