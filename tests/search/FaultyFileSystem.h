#pragma once

#include "Gate.h"
#include "platform/PosixFileSystem.h"

#include <QByteArray>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <string>

namespace zorvik::test {

// The real file system with faults injected by folder or entry name, safe to use from the read-ahead
// walk's workers. The faults are set before a walk and only read during it.
class FaultyFileSystem : public PosixFileSystem {
public:
    std::set<std::string> refuseToOpen;            // folders (by name) that cannot be opened
    std::map<std::string, int> listingBreaksAfter; // folders whose listing fails after so many entries
    std::set<std::string> sizeFails;               // entries whose size cannot be read
    std::atomic<int> openHandles = 0;
    std::atomic<int> mostOpenHandles = 0;
    // Every listing counts as a wait, as on a disk the system has not read lately; otherwise no call
    // ever waits.
    bool slowDisk = false;
    std::atomic<int> listingsNow = 0;
    std::atomic<int> mostListingsAtOnce = 0;
    // The folder (by name) whose opening and listing wait at `stall` until the test opens it, as on a
    // share that stopped answering.
    std::string stallAt;
    std::shared_ptr<Gate> stall = std::make_shared<Gate>();
    // What storageOf says of every folder.
    Storage storage = Storage::Local;
    // Listings of folders named by a number wait until this many are under way at once (from then on none
    // waits), or until releaseListings(): how many requests a walk has in flight, counted without timing
    // anything. Only listings begun once `listingsBegun` has reached `gatherFrom` wait.
    int listingsToGather = 0;
    int gatherFrom = 0;
    std::atomic<int> listingsBegun = 0;
    void releaseListings() {
        const std::lock_guard lock(gatherMutex_);
        gatherReleased_ = true;
        gathered_.notify_all();
    }

    Storage storageOf(Handle) override { return storage; }

    std::uint64_t waitsOfThisThread() override { return waitsOfThread(); }

    void list(Handle folder, const EntrySink& sink) override {
        raiseMost(mostListingsAtOnce, ++listingsNow);
        const int begun = listingsBegun++;
        struct Done {
            std::atomic<int>& now;
            ~Done() { --now; }
        } done{listingsNow};
        const std::string name = nameOf(folder);
        if (listingsToGather > 0 && begun >= gatherFrom && !name.empty() &&
            name.find_first_not_of("0123456789") == std::string::npos) {
            std::unique_lock lock(gatherMutex_);
            gatherReleased_ = gatherReleased_ || listingsNow >= listingsToGather;
            gathered_.notify_all();
            gathered_.wait(lock, [&] { return gatherReleased_; });
        }
        if (slowDisk)
            ++waitsOfThread();
        if (!stallAt.empty() && name == stallAt)
            stall->pass();
        const auto breaks = listingBreaksAfter.find(name);
        if (breaks == listingBreaksAfter.end())
            return PosixFileSystem::list(folder, sink);
        int left = breaks->second;
        PosixFileSystem::list(folder, [&](const char* name, EntryKind kind, std::uint64_t inode) {
            if (left-- == 0)
                throw FileSystemFailure(QStringLiteral("Input/output error"), EIO);
            sink(name, kind, inode);
        });
    }
    std::optional<EntryStatus> statusOf(Handle folder, const char* name) override {
        if (sizeFails.count(name))
            throw FileSystemFailure(QStringLiteral("Input/output error"), EIO);
        return PosixFileSystem::statusOf(folder, name);
    }

protected:
    Handle openFolderHandle(const QByteArray& path) override {
        if (!stallAt.empty() && lastName(path) == stallAt)
            stall->pass();
        return opened(PosixFileSystem::openFolderHandle(path), lastName(path));
    }
    Handle openSubFolderHandle(Handle parent, const char* name) override {
        refuse(name);
        return opened(PosixFileSystem::openSubFolderHandle(parent, name), name);
    }
    Handle openBelowHandle(Handle root, const QByteArray& relativePath, Mounts mounts) override {
        refuse(lastName(relativePath));
        return opened(PosixFileSystem::openBelowHandle(root, relativePath, mounts), lastName(relativePath));
    }
    Handle openParentHandle(Handle child, FolderId expected) override {
        return opened(PosixFileSystem::openParentHandle(child, expected), std::string());
    }
    void close(Handle folder) override {
        {
            const std::lock_guard lock(mutex_);
            names_.erase(folder);
        }
        --openHandles;
        PosixFileSystem::close(folder);
    }

private:
    static std::string lastName(const QByteArray& path) {
        return path.mid(path.lastIndexOf('/') + 1).toStdString();
    }
    void refuse(const std::string& name) {
        if (refuseToOpen.count(name))
            throw FileSystemFailure(QStringLiteral("Permission denied"), EACCES);
    }
    static std::uint64_t& waitsOfThread() {
        thread_local std::uint64_t waits = 0;
        return waits;
    }
    static void raiseMost(std::atomic<int>& most, int now) {
        for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
        }
    }
    Handle opened(Handle handle, const std::string& name) {
        raiseMost(mostOpenHandles, ++openHandles);
        const std::lock_guard lock(mutex_);
        names_[handle] = name;
        return handle;
    }
    std::string nameOf(Handle folder) {
        const std::lock_guard lock(mutex_);
        const auto it = names_.find(folder);
        return it == names_.end() ? std::string() : it->second;
    }

    std::mutex mutex_;
    std::map<Handle, std::string> names_;
    std::mutex gatherMutex_;
    std::condition_variable gathered_;
    bool gatherReleased_ = false;
};

} // namespace zorvik::test
