// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LinkCheckResult.h"

#include <QObject>
#include <QSet>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// Checks one address: HEAD first, GET when the server refuses HEAD (an
// error status), each redirect followed by hand and recorded. A GET is
// aborted as soon as its headers are in: no page is read. Every request has
// a deadline for its whole answer, so a server that answers byte by byte
// ends as one that never answers. finished() comes exactly once, unless
// abort() comes first.
class LinkProbe : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        int timeoutMs = 10000;  // per request, from sending to the last header
        int maxHops = 10;       // redirects followed; one more is an error
        QByteArray userAgent;
    };

    LinkProbe(QNetworkAccessManager &network, const QUrl &address, const Settings &settings,
              QObject *parent = nullptr);
    ~LinkProbe() override;

    void start();
    // Stops at once; finished() does not come.
    void abort();

signals:
    void finished(const LinkCheckResult &result);

private:
    void send(bool head);
    void headersIn();
    void replyEnded();
    void timedOut();
    void answered(int status);
    bool followRedirect();
    void pageAnswered();
    void end(LinkCheckResult::Outcome outcome, const QString &reason = QString());
    void dropReply();

    QNetworkAccessManager &m_network;
    Settings m_settings;
    QUrl m_url;  // the address asked now
    bool m_head = true;
    QNetworkReply *m_reply = nullptr;
    QTimer m_deadline;
    QSet<QUrl> m_seen;
    LinkCheckResult m_result;
};
