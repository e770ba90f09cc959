#pragma once

// Putting one file back where a trash or a move took it from. Runs on a worker: these functions only
// make system calls through the platform's interfaces and touch nothing of the window. Nothing is ever
// overwritten: a file that now has the old name stays, and so does the one that was to come back.

#include "platform/FileId.h"
#include "platform/FileOperations.h"
#include "results/UndoStack.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace zorvik {

class Trash;

struct PutBackOutcome {
    std::optional<QString> notBack; // why the file is not back; none when it is
    bool gone = false;              // nothing is left to put back: the file is no longer where it went
    FileId restoredAs{};            // the file at its old path (a copy back across file systems is new)
    // A move only: why the file of the same name it sent to the trash is still there.
    std::optional<QString> replacedNotBack{};
};

class PutBack {
    Q_DECLARE_TR_FUNCTIONS(PutBack)

public:
    // A trashed file, out of the trash to its old path.
    static PutBackOutcome fromTrash(Trash& trash, const UndoFile& file);
    // A moved file, from `destination` to its old path; then the file it replaced, back into
    // `destination`.
    static PutBackOutcome fromMove(FileOperations& files, Trash& trash,
                                   const FileOperations::Destination& destination, const UndoFile& file);
};

} // namespace zorvik
