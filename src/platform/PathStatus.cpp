#include "platform/PathStatus.h"

#include "core/Failure.h"

#include <QFile>

#include <cerrno>

#include <sys/stat.h>

namespace zorvik {

bool PathExists(const QString& path) {
    if (path.isEmpty())
        return false;
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

bool IsRegularFile(const QString& path) {
    struct stat info {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0 &&
           S_ISREG(info.st_mode);
}

std::optional<QString> folderProblem(const QString& path) {
    return folderProblem(QFile::encodeName(path));
}

std::optional<QString> folderProblem(const QByteArray& path) {
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return errnoText(errno);
    if (!S_ISDIR(info.st_mode))
        return errnoText(ENOTDIR);
    return std::nullopt;
}

bool PathIsGone(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) != 0 && errno == ENOENT;
}

} // namespace zorvik
