#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorvik {

// True when the file system can tell anything about the path (stat succeeds on its bytes).
// Never fails: an empty or malformed path is simply false.
bool PathExists(const QString& path);

// True when the path names a regular file, following links: a folder, a dangling link or anything
// else is not one.
bool IsRegularFile(const QString& path);

// Why `path` cannot be searched as a folder (it does not exist, or is no folder, following links);
// no value when it can.
std::optional<QString> folderProblem(const QString& path);
std::optional<QString> folderProblem(const QByteArray& path);

// True only when the system says that nothing is at `path` (lstat fails with ENOENT): a link counts
// as something, and a path that cannot be checked counts as still there.
bool PathIsGone(const QByteArray& path);

} // namespace zorvik
