#pragma once

#include "platform/FileSystem.h"
#include "search/WalkRules.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

namespace zorvik {

// One folder as the walk sees it: its entries in the system's order, each a file with its size and
// identity or a folder, and where the listing broke off, if it did. Read off the user-interface thread and
// handed over whole.
struct FolderListing {
    struct Entry {
        std::uint32_t nameOffset; // into names: a NUL-terminated name
        bool isFolder;
        // Files only: whether the walk can reach the file by this one path (see readFolderListing).
        bool onlyPath;
        std::uint64_t bytes; // files only
        FileId id;           // files only
    };
    QByteArray names;
    std::vector<Entry> entries;
    std::optional<QString> failure; // the listing stopped here; the entries before it stand

    const char* nameOf(const Entry& entry) const { return names.constData() + entry.nameOffset; }
    std::size_t memoryUse() const {
        return std::size_t(names.capacity()) + entries.capacity() * sizeof(Entry);
    }
};

// The entries of one folder between its listing and their statuses: kept by each thread from folder to
// folder (see listEntries).
struct ListedNames {
    struct Listed {
        std::uint32_t nameOffset;
        FileSystem::EntryKind kind;
        std::uint64_t inode; // as listed
    };
    std::vector<char> names;
    std::vector<Listed> entries;
    std::vector<std::optional<FileSystem::EntryStatus>> statuses;

    void add(const char* name, FileSystem::EntryKind kind, std::uint64_t inode);
    const char* nameOf(std::size_t at) const { return names.data() + entries[at].nameOffset; }
    // Empties it, and lets a crowded folder's storage go.
    void reset();
};

// Lists the open folder as every walk does: `onFolder(name)` for each sub-folder (by its listed kind or,
// when the listing does not say, by its status), when `includeSubFolders`; `onFile(name, status, oneName)`
// for each regular file whose name and size the rules keep, `oneName` telling that the file has this one name
// in its file system and that nothing is mounted on it. Links, devices, pipes and sockets are no files to
// find, and entries that vanish before their status is read are left out. `beforeEntry()` is called before
// the status of every entry is read, and may throw to end the listing. Throws FileSystemFailure, after
// the calls for the entries before the failure.
//
// The listing is read whole, then the statuses one after the other, then the calls are made. Where the
// system empties the processor's address cache on every call (page-table isolation), whatever memory
// is touched between two calls costs a miss a page; the calls in a row touch little.
template <class BeforeEntry, class OnFolder, class OnFile>
void listEntries(FileSystem& fileSystem, FileSystem::Handle folder, const WalkRules& rules,
                 bool includeSubFolders, BeforeEntry&& beforeEntry, OnFolder&& onFolder, OnFile&& onFile) {
    using Kind = FileSystem::EntryKind;
    thread_local ListedNames listed;
    listed.reset();
    std::exception_ptr stopped; // where the listing broke off: thrown once the entries before had their calls
    try {
        // The sink holds one reference, which the std::function keeps without allocating for each folder.
        fileSystem.list(folder,
                        [&rules, includeSubFolders](const char* name, Kind kind, std::uint64_t inode) {
                            // A file the rules leave out costs no status.
                            if (kind == Kind::Other || (kind == Kind::File && !rules.keepsFile(name)) ||
                                (kind == Kind::Folder && !includeSubFolders))
                                return;
                            listed.add(name, kind, inode);
                        });
    } catch (...) {
        stopped = std::current_exception();
    }
    std::size_t statted = 0;
    auto& statuses = listed.statuses;
    statuses.resize(listed.entries.size());
    try {
        for (; statted < listed.entries.size(); ++statted) {
            beforeEntry();
            if (listed.entries[statted].kind != Kind::Folder)
                statuses[statted] = fileSystem.statusOf(folder, listed.nameOf(statted));
        }
    } catch (...) {
        stopped = std::current_exception();
    }
    for (std::size_t at = 0; at < statted; ++at) {
        const char* name = listed.nameOf(at);
        const Kind kind = listed.entries[at].kind;
        if (kind == Kind::Folder) {
            onFolder(name);
            continue;
        }
        const std::optional<FileSystem::EntryStatus>& status = statuses[at];
        if (!status || status->isOther)
            continue; // gone between the listing and now, or no longer a file
        if (status->isFolder) {
            if (includeSubFolders)
                onFolder(name);
        } else if ((kind == Kind::File || rules.keepsFile(name)) && rules.keepsSize(status->bytes)) {
            // A file mounted on the entry shows another inode than the one listed.
            onFile(name, *status, status->links == 1 && listed.entries[at].inode == status->id.inode);
        }
    }
    if (stopped)
        std::rethrow_exception(stopped);
}

// Lists the open folder with listEntries, keeping what it finds. A failure of the file system ends the
// listing and is noted in it; `keepGoing` is asked between entries and a false answer ends it quietly.
//
// `rootMountDevice` is the listed folder's device when this folder is on the listed folder's own mount
// (reached from it without crossing a mount point): a walk of that one listed folder enters such a
// folder by one path only. A file there with one name, nothing mounted on it, and that device, the walk
// can then reach by no other path (Entry::onlyPath). Any other file it may meet twice: through a hard
// link, a bind mount, or the same file system mounted again.
FolderListing readFolderListing(FileSystem& fileSystem, FileSystem::Handle folder, bool includeSubFolders,
                                const WalkRules& rules, const std::function<bool()>& keepGoing,
                                std::optional<std::uint64_t> rootMountDevice = std::nullopt);

} // namespace zorvik
