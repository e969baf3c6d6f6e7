// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Tells when a program done writing a file of ours closes it, before the
// program itself has ended.

#include "unique_fd.h"

#include <vector>

// Files watched for the end of a writer's opening of them (inotify's
// IN_CLOSE_WRITE). A file is watched through a descriptor of ours, so that
// one with no name can be; closes of descriptors opened for reading only,
// and of the descriptors we and a child share, are not told.
class CloseWatch {
  public:
    CloseWatch();
    // Watches the file open as fd; its watch, told by Closed(), or -1 when it
    // can't be watched.
    int Watch(int fd);
    void Forget(int watch);
    // What poll() watches for a close; -1 when the kernel gave us no watch.
    int Descriptor() const { return inotify_.Get(); }
    // The watches whose files were closed since the last call; never blocks.
    std::vector<int> Closed();

  private:
    UniqueFd inotify_;
};
