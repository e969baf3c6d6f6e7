// The main window, offscreen, with its boxes, chooser and shell replaced.
#include "Unit1.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QWindow>
#include <QtTest>

#include <fstream>
#include <functional>
#include <set>
#include <sys/stat.h>

namespace {

class FakeBoxes : public WindowBoxes {
  public:
    void Message(const std::string& text) override {
        messages.push_back(text);
        if (onBox)
            onBox();
    }
    ConfirmAnswer Confirm(const std::string& text, ConfirmButtons) override {
        questions.push_back(text);
        return answer;
    }
    void Error(const std::string& text) override { errors.push_back(text); }
    std::vector<std::string> messages, questions, errors;
    ConfirmAnswer answer = ConfirmAnswer::No;
    std::function<void()> onBox;
};

class FakeChooser : public FolderChooser {
  public:
    void SelectFolder(const std::string&, std::string& result) override {
        if (choice)
            result = *choice;
    }
    std::optional<std::string> choice;
};

class FakeShell : public DesktopShell {
  public:
    void Open(const std::string& what) override { opened.push_back(what); }
    std::vector<std::string> opened;
};

void WriteFile(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    ::chmod(path.c_str(), mode);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An MPEG-1 Layer III header, 128 kbit/s, 44.1 kHz, then silence.
std::string Layer3Bytes() {
    return std::string("\xFF\xFB\x90\x44", 4) + std::string(16000, '\0');
}

// Writes its output in steps, so the progress timer sees it grow; fails on "fail".
const char* const kFakeDecoder = R"(#!/bin/sh
for last; do :; done
eval src=\${$(($# - 1))}
case "$src" in *fail*) echo "cannot decode" >&2; exit 2 ;; esac
printf 'RIFF' > "$last"
case "$src" in *slow*) sleep 0.7 ;; esac
head -c 8000 /dev/zero >> "$last"
)";

} // namespace

class Unit1Test : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    FakeBoxes boxes;
    FakeChooser chooser;
    FakeShell shell;
    std::string decoder;
    std::unique_ptr<TForm1> form;

    std::string Path(const std::string& name) const {
        return folder.path().toStdString() + "/" + name;
    }
    std::string Settings() const { return Path("brindlecot.ini"); }
    std::unique_ptr<TForm1> MakeForm() {
        return std::make_unique<TForm1>(
            WindowServices{boxes, chooser, shell, [this] { return decoder; }, Settings()});
    }
    std::string AddSource(const std::string& name) {
        WriteFile(Path(name), Layer3Bytes());
        form->List().Append(Path(name));
        return Path(name);
    }

  private slots:
    void init() {
        boxes = FakeBoxes();
        chooser.choice.reset();
        shell.opened.clear();
        decoder = Path("lame");
        WriteFile(decoder, kFakeDecoder, 0755);
        ::unlink(Settings().c_str());
        form = MakeForm();
    }
    void cleanup() { form.reset(); }

    void layoutFollowsTheWindowDesign() {
        QCOMPARE(form->windowTitle(), QString("brindlecot v1.04"));
        QCOMPARE(form->size(), QSize(383, 625));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->font().family(), QString("IPAPGothic"));
        QCOMPARE(form->font().pixelSize(), 12);
        QCOMPARE(form->ListView1->geometry(), QRect(8, 144, 369, 209));
        QCOMPARE(form->Button2->geometry(), form->Button5->geometry());
        QCOMPARE(form->Label5->parentWidget(), form->GroupBox2);
        QCOMPARE(form->ProgressBar2->geometry(), QRect(72, 32, 281, 9));
        QCOMPARE(form->Button2->text(), QString("変換"));
        QVERIFY(form->Button5->isHidden());
        QVERIFY(form->CheckBox1->isChecked());
        QVERIFY(form->CheckBox2->isChecked());
        QCOMPARE(form->GroupBox4->title(), QString("処理/選択中のMPEG Audio情報"));
        QCOMPARE(form->ListView1->model()->headerData(0, Qt::Horizontal).toString(),
                 QString("処理リスト(mpa,mp2,mp3)"));
        QCOMPARE(form->ListView1->selectionModel(), form->List().selectionModel());
        QCOMPARE(form->Timer1->interval(), 500);
        QVERIFY(!form->Timer1->isActive());
        QCOMPARE(form->Label8->text(), QString(TForm1::kHomePage));
        // Hints on three controls only.
        int hinted = 0;
        for (const QWidget* child : form->findChildren<QWidget*>())
            if (!child->toolTip().isEmpty())
                ++hinted;
        QCOMPARE(hinted, 3);
        QCOMPARE(form->Button3->toolTip(), QString("リスト内をクリアします"));
        // The read-only fields are white on the button-face window.
        for (QLabel* field : {form->Label1, form->Label5, form->Label6, form->Label7, form->Label8})
            QCOMPARE(field->grab().toImage().pixelColor(1, 1), QColor(Qt::white));
        QVERIFY(form->grab().toImage().pixelColor(2, 2) != QColor(Qt::white));
        QCOMPARE(form->Label8->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(form->Label8->geometry().right() < form->width());
    }

    void batchRunsThroughTheButtons() {
        AddSource("a.mp3");
        AddSource("b-slow.mp3");
        AddSource("c.mp3");
        bool busyStateSeen = false;
        int ticks = 0;
        QObject::connect(form->Timer1, &QTimer::timeout, [&] {
            ++ticks;
            busyStateSeen = form->Button2->isHidden() && !form->Button5->isHidden() &&
                            !form->Button3->isEnabled() &&
                            form->List().ItemAt(1).state == ItemState::Processing;
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
        QCOMPARE(boxes.messages, std::vector<std::string>{"1件のファイルを変換できませんでした"});
        const QModelIndex failed = form->List().index(1);
        QCOMPARE(failed.data(ProcessingList::StateRole).toInt(), 3);
        QCOMPARE(failed.data(Qt::ToolTipRole).toString(), QString("cannot decode"));
        QVERIFY(!failed.data(Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(form->List().Count(), 2); // "the answer no keeps the list"
    }

    void abortStopsAfterTheCurrentItem() {
        AddSource("a-slow.mp3");
        AddSource("b.mp3");
        QTimer::singleShot(200, form->Button5, &QPushButton::click);
        form->Button2->click();
        QCOMPARE(form->List().ItemAt(0).state, ItemState::Processed);
        QCOMPARE(form->List().ItemAt(1).state, ItemState::Waiting);
        QCOMPARE(boxes.messages, std::vector<std::string>{"中断しました"});
        QCOMPARE(boxes.questions.size(), std::size_t(1));
    }

    void closingDuringABatchLetsItFinishWithoutQuestions() {
        form->show();
        AddSource("a-slow.mp3");
        AddSource("b.mp3");
        AddSource("c.mp3");
        QTimer::singleShot(200, form.get(), &QWidget::close);
        boxes.answer = ConfirmAnswer::Yes;
        form->Button2->click();
        QVERIFY2(form->isVisible(), "the window stays while the batch ends");
        for (int i = 0; i < 3; ++i)
            QCOMPARE(form->List().ItemAt(i).state, ItemState::Processed);
        QVERIFY(boxes.questions.empty());
        QCOMPARE(form->List().Count(), 3);
        QTRY_VERIFY(!form->isVisible());
        form.reset();
        QCOMPARE(QString::fromStdString(ReadFile(Settings())), QString("[front]\r\nOn\r\n"));
    }

    void aCloseDuringABatchThatEndsInAnErrorStillCloses() {
        form->show();
        AddSource("a-slow.mp3");
        form->List().Append(Path("gone.mp3"));
        QTimer::singleShot(200, form.get(), &QWidget::close);
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
        state.OutputPath = out;
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
                 decoder + "がありません。\r\nbrindlecotがあるフォルダにlameを置いてください");
        QTRY_VERIFY(!form->isVisible());
        form->show();
        form->activateWindow();
        QTest::qWait(50);
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
        QCOMPARE(shell.opened, std::vector<std::string>{Path("2.mp3")});

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
        AddSource("a-slow.mp3");
        AddSource("b.mp3");
        AddSource("c.mp3");
        QTimer::singleShot(200, [&] {
            form->Button3->click(); // disabled: nothing happens
            form->List().Select(2);
            form->Delete1Click();
        });
        form->Button2->click();
        QCOMPARE(form->List().Count(), 2);
        QCOMPARE(form->List().ItemAt(1).state, ItemState::Processed);
    }

    // Decoders far quicker than a dispatch step: a click is still taken
    // between two items, and what the batch showed last is drawn at its end.
    void quickItemsLeaveTheWindowItsEvents() {
        for (int i = 0; i < 200; ++i)
            AddSource("q" + std::to_string(i) + ".mp3");
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QObject::connect(&form->List(), &QAbstractItemModel::dataChanged, form.get(), [&] {
            if (form->List().ItemAt(49).state == ItemState::Processed && !boxes.messages.size())
                QMetaObject::invokeMethod(form->Button5, &QPushButton::click, Qt::QueuedConnection);
        });
        form->Button2->click();
        QCOMPARE(boxes.messages, std::vector<std::string>{"中断しました"});
        QCOMPARE(form->List().ItemAt(50).state, ItemState::Waiting);
        QCOMPARE(form->ProgressBar1->value(), 25);
        const QRect next = form->ListView1->visualRect(form->List().index(50));
        QVERIFY(form->ListView1->viewport()->rect().contains(next));
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

        chooser.choice = folder.path().toStdString();
        form->Button4Click();
        QCOMPARE(form->Destination(), folder.path().toStdString() + "/");
        chooser.choice = "/";
        form->Button4Click();
        QCOMPARE(form->Destination(), std::string("/"));
        chooser.choice.reset();
        form->Button4Click();
        QCOMPARE(form->Destination(), std::string());
        QVERIFY(boxes.errors.empty());
    }
};

QTEST_MAIN(Unit1Test)
#include "Unit1_test.moc"
