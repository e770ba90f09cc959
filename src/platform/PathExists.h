#pragma once

#include <QString>

namespace zorvik {

// True when the file system can tell anything about the path (stat succeeds on its bytes).
// Never fails: an empty or malformed path is simply false.
bool PathExists(const QString& path);

} // namespace zorvik
