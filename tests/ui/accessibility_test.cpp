// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader is told of the window. Qt tells assistive technology
// nothing until the desktop's accessibility bus is there: here a stand-in for
// its launcher on the test's own session bus (the test runs under
// dbus-run-session) names that bus, in an X server of the test's own.
#include "FileFolder.h"
#include "Unit1.h"
#include "quiet_services.h"
#include "test_support.h"
#include "text.h"
#include "x_desktop.h"

#include <QAccessible>
#include <QApplication>
#include <QDBusConnection>
#include <QLabel>
#include <QTreeView>
#include <QtTest>

#include <algorithm>

namespace {

class AccessibilityBusLauncher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Bus")
  public slots:
    QString GetAddress() { return qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"); }
};

// Each label's new name and new text as Qt tells them.
std::vector<std::pair<QObject*, QString>> told;
void Hear(QAccessibleEvent* event) {
    if (event->type() == QAccessible::NameChanged)
        told.emplace_back(event->object(), event->accessibleInterface()->text(QAccessible::Name));
    else if (event->type() == QAccessible::TextUpdated)
        told.emplace_back(event->object(),
                          static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted());
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
    AccessibilityBusLauncher launcher_;

  private slots:
    void initTestCase() {
        QDBusConnection service =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "service");
        QVERIFY(
            service.registerObject("/org/a11y/bus", &launcher_, QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService("org.a11y.Bus"));
        QTRY_VERIFY(QAccessible::isActive());
        QAccessible::installUpdateHandler(Hear);
    }

    void theFileWrittenAndItsLineAreHeardAsTheyChange() {
        const TempFolder folder;
        WriteFile(folder / "song.mp3", Layer3Stream(16000));
        QuietBoxes boxes;
        NoFolderChooser chooser;
        NoDesktopShell shell;
        const std::string decoder = PlaceStandInDecoder(folder.path());
        TForm1 form({boxes, chooser, shell, [&] { return decoder; }, folder / "brindlecot.ini"});
        form.show();
        form.List().Append(folder / "song.mp3");
        form.Button2Click();
        const QString output = DisplayText(folder / "song.wav");
        for (QLabel* label : {form.Label10, form.Label7}) {
            const QString shown = label == form.Label7 ? output : label->text();
            QCOMPARE(
                std::count(told.begin(), told.end(), std::pair<QObject*, QString>(label, shown)),
                2);
            QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(label);
            QCOMPARE(heard->text(QAccessible::Name), label->text());
            QCOMPARE(heard->textInterface()->text(0, int(label->text().size())), label->text());
        }
    }

    void theChooserShowsTheFoldersNamesAlone() {
        RecordingBoxes boxes;
        const FolderDialog dialog("/", boxes);
        QAccessibleInterface* tree =
            QAccessible::queryAccessibleInterface(dialog.findChild<QTreeView*>("folderTree"));
        QCOMPARE(tree->tableInterface()->columnCount(), 1);
        QCOMPARE(tree->text(QAccessible::Name), QString("フォルダ"));
        QCOMPARE(tree->child(0)->text(QAccessible::Name), QString("フォルダ"));
    }
};

int main(int argc, char* argv[]) {
    const XDesktop desktop; // before the application, which connects to it
    // As when a screen reader runs.
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    QApplication application(argc, argv);
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "accessibility_test.moc"
