// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A small HTTP server for the link checks, on loopback addresses only
// (127.0.0.1, 127.0.0.2, ... one a "host", all on one port), in a thread of
// its own so that it answers while a test waits for a child process. Every
// answer closes its connection. Paths:
//   /ok, /page/...          200
//   /301/P /302/P /303/P /307/P /308/P   that redirect to /P
//   /404 /410 /403 /500     that status
//   /nohead                 405 to HEAD, 200 with a long body to GET; /nohead501 the same with 501
//   /slow/MS                200 after MS milliseconds
//   /never                  reads the request and never answers
//   /drip                   a status line and then a header, one byte every 50 ms, without end
//   /loop/a, /loop/b        redirect to each other
//   /hops/N                 N redirects (/hops/N-1 ...) before a page
//   /away                   301 to an ftp: address
//   /cookie/P               301 to /P, setting a cookie
// It records every request and how many connections were open at once, in
// all and per host.
#pragma once

#include <QEventLoop>
#include <QHostAddress>
#include <QMutex>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

class LinkTestServer
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QByteArray userAgent;
        bool cookie = false;
        int host = 0;
    };

    explicit LinkTestServer(int hosts = 1)
        : m_hosts(hosts)
    {
        m_thread.reset(QThread::create([this] { serve(); }));
        m_thread->start();
        m_ready.acquire();
    }

    ~LinkTestServer()
    {
        m_thread->quit();
        m_thread->wait();
    }

    quint16 port() const { return m_port; }
    QString url(const QString &path, int host = 0) const
    {
        return QStringLiteral("http://127.0.0.%1:%2%3").arg(host + 1).arg(m_port).arg(path);
    }

    std::vector<Request> requests() const
    {
        QMutexLocker lock(&m_mutex);
        return m_requests;
    }
    int maxOpen() const
    {
        QMutexLocker lock(&m_mutex);
        return m_maxOpen;
    }
    int maxOpenOnOneHost() const
    {
        QMutexLocker lock(&m_mutex);
        return *std::max_element(m_maxOpenPerHost.begin(), m_maxOpenPerHost.end());
    }
    int open() const
    {
        QMutexLocker lock(&m_mutex);
        return m_open;
    }

    // A port on 127.0.0.1 that nothing listens on.
    static quint16 refusedPort()
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        return server.serverPort();
    }

private:
    // Runs in the server's thread until it quits.
    void serve()
    {
        std::vector<std::unique_ptr<QTcpServer>> servers;
        m_openPerHost.assign(size_t(m_hosts), 0);
        m_maxOpenPerHost.assign(size_t(m_hosts), 0);
        for (int host = 0; host < m_hosts; ++host) {
            auto server = std::make_unique<QTcpServer>();
            const QHostAddress address(QStringLiteral("127.0.0.%1").arg(host + 1));
            if (!server->listen(address, m_port))
                qFatal("the test server cannot listen on %s", qPrintable(address.toString()));
            m_port = server->serverPort();
            QTcpServer *raw = server.get();
            QObject::connect(raw, &QTcpServer::newConnection, raw, [this, raw, host] {
                while (QTcpSocket *socket = raw->nextPendingConnection())
                    accept(socket, host);
            });
            servers.push_back(std::move(server));
        }
        m_ready.release();
        QEventLoop loop;  // QThread::quit() ends it
        loop.exec();
    }

    void accept(QTcpSocket *socket, int host)
    {
        {
            QMutexLocker lock(&m_mutex);
            ++m_open;
            m_maxOpen = std::max(m_maxOpen, m_open);
            m_maxOpenPerHost[size_t(host)] = std::max(m_maxOpenPerHost[size_t(host)], ++m_openPerHost[size_t(host)]);
        }
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket, host] {
            {
                QMutexLocker lock(&m_mutex);
                --m_open;
                --m_openPerHost[size_t(host)];
            }
            socket->deleteLater();
        });
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, host, buffer] {
            if (buffer->contains("\r\n\r\n"))
                return;
            *buffer += socket->readAll();
            if (buffer->contains("\r\n\r\n"))
                answer(socket, host, *buffer);
        });
    }

    static QByteArray header(const QByteArray &head, const QByteArray &name)
    {
        for (const QByteArray &line : head.split('\n')) {
            if (line.toLower().startsWith(QByteArray(name.toLower() + ':')))
                return line.mid(name.size() + 1).trimmed();
        }
        return {};
    }

    void answer(QTcpSocket *socket, int host, const QByteArray &head)
    {
        const QList<QByteArray> words = head.left(head.indexOf('\r')).split(' ');
        Request request {words.value(0), words.value(1), header(head, "User-Agent"),
                         !header(head, "Cookie").isEmpty(), host};
        {
            QMutexLocker lock(&m_mutex);
            m_requests.push_back(request);
        }
        const QByteArray path = request.path.split('?').front();  // a query tells requests apart
        const bool head_ = request.method == "HEAD";
        const auto reply = [socket, head_](int status, const QByteArray &headers = {}, const QByteArray &body = "ok") {
            QByteArray text = "HTTP/1.1 " + QByteArray::number(status) + " Status\r\nConnection: close\r\n"
                + headers + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
            if (!head_)
                text += body;
            socket->write(text);
            socket->disconnectFromHost();
        };
        const QList<QByteArray> parts = path.split('/');  // "", first, rest...
        const QByteArray first = parts.value(1);
        const QByteArray rest = path.mid(first.size() + 1);
        if (path == "/ok" || first == "page") {
            reply(200);
        } else if (first == "301" || first == "302" || first == "303" || first == "307" || first == "308") {
            reply(first.toInt(), "Location: " + rest + "\r\n");
        } else if (path == "/404" || path == "/410" || path == "/403" || path == "/500") {
            reply(first.toInt());
        } else if (path == "/nohead" || path == "/nohead501") {
            if (head_)
                reply(path == "/nohead" ? 405 : 501);
            else
                reply(200, {}, QByteArray(4 << 20, 'x'));
        } else if (first == "slow") {
            QTimer::singleShot(parts.value(2).toInt(), socket, [reply] { reply(200); });
        } else if (path == "/never") {
        } else if (path == "/drip") {
            auto *timer = new QTimer(socket);
            auto sent = std::make_shared<qsizetype>(0);
            const QByteArray text = "HTTP/1.1 200 OK\r\nX-Padding: " + QByteArray(100000, 'a');
            QObject::connect(timer, &QTimer::timeout, socket, [socket, sent, text] {
                socket->write(text.mid((*sent)++ % text.size(), 1));
            });
            timer->start(50);
        } else if (first == "loop") {
            reply(301, path == "/loop/a" ? "Location: /loop/b\r\n" : "Location: /loop/a\r\n");
        } else if (first == "hops") {
            const int left = parts.value(2).toInt();
            if (left > 0)
                reply(301, "Location: /hops/" + QByteArray::number(left - 1) + "\r\n");
            else
                reply(200);
        } else if (path == "/away") {
            reply(301, "Location: ftp://127.0.0.1/file\r\n");
        } else if (first == "cookie") {
            reply(301, "Location: " + rest + "\r\nSet-Cookie: session=1; Path=/\r\n");
        } else {
            reply(404);
        }
    }

    const int m_hosts;
    quint16 m_port = 0;
    std::unique_ptr<QThread> m_thread;
    QSemaphore m_ready;
    mutable QMutex m_mutex;
    std::vector<Request> m_requests;
    int m_open = 0;
    int m_maxOpen = 0;
    std::vector<int> m_openPerHost;
    std::vector<int> m_maxOpenPerHost;
};
