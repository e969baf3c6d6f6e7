// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "instance_link.h"

#include <QLocalSocket>
#include <QLockFile>

#include <cctype>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long a start waits for a running instance that is busy: it takes the
// paths between two items of a batch, and answers a connection at once otherwise.
constexpr int kHandOverMilliseconds = 10000;

std::string KeyPart(const char* value) {
    std::string part = value != nullptr ? value : "";
    for (char& c : part)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return part;
}

QString SocketName(const std::string& path) {
    return QString::fromLocal8Bit(path.data(), qsizetype(path.size()));
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
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0')
        display = std::getenv("WAYLAND_DISPLAY");
    return folder + "/brindlecot-" + std::to_string(::getuid()) + "-" + KeyPart(display);
}

InstanceLink::InstanceLink(std::string socketPath) : socketPath_(std::move(socketPath)) {
    connect(&server_, &QLocalServer::newConnection, this, &InstanceLink::TakeConnection);
}

bool InstanceLink::HandOverOrListen(const std::vector<std::string>& paths) {
    if (socketPath_.empty())
        return false; // no safe place to meet: this start stands alone
    // Two starts at once must not both find no instance and both listen; a
    // lock held past all reason does not keep the program from starting.
    QLockFile lock(SocketName(socketPath_ + ".lock"));
    lock.tryLock(kHandOverMilliseconds);
    if (HandOver(paths))
        return true;
    // Nobody answers: whatever is at the socket's path is left by a crash.
    QLocalServer::removeServer(SocketName(socketPath_));
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(SocketName(socketPath_));
    return false;
}

bool InstanceLink::HandOver(const std::vector<std::string>& paths) const {
    QLocalSocket socket;
    socket.connectToServer(SocketName(socketPath_));
    if (!socket.waitForConnected(kHandOverMilliseconds))
        return false;
    // Each path's bytes and a NUL, which no path holds.
    QByteArray message;
    for (const std::string& path : paths)
        message.append(path.data(), qsizetype(path.size())).append('\0');
    socket.write(message);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kHandOverMilliseconds);
    return true;
}

void InstanceLink::TakeConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        // A start sends its paths and leaves; what it sent is read once it has.
        const auto received = [this, socket] {
            const QByteArray message = socket->readAll();
            socket->deleteLater();
            std::vector<std::string> paths;
            for (const QByteArray& path : message.split('\0'))
                if (!path.isEmpty())
                    paths.push_back(path.toStdString());
            if (receive_)
                receive_(std::move(paths));
        };
        if (socket->state() == QLocalSocket::UnconnectedState)
            received();
        else
            connect(socket, &QLocalSocket::disconnected, this, received);
    }
}
