// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "unique_fd.h"

#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>
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

enum class DecoderOption { Decode, DecodeMp2Input };

struct DecoderCommand {
    std::vector<std::string> arguments; // what is run: no shell involved
};

DecoderCommand BuildDecoderCommand(const std::string& decoderPath, DecoderOption option,
                                   const std::string& source, const std::string& output);

struct RunOutcome {
    bool started = false;
    int exitCode = -1;         // -1 when it could not start or was killed
    int signal = 0;            // the signal that ended it, 0 when it exited
    std::string lastErrorLine; // last non-empty line of its error output
};

// The start of RunAndWait without its wait: the program hidden, in a session
// of its own, its error output going to errorFile (a file with no name).
// pid is -1 when it could not start; the caller reaps it.
struct SpawnedProgram {
    int pid = -1;
    UniqueFd errorFile;
};
SpawnedProgram SpawnHidden(const std::vector<std::string>& arguments);

// What the wait status of a started program's end says; status -1 (reaped
// by someone else) tells neither an exit code nor a signal.
RunOutcome OutcomeOf(int status);

// The last non-empty line a program wrote to the error file SpawnHidden gave it.
std::string LastErrorLine(int errorFile);

// Runs the program hidden, with our environment and working folder, and waits
// for its end, calling dispatchEvents after every wait step (at most 100 ms)
// that ends without the process having exited.
RunOutcome RunAndWait(const std::vector<std::string>& arguments,
                      const std::function<void()>& dispatchEvents);

// The same; when stopRequested answers true (asked before the start and after
// every dispatch), the program and whatever it started are killed and reaped
// before the return. A program never started for it reads as not started.
RunOutcome RunAndWait(const std::vector<std::string>& arguments,
                      const std::function<void()>& dispatchEvents,
                      const std::function<bool()>& stopRequested);

// Starts the program as RunAndWait does (hidden, in a session of its own, with
// only the standard descriptors), its standard output going to outputFd
// (nowhere when negative), and returns at once: its process id, -1 when it
// could not start. The caller reaps it, with WaitForEnd or by itself.
pid_t StartProgram(const std::vector<std::string>& arguments, int outputFd = -1);

// Waits for the end of a program StartProgram started and reaps it; no error line.
RunOutcome WaitForEnd(pid_t pid);

// How RunAndWait notices the end of the process. ProcessDescriptor falls back
// to Polling by itself on kernels without pidfd; Polling is offered so that
// the fallback can be exercised on any kernel.
enum class WaitMethod { ProcessDescriptor, Polling };

RunOutcome RunAndWait(const std::vector<std::string>& arguments,
                      const std::function<void()>& dispatchEvents, WaitMethod method,
                      const std::function<bool()>& stopRequested = {});

// Starts the program as RunAndWait does (hidden, in a session of its own, with
// only the standard descriptors) and returns at once; false when it could not
// start. The child is reaped when it ends.
bool StartWithoutWaiting(const std::vector<std::string>& arguments);
