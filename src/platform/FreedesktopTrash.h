#pragma once

#include "platform/Trash.h"

#include <QByteArray>

namespace zorvik {

// The freedesktop.org trash, kept by hand through folder descriptors: the home trash
// ($XDG_DATA_HOME/Trash) for files on its device, elsewhere the file system's own ($topdir/.Trash/$uid
// when an administrator made a sticky $topdir/.Trash, else $topdir/.Trash-$uid). The record
// (info/NAME.trashinfo) is written first and claims the name; then the file itself is renamed into
// files/NAME, so the record and the trashed file name the same object. Like the desktop's own trash, it
// keeps none on the system's memory and kernel file systems (tmpfs, proc, sysfs and the like): their
// files stay where they are.
class FreedesktopTrash : public Trash {
public:
    // The home trash of the user's data folder, whether or not it exists yet.
    FreedesktopTrash();
    explicit FreedesktopTrash(QByteArray homeTrash) : homeTrash_(std::move(homeTrash)) {}

    std::optional<QString> trashEntry(int folder, const QByteArray& name, const FileId& id,
                                      const QByteArray& path, Receipt* receipt) override;
    std::optional<QString> restore(const Receipt& receipt, int folder, const QByteArray& name) override;

private:
    // The files/ and info/ folders of a trash, and the path to record there for `name` of `folder`.
    struct Place {
        UniqueFd files;
        UniqueFd info;
        QByteArray recordedPath;
    };
    // Why a file did not go into a trash: the errno value that decides what to try next (0 for a
    // reason of our own), and the text the user is shown.
    struct Refusal {
        int code = 0;
        QString text;
    };
    bool onHomeDevice(std::uint64_t device) const;
    std::optional<QString> homePlace(int folder, const QByteArray& name, const QByteArray& path,
                                     Place& place) const;
    std::optional<QString> volumePlace(int folder, const QByteArray& name, const QByteArray& path,
                                       Place& place) const;
    std::optional<Refusal> trashInto(Place& place, int folder, const QByteArray& name, const FileId& id,
                                     Receipt* receipt);

    QByteArray homeTrash_;
};

} // namespace zorvik
