// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop_notifier.h"

#include "text.h"

#include <QDBusMessage>
#include <QVariantMap>

void DBusNotifier::Notify(const std::string& summary, const std::string& body) {
    if (!bus_.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.Notifications",
                                                       "/org/freedesktop/Notifications",
                                                       "org.freedesktop.Notifications", "Notify");
    // The icon by its installed name; the desktop entry lets the service group it with us.
    const QVariantMap hints{{"desktop-entry", QString("brindlecot")}};
    call << QString("brindlecot") << 0u << QString("brindlecot") << DisplayText(summary)
         << DisplayText(body) << QStringList() << hints << -1;
    bus_.send(call);
}
