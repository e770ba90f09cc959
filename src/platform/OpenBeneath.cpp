#include "platform/OpenBeneath.h"

#include "platform/UniqueFd.h"

#include <QList>

#include <cerrno>
#include <cstdint>

#include <fcntl.h>
#include <sys/stat.h>

#if defined(__linux__)
#include <linux/openat2.h>
#include <sys/syscall.h>
#endif

namespace zorvik {

namespace {

// openat refuses a link with O_NOFOLLOW and O_DIRECTORY as ENOTDIR, openat2 as ELOOP: the link is what
// matters, so both say ELOOP.
int refusalOfStep(int folder, const QByteArray& name) {
    const int error = errno;
    struct stat status {};
    if (error == ENOTDIR && ::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISLNK(status.st_mode))
        return ELOOP;
    return error;
}

#if defined(__linux__) && defined(SYS_openat2)

int openInOneCall(int root, const QByteArray& below, std::uint64_t resolve) {
    open_how how{};
    how.flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | resolve;
    const long fd = ::syscall(SYS_openat2, root, below.constData(), &how, sizeof how);
    if (fd < 0 && (errno == E2BIG || errno == EINVAL))
        errno = ENOSYS; // a kernel older than the call's structure or its flags
    return int(fd);
}
#endif

} // namespace

#if defined(__linux__) && defined(SYS_openat2)
int openBeneathInOneCall(int root, const QByteArray& below) {
    return openInOneCall(root, below, 0);
}

int openBeneathOnSameMount(int root, const QByteArray& below) {
    return openInOneCall(root, below, RESOLVE_NO_XDEV);
}
#else
int openBeneathInOneCall(int /*root*/, const QByteArray& /*below*/) {
    errno = ENOSYS;
    return -1;
}

int openBeneathOnSameMount(int /*root*/, const QByteArray& /*below*/) {
    errno = ENOSYS;
    return -1;
}
#endif

int openBeneathStepwise(int root, const QByteArray& below) {
    if (below.isEmpty() || below.startsWith('/')) {
        errno = below.isEmpty() ? ENOENT : EXDEV; // as openat2 answers
        return -1;
    }
    UniqueFd current(::fcntl(root, F_DUPFD_CLOEXEC, 0));
    if (!current)
        return -1;
    for (const QByteArray& part : below.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            errno = EXDEV;
            return -1;
        }
        const int next =
            ::openat(current.get(), part.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            errno = refusalOfStep(current.get(), part);
            return -1;
        }
        current.reset(next);
    }
    return current.release();
}

int openBeneath(int root, const QByteArray& below) {
    const int fd = openBeneathInOneCall(root, below);
    if (fd >= 0 || (errno != ENOSYS && errno != ENAMETOOLONG))
        return fd;
    return openBeneathStepwise(root, below);
}

} // namespace zorvik
