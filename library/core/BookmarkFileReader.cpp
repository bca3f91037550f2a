#include "BookmarkFileReader.h"

#include "BookmarkLineParser.h"
#include "TextDecoding.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace {

constexpr qint64 pieceBytes = qint64(1) << 20;

// Splits the pieces of a file into lines and hands each to the parser.
class LineSplitter
{
public:
    explicit LineSplitter(BookmarkLineParser &parser)
        : m_parser(parser)
    { }

    void feed(QByteArrayView piece)
    {
        while (!piece.isEmpty()) {
            const char *newline
                = static_cast<const char *>(std::memchr(piece.data(), '\n', size_t(piece.size())));
            if (!newline) {
                keep(piece);
                return;
            }
            const qsizetype length = newline - piece.data();
            if (m_pending.isEmpty() && !m_skipping) {
                parse(piece.first(length));
            } else {
                keep(piece.first(length));
                if (!m_skipping)
                    parse(m_pending);
                m_pending.clear();
                m_skipping = false;
            }
            piece = piece.sliced(length + 1);
        }
    }

    void finish()
    {
        if (!m_skipping && !m_pending.isEmpty())
            parse(m_pending);
    }

private:
    // Part of a line that goes on in the next piece.
    void keep(QByteArrayView part)
    {
        if (m_skipping)
            return;
        if (m_pending.size() + part.size() > BookmarkFileReader::maxLineBytes) {
            m_pending.clear();
            m_skipping = true;
            return;
        }
        m_pending.append(part);
    }

    void parse(QByteArrayView bytes)
    {
        if (m_first) {
            bytes = TextDecoding::withoutUtf8Bom(bytes);
            m_first = false;
        }
        m_parser.parseBookmarkLine(TextDecoding::decodeLine(bytes));
    }

    BookmarkLineParser &m_parser;
    QByteArray m_pending;
    bool m_skipping = false;
    bool m_first = true;
};

}  // namespace

namespace BookmarkFileReader {

bool readBookmarkFile(const QString &fileName, BookmarkSink &sink, const Progress &progress)
{
    // A device or a pipe could be endless: only regular files are read.
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 total = file.size();
    BookmarkLineParser parser(sink);
    LineSplitter lines(parser);
    QByteArray piece(pieceBytes, Qt::Uninitialized);
    qint64 done = 0;
    for (;;) {
        const qint64 got = file.read(piece.data(), pieceBytes);
        if (got <= 0)
            break;
        lines.feed(QByteArrayView(piece.constData(), got));
        done += got;
        if (progress)
            progress(done, qMax(total, done));
    }
    lines.finish();
    return true;
}

}  // namespace BookmarkFileReader
