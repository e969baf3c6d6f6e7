// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "processing_list_view.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QStyle>
#include <QTextOption>

#include <algorithm>
#include <memory>

namespace {

// The style whose drawing of a row's text is followed here.
bool IsFollowedStyle(const QStyle* style) {
    return style->name().compare("fusion", Qt::CaseInsensitive) == 0;
}

// A row that shows only its picture and its text.
bool ShowsOnlyPictureAndText(const QStyleOptionViewItem& option) {
    // The pointer over a row changes nothing of its text.
    constexpr QStyle::State kDrawnOtherwise =
        QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_Editing;
    constexpr QStyleOptionViewItem::ViewItemFeatures kLaidOutOtherwise =
        QStyleOptionViewItem::WrapText | QStyleOptionViewItem::HasCheckIndicator;
    return !(option.state & kDrawnOtherwise) && !(option.features & kLaidOutOtherwise) &&
           option.backgroundBrush.style() == Qt::NoBrush &&
           option.decorationPosition == QStyleOptionViewItem::Left &&
           option.direction == Qt::LeftToRight;
}

// Roles whose change leaves a row's text as it was.
bool LeavesTheTextAlone(const QList<int>& roles) {
    return !roles.isEmpty() && std::all_of(roles.begin(), roles.end(), [](int role) {
        return role == Qt::DecorationRole || role == Qt::ToolTipRole || role == Qt::StatusTipRole ||
               role == Qt::WhatsThisRole || role == Qt::AccessibleTextRole ||
               role == Qt::AccessibleDescriptionRole || role >= Qt::UserRole;
    });
}

// Whether drawing in area can change what the painter is repainting.
bool Repainted(QPainter* painter, const QRect& area) {
    const QPaintEngine* engine = painter->paintEngine();
    const QRegion repainted = engine != nullptr ? engine->systemClip() : QRegion();
    return repainted.isEmpty() || repainted.intersects(painter->deviceTransform().mapRect(area));
}

// Lays text out on lines of width, as the style does; the height it centres
// a line by (its ascent and descent, cut to whole pixels), 0 for more lines.
int LayOut(QTextLayout& layout, const QStyleOptionViewItem& option, int width) {
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(option.direction);
    textOption.setAlignment(QStyle::visualAlignment(option.direction, option.displayAlignment));
    layout.setTextOption(textOption);
    layout.beginLayout();
    for (qreal top = 0;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, top));
        top += line.height();
    }
    layout.endLayout();
    return layout.lineCount() == 1
               ? static_cast<int>(layout.lineAt(0).ascent() + layout.lineAt(0).descent())
               : 0;
}

} // namespace

ProcessingListView::ProcessingListView(QWidget* parent) : QTreeView(parent) {}

void ProcessingListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                     const QList<int>& roles) {
    if (topLeft != bottomRight || !topLeft.isValid() || !LeavesTheTextAlone(roles) || !isVisible())
        return QTreeView::dataChanged(topLeft, bottomRight, roles);
    // As the view tells a screen reader of any change.
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent changed(this,
                                                 QAccessibleTableModelChangeEvent::DataChanged);
        changed.setFirstRow(topLeft.row());
        changed.setFirstColumn(topLeft.column());
        changed.setLastRow(bottomRight.row());
        changed.setLastColumn(bottomRight.column());
        QAccessible::updateAccessibility(&changed);
    }
    // The picture and the margins around it, where the style places it.
    const QRect row = visualRect(topLeft);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    viewport()->update(QRect(row.left(), row.top(), iconSize().width() + 2 * margin, row.height()));
}

ListRowDelegate::ListRowDelegate(QObject* parent, bool quick)
    : QStyledItemDelegate(parent), quick_(quick) {}

void ListRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const QColor grid(0xC0, 0xC0, 0xC0);
    if (!quick_) {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(grid);
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
        return;
    }
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    if (!DrawQuickly(painter, row))
        QStyledItemDelegate::paint(painter, option, index);
    // The same pixels as a line of the pen's width, drawn a tenth as slowly.
    painter->fillRect(QRect(option.rect.left(), option.rect.bottom(), option.rect.width(), 1),
                      grid);
}

bool ListRowDelegate::DrawQuickly(QPainter* painter, const QStyleOptionViewItem& option) const {
    const QWidget* view = option.widget;
    const QStyle* style = view != nullptr ? view->style() : QApplication::style();
    if (!IsFollowedStyle(style) || !ShowsOnlyPictureAndText(option) ||
        !(option.features & QStyleOptionViewItem::HasDisplay))
        return false;
    // Where the style puts the text: the row beside the picture, less margins.
    QStyleOptionViewItem place = option;
    place.text.clear();
    place.showDecorationSelected = true;
    const QRect beside = style->subElementRect(QStyle::SE_ItemViewItemText, &place, view);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    // Only the picture repainted: the text there stays as it is.
    const bool textRepainted =
        Repainted(painter, QRect(beside.left(), option.rect.top(),
                                 option.rect.right() - beside.left() + 1, option.rect.height()));
    const LaidOutCaption* caption =
        textRepainted ? LaidOut(option, beside.width() - 2 * margin) : nullptr;
    if (textRepainted && caption == nullptr)
        return false;

    // The picture as the style draws it, on a row without text.
    QStyleOptionViewItem picture = option;
    picture.text.clear();
    picture.features &= ~QStyleOptionViewItem::HasDisplay;
    style->drawControl(QStyle::CE_ItemViewItem, &picture, painter, view);

    if (caption == nullptr)
        return true;
    QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(option.state & QStyle::State_Active))
        group = QPalette::Inactive;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setPen(option.palette.color(group, QPalette::Text));
    caption->layout.draw(painter, QPointF(beside.x() + margin,
                                          beside.y() + (beside.height() - caption->height) / 2));
    painter->restore();
    return true;
}

const ListRowDelegate::LaidOutCaption* ListRowDelegate::LaidOut(const QStyleOptionViewItem& option,
                                                                int width) const {
    if (const Setting setting{option.font, width, option.textElideMode, option.displayAlignment};
        setting != captionsSetting_) {
        captions_.clear();
        captionsSetting_ = setting;
    }
    if (LaidOutCaption* known = captions_.object(option.text))
        return known;
    auto caption = std::make_unique<LaidOutCaption>();
    caption->layout.setText(option.text);
    caption->layout.setFont(option.font);
    // Kept shaped between drawings.
    caption->layout.setCacheEnabled(true);
    caption->height = LayOut(caption->layout, option, width);
    if (caption->layout.lineCount() != 1)
        return nullptr;
    // Too long for the row: shortened where the view says, as the style does.
    if (caption->layout.lineAt(0).naturalTextWidth() > width) {
        caption->layout.setText(
            QFontMetricsF(option.font).elidedText(option.text, option.textElideMode, width));
        LayOut(caption->layout, option, width);
    }
    LaidOutCaption* kept = caption.get();
    captions_.insert(option.text, caption.release());
    return kept;
}
