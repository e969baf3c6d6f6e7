// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The batch's speed tricks, each kept only while a benchmark on a quiet
// machine can tell it from noise: what it does, what it relies on, and its
// switch. Each is on unless told, so that a benchmark runs one batch with
// and without each and prints the ratio (batch_bench, ui_batch_bench).

struct SpeedTricks {
    // Takes over the write-out owed at the decoder's close (TakeOverWriteOut):
    // long files end sooner. See batch_bench's "writeout" rows.
    bool takeOverWriteOut = true;
    // Between items, handles clicks and closes only, and draws once the next
    // decoder runs (ConversionWindow::DispatchEventsButDrawing): an abort or a
    // close is still taken before anything new starts, while drawing never
    // holds a decoder back. It relies on Qt's event dispatchers on Linux (its
    // own and glib's), which leave timers out when asked
    // (QEventLoop::X11ExcludeTimers), and on the window drawing, and the
    // progress timer ticking, by timers. See ui_batch_bench's "drawing
    // between items" row.
    bool drawOnceTheNextRuns = true;
    // A new decoder that starts on the CPU we run on, while another of our
    // CPUs has no decoder, is moved there at once (MoveOffOurCpu): a vfork
    // child often starts where its parent runs, and the kernel lets the
    // parent go on first, so the decoder would wait for what we do right
    // after a start (putting the item before it in place, preparing the next)
    // while the other CPU idles; on the small virtual machines measured, no
    // balancing moved it in time. With as many decoders as CPUs there is no
    // idle CPU to move to, and a move only crowds another decoder. It relies on
    // Linux's sched_setaffinity on another process of ours, and on the
    // processor field of /proc/PID/stat. See batch_bench's "moving" rows.
    bool moveNewDecoderOffOurCpu = true;
    // With fewer decoders than CPUs, the next decoder starts once the one
    // before it has closed its WAV (CloseWatch), not once it has ended, and
    // we leave our CPU to it (LeaveOurCpuTo): the ending one's exit (its
    // memory given back, its files closed, our being told), and then our
    // putting its item in place, go on the CPU it frees while the new one
    // starts. Its item is still judged by how it ended. With as many
    // decoders as CPUs, the early start only crowds them. It relies on
    // Linux's inotify telling the close of an unnamed file watched through
    // /proc/self/fd, and on the decoder closing its WAV once, at its end
    // (one that closes it sooner only starts the next sooner). See
    // batch_bench's "at the close" row.
    bool startNextAtOutputClose = true;
};

// ext4 (its auto_da_alloc, on by default), xfs and btrfs set a file's write-out
// going at the first close after its truncation to nothing, and the close waits
// while they do. The decoder's opening of /dev/fd/3 truncates the file we made
// for it, so at its end it would wait while its whole WAV goes to disk, a tenth
// of a four-minute file's decoding time. Once the decoder has written into the
// file open as fd, a close of ours takes that write-out over while there is
// little to write; the rest goes to disk as any file's does. Elsewhere (FAT,
// exFAT, tmpfs) the close costs a moment and does nothing. False while the file
// is still empty: nothing is owed yet; true once taken over.
bool TakeOverWriteOut(int fd);
