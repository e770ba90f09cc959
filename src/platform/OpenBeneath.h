#pragma once

#include <QByteArray>

namespace zorvik {

// Opening a folder below an open folder without being led anywhere else: no link is followed on the
// way, not even as the last name, and the way never leaves the open folder. Each returns the new
// descriptor (close-on-exec, for reading), or -1 with errno set, and every way of opening says the same
// for the same refusal:
//   EXDEV         the way leaves `root` (an absolute path, or "..")
//   ELOOP         a link on the way
//   ENOTDIR       a file on the way
//   ENAMETOOLONG  too long for one system call (only openBeneathInOneCall)
//   ENOSYS        the kernel cannot open in one call (only openBeneathInOneCall)
// Only system calls: any thread may use them.

// In one system call (openat2 with RESOLVE_BENEATH, RESOLVE_NO_SYMLINKS and RESOLVE_NO_MAGICLINKS).
int openBeneathInOneCall(int root, const QByteArray& below);

// The same, but the way may not enter another mounted file system either, the folder itself being a
// mount point included (RESOLVE_NO_XDEV): EXDEV then too.
int openBeneathOnSameMount(int root, const QByteArray& below);

// One name at a time, on any kernel and at any length. ".." is refused even where it would not
// leave `root`.
int openBeneathStepwise(int root, const QByteArray& below);

// In one call where the kernel and the path's length allow, else one name at a time.
int openBeneath(int root, const QByteArray& below);

} // namespace zorvik
