#pragma once

#include "platform/FileSystem.h"
#include "search/WalkRules.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace zorvik {

// Whether one walk may reach a file by another path too. None: the file has one name, nothing is mounted
// on it, and its folder lies on the listed folder's own mount, which the walk enters by one path only
// (see readFolderListing). Possible for every other file, and for every file of a walk that does not
// tell.
enum class OtherPaths { None, Possible };

// What the walk reports as it goes.
class WalkVisitor {
public:
    virtual ~WalkVisitor() = default;
    // A folder is about to be listed (the listed folder and every sub-folder).
    virtual void enterFolder(const QByteArray& path) = 0;
    // A file of `folderPath` (any entry that is not a folder), its name a C string, with its size and
    // identity. May throw to end the walk.
    virtual void file(const QByteArray& folderPath, const char* name, quint64 bytes, FileId id,
                      OtherPaths otherPaths) = 0;
    // A file that file() will be told of a few calls later, for a visitor that can get ready for it.
    virtual void fileAhead(quint64 bytes, FileId id) { (void)bytes, (void)id; }
    // Called before each sub-folder is entered; false stops the walk.
    virtual bool beforeSubFolder() = 0;
    // A sub-folder that could not be opened or listed; the walk goes on without it.
    virtual void folderSkipped(const QByteArray& path, const QString& reason) = 0;
    // A sub-folder the walk's rules leave out, called where it would have been entered.
    virtual void folderLeftOut(const QByteArray& path) { (void)path; }
    // The walk is waiting for the file system (a read-ahead walk whose next listing is not there yet);
    // called again and again while it waits; false stops the walk there, without waiting for a call
    // that may never return. The sequential walk never calls it.
    virtual bool stillWaiting() { return true; }
};

// Where a walk stopped when it gave its caller the turn back.
enum class WalkStep {
    BeforeSubFolder, // about to enter the next sub-folder: the caller may yield, then advance again
    Waiting,         // waiting for a listing a worker reads (the read-ahead walk only)
    Done,            // the whole tree is walked, or the visitor stopped it
};

// A walk that goes one sub-folder at a time, so that its caller can give the event loop a turn
// between two sub-folders: each advance() lists at most one folder and calls the visitor for it.
class SteppedWalk {
public:
    virtual ~SteppedWalk() = default;
    // Throws what listing the root threw, or what the visitor threw.
    virtual WalkStep advance() = 0;
};

// The walk of ScanFolder, a step at a time.
std::unique_ptr<SteppedWalk> sequentialWalk(FileSystem& fileSystem, FileSystem::Folder root,
                                            const QByteArray& rootPath, bool includeSubFolders,
                                            WalkVisitor& visitor,
                                            std::shared_ptr<const WalkRules> rules = WalkRules::none());

// Advances `walk` to its end, asking `visitor` whether to go on waiting while it waits.
void walkToEnd(SteppedWalk& walk, WalkVisitor& visitor);

// Walks the open folder `root` (whose path is `rootPath`), depth first: all files of a folder in the
// system's order, then each sub-folder's whole tree in turn.
// Only regular files are reported, and only those `rules` keep; sub-folders they leave out are not
// entered. Links are never followed below the root, so the walk cannot loop. Any depth works: the walk keeps
// its own stack and only a bounded number of folders open.
// A failure to list the root, or a visitor's exception, ends the walk and is passed on.
void ScanFolder(FileSystem& fileSystem, FileSystem::Folder root, const QByteArray& rootPath,
                bool includeSubFolders, WalkVisitor& visitor,
                std::shared_ptr<const WalkRules> rules = WalkRules::none());

} // namespace zorvik
