// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

// The first executable name in pathVariable's absolute folders; empty when none.
std::string FindOnPath(std::string_view name, std::string_view pathVariable);

// Where the decoder is run from: "lame" beside the executable when it is
// present (a copy carried with its own decoder), else the first present
// "lame" in pathVariable's absolute folders; when there is none, the path
// beside the executable, which the missing-decoder message names.
std::string FindDecoder(const std::string& executableFolder, std::string_view pathVariable);

// FindDecoder for the running executable and our PATH.
std::string DecoderPath();

// True when an executable regular file (or a link to one) is at decoderPath.
bool DecoderPresent(const std::string& decoderPath);

// lame reads the layer its option names and no other: plain --decode, or
// its input named as Layer I, II or III.
enum class DecoderOption { Decode, DecodeMp1Input, DecodeMp2Input, DecodeMp3Input };

struct DecoderCommand {
    std::vector<std::string> arguments; // what is run: no shell involved
};

DecoderCommand BuildDecoderCommand(const std::string& decoderPath, DecoderOption option,
                                   const std::string& source, const std::string& output);
