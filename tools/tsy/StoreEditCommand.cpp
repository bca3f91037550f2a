// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoreEditCommand.h"

#include "DayCount.h"
#include "EntryArguments.h"
#include "EntryOperations.h"
#include "FilePaths.h"
#include "LockedStackFileEdit.h"
#include "StackFile.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QFileInfo>

int StoreEditCommand::editStore(const QString &file, const Change &change, const StreamedChange &streamed,
                                MissingFile missing)
{
    if (QFileInfo(file).suffix().compare(QLatin1String("bak"), Qt::CaseInsensitive) == 0)
        return usageError(QStringLiteral("%1: a .bak file would be its own backup").arg(file));
    const auto loadChangeAndSave = [&](QString *error) {
        // Seen under the lock, so that no other tsy command makes FILE meanwhile.
        m_fileIsNew = missing == MissingFile::BeginsEmpty && !ToolStore::exists(file);
        if (streamed && !m_fileIsNew && ToolStore::streams())
            return streamed(file, error);
        URLBlock store;
        return (m_fileIsNew || ToolStore::loadStackFile(store, file, false, DayCount::now(), error))
            && change(store, error) && ToolStore::saveStackFile(store, file, error);
    };
    QString error;
    if (!LockedStackFileEdit::run(file, loadChangeAndSave, &error))
        return fileError(error);
    return Success;
}

StoreEditCommand::StreamedChange StoreEditCommand::rewriting(StackFileStream::Edit &edit)
{
    return [&edit](const QString &file, QString *error) {
        return StackFileStream::rewrite(file, LockedStackFileEdit::backupPathOf(file), edit, DayCount::now(),
                                        error);
    };
}

bool StoreEditCommand::resolveKeys(const URLBlock &store, const std::vector<EntryArguments::Reference> &references,
                                   std::vector<quint32> &keys, QString *error)
{
    return EntryArguments::resolve(store, references, &keys, error);
}

bool StoreEditCommand::readKeys(const QStringList &texts, std::vector<EntryArguments::Reference> &references)
{
    QString bad;
    const auto found = EntryArguments::references(texts, &bad);
    if (!found) {
        usageError(QStringLiteral("'%1' is not an entry key (such as 00012 or 12) or address (holding ://)").arg(bad));
        return false;
    }
    references = *found;
    return true;
}

bool StoreEditCommand::readRating(const QString &text, int &rating)
{
    const std::optional<int> number = EntryArguments::rating(text);
    if (!number) {
        usageError(QStringLiteral("'%1' is not a rating from 0 to %2")
                       .arg(text)
                       .arg(EntryOperations::highestRating));
        return false;
    }
    rating = *number;
    return true;
}

bool StoreEditCommand::findGroup(const URLBlock &store, const QString &text, int &group, QString *error)
{
    const std::optional<int> position = EntryArguments::group(store.IDXList(), text);
    if (!position) {
        *error = EntryArguments::noGroupError(text);
        return false;
    }
    group = *position;
    return true;
}


QString StoreEditCommand::lockAndBackupHelp()
{
    return QStringLiteral("FILE is saved with its previous content kept as the backup: FILE's name with\n"
                          "the extension .bak. An unknown key or group is an error and nothing is changed.\n"
                          "Keys are given in the file's order each time it is read, so after a\n"
                          "change that adds, moves or removes entries, list the keys again; an\n"
                          "address (a KEY that holds ://) names the entries with exactly that\n"
                          "address, whatever their keys.\n"
                          "FILE is locked while it is changed: a FILE that another tsy command is\n"
                          "changing is waited for a few seconds. A FILE that Tessaly holds loaded is\n"
                          "changed in Tessaly's store instead: its window shows the change at once,\n"
                          "and Tessaly saves it as it saves its own changes.\n");
}

// The new entry placed after the last line of its group, which is the key
// it has when the file is read again.
class StoreEditCommand::AddEdit : public StackFileStream::Edit
{
public:
    AddEdit(const QString &groupText, EntryOperations::NewEntry entry, double now)
        : m_group(groupText)
        , m_entry(std::move(entry))
        , m_now(now)
    { }

    StackFileStream::GroupFate group(int position, const QString &name, QString *) override
    {
        if (m_group.matches(position, name))
            m_groupName = name;
        return StackFileStream::GroupFate::Keep;
    }

    void groupEnds(int position, qsizetype, StackFileStream::Output &out) override
    {
        if (m_group.found() != position)
            return;
        m_entry.group = position;
        out.appendEntry(EntryOperations::newEntry(m_entry, m_now));
        m_key = out.entriesBefore() + 1;
    }

    bool finish(quint32 entryCount, QString *error) override
    {
        if (!m_group.found()) {
            *error = EntryArguments::noGroupError(m_group.text());
            return false;
        }
        if (entryCount >= URLDatas::maxKeyNumber) {
            *error = QStringLiteral("no key is left for a new entry");
            return false;
        }
        return true;
    }

    quint32 key() const { return m_key; }
    const QString &groupName() const { return m_groupName; }

private:
    EntryArguments::GroupMatcher m_group;
    EntryOperations::NewEntry m_entry;
    double m_now;
    QString m_groupName;
    quint32 m_key = 0;
};

int StoreEditCommand::addEntry(const QString &file, const QString &groupText, EntryOperations::NewEntry entry,
                               QString *key, QString *groupName, MissingFile missing)
{
    const Change add = [&](URLBlock &store, QString *error) {
        if (fileIsNew() && !makeFirstGroup(store, file, groupText, error))
            return false;
        if (!findGroup(store, fileIsNew() ? QStringLiteral("0") : groupText, entry.group, error))
            return false;
        const URLData *added = EntryOperations::add(store, entry, DayCount::now());
        if (!added) {
            *error = QStringLiteral("no key is left for a new entry");
            return false;
        }
        // The key the entry has in the saved file, which holds it among its
        // group's entries: the next command reads the keys from there.
        *key = URLData::keyText(StackFile::keyNumberWhenRead(store, *added));
        if (groupName)
            *groupName = store.IDXList().nameOf(added->Owner);
        return true;
    };
    AddEdit streamedAdd(groupText, entry, DayCount::now());
    const StreamedChange streamed = [&](const QString &path, QString *error) {
        if (!rewriting(streamedAdd)(path, error))
            return false;
        *key = URLData::keyText(streamedAdd.key());
        if (groupName)
            *groupName = streamedAdd.groupName();
        return true;
    };
    return editStore(file, add, streamed, missing);
}

bool StoreEditCommand::makeFirstGroup(URLBlock &store, const QString &file, const QString &name,
                                      QString *error)
{
    if (name.isEmpty()) {
        *error = QStringLiteral("%1 does not exist, and an empty GROUP cannot name its group").arg(file);
        return false;
    }
    store.addGroup(name);
    return true;
}
