// Ownership rules: recovery runs on whichever worker calls it, holding a process-wide mutex for the
// whole call; every descriptor it opens is its own (UniqueFd) and closed before it returns.
#include "platform/JournalRecovery.h"

#include "core/PathParts.h"
#include "platform/FileId.h"
#include "platform/FoundFileAccess.h"
#include "platform/OperationJournal.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvik {

namespace {

// A file renamed to a private name in its folder.
struct Claim {
    QByteArray folder;
    QByteArray name;
    QByteArray hidden;
    FileId id;
};

// A file on its way to a trash: claimed, then renamed to the trash's entry, whose record was made first.
struct Trashing {
    Claim file;
    QByteArray files;
    QByteArray infos;
    QByteArray entry;
    FileId record;
};

// A file about to be put in place under `name` of `folder`.
struct Placing {
    QByteArray folder;
    QByteArray name;
    FileId id;
};

struct Part {
    QByteArray folder;
    QByteArray name;
};

struct Interrupted {
    std::vector<Claim> claims;
    std::vector<Part> parts;
    std::vector<Trashing> trashes;
    std::optional<Placing> placing;
    bool ended = false;
};

FileId idAt(const QList<QByteArray>& fields, qsizetype at) {
    return {fields[at].toULongLong(), fields[at + 1].toULongLong()};
}

void add(Interrupted& operation, const JournalEntry& entry) {
    const QList<QByteArray>& f = entry.fields;
    if (entry.kind == "claim" && f.size() == 5)
        operation.claims.push_back({f[0], f[1], f[2], idAt(f, 3)});
    else if (entry.kind == "part" && f.size() == 2)
        operation.parts.push_back({f[0], f[1]});
    else if (entry.kind == "place" && f.size() == 4)
        operation.placing = Placing{f[0], f[1], idAt(f, 2)};
    else if (entry.kind == "trash" && f.size() == 10)
        operation.trashes.push_back({{f[0], f[1], f[2], idAt(f, 3)}, f[5], f[6], f[7], idAt(f, 8)});
    else if (entry.kind == "end")
        operation.ended = true;
}

// The operations of a journal's whole lines, by number; a line torn by the crash is passed over.
std::map<std::uint64_t, Interrupted> operationsOf(const QByteArray& journal) {
    std::map<std::uint64_t, Interrupted> operations;
    for (qsizetype at = 0; at < journal.size();) {
        qsizetype end = journal.indexOf('\n', at);
        end = end < 0 ? journal.size() : end + 1;
        if (const std::optional<JournalEntry> entry =
                JournalEntry::parse(QByteArrayView(journal).sliced(at, end - at)))
            add(operations[entry->operation], *entry);
        at = end;
    }
    return operations;
}

UniqueFd openFolder(const QByteArray& path) {
    if (!path.startsWith('/'))
        return {};
    return UniqueFd(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

bool holds(int folder, const QByteArray& name, const FileId& id) {
    return folder >= 0 && identityOf(folder, name) == std::optional(id);
}

class Recovery {
public:
    explicit Recovery(RecoveryReport& report) : report_(report) {}

    void settle(const Interrupted& operation) {
        const UniqueFd placeFolder = operation.placing ? openFolder(operation.placing->folder) : UniqueFd();
        const bool completed =
            operation.placing && holds(placeFolder.get(), operation.placing->name, operation.placing->id);
        const bool trashOnly = operation.claims.empty() && !operation.placing;
        for (const Trashing& trashing : operation.trashes)
            settleTrash(trashing, completed || trashOnly);
        for (const Claim& claim : operation.claims)
            settleSource(claim, completed ? placeFolder.get() : -1,
                         completed ? operation.placing->name : QByteArray());
        for (const Part& part : operation.parts)
            removePart(part);
    }

private:
    // Renames `from` of `fromFolder` to `name` of `toFolder`, if it is still `id`; where the name is
    // taken, to a visible name beside it.
    void bringBack(int fromFolder, const QByteArray& from, int toFolder, const QByteArray& toPath,
                   const QByteArray& name, const FileId& id) {
        if (toFolder < 0 || !holds(fromFolder, from, id))
            return;
        int error = renameWithoutReplacing(fromFolder, from, toFolder, name);
        for (int n = 1; error == EEXIST && n < 1000; ++n) {
            const QByteArray other =
                name + (n == 1 ? QByteArray(" (recovered)") : " (recovered " + QByteArray::number(n) + ')');
            error = renameWithoutReplacing(fromFolder, from, toFolder, other);
            if (error == 0) {
                report_.renamed << joinPath(toPath, other);
                std::fprintf(stderr,
                             "zorvik: a move or trash that was interrupted left %s as %s: its own name was "
                             "taken.\n",
                             joinPath(toPath, name).constData(), joinPath(toPath, other).constData());
            }
        }
    }

    void settleTrash(const Trashing& trashing, bool keep) {
        const UniqueFd folder = openFolder(trashing.file.folder);
        const UniqueFd files = openFolder(trashing.files);
        const UniqueFd infos = openFolder(trashing.infos);
        const Claim& file = trashing.file;
        if (holds(files.get(), trashing.entry, file.id)) {
            if (keep)
                return; // in the trash, as meant
            bringBack(files.get(), trashing.entry, folder.get(), file.folder, file.name, file.id);
        } else {
            bringBack(folder.get(), file.hidden, folder.get(), file.folder, file.name, file.id);
        }
        // The record made for it, unless an entry of that name is in the trash after all.
        const QByteArray record = trashing.entry + ".trashinfo";
        if (files && !identityOf(files.get(), trashing.entry) && holds(infos.get(), record, trashing.record))
            ::unlinkat(infos.get(), record.constData(), 0);
    }

    // The source of a move: gone once its copy is in place and whole (the same size and time as the
    // source); otherwise back under its name.
    void settleSource(const Claim& claim, int placeFolder, const QByteArray& placed) {
        const UniqueFd folder = openFolder(claim.folder);
        if (!holds(folder.get(), claim.hidden, claim.id))
            return;
        if (placeFolder >= 0 && sameStamp(folder.get(), claim.hidden, placeFolder, placed)) {
            ::unlinkat(folder.get(), claim.hidden.constData(), 0);
            return;
        }
        bringBack(folder.get(), claim.hidden, folder.get(), claim.folder, claim.name, claim.id);
    }

    static bool sameStamp(int folderA, const QByteArray& a, int folderB, const QByteArray& b) {
        struct stat first {};
        struct stat second {};
        return ::fstatat(folderA, a.constData(), &first, AT_SYMLINK_NOFOLLOW) == 0 &&
               ::fstatat(folderB, b.constData(), &second, AT_SYMLINK_NOFOLLOW) == 0 &&
               first.st_size == second.st_size && first.st_mtim.tv_sec == second.st_mtim.tv_sec &&
               first.st_mtim.tv_nsec == second.st_mtim.tv_nsec;
    }

    // A copy that was never put in place: a private name made for this move alone.
    static void removePart(const Part& part) {
        const UniqueFd folder = openFolder(part.folder);
        struct stat status {};
        if (folder && ::fstatat(folder.get(), part.name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            (S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)))
            ::unlinkat(folder.get(), part.name.constData(), 0);
    }

    RecoveryReport& report_;
};

QByteArray readAll(int fd) {
    QByteArray all;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return all;
        all.append(buffer, got);
    }
}

// Settles the journal at `path` if its process is gone (no lock on it), then removes it.
void recoverJournal(const QByteArray& path, RecoveryReport& report) {
    const UniqueFd journal(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!journal || ::flock(journal.get(), LOCK_EX | LOCK_NB) != 0)
        return;
    // Another instance may have settled and removed it between the open and the lock.
    struct stat opened {};
    struct stat named {};
    if (::fstat(journal.get(), &opened) != 0 || ::lstat(path.constData(), &named) != 0 ||
        opened.st_ino != named.st_ino || opened.st_dev != named.st_dev)
        return;
    Recovery recovery(report);
    for (const auto& [number, operation] : operationsOf(readAll(journal.get()))) {
        if (operation.ended)
            continue;
        recovery.settle(operation);
        ++report.operations;
    }
    ::unlink(path.constData());
}

} // namespace

RecoveryReport recoverInterruptedOperations() {
    static std::mutex oneAtATime;
    const std::lock_guard lock(oneAtATime);
    RecoveryReport report;
    const QByteArray folder = OperationJournal::folder();
    const QByteArray own = OperationJournal::ofProcess().path();
    DIR* listing = ::opendir(folder.constData());
    if (!listing)
        return report;
    std::vector<QByteArray> journals;
    while (const dirent* entry = ::readdir(listing))
        if (QByteArray name(entry->d_name); name.startsWith("journal-"))
            journals.push_back(folder + '/' + name);
    ::closedir(listing);
    for (const QByteArray& path : journals)
        if (path != own)
            recoverJournal(path, report);
    return report;
}

} // namespace zorvik
