// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cpus.h"

#include "path.h"
#include "unique_fd.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

namespace {

// The CPU a process last ran on, from the kernel's account of it; -1 when
// that can't be read.
int LastCpuOf(pid_t pid) {
    const Path stat = Path() / "proc" / std::to_string(pid) / "stat";
    const UniqueFd file(::open(stat.Bytes().c_str(), O_RDONLY | O_CLOEXEC));
    char text[1024];
    const ssize_t got = file ? ::read(file.Get(), text, sizeof text - 1) : -1;
    if (got <= 0)
        return -1;
    text[got] = '\0';
    const std::string_view fields(text, std::size_t(got));
    // Its name, in parentheses, may hold anything; the fields after it don't.
    std::size_t at = fields.rfind(')');
    // The processor is the 39th field, the 37th after the name.
    for (int field = 0; at != std::string_view::npos && field < 37; ++field)
        at = fields.find(' ', at + 1);
    return at == std::string_view::npos ? -1 : std::atoi(text + at + 1);
}

// Moves who to another of its CPUs when child runs on ours, and gives its mask
// back at once, so that it stays where the move put it.
void MoveOffOurCpuOneOf(pid_t who, pid_t child) {
    cpu_set_t inherited;
    CPU_ZERO(&inherited);
    if (::sched_getaffinity(who, sizeof inherited, &inherited) != 0 || CPU_COUNT(&inherited) < 2)
        return;
    const int here = ::sched_getcpu();
    if (here < 0 || !CPU_ISSET(here, &inherited) || LastCpuOf(child) != here)
        return;
    cpu_set_t others = inherited;
    CPU_CLR(here, &others);
    if (::sched_setaffinity(who, sizeof others, &others) == 0)
        ::sched_setaffinity(who, sizeof inherited, &inherited);
}

} // namespace

void MoveOffOurCpu(pid_t child) {
    MoveOffOurCpuOneOf(child, child);
}

void LeaveOurCpuTo(pid_t child) {
    MoveOffOurCpuOneOf(0, child);
}

int UsableCores() {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (::sched_getaffinity(0, sizeof cores, &cores) != 0)
        return 1;
    return std::max(1, CPU_COUNT(&cores));
}
