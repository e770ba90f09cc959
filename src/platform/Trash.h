#pragma once

#include "platform/FileId.h"
#include "platform/UniqueFd.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorvik {

// The desktop's trash, from which the file manager can restore files. Files are handed over by an
// open folder and a name, checked against the identity they had when they were found, so that what
// lands in the trash is the file that was meant and its record names where that file was. A file that
// cannot be trashed is left where it is: never deleted instead. Any thread may use it.
class Trash {
public:
    // Where a trashed file went, to put it back when the operation it was part of fails.
    struct Receipt {
        UniqueFd files; // the trash's files/ folder
        UniqueFd info;  // its info/ folder
        QByteArray name;
    };

    virtual ~Trash() = default;

    // Moves `name` of the open `folder` to the trash, if it is the file `id`. `path` is where the user
    // knows the file, recorded when the system cannot tell the folder's own path. No value on success
    // (and `receipt`, when given, says where the file went); else the reason.
    virtual std::optional<QString> trashEntry(int folder, const QByteArray& name, const FileId& id,
                                              const QByteArray& path, Receipt* receipt) = 0;
    // Puts a trashed file back as `name` of `folder` (which must not be taken) and drops its record.
    // No value on success, else the reason; the file is then still in the trash.
    virtual std::optional<QString> restore(const Receipt& receipt, int folder, const QByteArray& name) = 0;

    // Moves a found file to the trash: its folder reached without following links below the listed
    // folder, then as trashEntry.
    std::optional<QString> moveToTrash(const FoundFile& file, Receipt* receipt = nullptr);
};

} // namespace zorvik
