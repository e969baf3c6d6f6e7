// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "close_watch.h"

#include "path.h"

#include <cstring>

#include <sys/inotify.h>
#include <unistd.h>

CloseWatch::CloseWatch() : inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

int CloseWatch::Watch(int fd) {
    if (!inotify_ || fd < 0)
        return -1;
    return ::inotify_add_watch(inotify_.Get(), Path::OfDescriptor(fd).Bytes().c_str(),
                               IN_CLOSE_WRITE);
}

void CloseWatch::Forget(int watch) {
    if (inotify_ && watch >= 0)
        ::inotify_rm_watch(inotify_.Get(), watch);
}

std::vector<int> CloseWatch::Closed() {
    std::vector<int> closed;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = inotify_ ? ::read(inotify_.Get(), buffer, sizeof buffer) : -1;
        if (got <= 0)
            return closed;
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= got;) {
            inotify_event event{};
            std::memcpy(&event, buffer + at, sizeof event);
            if (event.mask & IN_CLOSE_WRITE)
                closed.push_back(event.wd);
            at += ssize_t(sizeof(inotify_event)) + event.len;
        }
    }
}
