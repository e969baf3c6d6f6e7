// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the batch's tests share: a batch over sources made in a fresh folder,
// run by the stand-in decoder (stand_in_decoder.cpp), with a recording window
// and boxes; and a real exFAT stick where the machine can mount one.

#include "batch_driver.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

// The source every item gets unless a test says otherwise.
inline std::string Layer3Bytes() {
    return Layer3Stream(4096);
}

class BatchTest : public ::testing::Test {
  protected:
    void SetUp() override { decoder = PlaceStandInDecoder(folder.path()); }

    std::string AddSource(const std::string& name, const std::string& bytes = Layer3Bytes()) {
        const std::string path = folder / name;
        MakeFolders(AsPath(path).Parent().Bytes());
        WriteFile(path, bytes);
        list.Append(path);
        return path;
    }

    std::vector<std::string> Calls() const {
        std::istringstream in(ReadFile(folder / "calls.log"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::vector<ItemState> States() const {
        std::vector<ItemState> states;
        for (int i = 0; i < list.Count(); ++i)
            states.push_back(list.ItemAt(i).state);
        return states;
    }

    // The question whether to replace gets replace, the one whether to make
    // folders of their own gets folders; the closing question, no.
    void Answer(ConfirmAnswer replace, ConfirmAnswer folders = ConfirmAnswer::No) {
        boxes.decide = [replace, folders](const std::string& question) {
            return question.find("フォルダ構成") != std::string::npos     ? folders
                   : question.find("上書きしますか") != std::string::npos ? replace
                                                                          : ConfirmAnswer::No;
        };
    }

    // Hidden files the batch left in folder.
    std::vector<std::string> LeftOver(const std::string& in) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(in))
            if (entry.path().filename().string().front() == '.')
                names.push_back(entry.path().filename().string());
        return names;
    }

    void Convert(std::optional<int> decodersAtOnce = std::nullopt) {
        BatchDriver driver(
            list, state, window, boxes, [this] { return decoder; }, caseBlind);
        driverPtr = &driver;
        driver.Convert(decodersAtOnce);
        driverPtr = nullptr;
    }

    // A held source's decoder, started and not yet reaped; its process id is
    // whole once its line ends.
    static bool Alive(const std::string& source) {
        const std::string pid = ReadFile(source + ".pid");
        return pid.ends_with('\n') && Exists("/proc/" + std::to_string(std::stoi(pid)));
    }
    static bool Gone(const std::string& source) {
        return ReadFile(source + ".pid").ends_with('\n') && !Alive(source);
    }
    static void Release(const std::string& source) { WriteFile(source + ".go", ""); }

    TempFolder folder;
    std::string decoder;
    ProcessingList list;
    ConversionState state;
    FakeWindow window;
    RecordingBoxes boxes;
    BatchDriver* driverPtr = nullptr;
    std::function<bool(const Path&)> caseBlind = FolderIsCaseBlind;
};

using S = ItemState;

// What the window is told as a batch begins and as it ends.
inline const std::vector<std::string> kBatchBeganAndEnded = {
    "convert hidden", "abort shown",   "clear disabled", "timer on",
    "abort hidden",   "convert shown", "clear enabled",  "timer off"};

// A real exFAT stick through Debian's FUSE driver, made in an image in scratch.
struct ExfatStick : TempFolder {
    explicit ExfatStick(const TempFolder& scratch) {
        const std::string image = scratch / "stick.img";
        WriteFile(image, "");
        if (::geteuid() == 0 && Exists("/dev/fuse") && ::truncate(image.c_str(), 16 << 20) == 0 &&
            RunProgram({"mkfs.exfat", image}) == 0)
            device = OutputOf({"losetup", "-f", "--show", image});
        device = device.substr(0, device.find('\n'));
        mounted = !device.empty() && RunProgram({"mount.exfat-fuse", device, path()}) == 0;
    }
    ~ExfatStick() {
        if (mounted)
            RunProgram({"umount", path()});
        if (!device.empty())
            RunProgram({"losetup", "-d", device});
    }
    std::string device;
    bool mounted = false;
};
inline constexpr const char* kNoExfat = "no exFAT through FUSE here (root, exfatprogs, exfat-fuse)";
