#include "platform/FreedesktopTrash.h"

#include "core/Failure.h"
#include "core/PathParts.h"
#include "platform/FoundFileAccess.h"
#include "platform/OperationJournal.h"
#include "platform/TrashEntryName.h"
#include "platform/WriteAll.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#if defined(__linux__)
#include <linux/magic.h>
#endif

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

QString keepsNoTrash() {
    return QCoreApplication::translate("FreedesktopTrash", "The file system it is on keeps no trash.");
}

// The system's memory and kernel file systems, where the desktop keeps no trash either.
bool isSystemFileSystem(int folder) {
#if defined(__linux__)
    struct statfs facts {};
    if (::fstatfs(folder, &facts) != 0)
        return false;
    switch (static_cast<unsigned long>(facts.f_type)) {
    case TMPFS_MAGIC:
    case RAMFS_MAGIC:
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case SELINUX_MAGIC:
    case BPF_FS_MAGIC:
    case HUGETLBFS_MAGIC:
    case 0x19800202: // mqueue
    case PSTOREFS_MAGIC:
    case EFIVARFS_MAGIC:
        return true;
    default:
        return false;
    }
#else
    (void)folder;
    return false;
#endif
}

// The top folder of the mount that holds `folder`, found by going up through ".." until the mount
// changes or the root is reached.
UniqueFd topOfMount(int folder) {
    UniqueFd current(::openat(folder, ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!current)
        return {};
    const std::uint64_t mount = mountOf(current.get());
    for (;;) {
        UniqueFd parent(::openat(current.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!parent)
            return current;
        struct stat here {};
        struct stat above {};
        if (::fstat(current.get(), &here) != 0 || ::fstat(parent.get(), &above) != 0)
            return current;
        const bool isRoot = here.st_dev == above.st_dev && here.st_ino == above.st_ino;
        if (isRoot || mountOf(parent.get()) != mount)
            return current;
        current = std::move(parent);
    }
}

// A folder of ours inside `parent`, made with mode 0700 when missing; never a link, and, when
// `mustBeOwn`, one that belongs to this user.
std::optional<QString> ownFolder(int parent, const QByteArray& name, bool mustBeOwn, UniqueFd& opened) {
    if (::mkdirat(parent, name.constData(), 0700) != 0 && errno != EEXIST)
        return errnoText(errno);
    opened.reset(::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!opened)
        return errnoText(errno);
    struct stat status {};
    if (::fstat(opened.get(), &status) != 0)
        return errnoText(errno);
    if (mustBeOwn && status.st_uid != ::getuid())
        return QCoreApplication::translate("FreedesktopTrash",
                                           "The trash folder of this file system belongs to someone else.");
    return std::nullopt;
}

std::optional<QString> filesAndInfo(int trash, UniqueFd& files, UniqueFd& info) {
    if (std::optional<QString> failed = ownFolder(trash, "files", false, files))
        return failed;
    return ownFolder(trash, "info", false, info);
}

// Opens (making it when missing) a folder by a whole path, each part as a folder of ours.
std::optional<QString> openOrMake(const QByteArray& path, UniqueFd& opened) {
    UniqueFd current(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (const QByteArray& part : path.split('/')) {
        if (part.isEmpty())
            continue;
        if (::mkdirat(current.get(), part.constData(), 0700) != 0 && errno != EEXIST)
            return errnoText(errno);
        UniqueFd next(::openat(current.get(), part.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!next)
            return errnoText(errno);
        current = std::move(next);
    }
    opened = std::move(current);
    return std::nullopt;
}

// The device of `path`, or of the nearest folder above it that exists: a data folder not made yet
// will be made on its home's device.
std::optional<std::uint64_t> deviceOf(QByteArray path) {
    for (;;) {
        struct stat status {};
        if (::stat(path.constData(), &status) == 0)
            return std::uint64_t(status.st_dev);
        if (path == "/" || path == ".")
            return std::nullopt;
        path = parentOf(path);
    }
}

// Records, before the file is touched, where it is going: its folder, name, the private name it is
// claimed under, its identity, and the trash's entry and record (with the record's identity, so that
// recovery removes only the record made here). 0 or an errno value.
int recordTrashing(const JournaledOperation& operation, int files, int infos, int folder,
                   const QByteArray& name, const QByteArray& hidden, const FileId& id,
                   const QByteArray& entry, int record) {
    struct stat info {};
    if (::fstat(record, &info) != 0)
        return errno;
    QList<QByteArray> fields{currentPathOf(folder).value_or(QByteArray()), name, hidden};
    fields << idFields(id) << currentPathOf(files).value_or(QByteArray())
           << currentPathOf(infos).value_or(QByteArray()) << entry
           << idFields({std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)});
    return operation.record("trash", fields);
}

QByteArray trashInfo(const QByteArray& recordedPath) {
    return "[Trash Info]\nPath=" + recordedPath.toPercentEncoding("/") +
           "\nDeletionDate=" + QDateTime::currentDateTime().toString(u"yyyy-MM-ddTHH:mm:ss"_s).toLatin1() +
           "\n";
}

} // namespace

FreedesktopTrash::FreedesktopTrash()
    : homeTrash_(QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) +
                 "/Trash") {}

bool FreedesktopTrash::onHomeDevice(std::uint64_t device) const {
    return deviceOf(homeTrash_) == device;
}

std::optional<QString> FreedesktopTrash::homePlace(int folder, const QByteArray& name, const QByteArray& path,
                                                   Place& place) const {
    UniqueFd trash;
    if (std::optional<QString> failed = openOrMake(homeTrash_, trash))
        return failed;
    if (std::optional<QString> failed = filesAndInfo(trash.get(), place.files, place.info))
        return failed;
    const std::optional<QByteArray> where = currentPathOf(folder);
    place.recordedPath = where ? joinPath(*where, name) : path;
    return std::nullopt;
}

std::optional<QString> FreedesktopTrash::volumePlace(int folder, const QByteArray& name,
                                                     const QByteArray& path, Place& place) const {
    if (isSystemFileSystem(folder))
        return keepsNoTrash();
    const UniqueFd top = topOfMount(folder);
    if (!top)
        return errnoText(errno);
    const QByteArray uid = QByteArray::number(::getuid());
    UniqueFd trash;
    // An administrator's shared .Trash counts only as a real, sticky folder; otherwise our own.
    struct stat shared {};
    UniqueFd sharedTrash;
    if (::fstatat(top.get(), ".Trash", &shared, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(shared.st_mode) &&
        (shared.st_mode & S_ISVTX))
        sharedTrash.reset(::openat(top.get(), ".Trash", O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!sharedTrash || ownFolder(sharedTrash.get(), uid, true, trash)) {
        if (std::optional<QString> failed = ownFolder(top.get(), ".Trash-" + uid, true, trash))
            return failed;
    }
    if (std::optional<QString> failed = filesAndInfo(trash.get(), place.files, place.info))
        return failed;
    // The record is relative to the top of the file system when the system can tell the two paths.
    const std::optional<QByteArray> where = currentPathOf(folder);
    const std::optional<QByteArray> topPath = currentPathOf(top.get());
    if (where && topPath &&
        (*topPath == "/" || where->startsWith(QByteArray(*topPath + '/')) || *where == *topPath)) {
        const QByteArray below = *topPath == "/" ? where->mid(1) : where->mid(topPath->size() + 1);
        place.recordedPath = below.isEmpty() ? name : below + '/' + name;
    } else {
        place.recordedPath = path;
    }
    return std::nullopt;
}

std::optional<FreedesktopTrash::Refusal> FreedesktopTrash::trashInto(Place& place, int folder,
                                                                     const QByteArray& name, const FileId& id,
                                                                     Receipt* receipt) {
    const auto refusal = [](int code) { return Refusal{code, errnoText(code)}; };
    const JournaledOperation operation;
    // The record comes first and claims the name: name, name.2, name.3 ...
    QByteArray entry;
    UniqueFd record;
    for (int n = 1; !record; ++n) {
        entry = trashEntryName(name, n);
        const QByteArray info = entry + ".trashinfo";
        record.reset(::openat(place.info.get(), info.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!record && errno != EEXIST)
            return refusal(errno);
        if (record && identityOf(place.files.get(), entry)) { // a stray file without its record
            ::unlinkat(place.info.get(), info.constData(), 0);
            record.reset();
        }
    }
    const QByteArray info = entry + ".trashinfo";
    auto dropRecord = [&] { ::unlinkat(place.info.get(), info.constData(), 0); };
    const QByteArray hidden = freshName(folder, ".zorvik-claimed-");
    int error = recordTrashing(operation, place.files.get(), place.info.get(), folder, name, hidden, id,
                               entry, record.get());
    if (!error)
        error = writeAll(record.get(), trashInfo(place.recordedPath));
    if (!error && ::fsync(record.get()) != 0)
        error = errno;
    if (error) {
        dropRecord();
        return refusal(error);
    }
    record.reset();
    passStep("trashinfo written");

    std::optional<ClaimedFile> claimed;
    std::optional<QString> problem = ClaimedFile::claim(folder, name, id, claimed, hidden);
    passStep("claimed");
    if (problem) {
        dropRecord();
        return Refusal{0, *problem};
    }
    const int moveError = renameWithoutReplacing(folder, claimed->privateName(), place.files.get(), entry);
    passStep("trashed");
    if (moveError) {
        dropRecord();
        return refusal(moveError); // the claim gives the file its name back
    }
    claimed->settle();
    if (receipt)
        *receipt = Receipt{std::move(place.files), std::move(place.info), entry};
    return std::nullopt;
}

std::optional<QString> FreedesktopTrash::trashEntry(int folder, const QByteArray& name, const FileId& id,
                                                    const QByteArray& path, Receipt* receipt) {
    if (std::optional<QString> problem = identityProblem(folder, name, id))
        return problem;
    if (onHomeDevice(id.device)) {
        Place home;
        if (std::optional<QString> failed = homePlace(folder, name, path, home))
            return failed;
        const std::optional<Refusal> refused = trashInto(home, folder, name, id, receipt);
        if (!refused)
            return std::nullopt;
        // The same device under another mount (a bind mount): renames cannot cross it, so the file
        // system's own trash is the place after all.
        if (refused->code != EXDEV)
            return refused->text;
    }
    Place place;
    if (std::optional<QString> failed = volumePlace(folder, name, path, place))
        return failed;
    const std::optional<Refusal> refused = trashInto(place, folder, name, id, receipt);
    return refused ? std::optional(refused->text) : std::nullopt;
}

std::optional<QString> FreedesktopTrash::restore(const Receipt& receipt, int folder, const QByteArray& name) {
    if (const int error = renameWithoutReplacing(receipt.files.get(), receipt.name, folder, name))
        return errnoText(error);
    ::unlinkat(receipt.info.get(), QByteArray(receipt.name + ".trashinfo").constData(), 0);
    return std::nullopt;
}

std::optional<QString> Trash::moveToTrash(const FoundFile& file, Receipt* receipt) {
    FoundFolder opened;
    if (std::optional<QString> failed = openFoundFolder(file, opened))
        return failed;
    return trashEntry(opened.folder.get(), opened.name, file.id, file.path, receipt);
}

} // namespace zorvik
