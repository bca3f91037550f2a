// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Browser window titles and the texts of the DDE conversations, from lines
// of the input: a window title, its class and instance; then an address and
// a title for the replies. The page title is the start of the window title;
// an item or reply that is read is the one that would be written of what
// was read; what is written is read back.

#include "BrowserTitles.h"
#include "DdeItems.h"
#include "FuzzCheck.h"

#include <QStringList>
#include <cstdint>

namespace {

void checkTitle(const QString &title, const QString &className, const QString &instance)
{
    FUZZ_CHECK(title.startsWith(BrowserTitles::pageTitle(title)));
    BrowserTitles::isBrowserTitle(title);
    BrowserTitles::familyOf(title, className, instance);
}

void checkRead(const QString &text)
{
    if (const auto item = DdeItems::readOpenUrlItem(text))
        FUZZ_CHECK(text == DdeItems::openUrlItem(item->url, item->newWindow, 0)
                   || text == DdeItems::openUrlItem(item->url, item->newWindow, 1));
    if (const auto info = DdeItems::readWindowInfo(text))
        FUZZ_CHECK(DdeItems::windowInfoReply(info->url, info->title)
                   == text.first(text.lastIndexOf(u'"') + 1));
}

void checkWritten(const QString &url, const QString &title)
{
    for (int browser = 0; browser < 4; ++browser) {
        for (int newWindow = 0; newWindow < 2; ++newWindow) {
            const auto item = DdeItems::readOpenUrlItem(DdeItems::openUrlItem(url, newWindow, browser));
            FUZZ_CHECK(item && item->url == url && item->newWindow == bool(newWindow));
        }
    }
    // The address ends at the first quote-comma-quote: one inside it cannot be told apart.
    const QString reply = DdeItems::windowInfoReply(url, title);
    if (reply.indexOf(QStringLiteral("\",\""), 1) == url.size() + 1) {
        const auto info = DdeItems::readWindowInfo(reply);
        FUZZ_CHECK(info && info->url == url && info->title == title);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList lines = input.split(u'\n');
    while (lines.size() < 5)
        lines << QString();
    checkTitle(lines[0], lines[1], lines[2]);
    checkRead(lines[0]);
    checkRead(input);
    checkWritten(lines[3], lines[4]);
    return 0;
}
