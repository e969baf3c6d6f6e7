// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>

#include <chrono>
#include <functional>

class QWidget;

// While on, lets a window repaint at most once per interval, in one pass. A
// batch of quick files changes the list, the labels and the bars several
// times per file; drawing every change, and scrolling the list row by row,
// cost about a tenth of the decoder's own time. Changes are gathered, not
// lost: what waits is drawn within the interval, and at once when the pacer
// goes off; when nothing changed, nothing is drawn.
class RepaintPacer : public QObject {
  public:
    // catchUp runs before each repaint: work that only matters for what is drawn.
    RepaintPacer(QWidget& window, std::chrono::milliseconds interval,
                 std::function<void()> catchUp);
    void Start();
    void Stop();
    // Runs catchUp within the interval, or at once when off.
    void CatchUpSoon();
    // Draws now what waits, when its turn has come: before the events about
    // to be handled, which then see the window as it is drawn.
    void DrawIfDue();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    void WaitForTurn();
    void Draw();

    QWidget& window_;
    int interval_;
    std::function<void()> catchUp_;
    QElapsedTimer sincePaint_;
    QBasicTimer waiting_;
    bool on_ = false;
    bool painting_ = false;
    bool catchingUp_ = false;
    bool held_ = false; // a repaint waits
};
