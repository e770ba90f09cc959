#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorvik {

// Moving a file without ever losing it.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // Moves `source` to `destination`, replacing a file already there. No value when the file is at
    // its destination and gone from its source; otherwise the reason, and the source is untouched
    // (or, if only its removal failed, the file is in both places).
    virtual std::optional<QString> moveFile(const QByteArray& source, const QByteArray& destination) = 0;
    // Whether `path` names an existing folder.
    virtual bool isFolder(const QByteArray& path) = 0;
};

} // namespace zorvik
