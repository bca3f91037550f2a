// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FileIO.h"
#include "URLData.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <array>
#include <optional>

class QFile;
class StackTextWriter;

// A stack file read line by line, as the loader reads it, without making a
// store: each line is told to an edit as a group line or an entry line with
// the key and group the loader would give it (lines the loader skips are
// dropped). rewrite() writes the file again, changing only the lines the
// edit touches. Every other line that ends in CR LF is copied as its bytes,
// unless reading it again elsewhere could make another entry of it (its
// creation date is missing, which the loader sets to now; it has more or
// fewer than seven fields; it starts with a byte-order mark, or is the first
// line after one), and every other line is written as a save writes it (a
// line of another line end, or without one at the end of the file). So a
// file that loading and saving leaves unchanged comes out as a save of the
// edited store would, and any other file reads back to the same store.
class StackFileStream
{
public:
    enum class GroupFate { Keep, Rename, Drop };  // Drop: with its entries
    enum class EntryFate { Keep, Rewrite, Drop, Fail };

    // An entry line as the loader reads it.
    class EntryLine
    {
    public:
        quint32 key() const { return m_key; }
        int group() const { return m_group; }  // -1: no group
        // Whether its address is exactly address (utf8Address: the same in UTF-8).
        bool hasAddress(const QString &address, QByteArrayView utf8Address);
        QString title();
        // The entry as the loader makes it; a change to it is what EntryFate::Rewrite writes.
        URLData &entry();

    private:
        friend class StackFileStream;
        QByteArrayView field(int index) const;
        int separatorCount() const;

        QByteArrayView m_line;  // without its line end
        // Where its separators are: six in a full line, a seventh past one.
        mutable std::array<qsizetype, 7> m_separators {};
        mutable int m_separatorCount = -1;  // -1: not yet found
        quint32 m_key = 0;
        int m_group = -1;
        QStringDecoder *m_utf8 = nullptr;
        double m_now = 0.0;
        std::optional<URLData> m_entry;
    };

    // Where an edit adds lines: at the place it is told of.
    class Output
    {
    public:
        void appendEntry(const URLData &entry);
        void appendGroup(const QString &name);
        // How many entry lines have been read so far.
        quint32 entriesBefore() const;

    private:
        friend class StackFileStream;
        explicit Output(StackFileStream &stream)
            : m_stream(stream)
        { }
        StackFileStream &m_stream;
    };

    // What a command does to the file, told its lines in order. Group
    // positions and keys are those of the file as read.
    class Edit
    {
    public:
        virtual ~Edit();
        virtual GroupFate group(int position, const QString &name, QString *newName);
        // Right after a group's line (when it is kept).
        virtual void groupBegins(int position, Output &out);
        // error: set with Fail, which abandons the edit.
        virtual EntryFate entry(EntryLine &line, QString *error);
        // After a group's last line, with how many entries it held.
        virtual void groupEnds(int position, qsizetype entryCount, Output &out);
        virtual void fileEnds(Output &out);
        // After the whole file, with how many entries it held: false with
        // an error when the edit cannot be made (nothing is then written).
        virtual bool finish(quint32 entryCount, QString *error);
        // False for an edit of a stream that only reads and is told of
        // groups alone: its entry lines are then counted, not looked into.
        virtual bool readsEntries() const { return true; }
    };

    // Reads path and tells edit its lines; nothing is written. False with
    // an error text when the file cannot be read or the edit fails.
    static bool read(const QString &path, Edit &edit, double now, QString *error);
    // The same from an open file, from where it stands; path names it in errors.
    static bool read(QFile &file, const QString &path, Edit &edit, double now, QString *error);

    // Reads path and writes it again with the edit's changes as a stack
    // file is saved (StackFile::saveStackFileWithBackup): its previous
    // content kept as backupPath, all or nothing. now is the date the loader
    // gives entries that have none.
    static bool rewrite(const QString &path, const QString &backupPath, Edit &edit, double now, QString *error);

    // Reads inPath and writes what the edit makes of it as outPath, replacing
    // outPath in one step (StackFile::saveStackFile), without a backup.
    static bool rewriteInto(const QString &inPath, const QString &outPath, Edit &edit, double now,
                            QString *error);

private:
    StackFileStream(Edit &edit, double now, StackTextWriter *writer);
    // The text the edit makes of the file, for a save.
    static FileIO::FallibleContent rewritten(QFile &file, const QString &path, Edit &edit, double now);
    bool readFile(QFile &file, const QString &path, QString *error);
    bool takeLines(QByteArrayView bytes, QString *error);
    bool takeLine(QByteArrayView raw, bool ended, QString *error);
    bool takeEntry(QByteArrayView raw, bool verbatim, QString *error);
    void takeGroup(QByteArrayView raw, bool verbatim, const QString &name);
    void endGroup();
    void keep(QByteArrayView raw);
    void flushKept();

    Edit &m_edit;
    double m_now;
    StackTextWriter *m_writer;  // null: only read
    Output m_output {*this};
    QStringDecoder m_utf8 {QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom};
    EntryLine m_line;
    bool m_first = true;
    quint32 m_keys = 0;
    int m_group = -1;
    bool m_dropping = false;
    qsizetype m_groupEntries = 0;
    QByteArrayView m_kept;  // lines to copy as they are, not yet handed on
};
