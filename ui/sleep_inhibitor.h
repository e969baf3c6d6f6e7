// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The machine kept awake through the desktop portal on the session bus, else
// through logind on the system bus.

#include "window_services.h"

#include <QDBusConnection>

class DBusSleepInhibitor : public SleepInhibitor {
  public:
    explicit DBusSleepInhibitor(QDBusConnection session = QDBusConnection::sessionBus(),
                                QDBusConnection system = QDBusConnection::systemBus())
        : session_(std::move(session)), system_(std::move(system)) {}
    // Suspend and idle held off, asked for without waiting: the portal's
    // answer, else logind's, comes through the event loop, each given up
    // after kAnswerMs. No token without either bus; a refusal holds nothing.
    std::unique_ptr<Token> Hold(const std::string& reason) override;

    static constexpr int kAnswerMs = 500;

  private:
    QDBusConnection session_;
    QDBusConnection system_;
};
