// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window, offscreen, with its boxes, chooser and shell replaced.
#include "Unit1.h"

#include "FileFolder.h"
#include "processing_list_view.h"
#include "text.h"
#include "window_fakes.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWindow>

#include <QDir>
#include <QElapsedTimer>

#include <cerrno>
#include <csignal>
#include <functional>
#include <set>
#include <sys/stat.h>

namespace {

using FakeBoxes = RecordingWindowBoxes;

class FakeChooser : public FolderChooser {
  public:
    void SelectFolder(const std::string&, std::string& result) override {
        if (realWith != nullptr)
            ::SelectFolder({}, result, *realWith);
        else if (choice)
            result = *choice;
    }
    std::optional<std::string> choice;
    MessageService* realWith = nullptr; // the real chooser, with these boxes
};

class FakeShell : public DesktopShell {
  public:
    void Open(const std::string& what) override { opened.push_back(what); }
    bool OpensWithThisProgram(const std::string&) override { return opensWithUs; }
    std::vector<std::string> opened;
    bool opensWithUs = false;
};

class FakeNotifier : public DesktopNotifier {
  public:
    void Notify(const std::string& summary, const std::string& body) override {
        notes.push_back({summary, body});
    }
    std::vector<std::pair<std::string, std::string>> notes;
};

} // namespace

class Unit1Test : public QObject {
    Q_OBJECT

    TempFolder folder;
    FakeBoxes boxes;
    FakeChooser chooser;
    FakeShell shell;
    FakeNotifier notifier;
    std::string decoder;
    std::unique_ptr<TForm1> form;

    std::string Path(const std::string& name) const { return folder / name; }
    std::string Settings() const { return Path("brindlecot.ini"); }
    std::unique_ptr<TForm1> MakeForm(bool stayOnTopWorks = true) {
        return std::make_unique<TForm1>(WindowServices{boxes, chooser, shell,
                                                       [this] { return decoder; }, Settings(),
                                                       notifier, [] { return 2; }, stayOnTopWorks});
    }
    std::string AddSource(const std::string& name) {
        WriteFile(Path(name), Layer3Stream(16000));
        ::unlink((Path(name) + ".go").c_str()); // an earlier test's release and hold
        ::unlink((Path(name) + ".pid").c_str());
        form->List().Append(Path(name));
        return Path(name);
    }
    // Once item index is being converted and its held decoder holds, runs
    // action from the window's event handling, then lets the decoder go on,
    // unless told not to.
    void WhileConverting(int index, std::function<void()> action, bool release = true) {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection =
            QObject::connect(&form->List(), &QAbstractItemModel::dataChanged, form.get(),
                             [this, index, action, connection, release] {
                                 if (form->List().Count() <= index ||
                                     form->List().ItemAt(index).state != ItemState::Processing)
                                     return;
                                 QObject::disconnect(*connection);
                                 RunOnceHeld(form->List().ItemAt(index).caption, action, release);
                             });
    }
    void RunOnceHeld(const std::string& source, std::function<void()> action, bool release) {
        QTimer::singleShot(0, form.get(), [this, source, action, release] {
            if (::access((source + ".pid").c_str(), F_OK) != 0)
                return RunOnceHeld(source, action, release);
            action();
            if (release)
                WriteFile(source + ".go", "");
        });
    }

  private slots:
    void init() {
        boxes = FakeBoxes();
        chooser.choice.reset();
        chooser.realWith = nullptr;
        shell = FakeShell();
        notifier = FakeNotifier();
        decoder = PlaceStandInDecoder(folder.path());
        ::unlink(Settings().c_str());
        // An earlier test's WAVs would be files to replace, and a question.
        const QDir here(QString::fromStdString(folder.path()));
        for (const QString& wav : here.entryList({"*.wav"}, QDir::Files))
            QFile::remove(here.filePath(wav));
        form = MakeForm();
    }
    void cleanup() { form.reset(); }

    void layoutFollowsTheWindowDesign() {
        QCOMPARE(form->size(), QSize(383, 625));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->font().family(), QString("IPAPGothic"));
        QCOMPARE(form->Button2->geometry(), form->Button5->geometry());
        QVERIFY(form->Button5->isHidden());
        QCOMPARE(form->ListView1->selectionModel(), form->List().selectionModel());
        // Keyboard order from the list down to the always-on-top box.
        const std::vector<const QWidget*> expected = {
            form->ListView1, form->Button2, form->Button3,   form->Button1,  form->FileListBox1,
            form->Button4,   form->Button5, form->CheckBox1, form->CheckBox2};
        std::vector<const QWidget*> chain;
        const QWidget* at = form->ListView1;
        do {
            if (std::find(expected.begin(), expected.end(), at) != expected.end())
                chain.push_back(at);
            at = at->nextInFocusChain();
        } while (at != form->ListView1 && chain.size() < expected.size());
        QVERIFY(chain == expected);
        // Hints on three controls, and on the legend's six parts its whole.
        int hinted = 0;
        for (const QWidget* child : form->findChildren<QWidget*>())
            if (!child->toolTip().isEmpty())
                ++hinted;
        QCOMPARE(hinted, 9);
        // The read-only fields are white on the button-face window.
        for (QLabel* field : {form->Label1, form->Label5, form->Label6, form->Label7, form->Label8})
            QCOMPARE(field->grab().toImage().pixelColor(1, 1), QColor(Qt::white));
        QVERIFY(form->grab().toImage().pixelColor(2, 2) != QColor(Qt::white));
        QVERIFY(form->Label8->geometry().right() < form->width());
    }

    void batchRunsThroughTheButtons() {
        AddSource("a.mp3");
        const std::string held = AddSource("b-held.mp3");
        AddSource("c.mp3");
        bool busyStateSeen = false;
        int ticks = 0;
        // The second decoder is held until a tick has seen it at work.
        QObject::connect(form->Timer1, &QTimer::timeout, [&] {
            ++ticks;
            if (form->List().ItemAt(1).state != ItemState::Processing)
                return;
            busyStateSeen = form->Button2->isHidden() && !form->Button5->isHidden() &&
                            !form->Button3->isEnabled();
            WriteFile(held + ".go", "");
        });
        boxes.answer = ConfirmAnswer::Yes;
        form->Button2->click();

        QVERIFY(busyStateSeen);
        QVERIFY(ticks >= 1);
        QCOMPARE(form->ProgressBar1->value(), 100);
        QVERIFY(!form->Button2->isHidden());
        QVERIFY(form->Button5->isHidden());
        QVERIFY(form->Button3->isEnabled());
        QVERIFY(!form->Timer1->isActive());
        QCOMPARE(form->Label7->text().toStdString(), Path("c.wav"));
        QVERIFY(form->Label10->text().startsWith("Time:("));
        QCOMPARE(boxes.questions, std::vector<std::string>{"処理済みのリストを削除しますか？"});
        QCOMPARE(form->List().Count(), 0);
    }

    void failedItemsShowACrossAndTheirReason() {
        AddSource("ok.mp3");
        AddSource("fail.mp3");
        form->Button2->click();
        QCOMPARE(boxes.messages, std::vector<std::string>{
                                     "1件を変換しました\n1件のファイルを変換できませんでした"});
        const QModelIndex failed = form->List().index(1);
        QCOMPARE(failed.data(ProcessingList::StateRole).toInt(), 3);
        QCOMPARE(failed.data(Qt::ToolTipRole).toString(),
                 QString::fromStdString(Path("fail.mp3") + "\nCould not decode this file"));
        QVERIFY(!failed.data(Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(form->List().Count(), 2); // "the answer no keeps the list"
    }

    // The rows drawn quickly are the rows the style draws, pixel for pixel:
    // every state, short, long (shortened in the middle) and mixed-script
    // captions, the selected and the current row and the one under the
    // pointer, in the window's font and another, with the focus or without.
    void listRowsLookAsTheStyleDrawsThem() {
        const std::string names[] = {"a.mp3", "曲名 – 日本語のタイトル.mp3",
                                     std::string(120, 'x') + ".mp3", "ラジオ 한국어 العربية 😀.mp2",
                                     "\xff\xfe bytes.mpa"};
        for (const std::string& name : names)
            form->List().Append(Path(name));
        for (const std::string& name : names)
            form->List().Append("/" + name);
        form->List().SetState(1, ItemState::Processing);
        form->List().SetState(2, ItemState::Processed);
        form->List().SetFailed(3, "reason");
        form->List().SetKeptBack(4, "reason");
        form->List().Select(6);
        form->ListView1->setCurrentIndex(form->List().index(7));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QPointF over = form->ListView1->visualRect(form->List().index(1)).center();
        QHoverEvent hover(QEvent::HoverEnter, over, form->ListView1->viewport()->mapToGlobal(over),
                          QPointF(-1, -1));
        QCoreApplication::sendEvent(form->ListView1->viewport(), &hover);
        auto* quick = form->ListView1->itemDelegate();
        ListRowDelegate whole(nullptr, false);
        QFont other("DejaVu Sans");
        other.setPixelSize(15);
        for (const QFont& font : {form->ListView1->font(), other}) {
            form->ListView1->setFont(font);
            QCoreApplication::processEvents(); // the rows' new height laid out
            for (const bool focused : {false, true}) {
                if (focused)
                    form->ListView1->setFocus();
                const QImage drawnQuickly = form->ListView1->viewport()->grab().toImage();
                form->ListView1->setItemDelegate(&whole);
                const QImage drawnWhole = form->ListView1->viewport()->grab().toImage();
                form->ListView1->setItemDelegate(quick);
                QVERIFY(drawnQuickly == drawnWhole);
            }
        }
    }

    // 中断 appears under the pointer where 変換 was: a double-click on 変換
    // starts the batch and its second click does not stop it; a click once
    // the double-click interval has passed does.
    void aDoubleClickOnConvertDoesNotAbort() {
        QStyleHints* hints = QGuiApplication::styleHints();
        const int usual = hints->mouseDoubleClickInterval();
        const auto restore = qScopeGuard([&] { hints->setMouseDoubleClickInterval(usual); });
        hints->setMouseDoubleClickInterval(800);
        AddSource("a-held.mp3");
        AddSource("b.mp3");
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        bool abortedByTheDoubleClick = true;
        WhileConverting(0, [&] {
            QElapsedTimer shown;
            shown.start();
            // The second press of a double-click comes as a press and a double-click event.
            QTest::mousePress(form->Button5, Qt::LeftButton);
            QTest::mouseDClick(form->Button5, Qt::LeftButton);
            QTest::mouseRelease(form->Button5, Qt::LeftButton);
            abortedByTheDoubleClick = !form->Button5->isEnabled();
            QVERIFY(QTest::qWaitFor([&] { return shown.hasExpired(800); }, 5000));
            QTest::mouseClick(form->Button5, Qt::LeftButton);
        });
        QTest::mouseClick(form->Button2, Qt::LeftButton);
        QVERIFY(!abortedByTheDoubleClick);
        QCOMPARE(boxes.messages.at(0), std::string("中断しました"));
        QCOMPARE(form->List().ItemAt(0).state, ItemState::Processed);
        QCOMPARE(form->List().ItemAt(1).state, ItemState::Waiting);
    }

    void abortStopsAfterTheCurrentItem() {
        AddSource("a-held.mp3");
        AddSource("b.mp3");
        WhileConverting(0, [this] { form->Button5->click(); });
        form->Button2->click();
        QCOMPARE(form->List().ItemAt(0).state, ItemState::Processed);
        QCOMPARE(form->List().ItemAt(1).state, ItemState::Waiting);
        QCOMPARE(boxes.messages.at(0), std::string("中断しました"));
        QCOMPARE(boxes.questions.size(), std::size_t(1));
    }

    void closingDuringABatchLetsItFinishWithoutQuestions() {
        form->show();
        AddSource("a-held.mp3");
        AddSource("b.mp3");
        AddSource("c.mp3");
        bool taken = true;
        WhileConverting(0, [this, &taken] {
            form->close();
            taken = form->TakeHandedOverPaths({Path("c.mp3")});
        });
        boxes.answer = ConfirmAnswer::Yes;
        form->Button2->click();
        QVERIFY2(!taken, "a closing window takes no files: their start opens its own window");
        QVERIFY2(form->isVisible(), "the window stays while the batch ends");
        for (int i = 0; i < 3; ++i)
            QCOMPARE(form->List().ItemAt(i).state, ItemState::Processed);
        QVERIFY(boxes.questions.empty());
        QCOMPARE(form->List().Count(), 3);
        QTRY_VERIFY(!form->isVisible());
        form.reset();
        QCOMPARE(QString::fromStdString(ReadFile(Settings())), QString("[front]\r\nOn\r\n"));
    }

    void aCloseDuringABatchStillTellsOfFailures() {
        form->show();
        AddSource("a-held.mp3");
        AddSource("fail.mp3");
        WhileConverting(0, [this] { form->close(); });
        form->Button2->click();
        QCOMPARE(boxes.messages, std::vector<std::string>{
                                     "1件を変換しました\n1件のファイルを変換できませんでした"});
        QVERIFY(boxes.questions.empty());
        QTRY_VERIFY(!form->isVisible());
    }

    // A second close, or a signal to end, while a decoder that never ends
    // runs; a second close also while the real chooser waits in its loop,
    // above the batch's, which ends only once the chooser is closed.
    void aSecondCloseOrASignalStopsAtOnceLeavingNothing() {
        for (const int way : {0, 1, 2}) {
            form = MakeForm();
            boxes = FakeBoxes();
            chooser.realWith = way == 2 ? &boxes : nullptr;
            form->show();
            const std::string held = AddSource("c-held.mp3");
            AddSource("b.mp3");
            ::unlink((held + ".pid").c_str());
            WhileConverting(
                0,
                [this, way] {
                    if (way == 1)
                        return form->StopAndClose();
                    QTimer::singleShot(0, form.get(), [this] {
                        form->close();
                        form->close();
                    });
                    if (way == 2)
                        form->Button1->click();
                },
                false);
            QElapsedTimer clock;
            clock.start();
            form->Button2->click();
            QVERIFY(clock.elapsed() < 20000);
            QTRY_VERIFY(!form->isVisible());

            const pid_t pid = std::stoi(ReadFile(held + ".pid"));
            QVERIFY2(::kill(pid, 0) == -1 && errno == ESRCH, "the decoder is gone");
            const QStringList left = QDir(QString::fromStdString(folder.path()))
                                         .entryList(QDir::Files | QDir::Hidden | QDir::System);
            for (const QString& name : left)
                QVERIFY2(!name.startsWith(".") && !name.endsWith(".wav"), qPrintable(name));
            QCOMPARE(form->List().ItemAt(1).state, ItemState::Waiting);
            QVERIFY(boxes.messages.empty() && boxes.questions.empty());
            form.reset();
            QCOMPARE(QString::fromStdString(ReadFile(Settings())), QString("[front]\r\nOn\r\n"));
            ::unlink(Settings().c_str());
        }
    }

    // The last tick may come before the decoder is done, or not at all.
    void anItemEndsShowingItsFinishedWav() {
        AddSource("a.mp3");
        AddSource("b-large.mp3");
        form->Button2->click();
        QCOMPARE(form->List().ItemAt(1).state, ItemState::Processed);
        QCOMPARE(form->Label6->text(), QString("1953 KB")); // 2,000,044 bytes
        QCOMPARE(form->ProgressBar2->value(), 100);
    }

    void aCloseDuringABatchThatEndsInAnErrorStillCloses() {
        form->show();
        AddSource("a-held.mp3");
        form->List().Append(Path("gone.mp3"));
        WhileConverting(0, [this] { form->close(); });
        form->Button2->click();
        QCOMPARE(boxes.errors.size(), std::size_t(1));
        QVERIFY(!form->BatchRunning());
        QTRY_VERIFY(!form->isVisible());
    }

    void progressTimerFollowsTheOutputFile() {
        const std::string out = Path("out.wav");
        form->Label6->setText("old");
        form->ProgressBar2->setValue(7);
        auto& state = const_cast<ConversionState&>(form->Conversion());
        state.OutputPath = AsPath(out);
        state.ExpectedWavSize = 4096;
        form->Timer1Timer();
        QCOMPARE(form->Label6->text(), QString("old")); // "nothing changes while it is absent"
        QCOMPARE(form->ProgressBar2->value(), 7);
        WriteFile(out, std::string(3072, 'x'));
        form->Timer1Timer();
        QCOMPARE(form->Label6->text(), QString("3 KB"));
        QCOMPARE(form->ProgressBar2->value(), 75);
        state.ExpectedWavSize = 0;
        form->Timer1Timer();
        QCOMPARE(form->ProgressBar2->value(), 0);
    }

    void settingsAreReadAtCreationAndWrittenAtDestruction() {
        form.reset();
        WriteFile(Settings(), "[front]\r\nOff\r\n");
        form = MakeForm();
        QVERIFY(!form->CheckBox2->isChecked());
        QVERIFY(!(form->windowFlags() & Qt::WindowStaysOnTopHint));
        form->CheckBox2->setChecked(true);
        form.reset();
        QCOMPARE(QString::fromStdString(ReadFile(Settings())), QString("[front]\r\nOn\r\n"));

        WriteFile(Settings(), "[front]\r\non\r\n");
        form = MakeForm();
        QVERIFY(!form->CheckBox2->isChecked());
        form.reset();
        QCOMPARE(QString::fromStdString(ReadFile(Settings())), QString("[front]\r\nOff\r\n"));
        QVERIFY(boxes.errors.empty());
    }

    void aFolderInPlaceOfTheSettingsFileFailsOnlyAtExit() {
        form.reset();
        ::unlink(Settings().c_str());
        ::mkdir(Settings().c_str(), 0755);
        form = MakeForm();
        QVERIFY(form->CheckBox2->isChecked());
        QVERIFY(boxes.errors.empty());
        form.reset();
        QCOMPARE(boxes.errors.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(boxes.errors[0]).contains("brindlecot.ini"));
        ::rmdir(Settings().c_str());
    }

    // A file beside the program that was passed over for the user's own is
    // told at close, once the user's is written.
    void aSettingsFilePassedOverIsToldAtClose() {
        form.reset();
        WindowServices services{boxes, chooser, shell, [this] { return decoder; }, Settings()};
        services.settingsPassedOver =
            "設定ファイルを書けません: \"/x/brindlecot.ini\" (Is a directory)";
        form = std::make_unique<TForm1>(services);
        form.reset();
        QCOMPARE(boxes.errors, std::vector<std::string>{ErrorBoxText(services.settingsPassedOver)});
        QCOMPARE(QString::fromStdString(ReadFile(Settings())), QString("[front]\r\nOn\r\n"));
    }

    // The first close over the question before a batch is only noted; the
    // second closes it as its Escape would, and the window with it.
    void aSecondCloseOverAQuestionClosesItAndTheWindow() {
        form->show();
        AddSource("a.mp3");
        WriteFile(Path("a.wav"), "a user's own");
        int closedByTheFirst = -1;
        boxes.decide = [this, &closedByTheFirst](const std::string&) {
            form->close();
            closedByTheFirst = boxes.closedOpen;
            form->close();
            return ConfirmAnswer::No; // as its Escape
        };
        form->Button2->click();
        QCOMPARE(closedByTheFirst, 0);
        QCOMPARE(boxes.closedOpen, 1);
        QCOMPARE(boxes.questions.size(), std::size_t(1));
        QTRY_VERIFY(!form->isVisible());
        QCOMPARE(form->List().ItemAt(0).state, ItemState::Waiting); // a.wav as it was
    }

    void stayOnTopChangesWithoutMovingOrLosingDrops() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QRect before = form->geometry();
        form->CheckBox2->setChecked(false);
        QVERIFY(form->isVisible());
        QCOMPARE(form->geometry(), before);
        QVERIFY(!(form->windowHandle()->flags() & Qt::WindowStaysOnTopHint));
        QVERIFY(form->acceptDrops());
        form->CheckBox2->setChecked(true);
        QVERIFY(form->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    }

    void theDecoderCheckRunsOnceAndClosesTheWindow() {
        decoder = Path("missing-lame");
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        QTRY_COMPARE(boxes.messages.size(), std::size_t(1));
        QCOMPARE(boxes.messages[0],
                 decoder +
                     "がありません。\r\nbrindlecotがあるフォルダかPATHにlameを置いてください");
        QTRY_VERIFY(!form->isVisible());
        form->show();
        form->activateWindow();
        QTRY_VERIFY(form->isActiveWindow());
        // The check would be posted by the activation; let anything posted run.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(boxes.messages.size(), std::size_t(1));
    }

    void listCommandsAndTheirGuards() {
        for (const char* name : {"1.mp3", "2.mp3", "3.mp3", "4.mp3"})
            AddSource(name);
        ProcessingList& list = form->List();
        form->N1Click();
        QVERIFY2(shell.opened.empty(), "nothing selected, nothing played");

        list.Select(0);
        list.selectionModel()->setCurrentIndex(list.index(1), QItemSelectionModel::NoUpdate);
        form->N1Click();
        QCOMPARE(shell.opened, std::vector<std::string>{"file://" + Path("2.mp3")});

        list.Select(2);
        list.Select(3);
        form->Delete1Click();
        QCOMPARE(list.Count(), 1);
        QCOMPARE(list.ItemAt(0).caption, Path("2.mp3"));

        form->Label8Click();
        QCOMPARE(shell.opened.back(), std::string(TForm1::kHomePage));
    }

    void aClickShowsTheFocusedItemsLineOrTheError() {
        AddSource("a.mp3");
        form->List().Append(Path("gone.mp3"));
        ProcessingList& list = form->List();
        list.selectionModel()->setCurrentIndex(list.index(0), QItemSelectionModel::NoUpdate);
        form->ListView1Click();
        const QString line = form->Label10->text();
        QVERIFY(line.contains("Layer III"));
        list.selectionModel()->setCurrentIndex(list.index(1), QItemSelectionModel::NoUpdate);
        form->show();
        QTest::mouseClick(form->ListView1->viewport(), Qt::LeftButton, {},
                          form->ListView1->visualRect(list.index(1)).center());
        QCOMPARE(boxes.errors.size(), std::size_t(1));
        // The message ends in ")", whose code is below ".", so no "." is added.
        QVERIFY2(QString::fromStdString(boxes.errors[0]).endsWith("directory)"),
                 boxes.errors[0].c_str());
        QCOMPARE(form->Label10->text(), line);
    }

    void clearIsDisabledDuringABatchButDeleteWorks() {
        AddSource("a-held.mp3");
        AddSource("b.mp3");
        AddSource("c.mp3");
        WhileConverting(0, [this] {
            form->Button3->click(); // disabled: nothing happens
            form->List().Select(2);
            form->Delete1Click();
        });
        form->Button2->click();
        QCOMPARE(form->List().Count(), 2);
        QCOMPARE(form->List().ItemAt(1).state, ItemState::Processed);
    }

    // Decoders far quicker than a dispatch step: a click is still taken
    // between two items (item 48 is ticked once item 49 runs), and what the
    // batch showed last is drawn at its end.
    void quickItemsLeaveTheWindowItsEvents() {
        for (int i = 0; i < 200; ++i)
            AddSource("q" + std::to_string(i) + ".mp3");
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QObject::connect(&form->List(), &QAbstractItemModel::dataChanged, form.get(), [&] {
            if (form->List().ItemAt(48).state == ItemState::Processed && !boxes.messages.size())
                QMetaObject::invokeMethod(form->Button5, &QPushButton::click, Qt::QueuedConnection);
        });
        form->Button2->click();
        QCOMPARE(boxes.messages.at(0), std::string("中断しました"));
        QCOMPARE(form->List().ItemAt(50).state, ItemState::Waiting);
        QCOMPARE(form->ProgressBar1->value(), 25);
        const QRect next = form->ListView1->visualRect(form->List().index(50));
        QVERIFY(form->ListView1->viewport()->rect().contains(next));
    }

    // What the window drew bit by bit during a batch, each row's new state
    // alone and the list scrolled or not, is what it would draw afresh.
    void aBatchLeavesTheListDrawnAsItIs() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const auto drawnAsItIs = [this] {
            QCoreApplication::sendPostedEvents(); // the batch's last frame
            QWidget* rows = form->ListView1->viewport();
            const QPoint at = rows->mapTo(form.get(), QPoint());
            const QImage onScreen =
                form->screen()
                    ->grabWindow(form->winId(), at.x(), at.y(), rows->width(), rows->height())
                    .toImage();
            return onScreen.convertToFormat(QImage::Format_RGB32) ==
                   rows->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        // Drawn once with the second item converting, then only as states change.
        for (const char* name : {"a.mp3", "b-held.mp3", "c.mp3"})
            AddSource(name);
        WhileConverting(
            1, [this] { QTRY_COMPARE(form->Label7->text(), DisplayText(Path("b-held.wav"))); });
        form->Button2->click();
        QVERIFY(drawnAsItIs());
        form->Button3->click();
        for (int i = 0; i < 60; ++i)
            AddSource("q" + std::to_string(i) + ".mp3");
        form->Button2->click();
        QVERIFY(drawnAsItIs());
    }

    void dropsFillTheList() {
        const std::string sub = Path("drop");
        ::mkdir(sub.c_str(), 0755);
        ::mkdir((sub + "/inner").c_str(), 0755);
        ::mkdir((sub + "/album.mp3").c_str(), 0755);
        WriteFile(sub + "/x.mp3", "");
        WriteFile(sub + "/inner/y.MP2", "");
        WriteFile(sub + "/album.mp3/z.mpa", "");
        WriteFile(sub + "/z.wav", "");
        WriteFile(Path("single.MP3"), "");
        const auto drop = [&](const std::string& uris) {
            QMimeData data;
            data.setData("text/uri-list", QByteArray::fromStdString(uris));
            QDragEnterEvent enter(QPoint(200, 250), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(form.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent event(QPointF(200, 250), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(form.get(), &event);
        };
        const auto captions = [&] {
            std::multiset<std::string> all;
            for (int i = 0; i < form->List().Count(); ++i)
                all.insert(form->List().ItemAt(i).caption);
            return all;
        };

        drop("file://" + Path("single.MP3") + "\r\nfile://localhost" + Path("drop/z.wav") + "\r\n");
        QCOMPARE(form->List().Count(), 1);
        QCOMPARE(form->List().ItemAt(0).caption, Path("single.MP3"));

        form->Button3Click();
        drop("# a comment\r\nfile://" + sub + "\r\n");
        QCOMPARE(captions(), (std::multiset<std::string>{sub + "/x.mp3", sub + "/inner/y.MP2",
                                                         sub + "/album.mp3/z.mpa"}));

        form->Button3Click();
        form->CheckBox1->setChecked(false);
        drop("file://" + sub + "/album.mp3\n");
        // A folder named like a file is both an item and searched.
        QCOMPARE(captions(),
                 (std::multiset<std::string>{sub + "/album.mp3", sub + "/album.mp3/z.mpa"}));
        form->Button3Click();
        drop("file://" + sub + "\n");
        QCOMPARE(captions(), std::multiset<std::string>{sub + "/x.mp3"});
    }

    void foldersAreChosenForSourceAndDestination() {
        const std::string source = Path("src");
        ::mkdir(source.c_str(), 0755);
        WriteFile(source + "/B.MP3", "");
        WriteFile(source + "/a.mpa", "");
        WriteFile(source + "/c.txt", "");
        chooser.choice = source;
        form->Button1Click();
        QCOMPARE(form->FileListBox1->count(), 2);
        QCOMPARE(form->FileListBox1->item(0)->text(), QString("a.mpa"));
        form->FileListBox1->setCurrentRow(1);
        form->FileListBox1DblClick();
        form->FileListBox1DblClick();
        QCOMPARE(form->List().Count(), 2);
        QCOMPARE(form->List().ItemAt(0).caption, source + "/B.MP3");

        chooser.choice.reset();
        form->Button1Click();
        QCOMPARE(form->Label1->text(), QString());
        QCOMPARE(form->FileListBox1->count(), 2); // "a cancelled choice keeps the list"

        chooser.choice = folder.path();
        form->Button4Click();
        QCOMPARE(form->Destination(), folder.path() + "/");
        chooser.choice = "/";
        form->Button4Click();
        QCOMPARE(form->Destination(), std::string("/"));
        chooser.choice.reset();
        form->Button4Click();
        QCOMPARE(form->Destination(), std::string());
        QVERIFY(boxes.errors.empty());
    }

    void foldersDifferingOnlyInCaseAreTwoFolders() {
        ::mkdir(Path("Music").c_str(), 0755);
        ::mkdir(Path("music").c_str(), 0755);
        WriteFile(Path("Music/upper.mp3"), "");
        WriteFile(Path("music/lower.mp3"), "");
        chooser.choice = Path("Music");
        form->Button1Click();
        chooser.choice = Path("music");
        form->Button1Click();
        QCOMPARE(form->SourceFolder(), Path("music"));
        QCOMPARE(form->FileListBox1->count(), 1);
        QCOMPARE(form->FileListBox1->item(0)->text(), QString("lower.mp3"));
        QVERIFY(SameFile(".", Path("music")));
    }

    void anItemStartsWithAnEmptySizeAndAnAbortShowsAtOnce() {
        AddSource("a-held.mp3");
        form->Label6->setText("1860558 KB");
        form->ProgressBar2->setValue(77);
        QVERIFY(!form->Label6->wordWrap());
        QString sizeText = "unseen";
        int fileProgress = -1;
        WhileConverting(0, [&] {
            // Empty, or a tick's size of the new output: never the old file's.
            sizeText = form->Label6->text();
            fileProgress = form->ProgressBar2->value();
            form->Button5->click();
            QVERIFY(!form->Button5->isHidden() && !form->Button5->isEnabled());
            QCOMPARE(form->Button5->text(), QString("中断"));
        });
        form->Button2->click();
        QVERIFY(sizeText != "unseen" && sizeText != "1860558 KB");
        QVERIFY(fileProgress >= 0 && fileProgress != 77);
        QCOMPARE(boxes.messages, std::vector<std::string>{"中断しました"});
        QVERIFY(form->Button5->isHidden());
        QVERIFY(form->Button5->isEnabled());
        // The window is elsewhere, but a user who aborted needs no word of the end.
        QVERIFY(!form->isActiveWindow() && notifier.notes.empty());
    }

    void aBatchEndingUnseenTellsTheDesktop() {
        AddSource("one.mp3");
        AddSource("fail.mp3");
        QVERIFY(!form->isActiveWindow());
        form->Button2Click();
        QCOMPARE(notifier.notes.size(), std::size_t(1));
        QCOMPARE(notifier.notes[0].first, std::string("変換が終わりました"));
        QCOMPARE(notifier.notes[0].second,
                 std::string("1件を変換しました\n1件のファイルを変換できませんでした"));
        // The boxes come as ever, after the word.
        QCOMPARE(boxes.messages.size(), std::size_t(1));

        // The user at the window needs no word.
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        AddSource("two.mp3");
        form->Button2Click();
        QCOMPARE(notifier.notes.size(), std::size_t(1));
    }

    void theInformationLineIsWholeInItsLabel() {
        const QRect place = form->Label10->geometry();
        for (const QString& line :
             {QString("Time:(3M 25S)Version 1 Layer III 44100Hz 128bps Joint Stereo"),
              QString("Time:(999M 59S)Version 1 Layer III 48000Hz 320bps Dual channel"),
              QString("Time:(999M 59S)Version 2.5 Reserved 11025Hz ビットレート不明 Dual channel"),
              QString("Time:(999M 59S)Reserved Reserved 44100Hz Bitrate unknown Dual channel"),
              QString("Time:(0M 0S)Version 1 Layer I 44100Hz 32bps Mono")}) {
            form->ShowInformationLine(line);
            const QFontMetrics metrics(form->Label10->font());
            QVERIFY2(metrics.horizontalAdvance(line) <= place.width(), qPrintable(line));
            QVERIFY2(metrics.height() <= place.height(), qPrintable(line));
            QCOMPARE(form->Label10->text(), line);
            QCOMPARE(form->Label10->toolTip(), line);
            QCOMPARE(form->Label10->geometry(), place);
        }
    }

    void theMenuOpensTheOutputFolder() {
        form->List().Append(Path("in/a.mp3"));
        emit form->ListView1->customContextMenuRequested(QPoint(1, 1));
        QVERIFY(!form->N2->isEnabled());
        form->PopupMenu1->hide();

        form->List().selectionModel()->setCurrentIndex(form->List().index(0),
                                                       QItemSelectionModel::ClearAndSelect);
        emit form->ListView1->customContextMenuRequested(QPoint(1, 1));
        QVERIFY(form->N2->isEnabled());
        form->PopupMenu1->hide();
        form->N2->trigger();
        chooser.choice = Path("out");
        form->Button4Click();
        form->N2->trigger();
        QCOMPARE(shell.opened,
                 (std::vector<std::string>{"file://" + Path("in"), "file://" + Path("out")}));
    }

    void playNeverHandsTheFileBackToThisProgram() {
        form->List().Append(Path("a.mp3"));
        form->List().selectionModel()->setCurrentIndex(form->List().index(0),
                                                       QItemSelectionModel::ClearAndSelect);
        shell.opensWithUs = true;
        form->N1Click();
        QVERIFY(shell.opened.empty());
        QCOMPARE(boxes.messages, std::vector<std::string>{"再生できるプログラムが見つかりません"});
        shell.opensWithUs = false;
        form->N1Click();
        QCOMPARE(shell.opened, std::vector<std::string>{"file://" + Path("a.mp3")});
    }

    void handedOverPathsAreTakenInAndTheWindowComesForward() {
        const std::string file = AddSource("x.mp3");
        form->List().Clear();
        form->showMinimized();
        form->TakeHandedOverPaths({file});
        QCOMPARE(form->List().Count(), 1);
        QVERIFY(form->isVisible());
        QVERIFY(!(form->windowState() & Qt::WindowMinimized));
    }

    // Where the window system can't keep a window on top, the box says so and
    // the setting stays as it was saved.
    void withoutStayOnTopTheBoxIsDisabledAndItsSettingKept() {
        WriteFile(Settings(), "[front]\r\nOff\r\n");
        form = MakeForm(false);
        QVERIFY(!form->CheckBox2->isEnabled());
        QVERIFY(form->CheckBox2->toolTip().contains("Keep Above"));
        form.reset();
        QCOMPARE(QString::fromStdString(ReadFile(Settings())), QString("[front]\r\nOff\r\n"));
    }

    void theSeveralAtOnceBoxIsKeptAndFixedDuringABatch() {
        QCOMPARE(form->CheckBox3->geometry(), QRect(8, 8, 233, 17));
        QCOMPARE(form->CheckBox3->text(), QString("複数のファイルを同時に変換する"));
        QVERIFY(!form->CheckBox3->isChecked());
        // The Tab key goes from the always-on-top box to this one.
        const QWidget* next = form->CheckBox2->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QCOMPARE(next, form->CheckBox3);

        AddSource("a-held.mp3");
        bool fixedMeanwhile = false;
        WhileConverting(0, [&] { fixedMeanwhile = !form->CheckBox3->isEnabled(); });
        form->Button2->click();
        QVERIFY(fixedMeanwhile);
        QVERIFY(form->CheckBox3->isEnabled());

        // Checked, two decoders run at once; a close lets the batch go on to its end, as unchecked.
        form->List().Clear();
        boxes.questions.clear();
        form->show();
        form->CheckBox3->setChecked(true);
        AddSource("d-held.mp3");
        const std::string second = AddSource("e-held.mp3");
        AddSource("f.mp3");
        bool bothRunning = false;
        WhileConverting(0, [&] {
            bothRunning = form->List().ItemAt(1).state == ItemState::Processing;
            form->close();
            WriteFile(second + ".go", "");
        });
        form->Button2->click();
        QVERIFY(bothRunning);
        QCOMPARE(form->List().ItemAt(0).state, ItemState::Processed);
        QCOMPARE(form->List().ItemAt(1).state, ItemState::Processed);
        QCOMPARE(form->List().ItemAt(2).state, ItemState::Processed);
        QVERIFY(boxes.questions.empty());
        QTRY_VERIFY(!form->isVisible());

        form->CheckBox3->setChecked(true);
        form.reset();
        QCOMPARE(QString::fromStdString(ReadFile(Settings())),
                 QString("[front]\r\nOn\r\n[parallel]\r\nOn\r\n"));
        form = MakeForm();
        QVERIFY(form->CheckBox3->isChecked());
        QVERIFY(form->CheckBox2->isChecked());
        form->CheckBox3->setChecked(false);
        form.reset();
        QCOMPARE(QString::fromStdString(ReadFile(Settings())), QString("[front]\r\nOn\r\n"));
        QVERIFY(boxes.errors.empty());
    }
};

QTEST_MAIN(Unit1Test)
#include "Unit1_test.moc"
