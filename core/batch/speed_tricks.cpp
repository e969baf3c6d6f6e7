// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "speed_tricks.h"

#include "path.h"
#include "unique_fd.h"

#include <fcntl.h>
#include <sys/stat.h>

bool TakeOverWriteOut(int fd) {
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || info.st_size == 0)
        return false;
    // A second opening of the file, closed at once: its close is the one the
    // file system writes the file out at.
    const UniqueFd another(::open(Path::OfDescriptor(fd).Bytes().c_str(), O_RDONLY | O_CLOEXEC));
    return true;
}
