// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "instance_link.h"

#include "desktop_session.h"
#include "text.h"

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long a start waits for a running instance that is busy: it takes the
// paths between two items of a batch, and answers a connection at once otherwise.
constexpr int kHandOverMilliseconds = 10000;
// How long a start's message may take to arrive whole.
constexpr int kArrivalMilliseconds = 5000;
// A message is the token and each path, each ended by a NUL, which no path
// holds, then a NUL of its own: no path is empty.
const QByteArray kEnd("\0\0", 2);
// The window's answer that it took the paths.
constexpr char kTaken = '+';

std::string KeyPart(const std::string& key) {
    std::string part = key;
    for (char& c : part)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    // A socket's path holds 107 bytes at most.
    if (part.size() > 48)
        part = QCryptographicHash::hash(QByteArray::fromStdString(key), QCryptographicHash::Sha1)
                   .toHex()
                   .toStdString();
    return part;
}

QString SocketName(const std::string& path) {
    return DisplayText(path);
}

// No more than a command line can carry: the start's own paths fit in that.
qsizetype MessageLimit() {
    const long limit = ::sysconf(_SC_ARG_MAX);
    return limit > 0 ? qsizetype(limit) : qsizetype(128 * 1024);
}

} // namespace

std::string InstanceSocketPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string folder = runtime != nullptr && runtime[0] == '/' ? runtime : "";
    if (folder.empty()) {
        // /tmp is everyone's: another user's socket or lock there would take
        // our paths or keep us from starting. A folder of our own, or no link.
        folder = "/tmp/brindlecot-" + std::to_string(::getuid());
        ::mkdir(folder.c_str(), 0700);
        struct stat info {};
        if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_uid != ::getuid() || (info.st_mode & 077) != 0)
            return {};
    }
    return folder + "/brindlecot-" + std::to_string(::getuid()) + "-" +
           KeyPart(DesktopKey(CurrentSession()));
}

InstanceLink::InstanceLink(std::string socketPath) : socketPath_(std::move(socketPath)) {
    connect(&server_, &QLocalServer::newConnection, this, &InstanceLink::TakeConnection);
}

bool InstanceLink::HandOverOrListen(const std::vector<std::string>& paths,
                                    const std::string& activationToken) {
    if (socketPath_.empty())
        return false; // no safe place to meet: this start stands alone
    // Two starts at once must not both find no instance and both listen; a
    // lock held past all reason does not keep the program from starting.
    QLockFile lock(SocketName(socketPath_ + ".lock"));
    lock.tryLock(kHandOverMilliseconds);
    if (HandOver(paths, activationToken))
        return true;
    // Nobody took them: whatever is at the socket's path is left by a crash,
    // or by a window that is closing and listens no more.
    QLocalServer::removeServer(SocketName(socketPath_));
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(SocketName(socketPath_));
    return false;
}

bool InstanceLink::HandOver(const std::vector<std::string>& paths, const std::string& token) const {
    QLocalSocket socket;
    socket.connectToServer(SocketName(socketPath_));
    if (!socket.waitForConnected(kHandOverMilliseconds))
        return false;
    QByteArray message(token.data(), qsizetype(token.size()));
    message.append('\0');
    for (const std::string& path : paths)
        message.append(path.data(), qsizetype(path.size())).append('\0');
    message.append('\0');
    socket.write(message);
    // Handed over only when the window says it took them; one that is
    // closing, or that dropped the message, says nothing.
    while (socket.bytesAvailable() == 0 && socket.waitForReadyRead(kHandOverMilliseconds)) {
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kTaken;
}

void InstanceLink::TakeConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        // Ours, not the server's: a closed server must not take it along.
        socket->setParent(this);
        arriving_[socket];
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Receive(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            Receive(socket);
            if (arriving_.count(socket) != 0)
                Drop(socket,
                     Translate("InstanceLink", "brindlecot: 途中で切れた引き継ぎを捨てました\n"));
        });
        auto* deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, this, [this, socket] {
            // What came while we were busy counts as in time.
            while (socket->waitForReadyRead(0)) {
            }
            Receive(socket);
            if (arriving_.count(socket) != 0)
                Drop(socket, Translate("InstanceLink",
                                       "brindlecot: 時間内に届かなかった引き継ぎを捨てました\n"));
        });
        deadline->start(kArrivalMilliseconds);
        Receive(socket);
    }
}

void InstanceLink::Receive(QLocalSocket* socket) {
    const auto found = arriving_.find(socket);
    if (found == arriving_.end())
        return;
    QByteArray& message = found->second;
    message += socket->readAll();
    if (message.size() > MessageLimit()) {
        Drop(socket,
             FillIn(Translate("InstanceLink", "brindlecot: %1バイトを超える引き継ぎを捨てました\n"),
                    std::to_string(MessageLimit())));
        return;
    }
    if (!message.endsWith(kEnd))
        return; // more to come
    QList<QByteArray> fields = message.split('\0');
    arriving_.erase(found);
    const std::string token = fields.front().toStdString();
    std::vector<std::string> paths;
    for (qsizetype i = 1; i < fields.size(); ++i)
        if (!fields[i].isEmpty())
            paths.push_back(fields[i].toStdString());
    if (receive_ && receive_(std::move(paths), token)) {
        socket->putChar(kTaken);
        socket->flush(); // before the socket goes, which would drop it
    } else {
        // A closing window listens no more: the start opens its own window
        // and takes over the socket's name.
        server_.close();
    }
    socket->disconnectFromServer();
    socket->deleteLater();
}

void InstanceLink::Drop(QLocalSocket* socket, const std::string& why) {
    arriving_.erase(socket);
    std::fputs(why.c_str(), stderr);
    socket->abort();
    socket->deleteLater();
}
