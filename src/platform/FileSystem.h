#pragma once

#include "core/Failure.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
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
// order, and the sizes of their entries. Names and paths are the system's bytes.
class FileSystem {
public:
    using Handle = int; // an open folder, borrowed from its owner
    enum class EntryKind { Folder, File, Unknown };
    struct FolderId {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        bool operator==(const FolderId&) const = default;
    };
    // The name is a NUL-terminated C string, valid during the call.
    using EntrySink = std::function<void(const char* name, EntryKind kind)>;

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

    virtual FolderId identify(Handle folder) = 0;
    // Lists every entry but "." and "..", hidden ones included. Throws FileSystemFailure.
    virtual void list(Handle folder, const EntrySink& sink) = 0;
    // The size of an entry in bytes, a link's own size for a link; `isFolder` tells whether the entry is
    // a folder (for entries whose kind the listing did not say). No value when the entry has vanished.
    // Throws FileSystemFailure.
    virtual std::optional<std::uint64_t> sizeOf(Handle folder, const char* name, bool& isFolder) = 0;

protected:
    // The openings behind the owning functions above; each returns a handle that close() releases.
    virtual Handle openFolderHandle(const QByteArray& path) = 0;
    virtual Handle openSubFolderHandle(Handle parent, const char* name) = 0;
    virtual Handle openParentHandle(Handle child, FolderId expected) = 0;
    virtual void close(Handle folder) = 0;
};

} // namespace zorvik
