// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LongWork.h"
#include "URLBlock.h"

#include <QFile>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QTimer;

namespace StackFile {
class PieceReader;
}

// A stack file read into a store of its own, in slices of a few milliseconds
// with the event loop running between them, so that the program keeps
// answering while a large file is read. Nobody sees the store half-filled:
// takeStore() hands it over once the whole file is in, and a load that fails
// or is dropped (destroyed) before its end leaves nothing behind. Before
// reading, the heap is prepared for the store as tsy prepares it
// (HeapReserve): the slices run on the thread that made the reserve.
class StackFileLoad : public QObject
{
    Q_OBJECT

public:
    StackFileLoad(const QString &path, double now, QObject *parent = nullptr);
    ~StackFileLoad() override;

    // Reads the file in slices from the event loop; finished follows. A
    // file that cannot be opened, or that is no larger than one piece
    // (LineReader::pieceBytes, read in less than a slice), is read at once:
    // finished is emitted before start() returns.
    void start();
    // The time a slice may read before the event loop runs again; at least
    // one piece is read in each.
    void setSliceTime(std::chrono::nanoseconds time) { m_sliceNs = time.count(); }
    // Reads what is left at once; true when the whole file is in. finished
    // is not emitted.
    bool runToEnd();
    bool isFinished() const { return m_state == State::Loaded || m_state == State::Failed; }
    // Told of the bytes read after each piece; when it says stop, the load
    // ends as one that failed (nothing loaded) and wasStopped() holds.
    void setProgress(LongWork::Progress progress) { m_progress = std::move(progress); }
    bool wasStopped() const { return m_stopped; }
    // Whether start() left the reading to slices (false: read at once).
    bool readsInSlices() const { return m_slices != nullptr; }

    // After a load that read the whole file: the file's store and what store
    // held change places.
    void takeStore(URLBlock &store) { store.swap(m_store); }
    // Names the file and what went wrong, after a load that failed.
    QString errorString() const { return m_error; }

signals:
    void finished(bool loaded);

private:
    enum class State { Waiting, Reading, Loaded, Failed };

    bool open();
    // Reads pieces until the time of a slice is used or the file has ended;
    // false once it has ended.
    bool readSlice(qint64 budgetNs);
    void stop();
    void slice();

    QString m_path;
    double m_now;
    URLBlock m_store;
    QFile m_file;
    std::unique_ptr<StackFile::PieceReader> m_reader;
    QTimer *m_slices = nullptr;
    QString m_error;
    qint64 m_sliceNs;
    State m_state = State::Waiting;
    LongWork::Progress m_progress;
    bool m_stopped = false;
};
