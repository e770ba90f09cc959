#pragma once

#include <QByteArray>

#include <cstdint>

namespace zorvik {

// Which file (or folder) a name stood for: its device and its inode there. Two names with the same
// identity are the same file; a name whose identity changed now stands for another file.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileId&) const = default;
    bool isKnown() const { return device != 0 || inode != 0; }
};

// A file as the search found it: its path, how much of the path is the folder the user listed (links
// there are the user's own choice and are followed; below it the search followed none), and its
// identity then. File operations act on this file or on nothing.
struct FoundFile {
    QByteArray path;
    qsizetype rootLength = 0;
    FileId id;
};

} // namespace zorvik
