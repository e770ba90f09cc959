#include "platform/RegularFile.h"

#include "platform/UniqueFd.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvik {

namespace {

QString kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return QCoreApplication::translate("RegularFile", "a folder");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("RegularFile", "a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("RegularFile", "a device");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("RegularFile", "a socket");
    return QCoreApplication::translate("RegularFile", "a special file");
}

RegularFileRead failed(RegularFileRead::Outcome outcome, int error) {
    RegularFileRead result;
    result.outcome = outcome;
    result.error = error;
    return result;
}

// Opens for reading the very file that `located` (an O_PATH descriptor) refers to. Through /proc the
// open reaches that inode whatever the path names by now; without /proc the path is opened again,
// never blocking, and must still lead to the same file.
UniqueFd reopenForReading(const UniqueFd& located, const QByteArray& path, const struct stat& checked) {
    const QByteArray viaProc = "/proc/self/fd/" + QByteArray::number(located.get());
    UniqueFd file(::open(viaProc.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file || errno != ENOENT)
        return file;
    UniqueFd again(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat now {};
    if (!again || ::fstat(again.get(), &now) != 0)
        return UniqueFd();
    if (now.st_dev != checked.st_dev || now.st_ino != checked.st_ino) {
        errno = EAGAIN;
        return UniqueFd();
    }
    return again;
}

} // namespace

RegularFileRead readRegularFile(const QString& path, qint64 limit) {
    using Outcome = RegularFileRead::Outcome;
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.isEmpty())
        return failed(Outcome::NotFound, ENOENT);
    // O_PATH follows links and opens nothing: a named pipe does not wait for a writer, a device's
    // driver is not called.
    const UniqueFd located(::open(encoded.constData(), O_PATH | O_CLOEXEC));
    if (!located)
        return failed(Outcome::NotFound, errno);
    struct stat status {};
    if (::fstat(located.get(), &status) != 0)
        return failed(Outcome::NotFound, errno);
    if (!S_ISREG(status.st_mode)) {
        RegularFileRead result;
        result.outcome = Outcome::NotRegular;
        result.kind = kindOf(status.st_mode);
        return result;
    }
    if (status.st_size > limit)
        return failed(Outcome::TooLarge, 0);

    const UniqueFd file = reopenForReading(located, encoded, status);
    if (!file)
        return failed(Outcome::CannotRead, errno);
    RegularFileRead result;
    result.outcome = Outcome::Read;
    std::vector<char> chunk(std::size_t(1) << 16);
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failed(Outcome::CannotRead, errno);
        if (got == 0)
            return result;
        result.bytes.append(chunk.data(), qsizetype(got));
        // The file may have grown since fstat.
        if (result.bytes.size() > limit)
            return failed(Outcome::TooLarge, 0);
    }
}

} // namespace zorvik
