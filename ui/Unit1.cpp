// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Unit1.h"

#include "brindlecot_version.h"
#include "command_line.h"
#include "folder_scan.h"
#include "fs.h"
#include "mpeg_header.h"
#include "progress_monitor.h"
#include "settings.h"
#include "state_icons.h"
#include "text.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <QStyleHints>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QWindow>
#include <qdrawutil.h>

#include <cerrno>
#include <cstring>
#include <tuple>
#include <unistd.h>
#include <utility>

namespace {

constexpr auto kUriList = "text/uri-list";

// Draws each row with the grid line of a report view.
class GridDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(QColor(0xC0, 0xC0, 0xC0));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

template <typename Control>
Control* Place(QWidget* parent, int left, int top, int width, int height) {
    auto* control = new Control(parent);
    control->setGeometry(left, top, width, height);
    return control;
}

QLabel* PlaceLabel(QWidget* parent, int left, int top, int width, int height,
                   const QString& text = {}) {
    auto* label = Place<QLabel>(parent, left, top, width, height);
    label->setText(text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A fixed-size field on white, as the window's read-only texts are shown.
void MakeWhiteField(QLabel* label) {
    // Children take the window's button-face role unless told otherwise.
    label->setBackgroundRole(QPalette::Window);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    label->setPalette(palette);
    label->setWordWrap(true);
}

QLabel* PlaceLegendPicture(QWidget* parent, int left, int top, ItemState state) {
    auto* picture = Place<QLabel>(parent, left, top, 32, 32);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(StatePicture(state));
    return picture;
}

QProgressBar* PlaceProgressBar(QWidget* parent, int left, int top, int width, int height) {
    auto* bar = Place<QProgressBar>(parent, left, top, width, height);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QPushButton* PlaceButton(QWidget* parent, int left, int top, int width, int height,
                         const QString& text) {
    auto* button = Place<QPushButton>(parent, left, top, width, height);
    button->setText(text);
    return button;
}

// The classic group frame that the control positions are laid out for: the
// frame's top line runs through the middle of the title, which sits on it at
// the left, rather than a title standing above the frame.
class ClassicGroupBox : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const QRect titleRect(8, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        painter.save();
        painter.setClipRegion(QRegion(rect()) - titleRect);
        qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true);
        painter.restore();
        style()->drawItemText(&painter, titleRect.adjusted(2, 0, 0, 0),
                              Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), title(),
                              QPalette::WindowText);
    }
};

QGroupBox* PlaceGroup(QWidget* parent, int left, int top, int width, int height,
                      const QString& title) {
    auto* group = Place<ClassicGroupBox>(parent, left, top, width, height);
    group->setTitle(title);
    return group;
}

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
    FormCreate();
}

TForm1::~TForm1() {
    FormDestroy();
}

void TForm1::CreateControls() {
    setObjectName("Form1");
    setWindowTitle(QString("brindlecot v") + kProgramVersion);
    setWindowIcon(ProgramIcon());
    QFont font("IPAPGothic");
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(383, 625);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    CheckBox3 = Place<QCheckBox>(this, 8, 8, 233, 17);
    CheckBox3->setText(tr("複数のファイルを同時に変換する"));

    CheckBox2 = Place<QCheckBox>(this, 248, 8, 129, 17);
    CheckBox2->setText(tr("常に前面に表示する"));
    CheckBox2->setChecked(true);
    if (!services_.stayOnTopWorks) {
        CheckBox2->setEnabled(false);
        CheckBox2->setToolTip(
            tr("このデスクトップ（Wayland）では、ここからは設定できません。"
               "ウィンドウメニューの「常に最前面」（Keep Above）を使ってください"));
    }

    GroupBox1 = PlaceGroup(this, 8, 24, 369, 113, tr("変換元フォルダ"));
    Label1 = PlaceLabel(GroupBox1, 16, 16, 289, 22);
    MakeWhiteField(Label1);
    Button1 = PlaceButton(GroupBox1, 312, 16, 43, 22, tr("選択"));
    FileListBox1 = Place<QListWidget>(GroupBox1, 8, 40, 353, 65);
    FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    FileListBox1->setUniformItemSizes(true);
    FileListBox1->setToolTip(tr("ダブルクリックで処理リスト追加"));

    ListView1 = Place<QTreeView>(this, 8, 144, 369, 209);
    ListView1->setModel(&list_);
    ListView1->setSelectionModel(list_.selectionModel());
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setItemsExpandable(false);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setEditTriggers(QAbstractItemView::SelectedClicked |
                               QAbstractItemView::EditKeyPressed);
    ListView1->setItemDelegate(new GridDelegate(ListView1));
    ListView1->header()->setStretchLastSection(true);
    ListView1->header()->setSectionsClickable(false);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->setToolTip(tr("エクスプローラからD&Dでも追加できます"));
    ListView1->viewport()->installEventFilter(this);
    list_.SetDecorations(
        [pictures = std::array{QVariant(QIcon(StatePicture(ItemState::Waiting))),
                               QVariant(QIcon(StatePicture(ItemState::Processing))),
                               QVariant(QIcon(StatePicture(ItemState::Processed))),
                               QVariant(QIcon(StatePicture(ItemState::Failed)))}](ItemState state) {
            return pictures[static_cast<int>(state)];
        });

    Button2 = PlaceButton(this, 232, 360, 73, 25, tr("変換"));
    Button5 = PlaceButton(this, 232, 360, 73, 25, tr("中断"));
    Button5->hide();
    Button5->installEventFilter(this);
    Button3 = PlaceButton(this, 312, 360, 65, 25, tr("クリア"));
    Button3->setToolTip(tr("リスト内をクリアします"));

    Image1 = PlaceLegendPicture(this, 16, 368, ItemState::Waiting);
    Label2 = PlaceLabel(this, 35, 370, 46, 12, tr("処理待ち"));
    Image2 = PlaceLegendPicture(this, 88, 368, ItemState::Processing);
    Label3 = PlaceLabel(this, 107, 370, 36, 12, tr("処理中"));
    Image3 = PlaceLegendPicture(this, 152, 368, ItemState::Processed);
    Label4 = PlaceLabel(this, 176, 370, 48, 12, tr("処理済み"));

    CheckBox1 = Place<QCheckBox>(this, 32, 392, 345, 17);
    CheckBox1->setText(tr("処理リストにフォルダをドロップした時にサブフォルダも検索する"));
    CheckBox1->setChecked(true);

    GroupBox2 = PlaceGroup(this, 8, 416, 369, 41, tr("変換先フォルダ"));
    Label5 = PlaceLabel(GroupBox2, 13, 16, 292, 17);
    MakeWhiteField(Label5);
    Button4 = PlaceButton(GroupBox2, 312, 16, 41, 17, tr("選択"));

    GroupBox4 = PlaceGroup(this, 8, 464, 369, 33, tr("処理/選択中のMPEG Audio情報"));
    Label10 = PlaceLabel(GroupBox4, 8, 13, 353, 12);

    GroupBox3 = PlaceGroup(this, 8, 504, 369, 97, tr("出力状況"));
    Label12 = PlaceLabel(GroupBox3, 8, 16, 60, 12, tr("全体の進捗"));
    ProgressBar1 = PlaceProgressBar(GroupBox3, 72, 16, 281, 9);
    Label13 = PlaceLabel(GroupBox3, 8, 32, 60, 12, tr("個別の進捗"));
    ProgressBar2 = PlaceProgressBar(GroupBox3, 72, 32, 281, 9);
    Label7 = PlaceLabel(GroupBox3, 8, 48, 273, 41);
    MakeWhiteField(Label7);
    Label6 = PlaceLabel(GroupBox3, 288, 48, 65, 17);
    MakeWhiteField(Label6);
    // Sizes past a gigabyte would wrap out of the field's one line.
    Label6->setWordWrap(false);

    Label9 = PlaceLabel(this, 64, 608, 154, 12, tr("MPEG Audio → WAV 変換"));
    Label8 = PlaceLabel(this, 224, 608, 33, 12);

    Timer1 = new QTimer(this);
    Timer1->setInterval(500);

    PopupMenu1 = new QMenu(this);
    N1 = PopupMenu1->addAction(tr("再生"));
    Delete1 = PopupMenu1->addAction(tr("削除"));
    N2 = PopupMenu1->addAction(tr("出力先フォルダを開く"));

    DescribeControls();

    // Keyboard order of the controls.
    QWidget* order[] = {ListView1, Button2, Button3,   Button1,   FileListBox1,
                        Button4,   Button5, CheckBox1, CheckBox2, CheckBox3};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    for (QWidget* group : {static_cast<QWidget*>(GroupBox1), static_cast<QWidget*>(GroupBox2),
                           static_cast<QWidget*>(GroupBox3), static_cast<QWidget*>(GroupBox4)})
        group->setFocusPolicy(Qt::NoFocus);

    // The window and everything on it take dropped files.
    setAcceptDrops(true);
}

void TForm1::DescribeControls() {
    // What a screen reader says: each control told apart from its namesakes.
    const std::tuple<QWidget*, QString, QString> controls[] = {
        {CheckBox2, tr("常に前面に表示する"),
         tr("このウィンドウを他のウィンドウより前面に表示します")},
        {CheckBox3, tr("複数のファイルを同時に変換する"),
         tr("CPUのコアの数までのファイルを同時に変換します。変換中は変えられません")},
        {GroupBox1, tr("変換元フォルダ"), tr("変換するファイルを探すフォルダ")},
        {Label1, tr("変換元フォルダのパス"), tr("選択した変換元フォルダ")},
        {Button1, tr("変換元フォルダを選択"), tr("変換元フォルダを選ぶダイアログを開きます")},
        {FileListBox1, tr("変換元のファイル"),
         tr("変換元フォルダのMPEG Audioファイル。ダブルクリックかEnterで処理リストに追加します")},
        {ListView1, tr("処理リスト"),
         tr("変換するファイルと状態。Deleteキーで選択した項目を削除します")},
        {Button2, tr("変換"), tr("処理リストのファイルをすべてWAVに変換します")},
        {Button5, tr("中断"), tr("変換中のファイルが終わったところで変換を中断します")},
        {Button3, tr("クリア"), tr("リスト内をクリアします")},
        {Image1, tr("処理待ちのアイコン"), tr("処理待ちの項目に付くアイコン")},
        {Label2, tr("処理待ち"), tr("処理待ちのアイコンの説明")},
        {Image2, tr("処理中のアイコン"), tr("処理中の項目に付くアイコン")},
        {Label3, tr("処理中"), tr("処理中のアイコンの説明")},
        {Image3, tr("処理済みのアイコン"), tr("処理済みの項目に付くアイコン")},
        {Label4, tr("処理済み"), tr("処理済みのアイコンの説明")},
        {CheckBox1, tr("サブフォルダも検索する"),
         tr("処理リストにフォルダをドロップした時にサブフォルダも検索します")},
        {GroupBox2, tr("変換先フォルダ"), tr("WAVファイルを書き出すフォルダ")},
        {Label5, tr("変換先フォルダのパス"), tr("空のときは変換元と同じフォルダに書き出します")},
        {Button4, tr("変換先フォルダを選択"), tr("変換先フォルダを選ぶダイアログを開きます")},
        {GroupBox4, tr("処理/選択中のMPEG Audio情報"), tr("処理中または選択中のファイルの情報")},
        {Label10, tr("MPEG Audio情報"),
         tr("時間、バージョン、レイヤー、周波数、ビットレート、モード")},
        {GroupBox3, tr("出力状況"), tr("変換の進み具合")},
        {Label12, tr("全体の進捗の見出し"), tr("全体の進捗バーの見出し")},
        {ProgressBar1, tr("全体の進捗"), tr("処理リスト全体の変換の進み具合")},
        {Label13, tr("個別の進捗の見出し"), tr("個別の進捗バーの見出し")},
        {ProgressBar2, tr("個別の進捗"), tr("変換中のファイルの進み具合")},
        {Label7, tr("出力ファイル"), tr("変換中のファイルの出力先")},
        {Label6, tr("出力サイズ"), tr("出力ファイルの現在の大きさ")},
        {Label9, tr("プログラムの説明"), tr("MPEG AudioをWAVに変換するプログラム")},
        {Label8, tr("ホームページ"), tr("クリックでホームページを開きます")},
    };
    for (const auto& [control, name, description] : controls) {
        control->setAccessibleName(name);
        control->setAccessibleDescription(description);
    }
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
    Label8->setText(kHomePage);
    MakeWhiteField(Label8);
    Label8->setWordWrap(false);
    QPalette palette = Label8->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label8->setPalette(palette);
    Label8->setCursor(Qt::PointingHandCursor);
    Label8->adjustSize();
    Label8->installEventFilter(this);

    char here[4096];
    if (::getcwd(here, sizeof here) != nullptr)
        Handle([&] { ShowSourceFolderFiles(here); });

    Handle([this] {
        ReadSettings(
            services_.settingsPath, [this](bool on) { CheckBox2->setChecked(on); },
            [this](bool on) { CheckBox3->setChecked(on); });
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

void TForm1::FormDestroy() {
    Handle([this] {
        WriteSettings(services_.settingsPath, CheckBox2->isChecked(), CheckBox3->isChecked());
    });
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

void TForm1::closeEvent(QCloseEvent* event) {
    // A close during a batch is only noted: the batch finishes, its boxes
    // close unanswered, and the window closes after it. A second one means
    // the user will not wait: the batch stops at once.
    if (batch_.Running()) {
        if (std::exchange(closeRequested_, true))
            StopAndClose();
        // Several at once, the decoders running finish and no more start.
        else if (batch_.RunningSeveralAtOnce())
            batch_.RequestAbort();
        event->ignore();
        return;
    }
    closing_ = true;
    event->accept();
}

void TForm1::StopAndClose() {
    stopRequested_ = true;
    closeRequested_ = true;
    if (batch_.Running())
        batch_.RequestStop(); // the batch's end closes the window
    else
        QTimer::singleShot(0, this, &QWidget::close);
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
        services_.boxes.Message(FailureCountText(batch_.Failures()));
}

void TForm1::Button5Click() {
    batch_.RequestAbort();
    // The running file may take a while yet: show at once that the click was taken.
    Button5->setEnabled(false);
}

void TForm1::Timer1Timer() {
    if (const auto progress = ReadOutputProgress(conversion_)) {
        Label6->setText(QString::fromStdString(progress->sizeText));
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
    ShowInformationLine(DisplayText(line));
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
    Label10->setText(line);
    Label10->setToolTip(line);
}
void TForm1::SetOutputPathText(const std::string& path) {
    // A new item begins: the last one's size and bar must not stand beside its path.
    Label7->setText(DisplayText(path));
    Label6->clear();
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
    Label6->setText(QString::fromStdString(text));
}
void TForm1::EnableProgressTimer(bool enabled) {
    // Both run exactly while a batch does.
    if (enabled) {
        Timer1->start();
        repaintPacer_.Start();
    } else {
        Timer1->stop();
        repaintPacer_.Stop();
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
void TForm1::BatchEnded(int converted, int failed, bool aborted) {
    // Only a user who is elsewhere needs telling; the boxes follow as ever.
    if (isActiveWindow())
        return;
    std::string body = FillIn(Translate("TForm1", "%1件を変換しました"), std::to_string(converted));
    if (failed > 0)
        body += "\n" +
                FillIn(Translate("TForm1", "%1件を変換できませんでした"), std::to_string(failed));
    if (aborted)
        body += "\n" + Translate("TForm1", "中断しました。");
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
    const std::string output = OutputPathFor(list_.ItemAt(*focused).caption, destination_);
    const auto slash = output.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : output.substr(0, slash);
    services_.shell.Open(FileAddress(folder, StartingFolder()));
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
    Label1->setText(DisplayText(chosen));
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
    list_.Append(JoinPath(sourceFolder_.empty() ? "/" : sourceFolder_,
                          item->data(Qt::UserRole).toByteArray().toStdString()));
}

void TForm1::Button4Click() {
    std::string chosen;
    services_.chooser.SelectFolder({}, chosen);
    destination_ = chosen.empty() ? chosen : JoinPath(chosen, "");
    Label5->setText(DisplayText(destination_));
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
