#pragma once

#include "platform/FileSystem.h"
#include "search/ScanFolder.h"

#include <QByteArray>

#include <cstddef>

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
    // Folders whose path below the listed folder is longer than this are walked one level at a time
    // by the visitor's thread, like the sequential walk (their paths no longer fit one system call).
    int longestRelativePath = 3072;
    // The visitor's `stillWaiting` is called when a listing it needs has not come for this long.
    int waitingCallMs = 20;
    // Workers reading while most reads wait for the disk, which serves many requests in flight far
    // better than a few; the walk moves between the two counts as its reads start or stop waiting.
    int threadsWhileWaiting = 32;
};

// The same walk as ScanFolder, with the same calls of the visitor in the same order, but worker
// threads list folders and read the sizes of their entries ahead of the visitor, in the order the
// walk will need them. The visitor is called on the calling thread only; the workers make system
// calls through `fileSystem` and hand over finished listings. Takes over `root`; when the walk ends
// for any reason, the workers are stopped and joined before the function returns or throws.
void readAheadScan(FileSystem& fileSystem, FileSystem::Folder root, const QByteArray& rootPath,
                   bool includeSubFolders, WalkVisitor& visitor, const ReadAheadOptions& options = {});

} // namespace zorvik
