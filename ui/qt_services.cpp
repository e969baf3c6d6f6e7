#include "qt_services.h"

#include "text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <sys/wait.h>
#include <unistd.h>

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

} // namespace

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
    QMessageBox box(QMessageBox::NoIcon, Title(), DisplayText(text), QMessageBox::Ok);
    StandAbove(box, Owner());
    box.exec();
}

ConfirmAnswer QtBoxes::Confirm(const std::string& text, ConfirmButtons buttons) {
    ConfirmationBox box(QMessageBox::Question, QApplication::translate("QtBoxes", "確認"),
                        DisplayText(text));
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* ok = nullptr;
    if (buttons == ConfirmButtons::YesNo) {
        yes = box.addButton(QApplication::translate("QtBoxes", "はい(&Y)"), QMessageBox::YesRole);
        no = box.addButton(QApplication::translate("QtBoxes", "いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        ok = box.addButton("OK", QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    StandAbove(box, Owner());
    box.exec();
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
    StandAbove(box, Owner());
    box.exec();
}

void XdgDesktopShell::Open(const std::string& pathOrAddress) {
    // Started twice removed, so it is reaped at once and outlives nothing of ours.
    const char* const argv[] = {"xdg-open", pathOrAddress.c_str(), nullptr};
    const pid_t child = ::fork();
    if (child == 0) {
        if (::fork() == 0) {
            ::setsid();
            ::execvp(argv[0], const_cast<char* const*>(argv));
        }
        ::_exit(0);
    }
    if (child > 0)
        ::waitpid(child, nullptr, 0);
}
