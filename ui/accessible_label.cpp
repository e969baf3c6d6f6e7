// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessible_label.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QTextDocument>

namespace {

// A label of text: read-only text without a caret or a selection.
class ReadableLabel : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ReadableLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text which) const override {
        if (which == QAccessible::Name && widget()->accessibleName().isEmpty())
            return Shown();
        return QAccessibleWidget::text(which);
    }

    QString text(int start, int end) const override { return Shown().mid(start, end - start); }
    int characterCount() const override { return int(Shown().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

  private:
    // The words as the user sees them, without markup.
    QString Shown() const {
        const auto* label = static_cast<const QLabel*>(widget());
        if (label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()))) {
            QTextDocument document;
            document.setHtml(label->text());
            return document.toPlainText();
        }
        return label->text();
    }
};

QAccessibleInterface* ReadableLabelOf(const QString& className, QObject* object) {
    // A label showing a picture keeps Qt's view, which describes an image.
    const auto* label = qobject_cast<QLabel*>(object);
    if (className != QLatin1String("QLabel") || label == nullptr || !label->pixmap().isNull())
        return nullptr;
    return new ReadableLabel(static_cast<QLabel*>(object));
}

} // namespace

void MakeLabelsReadable() {
    QAccessible::installFactory(ReadableLabelOf);
}

void SetLabelText(QLabel& label, const QString& text) {
    const QString before = label.text();
    if (text == before)
        return;
    label.setText(text);
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent changed(&label, 0, before, text);
        QAccessible::updateAccessibility(&changed);
    }
}
