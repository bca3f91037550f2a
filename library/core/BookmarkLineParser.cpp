// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BookmarkLineParser.h"

#include "BookmarkAttributes.h"
#include "BookmarkEntry.h"
#include "BookmarkSink.h"
#include "HtmlEntities.h"

namespace {

constexpr QStringView folderClose = u"</H3>";
constexpr QStringView linkClose = u"</A>";
constexpr QStringView hrefKey = u"HREF=";
constexpr QStringView separatorLine = u"    <HR>";
// A top-level item's first tag follows exactly four characters of indentation.
constexpr qsizetype topLevelIndent = 4;

// Whether text at at holds key, an ASCII text, in any case of its letters
// (no character beyond ASCII folds to one of the letters the keys use).
bool holdsAsciiAt(QStringView text, qsizetype at, QStringView key)
{
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = text[at + i].unicode();
        const char16_t k = key[i].unicode();
        const bool letter = (k | 0x20) >= u'a' && (k | 0x20) <= u'z';
        if (letter ? (c | 0x20) != (k | 0x20) : c != k)
            return false;
    }
    return true;
}

// line.indexOf(key, 0, Qt::CaseInsensitive) for an ASCII key, without
// folding the case of every character of the line.
qsizetype indexOfAscii(QStringView line, QStringView key)
{
    const char16_t first = key.front().unicode() | 0x20;
    for (qsizetype at = 0; at + key.size() <= line.size(); ++at) {
        if ((line[at].unicode() | 0x20) == first && holdsAsciiAt(line, at, key))
            return at;
    }
    return -1;
}

bool endsWithAscii(QStringView line, QStringView key)
{
    return line.size() >= key.size() && holdsAsciiAt(line, line.size() - key.size(), key);
}

QStringView withoutLineEnd(QStringView line)
{
    while (!line.isEmpty() && (line.back() == u'\n' || line.back() == u'\r'))
        line.chop(1);
    return line;
}

// Where the closing tag starts when it ends the line, or when exactly one
// character follows it (as older readers left a line end behind); -1 otherwise.
qsizetype closingTagAt(QStringView line, QStringView tag)
{
    if (endsWithAscii(line, tag))
        return line.size() - tag.size();
    if (line.size() > tag.size() && endsWithAscii(line.chopped(1), tag))
        return line.size() - 1 - tag.size();
    return -1;
}

// The text that ends where the closing tag starts: after the opening tag's
// last attribute value (the last "\">"), or after its ">" when it has none.
QStringView elementText(QStringView line, qsizetype closeAt, qsizetype notBefore)
{
    const QStringView head = line.first(closeAt);
    // The last "\">" and the last ">", in one pass from the end.
    qsizetype lastClose = -1;
    qsizetype start = -1;
    for (qsizetype at = head.size() - 1; at >= 0 && start < 0; --at) {
        if (head[at] != u'>')
            continue;
        if (lastClose < 0)
            lastClose = at;
        if (at > 0 && head[at - 1] == u'"')
            start = at + 1;
    }
    if (start < 0)
        start = lastClose + 1;
    return start < notBefore ? QStringView() : head.sliced(start);
}

qsizetype countOf(QStringView line, QStringView what)
{
    qsizetype count = 0;
    for (qsizetype at = line.indexOf(what, 0, Qt::CaseInsensitive); at >= 0;
         at = line.indexOf(what, at + what.size(), Qt::CaseInsensitive))
        ++count;
    return count;
}

}  // namespace

const QString BookmarkLineParser::rootGroupName = QStringLiteral("Netscape: ROOT");

BookmarkLineParser::BookmarkLineParser(BookmarkSink &sink)
    : m_sink(sink)
{ }

void BookmarkLineParser::parseBookmarkLine(QStringView line)
{
    line = withoutLineEnd(line);
    if (line.size() < 5) {
        countLists(line);
        return;
    }
    const qsizetype folderAt = closingTagAt(line, folderClose);
    if (folderAt >= 0) {
        parseFolderLine(line, folderAt);
        return;
    }
    const qsizetype href = indexOfAscii(line, hrefKey);
    if (href >= 0) {
        parseLinkLine(line, href);
        return;
    }
    // A separator that ends the top-level list (Firefox writes "<HR></DL>" on
    // one line) has nothing after it to hold.
    if (line.startsWith(separatorLine, Qt::CaseInsensitive) && !line.contains(u"</DL", Qt::CaseInsensitive))
        openGroup(rootGroupName, Group::Root);
    countLists(line);
}

void BookmarkLineParser::parseFolderLine(QStringView line, qsizetype tagStart)
{
    if (line.indexOf(u'<') != topLevelIndent)
        return;
    const QString name = HtmlEntities::decode(elementText(line, tagStart, 0));
    m_sink.storeLastRootOwner();
    openGroup(name, Group::Folder);
    m_folderDepth = m_depth;
}

void BookmarkLineParser::parseLinkLine(QStringView line, qsizetype href)
{
    qsizetype start = href + hrefKey.size();
    qsizetype end = -1;
    if (start < line.size() && (line[start] == u'"' || line[start] == u'\'')) {
        end = line.indexOf(line[start], start + 1);
        ++start;
    } else {
        end = start;
        while (end < line.size() && !line[end].isSpace() && line[end] != u'>')
            ++end;
    }
    if (end < 0)
        end = line.size();
    BookmarkEntry entry;
    entry.url = HtmlEntities::decode(line.sliced(start, end - start));
    const qsizetype closeAt = closingTagAt(line, linkClose);
    if (closeAt > end)
        entry.title = HtmlEntities::decode(elementText(line, closeAt, end + 1));
    BookmarkAttributes::readLinkAttributes(line, qMax<qsizetype>(0, line.lastIndexOf(u'<', href)), entry);
    if (m_group == Group::None || m_group == Group::ClosedFolder) {
        if (m_rootOpened)
            reopenRoot();
        else
            openGroup(rootGroupName, Group::Root);
    }
    m_sink.bungEntry(entry);
}

// Follows the lists that open and close, so that a link after its folder's
// list has closed is known to stand outside it.
void BookmarkLineParser::countLists(QStringView line)
{
    const qsizetype closes = countOf(line, u"</DL");
    m_depth += int(countOf(line, u"<DL") - closes);
    if (closes > 0 && m_group == Group::Folder && m_depth <= m_folderDepth)
        m_group = Group::ClosedFolder;
}

void BookmarkLineParser::openGroup(const QString &name, Group kind)
{
    m_sink.newGroup(name);
    m_group = kind;
    if (kind == Group::Root)
        m_rootOpened = true;
}

void BookmarkLineParser::reopenRoot()
{
    m_sink.reopenGroup(rootGroupName);
    m_group = Group::Root;
}
