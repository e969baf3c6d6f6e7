// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch_driver.h"

#include "exit_hook.h"
#include "mpeg_header.h"
#include "progress_monitor.h"
#include "stop_signals.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <sstream>

namespace {

// The source every item gets unless a test says otherwise.
std::string Layer3Bytes() {
    return Layer3Stream(4096);
}

class BatchTest : public ::testing::Test {
  protected:
    void SetUp() override { decoder = PlaceStandInDecoder(folder.path()); }

    std::string AddSource(const std::string& name, const std::string& bytes = Layer3Bytes()) {
        const std::string path = folder / name;
        MakeFolders(FolderOf(path));
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

    // The question before the batch gets replace; the one after it, no.
    void AnswerReplacing(ConfirmAnswer replace) {
        boxes.decide = [replace](const std::string& question) {
            return question.find("上書きしますか") != std::string::npos ? replace
                                                                        : ConfirmAnswer::No;
        };
    }

    // Folders of their own yes; replacing as told; the closing question no.
    void AnswerFoldersAndReplacing(ConfirmAnswer replace) {
        boxes.decide = [replace](const std::string& question) {
            return question.find("フォルダ構成") != std::string::npos     ? ConfirmAnswer::Yes
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
    std::function<bool(const std::string&)> caseBlind = FolderIsCaseBlind;
};

using S = ItemState;

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
constexpr const char* kNoExfat = "no exFAT through FUSE here (root, exfatprogs, exfat-fuse)";

} // namespace

TEST(OutputPath, BesideTheSourceOrInTheDestination) {
    EXPECT_EQ(OutputPathFor("/music/a.mp3", ""), "/music/a.wav");
    EXPECT_EQ(OutputPathFor("/music/a.MPA", "ab"), "/music/a.wav") << "two characters mean none";
    EXPECT_EQ(OutputPathFor("/a/b.mp2", "/out/"), "/out/b.wav");
    EXPECT_EQ(OutputPathFor("/a/b.mp2", "日本"), "/a/b.wav") << "characters are counted, not bytes";
    EXPECT_EQ(OutputPathFor("/a/曲.mp3", "/出力/"), "/出力/曲.wav");
    EXPECT_EQ(OutputPathFor("/a/b\x83.mp3", "/o/"), "/o/b\x83.wav");
    // Edited captions shorter than an extension.
    EXPECT_EQ(OutputPathFor("", ""), "wav");
    EXPECT_EQ(OutputPathFor("a", "/out/"), "/out/wav");
    EXPECT_EQ(OutputPathFor("曲", ""), "wav");
    EXPECT_EQ(OutputPathFor("/dir/", "/out/"), "/out/dwav");
}

TEST(OutputPath, TheRootIsADestinationLikeAnyOtherFolder) {
    EXPECT_EQ(OutputPathFor("/a/b.mp2", "/"), "/b.wav");
    EXPECT_EQ(OutputPathFor("/a/b.mp2", "/x"), "/a/b.wav") << "still two characters";
    EXPECT_EQ(OutputPathFor("/a/b.mp2", "x"), "/a/b.wav");
}

TEST(OutputPath, TheOptionFollowsTheExtensionOrTheItemBefore) {
    EXPECT_EQ(OptionFor("x.mpa", DecoderOption::Decode), DecoderOption::DecodeMp2Input);
    EXPECT_EQ(OptionFor("x.MP2", DecoderOption::DecodeMp2Input), DecoderOption::Decode);
    EXPECT_EQ(OptionFor("x.mp3", DecoderOption::DecodeMp2Input), DecoderOption::Decode);
    EXPECT_EQ(OptionFor("x.ogg", DecoderOption::Decode), DecoderOption::Decode);
    EXPECT_EQ(OptionFor("x.ogg", DecoderOption::DecodeMp2Input), DecoderOption::DecodeMp2Input);
    EXPECT_EQ(OptionFor("x.mpa", DecoderOption::Decode, 2), DecoderOption::DecodeMp2Input);
    EXPECT_EQ(OptionFor("x.mpa", DecoderOption::Decode, 3), DecoderOption::DecodeMp3Input);
    EXPECT_EQ(OptionFor("x.mp3", DecoderOption::Decode, 2), DecoderOption::DecodeMp2Input);
    EXPECT_EQ(OptionFor("x.mp2", DecoderOption::Decode, 1), DecoderOption::DecodeMp1Input);
}

// Every layer in every extension, and lame's own tone in an ".mpa", come out whole.
TEST_F(BatchTest, TheRealDecoderReadsEachLayerWhateverTheExtension) {
    decoder = FindLame();
    if (decoder.empty())
        GTEST_SKIP() << "no decoder";
    WriteToneWav(folder / "pcm.wav", 8);
    ASSERT_EQ(RunProgram({decoder, "--quiet", folder / "pcm.wav", folder / "tone.mpa"}), 0);
    list.Append(folder / "tone.mpa");
    for (const int layer : {1, 2, 3})
        for (const std::string extension : {".mpa", ".mp2", ".mp3"})
            AddSource(std::to_string(layer) + extension.back() + extension, MpegFrames(layer, 100));
    Convert();
    EXPECT_EQ(States(), std::vector<S>(10, S::Processed));
    EXPECT_GT(FileSize(folder / "tone.wav"), 8 * 176400 * 0.99);
}

TEST_F(BatchTest, ConvertsEveryItemInOrderAndReportsProgress) {
    const auto a = AddSource("a.mp3"), b = AddSource("b.mpa", MpegFrames(2, 1)),
               c = AddSource("c.mp2", MpegFrames(2, 1));
    Convert();

    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed, S::Processed}));
    EXPECT_EQ(window.overall, (std::vector<int>{0, 33, 66, 100}));
    EXPECT_EQ(window.file, (std::vector<int>{0, 100, 100, 100}));
    EXPECT_EQ(window.sizeTexts, (std::vector<std::string>{"0 KB", "0 KB", "0 KB"}));
    EXPECT_EQ(window.outputs,
              (std::vector<std::string>{folder / "a.wav", folder / "b.wav", folder / "c.wav"}));
    EXPECT_TRUE(Exists(folder / "a.wav") && Exists(folder / "b.wav") && Exists(folder / "c.wav"));
    // The decoder writes a file with no name in the output's folder, named when whole.
    EXPECT_EQ(Calls(), (std::vector<std::string>{"--decode " + a + " /dev/fd/3",
                                                 "--decode --mp2input " + b + " /dev/fd/3",
                                                 "--decode " + c + " /dev/fd/3"}));
    EXPECT_TRUE(LeftOver(folder.path()).empty());
    ASSERT_EQ(window.infoLines.size(), 3u);
    EXPECT_NE(window.infoLines[0].find("Layer III"), std::string::npos);
    // The monitor followed the file being written, closed now.
    EXPECT_EQ(state.OutputPath.rfind("/proc/self/fd/", 0), 0u) << state.OutputPath;
    EXPECT_FALSE(IsRegularFile(state.OutputPath));
    // Every item but the last makes its successor visible.
    EXPECT_EQ(window.visible, (std::vector<int>{1, 2, 2}));
    EXPECT_EQ(window.events, (std::vector<std::string>{
                                 "convert hidden", "abort shown", "clear disabled", "timer on",
                                 "abort hidden", "convert shown", "clear enabled", "timer off"}));
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_EQ(boxes.questions, std::vector<std::string>{"処理済みのリストを削除しますか？"});
    EXPECT_EQ(list.Count(), 3) << "the answer no keeps the list";
}

TEST_F(BatchTest, WritesIntoTheDestinationRereadForEveryItem) {
    TempFolder out;
    AddSource("a.mp3");
    AddSource("slow.mp3");
    AddSource("b.mp3");
    window.destination = out.path() + "/";
    window.onDispatch = [&] { // a cancelled choice mid-batch
        if (list.ItemAt(1).state == S::Processing)
            window.destination.clear();
    };
    Convert();
    EXPECT_TRUE(Exists(out / "a.wav"));
    EXPECT_TRUE(Exists(out / "slow.wav"));
    EXPECT_FALSE(Exists(out / "b.wav"));
    EXPECT_TRUE(Exists(folder / "b.wav"));
}

TEST_F(BatchTest, OnlyTheAnswerYesRemovesProcessedItems) {
    AddSource("a.mp3");
    boxes.answer = ConfirmAnswer::None; // the box closed from its title bar
    Convert();
    EXPECT_EQ(list.Count(), 1);
    boxes.answer = ConfirmAnswer::Yes;
    Convert();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(BatchTest, AnEmptyListFlipsTheButtonsAndStillAsks) {
    Convert();
    EXPECT_EQ(window.events, (std::vector<std::string>{
                                 "convert hidden", "abort shown", "clear disabled", "timer on",
                                 "abort hidden", "convert shown", "clear enabled", "timer off"}));
    EXPECT_EQ(window.overall, std::vector<int>{0});
    EXPECT_EQ(boxes.questions.size(), 1u);
    EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(BatchTest, AbortTakesEffectAfterTheCurrentItem) {
    AddSource("1.mp3");
    AddSource("2-slow.mp3");
    for (int i = 3; i <= 5; ++i)
        AddSource(std::to_string(i) + ".mp3");
    window.onDispatch = [&] {
        if (list.ItemAt(1).state == S::Processing)
            driverPtr->RequestAbort();
    };
    Convert();

    EXPECT_EQ(States(),
              (std::vector<S>{S::Processed, S::Processed, S::Waiting, S::Waiting, S::Waiting}));
    EXPECT_EQ(boxes.messages.at(1), "2件を変換しました\n3件は中断したため変換していません");
    EXPECT_EQ(window.overall, (std::vector<int>{0, 20, 40}));
    EXPECT_EQ(window.events.back(), "timer off");
    EXPECT_EQ(boxes.questions.size(), 1u);
}

TEST_F(BatchTest, AbortDuringTheLastItemStillSaysSo) {
    AddSource("1.mp3");
    AddSource("2-slow.mp3");
    window.onDispatch = [&] {
        if (list.ItemAt(1).state == S::Processing)
            driverPtr->RequestAbort();
    };
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed}));
    EXPECT_EQ(boxes.messages, std::vector<std::string>{"中断しました"});
}

TEST_F(BatchTest, AnAbortCountsAsLeftWaitingOnlyTheItemsStillListed) {
    const std::string held = AddSource("1-held.mp3");
    for (const char* name : {"2.mp3", "3.mp3", "4.mp3"})
        AddSource(name);
    window.onDispatch = [&] {
        if (!Alive(held) || Exists(held + ".go"))
            return;
        driverPtr->RequestAbort();
        list.Select(2);
        list.DeleteSelected();
        Release(held);
    };
    Convert();
    EXPECT_EQ(boxes.messages.at(1), "1件を変換しました\n2件は中断したため変換していません");
}

TEST_F(BatchTest, ANewBatchClearsAnEarlierAbort) {
    AddSource("1.mp3");
    state.AbortRequested = true;
    Convert();
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_EQ(States(), std::vector<S>{S::Processed});
}

TEST_F(BatchTest, FailuresAreMarkedWithTheirReasonAndCounted) {
    AddSource("ok.mp3");
    AddSource("fail.mp3");
    AddSource("silent.mp3");
    AddSource("kill.mp3");
    AddSource("nooutput.mp3");
    window.onDispatch = [&] {
        if (list.ItemAt(5).state == S::Processing)
            driverPtr->RequestAbort();
    };
    AddSource("slow.mp3"); // the abort lands here, the last item
    boxes.answer = ConfirmAnswer::Yes;
    Convert();

    // Processed items went with the answer yes; failed ones stay for another try.
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed, S::Failed, S::Failed}));
    EXPECT_EQ(list.ItemAt(0).failureReason, "Could not decode this file");
    EXPECT_EQ(list.ItemAt(1).failureReason, "デコーダが終了コード7で終了しました");
    EXPECT_NE(list.ItemAt(2).failureReason.find("9"), std::string::npos);
    EXPECT_EQ(list.ItemAt(3).failureReason, "出力ファイルが作成されませんでした");
    EXPECT_EQ(window.overall.back(), 100);
    EXPECT_EQ(boxes.messages,
              (std::vector<std::string>{"中断しました",
                                        "2件を変換しました\n4件のファイルを変換できませんでした"}));
    // Every failure by name and reason, in the details the box offers.
    EXPECT_EQ(boxes.details.back(), "fail.mp3：Could not decode this file\n"
                                    "silent.mp3：デコーダが終了コード7で終了しました\n"
                                    "kill.mp3：デコーダが異常終了しました（シグナル9）\n"
                                    "nooutput.mp3：出力ファイルが作成されませんでした\n");
}

// lame's last line, "Can't init infile", names no cause: the line before it does.
TEST_F(BatchTest, TheDecodersLineBeforeItsLastTellsWhy) {
    const std::string source = AddSource("gone.mp3");
    Convert();
    EXPECT_EQ(list.ItemAt(0).failureReason, "変換元ファイルが見つかりません");
    EXPECT_EQ(boxes.details.back(),
              "gone.mp3：変換元ファイルが見つかりません\n    Could not find \"" + source + "\".\n");
}

TEST_F(BatchTest, AMissingDecoderFailsEveryItemWithoutStopping) {
    AddSource("a.mp3");
    AddSource("b.mp3");
    decoder = folder / "no-such-decoder";
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed}));
    EXPECT_EQ(list.ItemAt(0).failureReason,
              "デコーダを起動できませんでした (No such file or directory)");
    EXPECT_EQ(boxes.messages,
              std::vector<std::string>{"0件を変換しました\n2件のファイルを変換できませんでした"});
    WriteFile(decoder, "", 0644);
    Convert();
    EXPECT_EQ(list.ItemAt(0).failureReason, "デコーダを起動できませんでした (Permission denied)");
}

TEST_F(BatchTest, NeverRunsTheDecoderOverItsOwnSource) {
    const std::string source = AddSource("edited.wav");
    TempFolder linked;
    ::symlink(source.c_str(), (linked / "viaLink.mp3").c_str());
    ::symlink((folder / "edited.wav").c_str(), (linked / "viaLink.wav").c_str());
    list.Append(linked / "viaLink.mp3"); // its output is a link to the same file
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed}));
    EXPECT_EQ(list.ItemAt(0).failureReason, "出力先が変換元と同じファイルです");
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(ReadFile(source), Layer3Bytes()) << "the source is untouched";
}

TEST_F(BatchTest, ItemsDeletedDuringTheBatchArePassedOver) {
    AddSource("1-slow.mp3");
    AddSource("2.mp3");
    AddSource("3.mp3");
    AddSource("4.mp3");
    bool deleted = false;
    window.onDispatch = [&] {
        if (deleted)
            return;
        deleted = true;
        list.Select(0); // the item being converted, and the two after it
        list.Select(1);
        list.Select(2);
        list.DeleteSelected();
        list.Append(folder / "added-later.mp3");
    };
    Convert();

    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_NE(Calls()[1].find("4.mp3"), std::string::npos);
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Waiting}));
    EXPECT_EQ(window.overall, (std::vector<int>{0, 25, 50, 75, 100}));
}

TEST_F(BatchTest, AnUnreadableSourceEndsTheBatchInTheIdleState) {
    AddSource("1.mp3");
    list.Append(folder / "missing.mp3");
    AddSource("3.mp3");
    EXPECT_THROW(Convert(), UserError);
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Waiting, S::Waiting}));
    EXPECT_EQ(window.events, (std::vector<std::string>{
                                 "convert hidden", "abort shown", "clear disabled", "timer on",
                                 "abort hidden", "convert shown", "clear enabled", "timer off"}));
    EXPECT_TRUE(boxes.questions.empty());
    EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(BatchTest, ASecondConvertFromInsideTheDispatchIsIgnored) {
    AddSource("1-slow.mp3");
    int nested = 0;
    window.onDispatch = [&] {
        if (nested++ == 0)
            driverPtr->Convert();
    };
    Convert();
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_EQ(boxes.questions.size(), 1u);
}

TEST_F(BatchTest, TheRealDecoderWritesTheSameWavAsARunByHand) {
    char self[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string exeFolder = std::string(self).substr(0, std::string(self).rfind('/'));
    decoder = DecoderPath();
    ASSERT_EQ(decoder, exeFolder + "/lame");
    if (!DecoderPresent(decoder))
        GTEST_SKIP() << "no decoder beside the test";

    // One second of a 440 Hz stereo tone, encoded at test time.
    std::string pcm;
    for (int i = 0; i < 44100; ++i) {
        const auto sample = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 440 * i / 44100));
        for (int channel = 0; channel < 2; ++channel) {
            pcm += static_cast<char>(sample & 0xFF);
            pcm += static_cast<char>((sample >> 8) & 0xFF);
        }
    }
    const std::string tone = folder / "tone.raw";
    WriteFile(tone, pcm);
    const std::string source = folder / "曲 'x' $(y).mp3";
    const auto noEvents = [] {};
    ASSERT_EQ(RunAndWait({decoder, "--quiet", "-r", "-s", "44.1", "--bitwidth", "16", tone, source},
                         noEvents)
                  .exitCode,
              0);
    list.Append(source);
    Convert();
    ASSERT_EQ(States(), std::vector<S>{S::Processed});
    const std::string expected = folder / "by-hand.wav";
    ASSERT_EQ(RunAndWait({decoder, "--quiet", "--decode", source, expected}, noEvents).exitCode, 0);
    const std::string produced = ReadFile(folder / "曲 'x' $(y).wav");
    EXPECT_GT(produced.size(), 44u);
    EXPECT_EQ(produced, ReadFile(expected));
}

// ------------------------------------------------ outputs: only a whole WAV

TEST_F(BatchTest, AnExitCodeOfZeroWithoutAWholeWavOfItsOwnFails) {
    const std::vector<std::string> sources{AddSource("truncated.mp3"), AddSource("empty.mp3"),
                                           AddSource("nooutput.mp3"), AddSource("broken.mp3"),
                                           AddSource("ok.mp3")};
    std::vector<std::string> hashes;
    for (const auto& source : sources)
        hashes.push_back(Sha256Of(source));
    WriteFile(folder / "nooutput.wav", "an earlier run's WAV");
    AnswerReplacing(ConfirmAnswer::Yes); // it may be replaced, by a whole WAV only
    Convert();

    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed, S::Failed, S::Failed, S::Processed}));
    EXPECT_EQ(list.ItemAt(0).failureReason,
              "出力ファイルが途中で切れています（空き容量を確認してください）");
    EXPECT_EQ(list.ItemAt(1).failureReason, "音声データが見つかりませんでした");
    EXPECT_EQ(list.ItemAt(2).failureReason, "出力ファイルが作成されませんでした");
    // What a failed run wrote is gone; what it did not touch stays.
    EXPECT_FALSE(Exists(folder / "truncated.wav"));
    EXPECT_FALSE(Exists(folder / "empty.wav"));
    EXPECT_FALSE(Exists(folder / "broken.wav"));
    EXPECT_EQ(ReadFile(folder / "nooutput.wav"), "an earlier run's WAV");
    EXPECT_EQ(ReadFile(folder / "ok.wav").size(), 48u);
    for (std::size_t i = 0; i < sources.size(); ++i)
        EXPECT_EQ(Sha256Of(sources[i]), hashes[i]) << sources[i];
}

TEST_F(BatchTest, ADiskThatFillsUpFailsTheCutWavAndRemovesIt) {
    TempFolder out;
    if (::mount("brindlecot-test", out.path().c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
    const auto unmount = [&] { ::umount2(out.path().c_str(), MNT_DETACH); };
    window.destination = out.path() + "/";
    AddSource("a.mp3");
    const std::string large = AddSource("large.mp3");
    const std::string hash = Sha256Of(large);
    Convert();
    const bool cutRemoved = !Exists(out / "large.wav"), firstKept = Exists(out / "a.wav");
    unmount();

    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Failed}));
    EXPECT_EQ(list.ItemAt(1).failureReason,
              "出力ファイルが途中で切れています（空き容量を確認してください）");
    EXPECT_TRUE(cutRemoved);
    EXPECT_TRUE(firstKept);
    EXPECT_EQ(Sha256Of(large), hash);
}

TEST_F(BatchTest, NothingButARegularFileAtTheOutputPathIsWrittenThrough) {
    AddSource("fifo.mp3");
    AddSource("link.mp3");
    AddSource("folder.mp3");
    AddSource("ok.mp3");
    ASSERT_EQ(::mkfifo((folder / "fifo.wav").c_str(), 0644), 0);
    WriteFile(folder / "victim.txt", "not a WAV");
    ASSERT_EQ(::symlink("victim.txt", (folder / "link.wav").c_str()), 0);
    ASSERT_EQ(::mkdir((folder / "folder.wav").c_str(), 0755), 0);

    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed, S::Failed, S::Processed}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.ItemAt(i).failureReason.find("出力先に通常のファイルでないものがあります"),
                  0u);
    EXPECT_EQ(Calls().size(), 1u) << "the decoder ran for ok.mp3 alone";
    EXPECT_EQ(ReadFile(folder / "victim.txt"), "not a WAV");
    EXPECT_EQ(KindAt(folder / "link.wav", false), FileKind::Link);
    EXPECT_EQ(KindAt(folder / "folder.wav"), FileKind::Folder);
}

// ------------------------------------- collisions: one name, one WAV a batch

TEST_F(BatchTest, ASecondSourceOfTheSameNameNeverReplacesTheFirstWav) {
    const std::string collision = "同じ名前の出力ファイルがこの変換で作成済みです";
    ASSERT_EQ(::mkdir((folder / "CD1").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((folder / "CD2").c_str(), 0755), 0);
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        TempFolder out;
        ::unlink((folder / "calls.log").c_str());
        list.Clear();
        // The first decoder holds until a dispatch: both would run at once.
        const std::string first = AddSource("CD1/01-held.mp3");
        const std::string second = AddSource("CD2/01-held.mp3");
        const std::string hash = Sha256Of(second);
        window.destination = out.path() + "/";
        window.onDispatch = [&] { Release(first); };
        Convert(decoders);
        // Folders of their own declined: the later one is kept back by that choice.
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
        EXPECT_EQ(list.ItemAt(1).failureReason, collision);
        EXPECT_EQ(Calls().size(), 1u) << "the decoder never ran over the first WAV";
        EXPECT_TRUE(Exists(out / "01-held.wav"));
        EXPECT_EQ(Sha256Of(second), hash);
    }
    window.onDispatch = nullptr;

    // Side by side, then again: a WAV of an earlier batch is overwritten when allowed.
    AnswerReplacing(ConfirmAnswer::Yes);
    list.Clear();
    window.destination.clear();
    AddSource("dup.mp2");
    AddSource("dup.mp3", MpegFrames(2, 1));
    for (int batch = 0; batch < 2; ++batch) {
        boxes.messages.clear();
        Convert();
        // Kept back as between folders, counted so, and never decoded: no VBR hint.
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
        EXPECT_EQ(list.ItemAt(1).failureReason, collision);
        EXPECT_EQ(boxes.messages,
                  std::vector<std::string>{"1件を変換しました\n1件は同じ名前のファイルが"
                                           "あるため変換しませんでした"});
    }
    EXPECT_EQ(Calls().size(), 3u);
}

// A tick names the source whose WAV was made: a caption is fixed while its
// item decodes; one edited before its item starts (prepared meanwhile, or
// with the reader's hint up) is read again.
TEST_F(BatchTest, ATickNamesTheSourceWhoseWavWasMade) {
    const std::string held = AddSource("1-held.mp3");
    AddSource("2.mp3");
    AddSource("3.mp3", MpegFrames(2, 1)); // Layer II: the hint
    WriteFile(folder / "other.mp2", MpegFrames(2, 1));
    WriteFile(folder / "another.mp2", MpegFrames(2, 1));
    const auto edit = [&](int row, const std::string& caption) {
        return list.setData(list.index(row), QString::fromStdString(caption), Qt::EditRole);
    };
    window.onDispatch = [&] {
        if (Alive(held) && !Exists(held + ".go")) {
            EXPECT_FALSE(list.flags(list.index(0)) & Qt::ItemIsEditable);
            EXPECT_FALSE(edit(0, folder / "other.mp2"));
            EXPECT_TRUE(edit(1, folder / "other.mp2"));
            Release(held);
        }
    };
    boxes.onBox = [&] { EXPECT_TRUE(edit(2, folder / "another.mp2")); };
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed, S::Processed}));
    EXPECT_EQ(list.ItemAt(0).caption, held);
    EXPECT_TRUE(Exists(folder / "1-held.wav") && Exists(folder / "other.wav") &&
                Exists(folder / "another.wav"));
    EXPECT_FALSE(Exists(folder / "2.wav") || Exists(folder / "3.wav"));
}

// A batch's reasons are its own: an item it never reached says nothing.
TEST_F(BatchTest, AnEarlierBatchsReasonGoesWhenTheNextOneStarts) {
    AddSource("1.mp3");
    AddSource("2-fail.mp3");
    Convert();
    ASSERT_EQ(States(), (std::vector<S>{S::Processed, S::Failed}));
    window.onDispatch = [&] { driverPtr->RequestAbort(); };
    AnswerReplacing(ConfirmAnswer::Yes);
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Waiting}));
    EXPECT_EQ(list.ItemAt(1).failureReason, "");
}

// Decoders quicker than a dispatch step still leave the window its events
// between items: an abort clicked there stops the batch before the next one.
TEST_F(BatchTest, AnAbortBetweenQuickItemsIsTakenAtOnce) {
    window.onDispatch = [&] {
        if (list.ItemAt(2).state == S::Processed)
            driverPtr->RequestAbort();
    };
    // One decoder, asked for or not: the abort is taken before the next one starts.
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(1)}) {
        ::unlink((folder / "calls.log").c_str());
        list.Clear();
        boxes.messages.clear();
        for (int i = 1; i <= 30; ++i)
            AddSource(std::to_string(i) + (decoders ? "-again.mp3" : ".mp3"));
        Convert(decoders);
        EXPECT_EQ(Calls().size(), 3u);
        EXPECT_EQ(list.ItemAt(3).state, S::Waiting);
        EXPECT_EQ(window.overall.back(), 10);
        EXPECT_EQ(boxes.messages.at(1), "3件を変換しました\n27件は中断したため変換していません");
    }
}

TEST_F(BatchTest, AFileMadeAtTheOutputWhileItsOwnDecoderRunsIsKept) {
    const std::string held = AddSource("held.mp3");
    window.onDispatch = [&] {
        if (Alive(held) && !Exists(folder / "held.wav")) {
            WriteFile(folder / "held.wav", "theirs");
            Release(held);
        }
    };
    Convert();
    EXPECT_EQ(ReadFile(folder / "held.wav"), "theirs");
    EXPECT_EQ(States(), std::vector<S>{S::Failed});
    EXPECT_TRUE(LeftOver(folder.path()).empty());
}

TEST(OutputsAtStart, TheQuestionCountsOnlyRegularFilesThatAreNotTheirOwnSource) {
    const TempFolder folder;
    WriteFile(folder / "plain.wav", "old");
    ASSERT_EQ(::symlink("plain.wav", (folder / "link.wav").c_str()), 0);
    ASSERT_EQ(::mkfifo((folder / "fifo.wav").c_str(), 0644), 0);
    ASSERT_EQ(::mkdir((folder / "folder.wav").c_str(), 0755), 0);
    WriteFile(folder / "own.wav", "a source of its own name");
    const std::vector<std::string> sources = {folder / "plain.mp3", folder / "link.mp3",
                                              folder / "fifo.mp3", folder / "folder.mp3",
                                              folder / "own.wav"};
    EXPECT_EQ(LookAtOutputs(sources, [](const std::string& s) { return OutputPathFor(s, ""); })
                  .replaceable,
              1);
}

// ------------------------- files already there: asked once, never written through

TEST_F(BatchTest, TheQuestionComesOnceBeforeAnyDecoderAndOnlyYesReplaces) {
    const std::string notReplaced = "同じ名前のファイルがあるため変換しませんでした";
    for (const ConfirmAnswer answer :
         {ConfirmAnswer::Yes, ConfirmAnswer::No, ConfirmAnswer::None}) { // None: the close button
        SCOPED_TRACE(static_cast<int>(answer));
        list.Clear();
        boxes = RecordingBoxes();
        ::unlink((folder / "calls.log").c_str());
        AddSource("a.mp3");
        AddSource("b.mp3");
        AddSource("c.mp3");
        AddSource("a.mp3"); // the same output twice counts once
        WriteFile(folder / "a.wav", "a user's own a.wav");
        WriteFile(folder / "b.wav", "a user's own b.wav");
        ::unlink((folder / "c.wav").c_str());
        std::size_t callsWhenAsked = 99;
        boxes.decide = [&](const std::string& question) {
            if (question.find("上書き") == std::string::npos)
                return ConfirmAnswer::No;
            callsWhenAsked = Calls().size();
            return answer;
        };
        Convert();

        ASSERT_EQ(boxes.questions.size(), 2u);
        EXPECT_EQ(boxes.questions[0], "出力先に同じ名前のファイルが2件あります。上書きしますか？");
        EXPECT_EQ(boxes.buttons[0], ConfirmButtons::YesNoDefaultNo);
        EXPECT_EQ(callsWhenAsked, 0u) << "asked before the first decoder";
        EXPECT_TRUE(LeftOver(folder.path()).empty());
        if (answer == ConfirmAnswer::Yes) {
            EXPECT_EQ(States(),
                      (std::vector<S>{S::Processed, S::Processed, S::Processed, S::Processed}));
            EXPECT_EQ(ReadFile(folder / "a.wav").size(), 48u);
            EXPECT_EQ(ReadFile(folder / "b.wav").size(), 48u);
            EXPECT_EQ(Calls().size(), 3u);
        } else {
            // Kept back by the user's own choice: waiting, not failed, nor counted as failed.
            EXPECT_EQ(States(),
                      (std::vector<S>{S::KeptBack, S::KeptBack, S::Processed, S::KeptBack}));
            EXPECT_EQ(list.ItemAt(0).failureReason, notReplaced);
            EXPECT_EQ(list.ItemAt(1).failureReason, notReplaced);
            EXPECT_EQ(ReadFile(folder / "a.wav"), "a user's own a.wav");
            EXPECT_EQ(ReadFile(folder / "b.wav"), "a user's own b.wav");
            EXPECT_EQ(Calls().size(), 1u) << "c alone";
            EXPECT_EQ(
                boxes.messages,
                std::vector<std::string>{
                    "1件を変換しました\n3件は同じ名前のファイルがあるため変換しませんでした"});
        }
    }

    // Nothing there, nothing asked.
    list.Clear();
    boxes = RecordingBoxes();
    AddSource("new.mp3");
    Convert();
    EXPECT_EQ(boxes.questions, std::vector<std::string>{"処理済みのリストを削除しますか？"});
}

TEST_F(BatchTest, AHardLinkAtTheOutputPathKeepsItsOtherNamesAsTheyWere) {
    const std::string other = AddSource("c.mp3");
    AddSource("b.mp3");
    ASSERT_EQ(::link(other.c_str(), (folder / "b.wav").c_str()), 0);
    const std::string hash = Sha256Of(other);
    AnswerReplacing(ConfirmAnswer::Yes);
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed}));
    EXPECT_EQ(Sha256Of(other), hash);
    EXPECT_EQ(ReadFile(folder / "b.wav").size(), 48u);
}

TEST_F(BatchTest, AFailedReconversionLeavesTheWavThatWasThere) {
    AddSource("truncated.mp3");
    AddSource("fail.mp3");
    AddSource("nooutput.mp3");
    for (const char* name : {"truncated.wav", "fail.wav", "nooutput.wav"})
        WriteFile(folder / name, "a good WAV");
    AnswerReplacing(ConfirmAnswer::Yes);
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed, S::Failed}));
    for (const char* name : {"truncated.wav", "fail.wav", "nooutput.wav"})
        EXPECT_EQ(ReadFile(folder / name), "a good WAV") << name;
    EXPECT_TRUE(LeftOver(folder.path()).empty());
}

TEST_F(BatchTest, AFileMadeDuringTheBatchAtALaterOutputIsACollision) {
    // Another program writes a later item's WAV meanwhile: not ours to replace.
    AddSource("a-slow.mp3");
    AddSource("b.mp3");
    window.onDispatch = [&] {
        if (list.ItemAt(0).state == S::Processing && !Exists(folder / "b.wav"))
            WriteFile(folder / "b.wav", "made meanwhile");
    };
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Failed}));
    EXPECT_EQ(list.ItemAt(1).failureReason, "変換中に出力先に同じ名前のファイルが作られました");
    EXPECT_EQ(ReadFile(folder / "b.wav"), "made meanwhile");
    EXPECT_EQ(Calls().size(), 1u);
}

// The same on a real exFAT stick, where the drive itself is blind to case.
TEST_F(BatchTest, OnARealExfatDriveTheLaterItemNeverReplacesTheEarlierOnesWav) {
    const ExfatStick stick(folder);
    if (!stick.mounted)
        GTEST_SKIP() << kNoExfat;
    EXPECT_TRUE(FolderIsCaseBlind(stick.path()));
    EXPECT_FALSE(FolderIsCaseBlind(folder.path()));
    WriteFile(stick / "song.wav", "old");
    ASSERT_EQ(::mkdir((folder / "a").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((folder / "b").c_str(), 0755), 0);
    AddSource("a/song.mp3", Layer3Stream(100));
    AddSource("b/SONG.mp3");
    window.destination = stick.path() + "/";
    AnswerReplacing(ConfirmAnswer::Yes);
    Convert();
    EXPECT_EQ(boxes.questions[1], "出力先に同じ名前のファイルが1件あります。上書きしますか？");
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
    EXPECT_EQ(ReadFile(stick / "song.wav").size(), 48u) << "the first item's WAV";
    EXPECT_EQ(EntriesIn(stick.path()), 1u) << "nothing left beside it";
}

// What a writer that died (kill -9, a crash) left goes with the next batch
// into its folder; a file a running copy writes, or another program's, stays.
TEST_F(BatchTest, OnARealExfatDriveTheNextBatchRemovesHiddenFilesWhoseWriterIsGone) {
    const ExfatStick stick(folder);
    if (!stick.mounted)
        GTEST_SKIP() << kNoExfat;
    if (::fork() == 0) {
        const TemporaryOutput killed(stick / "gone.wav");
        ::raise(SIGKILL);
    }
    ::wait(nullptr);
    const TemporaryOutput running(stick / "running.wav");
    WriteFile(stick / ".other.AbCd1234.wav", "another program's");
    ASSERT_EQ(EntriesIn(stick.path()), 3u);
    AddSource("song.mp3");
    window.destination = stick.path() + "/";
    Convert();
    EXPECT_TRUE(Exists(stick / "song.wav") && Exists(running.MeasuredPath()));
    EXPECT_EQ(EntriesIn(stick.path()), 3u) << "the killed writer's file is gone";
    RemoveUnfinishedOutputs(); // as when the display goes away
    EXPECT_FALSE(Exists(running.MeasuredPath()));
}

// Two albums' "01 Intro.mp3" into one destination: asked once, before any
// decoder; yes keeps the folders under the deepest one holding every source.
TEST_F(BatchTest, SameNamedTracksGoToFoldersOfTheirOwnWhenTheUserSaysSo) {
    for (const char* album :
         {"Music", "Music/Artist", "Music/Artist/Album A", "Music/Artist/Album B"})
        ASSERT_EQ(::mkdir((folder / album).c_str(), 0755), 0);
    for (const char* track : {"Album A/01 Intro.mp3", "Album B/01 Intro.mp3", "Album B/02.mp3"})
        AddSource(std::string("Music/Artist/") + track);
    TempFolder out;
    WriteFile(out / "Album A", "a file where a folder is wanted");
    window.destination = out.path() + "/";
    boxes.decide = [](const std::string& question) {
        return question.find("フォルダ構成") != std::string::npos ? ConfirmAnswer::Yes
                                                                  : ConfirmAnswer::No;
    };
    Convert();
    EXPECT_EQ(boxes.questions.front(), "同じ名前のWAVファイルになる項目が2件あります。"
                                       "変換元のフォルダ構成を出力先に作って別々に保存しますか？");
    EXPECT_EQ(boxes.buttons.front(), ConfirmButtons::YesNo);
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Processed, S::Processed}));
    EXPECT_EQ(list.ItemAt(0).failureReason.rfind(out / "Album A：", 0), 0u)
        << "a folder that can't be made fails with the system's reason";
    EXPECT_TRUE(Exists(out / "Album B/01 Intro.wav") && Exists(out / "Album B/02.wav"));
}

// The folders are the file system's: a ".." in a name leads where it says.
TEST_F(BatchTest, ADotDotInASourceNeverLeadsOutOfTheDestination) {
    AddSource("s/A/01.mp3");
    AddSource("e2/01.mp3");
    WriteFile(folder / "e2/01.wav", "mine");
    AnswerFoldersAndReplacing(ConfirmAnswer::Yes);
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        const std::string out = folder / ("o" + std::to_string(decoders.value_or(1)));
        ASSERT_EQ(MakeFolders(out + "/o2"), 0);
        list.Clear();
        list.AppendMany({folder / "s/A/01.mp3", folder / "s/A/../../e2/01.mp3"});
        window.destination = out + "/o2/";
        Convert(decoders);
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed}));
        EXPECT_TRUE(Exists(out + "/o2/s/A/01.wav") && Exists(out + "/o2/e2/01.wav"));
        EXPECT_EQ(EntriesIn(out), 1u) << "nothing beside the destination";
        EXPECT_EQ(ReadFile(folder / "e2/01.wav"), "mine");
    }
}

// A link inside the destination is followed: where it leads out, nothing is
// made, written or replaced there, and the item says why; a link that stays
// inside is a folder like any other.
TEST_F(BatchTest, ALinkInsideTheDestinationNeverLeadsAWavOutOfIt) {
    TempFolder elsewhere;
    ASSERT_EQ(::mkdir((elsewhere / "sub").c_str(), 0755), 0);
    WriteFile(elsewhere / "sub/song.wav", "a user's own");
    for (const char* source : {"x/sub/song.mp3", "y/song.mp3", "w/song.mp3"})
        AddSource(source);
    AnswerFoldersAndReplacing(ConfirmAnswer::Yes);
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        TempFolder out;
        ASSERT_EQ(::symlink(elsewhere.path().c_str(), (out / "x").c_str()), 0);
        ASSERT_EQ(::mkdir((out / "inner").c_str(), 0755), 0);
        ASSERT_EQ(::symlink("inner", (out / "w").c_str()), 0);
        window.destination = out.path() + "/";
        Convert(decoders);
        EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Processed, S::Processed}));
        EXPECT_EQ(list.ItemAt(0).failureReason,
                  "出力先フォルダの外を指すリンクがあるため書き込みません");
        EXPECT_EQ(ReadFile(elsewhere / "sub/song.wav"), "a user's own");
        EXPECT_EQ(EntriesIn(elsewhere / "sub"), 1u);
        EXPECT_TRUE(Exists(out / "y/song.wav") && Exists(out / "inner/song.wav"));
    }
}

// exFAT through FUSE gives each spelling of one folder an inode number of its
// own: two albums' folders of one folding are one folder on the stick.
TEST_F(BatchTest, OnARealExfatDriveTwoSpellingsOfOneFolderMakeOneWav) {
    const ExfatStick stick(folder);
    if (!stick.mounted)
        GTEST_SKIP() << kNoExfat;
    AddSource("Album/x.mp3");
    AddSource("ALBUM/x.mp3");
    ASSERT_EQ(::mkdir((stick / "album").c_str(), 0755), 0);
    window.destination = stick.path() + "/";
    AnswerFoldersAndReplacing(ConfirmAnswer::Yes);
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        WriteFile(stick / "album/x.wav", "a user's own");
        ::unlink((folder / "calls.log").c_str());
        boxes.questions.clear();
        Convert(decoders);
        EXPECT_EQ(boxes.questions.at(1),
                  "出力先に同じ名前のファイルが1件あります。上書きしますか？");
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
        EXPECT_EQ(list.ItemAt(1).failureReason, "同じ名前の出力ファイルがこの変換で作成済みです");
        EXPECT_EQ(Calls().size(), 1u) << "the second never ran";
        // Read under the spelling it was written by: the driver's cache of
        // another spelling's file may show the old one for a second.
        EXPECT_EQ(ReadFile(stick / "Album/x.wav").size(), 48u);
        EXPECT_EQ(EntriesIn(stick.path()), 1u);
        EXPECT_EQ(EntriesIn(stick / "album"), 1u);
    }
}

// Two spellings of one folder (a drive blind to case; a link) are one file.
TEST_F(BatchTest, TheReplaceQuestionCountsFilesNotSpellings) {
    AddSource("X/song.mp3");
    AddSource("x/song.mp3");
    TempFolder out;
    ASSERT_EQ(MakeFolders(out / "X"), 0);
    ASSERT_EQ(::symlink("X", (out / "x").c_str()), 0);
    WriteFile(out / "X/song.wav", "old");
    window.destination = out.path() + "/";
    AnswerFoldersAndReplacing(ConfirmAnswer::No);
    Convert();
    EXPECT_EQ(boxes.questions[1], "出力先に同じ名前のファイルが1件あります。上書きしますか？");
}

// Folders of their own: a caption edited during the batch to a file outside the
// common folder goes straight into the destination, replacing nothing; folders
// made for failed items go again; the details tell two failed 01.mp3 apart.
TEST_F(BatchTest, FoldersOfTheirOwnHoldForEditedCaptionsAndFailures) {
    WriteFile(folder / "x.mp3", Layer3Bytes());
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        TempFolder out;
        WriteFile(out / "x.wav", "old");
        list.Clear();
        for (const char* source :
             {"a/A/01.mp3", "a/B/C/01 fail.mp3", "a/D/01 fail.mp3", "a/D/02.mp3"})
            AddSource(source);
        window.destination = out.path() + "/";
        boxes.decide = [&](const std::string& question) {
            list.SetCaption(3, folder / "x.mp3"); // its source taken already
            return question.find("フォルダ構成") != std::string::npos ? ConfirmAnswer::Yes
                                                                      : ConfirmAnswer::No;
        };
        Convert(decoders);
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Failed, S::Failed, S::KeptBack}));
        EXPECT_EQ(ReadFile(out / "x.wav"), "old");
        EXPECT_EQ(EntriesIn(out.path()), 2u) << "x.wav, and A, which holds a WAV";
        EXPECT_EQ(boxes.details.back().rfind("B/C/01 fail.mp3：", 0), 0u);
        EXPECT_NE(boxes.details.back().find("\nD/01 fail.mp3："), std::string::npos);
        EXPECT_EQ(boxes.questions.back(), "処理済みのリストを削除しますか？");
    }
}

TEST(DecoderFailure, LamesUsualLastWordsAreToldInTheUsersLanguage) {
    const std::string noInput = "Can't init infile '/m/a.mp3'";
    const struct {
        std::string before, last, reason, said;
    } cases[] = {
        {"Could not find \"/m/a.mp3\".", noInput, "変換元ファイルが見つかりません",
         "Could not find \"/m/a.mp3\"."},
        {"Error reading headers in mp3 input file /m/a.mp3.", noInput,
         "MPEGオーディオとして読めません", "Error reading headers in mp3 input file /m/a.mp3."},
        {"", noInput, "MPEGオーディオとして読めません", noInput},
        {"", "Can't init outfile '/o/a.wav'", "出力ファイルを作れません",
         "Can't init outfile '/o/a.wav'"},
        {"Frame 3", "Something else", "Something else", ""},
    };
    for (const auto& c : cases) {
        const Verdict verdict = DecoderFailure(c.before, c.last);
        EXPECT_EQ(verdict.reason, c.reason) << c.last;
        EXPECT_EQ(verdict.decoderSaid, c.said) << c.last;
    }
}

// A drive blind to case (exFAT, FAT) takes song.wav and SONG.wav for one file,
// and may answer for a while with the old file's identity under either name.
TEST_F(BatchTest, InAFolderBlindToCaseNamesOfOneFoldingAreOneOutput) {
    caseBlind = [](const std::string&) { return true; };
    TempFolder out;
    WriteFile(out / "song.wav", "old");
    WriteFile(out / "SONG.wav", "the same old file, as such a drive shows it");
    ASSERT_EQ(::mkdir((folder / "a").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((folder / "b").c_str(), 0755), 0);
    AddSource("a/song.mp3");
    AddSource("b/SONG.mp3");
    window.destination = out.path() + "/";
    AnswerReplacing(ConfirmAnswer::Yes);
    Convert(2);
    ASSERT_EQ(boxes.questions.size(), 3u);
    EXPECT_EQ(boxes.questions[1], "出力先に同じ名前のファイルが1件あります。上書きしますか？");
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
    EXPECT_EQ(list.ItemAt(1).failureReason, "同じ名前の出力ファイルがこの変換で作成済みです");
    EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(BatchTest, TheSameSourceListedAgainIsDoneWithoutASecondRun) {
    TempFolder elsewhere;
    const std::string source = AddSource("x.mp3");
    ASSERT_EQ(::symlink(source.c_str(), (elsewhere / "x.mp3").c_str()), 0);
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        TempFolder out;
        ::unlink((folder / "calls.log").c_str());
        list.Clear();
        window.sizeTexts.clear();
        window.file.clear();
        list.AppendMany({source, source, elsewhere / "x.mp3"});
        window.destination = out.path() + "/";
        Convert(decoders);
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed, S::Processed}));
        EXPECT_EQ(Calls().size(), 1u);
        EXPECT_TRUE(boxes.messages.empty());
        // Each ended with the finished WAV's figures.
        EXPECT_EQ(window.sizeTexts, (std::vector<std::string>{"0 KB", "0 KB", "0 KB"}));
        EXPECT_EQ(window.file, (std::vector<int>{0, 100, 100, 100}));
    }
}

TEST_F(BatchTest, SeveralAtOnceTheShownItemIsMeasuredAgainstItsOwnEstimate) {
    const std::string first = AddSource("1-held.mp3", Layer3Stream(32'000));
    const std::string second = AddSource("2-held.mp3", Layer3Stream(160'000));
    ConversionState alone;
    ReadMpegAudioInfo(first, alone, boxes);
    std::int64_t measuredAgainst = -1;
    window.onDispatch = [&] {
        if (Alive(first) && Alive(second)) {
            measuredAgainst = state.ExpectedWavSize;
            Release(second);
        } else if (Gone(second)) {
            Release(first);
        }
    };
    Convert(2);
    EXPECT_EQ(measuredAgainst, alone.ExpectedWavSize);
}

// A full disk leaves a WAV past 2 GiB that looks whole: lame ends without
// error and its capped header can't tell. A header that tells the length
// vouches for a whole WAV however little room is left.
TEST_F(BatchTest, OnADiskWithNoRoomLeftOnlyAWavWhoseHeaderTellsItsLengthIsTicked) {
    TempFolder out;
    if (::mount("brindlecot-test", out.path().c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
    WriteFile(out / "filler", std::string(1008 * 1024, 'x')); // 16 KiB left
    window.destination = out.path() + "/";
    AddSource("capped.mp3");
    AddSource("whole.mp3");
    Convert();
    const bool nothingNamed = !Exists(out / "capped.wav");
    ::umount2(out.path().c_str(), MNT_DETACH);
    EXPECT_EQ(list.ItemAt(0).failureReason, "出力先の空き容量がなくなりました");
    EXPECT_TRUE(nothingNamed);
    EXPECT_EQ(list.ItemAt(1).state, S::Processed);
}

TEST_F(BatchTest, AReplacedWavKeepsThePermissionsAndOwnerOfTheFileItReplaces) {
    const std::string take = folder / "take.wav";
    WriteFile(take, "old", 0600);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(take.c_str(), 4321, 4321), 0);
    }
    AddSource("take.mp3");
    AnswerReplacing(ConfirmAnswer::Yes);
    Convert();
    struct stat info {};
    ASSERT_EQ(::stat(take.c_str(), &info), 0);
    EXPECT_NE(ReadFile(take), "old");
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    if (root) {
        EXPECT_EQ(std::pair(info.st_uid, info.st_gid), std::pair(4321u, 4321u));
    }
}

TEST(TemporaryOutput, ANewWavNeverTakesANameMadeAfterTheLastLook) {
    const TempFolder folder;
    TemporaryOutput temporary(folder / "x.wav");
    ASSERT_TRUE(temporary.Made());
    WriteFile(folder / "x.wav", "theirs");
    EXPECT_FALSE(temporary.PutAt());
    EXPECT_EQ(temporary.Error(), EEXIST);
    EXPECT_EQ(ReadFile(folder / "x.wav"), "theirs");
}

// A power cut after the rename must find the new WAV's data on the disk.
TEST(TemporaryOutput, AReplacementsDataIsOnTheDiskBeforeItTakesTheName) {
    const TempFolder folder;
    const std::string output = folder / "x.wav";
    WriteFile(output, "old");
    TemporaryOutput temporary(output);
    ASSERT_TRUE(temporary.Made());
    ASSERT_EQ(::write(temporary.Descriptor(), "new", 3), 3);
    std::vector<std::string> atSync; // what the name held when the new file was synced
    const auto sync = [&](int fd) {
        EXPECT_EQ(fd, temporary.Descriptor());
        atSync.push_back(ReadFile(output));
        return ::fsync(fd);
    };
    EXPECT_TRUE(temporary.Replace(*StampAt(output), sync));
    EXPECT_EQ(atSync, std::vector<std::string>{"old"});
    EXPECT_EQ(ReadFile(output), "new");
}

TEST(TemporaryOutput, AReplacementThatCanNotTakeTheNameLeavesNoOtherName) {
    const TempFolder folder;
    const std::string output = folder / "x.wav";
    WriteFile(output, "old");
    const std::optional<FileStamp> looked = StampAt(output);
    {
        TemporaryOutput temporary(output);
        ASSERT_TRUE(temporary.Made());
        // A folder took the name since it was looked at: the rename fails.
        ASSERT_EQ(::unlink(output.c_str()), 0);
        ASSERT_EQ(::mkdir(output.c_str(), 0755), 0);
        EXPECT_FALSE(temporary.Replace(*looked));
    }
    EXPECT_EQ(EntriesIn(folder.path()), 1u) << "the folder x.wav alone";
}

TEST_F(BatchTest, AWavPastTwoGibWithLamesCappedSizesIsKept) {
    AddSource("capped.mp3");
    Convert();
    EXPECT_EQ(States(), std::vector<S>{S::Processed});
    EXPECT_EQ(FileSize(folder / "capped.wav"), 2'422'096'172);
    EXPECT_EQ(window.sizeTexts, std::vector<std::string>{OutputSizeText(2'422'096'172)});
    EXPECT_EQ(window.file.back(), 100);
}

// ------------------------------------------------ stopping: nothing left behind

TEST_F(BatchTest, ASignalToEndKillsTheDecoderAndRemovesItsUnfinishedWav) {
    int argc = 1;
    char name[] = "core_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    const StopSignals stopSignals([this](int) { driverPtr->RequestStop(); });
    AddSource("held.mp3");
    AddSource("b.mp3");
    bool sent = false;
    window.onDispatch = [&] {
        QCoreApplication::processEvents();
        if (!sent && Exists(folder / "held.pid")) {
            sent = true;
            ::kill(::getpid(), SIGTERM);
        }
    };
    const auto start = std::chrono::steady_clock::now();
    Convert();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));

    const pid_t pid = std::stoi(ReadFile(folder / "held.pid"));
    EXPECT_TRUE(::kill(pid, 0) == -1 && errno == ESRCH) << "the decoder is gone";
    EXPECT_TRUE(LeftOver(folder.path()).empty());
    EXPECT_FALSE(Exists(folder / "held.wav"));
    EXPECT_EQ(States(), (std::vector<S>{S::Waiting, S::Waiting}));
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_TRUE(boxes.messages.empty() && boxes.questions.empty()) << "the program is ending";
    EXPECT_EQ(window.events.back(), "timer off");
}

// ------------------------------------------ several at once: up to N decoders

TEST_F(BatchTest, SeveralAtOnceRunNeverMoreThanAskedAndStartInListOrder) {
    std::vector<std::string> sources;
    for (const char* name :
         {"1-held.mp3", "2-held.mp3", "3-held-fail.mp3", "4-held.mp3", "5-held.mp3"})
        sources.push_back(AddSource(name));
    std::size_t most = 0;
    window.onDispatch = [&] {
        std::vector<std::string> alive;
        std::copy_if(sources.begin(), sources.end(), std::back_inserter(alive), Alive);
        most = std::max(most, alive.size());
        // The latest goes first: finished items wait for the first one's turn.
        if (alive.size() == 2)
            Release(alive.back());
        else if (std::all_of(sources.begin(), sources.end(),
                             [](const std::string& s) { return Exists(s + ".pid"); }))
            std::for_each(alive.begin(), alive.end(), Release);
    };
    Convert(2);

    EXPECT_EQ(most, 2u);
    EXPECT_EQ(Calls().size(), 5u);
    // Each start shows the item after it, the last one itself.
    EXPECT_EQ(window.visible, (std::vector<int>{1, 2, 3, 4, 4})) << "started in list order";
    EXPECT_EQ(States(),
              (std::vector<S>{S::Processed, S::Processed, S::Failed, S::Processed, S::Processed}));
    EXPECT_EQ(list.ItemAt(2).failureReason, "Could not decode this file");
    EXPECT_EQ(window.overall, (std::vector<int>{0, 20, 40, 60, 80, 100}));
    // The window follows the earliest running item, the first one throughout.
    EXPECT_EQ(window.outputs, std::vector<std::string>{folder / "1-held.wav"});
    EXPECT_EQ(window.infoLines.size(), 1u);
    EXPECT_EQ(boxes.messages,
              std::vector<std::string>{"4件を変換しました\n1件のファイルを変換できませんでした"});
    for (const char* wav : {"1-held.wav", "2-held.wav", "4-held.wav", "5-held.wav"})
        EXPECT_EQ(ReadFile(folder / wav).size(), 4044u) << wav;
    EXPECT_FALSE(Exists(folder / "3-held-fail.wav"));
    EXPECT_TRUE(LeftOver(folder.path()).empty());
}

TEST_F(BatchTest, SeveralAtOnceTheEarlierItemWinsANameEvenWhenALaterOneEndsFirst) {
    // Two sources whose outputs are one file under two names that no path
    // resolves to one: a folder mounted at a second place.
    ASSERT_EQ(::mkdir((folder / "first").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((folder / "second").c_str(), 0755), 0);
    if (::mount((folder / "first").c_str(), (folder / "second").c_str(), nullptr, MS_BIND,
                nullptr) != 0)
        GTEST_SKIP() << "cannot mount a folder at a second place here: " << std::strerror(errno);
    const auto unmount = qScopeGuard([&] { ::umount2((folder / "second").c_str(), MNT_DETACH); });
    const std::string first = AddSource("first/01-held.mp3");
    WriteFile(folder / "first/01-held.mp2", Layer3Bytes());
    const std::string second = folder / "second/01-held.mp2";
    list.Append(second);
    window.onDispatch = [&] {
        if (Alive(first) && Alive(second))
            Release(second);
        else if (Gone(second))
            Release(first);
    };
    Convert(2);

    ASSERT_EQ(Calls().size(), 2u) << "both ran at once";
    // Put in place in the order they ended, the second would have won.
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
    EXPECT_EQ(list.ItemAt(1).failureReason, "同じ名前の出力ファイルがこの変換で作成済みです");
    EXPECT_TRUE(Exists(folder / "first/01-held.wav"));
    EXPECT_TRUE(LeftOver(folder / "first").empty());
}

// Quick items finished behind a long one each hold their file open: never
// more than the program may open.
TEST_F(BatchTest, SeveralAtOnceManyItemsBehindALongOneStayWithinTheOpenFiles) {
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit few = saved;
    few.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
    const std::string first = AddSource("0-held.mp3");
    for (int i = 1; i <= 80; ++i)
        AddSource(std::to_string(i) + ".mp3");
    window.onDispatch = [&] {
        if (Calls().size() > 12)
            Release(first);
    };
    Convert(2);
    ::setrlimit(RLIMIT_NOFILE, &saved);
    const std::vector<S> states = States();
    EXPECT_EQ(std::count(states.begin(), states.end(), S::Processed), 81);
}

// With few descriptors left, items wait for one, fewer decoders running at once.
TEST_F(BatchTest, SeveralAtOnceItemsWaitForDescriptorsRatherThanFail) {
    for (int i = 0; i < 10; ++i)
        AddSource(std::to_string(i) + "-slow.mp3");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit few = saved;
    few.rlim_cur = EntriesIn("/proc/self/fd") + 9; // one decoder's and the next item's, and a few
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
    Convert(2);
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(States(), std::vector<S>(10, S::Processed)) << list.ItemAt(1).failureReason;
}

// An end past every destructor (exit() when the display goes) leaves no folder
// the batch made for the items it was writing.
TEST_F(BatchTest, AnExitDuringABatchLeavesNoFolderItMade) {
    AddSource("a/held.mp3");
    AddSource("b/held.mp3");
    TempFolder out;
    window.destination = out.path() + "/";
    AnswerFoldersAndReplacing(ConfirmAnswer::No);
    const pid_t child = ::fork();
    if (child == 0) {
        const ExitHook unfinished(RemoveUnfinishedOutputs);
        window.onDispatch = [&] {
            if (Alive(folder / "a/held.mp3"))
                std::exit(1);
        };
        Convert();
        std::_Exit(2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(EntriesIn(out.path()), 0u);
}

TEST_F(BatchTest, SeveralAtOnceAnAbortLetsTheRunningFinishAndStartsNoMore) {
    std::vector<std::string> sources;
    for (int i = 1; i <= 5; ++i)
        sources.push_back(AddSource(std::to_string(i) + "-held.mp3"));
    window.onDispatch = [&] {
        if (Alive(sources[0]) && Alive(sources[1])) {
            driverPtr->RequestAbort();
            Release(sources[0]);
            Release(sources[1]);
        }
    };
    Convert(2);

    EXPECT_EQ(Calls().size(), 2u);
    EXPECT_EQ(States(),
              (std::vector<S>{S::Processed, S::Processed, S::Waiting, S::Waiting, S::Waiting}));
    EXPECT_EQ(window.overall, (std::vector<int>{0, 20, 40}));
    EXPECT_EQ(boxes.messages.at(1), "2件を変換しました\n3件は中断したため変換していません");
    EXPECT_EQ(boxes.questions.size(), 1u);
}

TEST_F(BatchTest, SeveralAtOnceAStopEndsEveryRunningDecoderAndLeavesNothing) {
    const std::string a = AddSource("a-held.mp3"), b = AddSource("b-held.mp3");
    AddSource("c.mp3");
    window.onDispatch = [&] {
        if (Alive(a) && Alive(b))
            driverPtr->RequestStop();
    };
    Convert(2);

    EXPECT_TRUE(Gone(a) && Gone(b)) << "both decoders ended and were reaped";
    EXPECT_EQ(Calls().size(), 2u);
    EXPECT_EQ(States(), (std::vector<S>{S::Waiting, S::Waiting, S::Waiting}));
    EXPECT_TRUE(LeftOver(folder.path()).empty());
    EXPECT_TRUE(boxes.messages.empty() && boxes.questions.empty());
    EXPECT_EQ(window.events.back(), "timer off");
}

// The next item, made ready while a decoder runs and never started, leaves nothing.
TEST_F(BatchTest, APreparedItemNotStartedLeavesNothing) {
    for (const bool stop : {false, true}) {
        list.Clear();
        const std::string held = AddSource(stop ? "stop-held.mp3" : "abort-held.mp3");
        AddSource(stop ? "stop-next.mp3" : "abort-next.mp3");
        const std::size_t open = EntriesIn("/proc/self/fd");
        window.onDispatch = [&] {
            if (!Alive(held))
                return;
            stop ? driverPtr->RequestStop() : driverPtr->RequestAbort();
            Release(held);
        };
        Convert();
        EXPECT_EQ(States()[1], S::Waiting);
        EXPECT_EQ(Calls().size(), stop ? 2u : 1u) << "the next item's decoder never ran";
        EXPECT_TRUE(LeftOver(folder.path()).empty());
        EXPECT_EQ(EntriesIn("/proc/self/fd"), open);
    }
}

TEST_F(BatchTest, ASourceChangedAfterItWasPreparedIsReadAgain) {
    const std::string held = AddSource("1-held.mp3"), next = AddSource("2.mp3");
    window.onDispatch = [&] {
        if (Alive(held) && !Exists(held + ".go")) {
            WriteFile(next, MpegFrames(2, 1));
            Release(held);
        }
    };
    Convert();
    EXPECT_NE(Calls().back().find("--mp2input " + next), std::string::npos);
    EXPECT_NE(window.infoLines.back().find("Layer II "), std::string::npos);
}

// After an abort, the ticks of its box measure the shown item's finished WAV.
TEST_F(BatchTest, SeveralAtOnceTheShownFiguresAfterAnAbortAreTheWavs) {
    const std::string a = AddSource("a-held.mp3"), b = AddSource("b-held.mp3");
    AddSource("c.mp3");
    window.onDispatch = [&] {
        if (Alive(a) && Alive(b)) {
            driverPtr->RequestAbort();
            Release(b);
            Release(a);
        }
    };
    std::optional<OutputProgress> ticked;
    boxes.onBox = [&] { ticked = ticked ? ticked : ReadOutputProgress(state); };
    Convert(2);
    ASSERT_TRUE(ticked.has_value());
    EXPECT_EQ(ticked->sizeText, OutputSizeText(*FileSize(folder / "b-held.wav")));
}

// Thrown as an item starts: it fails in our words; in the loop: a stop, then the question.
TEST_F(BatchTest, NothingUnforeseenReachesTheUserAsItWasThrown) {
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        list.Clear();
        boxes.questions.clear();
        const std::string mode = decoders ? "several-" : "one-";
        AddSource(mode + "hint.mp3", MpegFrames(2, 4));
        AddSource(mode + "next.mp3");
        boxes.onBox = [&] {
            if (boxes.messages.back() == "VBRかもしれません")
                throw std::runtime_error("thrown");
        };
        Convert(decoders);
        EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Processed}));
        EXPECT_EQ(list.ItemAt(0).failureReason, "予期しないエラーのため変換できませんでした");

        list.Clear();
        const std::string held = AddSource(decoders ? "2-held.mp3" : "1-held.mp3");
        AddSource(mode + "after.mp3");
        window.onDispatch = [&] {
            if (Alive(held))
                throw std::runtime_error("thrown");
        };
        Convert(decoders);
        EXPECT_TRUE(Gone(held));
        EXPECT_EQ(States(), (std::vector<S>{S::Waiting, S::Waiting}));
        EXPECT_EQ(boxes.messages.back(), "予期しないエラーのため変換を中止しました");
        EXPECT_EQ(boxes.questions.size(), 2u);
        window.onDispatch = nullptr; // it holds this turn's held
        boxes.onBox = nullptr;
    }
}

TEST_F(BatchTest, SeveralAtOnceAnUnreadableSourceEndsTheBatchAfterTheItemsBeforeIt) {
    const std::string first = AddSource("1-held.mp3");
    list.Append(folder / "missing.mp3");
    AddSource("3.mp3");
    window.onDispatch = [&] { Release(first); };
    EXPECT_THROW(Convert(2), UserError);
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Waiting, S::Waiting}));
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_TRUE(boxes.questions.empty());
    EXPECT_EQ(window.events.back(), "timer off");
}
