// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A batch run from the command line, without a window, for scripts, cron and
// ssh: the batch driver's questions answered by the options, its progress
// drawn on one terminal line, its end told as the closing box tells it.

#include "command_line.h"
#include "decoder.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Keeps the machine awake for as long as what it gives lives; nothing when it can't.
using KeepAwake = std::function<std::shared_ptr<void>(const std::string& reason)>;

// Converts the MPEG audio files named and those in the folders named, in the
// order a drop of the names would list them (relative names against
// workingFolder), as options ask, telling terminal what happens. The exit
// status: 0 when every item was converted or kept back by the options, 1 when
// any failed, 2 when a name or the destination is not there, and 128 + the
// signal when SIGINT, SIGTERM or SIGHUP stopped it, decoders and their files gone.
int ConvertFromCommandLine(const std::vector<std::string>& names, const ConvertOptions& options,
                           const std::string& workingFolder, std::FILE* terminal,
                           const KeepAwake& keepAwake,
                           std::function<std::string()> decoderPath = DecoderPath);
