#pragma once

#include "platform/FileId.h"

#include <QByteArray>
#include <QString>

#include <functional>
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
    };
    // Whether a file is one of those being moved; such a file is never replaced by another.
    using IsBeingMoved = std::function<bool(const FileId&)>;

    virtual ~FileOperations() = default;
    // Moves the found file into `destinationFolder` under its own name, if it is still the file that
    // was found. A file of that name already there goes to the trash first, unless it is one of the
    // files being moved; when it cannot, nothing moves.
    virtual MoveOutcome moveFile(const FoundFile& source, const QByteArray& destinationFolder,
                                 const IsBeingMoved& isBeingMoved) = 0;
};

} // namespace zorvik
