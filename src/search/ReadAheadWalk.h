#pragma once

#include "platform/FileSystem.h"
#include "search/ScanFolder.h"

#include <QByteArray>

#include <cstddef>
#include <memory>

namespace zorvik {

// How far and with how many threads the read-ahead walk reads ahead of its visitor.
struct ReadAheadOptions {
    // Workers reading while folders come from memory: about two per core, since more only compete for
    // the cores. One walks without workers (the sequential walk).
    int threads = 4;
    // At most this many folders listed (or being listed) ahead of the visitor, and this many bytes of
    // their listings; the folder the visitor waits for is always read.
    int folders = 2048;
    std::size_t bytes = 8 << 20;
    // A folder whose path below the listed folder is longer than this is opened in pieces of at most
    // this many bytes, each below the folder the piece before opened (a path no longer fits one call).
    int longestRelativePath = 3072;
    // The visitor's `stillWaiting` is called when a listing it needs has not come for this long.
    int waitingCallMs = 20;
    // Workers reading while most reads wait for the disk, which serves many requests in flight far
    // better than a few; the walk moves between the two counts as its reads start or stop waiting.
    int threadsWhileWaiting = 32;
    // Workers reading a network share or a user-space file system, from the first folder on: each
    // request there is a round trip, and only many in flight at once keep the wire busy.
    int threadsOnNetwork = 32;
    // Workers reading a local disk that turns, whatever the reads wait for: requests in parallel only
    // make its head seek between them.
    int threadsOnRotatingDisk = 2;
    // When the walk ends, workers still inside a system call after this long are left behind (a share
    // that stopped answering): they end on their own whenever the call returns.
    int leaveBehindAfterMs = 250;
};

// The same walk as ScanFolder (the same `rules` included), with the same calls of the visitor in the same
// order, but worker threads list folders and read the sizes of their entries ahead of the visitor, in the
// order the walk will need them. The visitor is called on the calling thread only, which makes no call of the
// file system at all; the workers make them through `fileSystem` and hand over finished listings.
// Takes over `root` (whose identity `rootId` is, when the caller knows it). When the walk ends for any
// reason, the workers are told to stop; those that have not ended within
// ReadAheadOptions::leaveBehindAfterMs are left behind with a share of the file system, the root and
// what they read (so `fileSystem` must be owned by a shared_ptr, see sharedFileSystem), and a later
// walk that needs a folder one of them is still reading waits for that read instead of another.
// The same walk a step at a time: advance() answers Waiting when the listing it needs has not come
// within ReadAheadOptions::waitingCallMs.
std::unique_ptr<SteppedWalk> readAheadWalk(FileSystem& fileSystem, FileSystem::Folder root,
                                           const QByteArray& rootPath, bool includeSubFolders,
                                           WalkVisitor& visitor, const ReadAheadOptions& options = {},
                                           FileId rootId = {},
                                           std::shared_ptr<const WalkRules> rules = WalkRules::none());

void readAheadScan(FileSystem& fileSystem, FileSystem::Folder root, const QByteArray& rootPath,
                   bool includeSubFolders, WalkVisitor& visitor, const ReadAheadOptions& options = {},
                   FileId rootId = {}, std::shared_ptr<const WalkRules> rules = WalkRules::none());

} // namespace zorvik
