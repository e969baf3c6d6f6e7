// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "write_watch.h"

#include "path.h"

#include <cstring>

#include <sys/inotify.h>
#include <unistd.h>

WriteWatch::WriteWatch() : inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

int WriteWatch::Watch(int fd, bool changes, bool closes) {
    const std::uint32_t mask = (changes ? IN_MODIFY : 0) | (closes ? IN_CLOSE_WRITE : 0);
    if (!inotify_ || fd < 0 || mask == 0)
        return -1;
    return ::inotify_add_watch(inotify_.Get(), Path::OfDescriptor(fd).Bytes().c_str(), mask);
}

void WriteWatch::Forget(int watch) {
    if (inotify_ && watch >= 0)
        ::inotify_rm_watch(inotify_.Get(), watch);
}

std::vector<WriteWatch::Event> WriteWatch::Events() {
    std::vector<Event> events;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = inotify_ ? ::read(inotify_.Get(), buffer, sizeof buffer) : -1;
        if (got <= 0)
            return events;
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= got;) {
            inotify_event event{};
            std::memcpy(&event, buffer + at, sizeof event);
            if (event.mask & (IN_MODIFY | IN_CLOSE_WRITE))
                events.push_back(
                    {event.wd, (event.mask & IN_MODIFY) != 0, (event.mask & IN_CLOSE_WRITE) != 0});
            at += ssize_t(sizeof(inotify_event)) + event.len;
        }
    }
}
