// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StackFileLoad.h"

#include "FileIO.h"
#include "HeapReserve.h"
#include "StackFile.h"

#include <QElapsedTimer>
#include <QTimer>

#include <limits>

namespace {

// The time a slice may read before the event loop runs again: short enough
// that a click is answered at once, long enough that the pieces (a MiB, some
// milliseconds each) pass with little in between.
constexpr qint64 sliceNs = 12'000'000;

} // namespace

StackFileLoad::StackFileLoad(const QString &path, double now, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_now(now)
    , m_sliceNs(sliceNs)
{ }

StackFileLoad::~StackFileLoad() = default;

void StackFileLoad::start()
{
    if (!open() || m_file.size() <= LineReader::pieceBytes) {
        emit finished(runToEnd());
        return;
    }
    m_slices = new QTimer(this);
    m_slices->setInterval(0);
    connect(m_slices, &QTimer::timeout, this, &StackFileLoad::slice);
    m_slices->start();
}

bool StackFileLoad::open()
{
    if (!FileIO::openRegularFile(m_path, &m_file, &m_error)) {
        m_state = State::Failed;
        return false;
    }
    const qint64 size = m_file.size();
    HeapReserve::reserveInHugePages(StackFile::memoryPerFileByte * size);
    m_reader = std::make_unique<StackFile::PieceReader>(m_store, m_file, size, m_now);
    m_state = State::Reading;
    return true;
}

bool StackFileLoad::readSlice(qint64 budgetNs)
{
    if (m_state == State::Waiting && !open())
        return false;
    QElapsedTimer clock;
    clock.start();
    while (m_state == State::Reading) {
        switch (m_reader->readPiece()) {
        case LineReader::Step::More:
            if (!LongWork::report(m_progress, m_file.pos(), qMax(m_file.size(), m_file.pos())))
                stop();
            break;
        case LineReader::Step::End:
            m_state = State::Loaded;
            // The last step too may stop the load: then nothing is loaded.
            if (!LongWork::report(m_progress, m_file.pos(), m_file.pos()))
                stop();
            break;
        case LineReader::Step::Failed:
            m_store.clear();
            FileIO::setReadError(m_path, m_file, &m_error);
            m_state = State::Failed;
            break;
        }
        if (clock.nsecsElapsed() >= budgetNs)
            break;
    }
    if (m_state == State::Reading)
        return true;
    m_reader.reset();
    m_file.close();
    return false;
}

void StackFileLoad::stop()
{
    m_stopped = true;
    m_store.clear();
    m_error = QStringLiteral("%1: loading stopped").arg(m_path);
    m_state = State::Failed;
}

void StackFileLoad::slice()
{
    if (readSlice(m_sliceNs))
        return;
    m_slices->stop();
    emit finished(m_state == State::Loaded);
}

bool StackFileLoad::runToEnd()
{
    if (m_slices)
        m_slices->stop();
    readSlice(std::numeric_limits<qint64>::max());
    return m_state == State::Loaded;
}
