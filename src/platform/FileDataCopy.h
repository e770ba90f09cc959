#pragma once

#include <atomic>

#include <sys/stat.h>

namespace zorvik {

// Copying a file's bytes to another file system without writing out its holes: a sparse disk image
// of 64 GiB holding 1 GiB of data must arrive as 1 GiB, or it would fill the destination for nothing.
// Only system calls: any thread may use them, on descriptors no other thread uses meanwhile.

// Copies the first `size` bytes of `from` into the empty file `to`: a clone sharing the blocks where
// the file system offers one, else only the ranges that hold data, the holes left as holes. 0 or an
// errno value (EIO when `from` ended before `size`: it shrank meanwhile). When `stop` is set (from any
// thread) the copy ends before its next chunk with ECANCELED, `to` left as far as it got.
[[nodiscard]] int copyFileData(int from, int to, long long size, const std::atomic<bool>* stop = nullptr);

// Whether the file system of `folder` has room for the blocks `file` occupies: 0, ENOSPC when it has
// not, or the errno value of the question.
[[nodiscard]] int roomFor(int folder, const struct stat& file);

} // namespace zorvik
