// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One window per user and desktop. The first start listens on a local
// socket named for the user and the desktop; a later start hands its paths
// to it and ends once the window has taken them.

#include <QLocalServer>
#include <QObject>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QLocalSocket;

// Where the running instance listens: in the user's runtime folder (else a
// private folder in /tmp; empty when that is not safely ours), named for the
// user and for the desktop (DesktopKey), so two desktops stay apart.
std::string InstanceSocketPath();

class InstanceLink : public QObject {
    Q_OBJECT
  public:
    explicit InstanceLink(std::string socketPath = InstanceSocketPath());

    // Hands paths (and the desktop's activation token, which lets a Wayland
    // window come forward) to an instance that runs already and returns true
    // once its window has taken them; else makes this one the running
    // instance (taking over the socket a crashed or closing one left) and
    // returns false.
    bool HandOverOrListen(const std::vector<std::string>& paths,
                          const std::string& activationToken = {});

    // What the running instance does with the paths of each later start;
    // false when its window takes none (it is closing), which makes the
    // start open its own window and this instance stop listening.
    using Receiver = std::function<bool(std::vector<std::string> paths, std::string token)>;
    void OnPathsHandedOver(Receiver receive) { receive_ = std::move(receive); }
    // Listens no more, its socket's name gone: for an end that skips the destructors.
    void StopListening() { server_.close(); }

  private:
    bool HandOver(const std::vector<std::string>& paths, const std::string& token) const;
    void TakeConnection();
    void Receive(QLocalSocket* socket);
    void Drop(QLocalSocket* socket, const std::string& why);

    std::string socketPath_;
    QLocalServer server_;
    Receiver receive_;
    // What each start has sent so far.
    std::map<QLocalSocket*, QByteArray> arriving_;
};
