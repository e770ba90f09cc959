#include "search/FolderListing.h"

#include <cstring>

namespace zorvik {

namespace {

// Thrown through the listing's callback to end it early; never leaves readFolderListing.
struct ListingAbandoned {};

} // namespace

FolderListing readFolderListing(FileSystem& fileSystem, FileSystem::Handle folder, bool includeSubFolders,
                                const WalkRules& rules, const std::function<bool()>& keepGoing) {
    FolderListing listing;
    auto keep = [&](const char* name, bool isFolder, std::uint64_t bytes, FileId id) {
        listing.entries.push_back({std::uint32_t(listing.names.size()), isFolder, bytes, id});
        listing.names.append(name, qsizetype(std::strlen(name)) + 1); // with its NUL
    };
    try {
        listEntries(
            fileSystem, folder, rules, includeSubFolders,
            [&] {
                if (!keepGoing())
                    throw ListingAbandoned{};
            },
            [&](const char* name) { keep(name, true, 0, {}); },
            [&](const char* name, const FileSystem::EntryStatus& status) {
                keep(name, false, status.bytes, status.id);
            });
    } catch (const FileSystemFailure& failure) {
        listing.failure = failure.description();
    } catch (const ListingAbandoned&) {
    }
    return listing;
}

} // namespace zorvik
