// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sleep_inhibitor.h"

#include "text.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QVariantMap>

#include <functional>
#include <memory>

namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";

// What one hold has got, or will get once its answer comes. It outlives the
// token until the answers are in, so that a hold let go before its answer
// lets that answer go the moment it arrives.
struct Held {
    QDBusConnection session, system;
    QString request;                // the portal's request, which holds off sleep until closed
    QDBusUnixFileDescriptor logind; // logind holds off sleep while this is open anywhere
    bool released = false;

    Held(QDBusConnection session, QDBusConnection system)
        : session(std::move(session)), system(std::move(system)) {}
    void Release() {
        released = true;
        // Not waited for: the answer is of no use.
        if (!request.isEmpty())
            session.asyncCall(QDBusMessage::createMethodCall(
                kPortal, std::exchange(request, {}), "org.freedesktop.portal.Request", "Close"));
        logind = {};
    }
};

class HeldToken : public SleepInhibitor::Token {
  public:
    explicit HeldToken(std::shared_ptr<Held> held) : held_(std::move(held)) {}
    ~HeldToken() override { held_->Release(); }

  private:
    std::shared_ptr<Held> held_;
};

// Sends message and calls onAnswer with the reply once it comes, or its
// error after at most timeoutMs, from the event loop: the window never waits.
void WhenAnswered(const QDBusConnection& bus, const QDBusMessage& message, int timeoutMs,
                  std::function<void(const QDBusPendingCall&)> onAnswer) {
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, timeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, onAnswer = std::move(onAnswer)] {
                         watcher->deleteLater();
                         onAnswer(*watcher);
                     });
}

} // namespace

std::unique_ptr<SleepInhibitor::Token> DBusSleepInhibitor::Hold(const std::string& reason) {
    if (!session_.isConnected() && !system_.isConnected())
        return nullptr;
    auto held = std::make_shared<Held>(session_, system_);
    QDBusMessage portal = QDBusMessage::createMethodCall(
        kPortal, "/org/freedesktop/portal/desktop", "org.freedesktop.portal.Inhibit", "Inhibit");
    constexpr uint kSuspend = 4, kIdle = 8;
    portal << QString() << (kSuspend | kIdle) << QVariantMap{{"reason", DisplayText(reason)}};
    QDBusMessage logind =
        QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                       "org.freedesktop.login1.Manager", "Inhibit");
    logind << QString("sleep:idle") << QString("brindlecot") << DisplayText(reason)
           << QString("block");
    WhenAnswered(session_, portal, kAnswerMs, [held, logind](const QDBusPendingCall& answer) {
        const QDBusPendingReply<QDBusObjectPath> request = answer;
        if (request.isValid()) {
            held->request = request.value().path();
            if (held->released)
                held->Release();
            return;
        }
        if (held->released)
            return;
        WhenAnswered(held->system, logind, kAnswerMs, [held](const QDBusPendingCall& answer) {
            const QDBusPendingReply<QDBusUnixFileDescriptor> descriptor = answer;
            if (descriptor.isValid() && !held->released)
                held->logind = descriptor.value();
        });
    });
    return std::make_unique<HeldToken>(std::move(held));
}
