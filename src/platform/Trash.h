#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorvik {

// The desktop's trash, from which the file manager can restore files.
class Trash {
public:
    virtual ~Trash() = default;
    // Moves one file (or link) to the trash. No value on success, else the reason. A file that cannot
    // be trashed is left where it is: never deleted instead.
    virtual std::optional<QString> moveToTrash(const QByteArray& path) = 0;
};

} // namespace zorvik
