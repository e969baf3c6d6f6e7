// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Tells when a program writing a file of ours first changes it, and when it
// is done with it, before the program itself has ended.

#include "unique_fd.h"

#include <vector>

// Files watched through inotify. A file is watched through a descriptor of
// ours, so that one with no name can be. Closes of descriptors opened for
// reading only, and of descriptors we and a child share, are not told.
class WriteWatch {
  public:
    struct Event {
        int watch;
        bool changed; // written to or truncated (IN_MODIFY)
        bool closed;  // a writer's opening of it ended (IN_CLOSE_WRITE)
    };

    WriteWatch();
    // Watches the file open as fd for what is asked, instead of what was
    // asked before; its watch, told by Events(), or -1 when it can't be
    // watched. A change is told once until the events are read.
    int Watch(int fd, bool changes, bool closes);
    void Forget(int watch);
    // What poll() watches for an event; -1 when nothing can be watched.
    int Descriptor() const { return inotify_.Get(); }
    // What happened since the last call; never blocks.
    std::vector<Event> Events();

  private:
    UniqueFd inotify_;
};
