// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Firefox's session store. The input is read as a whole "mozLz40" file and
// as the session's JSON (a refusal always gives its reason); packed as
// Firefox packs it (one LZ4 block behind the magic and the size), it must
// unpack to itself.

#include "FuzzCheck.h"
#include "SessionStore.h"

#include <cstdint>
#include <lz4.h>

namespace {

QByteArray packed(const QByteArray &json)
{
    QByteArray file("mozLz40", 8);
    const quint32 size = quint32(json.size());
    for (int shift = 0; shift < 32; shift += 8)
        file += char((size >> shift) & 0xFF);
    QByteArray block(LZ4_compressBound(int(json.size())), Qt::Uninitialized);
    const int blockSize
        = LZ4_compress_default(json.constData(), block.data(), int(json.size()), int(block.size()));
    FUZZ_CHECK(blockSize > 0);
    return file + block.first(blockSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    if (const auto json = SessionStore::decompress(input, &error))
        FUZZ_CHECK(json->size() <= SessionStore::largestSize);
    else
        FUZZ_CHECK(!error.isEmpty());

    error.clear();
    if (!SessionStore::currentPage(input, &error))
        FUZZ_CHECK(!error.isEmpty());
    const auto unpacked = SessionStore::decompress(packed(input), &error);
    FUZZ_CHECK(unpacked && *unpacked == input);
    return 0;
}
