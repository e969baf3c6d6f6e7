// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's form: where each control sits, how it looks, and what a
// screen reader says of it. The handlers are in Unit1.cpp.

#include "Unit1.h"

#include "accessible_label.h"
#include "brindlecot_version.h"
#include "processing_list_view.h"
#include "state_icons.h"
#include "user_language.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <qdrawutil.h>

#include <utility>

namespace {

// A label of one line of Japanese: the 12-pixel gothic font's kana reach a
// pixel below the 12 pixels laid out.
constexpr int kOneLine = 13;

constexpr ItemState kStates[] = {ItemState::Waiting, ItemState::Processing, ItemState::Processed,
                                 ItemState::Failed, ItemState::KeptBack};

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

} // namespace

void TForm1::CreateControls() {
    MakeLabelsReadable();
    setObjectName("Form1");
    setWindowTitle(QString("brindlecot v") + kProgramVersion);
    setWindowIcon(ProgramIcon());
    setFont(WindowFont());
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

    ListView1 = Place<ProcessingListView>(this, 8, 144, 369, 209);
    ListView1->setModel(&list_);
    ListView1->setSelectionModel(list_.selectionModel());
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setItemsExpandable(false);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setEditTriggers(QAbstractItemView::SelectedClicked |
                               QAbstractItemView::EditKeyPressed);
    ListView1->setItemDelegate(new ListRowDelegate(ListView1));
    ListView1->header()->setStretchLastSection(true);
    ListView1->header()->setSectionsClickable(false);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->setToolTip(tr("エクスプローラからD&Dでも追加できます"));
    ListView1->viewport()->installEventFilter(this);
    // The window is narrow: a long path keeps its file's name, its folders
    // give way in the middle, and the row's hint has it whole.
    ListView1->setTextElideMode(Qt::ElideMiddle);
    std::array<QVariant, std::size(kStates)> pictures;
    for (const ItemState state : kStates)
        pictures[static_cast<std::size_t>(state)] = QIcon(StatePicture(state));
    list_.SetDecorations([pictures](ItemState state) { return pictures[static_cast<int>(state)]; });

    Button2 = PlaceButton(this, 232, 360, 73, 25, tr("変換"));
    Button5 = PlaceButton(this, 232, 360, 73, 25, tr("中断"));
    Button5->hide();
    Button5->installEventFilter(this);
    Button3 = PlaceButton(this, 312, 360, 65, 25, tr("クリア"));
    Button3->setToolTip(tr("リスト内をクリアします"));

    Image1 = PlaceLegendPicture(this, 16, 368, ItemState::Waiting);
    Label2 = PlaceLabel(this, 35, 370, 46, kOneLine, StateName(ItemState::Waiting));
    Image2 = PlaceLegendPicture(this, 88, 368, ItemState::Processing);
    Label3 = PlaceLabel(this, 107, 370, 36, kOneLine, StateName(ItemState::Processing));
    Image3 = PlaceLegendPicture(this, 152, 368, ItemState::Processed);
    Label4 = PlaceLabel(this, 176, 370, 48, kOneLine, StateName(ItemState::Processed));
    // The legend's row has room for three states: its hint shows all five.
    const QString legend = LegendHint();
    for (QWidget* part : {Image1, Label2, Image2, Label3, Image3, Label4})
        part->setToolTip(legend);

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
    Label12 = PlaceLabel(GroupBox3, 8, 16, 60, kOneLine, tr("全体の進捗"));
    ProgressBar1 = PlaceProgressBar(GroupBox3, 72, 16, 281, 9);
    Label13 = PlaceLabel(GroupBox3, 8, 32, 60, kOneLine, tr("個別の進捗"));
    ProgressBar2 = PlaceProgressBar(GroupBox3, 72, 32, 281, 9);
    Label7 = PlaceLabel(GroupBox3, 8, 48, 273, 41);
    MakeWhiteField(Label7);
    Label6 = PlaceLabel(GroupBox3, 288, 48, 65, 17);
    MakeWhiteField(Label6);
    // Sizes past a gigabyte would wrap out of the field's one line.
    Label6->setWordWrap(false);

    Label9 = PlaceLabel(this, 64, 608, 154, kOneLine, tr("MPEG Audio → WAV変換"));
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

QString TForm1::LegendHint() const {
    const QString meanings[] = {
        tr("これから変換する項目"),
        tr("変換している項目"),
        tr("変換できた項目"),
        tr("変換できなかった項目。理由はその項目のヒントにあります"),
        tr("同じ名前のファイルがあるため変換しなかった項目。次の変換でまた試します"),
    };
    QString rows;
    for (const ItemState state : kStates)
        // A gap after the name, which would otherwise run into its meaning.
        rows += QString("<tr><td>%1</td><td style=\"padding-right: 6px\">%2</td><td>%3</td></tr>")
                    .arg(StatePictureHtml(state), StateName(state).toHtmlEscaped(),
                         meanings[static_cast<int>(state)].toHtmlEscaped());
    return "<table cellspacing=\"2\">" + rows + "</table>";
}

void TForm1::DescribeControls() {
    // What a screen reader says: a control with a caption is named by it (a
    // label by its text as it changes, a progress bar by the label beside
    // it); the rest are named here. The descriptions tell namesakes apart.
    Label12->setBuddy(ProgressBar1);
    Label13->setBuddy(ProgressBar2);
    const std::pair<QWidget*, QString> names[] = {
        {FileListBox1, tr("変換元のファイル")}, {ListView1, tr("処理リスト")},
        {Image1, tr("処理待ちのアイコン")},     {Image2, tr("処理中のアイコン")},
        {Image3, tr("処理済みのアイコン")},
    };
    for (const auto& [control, name] : names)
        control->setAccessibleName(name);
    const std::pair<QWidget*, QString> descriptions[] = {
        {CheckBox2, tr("このウィンドウを他のウィンドウより前面に表示します")},
        {CheckBox3, tr("CPUのコアの数までのファイルを同時に変換します。変換中は変えられません")},
        {GroupBox1, tr("変換するファイルを探すフォルダ")},
        {Label1, tr("選択した変換元フォルダ")},
        {Button1, tr("変換元フォルダを選ぶダイアログを開きます")},
        {FileListBox1,
         tr("変換元フォルダのMPEG Audioファイル。ダブルクリックかEnterで処理リストに追加します")},
        {ListView1, tr("変換するファイルと状態。Deleteキーで選択した項目を削除します")},
        {Button2, tr("処理リストのファイルをすべてWAVに変換します")},
        {Button5, tr("変換中のファイルが終わったところで変換を中断します")},
        {Button3, tr("リスト内をクリアします")},
        {GroupBox2, tr("WAVファイルを書き出すフォルダ")},
        {Label5, tr("空のときは変換元と同じフォルダに書き出します")},
        {Button4, tr("変換先フォルダを選ぶダイアログを開きます")},
        {GroupBox4, tr("処理中または選択中のファイルの情報")},
        {Label10, tr("時間、バージョン、レイヤー、周波数、ビットレート、モード")},
        {GroupBox3, tr("変換の進み具合")},
        {ProgressBar1, tr("処理リスト全体の変換の進み具合")},
        {ProgressBar2, tr("変換中のファイルの進み具合")},
        {Label7, tr("変換中のファイルの出力先")},
        {Label6, tr("出力ファイルの現在の大きさ")},
        {Label8, tr("クリックでホームページを開きます")},
    };
    for (const auto& [control, description] : descriptions)
        control->setAccessibleDescription(description);
}

void TForm1::ShowHomePageLink() {
    SetLabelText(*Label8, kHomePage);
    MakeWhiteField(Label8);
    Label8->setWordWrap(false);
    QPalette palette = Label8->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label8->setPalette(palette);
    Label8->setCursor(Qt::PointingHandCursor);
    Label8->adjustSize();
}
