#include "GroupCommand.h"

#include "EntryArguments.h"
#include "FileIO.h"
#include "LineReader.h"
#include "StackFile.h"
#include "TextDecoding.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <functional>
#include <optional>
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

namespace {

// The first name that is empty, or null.
const QString *emptyName(const QStringList &names)
{
    const auto found
        = std::find_if(names.begin(), names.end(), [](const QString &name) { return name.isEmpty(); });
    return found == names.end() ? nullptr : &*found;
}

// The group name of a stack-file line (without its line end): a line without
// a field separator that starts with "+", decoded as the loader decodes it.
std::optional<QString> groupNameOf(QByteArrayView line)
{
    if (!line.startsWith('+') || line.contains(char(StackFile::fieldSeparator.unicode())))
        return std::nullopt;
    const QByteArrayView name = line.sliced(1);
    if (!TextDecoding::isValidUtf8(name))
        return TextDecoding::fromWindows1252(name);
    // A byte-order mark at the start of the name is part of it.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(name);
}

}  // namespace

// The names are read line by line, so that the groups of a large file are
// listed at once (as a shell's completion asks for them) in little memory.
int GroupCommand::list(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 1))
        return UsageError;
    const QString path = parser.positionalArguments().at(0);
    QFile file;
    QString error;
    if (!FileIO::openRegularFile(path, &file, &error))
        return fileError(error);
    bool first = true;
    LineReader lines(file);
    const bool read = lines.readLines([&](QByteArrayView line) {
        if (first) {
            line = TextDecoding::withoutUtf8Bom(line);
            first = false;
        }
        if (line.endsWith('\r'))
            line.chop(1);
        if (const auto name = groupNameOf(line))
            m_out << *name << '\n';
    });
    m_out.flush();
    if (!read) {
        FileIO::setReadError(path, file, &error);
        return fileError(error);
    }
    return Success;
}

int GroupCommand::add(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 2, true))
        return UsageError;
    const QStringList names = parser.positionalArguments().mid(1);
    if (emptyName(names))
        return usageError(QStringLiteral("a group needs a name: NAME is empty"));
    QList<int> positions;
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
    return editStore(parser.positionalArguments().at(0), [&](URLBlock &store, QString *error) {
        int group = -1;
        return findGroup(store, groupText, group, error) && store.renameGroup(group, newName);
    });
}

int GroupCommand::remove(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption withEntries(QStringLiteral("with-entries"));
    parser.addOption(withEntries);
    if (!parse(parser, arguments, 2, true))
        return UsageError;
    const QStringList groupTexts = parser.positionalArguments().mid(1);
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
                holding.prepend(QStringLiteral("'%1' (%2) holds %3 %4")
                                    .arg(store.IDXList().nameOf(group))
                                    .arg(group)
                                    .arg(entries)
                                    .arg(entries == 1 ? QStringLiteral("entry") : QStringLiteral("entries")));
        }
        if (!holding.isEmpty() && !parser.isSet(withEntries)) {
            *error = QStringLiteral("not removed: the group %1; give --with-entries to remove them too")
                         .arg(holding.join(QStringLiteral(", the group ")));
            return false;
        }
        // From the last, so that the positions of the others stay as read.
        for (const int group : groups)
            store.removeGroup(group);
        return true;
    });
}
