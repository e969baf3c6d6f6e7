// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Which of our CPUs a child starts on.

#include <sys/types.h>

// A new child often starts queued on our CPU behind what we do next (the
// next item, drawing) while another CPU idles: it is moved to another one,
// then given back the mask it inherited. Ours is never touched, so an
// affinity set from outside (taskset -p) stays as it was set.
void MoveOffOurCpu(pid_t child);
