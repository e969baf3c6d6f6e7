// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on a real X11 desktop: its own Xvfb server and openbox, started
// here before the application connects, so that windows are stacked as on a
// user's desktop. Boxes and the chooser are answered with the mouse, keys are
// typed through the server.
#include "FileFolder.h"
#include "Unit1.h"
#include "process.h"
#include "qt_services.h"
#include "test_support.h"
#include "x_desktop.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <set>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Client windows from the bottom of the stack to the top.
std::vector<WId> Stacking() {
    const std::string text = OutputOf({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"});
    std::vector<WId> windows;
    for (std::size_t at = text.find("0x"); at != std::string::npos; at = text.find("0x", at + 2))
        windows.push_back(std::stoul(text.substr(at), nullptr, 16));
    return windows;
}

// Where on the screen a control is: the window manager's frame moves the
// client, so the server is asked.
QPoint OnScreen(const QWidget& control) {
    const QWidget* window = control.window();
    const std::string info = OutputOf({"xwininfo", "-id", std::to_string(window->winId())});
    auto number = [&](const char* label) {
        return std::stoi(info.substr(info.find(label) + std::strlen(label)));
    };
    return QPoint(number("Absolute upper-left X:"), number("Absolute upper-left Y:")) +
           control.mapTo(window, control.rect().center());
}

void Key(const char* name) {
    RunProgram({"xdotool", "key", name});
}

int HiddenFilesIn(const TempFolder& folder) {
    return int(std::count_if(
        std::filesystem::directory_iterator(folder.path()), {},
        [](const auto& entry) { return entry.path().filename().string().front() == '.'; }));
}

// The built program, copied into home with the stand-in as its decoder beside
// it (its settings are written there too), started on source, its 変換
// clicked; it runs until the stand-in's held.pid tells that its decoder does.
Child StartBatchOfTheProgram(const TempFolder& home, const std::vector<std::string>& sources,
                             bool severalAtOnce = false) {
    std::filesystem::copy_file(qEnvironmentVariable("BRINDLECOT_PROGRAM").toStdString(),
                               home / "brindlecot");
    ::symlink(PlaceStandInDecoder(home.path()).c_str(), (home / "lame").c_str());
    WriteFile(home / "brindlecot.ini",
              std::string("[front]\r\nOn\r\n") + (severalAtOnce ? "[parallel]\r\nOn\r\n" : ""));
    std::vector<std::string> arguments{home / "brindlecot"};
    for (const std::string& source : sources) {
        WriteFile(home / source, Layer3Stream(4000));
        arguments.push_back(home / source);
    }
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(home.path()));
    Child program(arguments);
    // Bounded, so that a program that never shows its window fails the test, not hangs it.
    const std::string found =
        OutputOf({"timeout", "60", "xdotool", "search", "--sync", "--onlyvisible", "--pid",
                  std::to_string(program.Pid()), "--name", "brindlecot"});
    if (found.empty())
        throw std::runtime_error(program.Ended() ? "the program ended without a window"
                                                 : "the program's window did not show");
    const std::string window = found.substr(0, found.find('\n'));
    const std::string info = OutputOf({"xwininfo", "-id", window});
    const auto number = [&](const char* label) {
        return std::stoi(info.substr(info.find(label) + std::strlen(label)));
    };
    // The centre of 変換, which the form places at 232, 360, 73 by 25.
    const std::string x = std::to_string(number("Absolute upper-left X:") + 268);
    const std::string y = std::to_string(number("Absolute upper-left Y:") + 372);
    // A click before the window takes input is lost: clicked again until the decoder runs.
    for (int attempt = 0; attempt < 20 && !Exists(home / "held.pid"); ++attempt) {
        RunProgram({"xdotool", "mousemove", "--sync", x, y, "click", "1"});
        (void)QTest::qWaitFor([&] { return Exists(home / "held.pid"); }, 1000);
    }
    return program;
}

// Answers each of our dialogs with the mouse (a box's default button, the
// chooser's cancel) once the window manager has taken it, noting whether it
// then stood above the main window. A dialog the click does not reach is
// closed after a while so that the test ends.
class Answerer {
  public:
    explicit Answerer(const QWidget& main) : main_(main) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
        poll_.start(50);
    }
    QStringList seen; // "text: above" or "text: below"

  private:
    void Poll() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(window);
            if (dialog == nullptr || !dialog->isVisible() || answered_.count(dialog->winId()))
                continue;
            const std::vector<WId> stack = Stacking();
            const auto level = [&](WId id) { return std::find(stack.begin(), stack.end(), id); };
            if (level(dialog->winId()) == stack.end())
                continue;
            const auto* box = qobject_cast<QMessageBox*>(dialog);
            seen << (box ? box->text() : dialog->windowTitle()) +
                        (level(dialog->winId()) > level(main_.winId()) ? ": above" : ": below");
            answered_.insert(dialog->winId());
            QTimer::singleShot(10000, dialog, &QDialog::reject);
            const QWidget* answer = dialog->findChild<QPushButton*>("cancelButton");
            if (box != nullptr)
                answer = box->defaultButton() ? box->defaultButton() : box->buttons().value(0);
            const QPoint at = OnScreen(*answer);
            RunProgram({"xdotool", "mousemove", "--sync", std::to_string(at.x()),
                        std::to_string(at.y()), "click", "1"});
        }
    }

    const QWidget& main_;
    QTimer poll_;
    std::set<WId> answered_;
};

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

    TempFolder folder;
    QtBoxes boxes;
    FileFolderChooser chooser{boxes};
    XdgDesktopShell shell;

    std::string Path(const std::string& name) const { return folder / name; }
    // A window as the program makes it, on top, its boxes and chooser owned by it.
    std::unique_ptr<TForm1> MakeForm(const std::string& decoder) {
        auto form = std::make_unique<TForm1>(WindowServices{
            boxes, chooser, shell, [decoder] { return decoder; }, Path("brindlecot.ini")});
        boxes.SetOwner(form.get());
        chooser.SetOwner(form.get());
        return form;
    }
    // The stand-in decoder; the sources here leave no whole output, so every
    // item fails, and the held one runs until the test releases it.
    std::string Decoder() { return PlaceStandInDecoder(folder.path()); }

  private slots:
    void initTestCase() {
        for (const char* name : {"a-nooutput.mp3", "b-nooutput.mp3", "c-held-nooutput.mp3"})
            WriteFile(Path(name), Layer3Stream(4000));
        // The source file list shows the working folder.
        QVERIFY(::chdir(folder.path().c_str()) == 0);
    }

    void theMissingDecoderMessageStandsAboveTheWindow() {
        auto form = MakeForm(Path("missing-lame"));
        QVERIFY(form->CheckBox2->isChecked());
        Answerer answerer(*form);
        form->show();
        form->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(!form->isVisible(), 20000);
        QCOMPARE(answerer.seen.size(), 1);
        QVERIFY2(answerer.seen[0].endsWith("ください: above"), qPrintable(answerer.seen[0]));
    }

    void theChooserAndTheBatchBoxesStandAboveTheWindow() {
        auto form = MakeForm(Decoder());
        Answerer answerer(*form);
        form->show();
        form->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(form->isActiveWindow(), 20000);
        form->Button1->click();
        form->List().Append(Path("a-nooutput.mp3"));
        form->Button2->click();
        QCOMPARE(answerer.seen,
                 QStringList({"フォルダを選択して下さい。: above",
                              "0件を変換しました\n1件のファイルを変換できませんでした: above",
                              "処理済みのリストを削除しますか？: above"}));
    }

    void theWindowManagerOffersMinimiseAndCloseButNoMaximise() {
        auto form = MakeForm(Decoder());
        form->show();
        form->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(form->isActiveWindow(), 20000);
        const std::string actions =
            OutputOf({ProgramPath("xprop"), "-id", std::to_string(form->winId()),
                      "_NET_WM_ALLOWED_ACTIONS"});
        QVERIFY2(actions.find("_NET_WM_ACTION_MINIMIZE") != std::string::npos, actions.c_str());
        QVERIFY2(actions.find("_NET_WM_ACTION_CLOSE") != std::string::npos, actions.c_str());
        QVERIFY2(actions.find("MAXIMIZE") == std::string::npos, actions.c_str());
    }

    void deleteAndEnterKeys() {
        auto form = MakeForm(Decoder());
        form->show();
        form->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(form->isActiveWindow(), 20000);
        ProcessingList& list = form->List();
        form->FileListBox1->setFocus();
        form->FileListBox1->setCurrentRow(0);
        Key("Return");
        QTRY_COMPARE(list.Count(), 1);
        Key("KP_Enter");
        QTRY_COMPARE(list.Count(), 2);
        QCOMPARE(list.ItemAt(1).caption, Path("a-nooutput.mp3"));

        form->ListView1->setFocus();
        form->ListView1->edit(list.index(0));
        QTRY_VERIFY(QApplication::focusWidget() != form->ListView1);
        Key("Delete");
        Key("Escape");
        QTRY_COMPARE(QApplication::focusWidget(), form->ListView1);
        QCOMPARE(list.Count(), 2); // "the editor keeps the key"

        list.Select(0);
        Key("Delete");
        QTRY_COMPARE(list.Count(), 1);
        list.Select(0);
        Key("KP_Delete");
        QTRY_COMPARE(list.Count(), 0);

        // During a batch too, while the first item's decoder runs.
        Answerer answerer(*form);
        list.Append(Path("c-held-nooutput.mp3"));
        list.Append(Path("b-nooutput.mp3"));
        bool typed = false;
        connect(&list, &QAbstractItemModel::dataChanged, form.get(), [&] {
            if (!typed && list.Count() == 2 && list.ItemAt(0).state == ItemState::Processing) {
                typed = true;
                list.Select(1);
                Key("Delete");
            }
        });
        // The first decoder runs until the key has taken its item away.
        connect(&list, &QAbstractItemModel::rowsRemoved, form.get(), [&] {
            if (typed)
                WriteFile(Path("c-held-nooutput.mp3.go"), "");
        });
        form->Button2->click();
        QCOMPARE(list.Count(), 1);
        QCOMPARE(list.ItemAt(0).caption, Path("c-held-nooutput.mp3"));
        QCOMPARE(answerer.seen.value(0),
                 QString("0件を変換しました\n1件のファイルを変換できませんでした: above"));
    }
    // The window manager's closes over the question before a batch, which Qt
    // drops while the box holds the window: the first is noted, the second
    // closes the question as its Escape would, and the window with it.
    void aSecondCloseOverTheQuestionClosesItAndTheWindow() {
        auto form = MakeForm(Decoder());
        form->show();
        form->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(form->isActiveWindow(), 20000);
        WriteFile(Path("b-nooutput.wav"), "a user's own");
        form->List().Append(Path("b-nooutput.mp3"));
        int closes = 0;
        QPointer<QWidget> lastBox;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (box == nullptr || !box->isVisible())
                return;
            // A box the closes do not reach is closed after a while, so that the test ends.
            if (std::exchange(lastBox, box) != box)
                QTimer::singleShot(20000, box, &QWidget::close);
            if (closes == 2)
                return;
            ++closes;
            RunProgram(
                {"wmctrl", "-i", "-c", QString("0x%1").arg(form->winId(), 0, 16).toStdString()});
        });
        closer.start(300);
        form->Button2->click();
        QCOMPARE(closes, 2);
        QTRY_VERIFY_WITH_TIMEOUT(!form->isVisible(), 20000);
        QCOMPARE(ReadFile(Path("b-nooutput.wav")), std::string("a user's own"));
        ::unlink(Path("b-nooutput.wav").c_str());
    }

    void aSignalToEndStopsTheProgramsDecoderLeavingNothingButItsSettings() {
        const TempFolder home;
        Child program = StartBatchOfTheProgram(home, {"x-held.mp3"});
        QVERIFY(Exists(home / "held.pid"));
        const pid_t decoder = std::stoi(ReadFile(home / "held.pid"));
        ::kill(program.Pid(), SIGTERM);
        QCOMPARE(program.Finish().exitCode, 128 + SIGTERM);
        QVERIFY(::kill(decoder, 0) == -1 && errno == ESRCH);
        QCOMPARE(HiddenFilesIn(home), 0);
        QVERIFY(ReadFile(home / "brindlecot.ini").find("[front]") != std::string::npos);
    }

    // The display ends under a batch (its server ends, an ssh -X drops): the
    // program ends, with a status that says so, its settings written.
    void aDisplayThatEndsEndsTheProgramWithItsSettingsWritten() {
        const TempFolder home;
        const QByteArray display = qgetenv("DISPLAY"), platform = qgetenv("QT_QPA_PLATFORM");
        std::optional<Child> program;
        {
            const XDesktop itsOwn;
            program.emplace(StartBatchOfTheProgram(home, {"x-held.mp3"}, true));
            ::unlink((home / "brindlecot.ini").c_str()); // read at the start
        }
        qputenv("DISPLAY", display); // for the tests after this one
        qputenv("QT_QPA_PLATFORM", platform);
        QCOMPARE(program->Finish().exitCode, 1);
        QCOMPARE(ReadFile(home / "brindlecot.ini"),
                 std::string("[front]\r\nOn\r\n[parallel]\r\nOn\r\n"));
        QVERIFY(std::none_of(std::filesystem::directory_iterator(home.path()), {},
                             [](const auto& entry) { return entry.is_socket(); }));
    }

    // Killed outright, the program leaves neither a decoder nor a file.
    void aProgramKilledDuringABatchOfSeveralAtOnceLeavesNoDecoderAndNoFile() {
        const TempFolder home;
        const std::size_t atOnce = UsableCores() >= 2 ? 2 : 1;
        Child program = StartBatchOfTheProgram(home, {"a-held.mp3", "b-held.mp3"}, true);
        std::vector<UniqueFd> decoders;
        for (const char* source : {"a-held.mp3", "b-held.mp3"}) {
            if (decoders.size() == atOnce)
                break;
            QTRY_VERIFY_WITH_TIMEOUT(Exists(home / (std::string(source) + ".pid")), 20000);
            const pid_t pid = std::stoi(ReadFile(home / (std::string(source) + ".pid")));
            decoders.emplace_back(int(::syscall(SYS_pidfd_open, pid, 0)));
            QVERIFY(decoders.back());
        }
        ::kill(program.Pid(), SIGKILL);
        program.Finish();
        for (const UniqueFd& decoder : decoders) {
            pollfd end{decoder.Get(), POLLIN, 0};
            QCOMPARE(::poll(&end, 1, 20'000), 1);
        }
        QCOMPARE(HiddenFilesIn(home), 0);
    }
};

int main(int argc, char* argv[]) {
    const XDesktop desktop; // before the application, which connects to it
    QApplication application(argc, argv);
    QApplication::setApplicationName("brindlecot");
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
