// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch_plan.h"

#include "text.h"

#include <set>

std::optional<Path> SourceNamedBy(const std::string& caption) {
    return Path::Of(caption, WorkingFolder());
}

DecoderOption OptionFor(const Path& source, DecoderOption previous, int layer) {
    // lame decodes only the layer its option names: a Layer III ".mpa" read
    // as Layer II gives a few bytes of noise and success.
    const std::string extension = source.Extension();
    const int extensionLayer = extension == ".mp3"                          ? 3
                               : extension == ".mpa" || extension == ".mp2" ? 2
                                                                            : 0;
    if (layer == 0 || layer == extensionLayer) {
        if (extensionLayer == 0)
            return previous;
        return extension == ".mpa" ? DecoderOption::DecodeMp2Input : DecoderOption::Decode;
    }
    return layer == 1   ? DecoderOption::DecodeMp1Input
           : layer == 2 ? DecoderOption::DecodeMp2Input
                        : DecoderOption::DecodeMp3Input;
}

void OutputPlan::Begin(const std::vector<Path>& sources) {
    separateFolders_ = false;
    realFolders_.clear();
    std::vector<Path> folders;
    for (const Path& source : sources)
        if (std::optional<Path> folder = RealFolderOf(source))
            folders.push_back(*std::move(folder));
    commonFolder_ = Path::CommonFolder(folders);
}

void OutputPlan::AskAboutSameNames(const std::vector<Path>& sources) {
    // Beside their sources, items of one name share a folder: folders of
    // their own would not tell them apart.
    const std::optional<Path> destination = window_.DestinationFolder();
    if (!destination)
        return;
    std::map<std::string, std::set<Path>> folders; // by output, of its sources
    std::map<std::string, int> items;
    for (const Path& source : sources) {
        const Path output = OutputPathFor(source, destination);
        outputs_.Meet(output);
        const std::string key = outputs_.Key(output);
        folders[key].insert(RealFolderOf(source).value_or(source.Parent()));
        ++items[key];
    }
    int clashing = 0;
    for (const auto& [key, from] : folders)
        if (from.size() > 1)
            clashing += items[key];
    if (clashing == 0)
        return;
    // Escape, the title-bar button and a close of the window keep to one folder.
    const std::string question =
        Translate("BatchDriver",
                  "同じ名前のWAVファイルになる項目が%n件あります。"
                  "変換元のフォルダ構成を出力先に作って別々に保存しますか？",
                  nullptr, clashing);
    // No keeps the later items of one name back, as for names that meet in one folder.
    if (boxes_.Confirm(question, ConfirmButtons::YesNo) == ConfirmAnswer::Yes)
        separateFolders_ = true;
}

void OutputPlan::AskBeforeReplacing(const std::vector<Path>& sources) {
    const int replaceable =
        outputs_.LookBeforeBatch(sources, [this](const Path& source) { return OutputFor(source); });
    if (replaceable == 0)
        return;
    // Escape, the title-bar button and a close of the window all leave the files be.
    const std::string question =
        Translate("BatchDriver", "出力先に同じ名前のファイルが%n件あります。上書きしますか？",
                  nullptr, replaceable);
    outputs_.ApproveReplacing(boxes_.Confirm(question, ConfirmButtons::YesNoDefaultNo) ==
                              ConfirmAnswer::Yes);
}

Path OutputPlan::OutputFor(const Path& source) const {
    const std::optional<Path> destination = window_.DestinationFolder();
    if (!separateFolders_ || !destination || !commonFolder_)
        return OutputPathFor(source, destination);
    // A source outside the common folder (a caption edited meanwhile) goes
    // straight into the destination, where nobody was asked about replacing.
    const std::optional<Path> folder = RealFolderOf(source);
    const std::optional<std::string> below = folder ? folder->Below(*commonFolder_) : std::nullopt;
    return OutputPathFor(source, below ? *destination / *below : *destination);
}

std::string OutputPlan::DetailName(const Path& source) const {
    const std::optional<Path> folder = RealFolderOf(source);
    const std::optional<std::string> below = folder && commonFolder_ && !commonFolder_->IsRoot()
                                                 ? (*folder / source.Name()).Below(*commonFolder_)
                                                 : std::nullopt;
    return below ? *below : source.Bytes();
}

std::optional<Path> OutputPlan::RealFolderOf(const Path& source) const {
    auto [known, added] = realFolders_.try_emplace(source.Parent());
    if (added)
        known->second = source.Parent().Resolved();
    return known->second;
}
