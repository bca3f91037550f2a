// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StackFileGenerator.h"

#include "DayCount.h"
#include "HexDate.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace {

constexpr char separatorByte = 0x05;
constexpr int minTitleLength = 20;
constexpr int maxTitleLength = 80;
constexpr int minAddressLength = 30;
constexpr int maxAddressLength = 120;
constexpr double dateSpanDays = 3 * 365.0;
constexpr int neverVisitedPercent = 20;
constexpr int hostPoolSize = 3000;

// Words of titles and group names. The source file is UTF-8.
constexpr const char *titleWords[] = {
    "the",          "a",         "of",
    "and",          "to",        "in",
    "for",          "on",        "with",
    "how",          "guide",     "review",
    "best",         "new",       "home",
    "page",         "news",      "blog",
    "recipe",       "recipes",   "travel",
    "music",        "video",     "photos",
    "garden",       "history",   "science",
    "weather",      "forecast",  "market",
    "shop",         "online",    "free",
    "download",     "manual",    "tutorial",
    "introduction", "advanced",  "notes",
    "project",      "release",   "version",
    "update",       "support",   "forum",
    "thread",       "question",  "answer",
    "library",      "reference", "documentation",
    "python",       "linux",     "windows",
    "kernel",       "compiler",  "database",
    "network",      "security",  "design",
    "pattern",      "patterns",  "summer",
    "winter",       "holiday",   "hotel",
    "flights",      "train",     "timetable",
    "museum",       "concert",   "tickets",
    "bread",        "cheese",    "wine",
    "coffee",       "kitchen",   "bicycle",
    "repair",       "parts",     "catalogue",
    "archive",      "school",    "course",
    "lecture",      "exam",      "university",
    "research",     "paper",     "journal",
    "article",      "press",     "map",
    "maps",         "city",      "village",
    "mountain",     "lake",      "river",
    "coast",        "island",    "national",
    "park",         "football",  "league",
    "results",      "table",     "season",
    "player",       "team",      "game",
    "games",        "chess",     "poetry",
    "novel",        "author",    "books",
    "reading",      "list",      "lists",
    "top",          "ten",       "ideas",
    "easy",         "quick",     "simple",
    "complete",     "official",  "site",
    "store",        "price",     "prices",
    "compare",      "deals",
};

// Drawn for about one word in forty, so that roughly a third of the titles
// hold a non-ASCII character (with the dashes below) and take the loader's
// multi-byte decoding path, as real titles do.
constexpr const char *accentedWords[] = {
    "café",     "résumé", "naïve",  "über",     "Zürich",   "Müller",      "Bücher",  "déjà",
    "crème",    "brûlée", "Genève", "São",      "Paulo",    "Straße",      "Köln",    "München",
    "Éditions", "señor",  "façade", "jalapeño", "Ångström", "smörgåsbord", "fiancée", "soufflé",
    "entrée",   "Dvořák", "Łódź",   "Kraków",   "Málaga",   "Göteborg",
};

constexpr const char *pathWords[] = {
    "index",    "home",      "news",     "articles",  "article",  "blog",     "posts",    "post",
    "wiki",     "docs",      "doc",      "reference", "api",      "en",       "de",       "fr",
    "us",       "uk",        "products", "product",   "items",    "item",     "category", "search",
    "tags",     "tag",       "users",    "user",      "profile",  "forum",    "thread",   "questions",
    "download", "downloads", "release",  "releases",  "v2",       "v3",       "2021",     "2022",
    "2023",     "2024",      "recipes",  "travel",    "guides",   "guide",    "library",  "manual",
    "faq",      "help",      "support",  "shop",      "cart",     "store",    "media",    "video",
    "watch",    "photos",    "gallery",  "events",    "calendar", "maps",     "place",    "hotels",
    "flights",  "music",     "albums",   "artist",    "books",    "reviews",  "review",   "python",
    "linux",    "kernel",    "compiler", "database",  "network",  "security", "design",   "patterns",
    "garden",   "kitchen",   "bicycle",  "repair",    "museum",   "concert",  "tickets",  "course",
    "lecture",  "research",  "paper",    "journal",   "press",
};

constexpr const char *hostWords[] = {
    "example",    "acme",      "northwind", "contoso",  "fabrikam",  "globex",     "initech",   "umbrella",
    "hooli",      "stark",     "wayne",     "tyrell",   "wonka",     "vandelay",   "oceanic",   "soylent",
    "cyberdyne",  "massive",   "bluesky",   "redfox",   "greenleaf", "silverline", "goldcrest", "ironbridge",
    "stonegate",  "riverside", "hilltop",   "lakeview", "sunrise",   "moonlight",  "starlight", "nightowl",
    "brightpath", "openbook",  "codehub",   "devnotes", "techdaily", "newsroom",   "dailypost", "travelog",
    "foodie",     "bakehouse", "gardenia",  "bikeshed", "chessclub", "footie",     "musicbox",  "filmreel",
    "photobay",   "mapworks",
};

constexpr const char *hostPrefixes[] = {"", "", "www.", "www.", "docs.", "blog.", "news.", "shop.", "m."};
constexpr const char *topLevelDomains[]
    = {".com", ".com", ".org", ".net", ".io", ".de", ".fr", ".co.uk", ".ch"};
constexpr const char *queryKeys[]
    = {"q", "id", "ref", "page", "lang", "sort", "utm_source", "utm_medium", "view", "tab", "s", "p"};
constexpr const char *punctuation[] = {": ", " - ", " | ", ", "};

template<typename T, size_t N> constexpr int sizeOf(const T (&)[N])
{
    return int(N);
}

QString capitalized(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

}  // namespace

StackFileGenerator::StackFileGenerator(const Settings &settings)
    : m_settings(settings)
    , m_referenceDay(std::floor(settings.referenceDay > 0.0 ? settings.referenceDay : DayCount::now()))
    , m_random(settings.seed)
{
    for (const char *word : titleWords)
        m_titleWords.append(QString::fromUtf8(word));
    for (const char *word : accentedWords)
        m_accentedWords.append(QString::fromUtf8(word));
    for (const char *word : pathWords)
        m_pathWords.append(QByteArray(word));

    m_hosts.reserve(hostPoolSize);
    for (int i = 0; i < hostPoolSize; ++i) {
        QByteArray host = hostPrefixes[pick(sizeOf(hostPrefixes))];
        host += hostWords[pick(sizeOf(hostWords))];
        if (pick(3) == 0)
            host += QByteArray("-") + pathWords[pick(sizeOf(pathWords))];
        host += topLevelDomains[pick(sizeOf(topLevelDomains))];
        m_hosts.append(host);
    }
}

QString StackFileGenerator::word()
{
    const QStringList &words = pick(40) == 0 ? m_accentedWords : m_titleWords;
    return words.at(pick(int(words.size())));
}

QString StackFileGenerator::separator()
{
    if (pick(40) == 0)
        return QStringLiteral(" \u2014 ");  // em dash
    if (pick(8) == 0)
        return QString::fromLatin1(punctuation[pick(sizeOf(punctuation))]);
    return QStringLiteral(" ");
}

QString StackFileGenerator::title()
{
    const int length = int(m_random.bounded(minTitleLength, maxTitleLength + 1));
    QString text = capitalized(word());
    while (text.size() < length) {
        text += separator();
        text += pick(4) == 0 ? capitalized(word()) : word();
    }
    text.truncate(length);
    // A title ends in a letter or digit, not in a cut separator.
    while (!text.isEmpty() && !text.back().isLetterOrNumber())
        text.chop(1);
    while (text.size() < minTitleLength)
        text += QLatin1Char(' ') + word();
    return text;
}

QString StackFileGenerator::groupName()
{
    QString name = capitalized(word());
    if (pick(2) == 0)
        name += QLatin1Char(' ') + capitalized(word());
    return name;
}

QByteArray StackFileGenerator::address()
{
    QByteArray url = "https://" + m_hosts.at(pick(hostPoolSize)) + '/';
    const int length = std::clamp(int(m_random.bounded(minAddressLength, maxAddressLength + 1)),
                                  int(url.size()) + 8, maxAddressLength);
    // Roughly two thirds path, one third query; the query gets at least "?k=v".
    const int queryStart = std::min(length - 5, length - (length - int(url.size())) / 3);
    for (bool first = true;; first = false) {
        QByteArray segment = m_pathWords.at(pick(int(m_pathWords.size())));
        switch (pick(4)) {
        case 0:
            segment += '-' + m_pathWords.at(pick(int(m_pathWords.size())));
            break;
        case 1:
            segment += QByteArray::number(m_random.bounded(1, 100000));
            break;
        default:
            break;
        }
        if (first) {
            segment.truncate(std::max<qsizetype>(1, queryStart - url.size()));
            if (segment.size() > 1 && segment.endsWith('-'))
                segment.chop(1);
        } else {
            if (url.size() + 1 + segment.size() > queryStart)
                break;
            url += '/';
        }
        url += segment;
    }
    char joiner = '?';
    while (url.size() < length) {
        url += joiner;
        joiner = '&';
        url += queryKeys[pick(sizeOf(queryKeys))];
        url += '=';
        if (pick(2) == 0)
            url += QByteArray::number(m_random.bounded(1, 1000000));
        else
            url += m_pathWords.at(pick(int(m_pathWords.size())));
    }
    url.truncate(length);
    const char last = url.back();
    if (last == '?' || last == '&' || last == '=' || last == '/' || last == '-')
        url.back() = 'x';
    return url;
}

void StackFileGenerator::appendEntryLine(QByteArray &out)
{
    const double created = m_referenceDay - m_random.generateDouble() * dateSpanDays;
    const bool visited = pick(100) >= neverVisitedPercent;
    const double lastAccessed
        = visited ? created + m_random.generateDouble() * (m_referenceDay - created) : 0.0;
    // Most entries are visited a few times, some very often.
    const int visits = visited ? 1 + int(std::pow(m_random.generateDouble(), 3.0) * 300.0) : 0;
    const int ratingDraw = pick(100);
    const int rated = ratingDraw < 40 ? 0
        : ratingDraw < 55             ? 1
        : ratingDraw < 75             ? 2
        : ratingDraw < 90             ? 3
                                      : 4;

    out += address();
    out += separatorByte;
    out += title().toUtf8();
    out += separatorByte;
    appendHexDate(out, lastAccessed);
    out += separatorByte;
    appendHexDate(out, created);
    out += separatorByte;
    out += QByteArray::number(visits);
    out += separatorByte;
    out += '0';
    out += separatorByte;
    out += QByteArray::number(rated);
    out += "\r\n";
}

QByteArray StackFileGenerator::text()
{
    const int groups = std::max(1, m_settings.groupCount);
    const qsizetype entries = std::max<qsizetype>(0, m_settings.entryCount);
    QByteArray out;
    out.reserve(entries * 170 + groups * 32);
    for (int group = 0; group < groups; ++group) {
        out += '+';
        out += groupName().toUtf8();
        out += "\r\n";
        const qsizetype count = entries / groups + (group < entries % groups ? 1 : 0);
        for (qsizetype i = 0; i < count; ++i)
            appendEntryLine(out);
    }
    return out;
}

bool StackFileGenerator::writeFile(const QString &path, QString *error)
{
    const QByteArray contents = text();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size()
        || !file.flush()) {
        if (error)
            *error = QStringLiteral("%1: could not be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
