#pragma once

#include "platform/Trash.h"

namespace zorvik {

// The freedesktop.org trash through GIO's g_file_trash: the home trash for files on the home
// filesystem, the filesystem's own $topdir/.Trash-$uid elsewhere, with a .trashinfo for each file.
class GioTrash : public Trash {
public:
    std::optional<QString> moveToTrash(const QByteArray& path) override;
};

} // namespace zorvik
