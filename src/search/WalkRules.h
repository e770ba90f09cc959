#pragma once
// Made once before a search and only read while it runs, by the walk's thread and its workers alike:
// shared through a shared_ptr to const, since workers left behind in a call may outlive the search.

#include "platform/FileSystem.h"
#include "search/MatchesSize.h"
#include "search/NamePattern.h"
#include "search/SkipRules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSet>

#include <cstdint>
#include <memory>
#include <optional>

namespace zorvik {

// What a walk leaves out, ready to be asked for every entry: the patterns compiled, the folders to
// skip by their paths. Default-made, it leaves nothing out.
class WalkRules {
public:
    WalkRules() = default;
    // `skippedFolders`: absolute paths never to open, nor anything below them. `sizes`: the files
    // worth reporting, tested where their statuses are read; the walk's thread then only meets
    // matches. A test that fails is not taken: the visitor meets every file and fails at the first.
    WalkRules(const SkipRules& rules, const QList<QByteArray>& skippedFolders,
              const std::optional<SizeTest>& sizes = std::nullopt);

    // Whether a regular file of this name is a result (its size aside).
    bool keepsFile(const char* name) const {
        return (onlyNames_.isEmpty() || onlyNames_.matchesAny(name)) && !excluded_.matchesAny(name);
    }
    // Whether a regular file of this size is worth reporting.
    bool keepsSize(std::uint64_t bytes) const { return !sizes_ || sizes_->matches(bytes); }
    // Whether the sub-folder `name` at `path` is left out without opening it.
    bool leavesOutUnopened(const char* name, const QByteArray& path) const {
        return excludesName(name) || skipped_.contains(path);
    }
    bool excludesName(const char* name) const { return excluded_.matchesAny(name); }
    // Whether any folder is skipped by its path: when none is, no path needs to be made to ask.
    bool skipsFolders() const { return !skipped_.isEmpty(); }
    // Whether `path` (a listed folder) is one of the skipped folders or lies below one.
    bool coversListedFolder(QByteArrayView path) const;

    // Whether a rule needs the device of each folder.
    bool needsDevice() const { return oneFileSystem_ || skipKernelFileSystems_; }
    // Whether the rules need no device of a folder on the listed folder's own mount: only a mount
    // leads onto a kernel's file system, while another device may lie below without one (a btrfs
    // subvolume has a device of its own).
    bool needsDeviceOnlyAcrossMounts() const { return skipKernelFileSystems_ && !oneFileSystem_; }
    // The device of the listed folder `root` when a rule needs it; 0 otherwise. Throws FileSystemFailure.
    std::uint64_t rootDevice(FileSystem& fileSystem, FileSystem::Handle root) const {
        return needsDevice() ? fileSystem.identify(root).device : 0;
    }
    struct Verdict {
        std::uint64_t device; // the folder's, or its parent's when no rule needs it
        bool leftOut;
    };
    // Whether the sub-folder just opened as `folder` is left out unlisted: on another device than its
    // listed folder, on a kernel file system its parent is not on, or a marked cache. `onRootsMount`:
    // it was opened without entering another mount from the listed folder (when the rules need its
    // device only across mounts, none is asked then). Throws FileSystemFailure.
    Verdict judgeOpened(FileSystem& fileSystem, FileSystem::Handle folder, std::uint64_t parentDevice,
                        std::uint64_t rootDevice, bool onRootsMount = false) const;

    static const std::shared_ptr<const WalkRules>& none();

private:
    NamePatterns excluded_;
    NamePatterns onlyNames_;
    QSet<QByteArray> skipped_;
    std::optional<SizeTest> sizes_;
    bool oneFileSystem_ = false;
    bool excludeCaches_ = false;
    bool skipKernelFileSystems_ = false;
};

// Whether the bytes a folder's CACHEDIR.TAG starts with mark the folder as a cache.
bool isCacheTag(QByteArrayView start);

} // namespace zorvik
