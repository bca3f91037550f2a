// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelReader.h"

#include "BookmarkEntry.h"
#include "BookmarkSink.h"
#include "FastXmlReader.h"
#include "FileIO.h"
#include "HugePageBuffer.h"
#include "XbelEvents.h"
#include "XbelNames.h"
#include "XbelValues.h"

#include <QBuffer>
#include <QFile>
#include <QXmlStreamReader>
#include <atomic>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

using namespace XbelValues;

namespace {

using Event = XbelEvent;
using Events = XbelEvents;

// The elements the reader tells apart by their (local) names; the others are Other.
enum class Element : quint8 { Other, Xbel, Folder, Bookmark, Title, Info, Metadata, Separator, Alias, Visits, Rating, Category, Href };

// Whether name is the ASCII text given; without a library call when name is of bytes.
template <size_t N>
bool named(QStringView name, const char (&text)[N])
{
    return name == QLatin1StringView(text, N - 1);
}

template <size_t N>
bool named(QByteArrayView name, const char (&text)[N])
{
    return name.size() == N - 1 && std::memcmp(name.data(), text, N - 1) == 0;
}

template <typename Name>
Element elementOf(Name name)
{
    switch (name.size()) {
    case 4:
        return named(name, "xbel") ? Element::Xbel
            : named(name, "info")  ? Element::Info
            : named(name, "href")  ? Element::Href
                                   : Element::Other;
    case 5:
        return named(name, "title") ? Element::Title : named(name, "alias") ? Element::Alias : Element::Other;
    case 6:
        return named(name, "folder") ? Element::Folder
            : named(name, "visits")  ? Element::Visits
            : named(name, "rating")  ? Element::Rating
                                     : Element::Other;
    case 8:
        return named(name, "bookmark") ? Element::Bookmark
            : named(name, "metadata")  ? Element::Metadata
            : named(name, "category")  ? Element::Category
                                       : Element::Other;
    case 9:
        return named(name, "separator") ? Element::Separator : Element::Other;
    default:
        return Element::Other;
    }
}

enum class Token { Start, End, Other, Finished };

// The file as QXmlStreamReader reads it: the authority on what is well-formed, and its error texts.
class StreamXml
{
public:
    explicit StreamXml(QIODevice &device)
        : m_xml(&device)
    { }
    Token next()
    {
        if (m_xml.atEnd())
            return Token::Finished;
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            return Token::Start;
        case QXmlStreamReader::EndElement:
            return Token::End;
        default:
            return Token::Other;
        }
    }
    Element element() const { return elementOf(m_xml.name()); }
    QString nameText() const { return m_xml.name().toString(); }
    bool inNoNamespace() const { return m_xml.namespaceUri().isEmpty(); }
    QString attribute(const char *name) const { return m_xml.attributes().value(QLatin1StringView(name)).toString(); }
    std::optional<qint64> dateAttribute(const char *name) const
    {
        return BookmarkEntry::msOf(dateOf(m_xml.attributes().value(QLatin1StringView(name))));
    }
    bool attributeIs(const char *name, const QString &value) const
    {
        return m_xml.attributes().value(QLatin1StringView(name)) == value;
    }
    void readElementText(QString *text) { *text = m_xml.readElementText(QXmlStreamReader::IncludeChildElements); }
    qint64 position() const { return m_xml.device()->pos(); }
    qint64 lineNumber() const { return m_xml.lineNumber(); }
    QString failure(bool sawRoot) const
    {
        if (!m_xml.hasError())
            return QString();
        // Qt's texts end in a full stop; the message goes on after them.
        QString reason = m_xml.errorString();
        if (reason.endsWith(u'.'))
            reason.chop(1);
        if (!sawRoot)
            return QStringLiteral("not an XBEL file (%1)").arg(reason);
        return QStringLiteral("line %1: %2").arg(m_xml.lineNumber()).arg(reason);
    }

private:
    QXmlStreamReader m_xml;
};

// The file in memory as FastXmlReader reads it; any failure is its declining.
class FastXml
{
public:
    explicit FastXml(QByteArrayView data)
        : m_xml(data, XbelReader::maxDepth)
    { }
    Token next()
    {
        switch (m_xml.readNext()) {
        case FastXmlReader::StartElement:
            return Token::Start;
        case FastXmlReader::EndElement:
            return Token::End;
        case FastXmlReader::EndOfDocument:
            return Token::Finished;
        case FastXmlReader::Declined:
            break;
        }
        m_declined = true;
        return Token::Finished;
    }
    Element element() const { return elementOf(m_xml.name()); }
    QString nameText() const { return QString::fromLatin1(m_xml.name()); }
    // Default namespaces are declined: an element is in none when its name has no prefix.
    bool inNoNamespace() const { return !m_xml.hasPrefix(); }
    QString attribute(const char *name) const { return m_xml.attribute(name); }
    bool attributeIs(const char *name, const QString &value) const
    {
        QByteArrayView bytes;
        if (m_xml.plainAttribute(name, &bytes) && bytes.size() == value.size())
            return QLatin1StringView(bytes.data(), bytes.size()) == value;  // of ASCII, the value's one unit a byte
        return m_xml.attribute(name) == value;
    }
    std::optional<qint64> dateAttribute(const char *name) const
    {
        QByteArrayView bytes;
        if (m_xml.plainAttribute(name, &bytes)) {
            if (const std::optional<qint64> utc = utcMsOf(bytes))
                return utc;
        }
        return BookmarkEntry::msOf(dateOf(m_xml.attribute(name)));
    }
    void readElementText(QString *text) { m_declined = m_declined || !m_xml.readElementText(text); }
    qint64 position() const { return m_xml.position(); }
    qint64 lineNumber() const { return 0; }
    QString failure(bool) const { return m_declined ? QStringLiteral("declined") : QString(); }

private:
    FastXmlReader m_xml;
    bool m_declined = false;
};

// Reads the file's elements in one pass, keeping track of the top-level
// folder whose group the bookmarks join.
template <typename Xml>
class XbelParser
{
public:
    explicit XbelParser(Xml &xml)
        : m_xml(xml)
    { }

    bool parse(const XbelReader::Progress &progress, qint64 total);
    QString error() const { return m_error; }
    Events takeEvents() { return std::move(m_events); }

private:
    enum class Group { None, Root, Folder, ClosedFolder };

    bool startElement();
    void endElement();
    void readMetadataElement(Element element);
    void openFolderGroup();
    void enterGroupOfBookmark();
    bool fail(const QString &text);
    Element parent() const { return m_open.size() > 1 ? m_open[m_open.size() - 2] : Element::Other; }

    Xml &m_xml;
    QString m_error;
    Events m_events;
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
};

template <typename Xml>
bool XbelParser<Xml>::parse(const XbelReader::Progress &progress, qint64 total)
{
    int tokens = 0;
    for (Token token = m_xml.next(); token != Token::Finished; token = m_xml.next()) {
        if (token == Token::Start && !startElement())
            return false;
        if (token == Token::End)
            endElement();
        if (progress && ++tokens % 4096 == 0)
            progress(m_xml.position(), total);
    }
    const QString failure = m_xml.failure(m_sawRoot);
    return failure.isEmpty() || fail(failure);
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
            if (const auto visits = numberOf(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
                m_bookmark.visits = qint32(*visits);
        } else if (element == Element::Rating) {
            if (const auto rating = numberOf(text, 0, 255))
                m_bookmark.rating = quint8(*rating);
        } else if (element == Element::Category) {
            if (const auto category = numberOf(text, 0, 255))
                m_bookmark.category = quint8(*category);
        } else if (element == Element::Title) {
            m_bookmark.title = exactText(text).value_or(m_bookmark.title);
        } else if (element == Element::Href) {
            m_bookmark.url = exactText(text).value_or(m_bookmark.url);
        }
    } else if (m_folderDepth == 1 && !m_folderGroupOpen && element == Element::Title) {
        m_folderName = exactText(text).value_or(m_folderName);
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
        m_events.push_back({Event::Entry, QString(), std::move(m_bookmark)});
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
    m_events.push_back({Event::RootOwner, QString(), {}});
    m_events.push_back({Event::NewGroup, m_folderName, {}});
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
    m_events.push_back({m_rootOpened ? Event::ReopenGroup : Event::NewGroup, XbelNames::rootGroup, {}});
    m_rootOpened = true;
    m_group = Group::Root;
}

// The events of data read by the fast reader; false when it declines.
bool readFast(QByteArrayView data, const XbelReader::Progress &progress, Events *events)
{
    FastXml xml(data);
    XbelParser<FastXml> parser(xml);
    if (!parser.parse(progress, data.size()))
        return false;
    *events = parser.takeEvents();
    return true;
}

bool readStream(QIODevice &device, const XbelReader::Progress &progress, qint64 total, Events *events,
                QString *error)
{
    StreamXml xml(device);
    XbelParser<StreamXml> parser(xml);
    if (!parser.parse(progress, total)) {
        *error = parser.error();
        return false;
    }
    *events = parser.takeEvents();
    return true;
}

std::atomic<int> fastReadCount = 0;

}  // namespace

namespace XbelReader {

// The fast reader reads a copy of the whole file (a mapping of the file would
// end the program if another one cut the file short meanwhile), in memory of
// its own that is given back at once; where it declines,
// QXmlStreamReader reads the file from its start and gives the error texts.
bool readXbelFile(const QString &fileName, BookmarkSink &sink, QString *error, const Progress &progress)
{
    QFile file;
    QString openError;
    if (fileName.isEmpty() || !FileIO::openRegularFile(fileName, &file, &openError)) {
        *error = openError.isEmpty() ? QStringLiteral("%1: cannot read the file").arg(fileName) : openError;
        return false;
    }
    const qint64 total = file.size();
    if (total > maxFileBytes) {
        *error = QStringLiteral("%1: larger than %2 MiB, too large for an XBEL file").arg(fileName).arg(maxFileBytes >> 20);
        return false;
    }
    Events events;
    bool read = false;
    {
        const HugePageBuffer buffer(total);
        const qint64 size = buffer.isNull() ? -1 : file.read(buffer.data(), total);
        read = size >= 0 && readFast(QByteArrayView(buffer.data(), size), progress, &events);
    }
    if (read) {
        ++fastReadCount;
    } else {
        QString parseError;
        if (!file.seek(0) || !readStream(file, progress, total, &events, &parseError)) {
            *error = QStringLiteral("%1: %2; nothing was merged").arg(fileName, parseError);
            return false;
        }
    }
    events.report(sink);
    if (progress)
        progress(total, total);
    return true;
}

bool readXbelData(QByteArrayView data, BookmarkSink &sink, QString *error, Reader reader)
{
    Events events;
    error->clear();
    if (reader == Reader::Fast) {
        if (!readFast(data, {}, &events))
            return false;
    } else {
        QBuffer buffer;
        buffer.setData(data.toByteArray());
        if (!buffer.open(QIODevice::ReadOnly) || !readStream(buffer, {}, data.size(), &events, error))
            return false;
    }
    events.report(sink);
    return true;
}

int fastReads()
{
    return fastReadCount;
}

}  // namespace XbelReader
