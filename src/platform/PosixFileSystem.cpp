#include "platform/PosixFileSystem.h"

#include "platform/OpenBeneath.h"
#include "platform/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__linux__)
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#endif

namespace zorvik {

namespace {

[[noreturn]] void fail(int errorNumber) {
    throw FileSystemFailure(errnoText(errorNumber), errorNumber);
}

FileSystem::EntryKind kindOf(unsigned char type) {
    switch (type) {
    case DT_DIR:
        return FileSystem::EntryKind::Folder;
    case DT_REG:
        return FileSystem::EntryKind::File;
    case DT_UNKNOWN:
        return FileSystem::EntryKind::Unknown;
    default:
        return FileSystem::EntryKind::Other; // links, devices, pipes and sockets
    }
}

constexpr std::size_t kListingBuffer = std::size_t{64} * 1024;

// One listing buffer per thread, reused: a thread lists one folder completely before the next.
std::vector<char>& listingBuffer() {
    thread_local std::vector<char> buffer(kListingBuffer);
    return buffer;
}

#if defined(__linux__)
// File systems whose every request travels to another machine or to a user-space server (statfs's
// f_type): NFS, SMB/CIFS (three generations), FUSE (sshfs, rclone and the like), 9p, Ceph, AFS, Coda,
// NCP, Lustre, GFS2 and OCFS2 (cluster locks over the network).
bool isNetworkFileSystem(std::uint32_t type) {
    switch (type) {
    case 0x6969:     // NFS
    case 0x517B:     // SMB
    case 0xFF534D42: // CIFS
    case 0xFE534D42: // SMB2
    case 0x65735546: // FUSE
    case 0x01021997: // 9p
    case 0x00C36400: // Ceph
    case 0x5346414F: // AFS
    case 0x6B414653: // kAFS
    case 0x73757245: // Coda
    case 0x564C:     // NCP
    case 0x0BD00BD0: // Lustre
    case 0x01161970: // GFS2
    case 0x7461636F: // OCFS2
        return true;
    default:
        return false;
    }
}

// "1" or "0" from a block device's queue/rotational in sysfs; no value when there is no such file.
std::optional<bool> readRotational(const QByteArray& path) {
    const UniqueFd file(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    if (!file)
        return std::nullopt;
    char first = 0;
    if (::read(file.get(), &first, 1) != 1)
        return std::nullopt;
    return first == '1';
}
#endif

} // namespace

FileSystem::Handle PosixFileSystem::openFolderHandle(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    return fd;
}

FileSystem::Handle PosixFileSystem::openSubFolderHandle(Handle parent, const char* name) {
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    return fd;
}

FileSystem::Handle PosixFileSystem::openParentHandle(Handle child, FolderId expected) {
    UniqueFd parent(::openat(child, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!parent)
        fail(errno);
    if (identify(parent.get()) != expected)
        fail(ENOENT); // the folder was moved away while its sub-folders were searched
    return parent.release();
}

FileSystem::Handle PosixFileSystem::openBelowHandle(Handle root, const QByteArray& relativePath,
                                                    Mounts mounts) {
    const int fd = mounts == Mounts::Stay ? openBeneathOnSameMount(root, relativePath)
                                          : openBeneathInOneCall(root, relativePath);
    if (fd < 0)
        fail(errno); // ENOSYS and ENAMETOOLONG tell the walk to open one level at a time
    return fd;
}

FileSystem::FolderId PosixFileSystem::identify(Handle folder) {
    struct stat status {};
    if (::fstat(folder, &status) != 0)
        fail(errno);
    return {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
}

void PosixFileSystem::close(Handle folder) {
    ::close(folder);
}

#if defined(__linux__)
void PosixFileSystem::list(Handle folder, const EntrySink& sink) {
    // getdents64 hands over whole batches of entries, in the kernel's order, without a DIR stream.
    for (;;) {
        std::vector<char>& buffer = listingBuffer();
        const ssize_t got = ::getdents64(folder, buffer.data(), buffer.size());
        if (got < 0)
            fail(errno);
        if (got == 0)
            return;
        for (ssize_t offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + offset);
            offset += entry->d_reclen;
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            sink(name, kindOf(entry->d_type), std::uint64_t(entry->d_ino));
        }
    }
}
#else
void PosixFileSystem::list(Handle folder, const EntrySink& sink) {
    UniqueFd copy(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!copy)
        fail(errno);
    DIR* stream = ::fdopendir(copy.get());
    if (!stream)
        fail(errno);
    copy.release(); // the stream owns it now
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(stream);
        if (!entry) {
            const int error = errno;
            ::closedir(stream);
            if (error != 0)
                fail(error);
            return;
        }
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        sink(name, kindOf(entry->d_type), std::uint64_t(entry->d_ino));
    }
}
#endif

std::optional<FileSystem::EntryStatus> PosixFileSystem::statusOf(Handle folder, const char* name) {
    struct stat status {};
    if (::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        fail(errno);
    }
    return EntryStatus{std::uint64_t(status.st_size),
                       {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)},
                       S_ISDIR(status.st_mode),
                       !S_ISDIR(status.st_mode) && !S_ISREG(status.st_mode),
                       std::uint32_t(std::min<std::uint64_t>(status.st_nlink, UINT32_MAX))};
}

FileSystem::Storage PosixFileSystem::storageOf(Handle folder) {
#if defined(__linux__)
    struct statfs system {};
    if (::fstatfs(folder, &system) != 0)
        fail(errno);
    if (isNetworkFileSystem(static_cast<std::uint32_t>(system.f_type))) // magic numbers are 32 bits
        return Storage::Network;                                        // no need to ask further
    struct stat status {};
    if (::fstat(folder, &status) != 0)
        fail(errno);
    // A partition has no queue of its own: its disk's is one folder up.
    const QByteArray device = "/sys/dev/block/" + QByteArray::number(major(status.st_dev)) + ':' +
                              QByteArray::number(minor(status.st_dev));
    std::optional<bool> rotational = readRotational(device + "/queue/rotational");
    if (!rotational)
        rotational = readRotational(device + "/../queue/rotational");
    char place[PATH_MAX];
    const bool placed = ::realpath(device.constData(), place) != nullptr;
    return storageFrom(static_cast<std::uint32_t>(system.f_type), rotational, placed ? place : "");
#else
    (void)folder;
    return Storage::Local;
#endif
}

bool PosixFileSystem::isKernelFileSystem(Handle folder) {
#if defined(__linux__)
    struct statfs system {};
    if (::fstatfs(folder, &system) != 0)
        fail(errno);
    return isKernelFileSystemType(static_cast<std::uint32_t>(system.f_type));
#else
    (void)folder;
    return false;
#endif
}

QByteArray PosixFileSystem::readFileStart(Handle folder, const char* name, qsizetype most) {
    // Non-blocking: a pipe put where a file was expected must not hold the reader.
    const UniqueFd file(::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (!file || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    QByteArray start(most, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < most) {
        const ssize_t now = ::read(file.get(), start.data() + got, std::size_t(most - got));
        if (now < 0 && errno == EINTR)
            continue;
        if (now <= 0)
            break;
        got += now;
    }
    start.truncate(got);
    return start;
}

bool isKernelFileSystemType(std::uint32_t fileSystemType) {
    switch (fileSystemType) {
    case 0x9FA0:     // proc
    case 0x62656572: // sysfs
    case 0x1CD1:     // devpts
    case 0x27E0EB:   // cgroup
    case 0x63677270: // cgroup2
    case 0x64626720: // debugfs
    case 0x74726163: // tracefs
    case 0x73636673: // securityfs
    case 0x6165676C: // pstore
    case 0xCAFE4A11: // bpf
    case 0x62656570: // configfs
    case 0x65735543: // fusectl
    case 0x19800202: // mqueue
    case 0x958458F6: // hugetlbfs
    case 0x42494E4D: // binfmt_misc
    case 0xDE5E81E4: // efivarfs
    case 0x0187:     // autofs
    case 0xF97CFF8C: // selinuxfs
    case 0x43415D53: // smackfs
    case 0x6E736673: // nsfs
    case 0x7655821:  // resctrl
    case 0x9FA2:     // usbfs
        return true;
    default:
        return false;
    }
}

FileSystem::Storage storageFrom(std::uint32_t fileSystemType, std::optional<bool> rotational,
                                QByteArrayView sysfsDevice) {
#if defined(__linux__)
    if (isNetworkFileSystem(fileSystemType))
        return FileSystem::Storage::Network;
#else
    (void)fileSystemType;
#endif
    // Paravirtual disks (virtio, Xen) say they turn whatever the host keeps them on, and most hosts
    // keep them on storage that serves many requests at once: their flag says nothing. Devices without
    // a queue (btrfs's, overlays, tmpfs) do not turn.
    const bool paravirtual = sysfsDevice.contains("/virtio") || sysfsDevice.contains("/vbd-");
    return rotational.value_or(false) && !paravirtual ? FileSystem::Storage::RotatingDisk
                                                      : FileSystem::Storage::Local;
}

std::uint64_t PosixFileSystem::waitsOfThisThread() {
#ifdef RUSAGE_THREAD
    // Voluntary context switches: the thread gave up its core until something it waited for came.
    rusage usage{};
    if (::getrusage(RUSAGE_THREAD, &usage) == 0)
        return std::uint64_t(usage.ru_nvcsw);
#endif
    return 0;
}

} // namespace zorvik
