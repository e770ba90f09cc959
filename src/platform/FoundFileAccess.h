#pragma once

#include "platform/FileId.h"
#include "platform/UniqueFd.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

namespace zorvik {

// Reaching a found file again without being led elsewhere. Between the search and a command, a folder
// on the way to a file can be swapped for a link to somewhere else, and the file itself for another
// one: a command that went by the path would then act on a file nobody found. So the folder that holds
// the file is opened through the listed folder without following any link below it, the file is
// checked against the identity the search saw, and everything after that goes through the folder's
// descriptor. These functions only make system calls; any thread may use them.

// The folder that holds a found file, and the file's name in it.
struct FoundFolder {
    UniqueFd folder;
    QByteArray name;
};

// Opens the folder of `file`: the listed folder as the user chose it (links there are followed), then
// the folders below it without following a single link. No value on success; the reason otherwise
// (a link or a file where a folder was found counts as a change since the search).
std::optional<QString> openFoundFolder(const FoundFile& file, FoundFolder& opened);

// Opens `path` as a folder the user chose (following links), for reading and as a place to work in.
std::optional<QString> openChosenFolder(const QByteArray& path, UniqueFd& opened);

// The reason given when a found file, or the way to it, is no longer what the search saw.
QString changedSinceTheSearch();

// Why `name` in `folder` is not (or no longer) the file `id`; no value when it is.
std::optional<QString> identityProblem(int folder, const QByteArray& name, const FileId& id);

// The same check as a plain answer: the identity of what `name` in `folder` is now, if anything.
std::optional<FileId> identityOf(int folder, const QByteArray& name);

// A found file taken out of other hands: renamed to a private name in its own folder, then checked,
// so that whatever happens next happens to the file that was found and to nothing else. The rename
// also proves that the file can leave its folder, before anything irreversible is done.
class ClaimedFile {
public:
    // Renames `name` of `folder` to a fresh private name (or to `privateName`, when the caller chose
    // and recorded one) and checks that it is `id`; on any failure the file keeps its name and the
    // reason is returned.
    static std::optional<QString> claim(int folder, const QByteArray& name, const FileId& id,
                                        std::optional<ClaimedFile>& claimed, QByteArray privateName = {});
    ClaimedFile(ClaimedFile&& other) noexcept
        : folder_(std::exchange(other.folder_, -1)), name_(std::move(other.name_)),
          privateName_(std::move(other.privateName_)) {}
    ClaimedFile& operator=(ClaimedFile&&) = delete;
    ClaimedFile(const ClaimedFile&) = delete;
    ClaimedFile& operator=(const ClaimedFile&) = delete;
    // A claim still held when it goes is given back: the file returns to its name.
    ~ClaimedFile();

    // The folder it lies in (borrowed: it must stay open while the claim is held).
    int folder() const { return folder_; }
    const QByteArray& privateName() const { return privateName_; }
    // Gives the file its name back. False when that name has been taken meanwhile (the file then keeps
    // its private name, which is still not a loss).
    bool giveBack();
    // The file has gone where it was meant to (renamed away or removed): nothing to give back.
    void settle() { folder_ = -1; }

private:
    ClaimedFile(int folder, QByteArray name, QByteArray privateName)
        : folder_(folder), name_(std::move(name)), privateName_(std::move(privateName)) {}
    int folder_;
    QByteArray name_;
    QByteArray privateName_;
};

// renameat2 with RENAME_NOREPLACE (never replaces what is at `to`), or, where the file system does not
// offer it, a rename after a check that nothing is there. 0 or an errno value (EEXIST when taken).
int renameWithoutReplacing(int fromFolder, const QByteArray& from, int toFolder, const QByteArray& to);

// A name that nothing in `folder` uses, beginning with `stem`.
QByteArray freshName(int folder, const QByteArray& stem);

// The mount a folder belongs to: its mount id where the system tells, else its device. Two folders
// with the same answer can exchange entries by rename.
std::uint64_t mountOf(int folder);

// The folder's path as the system knows it now (/proc/self/fd), or no value where it cannot tell.
std::optional<QByteArray> currentPathOf(int folder);

} // namespace zorvik
