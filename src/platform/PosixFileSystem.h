#pragma once

#include "platform/FileSystem.h"

#include <vector>

namespace zorvik {

// The file system through openat/fstatat and the kernel's directory listing.
class PosixFileSystem : public FileSystem {
public:
    PosixFileSystem();

    FolderId identify(Handle folder) override;
    void list(Handle folder, const EntrySink& sink) override;
    std::optional<std::uint64_t> sizeOf(Handle folder, const char* name, bool& isFolder) override;

protected:
    Handle openFolderHandle(const QByteArray& path) override;
    Handle openSubFolderHandle(Handle parent, const char* name) override;
    Handle openParentHandle(Handle child, FolderId expected) override;
    void close(Handle folder) override;

private:
    std::vector<char> buffer_; // one listing buffer, reused: a folder is listed completely before the next
};

} // namespace zorvik
