// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Desktop notifications through the freedesktop notification service.

#include "window_services.h"

#include <QDBusConnection>

class DBusNotifier : public DesktopNotifier {
  public:
    explicit DBusNotifier(QDBusConnection bus = QDBusConnection::sessionBus())
        : bus_(std::move(bus)) {}
    // Sent without waiting for an answer; without a bus or a service nothing happens.
    void Notify(const std::string& summary, const std::string& body) override;

  private:
    QDBusConnection bus_;
};
