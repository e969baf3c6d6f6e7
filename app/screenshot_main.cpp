// Takes the README's picture of the window in the middle of a conversion.
// Usage: brindlecot-screenshot OUTPUT.png SOURCE.mp3...
#include "Unit1.h"

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

namespace {

class SilentBoxes : public WindowBoxes {
public:
    void Message(const std::string&) override {}
    ConfirmAnswer Confirm(const std::string&, ConfirmButtons) override { return ConfirmAnswer::No; }
    void Error(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

class NoChooser : public FolderChooser {
public:
    void SelectFolder(const std::string&, std::string&) override {}
};

class NoShell : public DesktopShell {
public:
    void Open(const std::string&) override {}
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("brindlecot");
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.png SOURCE...\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    SilentBoxes boxes;
    NoChooser chooser;
    NoShell shell;
    TForm1 form({boxes, chooser, shell, DecoderPath, "/tmp/brindlecot-screenshot.ini"});
    for (int i = 2; i < argc; ++i)
        form.List().Append(argv[i]);
    form.show();

    bool saved = false;
    // Once the second item is being converted and its bar has moved a little.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (saved || form.List().Count() < 2 ||
            form.List().ItemAt(1).state != ItemState::Processing || form.ProgressBar2->value() < 30)
            return;
        saved = form.grab().save(output);
        poll.stop();
    });
    poll.start(50);
    QTimer::singleShot(300, &form, [&] { form.Button2->click(); });
    QTimer::singleShot(120000, [] { QApplication::exit(1); });
    QObject::connect(form.Button2, &QPushButton::clicked, [&] { QApplication::exit(saved ? 0 : 1); });
    return QApplication::exec();
}
