// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BookmarkEntry.h"
#include "XbelElements.h"
#include "XbelEvents.h"
#include "XbelNames.h"
#include "XbelReader.h"
#include "XbelValues.h"

#include <QString>
#include <atomic>
#include <limits>
#include <optional>
#include <vector>

namespace XbelParsing {

// Reads the file's elements in one pass, keeping track of the top-level
// folder whose group the bookmarks join.
template <typename Xml>
class XbelParser
{
public:
    // Inside the root: the parser reads on from a place between the root's
    // children, as a second parser of one file does.
    enum class Start { AtTheBeginning, InsideTheRoot };
    explicit XbelParser(Xml &xml, Start start = Start::AtTheBeginning)
        : m_xml(xml)
    {
        if (start == Start::InsideTheRoot) {
            m_open.push_back(Element::Xbel);
            m_sawRoot = true;
        }
    }

    // The whole file, or what is left of it; cancel, when it is set, stops the reading.
    bool parse(const XbelReader::Progress &progress, qint64 total, const std::atomic<bool> *cancel = nullptr);
    // The first token read and taken, when it is an element's start: true
    // when it is the root's and the file XBEL's so far.
    bool readRootStart();
    // Reading up to a folder's start tag at offset, which another parser reads
    // from on: Reached when it is there with nothing but the root open, and
    // is left to that other one; Missed when the reading went past offset
    // without it (parse goes on from there); Failed when the file is refused.
    enum class Handover { Reached, Missed, Failed };
    Handover parseUpTo(qint64 offset, const XbelReader::Progress &progress, qint64 total);
    QString error() const { return m_error; }
    XbelEvents takeEvents() { return std::move(m_events); }
    // Whether the group of the bookmarks outside every folder has been made,
    // and (of a parser inside the root) the event that makes it first.
    bool rootOpened() const { return m_rootOpened; }
    std::optional<size_t> firstRootGroupEvent() const { return m_firstRootGroupEvent; }

private:
    enum class Group { None, Root, Folder, ClosedFolder };

    bool take(Token token);
    bool startElement();
    void endElement();
    void readMetadataElement(Element element);
    void openFolderGroup();
    void enterGroupOfBookmark();
    bool fail(const QString &text);
    Element parent() const { return m_open.size() > 1 ? m_open[m_open.size() - 2] : Element::Other; }

    Xml &m_xml;
    QString m_error;
    XbelEvents m_events;
    std::vector<Element> m_open;  // the elements open, outermost first
    bool m_sawRoot = false;
    int m_folderDepth = 0;
    Group m_group = Group::None;
    bool m_rootOpened = false;
    // The top-level folder being read: its name, and whether its group is open.
    QString m_folderName;
    bool m_folderGroupOpen = false;
    // The bookmark being read; its element's depth, 0 outside one.
    BookmarkEntry m_bookmark;
    size_t m_bookmarkDepth = 0;
    size_t m_ownMetadataDepth = 0;  // of Tessaly's metadata element, 0 outside it
    QString m_metadataText;
    std::optional<Token> m_pending;  // read and not yet taken
    std::optional<size_t> m_firstRootGroupEvent;
};

template <typename Xml>
bool XbelParser<Xml>::parse(const XbelReader::Progress &progress, qint64 total, const std::atomic<bool> *cancel)
{
    if (!m_error.isEmpty())
        return false;
    int tokens = 0;
    Token token = m_pending ? *m_pending : m_xml.next();
    m_pending.reset();
    for (; token != Token::Finished; token = m_xml.next()) {
        if (!take(token))
            return false;
        if (++tokens % 4096 == 0) {
            if (progress)
                progress(m_xml.position(), total);
            if (cancel && cancel->load(std::memory_order_relaxed))
                return fail(QStringLiteral("cancelled"));
        }
    }
    const QString failure = m_xml.failure(m_sawRoot);
    return failure.isEmpty() || fail(failure);
}

template <typename Xml>
bool XbelParser<Xml>::readRootStart()
{
    const Token token = m_xml.next();
    if (token != Token::Start) {
        m_pending = token;
        return false;
    }
    return take(token);
}

template <typename Xml>
typename XbelParser<Xml>::Handover XbelParser<Xml>::parseUpTo(qint64 offset, const XbelReader::Progress &progress,
                                                             qint64 total)
{
    int tokens = 0;
    for (Token token = m_xml.next();; token = m_xml.next()) {
        if (token == Token::Finished || m_xml.tokenStart() >= offset) {
            if (token == Token::Start && m_xml.tokenStart() == offset && m_open.size() == 1
                && m_xml.element() == Element::Folder && m_xml.inNoNamespace())
                return Handover::Reached;
            m_pending = token;
            return Handover::Missed;
        }
        if (!take(token))
            return Handover::Failed;
        if (progress && ++tokens % 4096 == 0)
            progress(m_xml.position(), total);
    }
}

template <typename Xml>
bool XbelParser<Xml>::take(Token token)
{
    if (token == Token::Start)
        return startElement();
    if (token == Token::End)
        endElement();
    return true;
}

template <typename Xml>
bool XbelParser<Xml>::fail(const QString &text)
{
    m_error = text;
    return false;
}

template <typename Xml>
bool XbelParser<Xml>::startElement()
{
    const Element element = m_xml.element();
    m_open.push_back(element);
    if (m_open.size() == 1 && (element != Element::Xbel || !m_xml.inNoNamespace()))
        return fail(QStringLiteral("not an XBEL file: its first element is <%1>").arg(m_xml.nameText()));
    m_sawRoot = true;
    if (m_open.size() > size_t(XbelReader::maxDepth))
        return fail(QStringLiteral("line %1: elements nested deeper than %2")
                        .arg(m_xml.lineNumber())
                        .arg(XbelReader::maxDepth));
    const Element parent = this->parent();
    if (m_ownMetadataDepth > 0) {
        readMetadataElement(element);
    } else if (element == Element::Metadata && parent == Element::Info
               && m_xml.attributeIs("owner", XbelNames::owner)) {
        m_ownMetadataDepth = m_open.size();
    } else if (element == Element::Title && parent == Element::Bookmark && m_bookmarkDepth > 0) {
        m_xml.readElementText(&m_bookmark.title);
        m_open.pop_back();
    } else if (element == Element::Title && parent == Element::Folder && m_folderDepth == 1 && !m_folderGroupOpen) {
        m_xml.readElementText(&m_folderName);
        m_open.pop_back();
    } else if (element == Element::Folder || element == Element::Bookmark || element == Element::Separator
               || element == Element::Alias) {
        // A folder's items follow its title and info: its group opens before them.
        if (m_folderDepth >= 1)
            openFolderGroup();
        if (element == Element::Folder && ++m_folderDepth == 1) {
            m_folderName.clear();
            m_folderGroupOpen = false;
        }
        if (element == Element::Bookmark && m_bookmarkDepth == 0) {
            m_bookmark = BookmarkEntry();
            m_bookmark.url = m_xml.attribute("href");
            m_bookmark.addedMs = m_xml.dateAttribute("added");
            m_bookmark.lastVisitMs = m_xml.dateAttribute("visited");
            m_bookmarkDepth = m_open.size();
        }
    }
    return true;
}

// An element of Tessaly's metadata, of a bookmark or of a top-level folder.
template <typename Xml>
void XbelParser<Xml>::readMetadataElement(Element element)
{
    if (m_open.size() != m_ownMetadataDepth + 1)
        return;
    // Its text goes to a buffer that every such element reuses.
    QString &text = m_metadataText;
    m_xml.readElementText(&text);
    m_open.pop_back();
    if (m_bookmarkDepth > 0) {
        if (element == Element::Visits) {
            if (const auto visits = XbelValues::numberOf(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
                m_bookmark.visits = qint32(*visits);
        } else if (element == Element::Rating) {
            if (const auto rating = XbelValues::numberOf(text, 0, 255))
                m_bookmark.rating = quint8(*rating);
        } else if (element == Element::Category) {
            if (const auto category = XbelValues::numberOf(text, 0, 255))
                m_bookmark.category = quint8(*category);
        } else if (element == Element::Title) {
            m_bookmark.title = XbelValues::exactText(text).value_or(m_bookmark.title);
        } else if (element == Element::Href) {
            m_bookmark.url = XbelValues::exactText(text).value_or(m_bookmark.url);
        }
    } else if (m_folderDepth == 1 && !m_folderGroupOpen && element == Element::Title) {
        m_folderName = XbelValues::exactText(text).value_or(m_folderName);
    }
}

template <typename Xml>
void XbelParser<Xml>::endElement()
{
    const size_t depth = m_open.size();
    Element element = Element::Other;
    if (!m_open.empty()) {
        element = m_open.back();
        m_open.pop_back();
    }
    if (depth == m_ownMetadataDepth)
        m_ownMetadataDepth = 0;
    if (depth == m_bookmarkDepth) {
        m_bookmarkDepth = 0;
        enterGroupOfBookmark();
        m_events.push_back({XbelEvent::Entry, QString(), std::move(m_bookmark)});
    } else if (element == Element::Folder && m_folderDepth > 0) {
        if (m_folderDepth == 1) {
            openFolderGroup();  // an empty folder is an empty group
            m_group = Group::ClosedFolder;
        }
        --m_folderDepth;
    }
}

template <typename Xml>
void XbelParser<Xml>::openFolderGroup()
{
    if (m_folderGroupOpen)
        return;
    m_folderGroupOpen = true;
    m_events.push_back({XbelEvent::RootOwner, QString(), {}});
    m_events.push_back({XbelEvent::NewGroup, m_folderName, {}});
    m_group = Group::Folder;
}

// Bookmarks outside every folder go to the latest root group, which the first of them opens.
template <typename Xml>
void XbelParser<Xml>::enterGroupOfBookmark()
{
    if (m_folderDepth > 0) {
        openFolderGroup();
        return;
    }
    if (m_group == Group::Root)
        return;
    if (!m_rootOpened)
        m_firstRootGroupEvent = m_events.size();
    m_events.push_back({m_rootOpened ? XbelEvent::ReopenGroup : XbelEvent::NewGroup, XbelNames::rootGroup, {}});
    m_rootOpened = true;
    m_group = Group::Root;
}

}  // namespace XbelParsing
