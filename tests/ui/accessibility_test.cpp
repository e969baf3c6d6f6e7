// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader is told as a label changes. Qt tells assistive
// technology nothing until the desktop's accessibility bus is there: here the
// test's own session bus (it runs under dbus-run-session) names itself that
// bus, to Qt on an X server of the test's own.
#include "Unit1.h"
#include "quiet_services.h"
#include "x_desktop.h"

#include <QAccessible>
#include <QApplication>
#include <QDBusConnection>
#include <QLabel>
#include <QtTest>

class AccessibilityTest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Bus")
    static inline std::vector<std::pair<QObject*, QAccessible::Event>> told;

  public slots:
    QString GetAddress() { return qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"); }

  private slots:
    void theInformationLineIsToldAsItChanges() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerObject("/org/a11y/bus", this, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.a11y.Bus"));
        QTRY_VERIFY(QAccessible::isActive());
        QAccessible::installUpdateHandler(
            [](QAccessibleEvent* event) { told.emplace_back(event->object(), event->type()); });
        QuietBoxes boxes;
        NoFolderChooser chooser;
        NoDesktopShell shell;
        TForm1 form({boxes, chooser, shell, [] { return std::string(); }, "/nonexistent/x.ini"});
        told.clear();
        form.ShowInformationLine("Time:(0M 1S)");
        QCOMPARE(told, (decltype(told){{form.Label10, QAccessible::NameChanged},
                                       {form.Label10, QAccessible::TextUpdated}}));
    }
};

int main(int argc, char* argv[]) {
    const XDesktop desktop; // before the application, which connects to it
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"); // as when a screen reader runs
    QApplication application(argc, argv);
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "accessibility_test.moc"
