// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelReader.h"

#include "BookmarkEntry.h"
#include "BookmarkSink.h"
#include "FileIO.h"
#include "XbelNames.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtEndian>
#include <limits>
#include <optional>
#include <vector>

namespace {

// What the sink is told, kept until the whole file has been read.
struct Event
{
    enum Kind { NewGroup, ReopenGroup, Entry, RootOwner };
    Kind kind;
    QString name;
    BookmarkEntry entry;
};

// The exact text Tessaly's metadata gives (see XbelNames); none when it is not base64 of UTF-16.
std::optional<QString> exactText(const QString &base64)
{
    const auto decoded = QByteArray::fromBase64Encoding(base64.trimmed().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() % 2 != 0)
        return std::nullopt;
    QString text(decoded.decoded.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(decoded.decoded.constData() + 2 * i));
    return text;
}

// A two-to-four digit field of text at i; -1 when a character is not a digit.
int digitsAt(QStringView text, qsizetype i, qsizetype count)
{
    int value = 0;
    for (qsizetype end = i + count; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The form Tessaly writes, YYYY-MM-DDTHH:MM:SS.mmmZ, read without
// QDateTime's general parser (a file holds two dates a bookmark); none for
// any other form.
std::optional<QDateTime> utcDateOf(QStringView text)
{
    if (text.size() != 24 || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' || text[13] != u':'
        || text[16] != u':' || text[19] != u'.' || text[23] != u'Z')
        return std::nullopt;
    const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
    const int hour = digitsAt(text, 11, 2), minute = digitsAt(text, 14, 2), second = digitsAt(text, 17, 2);
    const int ms = digitsAt(text, 20, 3);
    if (year < 1 || ms < 0 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59
        || !QDate::isValid(year, month, day))
        return std::nullopt;
    constexpr qint64 julianDayOf1970 = 2440588;
    const qint64 days = QDate(year, month, day).toJulianDay() - julianDayOf1970;
    return QDateTime::fromMSecsSinceEpoch(((days * 24 + hour) * 60 + minute) * 60000 + second * 1000 + ms,
                                          Qt::UTC);
}

QDateTime dateOf(QStringView text)
{
    if (const std::optional<QDateTime> utc = utcDateOf(text))
        return *utc;
    const QString trimmed = text.trimmed().toString();
    QDateTime date = QDateTime::fromString(trimmed, Qt::ISODateWithMs);
    return date.isValid() ? date : QDateTime::fromString(trimmed, Qt::ISODate);
}

std::optional<qint64> numberOf(const QString &text, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok && value >= min && value <= max ? std::optional<qint64>(value) : std::nullopt;
}

// Reads the file's elements in one pass, keeping track of the top-level
// folder whose group the bookmarks join.
class XbelParser
{
public:
    explicit XbelParser(QIODevice &device)
        : m_xml(&device)
    { }

    bool parse(const XbelReader::Progress &progress, qint64 total);
    QString error() const { return m_error; }
    const std::vector<Event> &events() const { return m_events; }

private:
    enum class Group { None, Root, Folder, ClosedFolder };

    bool startElement();
    void endElement();
    void readMetadataElement(const QString &name);
    void openFolderGroup();
    void enterGroupOfBookmark();
    bool fail(const QString &text);
    QString parentName() const { return m_open.size() > 1 ? m_open.at(m_open.size() - 2) : QString(); }

    QXmlStreamReader m_xml;
    QString m_error;
    std::vector<Event> m_events;
    QStringList m_open;  // the elements open, outermost first
    bool m_sawRoot = false;
    int m_folderDepth = 0;
    Group m_group = Group::None;
    bool m_rootOpened = false;
    // The top-level folder being read: its name, and whether its group is open.
    QString m_folderName;
    bool m_folderGroupOpen = false;
    // The bookmark being read; its element's depth, 0 outside one.
    BookmarkEntry m_bookmark;
    qsizetype m_bookmarkDepth = 0;
    qsizetype m_ownMetadataDepth = 0;  // of Tessaly's metadata element, 0 outside it
};

bool XbelParser::parse(const XbelReader::Progress &progress, qint64 total)
{
    int tokens = 0;
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (!startElement())
                return false;
            break;
        case QXmlStreamReader::EndElement:
            endElement();
            break;
        default:
            break;
        }
        if (progress && ++tokens % 4096 == 0)
            progress(m_xml.device()->pos(), total);
    }
    if (!m_xml.hasError())
        return true;
    // Qt's texts end in a full stop; the message goes on after them.
    QString reason = m_xml.errorString();
    if (reason.endsWith(u'.'))
        reason.chop(1);
    if (!m_sawRoot)
        return fail(QStringLiteral("not an XBEL file (%1)").arg(reason));
    return fail(QStringLiteral("line %1: %2").arg(m_xml.lineNumber()).arg(reason));
}

bool XbelParser::fail(const QString &text)
{
    m_error = text;
    return false;
}

bool XbelParser::startElement()
{
    const QString name = m_xml.name().toString();
    m_open << name;
    if (m_open.size() == 1 && (name != XbelNames::xbel || !m_xml.namespaceUri().isEmpty()))
        return fail(QStringLiteral("not an XBEL file: its first element is <%1>").arg(name));
    m_sawRoot = true;
    if (m_open.size() > XbelReader::maxDepth)
        return fail(QStringLiteral("line %1: elements nested deeper than %2")
                        .arg(m_xml.lineNumber())
                        .arg(XbelReader::maxDepth));
    const QString parent = parentName();
    if (m_ownMetadataDepth > 0) {
        readMetadataElement(name);
    } else if (name == XbelNames::metadata && parent == XbelNames::info
               && m_xml.attributes().value(XbelNames::ownerAttribute) == XbelNames::owner) {
        m_ownMetadataDepth = m_open.size();
    } else if (name == XbelNames::title && parent == XbelNames::bookmark && m_bookmarkDepth > 0) {
        m_bookmark.title = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
        m_open.removeLast();
    } else if (name == XbelNames::title && parent == XbelNames::folder && m_folderDepth == 1
               && !m_folderGroupOpen) {
        m_folderName = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
        m_open.removeLast();
    } else if (name == XbelNames::folder || name == XbelNames::bookmark || name == QLatin1String("separator")
               || name == QLatin1String("alias")) {
        // A folder's items follow its title and info: its group opens before them.
        if (m_folderDepth >= 1)
            openFolderGroup();
        if (name == XbelNames::folder && ++m_folderDepth == 1) {
            m_folderName.clear();
            m_folderGroupOpen = false;
        }
        if (name == XbelNames::bookmark && m_bookmarkDepth == 0) {
            const QXmlStreamAttributes attributes = m_xml.attributes();
            m_bookmark = BookmarkEntry();
            m_bookmark.url = attributes.value(XbelNames::href).toString();
            m_bookmark.added = dateOf(attributes.value(XbelNames::added));
            m_bookmark.lastVisit = dateOf(attributes.value(XbelNames::visited));
            m_bookmarkDepth = m_open.size();
        }
    }
    return true;
}

// An element of Tessaly's metadata, of a bookmark or of a top-level folder.
void XbelParser::readMetadataElement(const QString &name)
{
    if (m_open.size() != m_ownMetadataDepth + 1)
        return;
    const QString text = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
    m_open.removeLast();
    if (m_bookmarkDepth > 0) {
        if (name == XbelNames::visits) {
            if (const auto visits = numberOf(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
                m_bookmark.visits = qint32(*visits);
        } else if (name == XbelNames::rating) {
            if (const auto rating = numberOf(text, 0, 255))
                m_bookmark.rating = quint8(*rating);
        } else if (name == XbelNames::category) {
            if (const auto category = numberOf(text, 0, 255))
                m_bookmark.category = quint8(*category);
        } else if (name == XbelNames::title) {
            m_bookmark.title = exactText(text).value_or(m_bookmark.title);
        } else if (name == XbelNames::href) {
            m_bookmark.url = exactText(text).value_or(m_bookmark.url);
        }
    } else if (m_folderDepth == 1 && !m_folderGroupOpen && name == XbelNames::title) {
        m_folderName = exactText(text).value_or(m_folderName);
    }
}

void XbelParser::endElement()
{
    const qsizetype depth = m_open.size();
    const QString name = m_open.isEmpty() ? QString() : m_open.takeLast();
    if (depth == m_ownMetadataDepth)
        m_ownMetadataDepth = 0;
    if (depth == m_bookmarkDepth) {
        m_bookmarkDepth = 0;
        enterGroupOfBookmark();
        m_events.push_back({Event::Entry, QString(), m_bookmark});
    } else if (name == XbelNames::folder && m_folderDepth > 0) {
        if (m_folderDepth == 1) {
            openFolderGroup();  // an empty folder is an empty group
            m_group = Group::ClosedFolder;
        }
        --m_folderDepth;
    }
}

void XbelParser::openFolderGroup()
{
    if (m_folderGroupOpen)
        return;
    m_folderGroupOpen = true;
    m_events.push_back({Event::RootOwner, QString(), {}});
    m_events.push_back({Event::NewGroup, m_folderName, {}});
    m_group = Group::Folder;
}

// Bookmarks outside every folder go to the latest root group, which the first of them opens.
void XbelParser::enterGroupOfBookmark()
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

}  // namespace

namespace XbelReader {

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
    XbelParser parser(file);
    if (!parser.parse(progress, total)) {
        *error = QStringLiteral("%1: %2; nothing was merged").arg(fileName, parser.error());
        return false;
    }
    for (const Event &event : parser.events()) {
        switch (event.kind) {
        case Event::NewGroup:
            sink.newGroup(event.name);
            break;
        case Event::ReopenGroup:
            sink.reopenGroup(event.name);
            break;
        case Event::RootOwner:
            sink.storeLastRootOwner();
            break;
        case Event::Entry:
            sink.bungEntry(event.entry);
            break;
        }
    }
    if (progress)
        progress(total, total);
    return true;
}

}  // namespace XbelReader
