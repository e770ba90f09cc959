#pragma once

#include "shell/Failure.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <optional>

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
    using Handle = int; // an open folder
    enum class EntryKind { Folder, File, Unknown };
    struct FolderId {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        bool operator==(const FolderId&) const = default;
    };
    // The name is a NUL-terminated C string, valid during the call.
    using EntrySink = std::function<void(const char* name, EntryKind kind)>;

    virtual ~FileSystem() = default;

    // Opens a folder by its path, following links. Throws FileSystemFailure.
    virtual Handle openFolder(const QByteArray& path) = 0;
    // Opens a folder entry of an open folder; a link is never followed. Throws FileSystemFailure.
    virtual Handle openSubFolder(Handle parent, const char* name) = 0;
    // Reopens the folder that holds `child`, and checks that it is still the folder `expected`.
    virtual Handle openParent(Handle child, FolderId expected) = 0;
    virtual FolderId identify(Handle folder) = 0;
    virtual void close(Handle folder) = 0;

    // Lists every entry but "." and "..", hidden ones included. Throws FileSystemFailure.
    virtual void list(Handle folder, const EntrySink& sink) = 0;
    // The size of an entry in bytes, a link's own size for a link; `isFolder` tells whether the entry is
    // a folder (for entries whose kind the listing did not say). No value when the entry has vanished.
    // Throws FileSystemFailure.
    virtual std::optional<std::uint64_t> sizeOf(Handle folder, const char* name, bool& isFolder) = 0;
};

} // namespace zorvik
