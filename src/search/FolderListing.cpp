#include "search/FolderListing.h"

#include <cstring>

namespace zorvik {

namespace {

// Thrown through the listing's callback to end it early; never leaves readFolderListing.
struct ListingAbandoned {};

// What a thread's listing buffer keeps between folders at most (up to 32 workers hold one each).
constexpr std::size_t kKeptEntries = 1024;
constexpr qsizetype kKeptNameBytes = qsizetype{64} * 1024;

} // namespace

void ListedNames::add(const char* name, FileSystem::EntryKind kind, std::uint64_t inode) {
    entries.push_back({std::uint32_t(names.size()), kind, inode});
    names.insert(names.end(), name, name + std::strlen(name) + 1); // with its NUL
}

void ListedNames::reset() {
    if (entries.capacity() > kKeptEntries || names.capacity() > std::size_t(kKeptNameBytes)) {
        *this = ListedNames();
        return;
    }
    names.clear();
    entries.clear();
    statuses.clear();
}

FolderListing readFolderListing(FileSystem& fileSystem, FileSystem::Handle folder, bool includeSubFolders,
                                const WalkRules& rules, const std::function<bool()>& keepGoing,
                                std::optional<std::uint64_t> rootMountDevice) {
    // Grown in a buffer the thread keeps, then copied at its final size: two allocations a folder
    // instead of one for every doubling of its names and entries.
    thread_local FolderListing listing;
    listing.names.resize(0);
    listing.entries.clear();
    listing.failure.reset();
    auto keep = [&](const char* name, bool isFolder, bool onlyPath, std::uint64_t bytes, FileId id) {
        listing.entries.push_back({std::uint32_t(listing.names.size()), isFolder, onlyPath, bytes, id});
        listing.names.append(name, qsizetype(std::strlen(name)) + 1); // with its NUL
    };
    try {
        listEntries(
            fileSystem, folder, rules, includeSubFolders,
            [&] {
                if (!keepGoing())
                    throw ListingAbandoned{};
            },
            [&](const char* name) { keep(name, true, false, 0, {}); },
            [&](const char* name, const FileSystem::EntryStatus& status, bool oneName) {
                keep(name, false, oneName && status.id.device == rootMountDevice, status.bytes, status.id);
            });
    } catch (const FileSystemFailure& failure) {
        listing.failure = failure.description();
    } catch (const ListingAbandoned&) {
    }
    FolderListing exact;
    exact.names = QByteArray(listing.names.constData(), listing.names.size());
    exact.entries.assign(listing.entries.begin(), listing.entries.end());
    exact.failure = std::move(listing.failure);
    // A crowded folder's buffer is not kept for the life of the thread.
    if (listing.entries.capacity() > kKeptEntries || listing.names.capacity() > kKeptNameBytes)
        listing = FolderListing();
    return exact;
}

} // namespace zorvik
