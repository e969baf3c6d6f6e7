// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sleep_inhibitor.h"

#include "text.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QVariantMap>

namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";

// The portal holds off sleep until its request is closed, or we leave the bus.
class PortalToken : public SleepInhibitor::Token {
  public:
    PortalToken(QDBusConnection bus, QString request)
        : bus_(std::move(bus)), request_(std::move(request)) {}
    ~PortalToken() override {
        // Not waited for: the answer is of no use.
        bus_.asyncCall(QDBusMessage::createMethodCall(kPortal, request_,
                                                      "org.freedesktop.portal.Request", "Close"));
    }

  private:
    QDBusConnection bus_;
    QString request_;
};

// logind holds off sleep while its descriptor is open anywhere.
class LogindToken : public SleepInhibitor::Token {
  public:
    explicit LogindToken(QDBusUnixFileDescriptor descriptor) : descriptor_(std::move(descriptor)) {}

  private:
    QDBusUnixFileDescriptor descriptor_;
};

} // namespace

std::unique_ptr<SleepInhibitor::Token> DBusSleepInhibitor::Hold(const std::string& reason) {
    QDBusMessage portal = QDBusMessage::createMethodCall(
        kPortal, "/org/freedesktop/portal/desktop", "org.freedesktop.portal.Inhibit", "Inhibit");
    constexpr uint kSuspend = 4, kIdle = 8;
    portal << QString() << (kSuspend | kIdle) << QVariantMap{{"reason", DisplayText(reason)}};
    const QDBusReply<QDBusObjectPath> request = session_.call(portal, QDBus::Block, kAnswerMs);
    if (request.isValid())
        return std::make_unique<PortalToken>(session_, request.value().path());

    QDBusMessage logind =
        QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                       "org.freedesktop.login1.Manager", "Inhibit");
    logind << QString("sleep:idle") << QString("brindlecot") << DisplayText(reason)
           << QString("block");
    const QDBusReply<QDBusUnixFileDescriptor> held = system_.call(logind, QDBus::Block, kAnswerMs);
    if (held.isValid() && held.value().isValid())
        return std::make_unique<LogindToken>(held.value());
    return nullptr;
}
