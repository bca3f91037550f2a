// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DuplicatesCommand.h"

#include "DayCount.h"
#include "Duplicates.h"
#include "EntryRowTexts.h"
#include "JsonText.h"
#include "LockedStackFileEdit.h"
#include "StackFile.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const URLData &entryOf(const URLBlock &store, quint32 key)
{
    return *store.urlDatas().Item(store.urlDatas().positionOfKey(key));
}

// One entry's JSON object, with the fields tsy dump gives it and its group's name.
QString entryJson(const URLBlock &store, const URLData &entry)
{
    QString json = QStringLiteral("{\"id\":\"") + entry.ID() + QStringLiteral("\",\"name\":");
    JsonText::appendString(json, entry.Name);
    json += QStringLiteral(",\"url\":");
    JsonText::appendString(json, entry.url);
    json += QStringLiteral(",\"owner\":") + QString::number(entry.Owner) + QStringLiteral(",\"group\":");
    JsonText::appendString(json, store.IDXList().nameOf(entry.Owner));
    json += QStringLiteral(",\"lastAccessed\":");
    JsonText::appendNumber(json, entry.LastAccesed);
    json += QStringLiteral(",\"created\":");
    JsonText::appendNumber(json, entry.Created);
    json += QStringLiteral(",\"visited\":%1,\"catagory\":%2,\"rated\":%3}")
                .arg(entry.Visited)
                .arg(entry.Catagory)
                .arg(entry.Rated);
    return json;
}

}  // namespace

QString DuplicatesCommand::summary() const
{
    return QStringLiteral("list the entries that hold the same page, or merge them");
}

QString DuplicatesCommand::help() const
{
    return QStringLiteral(
        "Usage: tsy duplicates FILE.tsy [--json | --merge]\n"
        "\n"
        "Lists the sets of entries, in any groups, whose addresses are the same page:\n"
        "the same after taking http and https as one, the host's letters in any case,\n"
        "without a leading \"www.\", the default port (80, 443), an empty path or a\n"
        "trailing \"/\", the fragment (#...) and the tracking parameters utm_*, fbclid,\n"
        "gclid and mc_eid; the other parameters count, in their order. Other addresses\n"
        "(file:, mailto:, without a scheme) match only the very same text. Each set is\n"
        "a block of rows, one an entry, followed by an empty line; a row holds a mark\n"
        "(\"*\" for the entry kept, \"-\" for those a merge removes), the key and the\n"
        "columns of tsy list (Title, URL, Rated, Group, Last Visited, Created,\n"
        "Visited), separated by tabs. The entry kept is the earliest created.\n"
        "\n"
        "  --json   the sets as JSON: {\"sets\":[{\"keep\":\"00003\",\"entries\":[...]}]},\n"
        "           each entry as tsy dump gives it, with its group's name as \"group\"\n"
        "  --merge  merges each set into its kept entry, as Tessaly's \"Duplicates\"\n"
        "           window does: it keeps its key, title, address, group and category,\n"
        "           and takes the earliest creation, the latest visit, the sum of the\n"
        "           visits and the highest rating of its set; the others are removed.\n"
        "           FILE's previous content is kept as FILE.bak; nothing is written\n"
        "           when there is nothing to merge. FILE is locked while it is changed:\n"
        "           a FILE that Tessaly holds loaded is merged in Tessaly's store,\n"
        "           which Tessaly saves.\n");
}

int DuplicatesCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption merge(QStringLiteral("merge"));
    parser.addOptions({json, merge});
    if (!parse(parser, arguments, 1))
        return UsageError;
    const QString file = parser.positionalArguments().at(0);
    if (parser.isSet(json) && parser.isSet(merge))
        return usageError(QStringLiteral("--json and --merge do not go together"));
    if (parser.isSet(merge))
        return mergeSets(file);
    // Left to the end of the process, as the other whole-store commands leave it.
    static URLBlock *const kept = new URLBlock;
    QString error;
    if (!ToolStore::loadStackFile(*kept, file, false, DayCount::now(), &error))
        return fileError(error);
    const std::vector<DuplicateSet> sets = Duplicates::find(kept->urlDatas());
    if (parser.isSet(json))
        writeJson(*kept, sets);
    else
        writeText(*kept, sets);
    return Success;
}

int DuplicatesCommand::mergeSets(const QString &file)
{
    if (QFileInfo(file).suffix().compare(QLatin1String("bak"), Qt::CaseInsensitive) == 0)
        return usageError(QStringLiteral("%1: a .bak file would be its own backup").arg(file));
    qsizetype setCount = 0;
    qsizetype removed = 0;
    const auto mergeAndSave = [&](QString *error) {
        URLBlock store;
        if (!ToolStore::loadStackFile(store, file, false, DayCount::now(), error))
            return false;
        const std::vector<DuplicateSet> sets = Duplicates::find(store.urlDatas());
        setCount = qsizetype(sets.size());
        removed = Duplicates::mergeAll(store, sets);
        // Nothing merged leaves FILE and, above all, its backup as they were.
        return removed == 0
            || ToolStore::saveStackFile(store, file, error);
    };
    QString error;
    if (!LockedStackFileEdit::run(file, mergeAndSave, &error))
        return fileError(error);
    m_out << "Merged " << setCount << " sets of duplicates in " << file << ": removed " << removed
          << " entries\n";
    return Success;
}

void DuplicatesCommand::writeText(const URLBlock &store, const std::vector<DuplicateSet> &sets)
{
    const EntryRowTexts rows(store.IDXList(), &EntryRowTexts::isoDateText);
    for (const DuplicateSet &set : sets) {
        const quint32 keep = Duplicates::defaultKept(store.urlDatas(), set);
        for (quint32 key : set.keys) {
            const URLData &entry = entryOf(store, key);
            QStringList columns = rows.texts(entry);
            columns.replaceInStrings(QStringLiteral("\t"), QStringLiteral(" "));
            m_out << (key == keep ? "*\t" : "-\t") << entry.ID() << '\t' << columns.join(u'\t') << '\n';
        }
        m_out << '\n';
    }
}

void DuplicatesCommand::writeJson(const URLBlock &store, const std::vector<DuplicateSet> &sets)
{
    m_out << "{\"sets\":[";
    for (size_t i = 0; i < sets.size(); ++i) {
        const quint32 keep = Duplicates::defaultKept(store.urlDatas(), sets[i]);
        m_out << (i ? ",{\"keep\":\"" : "{\"keep\":\"") << URLData::keyText(keep) << "\",\"entries\":[";
        for (size_t k = 0; k < sets[i].keys.size(); ++k)
            m_out << (k ? "," : "") << entryJson(store, entryOf(store, sets[i].keys[k]));
        m_out << "]}";
    }
    m_out << "]}\n";
}
