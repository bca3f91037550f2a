// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClipboardKeeper.h"

#include "ErrorText.h"

#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

// The context of this file's texts in the translations.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(ClipboardKeeper)
};

// The keeper's answer once it holds the contents; anything else is the reason it does not.
const QByteArray keptReply = QByteArrayLiteral("kept\n");

QString systemError(const QString &what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

// Makes fd the descriptor target of an exec'd program (only calls that are
// safe between fork and exec).
void placeAt(int fd, int target)
{
    if (fd == target)
        ::fcntl(target, F_SETFD, 0);
    else
        ::dup2(fd, target);
}

// Runs argv in a grandchild that nobody waits for: its parent ends at once,
// so it is neither this process's zombie nor ended with it.
pid_t startGrandchild(char *const argv[], int input, int devNull)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    if (::fork() == 0) {
        ::setsid();
        placeAt(input, STDIN_FILENO);
        placeAt(devNull, STDOUT_FILENO);
        placeAt(devNull, STDERR_FILENO);
        // Nothing else of this process (a caller's pipe waiting for its end, say) goes with the keeper.
        ::close_range(STDERR_FILENO + 1, ~0U, 0);
        if (::chdir("/") == 0)
            ::execv(argv[0], argv);
        ::_exit(127);
    }
    ::_exit(0);
}

bool sendAll(int socket, const QByteArray &bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t written
            = ::send(socket, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        sent += written;
    }
    return true;
}

// What arrives on fd until its end, or until the deadline.
QByteArray receive(int fd, QDeadlineTimer deadline)
{
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        pollfd ready {fd, POLLIN, 0};
        const int waited = ::poll(&ready, 1, int(qMin<qint64>(deadline.remainingTime(), INT_MAX)));
        if (waited < 0 && errno == EINTR)
            continue;
        if (waited <= 0)
            return bytes;
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return bytes;
        bytes.append(buffer, got);
    }
}

// Ends the keeper's event loop when the X server tells it that it no longer
// owns a selection: another program took the clipboard, or emptied it.
class SelectionLoss : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType == "xcb_generic_event_t"
            && (static_cast<xcb_generic_event_t *>(message)->response_type & 0x7f) == XCB_SELECTION_CLEAR)
            QCoreApplication::quit();
        return false;
    }
};

void answer(const QByteArray &reply)
{
    sendAll(STDIN_FILENO, reply);
    // Nothing more is read: the socket is let go, so that the other side sees its end.
    const int devNull = ::open("/dev/null", O_RDONLY);
    if (devNull >= 0) {
        ::dup2(devNull, STDIN_FILENO);
        ::close(devNull);
    }
}

}  // namespace

namespace ClipboardKeeper {

bool handOver(const QStringList &command, const ClipboardContents &contents, QString *error)
{
    if (command.isEmpty())
        return ErrorText::fail(error, Text::tr("no clipboard keeper is set"));
    std::vector<QByteArray> arguments {QFile::encodeName(command.first())};
    for (const QString &argument : command.mid(1))
        arguments.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int sockets[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0)
        return ErrorText::fail(error, systemError(QStringLiteral("socketpair")));
    // A keeper that stops reading does not hold this process for ever.
    const timeval sendWait {startWaitMs / 1000, 0};
    ::setsockopt(sockets[0], SOL_SOCKET, SO_SNDTIMEO, &sendWait, sizeof sendWait);
    const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t child = devNull < 0 ? -1 : startGrandchild(argv.data(), sockets[1], devNull);
    const QString started
        = child < 0 ? systemError(Text::tr("the clipboard keeper could not be started")) : QString();
    ::close(sockets[1]);
    if (devNull >= 0)
        ::close(devNull);
    while (child > 0 && ::waitpid(child, nullptr, 0) < 0 && errno == EINTR) { }
    if (child < 0) {
        ::close(sockets[0]);
        return ErrorText::fail(error, started);
    }
    const bool sent = sendAll(sockets[0], contents.toBytes());
    ::shutdown(sockets[0], SHUT_WR);
    const QByteArray reply = receive(sockets[0], QDeadlineTimer(startWaitMs));
    ::close(sockets[0]);
    if (sent && reply == keptReply)
        return true;
    if (reply.isEmpty())
        return ErrorText::fail(error,
                               Text::tr("the clipboard keeper %1 did not answer").arg(command.first()));
    return ErrorText::fail(error, QString::fromUtf8(reply).trimmed());
}

int serve()
{
    auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    const QByteArray bytes = receive(STDIN_FILENO, QDeadlineTimer(startWaitMs));
    const std::optional<ClipboardContents> contents = ClipboardContents::fromBytes(bytes);
    if (!contents) {
        answer("no clipboard contents were received\n");
        return 1;
    }
    if (!application || QGuiApplication::platformName() != QLatin1String("xcb")) {
        answer("the clipboard keeper needs an X11 display\n");
        return 1;
    }
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (contents->isEmpty()) {
        clipboard->clear();
        answer(keptReply);
        return 0;
    }
    SelectionLoss loss;
    application->installNativeEventFilter(&loss);
    clipboard->setMimeData(contents->toMimeData());
    if (!clipboard->ownsClipboard()) {
        answer("the clipboard could not be taken\n");
        return 1;
    }
    answer(keptReply);
    return QGuiApplication::exec();
}

}  // namespace ClipboardKeeper
