// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One window per user and display. The first start listens on a local
// socket named for the user and the display; a later start hands its paths
// to it and ends.

#include <QLocalServer>
#include <QObject>

#include <functional>
#include <string>
#include <vector>

// Where the running instance listens: in the user's runtime folder (else a
// private folder in /tmp; empty when that is not safely ours), named for the user and for the
// display, so two displays stay apart.
std::string InstanceSocketPath();

class InstanceLink : public QObject {
    Q_OBJECT
  public:
    explicit InstanceLink(std::string socketPath = InstanceSocketPath());

    // Hands paths to an instance that runs already and returns true; else
    // makes this one the running instance (taking over the socket a crashed
    // one left) and returns false.
    bool HandOverOrListen(const std::vector<std::string>& paths);

    // What the running instance does with the paths of each later start.
    void OnPathsHandedOver(std::function<void(std::vector<std::string>)> receive) {
        receive_ = std::move(receive);
    }

  private:
    bool HandOver(const std::vector<std::string>& paths) const;
    void TakeConnection();

    std::string socketPath_;
    QLocalServer server_;
    std::function<void(std::vector<std::string>)> receive_;
};
