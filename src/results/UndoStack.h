#pragma once

// What this run's trashes and moves did, file by file, so that they can be taken back: the last one
// first, then the one before. Kept in memory only; a file is put back only while it is still the one
// the command left (same device and inode).
//
// Ownership rules: the stack lives on the user-interface thread and only that thread changes it. The
// open folders an entry keeps (the move's destination, the trash's files/ and info/) are shared
// read-only with the worker that puts a file back, which may outlive the entry.

#include "platform/FileId.h"
#include "platform/FileOperations.h"
#include "platform/Trash.h"
#include "platform/UniqueFd.h"

#include <QCoreApplication>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace zorvik {

// A trash's files/ and info/ folders, opened once for every file a run put there: a hundred thousand
// trashed files must not keep two hundred thousand descriptors open.
struct TrashFolders {
    UniqueFd files;
    UniqueFd info;
    // A receipt of its own (descriptors duplicated), for Trash::restore.
    Trash::Receipt receiptFor(const QByteArray& entry) const;
};

// Where a file lies in the trash, and which file it is.
struct TrashSpot {
    std::shared_ptr<const TrashFolders> folders;
    QByteArray entry;
    FileId id;
};

// A receipt as the worker that got it leaves it: with the identity of its files/ folder, read there so
// that the window never waits for a slow file system to tell.
struct TrashedTo {
    std::shared_ptr<Trash::Receipt> receipt{};
    FileId folder{};
};
TrashedTo describeReceipt(std::shared_ptr<Trash::Receipt> receipt);

// One file a command took: where it was (as the search found it) and what it became.
struct UndoFile {
    FoundFile original;
    QString sizeText;
    quint64 bytes = 0;
    std::optional<TrashSpot> trashed;  // a trash: the file in the trash
    FileId placed;                     // a move: the file in the destination, under its own name
    std::optional<TrashSpot> replaced; // a move: the file of that name it sent to the trash
};

struct UndoEntry {
    enum class Kind { Trash, Move };
    Kind kind = Kind::Trash;
    std::shared_ptr<const FileOperations::Destination> destination; // a move's folder
    std::vector<UndoFile> files;
};

class UndoStack {
    Q_DECLARE_TR_FUNCTIONS(UndoStack)

public:
    // An entry without files is not kept: there is nothing to take back.
    void push(UndoEntry entry);
    bool isEmpty() const { return entries_.empty(); }
    UndoEntry takeLast();
    bool lastIsMove() const { return !entries_.empty() && entries_.back().kind == UndoEntry::Kind::Move; }
    // The menu's words for the last entry ("Undo Move of 3 Files"), or none when there is nothing.
    std::optional<QString> offer() const;
    static QString nothingText();

    // The spot of a file that went to the trash per `to`, sharing the folders of earlier receipts of
    // the same trash.
    TrashSpot spotOf(const TrashedTo& to, const FileId& id);

private:
    std::vector<UndoEntry> entries_;
    // The open trash folders by identity; an entry going lets them close.
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::weak_ptr<const TrashFolders>> folders_;
};

} // namespace zorvik
