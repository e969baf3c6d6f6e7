// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "conversion_state.h"

#include <optional>
#include <string>

struct OutputProgress {
    std::string sizeText; // "%d KB"
    int percent = 0;      // 0 to 100
};

// What the progress timer shows for the output being written: nothing while
// the file does not exist. An estimate of zero or less reads as 0 %.
std::optional<OutputProgress> ReadOutputProgress(const ConversionState& state);

// The per-file bar for size bytes out of an expected total, within 0 to 100.
int ProgressPercent(long long size, long long expected);

// The size shown beside the bar: "%d KB", or in MB or GB past six digits.
std::string OutputSizeText(long long size);
