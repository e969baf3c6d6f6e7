// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Settling an item once its decoder has ended (or its verdict came without
// one): what it wrote checked, its WAV put in place, its end reported to the
// list, the window and the batch's closing report.
#include "batch_driver.h"

#include "batch_item.h"
#include "fs.h"
#include "progress_monitor.h"
#include "text.h"

#include <algorithm>

#include <fcntl.h>

std::string ConvertedCountText(int converted) {
    return Translate("BatchDriver", "%n件を変換しました", nullptr, converted);
}

bool BatchDriver::Settle(BatchItem& item, int count) {
    bool done = false;
    if (item.stage != BatchItem::Stage::PassedOver) {
        // The shown item's file stays open until another is shown: the ticks
        // of the boxes that end the batch measure it, finished, and not
        // whatever file takes its descriptor next.
        const bool shown = shownItem_ == item.place && item.temporary;
        if (shown)
            shownFile_ = UniqueFd(::fcntl(item.temporary->Descriptor(), F_DUPFD_CLOEXEC, 0));
        Verdict verdict;
        try {
            verdict = item.verdict ? *item.verdict : CheckAndPlace(item);
        } catch (...) {
            verdict = UnexpectedFailure();
        }
        if (shown && shownFile_)
            state_.OutputPath = Path::OfDescriptor(shownFile_.Get());
        item.temporary.reset();
        done = EndItem(item, verdict);
    }
    window_.SetOverallProgress(static_cast<int>((item.place + 1) * 100.0 / count));
    return done;
}

Verdict BatchDriver::CheckAndPlace(BatchItem& item) {
    Verdict verdict = DecoderVerdict(*item.outcome, *item.temporary);
    // lame exits 0 on a source cut short: the WAV must hold all of it.
    if (verdict.Converted())
        verdict = Verdict{CutShortReason(item.stream, item.temporary->Descriptor())};
    // A whole WAV takes its source's tags before it takes its name.
    if (verdict.Converted() && carryTags_)
        verdict = Verdict{item.tags.AddTo(item.temporary->Descriptor())};
    if (verdict.Converted())
        verdict = outputs_.PutInPlace(*item.temporary, *item.source, item.output, item.check);
    return verdict;
}

bool BatchDriver::EndItem(const BatchItem& item, const Verdict& verdict) {
    if (verdict.Converted() && shownItem_ == item.place) {
        // The last tick may have seen the output midway, or not at all.
        if (const auto size = FileSize(item.output))
            window_.SetOutputSizeText(OutputSizeText(*size));
        window_.SetFileProgress(100);
    }
    ended_.insert(item.id);
    if (verdict.keptBack)
        ++keptBack_;
    else if (!verdict.Converted())
        ++failures_;
    keptBackForOthers_ += verdict.madeByThisBatch ? 1 : 0;
    // Every item left without a WAV of its own, one line each, whatever its name holds.
    if (!verdict.Converted() && (!verdict.keptBack || verdict.madeByThisBatch)) {
        const std::string name = item.source ? plan_.DetailName(*item.source) : item.caption;
        failureDetails_ +=
            LabelledText(EscapedControls(name), EscapedControls(verdict.reason)) + "\n";
        if (!verdict.decoderSaid.empty())
            failureDetails_ += "    " + EscapedControls(verdict.decoderSaid) + "\n";
    }
    if (const auto index = list_.IndexOf(item.id)) {
        if (verdict.keptBack)
            list_.SetKeptBack(*index, verdict.reason);
        else if (!verdict.Converted())
            list_.SetFailed(*index, verdict.reason);
        else
            list_.SetState(*index, ItemState::Processed);
    }
    return verdict.Converted();
}

BatchDriver::Items::const_iterator BatchDriver::Shown(const Items& items) const {
    return std::find_if(items.begin(), items.end(),
                        [this](const BatchItem& item) { return shownItem_ == item.place; });
}

void BatchDriver::ShowEarliest(const Items& items) {
    const auto earliest = std::find_if(items.begin(), items.end(), [](const BatchItem& item) {
        return item.stage != BatchItem::Stage::PassedOver && item.source;
    });
    if (earliest == items.end() || shownItem_ == earliest->place)
        return;
    shownItem_ = earliest->place;
    window_.SetInformationLine(earliest->header.line);
    window_.SetOutputPath(earliest->output);
    MeasureShown(*earliest);
}

void BatchDriver::MeasureShown(const BatchItem& item) {
    if (item.temporary) {
        state_.OutputPath = item.temporary->MeasuredPath();
        shownFile_ = UniqueFd();
    }
    state_.DurationMinutes = item.header.durationMinutes;
    state_.DurationSeconds = item.header.durationSeconds;
    state_.ExpectedWavSize = item.header.expectedWavSize;
}

std::optional<BatchReport> BatchDriver::EndReport() const {
    if (failures_ == 0 && keptBack_ == 0 && leftWaiting_ == 0)
        return std::nullopt;
    BatchReport report;
    report.text = ConvertedCountText(converted_);
    if (keptBack_ > 0)
        report.text +=
            "\n" + Translate("BatchDriver", "%n件は同じ名前のファイルがあるため変換しませんでした",
                             nullptr, keptBack_);
    if (failures_ > 0)
        report.text += "\n" + Translate("BatchDriver", "%n件のファイルを変換できませんでした",
                                        nullptr, failures_);
    if (leftWaiting_ > 0)
        report.text += "\n" + Translate("BatchDriver", "%n件は中断したため変換していません",
                                        nullptr, leftWaiting_);
    report.details = failureDetails_;
    return report;
}
