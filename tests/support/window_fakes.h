// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The fakes of the window's own services, for the window's tests and
// benchmarks; the core's tests never see the window.

#include "test_support.h"
#include "ui/window_services.h"

// The recording boxes with the window's error box.
class RecordingWindowBoxes : public RecordingBoxesFor<WindowBoxes> {
  public:
    void Error(const std::string& text) override { errors.push_back(text); }
    void CloseOpen() override { ++closedOpen; }
    std::vector<std::string> errors;
    int closedOpen = 0; // times the window closed its open boxes
};
