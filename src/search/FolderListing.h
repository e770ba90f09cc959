#pragma once

#include "platform/FileSystem.h"

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

// Lists the open folder and reads the size of every entry that is not a folder, exactly as the walk
// does: folders by their listed kind (or, when the listing does not say, by their status), links and
// everything else as files of their own size, entries that vanish before their size is read left out.
// Sub-folders are listed only when `includeSubFolders`. A failure of the file system ends the listing
// and is noted in it; `keepGoing` is asked between entries and a false answer ends it quietly.
FolderListing readFolderListing(FileSystem& fileSystem, FileSystem::Handle folder, bool includeSubFolders,
                                const std::function<bool()>& keepGoing);

} // namespace zorvik
