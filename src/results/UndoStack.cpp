#include "results/UndoStack.h"

#include "platform/FoundFileAccess.h"

#include <fcntl.h>

namespace zorvik {

namespace {

UniqueFd duplicate(const UniqueFd& fd) {
    return UniqueFd(fd ? ::fcntl(fd.get(), F_DUPFD_CLOEXEC, 0) : -1);
}

} // namespace

Trash::Receipt TrashFolders::receiptFor(const QByteArray& entry) const {
    return Trash::Receipt{duplicate(files), duplicate(info), entry};
}

TrashedTo describeReceipt(std::shared_ptr<Trash::Receipt> receipt) {
    TrashedTo to{std::move(receipt), {}};
    if (to.receipt && to.receipt->files)
        to.folder = identityOf(to.receipt->files.get(), ".").value_or(FileId{});
    return to;
}

void UndoStack::push(UndoEntry entry) {
    if (!entry.files.empty())
        entries_.push_back(std::move(entry));
}

UndoEntry UndoStack::takeLast() {
    UndoEntry last = std::move(entries_.back());
    entries_.pop_back();
    return last;
}

std::optional<QString> UndoStack::offer() const {
    if (entries_.empty())
        return std::nullopt;
    const UndoEntry& last = entries_.back();
    const int count = int(last.files.size());
    if (last.kind == UndoEntry::Kind::Move)
        return count == 1 ? tr("Undo Move of 1 File") : tr("Undo Move of %n Files", nullptr, count);
    return count == 1 ? tr("Undo Trash of 1 File") : tr("Undo Trash of %n Files", nullptr, count);
}

QString UndoStack::nothingText() {
    return tr("Nothing to undo");
}

TrashSpot UndoStack::spotOf(const TrashedTo& to, const FileId& id) {
    const auto key = std::pair(to.folder.device, to.folder.inode);
    std::shared_ptr<const TrashFolders> folders;
    if (to.folder.isKnown())
        folders = folders_[key].lock();
    if (!folders) {
        auto made = std::make_shared<TrashFolders>();
        made->files = std::move(to.receipt->files);
        made->info = std::move(to.receipt->info);
        folders = std::move(made);
        if (to.folder.isKnown())
            folders_[key] = folders;
    }
    return TrashSpot{std::move(folders), to.receipt->name, id};
}

} // namespace zorvik
