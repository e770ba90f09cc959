#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace zorvik {

// Paths as the system's bytes, put together and taken apart without asking the file system: a name
// need not be valid UTF-8, and nothing here follows a link or normalizes a path.

// The path of `name` inside `folderPath`; no second '/' where the folder ends with one ("/" + name for
// the root "/").
QByteArray joinPath(const QByteArray& folderPath, QByteArrayView name);

// The folder that holds `path`: "/" for an entry of the root, "." for a bare name.
QByteArray parentOf(const QByteArray& path);

} // namespace zorvik
