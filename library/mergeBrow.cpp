// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mergeBrow.h"

#include "BookmarkEntry.h"
#include "BookmarkFileReader.h"
#include "BookmarkSink.h"
#include "ChromiumBookmarks.h"
#include "FirefoxPlaces.h"
#include "FavoritesWalk.h"
#include "ShellFolders.h"
#include "XbelReader.h"
#include "TopLevelBookmarks.h"

#include <QCursor>
#include <QGuiApplication>
#include <QVariant>

namespace {

// The hourglass while a merge reads, where the process shows windows.
class WaitPointer
{
public:
    WaitPointer()
        : m_shown(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitPointer()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitPointer(const WaitPointer &) = delete;
    WaitPointer &operator=(const WaitPointer &) = delete;

private:
    const bool m_shown;
};

// What the readers find, raised as the object's events.
class EventSink : public BookmarkSink
{
public:
    explicit EventSink(mergeBrow &source)
        : m_source(source)
    { }
    void newGroup(const QString &name) override { emit m_source.NewGroup(name); }
    void reopenGroup(const QString &name) override { emit m_source.ReopenGroup(name); }
    void bungUrl(const QString &title, const QString &url) override { emit m_source.BungURL(title, url); }
    void bungEntry(const BookmarkEntry &entry) override
    {
        emit m_source.BungEntry(entry.title, entry.url, BookmarkEntry::timeOf(entry.addedMs),
                                BookmarkEntry::timeOf(entry.lastVisitMs), entry.visits, entry.rating,
                                entry.category);
    }
    void bungUsage(const BookmarkEntry &entry) override
    {
        emit m_source.BungUsage(entry.title, entry.url, BookmarkEntry::timeOf(entry.addedMs),
                                BookmarkEntry::timeOf(entry.lastVisitMs), entry.visits);
    }
    void storeLastRootOwner() override { emit m_source.storeLastRootOwner(); }

private:
    mergeBrow &m_source;
};

}  // namespace

// A group name that the store keeps: the same in every language, so that
// merging again finds it.
const QString mergeBrow::rootFavoritesGroup = QStringLiteral("E-Favorites: (Was Root)");
const char *const mergeBrow::mergeTitle = QT_TRANSLATE_NOOP("mergeBrow", "Merge From Netscape Bookmarks");
const char *const mergeBrow::openTitle = QT_TRANSLATE_NOOP("mergeBrow", "Open Netscape Bookmarks As");
// Browsers of today name their exports ".html".
const QString mergeBrow::bookmarkFilter = QStringLiteral("(*.HTM)|*.htm *.html");

mergeBrow::mergeBrow(QObject *parent)
    : QObject(parent)
{ }

// The host's sink, where it names one that is a BookmarkSink; else the events.
BookmarkSink &mergeBrow::sinkOr(BookmarkSink &events) const
{
    BookmarkSink *direct = qobject_cast<BookmarkSink *>(m_sink.data());
    return direct ? *direct : events;
}

void mergeBrow::MergeFaves(qlonglong hWnd)
{
    m_hWnd = hWnd;
    EventSink events(*this);
    BookmarkSink &sink = sinkOr(events);
    sink.newGroup(rootFavoritesGroup);
    const WaitPointer wait;
    const QString folder = m_favoritesFolder.isEmpty()
        ? ShellFolders::getSpecialFolder(ShellFolders::Favorites)
        : m_favoritesFolder;
    if (folder.isEmpty())
        return;
    m_skippedFavorites
        = FavoritesWalk::walkFavorites(folder, sink, [this](int folders) {
              emit Progress(folders, 0);
              return !m_cancelled;
          });
}

bool mergeBrow::OpenNSAs(bool merge)
{
    const QString fileName = askForFile(merge);
    return !fileName.isEmpty() && readBookmarkFile(fileName);
}

// The file chosen in the host's dialog; "" when there is no dialog or it was
// cancelled.
QString mergeBrow::askForFile(bool merge) const
{
    QObject *dialog = m_thisForm ? m_thisForm->findChild<QObject *>(QStringLiteral("dlgDialog")) : nullptr;
    if (!dialog)
        return QString();
    dialog->setProperty("DialogTitle", tr(merge ? mergeTitle : openTitle));
    dialog->setProperty("Filter", bookmarkFilter);
    dialog->setProperty("CancelError", true);
    dialog->setProperty("FileName", QString());
    if (!QMetaObject::invokeMethod(dialog, "ShowOpen"))
        return QString();
    return dialog->property("FileName").toString();
}

bool mergeBrow::readBookmarkFile(const QString &fileName)
{
    const WaitPointer wait;
    EventSink events(*this);
    return BookmarkFileReader::readBookmarkFile(
        fileName, sinkOr(events), [this](qint64 done, qint64 total) {
            emit Progress(done, total);
            return !m_cancelled;
        });
}

bool mergeBrow::MergeXbel(const QString &fileName)
{
    const WaitPointer wait;
    EventSink events(*this);
    m_lastError.clear();
    return XbelReader::readXbelFile(fileName, sinkOr(events), &m_lastError,
                                    [this](qint64 done, qint64 total) { emit Progress(done, total); });
}

bool mergeBrow::MergeFirefox(const QString &profileFolder)
{
    return mergeProfile([&profileFolder](TopLevelBookmarks &bookmarks, QString *error) {
        return FirefoxPlaces::read(FirefoxPlaces::placesFileOf(profileFolder), bookmarks, error);
    });
}

bool mergeBrow::MergeChromium(const QString &profileFolder)
{
    return mergeProfile([&profileFolder](TopLevelBookmarks &bookmarks, QString *error) {
        return ChromiumBookmarks::read(profileFolder, bookmarks, error);
    });
}

bool mergeBrow::mergeProfile(const std::function<bool(TopLevelBookmarks &, QString *)> &read)
{
    const WaitPointer wait;
    m_errorText.clear();
    TopLevelBookmarks bookmarks;
    if (!read(bookmarks, &m_errorText))
        return false;
    EventSink events(*this);
    bookmarks.report(sinkOr(events));
    return true;
}
