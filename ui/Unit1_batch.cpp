// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's side of a conversion: its buttons, the needs of the
// batch bound to the controls, and the paced drawing of what the batch shows.
#include "Unit1.h"

#include "accessible_label.h"
#include "progress_monitor.h"
#include "text.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QTreeView>

#include <utility>

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
        SetOutputSizeText(progress->sizeText);
        SetFileProgress(progress->percent);
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
    ShowSoon(toShow_.informationLine, DisplayText(line), Label10->text());
}
void TForm1::ShowInformationLine(const QString& line) {
    // What shows now is newer than what waits to be shown.
    toShow_.informationLine.reset();
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
    ShowSoon(toShow_.outputPath, DisplayText(path.Bytes()), Label7->text());
    // A new item begins: the last one's size and bar must not stand beside its path.
    ShowSoon(toShow_.outputSize, QString(), Label6->text());
    ShowSoon(toShow_.fileProgress, 0, ProgressBar2->value());
}
void TForm1::SetOverallProgress(int percent) {
    ShowSoon(toShow_.overallProgress, percent, ProgressBar1->value());
}
void TForm1::SetFileProgress(int percent) {
    ShowSoon(toShow_.fileProgress, percent, ProgressBar2->value());
}
void TForm1::SetOutputSizeText(const std::string& text) {
    ShowSoon(toShow_.outputSize, QString::fromStdString(text), Label6->text());
}
template <typename T> void TForm1::ShowSoon(std::optional<T>& waiting, T value, const T& shown) {
    if (waiting ? *waiting == value : value == shown)
        return;
    waiting = std::move(value);
    repaintPacer_.CatchUpSoon();
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
    toShow_.item = list_.ItemAt(index).id;
    repaintPacer_.CatchUpSoon();
}
void TForm1::CatchUpView() {
    // Only the last of each is shown, and a label or bar only when it changes.
    if (const auto id = std::exchange(toShow_.item, std::nullopt))
        if (const auto index = list_.IndexOf(*id))
            ListView1->scrollTo(list_.index(*index), QAbstractItemView::EnsureVisible);
    if (const auto line = std::exchange(toShow_.informationLine, std::nullopt))
        if (*line != Label10->text())
            ShowInformationLine(*line);
    if (const auto path = std::exchange(toShow_.outputPath, std::nullopt))
        SetLabelText(*Label7, *path);
    if (const auto size = std::exchange(toShow_.outputSize, std::nullopt))
        SetLabelText(*Label6, *size);
    if (const auto percent = std::exchange(toShow_.fileProgress, std::nullopt))
        ProgressBar2->setValue(*percent);
    if (const auto percent = std::exchange(toShow_.overallProgress, std::nullopt))
        ProgressBar1->setValue(*percent);
}
void TForm1::DispatchEvents() {
    repaintPacer_.DrawIfDue();
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
