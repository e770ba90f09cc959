#pragma once

#include "platform/FileSystem.h"

#include <vector>

namespace zorvik {

// The file system through openat/fstatat and the kernel's directory listing.
class PosixFileSystem : public FileSystem {
public:
    PosixFileSystem();

    Handle openFolder(const QByteArray& path) override;
    Handle openSubFolder(Handle parent, const char* name) override;
    Handle openParent(Handle child, FolderId expected) override;
    FolderId identify(Handle folder) override;
    void close(Handle folder) override;
    void list(Handle folder, const EntrySink& sink) override;
    std::optional<std::uint64_t> sizeOf(Handle folder, const char* name, bool& isFolder) override;

private:
    std::vector<char> buffer_; // one listing buffer, reused: a folder is listed completely before the next
};

} // namespace zorvik
