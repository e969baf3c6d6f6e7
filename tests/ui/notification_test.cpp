// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The notification at a batch's end, on a private session bus (the test runs
// under dbus-run-session) with a stand-in for the desktop's notification service.
#include "desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QtTest>

namespace {

class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
  public:
    struct Call {
        QString application, icon, summary, body;
        QVariantMap hints;
    };
    std::vector<Call> calls;

  public slots:
    uint Notify(const QString& application, uint, const QString& icon, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap& hints, int) {
        calls.push_back({application, icon, summary, body, hints});
        return uint(calls.size());
    }
};

} // namespace

class NotificationTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(QDBusConnection::sessionBus().isConnected()); }

    void aNotificationReachesTheService() {
        FakeNotificationService service;
        QDBusConnection serviceBus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "service");
        QVERIFY(serviceBus.registerObject("/org/freedesktop/Notifications", &service,
                                          QDBusConnection::ExportAllSlots));
        QVERIFY(serviceBus.registerService("org.freedesktop.Notifications"));

        DBusNotifier notifier;
        notifier.Notify("変換が終わりました", "2件を変換しました");
        QTRY_COMPARE(service.calls.size(), std::size_t(1));
        QCOMPARE(service.calls[0].application, QString("brindlecot"));
        QCOMPARE(service.calls[0].icon, QString("brindlecot"));
        QCOMPARE(service.calls[0].summary, QString("変換が終わりました"));
        QCOMPARE(service.calls[0].body, QString("2件を変換しました"));
        QCOMPARE(service.calls[0].hints.value("desktop-entry").toString(), QString("brindlecot"));

        serviceBus.unregisterService("org.freedesktop.Notifications");
        QDBusConnection::disconnectFromBus("service");
    }

    void withoutAServiceOrABusNothingFails() {
        QTRY_VERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(
            "org.freedesktop.Notifications"));
        DBusNotifier(QDBusConnection::sessionBus()).Notify("a", "b");
        const QDBusConnection none =
            QDBusConnection::connectToBus("unix:path=/nonexistent", "none");
        QVERIFY(!none.isConnected());
        DBusNotifier(none).Notify("a", "b");
    }
};

QTEST_MAIN(NotificationTest)
#include "notification_test.moc"
