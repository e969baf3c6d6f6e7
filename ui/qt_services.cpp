// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_services.h"

#include "decoder.h"
#include "process.h"
#include "text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

// A box that tells whether it was closed from its title bar, which answers nothing.
class ConfirmationBox : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;
    bool closedByTitleBar = false;

  protected:
    void closeEvent(QCloseEvent* event) override {
        closedByTitleBar = true;
        QMessageBox::closeEvent(event);
    }
};

QString Title() {
    return QApplication::applicationName();
}

// What every box shares: wide enough that the window manager shows its whole
// caption, buttons without icons as on the main window, above its owner.
void Prepare(QMessageBox& box, const QWidget* owner) {
    for (QAbstractButton* button : box.buttons())
        button->setIcon(QIcon());
    // The caption, its frame's buttons and margins; the box sizes itself to its
    // layout, so the width goes in as a spacer.
    const int captionWidth = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 120;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(captionWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    StandAbove(box, owner);
}

// The entries of group in a freedesktop MIME list (an ini file) for mimeType.
QStringList ListedApplications(const QString& file, const QString& group, const QString& mimeType) {
    QFile list(file);
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inGroup = false;
    while (!list.atEnd()) {
        const QString line = QString::fromUtf8(list.readLine()).trimmed();
        if (line.startsWith('['))
            inGroup = line == '[' + group + ']';
        else if (inGroup && line.section('=', 0, 0).trimmed() == mimeType)
            return line.section('=', 1).split(';', Qt::SkipEmptyParts);
    }
    return {};
}

} // namespace

std::string DefaultApplication(const std::string& mimeType) {
    const QString type = QString::fromStdString(mimeType);
    // Most important first: the user's, then the system's; configuration before data.
    QStringList lists;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << folder + "/mimeapps.list";
    const QStringList applicationFolders =
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& folder : applicationFolders)
        lists << folder + "/mimeapps.list" << folder + "/defaults.list";
    for (const QString& list : lists)
        for (const QString& name : ListedApplications(list, "Default Applications", type))
            return name.toStdString();
    // No default: the first application that takes the type.
    for (const QString& list : lists)
        for (const QString& name : ListedApplications(list, "Added Associations", type))
            return name.toStdString();
    for (const QString& folder : applicationFolders)
        for (const QString& name :
             ListedApplications(folder + "/mimeinfo.cache", "MIME Cache", type))
            return name.toStdString();
    return {};
}

namespace {} // namespace

void StandAbove(QWidget& window, const QWidget* owner) {
    if (owner == nullptr || owner->window()->windowHandle() == nullptr)
        return;
    window.winId();
    window.windowHandle()->setTransientParent(owner->window()->windowHandle());
}

const QWidget* QtBoxes::Owner() const {
    const QWidget* active = QApplication::activeWindow();
    return active != nullptr ? active : owner_;
}

void QtBoxes::Message(const std::string& text) {
    Report(text, {});
}

void QtBoxes::Report(const std::string& text, const std::string& details) {
    QMessageBox box(QMessageBox::NoIcon, Title(), DisplayText(text), QMessageBox::Ok);
    // The details area is a read-only text field: the keyboard reaches it, and
    // its text can be selected and copied.
    if (!details.empty())
        box.setDetailedText(DisplayText(details));
    box.setEscapeButton(QMessageBox::Ok);
    Prepare(box, Owner());
    Show(box);
}

ConfirmAnswer QtBoxes::Confirm(const std::string& text, ConfirmButtons buttons) {
    ConfirmationBox box(QMessageBox::Question, QApplication::translate("QtBoxes", "確認"),
                        DisplayText(text));
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* ok = nullptr;
    if (buttons == ConfirmButtons::YesNo || buttons == ConfirmButtons::YesNoDefaultNo) {
        yes = box.addButton(QApplication::translate("QtBoxes", "はい(&Y)"), QMessageBox::YesRole);
        no = box.addButton(QApplication::translate("QtBoxes", "いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(buttons == ConfirmButtons::YesNo ? yes : no);
        box.setEscapeButton(no);
    } else {
        ok = box.addButton("OK", QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    Prepare(box, Owner());
    Show(box);
    const auto* clicked = box.clickedButton();
    if (box.closedByTitleBar || clicked == nullptr)
        return ConfirmAnswer::None;
    if (clicked == yes)
        return ConfirmAnswer::Yes;
    if (clicked == no)
        return ConfirmAnswer::No;
    return ConfirmAnswer::Ok;
}

void QtBoxes::Error(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, Title(), DisplayText(text), QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    Prepare(box, Owner());
    Show(box);
}

void QtBoxes::Show(QMessageBox& box) {
    open_.emplace_back(&box);
    const auto closed = qScopeGuard([this] { open_.pop_back(); });
    box.exec();
}

void QtBoxes::CloseOpen() {
    // Each box's answer ends its own loop, inside the one of the box below it.
    for (auto box = open_.rbegin(); box != open_.rend(); ++box)
        if (*box != nullptr && (*box)->escapeButton() != nullptr)
            (*box)->escapeButton()->click();
}

CloseWhileBlocked::CloseWhileBlocked(QWidget& window) : window_(window) {
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection =
        x11 != nullptr && QGuiApplication::platformName() == "xcb" ? x11->connection() : nullptr;
    if (connection == nullptr)
        return;
    const auto atom = [connection](std::string_view name) -> std::uint32_t {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(
                connection, xcb_intern_atom(connection, 0, std::uint16_t(name.size()), name.data()),
                nullptr),
            &std::free);
        return reply ? reply->atom : 0;
    };
    protocols_ = atom("WM_PROTOCOLS");
    deleteWindow_ = atom("WM_DELETE_WINDOW");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

bool CloseWhileBlocked::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || deleteWindow_ == 0)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    // Unblocked, Qt passes the close on itself.
    if (client->format == 32 && client->type == protocols_ &&
        client->data.data32[0] == deleteWindow_ && client->window == window_.internalWinId() &&
        QApplication::activeModalWidget() != nullptr)
        QMetaObject::invokeMethod(&window_, &QWidget::close, Qt::QueuedConnection);
    return false;
}

void XdgDesktopShell::Open(const std::string& pathOrAddress) {
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (!opener.isEmpty())
        StartWithoutWaiting({opener.toStdString(), pathOrAddress});
}

bool XdgDesktopShell::OpensWithThisProgram(const std::string& path) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(DisplayText(path));
    return DefaultApplication(type.name().toStdString()) == "brindlecot.desktop";
}
