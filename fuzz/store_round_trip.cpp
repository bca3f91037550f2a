// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A store that loads, saved and loaded again, is the same: the saved file
// loads to a store whose save is that file, byte for byte.

#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "StoreText.h"

#include <QFile>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    URLBlock store;
    FUZZ_CHECK(StackFile::loadStackFile(store, FuzzFolder::write(QStringLiteral("in.tsy"), file), false,
                                        StoreText::now));
    const QString saved = FuzzFolder::path() + QStringLiteral("/saved.tsy");
    QString error;
    FUZZ_CHECK(StackFile::saveStackFile(store, saved, &error));
    QFile savedFile(saved);
    FUZZ_CHECK(savedFile.open(QIODevice::ReadOnly));
    const QByteArray savedText = savedFile.readAll();
    FUZZ_CHECK(savedText == StackFile::stackFileText(store));
    FUZZ_CHECK(StoreText::ofFile(saved) == savedText);
    return 0;
}
