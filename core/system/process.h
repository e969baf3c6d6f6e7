// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Every program we start, started one careful way: hidden, in a session of
// its own (no terminal, out of reach of the terminal's signals), with our
// environment and working folder, with only the standard descriptors, and
// ended by the system when we end, however we end.

#include "cpus.h"
#include "unique_fd.h"

#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

struct RunOutcome {
    bool started = false;
    int startError = 0;          // why it could not start, when that is known
    int exitCode = -1;           // -1 when it could not start or was killed
    int signal = 0;              // the signal that ended it, 0 when it exited
    std::string lastErrorLine;   // last non-empty line of its error output
    std::string errorLineBefore; // the non-empty line before it, which often says why
};

// Where a child's output goes: standard output to a descriptor of ours
// (nowhere when negative), error output nowhere or, kept, into a file with no
// name that its last line is read from; and a descriptor of ours it gets as
// its 3 (/dev/fd/3), when given.
struct ChildOutput {
    int output = -1;
    bool keepErrors = false;
    int passed = -1;
    // Moved to another of its CPUs when it starts on the one we run on
    // (MoveOffOurCpu): for a start that leaves a CPU without work.
    bool offOurCpu = false;
};

// A program we started and own. Its end is noticed through a process
// descriptor (WaitForAnyEnd); it never outlives its owner: one still running
// when its owner goes is killed with whatever it started, and reaped.
class Child {
  public:
    // Starts arguments (the program's path first); Started() tells whether it could.
    explicit Child(const std::vector<std::string>& arguments, ChildOutput output = {});
    Child(Child&& other) noexcept;
    Child& operator=(Child&&) = delete;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child();

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    // True once the program has ended (it is then reaped); never blocks.
    bool Ended();
    // Ends the program and whatever it started, at once.
    void Kill();
    // Waits for the end, if need be, and tells how it went.
    RunOutcome Finish();
    // What poll() watches for the end; -1 when the kernel gives none.
    int EndDescriptor() const { return pidfd_.Get(); }

  private:
    void Reap(bool block);

    pid_t pid_ = -1;
    int startError_ = 0;
    UniqueFd pidfd_;
    UniqueFd errorFile_;
    bool reaped_ = false;
    int status_ = -1;
};

// Waits until one of children has ended, or orReadable (when given) has
// something to read, calling dispatchEvents every 100 ms meanwhile; returns
// early, after a dispatch, when stopWaiting answers true. Returns at once
// when one has already ended or none was given.
void WaitForAnyEnd(const std::vector<Child*>& children, const std::function<void()>& dispatchEvents,
                   const std::function<bool()>& stopWaiting = {}, int orReadable = -1);

// Runs the program, its error output kept, and waits for its end, calling
// dispatchEvents after every wait step (at most 100 ms) that ends without the
// process having exited. When stopRequested answers true (asked before the
// start and after every dispatch), the program and whatever it started are
// killed and reaped before the return; a program never started for it reads
// as not started.
RunOutcome RunAndWait(const std::vector<std::string>& arguments,
                      const std::function<void()>& dispatchEvents,
                      const std::function<bool()>& stopRequested = {});

// Starts the program and returns at once; false when it could not start. The
// event loop reaps it the moment it ends: an opener may run for as long as
// the program it opened.
bool StartWithoutWaiting(const std::vector<std::string>& arguments);

// What a decoder's start may open at once (DescriptorsFree tells whether it
// can): its output's folder and file (made as it starts), its error file,
// /dev/null, and in the child until its program runs up to four. What an
// item being prepared may: the folder and the file besides one that reads
// its header or looks at a folder.
constexpr int kDescriptorsToStart = 8;
constexpr int kDescriptorsToPrepare = 4;
