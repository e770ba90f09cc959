#include "results/PutBack.h"

#include "core/PathParts.h"
#include "platform/FoundFileAccess.h"
#include "platform/Trash.h"

namespace zorvik {

namespace {

PutBackOutcome notBack(const QString& reason) {
    return {reason};
}

PutBackOutcome gone(const QString& reason) {
    return {reason, true};
}

QString nameTaken() {
    return PutBack::tr("Another file now has its name there; both are kept.");
}

// Takes `spot` out of the trash as `name` of `folder`, if it is still the file that went there.
std::optional<QString> restoreSpot(Trash& trash, const TrashSpot& spot, int folder, const QByteArray& name,
                                   bool& gone) {
    if (identityOf(spot.folders->files.get(), spot.entry) != std::optional(spot.id)) {
        gone = true;
        return PutBack::tr("It is no longer in the trash.");
    }
    if (identityOf(folder, name))
        return nameTaken();
    return trash.restore(spot.folders->receiptFor(spot.entry), folder, name);
}

} // namespace

PutBackOutcome PutBack::fromTrash(Trash& trash, const UndoFile& file) {
    FoundFolder home;
    if (std::optional<QString> failed = openFoundFolder(file.original, home))
        return notBack(*failed);
    bool isGone = false;
    if (std::optional<QString> failed =
            restoreSpot(trash, *file.trashed, home.folder.get(), home.name, isGone))
        return {failed, isGone};
    return {std::nullopt, false, file.trashed->id};
}

PutBackOutcome PutBack::fromMove(FileOperations& files, Trash& trash,
                                 const FileOperations::Destination& destination, const UndoFile& file) {
    FoundFolder home;
    if (std::optional<QString> failed = openFoundFolder(file.original, home))
        return notBack(*failed);
    // A move keeps the file's name.
    const QByteArray name = home.name;
    if (identityOf(destination.folder.get(), name) != std::optional(file.placed))
        return gone(tr("It is no longer in the folder it was moved to."));
    if (identityOf(home.folder.get(), name))
        return notBack(nameTaken());
    const FileOperations::Destination back{std::move(home.folder), parentOf(file.original.path)};
    const FoundFile moved{joinPath(destination.path, name), destination.path.size(), file.placed};
    // Whatever takes the old name meanwhile is refused as if it were being moved: never trashed.
    const FileOperations::MoveOutcome outcome =
        files.moveFile(moved, back, [](const FileId&) { return true; });
    if (outcome.notMoved)
        return notBack(*outcome.notMoved);
    PutBackOutcome done{std::nullopt, false, outcome.placed};
    if (file.replaced) {
        bool replacedGone = false;
        done.replacedNotBack =
            restoreSpot(trash, *file.replaced, destination.folder.get(), name, replacedGone);
    }
    return done;
}

} // namespace zorvik
