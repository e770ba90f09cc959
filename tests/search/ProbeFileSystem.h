#pragma once

#include "platform/PosixFileSystem.h"

#include <QByteArray>

#include <functional>
#include <set>
#include <string>

namespace zorvik::test {

// The real file system with faults injected by folder name, and a hook that runs as each sub-folder
// is opened. Tests run as root, so permissions alone cannot make a folder unreadable.
class ProbeFileSystem : public PosixFileSystem {
public:
    std::set<std::string> refuseToOpen; // sub-folder names whose opening fails
    std::set<std::string> refuseToList; // names of folders (sub-folders or listed ones) whose listing fails
    std::function<void(const char* name)> onOpenSubFolder;
    int openHandles = 0;
    int mostOpenHandles = 0;

protected:
    Handle openFolderHandle(const QByteArray& path) override {
        const Handle handle = counted(PosixFileSystem::openFolderHandle(path));
        if (refuseToList.count(path.mid(path.lastIndexOf('/') + 1).toStdString()))
            listFails_.insert(handle);
        return handle;
    }
    Handle openSubFolderHandle(Handle parent, const char* name) override {
        if (onOpenSubFolder)
            onOpenSubFolder(name);
        if (refuseToOpen.count(name))
            throw FileSystemFailure(QStringLiteral("Permission denied"));
        const Handle handle = counted(PosixFileSystem::openSubFolderHandle(parent, name));
        if (refuseToList.count(name))
            listFails_.insert(handle);
        return handle;
    }
    Handle openParentHandle(Handle child, FolderId expected) override {
        return counted(PosixFileSystem::openParentHandle(child, expected));
    }
    void close(Handle folder) override {
        --openHandles;
        listFails_.erase(folder);
        PosixFileSystem::close(folder);
    }

public:
    void list(Handle folder, const EntrySink& sink) override {
        if (listFails_.count(folder))
            throw FileSystemFailure(QStringLiteral("Input/output error"));
        PosixFileSystem::list(folder, sink);
    }

private:
    Handle counted(Handle handle) {
        mostOpenHandles = std::max(mostOpenHandles, ++openHandles);
        return handle;
    }
    std::set<Handle> listFails_;
};

} // namespace zorvik::test
