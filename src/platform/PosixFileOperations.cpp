#include "platform/PosixFileOperations.h"

#include "core/Failure.h"
#include "core/PathParts.h"
#include "platform/FileDataCopy.h"
#include "platform/OperationJournal.h"
#include "platform/Trash.h"
#include "platform/UniqueFd.h"
#include "platform/WriteAll.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

FileId idOf(const struct stat& status) {
    return {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
}

// Extended attributes (access control lists among them) where both file systems keep them; one the
// other side refuses is left behind, as the system's own move does.
void copyAttributes(int from, int to) {
    ssize_t size = ::flistxattr(from, nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(std::size_t(size) + 1);
    size = ::flistxattr(from, names.data(), names.size());
    if (size <= 0)
        return;
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + size; name += std::strlen(name) + 1) {
        const ssize_t length = ::fgetxattr(from, name, nullptr, 0);
        if (length < 0)
            continue;
        value.resize(std::size_t(length) + 1);
        const ssize_t got = ::fgetxattr(from, name, value.data(), value.size());
        if (got >= 0)
            ::fsetxattr(to, name, value.data(), std::size_t(got), 0);
    }
}

// Owner and group where the process may set them (root may; others may at best keep their own group).
// A copy that cannot keep them drops the set-user and set-group bits, which would otherwise lend
// someone else's rights to the new owner.
mode_t keepOwnership(int to, const struct stat& original) {
    mode_t mode = original.st_mode & 07777;
    if (::fchown(to, original.st_uid, original.st_gid) != 0) {
        if (::fchown(to, uid_t(-1), original.st_gid) != 0)
            mode &= ~mode_t(S_ISGID);
        mode &= ~mode_t(S_ISUID);
    }
    return mode;
}

QString changedDuringTheMove() {
    return QCoreApplication::translate("PosixFileOperations", "It changed during the move.");
}

// A write moves a file's size or its modification time; the change time also catches a write whose
// modification time was set back afterwards.
bool sameStamp(const struct stat& a, const struct stat& b, bool changeTimeToo) {
    auto same = [](const timespec& x, const timespec& y) {
        return x.tv_sec == y.tv_sec && x.tv_nsec == y.tv_nsec;
    };
    return a.st_size == b.st_size && same(a.st_mtim, b.st_mtim) &&
           (!changeTimeToo || same(a.st_ctim, b.st_ctim));
}

// A link is recreated as a link, with its owner and times where the system lets them be set.
std::optional<QString> copyLink(int fromFolder, const QByteArray& name, const struct stat& status, int folder,
                                const QByteArray& temporary) {
    std::vector<char> target(std::size_t(status.st_size) + 1);
    const ssize_t length = ::readlinkat(fromFolder, name.constData(), target.data(), target.size());
    if (length < 0 || std::size_t(length) >= target.size())
        return errnoText(length < 0 ? errno : EIO);
    target[std::size_t(length)] = '\0';
    if (::symlinkat(target.data(), folder, temporary.constData()) != 0)
        return errnoText(errno);
    ::fchownat(folder, temporary.constData(), status.st_uid, status.st_gid, AT_SYMLINK_NOFOLLOW);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    ::utimensat(folder, temporary.constData(), times, AT_SYMLINK_NOFOLLOW);
    return std::nullopt;
}

// The folder's path for the journal: where the system says it is now, else the path the user knows.
QByteArray journalPathOf(int folder, const QByteArray& known) {
    return currentPathOf(folder).value_or(known);
}

// Takes a copy that was put in place out again, if the name still holds it.
void withdrawCopy(int folder, const QByteArray& name, const FileId& copy) {
    std::optional<ClaimedFile> claimed;
    if (ClaimedFile::claim(folder, name, copy, claimed))
        return; // not ours any more: left alone
    if (::unlinkat(folder, claimed->privateName().constData(), 0) == 0)
        claimed->settle();
}

} // namespace

struct PosixFileOperations::Target {
    int folder = -1; // the command's destination, borrowed
    QByteArray name;
    QByteArray path;
    QByteArray folderPath;              // for the journal
    const std::atomic<bool>* stop = {}; // the command's, borrowed
    std::optional<FileId> occupant;     // a file already there under the name
    Trash::Receipt receipt;             // where the occupant went
    bool occupantTrashed = false;
};

// The source of a copy as it was when the copy began, to tell a change before the source goes.
struct PosixFileOperations::SourceCopy {
    UniqueFd source; // open for reading; none for a link, which cannot change in place
    struct stat started {};
    FileId copy; // the copy's identity

    // Why the source is not as it was at `reference`: `name` of `folder` no longer names it, or its
    // content moved. Its state now goes to `now`.
    std::optional<QString> change(const struct stat& reference, bool changeTimeToo, int folder,
                                  const QByteArray& name, struct stat& now) const {
        if (identityOf(folder, name) != std::optional(idOf(started)))
            return changedDuringTheMove();
        now = reference;
        if (source && ::fstat(source.get(), &now) != 0)
            return errnoText(errno);
        if (!sameStamp(reference, now, changeTimeToo))
            return changedDuringTheMove();
        return std::nullopt;
    }
};

bool PosixFileOperations::sameMount(int folderA, int folderB) {
    return mountOf(folderA) == mountOf(folderB);
}

int PosixFileOperations::copyBytes(int from, int to, long long size, const std::atomic<bool>& stop) {
    return copyFileData(from, to, size, &stop);
}

int PosixFileOperations::syncFile(int fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

std::optional<QString> PosixFileOperations::claimSource(int folder, const QByteArray& name, const FileId& id,
                                                        std::optional<ClaimedFile>& claimed) {
    const QByteArray hidden = freshName(folder, ".zorvik-claimed-");
    const JournaledOperation operation;
    QList<QByteArray> fields{journalPathOf(folder, {}), name, hidden};
    if (const int error = operation.record("claim", fields + idFields(id)))
        return errnoText(error);
    std::optional<QString> problem = ClaimedFile::claim(folder, name, id, claimed, hidden);
    passStep("claimed");
    return problem;
}

std::optional<QString> PosixFileOperations::recordPlacing(const Target& to, const FileId& id) {
    // Kept with the claim's flush: whether the file is in place is told by identity, so the entry may
    // be there long before it is.
    const JournaledOperation operation;
    if (const int error = operation.record("place", QList<QByteArray>{to.folderPath, to.name} + idFields(id),
                                           JournaledOperation::Flush::WithNext))
        return errnoText(error);
    return std::nullopt;
}

int PosixFileOperations::removeClaimed(int folder, const QByteArray& privateName) {
    return ::unlinkat(folder, privateName.constData(), 0) == 0 ? 0 : errno;
}

FileOperations::OpenedDestination PosixFileOperations::openDestination(const QByteArray& path) {
    auto destination = std::make_shared<Destination>();
    destination->path = path;
    if (std::optional<QString> failed = openChosenFolder(path, destination->folder))
        return {nullptr, *failed};
    return {std::move(destination), QString()};
}

namespace {

// Only a regular file is ever trashed to make room: a folder, a link or a device of the name is never
// replaced, nor a file this same move takes along.
std::optional<QString> occupantRefusal(const struct stat& occupant, const FileId& source,
                                       const FileOperations::IsBeingMoved& isBeingMoved) {
    const FileId id = idOf(occupant);
    if (id == source)
        return QCoreApplication::translate("PosixFileOperations", "It is already in that folder.");
    if (isBeingMoved && isBeingMoved(id))
        return QCoreApplication::translate("PosixFileOperations",
                                           "A checked file of the same name is in that folder.");
    if (S_ISDIR(occupant.st_mode))
        return QCoreApplication::translate("PosixFileOperations",
                                           "A folder of the same name is in that folder.");
    if (!S_ISREG(occupant.st_mode))
        return QCoreApplication::translate(
            "PosixFileOperations", "A link or other special file of the same name is in that folder.");
    return std::nullopt;
}

} // namespace

FileOperations::MoveOutcome PosixFileOperations::moveFile(const FoundFile& source,
                                                          const Destination& destination,
                                                          const IsBeingMoved& isBeingMoved) {
    // Every step below is recorded under this one operation, the trash's too.
    const JournaledOperation operation;
    FoundFolder from;
    if (std::optional<QString> failed = openFoundFolder(source, from))
        return {failed};
    struct stat status {};
    if (::fstatat(from.folder.get(), from.name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return {errnoText(errno)};
    if (!source.id.isKnown() || idOf(status) != source.id)
        return {changedSinceTheSearch()};
    if (S_ISDIR(status.st_mode))
        return {QCoreApplication::translate("PosixFileOperations", "It is a folder.")};

    Target to;
    to.folder = destination.folder.get();
    to.name = from.name;
    to.path = joinPath(destination.path, to.name);
    to.folderPath = journalPathOf(to.folder, destination.path);
    to.stop = destination.stop.get();
    struct stat occupant {};
    if (::fstatat(to.folder, to.name.constData(), &occupant, AT_SYMLINK_NOFOLLOW) == 0) {
        if (std::optional<QString> refused = occupantRefusal(occupant, source.id, isBeingMoved))
            return {refused};
        to.occupant = idOf(occupant);
    }

    if (sameMount(from.folder.get(), to.folder)) {
        bool crossesMounts = false;
        MoveOutcome done = renameInto(from, source, to, crossesMounts);
        if (!crossesMounts)
            return done;
    }
    return copyInto(from, source, to);
}

std::optional<QString> PosixFileOperations::makeRoom(Target& to) {
    if (!to.occupant)
        return std::nullopt;
    if (std::optional<QString> failed =
            trash_->trashEntry(to.folder, to.name, *to.occupant, to.path, &to.receipt))
        return QCoreApplication::translate(
                   "PosixFileOperations",
                   "The file of the same name in that folder could not be put in the trash: %1")
            .arg(*failed);
    to.occupantTrashed = true;
    return std::nullopt;
}

void PosixFileOperations::undoRoom(Target& to) {
    // Should the name have been taken meanwhile, the file stays in the trash: still not lost.
    if (to.occupantTrashed && !trash_->restore(to.receipt, to.folder, to.name))
        to.occupantTrashed = false;
}

FileOperations::MoveOutcome PosixFileOperations::renameInto(const FoundFolder& from, const FoundFile& source,
                                                            Target& to, bool& crossesMounts) {
    if (!to.occupant)
        return renameAlone(from, source, to, crossesMounts);
    if (std::optional<QString> failed = recordPlacing(to, source.id))
        return {failed};
    std::optional<ClaimedFile> claimed;
    if (std::optional<QString> problem = claimSource(from.folder.get(), from.name, source.id, claimed))
        return {problem};
    if (std::optional<QString> failed = makeRoom(to))
        return {failed}; // the claim gives the file its name back
    const int error = renameWithoutReplacing(from.folder.get(), claimed->privateName(), to.folder, to.name);
    passStep("placed");
    if (error == 0) {
        claimed->settle();
        return arrived(to, source.id);
    }
    undoRoom(to);
    crossesMounts = error == EXDEV;
    return {errnoText(error)};
}

// With no file of the name to make room for, the file goes over in one rename that replaces nothing.
// It is under a name the user sees at every moment, so a crash leaves nothing to settle, and nothing
// is journaled or flushed: a move within a file system costs no wait for the disk. A file that took
// the source's name after it was checked is sent back.
FileOperations::MoveOutcome PosixFileOperations::renameAlone(const FoundFolder& from, const FoundFile& source,
                                                             Target& to, bool& crossesMounts) {
    const int error = renameWithoutReplacing(from.folder.get(), from.name, to.folder, to.name);
    passStep("placed");
    if (error != 0) {
        crossesMounts = error == EXDEV;
        return {errnoText(error)};
    }
    struct stat moved {};
    const bool ours = ::fstatat(to.folder, to.name.constData(), &moved, AT_SYMLINK_NOFOLLOW) == 0 &&
                      idOf(moved) == source.id;
    if (ours)
        return arrived(to, source.id);
    // Should its way back be taken meanwhile, the other file stays where it arrived: moved, not lost.
    (void)renameWithoutReplacing(to.folder, to.name, from.folder.get(), from.name);
    return {changedSinceTheSearch()};
}

FileOperations::MoveOutcome PosixFileOperations::copyInto(const FoundFolder& from, const FoundFile& source,
                                                          Target& to) {
    const int folder = to.folder;
    const QByteArray temporary = freshName(folder, ".zorvik-move-");
    auto dropTemporary = [&] { ::unlinkat(folder, temporary.constData(), 0); };
    if (const int error = JournaledOperation().record("part", {to.folderPath, temporary}))
        return {errnoText(error)};
    SourceCopy copy;
    if (std::optional<QString> failed = copyToTemporary(from, source.id, to, temporary, copy)) {
        dropTemporary();
        return {failed, false, to.stop && to.stop->load()};
    }
    passStep("copied");
    // Only now is anything changed that must be undone on failure.
    std::optional<ClaimedFile> claimed;
    std::optional<QString> problem = recordPlacing(to, copy.copy);
    if (!problem)
        problem = claimSource(from.folder.get(), from.name, source.id, claimed);
    if (problem) {
        dropTemporary();
        return {problem};
    }
    // The claim's rename sets the source's change time: from here on that time is compared with the
    // one after the claim, size and modification time still with the copy's start.
    struct stat claimedState {};
    if (std::optional<QString> changed =
            copy.change(copy.started, false, from.folder.get(), claimed->privateName(), claimedState)) {
        dropTemporary();
        return {changed};
    }
    if (std::optional<QString> failed = makeRoom(to)) {
        dropTemporary();
        return {failed};
    }
    if (const int error = renameWithoutReplacing(folder, temporary, folder, to.name)) {
        undoRoom(to);
        dropTemporary();
        return {errnoText(error)};
    }
    syncFile(folder);
    passStep("placed");
    struct stat last {};
    if (std::optional<QString> changed =
            copy.change(claimedState, true, from.folder.get(), claimed->privateName(), last)) {
        withdrawCopy(folder, to.name, copy.copy);
        undoRoom(to);
        return {changed}; // the claim gives the source its name back
    }
    if (const int error = removeClaimed(from.folder.get(), claimed->privateName())) {
        claimed->giveBack(); // the original under its own name again: the file is in both places now
        return {QCoreApplication::translate("PosixFileOperations",
                                            "It was copied, but the original could not be removed: %1")
                    .arg(errnoText(error)),
                to.occupantTrashed};
    }
    claimed->settle();
    passStep("removed");
    return arrived(to, copy.copy);
}

FileOperations::MoveOutcome PosixFileOperations::arrived(Target& to, const FileId& placed) {
    MoveOutcome done{std::nullopt, to.occupantTrashed};
    done.placed = placed;
    if (to.occupantTrashed) {
        done.replaced = *to.occupant;
        done.replacedReceipt = std::make_shared<Trash::Receipt>(std::move(to.receipt));
    }
    return done;
}

std::optional<QString> PosixFileOperations::copyToTemporary(const FoundFolder& from, const FileId& id,
                                                            const Target& to, const QByteArray& temporary,
                                                            SourceCopy& copy) {
    const int folder = to.folder;
    struct stat status {};
    if (::fstatat(from.folder.get(), from.name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errnoText(errno);
    if (idOf(status) != id)
        return changedSinceTheSearch();
    if (S_ISLNK(status.st_mode)) {
        copy.started = status;
        if (std::optional<QString> failed = copyLink(from.folder.get(), from.name, status, folder, temporary))
            return failed;
        copy.copy = identityOf(folder, temporary).value_or(FileId{});
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode))
        return QCoreApplication::translate("PosixFileOperations", "It is not an ordinary file.");

    copy.source.reset(::openat(from.folder.get(), from.name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!copy.source)
        return errnoText(errno);
    if (::fstat(copy.source.get(), &copy.started) != 0)
        return errnoText(errno);
    if (idOf(copy.started) != id)
        return changedSinceTheSearch();
    // Refused before a byte is written when the blocks it holds would not fit.
    if (const int error = roomFor(folder, copy.started))
        return errnoText(error);
    struct stat copied {};
    const int error = copyRegularFile(copy.source.get(), copy.started, to, temporary, copied);
    if (error == ECANCELED)
        return errnoText(error); // stopped: the source was not touched, whatever it did meanwhile
    // A change of the source explains more than the error it may have caused (a file that shrank
    // cannot be read to the end it had).
    struct stat now {};
    if (std::optional<QString> changed = copy.change(copy.started, true, from.folder.get(), from.name, now))
        return changed;
    if (error)
        return errnoText(error);
    if (copied.st_size != copy.started.st_size)
        return QCoreApplication::translate("PosixFileOperations", "The copy came out at a different size.");
    copy.copy = idOf(copied);
    return std::nullopt;
}

// Copies the regular file `in` (as it was `opened`) into the new file `temporary` of `folder` with its
// metadata, flushed; `copied` is the copy then. 0 or an errno value.
int PosixFileOperations::copyRegularFile(int in, const struct stat& opened, const Target& to,
                                         const QByteArray& temporary, struct stat& copied) {
    UniqueFd out(::openat(to.folder, temporary.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out)
        return errno;
    static const std::atomic<bool> kNever{false};
    int error = copyBytes(in, out.get(), opened.st_size, to.stop ? *to.stop : kNever);
    if (!error) {
        const mode_t mode = keepOwnership(out.get(), opened);
        if (::fchmod(out.get(), mode) != 0)
            error = errno;
    }
    if (!error)
        copyAttributes(in, out.get());
    const timespec times[2] = {opened.st_atim, opened.st_mtim};
    if (!error && ::futimens(out.get(), times) != 0)
        error = errno;
    if (!error)
        error = syncFile(out.get());
    if (!error && ::fstat(out.get(), &copied) != 0)
        error = errno;
    // The copy's own close can still report a write error; it is checked, not left to the guard.
    if (::close(out.release()) != 0 && !error)
        error = errno;
    return error;
}

} // namespace zorvik
