#pragma once

#include "platform/FileSystem.h"
#include "search/WalkRules.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
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

// Lists the open folder as every walk does: `onFolder(name)` for each sub-folder (by its listed kind or,
// when the listing does not say, by its status), when `includeSubFolders`; `onFile(name, status)` for
// each regular file whose name the rules keep. Links, devices, pipes and sockets are no files to find,
// and entries that vanish before their status is read are left out. `beforeEntry()` is called first for
// every entry, and may throw to end the listing. Throws FileSystemFailure.
template <class BeforeEntry, class OnFolder, class OnFile>
void listEntries(FileSystem& fileSystem, FileSystem::Handle folder, const WalkRules& rules,
                 bool includeSubFolders, BeforeEntry&& beforeEntry, OnFolder&& onFolder, OnFile&& onFile) {
    const auto onEntry = [&](const char* name, FileSystem::EntryKind kind) {
        using Kind = FileSystem::EntryKind;
        beforeEntry();
        // A file the rules leave out costs no status.
        if (kind == Kind::Other || (kind == Kind::File && !rules.keepsFile(name)))
            return;
        if (kind == Kind::Folder) {
            if (includeSubFolders)
                onFolder(name);
            return;
        }
        const std::optional<FileSystem::EntryStatus> status = fileSystem.statusOf(folder, name);
        if (!status || status->isOther)
            return; // gone between the listing and now, or no longer a file
        if (status->isFolder) {
            if (includeSubFolders)
                onFolder(name);
        } else if (kind == Kind::File || rules.keepsFile(name)) {
            onFile(name, *status);
        }
    };
    // The sink holds one reference, which the std::function keeps without allocating for each folder.
    fileSystem.list(folder,
                    [&onEntry](const char* name, FileSystem::EntryKind kind) { onEntry(name, kind); });
}

// Lists the open folder with listEntries, keeping what it finds. A failure of the file system ends the
// listing and is noted in it; `keepGoing` is asked between entries and a false answer ends it quietly.
FolderListing readFolderListing(FileSystem& fileSystem, FileSystem::Handle folder, bool includeSubFolders,
                                const WalkRules& rules, const std::function<bool()>& keepGoing);

} // namespace zorvik
