#pragma once

#include <QByteArray>
#include <QString>

namespace zorvik {

// What reading a file that must be a regular one found at its path.
struct RegularFileRead {
    enum class Outcome {
        Read,       // `bytes` holds the whole file
        NotFound,   // the path leads nowhere or cannot be looked up (`error`: ENOENT, EACCES, ELOOP...)
        NotRegular, // a folder, a named pipe, a device or a socket (`kind` says which)
        TooLarge,   // larger than the limit
        CannotRead, // a regular file that could not be opened or read (`error`)
    };
    Outcome outcome = Outcome::NotFound;
    QByteArray bytes;
    int error = 0;
    QString kind;
};

// Reads the file at `path`, following links, only when it is a regular file of at most `limit`
// bytes. Nothing at the path is opened for reading before it is known to be a regular file, so a
// named pipe cannot hold the caller and a device never sees an open; the check and the read concern
// the same file, whatever is swapped in at the path meanwhile.
RegularFileRead readRegularFile(const QString& path, qint64 limit);

} // namespace zorvik
