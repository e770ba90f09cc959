#include "platform/FoundFileAccess.h"

#include "core/Failure.h"
#include "platform/OpenBeneath.h"

#include <QCoreApplication>
#include <QList>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorvik {

QString changedSinceTheSearch() {
    return QCoreApplication::translate("FoundFileAccess", "It has changed since the search.");
}

namespace {

// A link, a file or an escape where the search went through a folder: the way to the file is not the
// way the search took.
bool meansChanged(int error) {
    return error == ELOOP || error == ENOTDIR || error == EXDEV;
}

} // namespace

std::optional<QString> openChosenFolder(const QByteArray& path, UniqueFd& opened) {
    opened.reset(::open(path.isEmpty() ? "." : path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!opened)
        return errnoText(errno);
    return std::nullopt;
}

std::optional<QString> openFoundFolder(const FoundFile& file, FoundFolder& opened) {
    const qsizetype slash = file.path.lastIndexOf('/');
    if (slash < 0 || slash == file.path.size() - 1)
        return QCoreApplication::translate("FoundFileAccess", "The row names no file.");
    opened.name = file.path.mid(slash + 1);
    const qsizetype rootLength = std::clamp<qsizetype>(file.rootLength, 0, slash);
    QByteArray root = file.path.left(rootLength);
    if (root.isEmpty())
        root = file.path.startsWith('/') ? QByteArray("/") : QByteArray(".");
    QByteArray below = file.path.mid(rootLength, slash - rootLength);
    while (below.startsWith('/'))
        below.remove(0, 1);

    UniqueFd rootFolder;
    if (std::optional<QString> failed = openChosenFolder(root, rootFolder))
        return failed;
    if (below.isEmpty()) {
        opened.folder = std::move(rootFolder);
        return std::nullopt;
    }
    const int fd = openBeneath(rootFolder.get(), below);
    if (fd < 0)
        return meansChanged(errno) ? changedSinceTheSearch() : errnoText(errno);
    opened.folder.reset(fd);
    return std::nullopt;
}

std::optional<FileId> identityOf(int folder, const QByteArray& name) {
    struct stat status {};
    if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return FileId{std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
}

std::optional<QString> identityProblem(int folder, const QByteArray& name, const FileId& id) {
    struct stat status {};
    if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errnoText(errno);
    if (!id.isKnown() || FileId{std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)} != id)
        return changedSinceTheSearch();
    return std::nullopt;
}

int renameWithoutReplacing(int fromFolder, const QByteArray& from, int toFolder, const QByteArray& to) {
    if (::renameat2(fromFolder, from.constData(), toFolder, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // The file system cannot promise not to replace (some network and FUSE ones): look first.
    struct stat status {};
    if (::fstatat(toFolder, to.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return ::renameat(fromFolder, from.constData(), toFolder, to.constData()) == 0 ? 0 : errno;
}

QByteArray freshName(int folder, const QByteArray& stem) {
    for (;;) {
        QByteArray name = stem + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        struct stat status {};
        if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT)
            return name;
    }
}

std::uint64_t mountOf(int folder) {
#if defined(__linux__) && defined(STATX_MNT_ID)
    struct statx facts {};
    if (::statx(folder, "", AT_EMPTY_PATH, STATX_MNT_ID, &facts) == 0 && (facts.stx_mask & STATX_MNT_ID))
        return facts.stx_mnt_id;
#endif
    struct stat status {};
    return ::fstat(folder, &status) == 0 ? std::uint64_t(status.st_dev) : 0;
}

std::optional<QByteArray> currentPathOf(int folder) {
    std::vector<char> buffer(4096);
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(folder);
    for (;;) {
        const ssize_t length = ::readlink(link.constData(), buffer.data(), buffer.size());
        if (length < 0)
            return std::nullopt;
        if (std::size_t(length) < buffer.size()) {
            QByteArray path(buffer.data(), length);
            if (!path.startsWith('/') || path.endsWith(" (deleted)"))
                return std::nullopt;
            return path;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<QString> ClaimedFile::claim(int folder, const QByteArray& name, const FileId& id,
                                          std::optional<ClaimedFile>& claimed, QByteArray privateName) {
    // Looked at first, so that a file that is no longer the one found is not even renamed.
    if (std::optional<QString> problem = identityProblem(folder, name, id))
        return problem;
    if (privateName.isEmpty())
        privateName = freshName(folder, ".zorvik-claimed-");
    if (const int error = renameWithoutReplacing(folder, name, folder, privateName))
        return errnoText(error);
    ClaimedFile held(folder, name, privateName);
    // Swapped between the look and the rename: the other file gets its name back at once.
    if (std::optional<QString> problem = identityProblem(folder, privateName, id))
        return problem;
    claimed.emplace(std::move(held));
    return std::nullopt;
}

ClaimedFile::~ClaimedFile() {
    if (folder_ >= 0)
        giveBack();
}

bool ClaimedFile::giveBack() {
    if (folder_ < 0)
        return true;
    const bool back = renameWithoutReplacing(folder_, privateName_, folder_, name_) == 0;
    folder_ = -1;
    return back;
}

} // namespace zorvik
