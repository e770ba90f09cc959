#pragma once

#include "platform/FileOperations.h"
#include "platform/FoundFileAccess.h"

#include <atomic>
#include <memory>

#include <sys/stat.h>

namespace zorvik {

class Trash;

// Moves through folder descriptors. Within one mount: the file is claimed (renamed to a private name
// in its own folder and checked), a same-named file in the destination goes to the trash, then one
// rename puts the file in place. Across mounts: the bytes are copied (holes kept) into a temporary file
// beside the destination with the source's metadata, flushed and checked; only then is the source
// claimed (which proves it can leave its folder), the same-named file trashed, the copy renamed into
// place and the source removed. The source must be as it was when the copy began after the copy and
// again just before its removal; a write meanwhile undoes the move. Any failure before the last step
// undoes the earlier ones, so every file that existed before the move is still there or in the trash.
// Links are moved as links. Each step is recorded in the journal (platform/OperationJournal.h) before it is
// taken, so that what a crash interrupts is finished or undone at the next start.
class PosixFileOperations : public FileOperations {
public:
    explicit PosixFileOperations(std::shared_ptr<Trash> trash) : trash_(std::move(trash)) {}
    OpenedDestination openDestination(const QByteArray& path) override;
    MoveOutcome moveFile(const FoundFile& source, const Destination& destination,
                         const IsBeingMoved& isBeingMoved) override;

protected:
    // The steps a test may make fail or steer; each returns 0 or an errno value where it says so.
    virtual bool sameMount(int folderA, int folderB);
    virtual int copyBytes(int from, int to, long long size, const std::atomic<bool>& stop);
    virtual int syncFile(int fd);
    virtual std::optional<QString> claimSource(int folder, const QByteArray& name, const FileId& id,
                                               std::optional<ClaimedFile>& claimed);
    virtual int removeClaimed(int folder, const QByteArray& privateName);

private:
    struct Target;
    struct SourceCopy;
    // One rename within a mount; `crossesMounts` when the system says the rename cannot be made after
    // all (nothing has changed then).
    MoveOutcome renameInto(const FoundFolder& from, const FoundFile& source, Target& to, bool& crossesMounts);
    MoveOutcome renameAlone(const FoundFolder& from, const FoundFile& source, Target& to,
                            bool& crossesMounts);
    MoveOutcome copyInto(const FoundFolder& from, const FoundFile& source, Target& to);
    std::optional<QString> copyToTemporary(const FoundFolder& from, const FileId& id, const Target& to,
                                           const QByteArray& temporary, SourceCopy& copy);
    int copyRegularFile(int in, const struct stat& opened, const Target& to, const QByteArray& temporary,
                        struct stat& copied);
    // Records that the file `id` is about to be put in place as the target's name.
    std::optional<QString> recordPlacing(const Target& to, const FileId& id);
    // A same-named file in the destination goes to the trash; undoRoom puts it back.
    std::optional<QString> makeRoom(Target& to);
    void undoRoom(Target& to);
    // The outcome of a file that arrived as `placed`, with the file that made room for it.
    static MoveOutcome arrived(Target& to, const FileId& placed);

    std::shared_ptr<Trash> trash_;
};

} // namespace zorvik
