// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The CPUs we may run on, and where our children run on them.

#include <sys/types.h>

// A child that starts on the CPU we run on waits there while we go on,
// though another CPU may idle: it is moved to the others allowed it, and its
// mask given back at once, so that it stays where the move put it. Nothing
// when it started elsewhere, or has one CPU to run on.
void MoveOffOurCpu(pid_t child);
// The other way round, for a child started beside one that is ending, whose
// CPU is about to be free: we move to another of our CPUs when the child runs
// on ours.
void LeaveOurCpuTo(pid_t child);

// How many cores this program may run on (its affinity mask), at least 1.
int UsableCores();
