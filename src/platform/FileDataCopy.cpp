#include "platform/FileDataCopy.h"

#include "platform/OperationJournal.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace zorvik {

namespace {

// Copies [begin, end) of `from` to the same place in `to`.
int copyRange(int from, int to, off_t begin, off_t end, std::vector<char>& buffer,
              const std::atomic<bool>* stop) {
    for (off_t at = begin; at < end;) {
        if (stop && stop->load())
            return ECANCELED;
        const std::size_t want = std::size_t(std::min<off_t>(end - at, off_t(buffer.size())));
        const ssize_t got = ::pread(from, buffer.data(), want, at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return EIO;
        for (ssize_t written = 0; written < got;) {
            const ssize_t put =
                ::pwrite(to, buffer.data() + written, std::size_t(got - written), at + written);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return put < 0 ? errno : EIO;
            written += put;
        }
        at += got;
        passStep("chunk copied");
    }
    return 0;
}

// Where the next range holding data begins at or after `at`, and where it ends; `size` for the
// beginning when only a hole is left. A file system that cannot tell counts the rest as data.
int nextData(int from, off_t at, off_t size, off_t& begin, off_t& end) {
    begin = ::lseek(from, at, SEEK_DATA);
    if (begin < 0) {
        if (errno == ENXIO) {
            begin = end = size;
            return 0;
        }
        if (errno != EINVAL && errno != EOPNOTSUPP)
            return errno;
        begin = at;
        end = size;
        return 0;
    }
    end = ::lseek(from, begin, SEEK_HOLE);
    if (end < 0)
        end = size;
    begin = std::min(begin, size);
    end = std::min(end, size);
    return 0;
}

} // namespace

int copyFileData(int from, int to, long long size, const std::atomic<bool>* stop) {
    if (stop && stop->load())
        return ECANCELED;
    if (::ioctl(to, FICLONE, from) == 0) {
        struct stat cloned {};
        if (::fstat(to, &cloned) != 0)
            return errno;
        // The clone is the whole file as it is now; the caller's check of the source tells a change.
        return cloned.st_size < size ? EIO : ::ftruncate(to, off_t(size)) == 0 ? 0 : errno;
    }
    std::vector<char> buffer(std::size_t(1) << 20);
    const off_t end = off_t(size);
    for (off_t at = 0; at < end;) {
        off_t dataBegin = 0;
        off_t dataEnd = 0;
        if (const int error = nextData(from, at, end, dataBegin, dataEnd))
            return error;
        if (const int error = copyRange(from, to, dataBegin, dataEnd, buffer, stop))
            return error;
        at = dataEnd;
    }
    // A hole at the end is only a length.
    return ::ftruncate(to, end) == 0 ? 0 : errno;
}

int roomFor(int folder, const struct stat& file) {
    struct statvfs space {};
    if (::fstatvfs(folder, &space) != 0)
        return errno;
    const unsigned long long needed = static_cast<unsigned long long>(file.st_blocks) * 512U;
    const unsigned long long available = static_cast<unsigned long long>(space.f_bavail) * space.f_frsize;
    return needed > available ? ENOSPC : 0;
}

} // namespace zorvik
