// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelReader.h"

#include "BookmarkSink.h"
#include "FileIO.h"
#include "HeapReserve.h"
#include "HugePageBuffer.h"
#include "XbelEvents.h"
#include "XbelFastXml.h"
#include "XbelParser.h"
#include "XbelStreamXml.h"

#include <QBuffer>
#include <QFile>
#include <QScopeGuard>
#include <atomic>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>

using namespace XbelParsing;

namespace {

using Event = XbelEvent;
using Events = XbelEvents;

// A file this large is read by two threads where the machine has two cores.
constexpr qsizetype twoThreadBytes = qsizetype(1) << 20;

// Where a second reader may start: a folder's start tag past the middle of
// the file, indented as the first one after the root's start tag (at from)
// is, so that in a file written with indentation it is one of the top level;
// -1 for none.
qint64 handoverPoint(QByteArrayView data, qsizetype from)
{
    const QByteArrayView tag("<folder");
    const qsizetype first = data.indexOf(tag, from);
    if (first < 0)
        return -1;
    qsizetype line = first;
    while (line > from && (data[line - 1] == ' ' || data[line - 1] == '\t'))
        --line;
    const qsizetype middle = qMax(first + 1, data.size() / 2);
    if (line == from || data[line - 1] != '\n')
        return data.indexOf(tag, middle);
    const QByteArrayView indented = data.sliced(line - 1, first + tag.size() - (line - 1));
    const qsizetype found = data.indexOf(indented, middle);
    return found < 0 ? -1 : found + indented.size() - tag.size();
}

bool takeEvents(XbelParser<FastXml> &parser, Events *events)
{
    *events = parser.takeEvents();
    return true;
}

// The file read by this thread up to handoverAt and by another from there
// on, at once. The other's reading holds only where this one arrives at
// handoverAt between two tokens, at a folder's start with nothing but the
// root open, so that both read the file as one reader would; otherwise it is
// let go and this one reads on alone.
bool readInTwo(FastXml &xml, XbelParser<FastXml> &parser, qint64 handoverAt, const XbelReader::Progress &progress,
               qint64 total, Events *events, bool *handedOver)
{
    // What the other thread leaves: written once, at its end. Its reader and
    // parser live on its own stack, away from the cache lines of this one's.
    struct Rest
    {
        bool read = false;
        Events events;
        std::optional<size_t> firstRootGroupEvent;
        std::exception_ptr failure;  // what its reading threw (memory running out)
    } rest;
    std::atomic<bool> cancel = false;
    std::thread thread;
    try {
        thread = std::thread([&rest, &cancel, total, reader = xml.resumedAt(handoverAt)]() mutable {
            try {
                HeapReserve::adviseThreadHeap();
                FastXml restXml(std::move(reader));
                XbelParser<FastXml> restParser(restXml, XbelParser<FastXml>::Start::InsideTheRoot);
                if (restParser.parse({}, total, &cancel)) {
                    rest.events = restParser.takeEvents();
                    rest.firstRootGroupEvent = restParser.firstRootGroupEvent();
                    rest.read = true;
                }
            } catch (...) {
                rest.failure = std::current_exception();
            }
        });
    } catch (const std::system_error &) {
        return parser.parse(progress, total) && takeEvents(parser, events);  // no thread to be had
    }
    // Whatever leaves this function, an exception from this thread's reading
    // or from progress included, the other thread is stopped and joined first.
    const auto joined = qScopeGuard([&] {
        if (thread.joinable()) {
            cancel = true;
            thread.join();
        }
    });
    const auto handover = parser.parseUpTo(handoverAt, progress, total);
    if (handover != XbelParser<FastXml>::Handover::Reached)
        cancel = true;
    thread.join();
    if (rest.failure)
        std::rethrow_exception(rest.failure);
    if (handover == XbelParser<FastXml>::Handover::Failed)
        return false;
    if (handover == XbelParser<FastXml>::Handover::Missed)
        return parser.parse(progress, total) && takeEvents(parser, events);
    if (!rest.read)
        return false;
    *handedOver = true;
    *events = parser.takeEvents();
    // The group outside every folder is made once and then reopened.
    if (rest.firstRootGroupEvent && parser.rootOpened())
        rest.events[*rest.firstRootGroupEvent].kind = Event::ReopenGroup;
    events->append(std::move(rest.events));
    return true;
}

// The events of data read by the fast reader; false when it declines. A
// handover offset of 0 reads in one thread, -1 in two where the file is
// large and a place for the second is found.
bool readFast(QByteArrayView data, const XbelReader::Progress &progress, Events *events, qint64 handoverAt,
              bool *handedOver)
{
    *handedOver = false;
    FastXml xml(data);
    XbelParser<FastXml> parser(xml);
    const bool inTwo = handoverAt > 0
        || (handoverAt < 0 && data.size() >= twoThreadBytes && std::thread::hardware_concurrency() > 1);
    if (inTwo && parser.readRootStart() && xml.canResume()) {
        const qint64 at = handoverAt > 0 ? handoverAt : handoverPoint(data, xml.position());
        if (at >= xml.position() && at < data.size())
            return readInTwo(xml, parser, at, progress, data.size(), events, handedOver);
    }
    return parser.parse(progress, data.size()) && takeEvents(parser, events);
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
std::atomic<int> twoThreadReadCount = 0;

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
    bool read = false, handedOver = false;
    {
        const HugePageBuffer buffer(total);
        const qint64 size = buffer.isNull() ? -1 : file.read(buffer.data(), total);
        read = size >= 0 && readFast(QByteArrayView(buffer.data(), size), progress, &events, -1, &handedOver);
    }
    if (read) {
        ++fastReadCount;
        twoThreadReadCount += handedOver;
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
        bool handedOver;
        if (!readFast(data, {}, &events, 0, &handedOver))
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

bool readXbelDataInTwo(QByteArrayView data, qint64 handoverAt, BookmarkSink &sink, bool *handedOver)
{
    Events events;
    if (handoverAt <= 0 || !readFast(data, {}, &events, handoverAt, handedOver))
        return false;
    events.report(sink);
    return true;
}

int fastReads()
{
    return fastReadCount;
}

int twoThreadReads()
{
    return twoThreadReadCount;
}

}  // namespace XbelReader
