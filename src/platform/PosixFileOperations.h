#pragma once

#include "platform/FileOperations.h"

namespace zorvik {

// Moves by rename(2) within a filesystem (atomic: the file is never in two places or in none). Across
// filesystems the bytes are copied into a temporary file beside the destination, with the source's
// mode and times, flushed to disk and checked for size; only then is it renamed into place and the
// source removed. Links are moved as links.
class PosixFileOperations : public FileOperations {
public:
    std::optional<QString> moveFile(const QByteArray& source, const QByteArray& destination) override;
    bool isFolder(const QByteArray& path) override;

protected:
    // The system calls a test may make fail; each returns 0 or an errno value.
    virtual int renameFile(const char* from, const char* to);
    virtual int copyBytes(int from, int to, long long size);
    virtual int syncFile(int fd);
    virtual int removeFile(const char* path);

private:
    std::optional<QString> copyThenRemove(const QByteArray& source, const QByteArray& destination);
    std::optional<QString> copyInto(const QByteArray& source, const QByteArray& temporary);
};

} // namespace zorvik
