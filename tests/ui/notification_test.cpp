// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop's services around a batch, on a private session bus (the test
// runs under dbus-run-session) with stand-ins for them: the notification at
// its end, the machine kept awake meanwhile.
#include "Unit1.h"
#include "desktop_notifier.h"
#include "sleep_inhibitor.h"
#include "test_support.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>

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

// The portal's inhibitor and the request it hands out, in one.
class FakePortal : public QObject {
    Q_OBJECT
  public:
    QStringList calls;

  public slots:
    QDBusObjectPath Inhibit(const QString&, uint flags, const QVariantMap& options) {
        calls << QString("Inhibit %1 %2").arg(flags).arg(options["reason"].toString());
        return QDBusObjectPath("/request");
    }
    void Close() { calls << "Close"; }
};

// The window's other services, answering no one.
struct QuietServices : QuietBoxes, NoFolderChooser, NoDesktopShell {};

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
        // Neither the portal nor logind to keep the machine awake: nothing held.
        QVERIFY(!DBusSleepInhibitor(none, none).Hold("a"));
        DBusSleepInhibitor(QDBusConnection::sessionBus(), none).Hold("a");
    }

    void aBatchKeepsTheMachineAwakeUntilItEnds() {
        // On the window's own connection, where Qt answers the call in place.
        FakePortal portal;
        QDBusConnection bus = QDBusConnection::sessionBus();
        const auto exported = QDBusConnection::ExportAllSlots;
        bus.registerObject("/org/freedesktop/portal/desktop", "org.freedesktop.portal.Inhibit",
                           &portal, exported);
        bus.registerObject("/request", "org.freedesktop.portal.Request", &portal, exported);
        QVERIFY(bus.registerService("org.freedesktop.portal.Desktop"));
        DBusSleepInhibitor inhibitor(bus, QDBusConnection("no system bus"));
        const TempFolder folder;
        QuietServices quiet;
        TForm1 form({quiet, quiet, quiet, [&] { return PlaceStandInDecoder(folder.path()); },
                     folder / "ini", NoNotifier::Instance(), UsableCores, true, inhibitor});
        WriteFile(folder / "a.mp3", Layer3Stream(16000));
        form.List().Append(folder / "a.mp3");
        const QStringList held{"Inhibit 12 MPEGオーディオをWAVに変換しています"};
        QObject::connect(&form.List(), &QAbstractItemModel::dataChanged,
                         [&] { QCOMPARE(portal.calls, held); });
        form.Button2Click();
        QTRY_COMPARE(portal.calls, held + QStringList{"Close"});
    }
};

QTEST_MAIN(NotificationTest)
#include "notification_test.moc"
