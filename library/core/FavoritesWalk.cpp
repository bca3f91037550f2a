// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FavoritesWalk.h"

#include "BookmarkSink.h"
#include "UrlFileReader.h"

#include "FilePaths.h"
#include "TextDecoding.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr QByteArrayView shortcutSuffix = ".url";

// A name in a folder: the file system's bytes, and the text it shows as
// (UTF-8, or Windows-1252 for a name that is not valid UTF-8).
struct Entry
{
    QByteArray bytes;
    QString text;
};

bool inNameOrder(const Entry &a, const Entry &b)
{
    const int order = QString::compare(a.text, b.text, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a.bytes < b.bytes;
}

bool isShortcutName(const QByteArray &name)
{
    return name.size() >= shortcutSuffix.size()
        && QByteArrayView(name).last(shortcutSuffix.size()).compare(shortcutSuffix, Qt::CaseInsensitive) == 0;
}

QByteArray canonicalPath(const QByteArray &path)
{
    char *resolved = ::realpath(path.constData(), nullptr);
    if (!resolved)
        return QByteArray();
    QByteArray canonical(resolved);
    ::free(resolved);
    return canonical;
}

// Paths are kept as the file system's bytes throughout, so that a name that
// is not valid UTF-8 (common in files copied from old Windows systems) is
// still found and read.
class Walk
{
public:
    Walk(BookmarkSink &sink, const FavoritesWalk::FolderDone &folderDone)
        : m_sink(sink)
        , m_folderDone(folderDone)
    { }

    // False when the folder was walked before (a link back to it), is no
    // folder, or lies outside the folder being merged (a link elsewhere).
    bool enter(const QByteArray &path)
    {
        const QByteArray canonical = canonicalPath(path);
        if (canonical.isEmpty() || m_walked.contains(canonical))
            return false;
        if (m_root.isEmpty())
            m_root = canonical;
        else if (m_root != "/" && !canonical.startsWith(QByteArray(m_root + '/')))
            return false;
        m_walked.insert(canonical);
        return true;
    }

    void walk(const QByteArray &path)
    {
        QList<Entry> shortcuts;
        QList<Entry> folders;
        list(path, shortcuts, folders);
        for (const Entry &shortcut : std::as_const(shortcuts)) {
            const std::optional<QString> url = UrlFileReader::readShortcutAt(path + '/' + shortcut.bytes);
            if (url)
                m_sink.bungUrl(shortcut.text.chopped(shortcutSuffix.size()), *url);
            else
                ++m_skipped;
        }
        for (const Entry &folder : std::as_const(folders)) {
            if (m_stopped)
                return;
            const QByteArray folderPath = path + '/' + folder.bytes;
            if (!enter(folderPath))
                continue;
            m_sink.newGroup(folder.text);
            walk(folderPath);
        }
        if (m_folderDone && !m_stopped && !m_folderDone(int(m_walked.size())))
            m_stopped = true;
    }

    bool stopped() const { return m_stopped; }

    // Files named as shortcuts that were passed over.
    int skipped() const { return m_skipped; }

private:
    static void list(const QByteArray &path, QList<Entry> &shortcuts, QList<Entry> &folders)
    {
        DIR *dir = ::opendir(path.constData());
        if (!dir)
            return;
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            // A link counts as what it points to; a broken one is no folder,
            // and as a shortcut it is passed over when it is read.
            struct stat status;
            const bool folder = ::stat(QByteArray(path + '/' + name).constData(), &status) == 0 && S_ISDIR(status.st_mode);
            if (folder)
                folders.append({name, TextDecoding::decodeLine(name)});
            else if (isShortcutName(name))
                shortcuts.append({name, TextDecoding::decodeLine(name)});
        }
        ::closedir(dir);
        std::sort(shortcuts.begin(), shortcuts.end(), inNameOrder);
        std::sort(folders.begin(), folders.end(), inNameOrder);
    }

    BookmarkSink &m_sink;
    const FavoritesWalk::FolderDone &m_folderDone;
    int m_skipped = 0;
    bool m_stopped = false;
    QByteArray m_root;
    QSet<QByteArray> m_walked;
};

}  // namespace

namespace FavoritesWalk {

int walkFavorites(const QString &path, BookmarkSink &sink, const FolderDone &folderDone, bool *stopped)
{
    QByteArray folder = FilePaths::encode(path);
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    Walk walk(sink, folderDone);
    if (walk.enter(folder))
        walk.walk(folder);
    if (stopped)
        *stopped = walk.stopped();
    return walk.skipped();
}

}  // namespace FavoritesWalk
