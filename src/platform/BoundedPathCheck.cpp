// Threads: checkPathsWithin runs its checks on one worker of the program's pool (WorkerThreads), which
// counts it until the checks are done. The worker and the caller share a Request through shared_ptr,
// so whichever lets go of it last frees it; the worker may outlive the call (and the caller's
// interest) by any time. The worker only calls `check` and writes each finding
// under the Request's mutex; the caller reads the findings under the same mutex. The paths and the
// check are set before the worker starts and never change afterwards.
#include "platform/BoundedPathCheck.h"

#include "core/WorkerThreads.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvik {

namespace {

struct Request {
    std::vector<QByteArray> paths;
    PathCheck check;
    std::mutex mutex;
    std::condition_variable answered;
    std::vector<PathFinding> findings; // guarded by mutex
    std::size_t answers = 0;           // guarded by mutex
};

} // namespace

PathFinding findReadableFile(const QByteArray& path) {
    struct stat status {};
    if (path.isEmpty() || ::stat(path.constData(), &status) != 0)
        return PathFinding::Missing;
    if (!S_ISREG(status.st_mode) || ::faccessat(AT_FDCWD, path.constData(), R_OK, AT_EACCESS) != 0)
        return PathFinding::Unusable;
    return PathFinding::Readable;
}

std::vector<PathFinding> checkPathsWithin(std::vector<QByteArray> paths, std::chrono::milliseconds bound,
                                          PathCheck check) {
    if (paths.empty())
        return {};
    auto request = std::make_shared<Request>();
    request->findings.assign(paths.size(), PathFinding::NoAnswer);
    request->paths = std::move(paths);
    request->check = std::move(check);
    try {
        WorkerThreads::start([request] {
            for (std::size_t i = 0; i < request->paths.size(); ++i) {
                const PathFinding finding = request->check(request->paths[i]);
                const std::lock_guard lock(request->mutex);
                request->findings[i] = finding;
                ++request->answers;
                request->answered.notify_all();
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had: nothing is checked, so nothing counts as found.
        return request->findings;
    }
    std::unique_lock lock(request->mutex);
    request->answered.wait_for(lock, bound, [&] { return request->answers == request->findings.size(); });
    return request->findings;
}

} // namespace zorvik
