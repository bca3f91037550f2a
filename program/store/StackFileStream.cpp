// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StackFileStream.h"

#include "FileIO.h"
#include "HexDate.h"
#include "StackFile.h"
#include "StackLineParser.h"
#include "StackTextWriter.h"
#include "TextDecoding.h"
#include "URLDatas.h"

#include <QFile>
#include <array>
#include <cstring>
#include <string.h>

namespace {

using StackFile::Parsing::ByteLine;
using StackFile::Parsing::separatorByte;

constexpr qsizetype pieceBytes = qsizetype(1) << 20;
using TextDecoding::utf8Bom;

bool isAscii(QByteArrayView bytes)
{
    return ByteLine::isAscii(bytes);
}

bool holdsCr(QByteArrayView bytes)
{
    return std::memchr(bytes.data(), '\r', size_t(bytes.size())) != nullptr;
}

// What the parser makes of a whole line: its kind, a group's name, and an
// entry into the line's record.
struct LineSink
{
    enum Kind { Skipped, Group, Entry } kind = Skipped;
    QString name;
    std::optional<URLData> &record;

    void group(QString groupName)
    {
        kind = Group;
        name = std::move(groupName);
    }
    URLData *entry(QString title, QString url)
    {
        kind = Entry;
        record.emplace();
        record->Name = std::move(title);
        record->url = std::move(url);
        return &*record;
    }
};

}  // namespace

StackFileStream::Edit::~Edit() = default;

StackFileStream::GroupFate StackFileStream::Edit::group(int, const QString &, QString *)
{
    return GroupFate::Keep;
}

void StackFileStream::Edit::groupBegins(int, Output &) { }

StackFileStream::EntryFate StackFileStream::Edit::entry(EntryLine &, QString *)
{
    return EntryFate::Keep;
}

void StackFileStream::Edit::groupEnds(int, qsizetype, Output &) { }

void StackFileStream::Edit::fileEnds(Output &) { }

bool StackFileStream::Edit::finish(quint32, QString *)
{
    return true;
}

int StackFileStream::EntryLine::separatorCount() const
{
    // Up to one past the seven fields, found once: many edits only need the
    // parsed entry, or nothing of the line.
    if (m_separatorCount < 0) {
        m_separatorCount = 0;
        for (qsizetype from = 0; m_separatorCount < int(m_separators.size()); ++m_separatorCount) {
            const void *found = std::memchr(m_line.data() + from, separatorByte, size_t(m_line.size() - from));
            if (!found)
                break;
            const qsizetype at = static_cast<const char *>(found) - m_line.data();
            m_separators[size_t(m_separatorCount)] = at;
            from = at + 1;
        }
    }
    return m_separatorCount;
}

QByteArrayView StackFileStream::EntryLine::field(int index) const
{
    const int count = separatorCount();
    const qsizetype start = index == 0 ? 0 : m_separators[size_t(index - 1)] + 1;
    const qsizetype end = index < count ? m_separators[size_t(index)] : m_line.size();
    return m_line.sliced(start, end - start);
}

bool StackFileStream::EntryLine::hasAddress(const QString &address, QByteArrayView utf8Address)
{
    if (!m_entry) {
        // Bytes that are all ASCII read as themselves in every encoding.
        const QByteArrayView url = field(0);
        if (isAscii(url))
            return url == utf8Address;
    }
    return entry().url == address;
}

QString StackFileStream::EntryLine::title()
{
    if (m_entry)
        return m_entry->Name;
    const QByteArrayView title = field(1);
    if (isAscii(title))
        return QString::fromLatin1(title);
    return ByteLine(m_line, *m_utf8).text(title);
}

URLData &StackFileStream::EntryLine::entry()
{
    if (!m_entry)
        StackFile::Parsing::parseLine(ByteLine(m_line, *m_utf8), m_now, LineSink {LineSink::Skipped, {}, m_entry});
    return *m_entry;
}

void StackFileStream::Output::appendEntry(const URLData &entry)
{
    if (!m_stream.m_writer)
        return;
    m_stream.flushKept();
    m_stream.m_writer->appendEntryLine(entry);
}

void StackFileStream::Output::appendGroup(const QString &name)
{
    if (!m_stream.m_writer)
        return;
    m_stream.flushKept();
    m_stream.m_writer->appendGroupLine(name);
}

quint32 StackFileStream::Output::entriesBefore() const
{
    return m_stream.m_keys;
}

StackFileStream::StackFileStream(Edit &edit, double now, StackTextWriter *writer)
    : m_edit(edit)
    , m_now(now)
    , m_writer(writer)
{
    m_line.m_utf8 = &m_utf8;
    m_line.m_now = now;
}

bool StackFileStream::read(const QString &path, Edit &edit, double now, QString *error)
{
    QFile file;
    if (!FileIO::openRegularFile(path, &file, error))
        return false;
    return read(file, path, edit, now, error);
}

bool StackFileStream::read(QFile &file, const QString &path, Edit &edit, double now, QString *error)
{
    StackFileStream stream(edit, now, nullptr);
    return stream.readFile(file, path, error) && edit.finish(stream.m_keys, error);
}

bool StackFileStream::rewrite(const QString &path, const QString &backupPath, Edit &edit, double now,
                              QString *error)
{
    QFile file;
    if (!FileIO::openRegularFile(path, &file, error))
        return false;
    return StackFile::saveTextWithBackup(path, backupPath, rewritten(file, path, edit, now), error);
}

bool StackFileStream::rewriteInto(const QString &inPath, const QString &outPath, Edit &edit, double now,
                                  QString *error)
{
    QFile file;
    if (!FileIO::openRegularFile(inPath, &file, error))
        return false;
    return FileIO::saveFallibleFile(outPath, rewritten(file, inPath, edit, now), error);
}

FileIO::FallibleContent StackFileStream::rewritten(QFile &file, const QString &path, Edit &edit, double now)
{
    return [&file, path, &edit, now](const FileIO::PieceWriter &write, QString *error) {
        StackTextWriter writer(write);
        StackFileStream stream(edit, now, &writer);
        if (!stream.readFile(file, path, error) || !edit.finish(stream.m_keys, error))
            return false;
        writer.finish();  // a failed write fails the save
        return true;
    };
}

bool StackFileStream::readFile(QFile &file, const QString &path, QString *error)
{
    QByteArray buffer(pieceBytes, Qt::Uninitialized);
    qsizetype held = 0;  // the start of a line that goes on in the next piece
    for (;;) {
        const qint64 got = file.read(buffer.data() + held, buffer.size() - held);
        if (got < 0) {
            FileIO::setReadError(path, file, error);
            return false;
        }
        if (got == 0)
            break;
        const QByteArrayView bytes(buffer.constData(), held + got);
        const char *const lastEnd = static_cast<const char *>(memrchr(bytes.data(), '\n', size_t(bytes.size())));
        const qsizetype whole = lastEnd ? lastEnd - bytes.data() + 1 : 0;
        if (!takeLines(bytes.first(whole), error))
            return false;
        flushKept();
        held = bytes.size() - whole;
        std::memmove(buffer.data(), bytes.data() + whole, size_t(held));
        if (held == buffer.size())
            buffer.resize(buffer.size() * 2);
    }
    if (held > 0 && !takeLine(QByteArrayView(buffer.constData(), held), false, error))
        return false;
    endGroup();
    m_edit.fileEnds(m_output);
    flushKept();
    return true;
}

bool StackFileStream::takeLines(QByteArrayView bytes, QString *error)
{
    while (!bytes.isEmpty()) {
        const char *const end = static_cast<const char *>(std::memchr(bytes.data(), '\n', size_t(bytes.size())));
        const qsizetype length = end - bytes.data() + 1;
        if (!takeLine(bytes.first(length), true, error))
            return false;
        bytes = bytes.sliced(length);
    }
    return true;
}

bool StackFileStream::takeLine(QByteArrayView raw, bool ended, QString *error)
{
    QByteArrayView line = ended ? raw.chopped(1) : raw;
    // Only a line that ends in CR LF, as saves end them, may be kept as it
    // is: a file of other line ends is written as a save writes it.
    bool verbatim = ended && line.endsWith('\r');
    if (line.endsWith('\r'))
        line.chop(1);
    if (m_first) {
        m_first = false;
        if (line.startsWith(utf8Bom)) {
            line = line.sliced(utf8Bom.size());
            verbatim = false;
        }
    }
    if (line.startsWith(utf8Bom))
        verbatim = false;
    m_line.m_line = line;
    m_line.m_entry.reset();
    if (!verbatim) {
        LineSink sink {LineSink::Skipped, {}, m_line.m_entry};
        StackFile::Parsing::parseLine(ByteLine(line, m_utf8), m_now, sink);
        if (sink.kind == LineSink::Group)
            takeGroup(raw, false, sink.name);
        else if (sink.kind == LineSink::Entry)
            return takeEntry(raw, false, error);
        else
            flushKept();
        return true;
    }
    const char *const data = line.data();
    const void *separator = std::memchr(data, separatorByte, size_t(line.size()));
    if (!separator) {
        if (line.startsWith('+'))
            takeGroup(raw, !holdsCr(line), ByteLine(line, m_utf8).text(line.sliced(1)));
        else
            flushKept();  // skipped, as the loader skips it
        return true;
    }
    return takeEntry(raw, true, error);
}

bool StackFileStream::takeEntry(QByteArrayView raw, bool verbatim, QString *error)
{
    if (m_keys >= URLDatas::maxKeyNumber) {
        flushKept();  // the loader has no key left for it
        return true;
    }
    m_line.m_key = ++m_keys;
    m_line.m_group = m_group;
    if (m_dropping) {
        ++m_groupEntries;
        flushKept();
        return true;
    }
    ++m_groupEntries;
    if (!m_writer && !m_edit.readsEntries())
        return true;
    m_line.m_separatorCount = -1;  // found when first asked for
    switch (m_edit.entry(m_line, error)) {
    case EntryFate::Keep:
        // Its bytes where a save writes the same (a save writes a CR inside
        // a field as a blank); asked only of lines kept by a stream that
        // writes.
        if (verbatim && m_writer && m_line.separatorCount() == 6 && hexDateForm(m_line.field(3)) == HexDateForm::Exact
            && hexDateForm(m_line.field(2)) != HexDateForm::Old && !holdsCr(m_line.m_line))
            keep(raw);
        else if (m_writer) {
            flushKept();
            m_writer->appendEntryLine(m_line.entry());
        }
        return true;
    case EntryFate::Rewrite:
        if (m_writer) {
            flushKept();
            m_writer->appendEntryLine(m_line.entry());
        }
        return true;
    case EntryFate::Drop:
        flushKept();
        return true;
    case EntryFate::Fail:
        break;
    }
    return false;
}

void StackFileStream::takeGroup(QByteArrayView raw, bool verbatim, const QString &name)
{
    endGroup();
    ++m_group;
    m_groupEntries = 0;
    QString newName;
    const GroupFate fate = m_edit.group(m_group, name, &newName);
    m_dropping = fate == GroupFate::Drop;
    if (fate == GroupFate::Keep && verbatim) {
        keep(raw);
    } else {
        flushKept();
        if (m_writer && !m_dropping)
            m_writer->appendGroupLine(fate == GroupFate::Rename ? newName : name);
    }
    if (!m_dropping)
        m_edit.groupBegins(m_group, m_output);
}

void StackFileStream::endGroup()
{
    if (m_group >= 0)
        m_edit.groupEnds(m_group, m_groupEntries, m_output);
}

void StackFileStream::keep(QByteArrayView raw)
{
    if (!m_writer)
        return;
    if (!m_kept.isEmpty() && m_kept.data() + m_kept.size() == raw.data())
        m_kept = QByteArrayView(m_kept.data(), m_kept.size() + raw.size());
    else {
        flushKept();
        m_kept = raw;
    }
}

void StackFileStream::flushKept()
{
    if (m_writer && !m_kept.isEmpty())
        m_writer->appendBytes(m_kept);
    m_kept = QByteArrayView();
}
