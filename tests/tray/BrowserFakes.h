// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CaptureEditor.h"
#include "ClipboardAccess.h"
#include "ConnectionState.h"
#include "DdeClient.h"
#include "DesktopWindows.h"
#include "LaunchHost.h"
#include "MonitorHost.h"
#include "ProgramStarter.h"
#include "SyntheticKeys.h"
#include "URLBlock.h"

#include <QHash>
#include <QStringList>

// Stand-ins for the desktop services of the browser capture and launch.
// They write what is done to them into one shared log, so that tests see
// the order of the steps across services.
namespace BrowserFakes {

struct Log
{
    QStringList lines;
    void add(const QString &line) { lines << line; }
};

class Windows : public DesktopWindows
{
public:
    explicit Windows(Log &log)
        : m_log(log)
    { }
    bool isAvailable = true;
    QList<Window> windows;  // top-most first
    QList<WindowId> refusing;  // windows the window manager will not activate
    bool available() const override { return isAvailable; }
    QList<Window> topLevelWindows() override { return isAvailable ? windows : QList<Window> {}; }
    QString windowTitle(WindowId id) override
    {
        for (const Window &window : windows)
            if (window.id == id)
                return window.title;
        return {};
    }
    bool activate(WindowId id, int) override
    {
        m_log.add(QStringLiteral("activate %1").arg(id));
        if (refusing.contains(id))
            return false;
        m_active = id;
        return true;
    }
    WindowId activeWindow() override { return m_active; }

private:
    Log &m_log;
    WindowId m_active = 0;
};

// Names the sequences it is sent: "keys 12+44" for Alt down, D down (releases
// are checked by the key-table test).
class Keys : public SyntheticKeys
{
public:
    explicit Keys(Log &log)
        : m_log(log)
    { }
    QList<QList<KeyEvent>> sent;
    bool send(const QList<KeyEvent> &events) override
    {
        sent << events;
        QStringList pressed;
        for (const KeyEvent &event : events)
            if (!event.release)
                pressed << QString::number(event.virtualKey, 16);
        m_log.add(QStringLiteral("keys ") + pressed.join(u'+'));
        return true;
    }

private:
    Log &m_log;
};

// A clipboard that takes the text "copied" (the browser's answer to
// Ctrl+C) when it is waited for; an empty copied text never comes.
class Clipboard : public ClipboardAccess
{
public:
    explicit Clipboard(Log &log)
        : m_log(log)
    { }
    QString current;
    QString copied;
    void clear() override
    {
        m_log.add(QStringLiteral("clear"));
        current.clear();
    }
    void setText(const QString &text) override
    {
        m_log.add(QStringLiteral("set ") + text);
        current = text;
    }
    QString text() override { return current; }
    QString waitForChange(const QString &before, int waitMs) override
    {
        m_log.add(QStringLiteral("wait %1").arg(waitMs));
        if (!copied.isEmpty())
            current = copied;
        return current != before ? current : QString();
    }
    // The text with a second format of its own, so that a restore of the text alone shows.
    ClipboardContents save() override
    {
        m_log.add(QStringLiteral("save"));
        if (current.isEmpty())
            return {};
        return ClipboardContents({{QStringLiteral("text/plain"), current.toUtf8()},
                                  {QStringLiteral("text/html"), "<b>" + current.toUtf8() + "</b>"}});
    }
    void restore(const ClipboardContents &contents) override
    {
        QStringList formats;
        for (const auto &[format, bytes] : contents.formats())
            formats << format + u'=' + QString::fromUtf8(bytes);
        m_log.add(QStringLiteral("restore ")
                  + (formats.isEmpty() ? QStringLiteral("nothing") : formats.join(u' ')));
        current = QString::fromUtf8(contents.formats().value(0).second);
    }

private:
    Log &m_log;
};

// Answers each service|topic with a status (NoConversation when not set) and a reply.
class Dde : public DdeClient
{
public:
    explicit Dde(Log &log)
        : m_log(log)
    { }
    QHash<QString, Status> statuses;
    QHash<QString, QString> replies;
    Status request(const QString &service, const QString &topic, const QString &item, QString *reply) override
    {
        const QString conversation = service + u'|' + topic;
        m_log.add(QStringLiteral("dde ") + conversation + u' ' + item);
        if (reply)
            *reply = replies.value(conversation);
        return statuses.value(conversation, Status::NoConversation);
    }

private:
    Log &m_log;
};

class Starter : public ProgramStarter
{
public:
    explicit Starter(Log &log)
        : m_log(log)
    { }
    bool works = true;
    QList<QStringList> started;  // program, then its arguments
    bool startDetached(const QString &program, const QStringList &arguments, QString *error) override
    {
        started << (QStringList {program} + arguments);
        m_log.add(QStringLiteral("start ") + (QStringList {program} + arguments).join(u' '));
        if (!works && error)
            *error = QStringLiteral("no such program");
        return works;
    }

private:
    Log &m_log;
};

class Editor : public CaptureEditor
{
public:
    explicit Editor(Log &log, int *dialogState)
        : m_log(log)
        , m_dialogState(dialogState)
    { }
    void showNewEntry(const QString &title, const QString &url) override
    {
        m_log.add(QStringLiteral("editor %1 [%2|%3]").arg(*m_dialogState).arg(title, url));
        *m_dialogState = 0;
        if (store)  // accepted, as the user would
            store->urlDatas().Add(title, url, 0);
    }

    URLBlock *store = nullptr;  // where an accepted entry goes; none: the editor is cancelled

private:
    Log &m_log;
    int *m_dialogState;
};

class Launcher : public LaunchHost
{
public:
    explicit Launcher(Log &log)
        : m_log(log)
    { }
    void focusSelected() override { m_log.add(QStringLiteral("focus")); }
    void hideMainWindow() override { m_log.add(QStringLiteral("hide main")); }

private:
    Log &m_log;
};

class Connection : public ConnectionState
{
public:
    QList<quint32> remote;
    QHash<quint32, quint32> statuses;
    bool internet = false;
    QList<quint32> remoteConnections() override { return remote; }
    quint32 remoteConnectionStatus(quint32 handle) override { return statuses.value(handle, 0); }
    bool internetConnected() override { return internet; }
};

class Monitor : public MonitorHost
{
public:
    explicit Monitor(Log &log)
        : m_log(log)
    { }
    bool buttonShown = false;
    bool floatingButtonShown() const override { return buttonShown; }
    void showTrayWindow() override { m_log.add(QStringLiteral("show button")); }
    void hideTrayWindow() override { m_log.add(QStringLiteral("hide button")); }
    void setTrayTopmost(bool onTop) override { m_log.add(QStringLiteral("topmost %1").arg(onTop)); }
    void restoreMainWindow(bool show) override
    {
        m_log.add(show ? QStringLiteral("show main") : QStringLiteral("load main"));
    }
    void unloadMainWindow() override { m_log.add(QStringLiteral("flush")); }
    void ButtonState(int pressed) override { m_log.add(QStringLiteral("button %1").arg(pressed)); }

private:
    Log &m_log;
};

// The services together, as the capture and launch take them.
struct Desktop
{
    Log log;
    Windows windows {log};
    Keys keys {log};
    Clipboard clipboard {log};
    Dde dde {log};
    Starter starter {log};
};

}  // namespace BrowserFakes
