// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CheckCommand.h"

#include "DayCount.h"
#include "EntryArguments.h"
#include "JsonText.h"
#include "LinkChecker.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QEventLoop>

#include <algorithm>
#include <cmath>

namespace {

// The checks' results in the entries' order.
std::vector<LinkCheckResult> checkAll(const std::vector<const URLData *> &entries, const LinkChecker::Limits &limits)
{
    QStringList addresses;
    for (const URLData *entry : entries)
        addresses << entry->url;
    std::vector<LinkCheckResult> results(entries.size());
    LinkChecker checker;
    checker.setLimits(limits);
    QEventLoop loop;
    QObject::connect(&checker, &LinkChecker::checked, &loop,
                     [&results](int index, const LinkCheckResult &result) { results[size_t(index)] = result; });
    QObject::connect(&checker, &LinkChecker::finished, &loop, &QEventLoop::quit);
    checker.check(addresses);
    loop.exec();
    return results;
}

bool isOk(const LinkCheckResult &result)
{
    return result.outcome == LinkCheckResult::Outcome::Ok || result.outcome == LinkCheckResult::Outcome::NotChecked;
}

// Why a page is gone or was not reached.
QString reasonOf(const LinkCheckResult &result)
{
    return isOk(result) || result.outcome == LinkCheckResult::Outcome::Moved ? QString() : result.reason;
}

// The new address of a moved page, else the reason of a failure.
QString detailOf(const LinkCheckResult &result)
{
    return result.outcome == LinkCheckResult::Outcome::Moved ? result.newAddress : reasonOf(result);
}

}  // namespace

QString CheckCommand::summary() const
{
    return QStringLiteral("check the entries' addresses: which pages moved or are gone");
}

QString CheckCommand::help() const
{
    return QStringLiteral(
        "Usage: tsy check FILE.tsy [--group G] [--json] [--timeout S]\n"
        "\n"
        "Checks the address of every entry (of group G with --group) as Tessaly's\n"
        "\"Check Links\" window does, and lists one row an entry, in FILE's order: the\n"
        "key, the result, the address and the new address or the reason, separated\n"
        "by tabs. FILE is only read. Each address is asked with HEAD (with GET, whose\n"
        "answer is not read beyond its headers, when the server refuses HEAD);\n"
        "redirects are followed up to 10; at most 8 requests run at once, 2 on one\n"
        "host; the user agent is \"Tessaly/VERSION (link check)\"; no cookies are\n"
        "kept. The results:\n"
        "\n"
        "  ok           the page answers (2xx), perhaps through temporary redirects\n"
        "               (302, 303, 307), which leave the address as it is\n"
        "  moved        permanent redirects (301, 308) lead to a page that answers; the\n"
        "               new address is where the last of the first permanent ones leads\n"
        "  gone         the server answers 404 or 410 (after any redirects)\n"
        "  error        another status (401, 403, 5xx...), a redirect loop, more than\n"
        "               10 redirects, a refused connection, an unknown host\n"
        "  timeout      no complete answer within the time-out\n"
        "  not-checked  not an http or https address (an address without a scheme\n"
        "               is taken as http)\n"
        "\n"
        "  --group G    only the entries of group G (its position from 0, or its name)\n"
        "  --json       the results as JSON: {\"results\":[{\"id\":\"00001\",\"title\":...,\n"
        "               \"url\":...,\"group\":...,\"result\":\"moved\",\"status\":200,\n"
        "               \"newUrl\":...,\"reason\":...,\"hops\":[{\"status\":301,\"url\":...}]}]}\n"
        "  --timeout S  seconds for each request's whole answer (default 10)\n"
        "\n"
        "Exit status: 0 when every address checked was ok (addresses not checked do\n"
        "not count), 3 when one or more were moved, gone, an error or timed out, 1\n"
        "when FILE cannot be read or holds no group G, 2 for a usage error.\n");
}

int CheckCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("G"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption timeout(QStringLiteral("timeout"), QString(), QStringLiteral("S"));
    parser.addOptions({group, json, timeout});
    if (!parse(parser, arguments, 1))
        return UsageError;
    LinkChecker::Limits limits;
    if (parser.isSet(timeout)) {
        bool number = false;
        const double seconds = parser.value(timeout).toDouble(&number);
        if (!number || !std::isfinite(seconds) || seconds <= 0 || seconds > 3600)
            return usageError(QStringLiteral("--timeout: '%1' is not a number of seconds from 0 to 3600")
                                  .arg(parser.value(timeout)));
        limits.timeoutMs = std::max(1, int(seconds * 1000));
    }
    URLBlock store;
    QString error;
    if (!ToolStore::loadStackFile(store, parser.positionalArguments().at(0), false, DayCount::now(), &error))
        return fileError(error);
    std::optional<int> chosen;
    if (parser.isSet(group)) {
        chosen = EntryArguments::group(store.IDXList(), parser.value(group));
        if (!chosen)
            return fileError(EntryArguments::noGroupError(parser.value(group)));
    }
    std::vector<const URLData *> entries;
    for (const URLData &entry : store.urlDatas()) {
        if (!chosen || entry.Owner == *chosen)
            entries.push_back(&entry);
    }
    const std::vector<LinkCheckResult> results = checkAll(entries, limits);
    if (parser.isSet(json))
        writeJson(store, entries, results);
    else
        writeText(entries, results);
    return std::all_of(results.begin(), results.end(), isOk) ? Success : NotAllOk;
}

void CheckCommand::writeText(const std::vector<const URLData *> &entries, const std::vector<LinkCheckResult> &results)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        QStringList columns {entries[i]->url, detailOf(results[i])};
        columns.replaceInStrings(QStringLiteral("\t"), QStringLiteral(" "));
        m_out << entries[i]->ID() << '\t' << LinkCheckResult::outcomeName(results[i].outcome) << '\t'
              << columns.join(u'\t') << '\n';
    }
}

void CheckCommand::writeJson(const URLBlock &store, const std::vector<const URLData *> &entries,
                             const std::vector<LinkCheckResult> &results)
{
    m_out << "{\"results\":[";
    for (size_t i = 0; i < entries.size(); ++i) {
        const URLData &entry = *entries[i];
        const LinkCheckResult &result = results[i];
        QString json = QStringLiteral("{\"id\":\"") + entry.ID() + QStringLiteral("\",\"title\":");
        JsonText::appendString(json, entry.Name);
        json += QStringLiteral(",\"url\":");
        JsonText::appendString(json, entry.url);
        json += QStringLiteral(",\"group\":");
        JsonText::appendString(json, store.IDXList().nameOf(entry.Owner));
        json += QStringLiteral(",\"result\":\"") + LinkCheckResult::outcomeName(result.outcome)
            + QStringLiteral("\",\"status\":") + QString::number(result.status) + QStringLiteral(",\"newUrl\":");
        JsonText::appendString(json, result.newAddress);
        json += QStringLiteral(",\"reason\":");
        JsonText::appendString(json, reasonOf(result));
        json += QStringLiteral(",\"hops\":[");
        for (qsizetype h = 0; h < result.hops.size(); ++h) {
            json += (h ? QStringLiteral(",{\"status\":") : QStringLiteral("{\"status\":"))
                + QString::number(result.hops[h].status) + QStringLiteral(",\"url\":");
            JsonText::appendString(json, result.hops[h].address);
            json += u'}';
        }
        m_out << (i ? "," : "") << json << "]}";
    }
    m_out << "]}\n";
}
