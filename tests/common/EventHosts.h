// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BookmarkEntry.h"
#include "BookmarkSink.h"

#include <QObject>
#include <QStringList>

// A host window as the program has it: the handler of the gcfg variable's
// event and the procedure the library calls back by name.
class EventHost : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int applyCalls MEMBER applyCalls)

public:
    int applyCalls = 0;
    int ownSignalCalls = 0;
    int movedCalls = 0;
    QString answer;
    QStringList exeNames;
    QStringList valueNames;

    Q_INVOKABLE QString gcfg_findCurrentVersion(const QString &exeName, const QString &valueName)
    {
        exeNames << exeName;
        valueNames << valueName;
        return answer;
    }

public slots:
    void gcfg_ApplyCurrent() { ++applyCalls; }
    // Named after QObject's own signals, which are no events of the object.
    void gcfg_destroyed() { ++ownSignalCalls; }
    void gcfg_objectNameChanged(const QString &) { ++ownSignalCalls; }
    // Takes none of the arguments of EventSource's event.
    void src_Moved() { ++movedCalls; }
};

// A host whose handler has the event's name but wants an argument that the
// event does not carry.
class MismatchedHost : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int applyCalls MEMBER applyCalls)

public:
    int applyCalls = 0;

public slots:
    void gcfg_ApplyCurrent(int) { ++applyCalls; }
};

// An object whose event has a default argument, so that its class lists the
// event twice: with the argument and without it.
class EventSource : public QObject
{
    Q_OBJECT

signals:
    void Moved(int distance = 1);
};

// A host that takes a merge's bookmarks as a sink; each call is written down
// as "kind:name" (an entry: its title and visits).
class SinkHost : public QObject, public BookmarkSink
{
    Q_OBJECT
    Q_INTERFACES(BookmarkSink)

public:
    QStringList calls;

    void newGroup(const QString &name) override { calls << "group:" + name; }
    void reopenGroup(const QString &name) override { calls << "reopen:" + name; }
    void bungUrl(const QString &title, const QString &) override { calls << "url:" + title; }
    void bungEntry(const BookmarkEntry &e) override
    {
        calls << "entry:" + e.title + '/' + QString::number(e.visits);
    }
    void storeLastRootOwner() override { calls << "root"; }
};
