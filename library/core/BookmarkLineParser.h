// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

class BookmarkSink;

// Reads a Netscape bookmark file one line at a time, as the exports of
// Netscape, Firefox and Chromium lay it out: a folder line of the top level
// (indented by four characters) opens a group named after the folder, a link
// line reports its title and address into the group opened last, and the
// top-level separator line opens the group "Netscape: ROOT". Folders deeper
// down open nothing: their links join their top-level folder's group.
//
// Links that stand outside every top-level folder (before the first one, or
// at the top level after a folder's list has closed, as Chromium writes the
// "Other bookmarks" and Firefox the menu's own links) never join the folder
// that closed: they go to the file's latest "Netscape: ROOT" group, which the
// first of them opens when the file has none yet.
//
// Each link is reported with the dates and counts its tag gives (see
// BookmarkEntry).
class BookmarkLineParser
{
public:
    static const QString rootGroupName;

    explicit BookmarkLineParser(BookmarkSink &sink);

    // One line of the file, with or without its line end (CR LF or LF).
    void parseBookmarkLine(QStringView line);

private:
    enum class Group { None, Root, Folder, ClosedFolder };

    void parseFolderLine(QStringView line, qsizetype tagStart);
    void parseLinkLine(QStringView line, qsizetype href);
    void countLists(QStringView line);
    void openGroup(const QString &name, Group kind);
    void reopenRoot();

    BookmarkSink &m_sink;
    Group m_group = Group::None;
    bool m_rootOpened = false;
    int m_depth = 0;        // lists (<DL>) open where the line starts
    int m_folderDepth = 0;  // m_depth at the line of the open folder group
};
