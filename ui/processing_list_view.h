// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCache>
#include <QFont>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QTreeView>

// The processing list as the window shows it: a row's state changing redraws
// the row's picture alone, as nothing else of the row changes with it.
class ProcessingListView : public QTreeView {
  public:
    explicit ProcessingListView(QWidget* parent);

  protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
};

// Draws the processing list's rows as the style does, each with the grid line
// of a report view. A batch of quick files brings a dozen rows into view every
// frame, and the style lays a row's text out three times to draw it once (to
// size it, to shorten it, to draw it): that was most of the window's drawing.
// A row that shows nothing but its picture and its text (neither selected,
// nor current in a focused list, nor edited) has its picture drawn by the
// style and its text laid out here, once, as the style lays it out, and kept
// while the list shows it; any other row, and every row of a style other than
// the one this follows (Fusion, which Qt draws with), the style draws whole.
class ListRowDelegate : public QStyledItemDelegate {
  public:
    // With quick false, every row is drawn whole by the style.
    explicit ListRowDelegate(QObject* parent, bool quick = true);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    // False, having drawn nothing, for a row the style must draw whole.
    bool DrawQuickly(QPainter* painter, const QStyleOptionViewItem& option) const;
    // A caption laid out on one line, shortened as the style shortens it to
    // fit, and the height the style centres it by: the whole caption's.
    struct LaidOutCaption {
        QTextLayout layout;
        int height = 0;
    };
    // What a caption is laid out for.
    struct Setting {
        QFont font;
        int width = -1;
        Qt::TextElideMode elide = Qt::ElideNone;
        Qt::Alignment alignment;
        bool operator==(const Setting&) const = default;
    };
    // Nothing when the caption takes more than one line.
    const LaidOutCaption* LaidOut(const QStyleOptionViewItem& option, int width) const;

    bool quick_;
    // Laid-out captions, all for one setting.
    mutable QCache<QString, LaidOutCaption> captions_{64};
    mutable Setting captionsSetting_;
};
