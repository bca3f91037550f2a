// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings strings "ID", "CF" and "CH" as the registry hands them over.
// Reading never fails, a field that is read lies in its setting's range,
// and column widths written from what was read read back the same.

#include "FuzzCheck.h"
#include "SettingsCodec.h"

#include <cstdint>
#include <limits>

namespace {

bool within(const std::optional<int> &field, int min, int max)
{
    return !field || (*field >= min && *field <= max);
}

void checkId(const QString &value)
{
    const SettingsCodec::IdFields id = SettingsCodec::parseId(value);
    FUZZ_CHECK(id.mT >= 0 && id.mT <= 3);
    FUZZ_CHECK(within(id.oC, 0, 1));
    FUZZ_CHECK(id.nothingStored || id.fieldCount > 0);
}

void checkCf(const QString &value)
{
    const SettingsCodec::CfFields cf = SettingsCodec::parseCf(value);
    constexpr int int16Min = std::numeric_limits<qint16>::min();
    constexpr int int16Max = std::numeric_limits<qint16>::max();
    FUZZ_CHECK(within(cf.flagWord, 0, std::numeric_limits<int>::max()));
    FUZZ_CHECK(within(cf.mT, 0, 3) && within(cf.pB, 0, 2) && within(cf.tP, 0, 3));
    FUZZ_CHECK(within(cf.currentTab, 1, 2) && within(cf.advMode, 0, 2) && within(cf.cAF, 0, 2));
    FUZZ_CHECK(within(cf.selectedGroup, int16Min, int16Max));
    FUZZ_CHECK(cf.rememberedGroup >= int16Min && cf.rememberedGroup <= int16Max);
}

void checkCh(const QString &value)
{
    const auto widths = SettingsCodec::parseCh(value);
    QList<int> given;
    for (const auto &width : widths) {
        if (!width)
            break;
        FUZZ_CHECK(*width >= 0 && *width <= std::numeric_limits<qint16>::max());
        given << *width;
    }
    const auto back = SettingsCodec::parseCh(SettingsCodec::composeCh(given));
    for (qsizetype i = 0; i < qsizetype(back.size()); ++i)
        FUZZ_CHECK(i < given.size() ? back[size_t(i)] == given[i] : !back[size_t(i)]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString value = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    checkId(value);
    checkCf(value);
    checkCh(value);
    return 0;
}
