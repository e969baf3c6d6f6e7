// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "path.h"

#include <cstdint>
#include <optional>

// What the batch, the header reader and the progress monitor share while the
// program runs. Sizes are 64-bit so sources over three hours and outputs over
// 2 GB get true figures.
struct ConversionState {
    // The file the decoder is writing, named as the WAV when whole; nothing before a batch.
    std::optional<Path> OutputPath;
    bool AbortRequested = false;
    std::int32_t DurationMinutes = 0;
    std::int32_t DurationSeconds = 0;
    std::int64_t ExpectedWavSize = 0;
};
