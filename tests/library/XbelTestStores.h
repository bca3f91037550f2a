// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Stores and files the XBEL tests write and read: texts that test the
// escaping, random stores, another editor's file.

#include "DayCount.h"
#include "URLBlock.h"
#include "XbelExport.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QStringList>

inline QByteArray xbelOf(const URLBlock &store)
{
    QByteArray text;
    const bool written = XbelExport::writeStore(store, [&text](QByteArrayView piece) {
        text += piece;
        return true;
    });
    return written ? text : QByteArray();
}

// Texts that test the escaping: markup, what XML cannot hold, every length of
// UTF-8, and specials on either side of eight units (read eight at a time).
inline QStringList oddTexts()
{
    const auto units = [](std::initializer_list<char16_t> list) {
        return QString(reinterpret_cast<const QChar *>(list.begin()), qsizetype(list.size()));
    };
    return {"&<>\"'", "]]> &amp; &#10;", "a\tb\nc\rd", QStringLiteral("\x01\x1f\x7f end"),
            units({u'x', 0xD800}), units({0xD800, u'y'}), units({0xDC00, u'z'}), units({0xDC00, 0xD800}),
            units({0xD83D, 0xDE00, u'!'}), units({0xFFFE, 0xFFFF, 0xFFFD, 0xFDD0}),
            units({0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000}), "1234567&", "12345678&", "1234567\x02",
            "123456789012345\"6789", QString(QChar(0xD800)) + "2345678" + QChar(0xDC00), "plain ascii of 24 chars!",
            QString::fromUtf8("caf\xc3\xa9 \xe4\xb8\xad \xf0\x9f\x98\x80 "), ""};
}

// An entry for each odd text, as title, address and group name.
inline void addOddEntries(URLBlock &store)
{
    for (const QString &text : oddTexts()) {
        store.NewCatagory(text);
        URLData *entry = store.urlDatas().Add(text, "http://o.example/" + text, store.IDXList().groupCount() - 1);
        entry->Created = 45364.5;
        entry->Visited = text.size() % 2;
    }
}

// A text of pieces drawn from the odd texts and plain words.
inline QString randomText(QRandomGenerator &random)
{
    static const QStringList pieces = oddTexts() + QStringList {"news", " ", "https://", "Ångström", "—", "x"};
    QString text;
    for (int n = random.bounded(8); n > 0; --n)
        text += pieces[random.bounded(int(pieces.size()))];
    return text;
}

inline double randomDate(QRandomGenerator &random)
{
    switch (random.bounded(4)) {
    case 0:
        return 0;
    case 1:
        return DayCount::minDayCount + random.generateDouble() * (DayCount::maxDayCount - DayCount::minDayCount);
    default:
        return 45000 + random.generateDouble() * 2000;
    }
}

// Groups and entries of random texts, dates and counts, some of no group.
inline void addRandomStore(URLBlock &store, quint32 seed)
{
    QRandomGenerator random(seed);
    for (int groups = random.bounded(6); groups > 0; --groups)
        store.NewCatagory(randomText(random));
    for (int entries = random.bounded(400); entries > 0; --entries) {
        const int owner = random.bounded(-1, store.IDXList().groupCount());
        URLData *entry = store.urlDatas().Add(randomText(random), randomText(random), owner);
        entry->Created = randomDate(random);
        entry->LastAccesed = randomDate(random);
        entry->Visited = random.bounded(3) == 0 ? qint32(random.generate()) : 0;
        entry->Rated = quint8(random.bounded(3) == 0 ? random.bounded(256) : 0);
        entry->Catagory = quint8(random.bounded(3) == 0 ? random.bounded(256) : 0);
    }
}

// The file as XbelExport writes it, and its pieces.
inline QByteArray xbelOf(const URLBlock &store, QList<qsizetype> *pieces)
{
    QByteArray text;
    const bool written = XbelExport::writeStore(store, [&](QByteArrayView piece) {
        text += piece;
        pieces->append(piece.size());
        return true;
    });
    return written ? text : QByteArray();
}



// A file as another editor writes it: a DOCTYPE, namespaces, comments,
// entities, CDATA, nested folders.
inline const QByteArray otherEditorFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange "
    "Language 1.0//EN//XML\" \"http://www.python.org/topics/xml/dtds/xbel-1.0.dtd\">\n"
    "<xbel xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\" "
    "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\" version=\"1.0\">\n"
    " <!-- made by hand -->\n <title>Bookmarks</title>\n"
    " <bookmark href=\"http://top.example/?a=1&amp;b=2\" added=\"2024-03-13T12:00:00Z\"><title>Top &amp; more</title></bookmark>\n"
    " <folder folded='no'>\n  <title>Work <![CDATA[<&>]]></title>\n"
    "  <info><metadata owner=\"http://freedesktop.org\"><bookmark:icon name=\"folder\"/>"
    "<mime:mime-type type=\"text/html\"/></metadata></info>\n"
    "  <bookmark href=\"http://w.example/&#x20AC;\" visited=\"2024-03-14T08:00:00+02:00\">\n"
    "   <title>W\xC3\xA9 &#x1F600;</title>\n   <desc>a description</desc>\n"
    "   <info><metadata owner=\"https://orvane.org/tessaly\"><visits>4</visits><rating>3</rating></metadata></info>\n"
    "  </bookmark>\n  <separator/>\n"
    "  <folder><title>Deep</title><bookmark href=\"http://d.example/\"><title>D</title></bookmark></folder>\n"
    "  <?editor-state open?>\n </folder>\n</xbel>\n<!-- end -->\n";
