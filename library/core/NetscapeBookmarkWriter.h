#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

struct BookmarkEntry;

// Writes a Netscape bookmark file as today's browsers import it: UTF-8, LF
// line ends, four blanks of indentation per level. Folders and links are
// written in the order given; titles, names and addresses are escaped, and a
// line end inside one becomes a blank. A folder's date is a Unix time in
// seconds (0 leaves it out); a link's dates and counts are written as
// BookmarkAttributes describes.
class NetscapeBookmarkWriter
{
public:
    NetscapeBookmarkWriter();

    // A folder at the top level; links until endFolder() go into it.
    void beginFolder(const QString &name, qint64 addDate = 0);
    void endFolder();
    void addLink(const BookmarkEntry &entry);

    // The whole file (any open folder closed).
    QByteArray finish();

private:
    void indent();

    QByteArray m_text;
    bool m_inFolder = false;
};
