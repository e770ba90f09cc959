#pragma once

#include "platform/FileSystem.h"

namespace zorvik {

// The file system through openat/openat2/fstatat and the kernel's directory listing.
class PosixFileSystem : public FileSystem {
public:
    FolderId identify(Handle folder) override;
    void list(Handle folder, const EntrySink& sink) override;
    std::optional<EntryStatus> statusOf(Handle folder, const char* name) override;
    std::uint64_t waitsOfThisThread() override;
    Storage storageOf(Handle folder) override;

protected:
    Handle openFolderHandle(const QByteArray& path) override;
    Handle openSubFolderHandle(Handle parent, const char* name) override;
    Handle openParentHandle(Handle child, FolderId expected) override;
    Handle openBelowHandle(Handle root, const QByteArray& relativePath) override;
    void close(Handle folder) override;
};

} // namespace zorvik
