// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "repaint_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimerEvent>
#include <QWidget>

#include <utility>

RepaintPacer::RepaintPacer(QWidget& window, std::chrono::milliseconds interval,
                           std::function<void()> catchUp)
    : window_(window), interval_(static_cast<int>(interval.count())), catchUp_(std::move(catchUp)) {
}

void RepaintPacer::Start() {
    if (std::exchange(on_, true))
        return;
    sincePaint_.invalidate();
    window_.installEventFilter(this);
}

void RepaintPacer::Stop() {
    if (!std::exchange(on_, false))
        return;
    window_.removeEventFilter(this);
    waiting_.stop();
    held_ = false;
    catchUp_();
    // Qt posts no further request while one it sent is unanswered.
    QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

void RepaintPacer::CatchUpSoon() {
    if (on_)
        WaitForTurn();
    else
        catchUp_();
}

void RepaintPacer::WaitForTurn() {
    if (waiting_.isActive())
        return;
    const qint64 since = sincePaint_.isValid() ? sincePaint_.elapsed() : interval_;
    waiting_.start(since >= interval_ ? 0 : static_cast<int>(interval_ - since), this);
}

// Every repaint of a window's widgets, update() and repaint() alike, goes
// through an UpdateRequest to the window: holding those back gathers them.
bool RepaintPacer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_ || event->type() != QEvent::UpdateRequest || painting_)
        return false;
    held_ = true;
    // What catching up repaints, even what asks to be drawn at once (a
    // progress bar's new value), is drawn in the one repaint that follows.
    if (!catchingUp_)
        WaitForTurn();
    return true;
}

void RepaintPacer::DrawIfDue() {
    if (waiting_.isActive() && (!sincePaint_.isValid() || sincePaint_.elapsed() >= interval_))
        Draw();
}

void RepaintPacer::timerEvent(QTimerEvent* event) {
    if (event->timerId() != waiting_.timerId())
        return QObject::timerEvent(event);
    Draw();
}

void RepaintPacer::Draw() {
    waiting_.stop();
    sincePaint_.start();
    catchingUp_ = true;
    catchUp_();
    catchingUp_ = false;
    // Nothing changed, nothing to draw.
    if (!std::exchange(held_, false))
        return;
    painting_ = true;
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&window_, &request);
    painting_ = false;
}
