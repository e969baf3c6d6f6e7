// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "progress_monitor.h"

#include "fs.h"

int ProgressPercent(long long size, long long expected) {
    if (expected <= 0 || size <= 0)
        return 0;
    const double percent = static_cast<double>(size) / static_cast<double>(expected) * 100.0;
    return percent >= 100.0 ? 100 : static_cast<int>(percent);
}

std::string OutputSizeText(long long size) {
    // Six digits fill the size's field: a larger size takes a larger unit.
    static constexpr const char* kUnits[] = {" KB", " MB", " GB", " TB"};
    long long amount = size / 1024;
    std::size_t unit = 0;
    while (amount > 999'999 && unit + 1 < std::size(kUnits)) {
        amount /= 1024;
        ++unit;
    }
    return std::to_string(amount) + kUnits[unit];
}

std::optional<OutputProgress> ReadOutputProgress(const ConversionState& state) {
    const auto found = state.OutputPath ? FileSize(*state.OutputPath) : std::nullopt;
    if (!found)
        return std::nullopt;
    const long long size = *found;
    return OutputProgress{OutputSizeText(size), ProgressPercent(size, state.ExpectedWavSize)};
}
