// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ListCommand.h"

#include "DayCount.h"
#include "EntryFilter.h"
#include "EntryOperations.h"
#include "EntrySort.h"
#include "ListRowWriter.h"
#include "StackFileTwoPass.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QIODevice>
#include <QRegularExpression>
#include <functional>
#include <limits>

namespace {

// "more", "less" or "equal" (and "off"): the filter mode; -1 for anything else.
int modeFromName(const QString &name)
{
    static const QStringList names
        = {QStringLiteral("off"), QStringLiteral("more"), QStringLiteral("less"), QStringLiteral("equal")};
    return int(names.indexOf(name.toLower()));
}

bool readShort(const QString &text, int &value)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < std::numeric_limits<qint16>::min() || number > std::numeric_limits<qint16>::max())
        return false;
    value = number;
    return true;
}

// The column a --sort name stands for; -1 for any other name.
int sortColumnOf(const QString &name)
{
    static const QStringList names
        = {QStringLiteral("title"), QStringLiteral("url"),          QStringLiteral("rated"),
           QStringLiteral("group"), QStringLiteral("last-visited"), QStringLiteral("created"),
           QStringLiteral("visits")};
    return int(names.indexOf(name.toLower()));
}

// The rows in the order a click on the column gives, or its reverse for
// value columns when ascending.
void sortRows(std::vector<const URLData *> &rows, const URLBlock &store, int column, bool ascending)
{
    std::vector<quint32> keys;
    keys.reserve(rows.size());
    for (const URLData *entry : rows)
        keys.push_back(entry->keyNumber());
    EntrySort::sort(keys, store, column, ascending && EntrySort::isValueColumn(column));
    const URLDatas &entries = store.urlDatas();
    for (size_t i = 0; i < keys.size(); ++i)
        rows[i] = entries.Item(entries.positionOfKey(keys[i]));
}

// The rows of tsy list in UTF-8, collected in one buffer and handed out in
// large pieces.
class RowOutput
{
public:
    using Writer = std::function<void(const QByteArray &utf8)>;

    RowOutput(const GroupTable &groups, bool withKeys, Writer write)
        : m_writer(groups)
        , m_withKeys(withKeys)
        , m_write(std::move(write))
    {
        m_out.reserve(outputChunk + 4096);
    }

    void add(const URLData &entry, quint32 keyNumber)
    {
        if (m_withKeys)
            m_out += URLData::keyText(keyNumber).toLatin1() + '\t';
        m_writer.append(m_out, entry);
        if (m_out.size() >= outputChunk) {
            m_write(m_out);
            m_out.resize(0);  // keeps the capacity
        }
    }
    void finish() { m_write(m_out); }

private:
    static constexpr qsizetype outputChunk = 1 << 16;
    ListRowWriter m_writer;
    QByteArray m_out;
    const bool m_withKeys;
    const Writer m_write;
};

// The rows of the shown entries of a file read line by line.
class ShownRows : public StackFileStream::Edit
{
public:
    ShownRows(const EntryFilter &decision, RowOutput &rows)
        : m_decision(decision)
        , m_rows(rows)
    { }

    StackFileStream::EntryFate entry(StackFileStream::EntryLine &line, QString *) override
    {
        const URLData &entry = StackFileTwoPass::entryOf(line);
        if (m_decision.isShown(entry))
            m_rows.add(entry, line.key());
        return StackFileStream::EntryFate::Keep;
    }

private:
    const EntryFilter &m_decision;
    RowOutput &m_rows;
};

}  // namespace

QString ListCommand::summary() const
{
    return QStringLiteral("print the rows the main window's entry list shows for given filters");
}

QString ListCommand::help() const
{
    return QStringLiteral("Usage: tsy list FILE.tsy [--group N | --all] [--ratings 0,1,2,3,4]\n"
                          "                [--visited MODE:N] [--accessed MODE:N(d|w|m)]\n"
                          "                [--added MODE:N(d|w|m)] [--title MASK] [--now DAYCOUNT]\n"
                          "                [--keys] [--sort COLUMN [--ascending]]\n"
                          "\n"
                          "Prints one row a line, the seven column texts (Title, URL, Rated, Group,\n"
                          "Last Visited, Created, Visited) separated by tabs; dates as\n"
                          "YYYY-MM-DD HH:MM:SS, \"Never\" for no last visit. A tab inside a text is\n"
                          "printed as a blank. Rows are in the file's order unless sorted.\n"
                          "\n"
                          "  --group N        the entries of group N (its position, from 0); a FILE\n"
                          "                   without that group is an error\n"
                          "  --all            the entries of every group whose index mask is set\n"
                          "                   (the default)\n"
                          "  --ratings LIST   the ratings shown, 0 (Not Rated) to 4 (V.High);\n"
                          "                   default 0,1,2,3,4\n"
                          "  --visited MODE:N visit count more than, less than or equal to N\n"
                          "  --accessed MODE:N(d|w|m)\n"
                          "                   last visited more than N days/weeks/months ago (more),\n"
                          "                   within the last N (less), or N ago (equal)\n"
                          "  --added MODE:N(d|w|m)\n"
                          "                   the same for the date the entry was made\n"
                          "  --title MASK     titles containing MASK: * any run, ? any character,\n"
                          "                   # any digit, [list], [!list], ranges like [a-c];\n"
                          "                   case-insensitive\n"
                          "  --now DAYCOUNT   the present as a day count since 30 December 1899\n"
                          "                   (default: now), for reproducible output\n"
                          "  --keys           the entry's key (00012) as an extra first column\n"
                          "  --sort COLUMN    the order a click on that column gives in Tessaly:\n"
                          "                   title, url or group from A to Z without regard to case;\n"
                          "                   rated, last-visited, created or visits largest first\n"
                          "                   (never visited is the smallest). Rows of equal value\n"
                          "                   stay in the file's order.\n"
                          "  --ascending      with rated, last-visited, created or visits: smallest\n"
                          "                   first; text columns are always from A to Z\n"
                          "MODE is more, less or equal.\n");
}

bool ListCommand::readRatings(const QString &text, ViewFilter &filter)
{
    filter.ratingMask.fill(false);
    if (text.trimmed().isEmpty())
        return true;
    for (const QString &item : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int rating = item.trimmed().toInt(&ok);
        if (!ok || rating < 0 || rating > EntryOperations::highestRating) {
            usageError(QStringLiteral("--ratings: '%1' is not a rating from 0 to %2")
                           .arg(item)
                           .arg(EntryOperations::highestRating));
            return false;
        }
        filter.ratingMask[size_t(rating)] = true;
    }
    return true;
}

bool ListCommand::readVisited(const QString &text, ViewFilter &filter)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    filter.visitedMode = modeFromName(text.left(colon));
    if (colon < 0 || filter.visitedMode < 0 || !readShort(text.mid(colon + 1), filter.visitedCount)) {
        usageError(
            QStringLiteral("--visited: expected MODE:N (MODE more, less or equal), got '%1'").arg(text));
        return false;
    }
    return true;
}

bool ListCommand::readDateFilter(const QString &option, const QString &text, int &mode, int &amount,
                                 int &unit)
{
    static const QRegularExpression form(QStringLiteral("^([A-Za-z]+):(-?\\d+)([dwmDWM]?)$"));
    const QRegularExpressionMatch match = form.match(text);
    mode = match.hasMatch() ? modeFromName(match.captured(1)) : -1;
    if (mode < 0 || !readShort(match.captured(2), amount)) {
        usageError(QStringLiteral("%1: expected MODE:N followed by d, w or m, got '%2'").arg(option, text));
        return false;
    }
    const QString unitLetter = match.captured(3).toLower();
    unit = unitLetter == QLatin1String("w") ? CalendarInterval::Weeks
        : unitLetter == QLatin1String("m")  ? CalendarInterval::Months
                                            : CalendarInterval::Days;
    return true;
}

void ListCommand::writeOut(const QByteArray &utf8)
{
    m_out.flush();
    if (QIODevice *device = m_out.device())
        device->write(utf8);
    else
        m_out << QString::fromUtf8(utf8);
}

int ListCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("N"));
    const QCommandLineOption all(QStringLiteral("all"));
    const QCommandLineOption ratings(QStringLiteral("ratings"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption visited(QStringLiteral("visited"), QString(), QStringLiteral("MODE:N"));
    const QCommandLineOption accessed(QStringLiteral("accessed"), QString(), QStringLiteral("MODE:N"));
    const QCommandLineOption added(QStringLiteral("added"), QString(), QStringLiteral("MODE:N"));
    const QCommandLineOption title(QStringLiteral("title"), QString(), QStringLiteral("MASK"));
    const QCommandLineOption now(QStringLiteral("now"), QString(), QStringLiteral("DAYCOUNT"));
    const QCommandLineOption keys(QStringLiteral("keys"));
    const QCommandLineOption sort(QStringLiteral("sort"), QString(), QStringLiteral("COLUMN"));
    const QCommandLineOption ascending(QStringLiteral("ascending"));
    parser.addOptions({group, all, ratings, visited, accessed, added, title, now, keys, sort, ascending});
    if (!parse(parser, arguments, 1))
        return UsageError;
    const int sortColumn = parser.isSet(sort) ? sortColumnOf(parser.value(sort)) : -1;
    if (parser.isSet(sort) && sortColumn < 0)
        return usageError(QStringLiteral("--sort: '%1' is not title, url, rated, group, last-visited, "
                                         "created or visits")
                              .arg(parser.value(sort)));
    if (parser.isSet(ascending) && !parser.isSet(sort))
        return usageError(QStringLiteral("--ascending needs --sort"));

    ListScope scope {0, true};
    if (parser.isSet(group) && parser.isSet(all))
        return usageError(QStringLiteral("--group and --all exclude each other"));
    if (parser.isSet(group)) {
        bool ok = false;
        scope = {parser.value(group).toInt(&ok), false};
        if (!ok)
            return usageError(QStringLiteral("--group: '%1' is not a number").arg(parser.value(group)));
    }

    ViewFilter filter;
    if (parser.isSet(ratings) && !readRatings(parser.value(ratings), filter))
        return UsageError;
    if (parser.isSet(visited) && !readVisited(parser.value(visited), filter))
        return UsageError;
    if (parser.isSet(accessed)
        && !readDateFilter(QStringLiteral("--accessed"), parser.value(accessed), filter.accessedMode,
                           filter.accessedAmount, filter.accessedUnit))
        return UsageError;
    if (parser.isSet(added)
        && !readDateFilter(QStringLiteral("--added"), parser.value(added), filter.addedMode,
                           filter.addedAmount, filter.addedUnit))
        return UsageError;
    filter.textMask = parser.value(title);

    double present = DayCount::now();
    if (parser.isSet(now)) {
        bool ok = false;
        present = parser.value(now).toDouble(&ok);
        if (!ok || !(present >= DayCount::minDayCount && present <= DayCount::maxDayCount))
            return usageError(QStringLiteral("--now: '%1' is not a day count").arg(parser.value(now)));
    }

    const Request request {parser.positionalArguments().at(0), parser.value(group), scope, filter, present,
                           sortColumn, parser.isSet(ascending), parser.isSet(keys)};
    // Rows in the file's order need no store: the file is read line by line.
    return ToolStore::streams() && sortColumn < 0 ? listStreamed(request) : listLoaded(request);
}

int ListCommand::listLoaded(const Request &request)
{
    // The store is left to the end of the process, which gives all its memory
    // back at once: freeing 100,000 entries one by one would add about a tenth
    // to the command's time (bench/README.md). Reachable through the static,
    // so it is no leak to a leak checker.
    static URLBlock *const kept = new URLBlock;
    URLBlock &store = *kept;
    QString error;
    if (!ToolStore::loadStackFile(store, request.path, false, request.present, &error))
        return fileError(error);
    if (!listsGroups(store.IDXList(), request))
        return groupError(request);
    if (!EntryFilter::listIsRefilled(store.IDXList(), request.scope.selectedGroup))
        return Success;

    const EntryFilter decision(request.filter, request.scope, store.IDXList(), request.present);
    std::vector<const URLData *> shown = decision.shownEntries(store.urlDatas());
    if (request.sortColumn >= 0)
        sortRows(shown, store, request.sortColumn, request.ascending);
    RowOutput rows(store.IDXList(), request.withKeys, [this](const QByteArray &utf8) { writeOut(utf8); });
    for (const URLData *entry : shown)
        rows.add(*entry, entry->keyNumber());
    rows.finish();
    return Success;
}

int ListCommand::listStreamed(const Request &request)
{
    StackFileTwoPass file(request.path, request.present);
    QString error;
    if (!file.readGroups(&error))
        return fileError(error);
    if (!listsGroups(file.groups(), request))
        return groupError(request);
    if (!EntryFilter::listIsRefilled(file.groups(), request.scope.selectedGroup))
        return Success;

    const EntryFilter decision(request.filter, request.scope, file.groups(), request.present);
    RowOutput rows(file.groups(), request.withKeys, [this](const QByteArray &utf8) { writeOut(utf8); });
    ShownRows shown(decision, rows);
    if (!file.readLines(shown, &error))
        return fileError(error);
    rows.finish();
    return Success;
}

bool ListCommand::listsGroups(const GroupTable &groups, const Request &request)
{
    return request.scope.allGroups || groups.isGroup(request.scope.selectedGroup);
}

int ListCommand::groupError(const Request &request)
{
    return fileError(QStringLiteral("no such group '%1' (a group's position, from 0)").arg(request.groupText));
}
