// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QStringView>
#include <cstring>

// What XbelParser tells apart in the files it reads, whichever XML reader reads them.
namespace XbelParsing {

// The elements the reader tells apart by their (local) names; the others are Other.
enum class Element : quint8 { Other, Xbel, Folder, Bookmark, Title, Info, Metadata, Separator, Alias, Visits, Rating, Category, Href };

// Whether name is the ASCII text given; without a library call when name is of bytes.
template <size_t N>
bool named(QStringView name, const char (&text)[N])
{
    return name == QLatin1StringView(text, N - 1);
}

template <size_t N>
bool named(QByteArrayView name, const char (&text)[N])
{
    return name.size() == N - 1 && std::memcmp(name.data(), text, N - 1) == 0;
}

template <typename Name>
Element elementOf(Name name)
{
    switch (name.size()) {
    case 4:
        return named(name, "xbel") ? Element::Xbel
            : named(name, "info")  ? Element::Info
            : named(name, "href")  ? Element::Href
                                   : Element::Other;
    case 5:
        return named(name, "title") ? Element::Title : named(name, "alias") ? Element::Alias : Element::Other;
    case 6:
        return named(name, "folder") ? Element::Folder
            : named(name, "visits")  ? Element::Visits
            : named(name, "rating")  ? Element::Rating
                                     : Element::Other;
    case 8:
        return named(name, "bookmark") ? Element::Bookmark
            : named(name, "metadata")  ? Element::Metadata
            : named(name, "category")  ? Element::Category
                                       : Element::Other;
    case 9:
        return named(name, "separator") ? Element::Separator : Element::Other;
    default:
        return Element::Other;
    }
}

enum class Token { Start, End, Other, Finished };

}  // namespace XbelParsing
