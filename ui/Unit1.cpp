// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Unit1.h"

#include "accessible_label.h"
#include "command_line.h"
#include "folder_scan.h"
#include "fs.h"
#include "mpeg_header.h"
#include "progress_monitor.h"
#include "qt_services.h"
#include "settings.h"
#include "text.h"

#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QStyleHints>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QWindow>

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace {

constexpr auto kUriList = "text/uri-list";

// Keys that act only while control itself has the focus.
QShortcut* WidgetKeys(QWidget* control, std::initializer_list<Qt::Key> keys) {
    auto* shortcut = new QShortcut(control);
    shortcut->setKeys(QList<QKeySequence>(keys.begin(), keys.end()));
    shortcut->setContext(Qt::WidgetShortcut);
    return shortcut;
}

} // namespace

TForm1::TForm1(WindowServices services)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      services_(std::move(services)), gatedBoxes_(services_.boxes, closeRequested_),
      batch_(list_, conversion_, *this, gatedBoxes_, services_.decoderPath) {
    CreateControls();
    ConnectHandlers();
    // The window manager's closes reach us over a modal box too.
    closeWhileBlocked_ = std::make_unique<CloseWhileBlocked>(*this);
    batch_.UseSpeedTricks(services_.speedTricks);
    FormCreate();
}

TForm1::~TForm1() {
    FormDestroy();
}

void TForm1::ConnectHandlers() {
    connect(Button1, &QPushButton::clicked, this, [this] { Handle([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { Handle([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { Handle([this] { Button3Click(); }); });
    connect(Button4, &QPushButton::clicked, this, [this] { Handle([this] { Button4Click(); }); });
    connect(Button5, &QPushButton::clicked, this, [this] { Handle([this] { Button5Click(); }); });
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this,
            [this] { Handle([this] { FileListBox1DblClick(); }); });
    connect(N1, &QAction::triggered, this, [this] { Handle([this] { N1Click(); }); });
    connect(Delete1, &QAction::triggered, this, [this] { Handle([this] { Delete1Click(); }); });
    connect(N2, &QAction::triggered, this, [this] { Handle([this] { N2Click(); }); });
    connect(Timer1, &QTimer::timeout, this, [this] { Handle([this] { Timer1Timer(); }); });
    connect(CheckBox2, &QCheckBox::toggled, this, [this] { Handle([this] { CheckBox2Click(); }); });
    // Delete on the list deletes as the menu does; an open in-place editor,
    // having the focus itself, keeps the key. The keypad's keys match too.
    connect(WidgetKeys(ListView1, {Qt::Key_Delete}), &QShortcut::activated, this,
            [this] { Handle([this] { Delete1Click(); }); });
    connect(WidgetKeys(FileListBox1, {Qt::Key_Return, Qt::Key_Enter}), &QShortcut::activated, this,
            [this] { Handle([this] { FileListBox1DblClick(); }); });
    connect(ListView1, &QTreeView::customContextMenuRequested, this, [this](const QPoint& at) {
        N2->setEnabled(list_.SelectedItem().has_value());
        PopupMenu1->popup(ListView1->viewport()->mapToGlobal(at));
    });
}

void TForm1::Handle(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        services_.boxes.Error(ErrorBoxText(error.what()));
    }
}

// ---- Start-up and shutdown ----

void TForm1::FormCreate() {
    // Drops were switched on with the controls.
    ShowHomePageLink();
    Label8->installEventFilter(this);

    if (const std::optional<Path> here = WorkingFolder())
        Handle([&] { ShowSourceFolderFiles(here->Bytes()); });

    Handle([this] {
        ReadSettings(
            services_.settingsPath, [this](bool on) { CheckBox2->setChecked(on); },
            [this](bool on) { CheckBox3->setChecked(on); },
            [this](bool on) { batch_.CarryTags(on); });
    });
}

void TForm1::FormActivate() {
    if (!CheckDecoderPresent())
        close();
}

bool TForm1::CheckDecoderPresent() {
    const std::string decoder = services_.decoderPath();
    if (DecoderPresent(decoder))
        return true;
    const std::string advice =
        Translate("TForm1", "brindlecotがあるフォルダかPATHにlameを置いてください");
    services_.boxes.Message(FillIn(Translate("TForm1", "%1がありません。\r\n"), decoder) + advice);
    return false;
}

bool TForm1::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The first activation after showing runs the decoder check, once.
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        QTimer::singleShot(0, this, [this] { Handle([this] { FormActivate(); }); });
    }
    return handled;
}

// ---- Conversion ----

void TForm1::Button2Click() {
    // A close asked for during the batch happens once it is over, however it ends.
    const auto closeAfterwards = qScopeGuard([this] {
        if (std::exchange(closeRequested_, false)) {
            closing_ = true;
            QTimer::singleShot(0, this, &QWidget::close);
        }
    });
    // How the batch runs is settled when it starts.
    CheckBox3->setEnabled(false);
    const auto allowChoiceAgain = qScopeGuard([this] { CheckBox3->setEnabled(!batch_.Running()); });
    batch_.Convert(CheckBox3->isChecked() ? std::optional(services_.usableCores()) : std::nullopt);
    // The batch's boxes closed unanswered; a failure still deserves a word
    // before the program ends, unless the user would not wait for the end.
    if (closeRequested_ && !stopRequested_ && batch_.Failures() > 0)
        if (const std::optional<BatchReport> report = batch_.EndReport())
            services_.boxes.Report(report->text, report->details);
}

void TForm1::Button5Click() {
    batch_.RequestAbort();
    // The running file may take a while yet: show at once that the click was taken.
    Button5->setEnabled(false);
}

void TForm1::Timer1Timer() {
    if (const auto progress = ReadOutputProgress(conversion_)) {
        SetLabelText(*Label6, QString::fromStdString(progress->sizeText));
        ProgressBar2->setValue(progress->percent);
    }
}

void TForm1::ShowConvertButton(bool shown) {
    Button2->setVisible(shown);
}
void TForm1::ShowAbortButton(bool shown) {
    if (shown)
        abortShown_.start();
    Button5->setEnabled(true);
    Button5->setVisible(shown);
}
void TForm1::EnableClearButton(bool enabled) {
    Button3->setEnabled(enabled);
}
void TForm1::SetInformationLine(const std::string& line) {
    // Quick files of one kind share a line: it is laid out once.
    if (const QString text = DisplayText(line); text != Label10->text())
        ShowInformationLine(text);
}
void TForm1::ShowInformationLine(const QString& line) {
    // The label keeps its place and size: a line too long or too tall for it
    // is drawn smaller and then narrower, and reads whole in the tooltip.
    QFont font = Label10->parentWidget()->font();
    for (int size = font.pixelSize(); size > 9; --size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        if (metrics.height() <= Label10->height() &&
            metrics.horizontalAdvance(line) <= Label10->width())
            break;
    }
    if (const int advance = QFontMetrics(font).horizontalAdvance(line); advance > Label10->width())
        font.setStretch(std::max(50, Label10->width() * 100 / advance));
    Label10->setFont(font);
    SetLabelText(*Label10, line);
    Label10->setToolTip(line);
}
void TForm1::SetOutputPath(const Path& path) {
    // A new item begins: the last one's size and bar must not stand beside its path.
    SetLabelText(*Label7, DisplayText(path.Bytes()));
    SetLabelText(*Label6, {});
    ProgressBar2->setValue(0);
}
void TForm1::SetOverallProgress(int percent) {
    overallToShow_ = percent;
    repaintPacer_.CatchUpSoon();
}
void TForm1::SetFileProgress(int percent) {
    ProgressBar2->setValue(percent);
}
void TForm1::SetOutputSizeText(const std::string& text) {
    SetLabelText(*Label6, QString::fromStdString(text));
}
void TForm1::EnableProgressTimer(bool enabled) {
    // They run exactly while a batch's decoders do, after its question and
    // before its closing boxes, and so does the machine stay awake, however
    // the batch ends.
    if (enabled) {
        Timer1->start();
        repaintPacer_.Start();
        awake_ = services_.sleepInhibitor.Hold(
            Translate("TForm1", "MPEGオーディオをWAVに変換しています"));
    } else {
        Timer1->stop();
        repaintPacer_.Stop();
        awake_.reset();
    }
}
void TForm1::MakeItemVisible(int index) {
    itemToShow_ = list_.ItemAt(index).id;
    repaintPacer_.CatchUpSoon();
}
void TForm1::CatchUpView() {
    // Scrolled first: the bar repaints at once, and takes the scrolled list along.
    if (const auto id = std::exchange(itemToShow_, std::nullopt))
        if (const auto index = list_.IndexOf(*id))
            ListView1->scrollTo(list_.index(*index), QAbstractItemView::EnsureVisible);
    if (const auto percent = std::exchange(overallToShow_, std::nullopt))
        ProgressBar1->setValue(*percent);
}
void TForm1::DispatchEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
void TForm1::DispatchEventsButDrawing() {
    // The paced drawing and the progress timer are timers.
    QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
}
void TForm1::BatchEnded(int converted, int /*failed*/, bool aborted) {
    // Only a user who is elsewhere needs telling, and not one who aborted the
    // batch; the boxes follow as ever.
    if (aborted || QApplication::activeWindow() != nullptr)
        return;
    // The closing report's counts, or the count alone when all went well.
    const std::optional<BatchReport> report = batch_.EndReport();
    const std::string body = report ? report->text : ConvertedCountText(converted);
    services_.notifier.Notify(Translate("TForm1", "変換が終わりました"), body);
}

// ---- The list ----

void TForm1::Button3Click() {
    list_.Clear();
}

void TForm1::Delete1Click() {
    list_.DeleteSelected();
}

void TForm1::N1Click() {
    const auto focused = list_.FocusedItem();
    if (!list_.SelectedItem() || !focused)
        return;
    const std::string file = list_.ItemAt(*focused).caption;
    // With no player installed the desktop would hand the file back to us.
    if (services_.shell.OpensWithThisProgram(file))
        services_.boxes.Message(Translate("TForm1", "再生できるプログラムが見つかりません"));
    else
        services_.shell.Open(FileAddress(file, StartingFolder()));
}

void TForm1::ListView1Click() {
    if (const auto focused = list_.FocusedItem()) {
        // A copy: the reader's box lets other handlers change the list.
        const std::string path = list_.ItemAt(*focused).caption;
        ShowInformationLine(DisplayText(ReadMpegAudioInfo(path, conversion_, gatedBoxes_)));
    }
}

void TForm1::N2Click() {
    const auto focused = list_.FocusedItem();
    if (!list_.SelectedItem() || !focused)
        return;
    if (const std::optional<Path> source = SourceNamedBy(list_.ItemAt(*focused).caption)) {
        const Path output = OutputPathFor(*source, DestinationNamedBy(destination_));
        services_.shell.Open(FileAddress(output.Parent().Bytes(), StartingFolder()));
    }
}

void TForm1::Label8Click() {
    services_.shell.Open(Utf8Bytes(Label8->text()));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            Handle([this] { ListView1Click(); });
        } else if (event->type() == QEvent::ToolTip) {
            // A failed item tells why; elsewhere the list's hint shows.
            const auto* help = static_cast<QHelpEvent*>(event);
            const QModelIndex index = ListView1->indexAt(help->pos());
            const QString reason = index.data(Qt::ToolTipRole).toString();
            QToolTip::showText(help->globalPos(), reason.isEmpty() ? ListView1->toolTip() : reason,
                               ListView1->viewport());
            return true;
        }
    } else if (watched == Button5 && (event->type() == QEvent::MouseButtonPress ||
                                      event->type() == QEvent::MouseButtonDblClick)) {
        // 中断 appears where 変換 was, under the pointer: the second click of
        // a double-click on 変換 must not abort the batch the first one began.
        if (abortShown_.isValid() &&
            !abortShown_.hasExpired(QGuiApplication::styleHints()->mouseDoubleClickInterval()))
            return true;
    } else if (watched == Label8 && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Handle([this] { Label8Click(); });
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Window options ----

void TForm1::CheckBox2Click() {
    SetStayOnTop(CheckBox2->isChecked());
}

void TForm1::SetStayOnTop(bool on) {
    // Before the window exists the flag is simply part of its style. After,
    // only the native window changes, so it is neither moved nor activated.
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    if (QWindow* window = windowHandle()) {
        overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        overrideWindowFlags(flags);
    }
}

// ---- Folders and drops ----

void TForm1::ShowSourceFolderFiles(const std::string& folder) {
    const auto names = ListSourceFolder(folder);
    FileListBox1->clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(DisplayText(name), FileListBox1);
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
    }
    sourceFolder_ = folder;
}

void TForm1::Button1Click() {
    std::string chosen;
    services_.chooser.SelectFolder({}, chosen);
    SetLabelText(*Label1, DisplayText(chosen));
    if (chosen.empty())
        return;
    // The same folder again leaves the list as it is. Names differing in case
    // are different folders here.
    if (chosen == sourceFolder_)
        return;
    if (::chdir(chosen.c_str()) != 0)
        throw UserError(PathErrorText(chosen, errno));
    ShowSourceFolderFiles(chosen);
}

void TForm1::FileListBox1DblClick() {
    const QListWidgetItem* item = FileListBox1->currentItem();
    if (item == nullptr || !item->isSelected())
        return;
    const Path folder = Path::Of(sourceFolder_).value_or(Path());
    list_.Append((folder / item->data(Qt::UserRole).toByteArray().toStdString()).Bytes());
}

void TForm1::Button4Click() {
    std::string chosen;
    services_.chooser.SelectFolder({}, chosen);
    const std::optional<Path> folder = Path::Of(chosen);
    destination_ = folder ? folder->FolderText() : std::string();
    SetLabelText(*Label5, DisplayText(destination_));
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kUriList))
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    Handle([&] { AddDroppedPaths(*event->mimeData()); });
    event->acceptProposedAction();
}

void TForm1::AddDroppedPaths(const QMimeData& drop) {
    const QByteArray uris = drop.data(kUriList);
    AddPaths(ParseUriList(std::string_view(uris.constData(), uris.size())));
}

void TForm1::AddPaths(const std::vector<std::string>& paths) {
    list_.AppendMany(GatherDroppedPaths(paths, CheckBox1->isChecked()));
}

void TForm1::AddPaths(const std::vector<NamedPath>& paths) {
    list_.AppendMany(GatherDroppedPaths(paths, CheckBox1->isChecked()));
}

bool TForm1::TakeHandedOverPaths(const std::vector<std::string>& paths) {
    if (closing_ || closeRequested_)
        return false;
    Handle([&] { AddPaths(paths); });
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    return true;
}
