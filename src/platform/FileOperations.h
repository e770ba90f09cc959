#pragma once

#include "platform/FileId.h"
#include "platform/Trash.h"
#include "platform/UniqueFd.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace zorvik {

// Moving a found file into a folder without ever losing a file: neither the one moved, nor one that
// was in the destination already.
class FileOperations {
public:
    struct MoveOutcome {
        // Why the file is not (only) at its destination: it stayed where it was, or, when its copy
        // arrived but the original could not be removed, it is now in both places.
        std::optional<QString> notMoved;
        // A file of the same name was in the destination folder and went to the trash to make room.
        bool replacedFileTrashed = false;
        // The command's stop ended the file's copy: the file stayed where it was, untouched.
        bool stopped = false;
        // When the file arrived: what it is at its destination (a copy across file systems is a new
        // file), and, when one made room for it, which file went to the trash and where, so that the
        // move can be taken back.
        FileId placed{};
        FileId replaced{};
        std::shared_ptr<Trash::Receipt> replacedReceipt{};
    };
    // The folder a command moves its files into, opened once for the whole command: every file goes
    // into that very folder, whatever its path names by the time the file's turn comes. Shared with
    // the workers that move the files (read only); whoever lets go of it last closes it.
    struct Destination {
        UniqueFd folder;
        QByteArray path; // as the user chose it, for records where the system cannot tell the path
        // The command's stop, set from its thread: a copy under way ends between two chunks, its part
        // removed and its source left as it was.
        std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
    };
    struct OpenedDestination {
        std::shared_ptr<const Destination> destination; // none when it could not be opened
        QString failure;                                // why not
    };
    // Whether a file is one of those being moved; such a file is never replaced by another.
    using IsBeingMoved = std::function<bool(const FileId&)>;

    virtual ~FileOperations() = default;
    // Opens the folder at `path` (the user's choice, so links on the way are followed) to move into.
    virtual OpenedDestination openDestination(const QByteArray& path) = 0;
    // Moves the found file into `destination` under its own name, if it is still the file that was
    // found. A regular file of that name already there goes to the trash first, unless it is one of
    // the files being moved; when it cannot, or when a folder, a link or anything else has the name,
    // nothing moves.
    virtual MoveOutcome moveFile(const FoundFile& source, const Destination& destination,
                                 const IsBeingMoved& isBeingMoved) = 0;
};

} // namespace zorvik
