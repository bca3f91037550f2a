// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GroupCommand.h"

#include "DayCount.h"
#include "EntryArguments.h"
#include "StackFileTwoPass.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QSet>
#include <algorithm>
#include <functional>
#include <map>
#include <set>

QString GroupCommand::summary() const
{
    return QStringLiteral("list groups, or add, rename or remove them, keeping a backup");
}

QString GroupCommand::help() const
{
    return QStringLiteral("Usage: tsy group list FILE.tsy\n"
                          "       tsy group add FILE.tsy NAME...\n"
                          "       tsy group rename FILE.tsy GROUP NAME\n"
                          "       tsy group remove FILE.tsy GROUP... [--with-entries]\n"
                          "\n"
                          "  list    prints the names of FILE's groups, one a line, in their order\n"
                          "          (the first is at position 0); FILE is read, not loaded, and\n"
                          "          not changed\n"
                          "  add     adds a group of each NAME after FILE's groups, in the order given,\n"
                          "          and prints each one's position (from 0). A name FILE already has\n"
                          "          is refused. A FILE that does not exist is made.\n"
                          "  rename  gives GROUP the name NAME\n"
                          "  remove  removes each GROUP; the groups after it move up one place. A group\n"
                          "          that holds entries is refused unless --with-entries is given,\n"
                          "          which removes its entries with it.\n"
                          "GROUP is a group's position from 0 (as with tsy list --group) when it is a\n"
                          "number, else the name of a group (the first of that name, case counts).\n"
                          "A NAME is taken as given, blanks and all; an empty one is refused.\n")
        + lockAndBackupHelp();
}

int GroupCommand::execute(const QStringList &arguments)
{
    const QString action = arguments.value(0);
    if (action == QLatin1String("list"))
        return list(arguments.mid(1));
    if (action == QLatin1String("add"))
        return add(arguments.mid(1));
    if (action == QLatin1String("rename"))
        return rename(arguments.mid(1));
    if (action == QLatin1String("remove"))
        return remove(arguments.mid(1));
    return usageError(action.isEmpty() ? QStringLiteral("expected list, add, rename or remove")
                                       : QStringLiteral("unknown action '%1'").arg(action));
}

// The names are read line by line, so that the groups of a large file are
// listed at once (as a shell's completion asks for them) in little memory.
int GroupCommand::list(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 1))
        return UsageError;
    const QString path = parser.positionalArguments().at(0);
    const bool fromLiveStore = ToolStore::liveStoreOf(path) != nullptr;
    StackFileTwoPass file(path, DayCount::now());
    URLBlock live;
    QString error;
    if (fromLiveStore ? !ToolStore::loadStackFile(live, path, false, DayCount::now(), &error)
                      : !file.readGroups(&error))
        return fileError(error);
    const GroupTable &groups = fromLiveStore ? live.IDXList() : file.groups();
    for (int position = 0; position < groups.groupCount(); ++position)
        m_out << groups.at(position).name << '\n';
    return Success;
}

namespace {

// The first name that is empty, or null.
const QString *emptyName(const QStringList &names)
{
    const auto found
        = std::find_if(names.begin(), names.end(), [](const QString &name) { return name.isEmpty(); });
    return found == names.end() ? nullptr : &*found;
}

// The message of groups that hold entries: "'Name' (2) holds 3 entries".
QString holdingText(const QString &name, int group, qsizetype entries)
{
    return QStringLiteral("'%1' (%2) holds %3 %4")
        .arg(name)
        .arg(group)
        .arg(entries)
        .arg(entries == 1 ? QStringLiteral("entry") : QStringLiteral("entries"));
}

QString notRemovedError(const QStringList &holding)
{
    return QStringLiteral("not removed: the group %1; give --with-entries to remove them too")
        .arg(holding.join(QStringLiteral(", the group ")));
}

// group add, streamed: the new group lines after the file's last line.
class AddedGroups : public StackFileStream::Edit
{
public:
    explicit AddedGroups(const QStringList &names)
        : m_names(names)
    { }

    StackFileStream::GroupFate group(int, const QString &name, QString *) override
    {
        m_existing.insert(name);
        ++m_groupCount;
        return StackFileStream::GroupFate::Keep;
    }

    void fileEnds(StackFileStream::Output &out) override
    {
        for (const QString &name : m_names)
            out.appendGroup(name);
    }

    bool finish(quint32, QString *error) override
    {
        for (const QString &name : m_names) {
            if (m_existing.contains(name)) {
                *error = QStringLiteral("there is a group '%1' already").arg(name);
                return false;
            }
            m_existing.insert(name);
            positions << m_groupCount++;
        }
        return true;
    }

    QList<int> positions;

private:
    const QStringList &m_names;
    QSet<QString> m_existing;
    int m_groupCount = 0;
};

// group rename, streamed: the one line of the group renamed.
class RenamedGroup : public StackFileStream::Edit
{
public:
    RenamedGroup(const QString &groupText, const QString &newName)
        : m_group(groupText)
        , m_newName(newName)
    { }

    StackFileStream::GroupFate group(int position, const QString &name, QString *newName) override
    {
        if (!m_group.matches(position, name))
            return StackFileStream::GroupFate::Keep;
        *newName = m_newName;
        return StackFileStream::GroupFate::Rename;
    }

    bool finish(quint32, QString *error) override
    {
        if (m_group.found())
            return true;
        *error = EntryArguments::noGroupError(m_group.text());
        return false;
    }

private:
    EntryArguments::GroupMatcher m_group;
    QString m_newName;
};

// group remove, streamed: the groups' lines dropped with their entries.
class RemovedGroups : public StackFileStream::Edit
{
public:
    RemovedGroups(const QStringList &groupTexts, bool withEntries)
        : m_withEntries(withEntries)
    {
        for (const QString &text : groupTexts)
            m_groups.emplace_back(text);
    }

    StackFileStream::GroupFate group(int position, const QString &name, QString *) override
    {
        bool removed = false;
        for (EntryArguments::GroupMatcher &group : m_groups)
            removed = group.matches(position, name) || removed;
        if (!removed)
            return StackFileStream::GroupFate::Keep;
        m_removed[position].name = name;
        return StackFileStream::GroupFate::Drop;
    }

    void groupEnds(int position, qsizetype entryCount, StackFileStream::Output &) override
    {
        const auto found = m_removed.find(position);
        if (found != m_removed.end())
            found->second.entries = entryCount;
    }

    bool finish(quint32, QString *error) override
    {
        for (const EntryArguments::GroupMatcher &group : m_groups) {
            if (!group.found()) {
                *error = EntryArguments::noGroupError(group.text());
                return false;
            }
        }
        QStringList holding;
        for (const auto &[position, group] : m_removed) {
            if (group.entries > 0)
                holding << holdingText(group.name, position, group.entries);
        }
        if (holding.isEmpty() || m_withEntries)
            return true;
        *error = notRemovedError(holding);
        return false;
    }

private:
    struct Removed
    {
        QString name;
        qsizetype entries = 0;
    };
    std::vector<EntryArguments::GroupMatcher> m_groups;
    std::map<int, Removed> m_removed;  // by position
    bool m_withEntries;
};

}  // namespace

int GroupCommand::add(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 2, true))
        return UsageError;
    const QStringList names = parser.positionalArguments().mid(1);
    if (emptyName(names))
        return usageError(QStringLiteral("a group needs a name: NAME is empty"));
    QList<int> positions;
    AddedGroups added(names);
    const int status = editStore(
        parser.positionalArguments().at(0),
        [&](URLBlock &store, QString *error) {
            for (const QString &name : names) {
                if (EntryArguments::groupNamed(store.IDXList(), name)) {
                    *error = QStringLiteral("there is a group '%1' already").arg(name);
                    return false;
                }
                store.addGroup(name);
                positions << store.IDXList().groupCount() - 1;
            }
            return true;
        },
        [&](const QString &file, QString *error) {
            if (!rewriting(added)(file, error))
                return false;
            positions = added.positions;
            return true;
        },
        MissingFile::BeginsEmpty);
    if (status == Success) {
        for (const int position : positions)
            m_out << position << '\n';
    }
    return status;
}

int GroupCommand::rename(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 3))
        return UsageError;
    const QString groupText = parser.positionalArguments().at(1);
    const QString newName = parser.positionalArguments().at(2);
    if (newName.isEmpty())
        return usageError(QStringLiteral("a group needs a name: NAME is empty"));
    RenamedGroup renamed(groupText, newName);
    return editStore(
        parser.positionalArguments().at(0),
        [&](URLBlock &store, QString *error) {
            int group = -1;
            return findGroup(store, groupText, group, error) && store.renameGroup(group, newName);
        },
        rewriting(renamed));
}

int GroupCommand::remove(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption withEntries(QStringLiteral("with-entries"));
    parser.addOption(withEntries);
    if (!parse(parser, arguments, 2, true))
        return UsageError;
    const QStringList groupTexts = parser.positionalArguments().mid(1);
    RemovedGroups removed(groupTexts, parser.isSet(withEntries));
    return editStore(parser.positionalArguments().at(0), [&](URLBlock &store, QString *error) {
        // Every GROUP names a group of FILE as it was read; each goes once.
        std::set<int, std::greater<>> groups;
        for (const QString &text : groupTexts) {
            int group = -1;
            if (!findGroup(store, text, group, error))
                return false;
            groups.insert(group);
        }
        QStringList holding;
        for (const int group : groups) {
            const qsizetype entries = store.entryCountOfGroup(group);
            if (entries > 0)
                holding.prepend(holdingText(store.IDXList().nameOf(group), group, entries));
        }
        if (!holding.isEmpty() && !parser.isSet(withEntries)) {
            *error = notRemovedError(holding);
            return false;
        }
        // From the last, so that the positions of the others stay as read.
        for (const int group : groups)
            store.removeGroup(group);
        return true;
    }, rewriting(removed));
}
