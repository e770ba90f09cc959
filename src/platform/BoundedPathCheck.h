#pragma once

#include <QByteArray>

#include <chrono>
#include <functional>
#include <vector>

namespace zorvik {

// What a check found at a path.
enum class PathFinding {
    Readable, // a regular file (links followed) that this process may read
    Missing,  // nothing the system can look up
    Unusable, // something else: a folder, a named pipe, a device, a file it may not read
    NoAnswer, // the check did not answer in time
};

// stat(2) and access(2) on the path's bytes.
PathFinding findReadableFile(const QByteArray& path);

using PathCheck = std::function<PathFinding(const QByteArray&)>;

// Checks the paths one after another on a worker (WorkerThreads) and waits at most `bound` for all of
// them: a check that does not answer (a network folder whose server is gone) costs the caller no
// more than that. Paths not checked by then are NoAnswer; the worker is left to finish on its own.
std::vector<PathFinding> checkPathsWithin(std::vector<QByteArray> paths, std::chrono::milliseconds bound,
                                          PathCheck check = findReadableFile);

} // namespace zorvik
