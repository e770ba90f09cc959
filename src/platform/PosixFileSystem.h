#pragma once

#include "platform/FileSystem.h"

#include <QByteArrayView>

#include <cstdint>
#include <optional>

namespace zorvik {

// The file system through openat/openat2/fstatat and the kernel's directory listing.
class PosixFileSystem : public FileSystem {
public:
    FolderId identify(Handle folder) override;
    void list(Handle folder, const EntrySink& sink) override;
    std::optional<EntryStatus> statusOf(Handle folder, const char* name) override;
    std::uint64_t waitsOfThisThread() override;
    Storage storageOf(Handle folder) override;
    bool isKernelFileSystem(Handle folder) override;
    QByteArray readFileStart(Handle folder, const char* name, qsizetype most) override;

protected:
    Handle openFolderHandle(const QByteArray& path) override;
    Handle openSubFolderHandle(Handle parent, const char* name) override;
    Handle openParentHandle(Handle child, FolderId expected) override;
    Handle openBelowHandle(Handle root, const QByteArray& relativePath, Mounts mounts) override;
    void close(Handle folder) override;
};

// Whether statfs's f_type names one of the kernel's own file systems. (devtmpfs says it is tmpfs, so
// it is not one of them; it holds devices, which are no files to find anyway.)
bool isKernelFileSystemType(std::uint32_t fileSystemType);

// How storageOf weighs what the system says of a folder's storage: statfs's f_type, the rotational flag
// of its block device's queue (none without a queue) and the device's place in sysfs.
FileSystem::Storage storageFrom(std::uint32_t fileSystemType, std::optional<bool> rotational,
                                QByteArrayView sysfsDevice);

} // namespace zorvik
