#pragma once

#include "core/Failure.h"
#include "platform/FileId.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace zorvik {

// A failure of the file system itself (a folder that cannot be opened or listed), as opposed to a
// failure of whoever visits what it lists.
class FileSystemFailure : public Failure {
public:
    using Failure::Failure;
};

// What the folder walk needs of the file system: folders opened by handle, listed in the system's own
// order, and the sizes of their entries. Names and paths are the system's bytes. Every operation may
// be called from several threads at once, each on its own handles (or on a handle only read by all).
// Owned through a shared_ptr in the program: workers left behind in a call that never returns keep
// their share of it (sharedFileSystem).
class FileSystem : public std::enable_shared_from_this<FileSystem> {
public:
    using Handle = int; // an open folder, borrowed from its owner
    // File: a regular file; Other: a link, device, pipe or socket, which holds no data of its own.
    enum class EntryKind { Folder, File, Other, Unknown };
    // Where a folder's entries are kept, as far as it tells how to read them fast: over a network or
    // through a user-space file system (every request a round trip: many in flight pay), on a local
    // disk that turns (requests in parallel make its head seek), or any other local storage.
    enum class Storage { Local, RotatingDisk, Network };
    using FolderId = FileId;
    // What the walk needs to know of an entry.
    struct EntryStatus {
        std::uint64_t bytes = 0; // a link's own size for a link
        FileId id;
        bool isFolder = false;
        bool isOther = false;    // a link, device, pipe or socket
        std::uint32_t links = 0; // how many names the file has; 0 where the system does not tell
    };
    // The name is a NUL-terminated C string, valid during the call. `inode` is the entry's inode as the
    // listing gives it (0 where it gives none): where something is mounted on the entry, the inode of
    // the entry underneath, which its status does not show.
    using EntrySink = std::function<void(const char* name, EntryKind kind, std::uint64_t inode)>;

    // An open folder, closed through its file system when the owner lets it go.
    class Folder {
    public:
        Folder() = default;
        Folder(FileSystem& fileSystem, Handle handle) : fileSystem_(&fileSystem), handle_(handle) {}
        Folder(Folder&& other) noexcept
            : fileSystem_(other.fileSystem_), handle_(std::exchange(other.handle_, -1)) {}
        Folder& operator=(Folder&& other) noexcept {
            if (this != &other) {
                reset();
                fileSystem_ = other.fileSystem_;
                handle_ = std::exchange(other.handle_, -1);
            }
            return *this;
        }
        Folder(const Folder&) = delete;
        Folder& operator=(const Folder&) = delete;
        ~Folder() { reset(); }

        Handle handle() const { return handle_; }
        bool isOpen() const { return handle_ >= 0; }
        void reset() {
            if (handle_ >= 0)
                fileSystem_->close(std::exchange(handle_, -1));
        }

    private:
        FileSystem* fileSystem_ = nullptr;
        Handle handle_ = -1;
    };

    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    virtual ~FileSystem() = default;

    // Opens a folder by its path, following links. Throws FileSystemFailure.
    Folder openFolder(const QByteArray& path) { return {*this, openFolderHandle(path)}; }
    // Opens a folder entry of an open folder; a link is never followed. Throws FileSystemFailure.
    Folder openSubFolder(Handle parent, const char* name) {
        return {*this, openSubFolderHandle(parent, name)};
    }
    // Reopens the folder that holds `child`, and checks that it is still the folder `expected`.
    Folder openParent(Handle child, FolderId expected) { return {*this, openParentHandle(child, expected)}; }
    // Opens the folder at `relativePath` below the open folder `root` in one step, following no link
    // on the way and never leaving `root`. Throws FileSystemFailure; with errorNumber() ENAMETOOLONG or
    // ENOSYS this way of opening cannot be used for the path, and the folder must be opened one level
    // at a time with openSubFolder. With Mounts::Stay the way may not enter another mounted file
    // system either (the folder itself being a mount point included): EXDEV then, and ENOSYS where the
    // system cannot tell; a folder opened so is on the same file system as `root`.
    enum class Mounts { Cross, Stay };
    Folder openBelow(Handle root, const QByteArray& relativePath, Mounts mounts = Mounts::Cross) {
        return {*this, openBelowHandle(root, relativePath, mounts)};
    }

    virtual FolderId identify(Handle folder) = 0;
    // Lists every entry but "." and "..", hidden ones included. Throws FileSystemFailure.
    virtual void list(Handle folder, const EntrySink& sink) = 0;
    // The size and identity of an entry, and whether it is a folder (for entries whose kind the listing
    // did not say). No value when the entry has vanished. Throws FileSystemFailure.
    virtual std::optional<EntryStatus> statusOf(Handle folder, const char* name) = 0;
    // How many times the calling thread has been put to sleep until something it asked for was there
    // (a block from the disk, mostly) since it started; 0 where the system does not count them. Tells a
    // walk whether its reads are served from memory or wait for the disk.
    virtual std::uint64_t waitsOfThisThread() { return 0; }
    // The storage that holds the open folder. Throws FileSystemFailure.
    virtual Storage storageOf(Handle folder) {
        (void)folder;
        return Storage::Local;
    }

    // Whether the open folder is on one of the kernel's own file systems (proc, sysfs, cgroup and the
    // like), which show the system's state, not files anyone stored. Throws FileSystemFailure.
    virtual bool isKernelFileSystem(Handle folder) {
        (void)folder;
        return false;
    }
    // The first `most` bytes of the regular file `name` in the open folder; fewer when it is shorter,
    // none when it is missing, unreadable or not a regular file. A link is never followed.
    virtual QByteArray readFileStart(Handle folder, const char* name, qsizetype most) {
        (void)folder;
        (void)name;
        (void)most;
        return {};
    }

protected:
    // The openings behind the owning functions above; each returns a handle that close() releases.
    virtual Handle openFolderHandle(const QByteArray& path) = 0;
    virtual Handle openSubFolderHandle(Handle parent, const char* name) = 0;
    virtual Handle openParentHandle(Handle child, FolderId expected) = 0;
    virtual Handle openBelowHandle(Handle root, const QByteArray& relativePath, Mounts mounts) = 0;
    virtual void close(Handle folder) = 0;
};

// A share of `fileSystem` for workers that may outlive their caller: its owners' when a shared_ptr owns
// it, otherwise none, and then whoever owns it keeps it until every call on it has returned.
inline std::shared_ptr<FileSystem> sharedFileSystem(FileSystem& fileSystem) {
    if (std::shared_ptr<FileSystem> owned = fileSystem.weak_from_this().lock())
        return owned;
    return {std::shared_ptr<FileSystem>(), &fileSystem};
}

} // namespace zorvik
