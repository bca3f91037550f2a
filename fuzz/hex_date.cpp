// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The date text of stack files, both ways. Read: the bytes and the text of
// the same characters give the same date, and a date in the exact form is
// written back as it was read (in capitals). Written: the three writers agree,
// the text reads back to the date within the text's resolution (1e-5 days,
// dates past the last writable day kept at that day), and writing that date
// again gives the same text.

#include "FuzzCheck.h"
#include "HexDate.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double lastWritable = 65535.99999;

void checkRead(QByteArrayView bytes)
{
    const double value = ConvertHexDate(bytes);
    FUZZ_CHECK(value == ConvertHexDate(QString::fromLatin1(bytes)));
    const HexDateForm form = hexDateForm(bytes);
    FUZZ_CHECK((form == HexDateForm::None) == !(value > 0.0));
    if (form == HexDateForm::Exact)
        FUZZ_CHECK(GetHexDate(value) == QString::fromLatin1(bytes.first(9)).toUpper());
}

void checkWrite(double date)
{
    const QString text = GetHexDate(date);
    QByteArray appended;
    appendHexDate(appended, date);
    std::array<char, 9> written {};
    const char *end = writeHexDate(written.data(), date);
    FUZZ_CHECK(appended == text.toLatin1() && QByteArrayView(written.data(), end) == appended);
    const double back = ConvertHexDate(text);
    if (!(date > 0.0) || !std::isfinite(date)) {
        FUZZ_CHECK(text == QStringLiteral("0") && back == 0.0);
        return;
    }
    FUZZ_CHECK(std::abs(back - std::min(date, lastWritable)) < 1.0001e-5);
    // A date within the text's resolution of day 0 is written as day 0, which reads as no date.
    FUZZ_CHECK(GetHexDate(back) == text || (back == 0.0 && text == QStringLiteral("000000000")));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkRead(bytes);
    if (size >= sizeof(double)) {
        double date = 0;
        std::memcpy(&date, data, sizeof date);
        checkWrite(date);
    }
    return 0;
}
