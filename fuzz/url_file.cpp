// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// An internet-shortcut file (.url): read from its bytes, from its file, and
// as a shortcut of the favorites folder, it gives the same address.

#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "UrlFileReader.h"

#include <QFile>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString url = UrlFileReader::urlOfShortcut(bytes);
    const QString file = FuzzFolder::write(QStringLiteral("shortcut.url"), bytes);
    FUZZ_CHECK(UrlFileReader::readUrlFile(file) == url);
    const std::optional<QString> shortcut = UrlFileReader::readShortcutAt(QFile::encodeName(file));
    FUZZ_CHECK(shortcut && *shortcut == url);
    return 0;
}
