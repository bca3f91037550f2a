// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The registry hive text. Whatever a hive file holds, the text the hive
// writes of it reads back to the same hive: written again, it is the same
// text, byte for byte (values kept raw included).

#include "FuzzCheck.h"
#include "RegistryHive.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    RegistryHive hive(QStringLiteral("HKEY_CURRENT_USER"));
    hive.parse(file);
    const QByteArray written = hive.toText();
    RegistryHive back(QStringLiteral("HKEY_CURRENT_USER"));
    back.parse(written);
    FUZZ_CHECK(back.keys().size() == hive.keys().size());
    FUZZ_CHECK(back.toText() == written);
    return 0;
}
