#include "platform/PosixFileOperations.h"

#include "core/Failure.h"
#include "platform/UniqueFd.h"

#include <QRandomGenerator>

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// A fresh name beside `destination` that nothing else uses.
QByteArray temporaryBeside(const QByteArray& destination) {
    return folderOf(destination) + "/.zorvik-move-" +
           QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

void syncFolder(const QByteArray& folder) {
    const UniqueFd fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd)
        ::fsync(fd.get());
}

} // namespace

int PosixFileOperations::renameFile(const char* from, const char* to) {
    return ::rename(from, to) == 0 ? 0 : errno;
}

int PosixFileOperations::copyBytes(int from, int to, long long size) {
    std::vector<char> buffer(1 << 20);
    long long left = size;
    while (left > 0) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            return EIO; // shorter than it said: the size check below would fail anyway
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, std::size_t(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += put;
        }
        left -= got;
    }
    return 0;
}

int PosixFileOperations::syncFile(int fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

int PosixFileOperations::removeFile(const char* path) {
    return ::unlink(path) == 0 ? 0 : errno;
}

bool PosixFileOperations::isFolder(const QByteArray& path) {
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::optional<QString> PosixFileOperations::moveFile(const QByteArray& source,
                                                     const QByteArray& destination) {
    struct stat from {};
    if (::lstat(source.constData(), &from) != 0)
        return errnoText(errno);
    if (S_ISDIR(from.st_mode))
        return u"It is a folder."_s;
    struct stat to {};
    if (::lstat(destination.constData(), &to) == 0 && to.st_dev == from.st_dev && to.st_ino == from.st_ino)
        return u"It is already in that folder."_s;
    const int renamed = renameFile(source.constData(), destination.constData());
    if (renamed == 0)
        return std::nullopt;
    if (renamed != EXDEV)
        return errnoText(renamed);
    return copyThenRemove(source, destination);
}

std::optional<QString> PosixFileOperations::copyThenRemove(const QByteArray& source,
                                                           const QByteArray& destination) {
    // The copy is made under a temporary name, so a failure or a crash at any point leaves the source
    // and any file already at the destination as they were.
    const QByteArray temporary = temporaryBeside(destination);
    if (std::optional<QString> failed = copyInto(source, temporary)) {
        ::unlink(temporary.constData());
        return failed;
    }
    if (const int error = renameFile(temporary.constData(), destination.constData())) {
        ::unlink(temporary.constData());
        return errnoText(error);
    }
    syncFolder(folderOf(destination));
    if (const int error = removeFile(source.constData()))
        return u"It was copied, but the original could not be removed: "_s + errnoText(error);
    return std::nullopt;
}

std::optional<QString> PosixFileOperations::copyInto(const QByteArray& source, const QByteArray& temporary) {
    struct stat status {};
    if (::lstat(source.constData(), &status) != 0)
        return errnoText(errno);
    if (S_ISLNK(status.st_mode)) {
        std::vector<char> target(std::size_t(status.st_size) + 1);
        const ssize_t length = ::readlink(source.constData(), target.data(), target.size());
        if (length < 0 || std::size_t(length) >= target.size())
            return errnoText(length < 0 ? errno : EIO);
        target[std::size_t(length)] = '\0';
        return ::symlink(target.data(), temporary.constData()) == 0
                   ? std::nullopt
                   : std::optional<QString>(errnoText(errno));
    }
    if (!S_ISREG(status.st_mode))
        return u"It is not an ordinary file."_s;

    const UniqueFd in(::open(source.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!in)
        return errnoText(errno);
    UniqueFd out(::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!out)
        return errnoText(errno);
    struct stat opened {};
    int error = ::fstat(in.get(), &opened) == 0 ? 0 : errno;
    if (!error)
        error = copyBytes(in.get(), out.get(), opened.st_size);
    if (!error && ::fchmod(out.get(), opened.st_mode & 07777) != 0)
        error = errno;
    const timespec times[2] = {opened.st_atim, opened.st_mtim};
    if (!error && ::futimens(out.get(), times) != 0)
        error = errno;
    if (!error)
        error = syncFile(out.get());
    struct stat copied {};
    if (!error && ::fstat(out.get(), &copied) != 0)
        error = errno;
    // The copy's own close can still report a write error; it is checked, not left to the guard.
    if (::close(out.release()) != 0 && !error)
        error = errno;
    if (error)
        return errnoText(error);
    if (copied.st_size != opened.st_size)
        return u"The copy came out at a different size."_s;
    return std::nullopt;
}

} // namespace zorvik
