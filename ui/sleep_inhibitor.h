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
    // Suspend and idle held off; without a bus or with a refusal no token, and
    // no wait longer than kAnswerMs for either service.
    std::unique_ptr<Token> Hold(const std::string& reason) override;

    static constexpr int kAnswerMs = 500;

  private:
    QDBusConnection session_;
    QDBusConnection system_;
};
