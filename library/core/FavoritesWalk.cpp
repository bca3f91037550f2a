#include "FavoritesWalk.h"

#include "BookmarkSink.h"
#include "UrlFileReader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <algorithm>

namespace {

constexpr QStringView shortcutSuffix = u".url";

class Walk
{
public:
    Walk(BookmarkSink &sink, const FavoritesWalk::FolderDone &folderDone)
        : m_sink(sink)
        , m_folderDone(folderDone)
    { }

    // False when the folder was walked before (a link back to it) or is no folder.
    bool enter(const QString &path)
    {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty() || m_walked.contains(canonical))
            return false;
        m_walked.insert(canonical);
        return true;
    }

    void walk(const QString &path)
    {
        QStringList shortcuts;
        QStringList folders;
        list(path, shortcuts, folders);
        for (const QString &name : std::as_const(shortcuts))
            m_sink.bungUrl(name.chopped(shortcutSuffix.size()),
                           UrlFileReader::readUrlFile(path + u'/' + name));
        for (const QString &name : std::as_const(folders)) {
            const QString folder = path + u'/' + name;
            if (!enter(folder))
                continue;
            m_sink.newGroup(name);
            walk(folder);
        }
        if (m_folderDone)
            m_folderDone(m_walked.size());
    }

private:
    static void list(const QString &path, QStringList &shortcuts, QStringList &folders)
    {
        QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        while (it.hasNext()) {
            const QFileInfo info = it.nextFileInfo();
            const QString name = info.fileName();
            if (info.isDir())
                folders << name;
            else if (name.endsWith(shortcutSuffix, Qt::CaseInsensitive))
                shortcuts << name;
        }
        std::sort(shortcuts.begin(), shortcuts.end(), FavoritesWalk::nameOrder);
        std::sort(folders.begin(), folders.end(), FavoritesWalk::nameOrder);
    }

    BookmarkSink &m_sink;
    const FavoritesWalk::FolderDone &m_folderDone;
    QSet<QString> m_walked;
};

}  // namespace

namespace FavoritesWalk {

bool nameOrder(const QString &a, const QString &b)
{
    const int order = QString::compare(a, b, Qt::CaseInsensitive);
    if (order != 0)
        return order < 0;
    return QFile::encodeName(a) < QFile::encodeName(b);
}

void walkFavorites(const QString &path, BookmarkSink &sink, const FolderDone &folderDone)
{
    QString folder = path;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    Walk walk(sink, folderDone);
    if (walk.enter(folder))
        walk.walk(folder);
}

}  // namespace FavoritesWalk
