#include "NetscapeBookmarkWriter.h"

#include "BookmarkAttributes.h"
#include "BookmarkEntry.h"
#include "HtmlEntities.h"

namespace {

QByteArray escaped(const QString &text)
{
    QString oneLine = text;
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    return HtmlEntities::escape(oneLine).toUtf8();
}

QByteArray dateAttribute(const char *name, qint64 seconds)
{
    if (seconds <= 0)
        return QByteArray();
    return QByteArray(" ") + name + "=\"" + QByteArray::number(seconds) + '"';
}

}  // namespace

NetscapeBookmarkWriter::NetscapeBookmarkWriter()
{
    m_text = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
             "<!-- This is an automatically generated file.\n"
             "     It will be read and overwritten.\n"
             "     DO NOT EDIT! -->\n"
             "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
             "<TITLE>Bookmarks</TITLE>\n"
             "<H1>Bookmarks</H1>\n"
             "<DL><p>\n";
}

void NetscapeBookmarkWriter::beginFolder(const QString &name, qint64 addDate)
{
    endFolder();
    m_text += "    <DT><H3" + dateAttribute("ADD_DATE", addDate) + '>' + escaped(name) + "</H3>\n";
    m_text += "    <DL><p>\n";
    m_inFolder = true;
}

void NetscapeBookmarkWriter::endFolder()
{
    if (!m_inFolder)
        return;
    m_text += "    </DL><p>\n";
    m_inFolder = false;
}

void NetscapeBookmarkWriter::addLink(const BookmarkEntry &entry)
{
    indent();
    m_text += "<DT><A HREF=\"" + escaped(entry.url) + '"' + BookmarkAttributes::linkAttributes(entry) + '>'
        + escaped(entry.title) + "</A>\n";
}

QByteArray NetscapeBookmarkWriter::finish()
{
    endFolder();
    m_text += "</DL><p>\n";
    return m_text;
}

void NetscapeBookmarkWriter::indent()
{
    m_text += m_inFolder ? "        " : "    ";
}
