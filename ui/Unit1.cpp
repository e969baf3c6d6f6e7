// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Unit1.h"

#include "accessible_label.h"
#include "command_line.h"
#include "folder_scan.h"
#include "fs.h"
#include "mpeg_header.h"
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
#include <QPushButton>
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
