#pragma once

#include "platform/FileSystem.h"

#include <QByteArray>
#include <QString>

namespace zorvik {

// What the walk reports as it goes.
class WalkVisitor {
public:
    virtual ~WalkVisitor() = default;
    // A folder is about to be listed (the listed folder and every sub-folder).
    virtual void enterFolder(const QByteArray& path) = 0;
    // A file of `folderPath` (any entry that is not a folder), its name a C string, with its size and
    // identity. May throw to end the walk.
    virtual void file(const QByteArray& folderPath, const char* name, quint64 bytes, FileId id) = 0;
    // Called before each sub-folder is entered; false stops the walk.
    virtual bool beforeSubFolder() = 0;
    // A sub-folder that could not be opened or listed; the walk goes on without it.
    virtual void folderSkipped(const QByteArray& path, const QString& reason) = 0;
    // The walk is waiting for the file system (a read-ahead walk whose next listing is not there yet);
    // called again and again while it waits; false stops the walk there, without waiting for a call
    // that may never return. The sequential walk never calls it.
    virtual bool stillWaiting() { return true; }
};

// Walks the open folder `root` (whose path is `rootPath`), depth first: all files of a folder in the
// system's order, then each sub-folder's whole tree in turn.
// Links are never followed below the root, so the walk cannot loop. Any depth works: the walk keeps
// its own stack and only a bounded number of folders open.
// A failure to list the root, or a visitor's exception, ends the walk and is passed on.
void ScanFolder(FileSystem& fileSystem, FileSystem::Folder root, const QByteArray& rootPath,
                bool includeSubFolders, WalkVisitor& visitor);

} // namespace zorvik
