#pragma once

#include <QByteArray>

namespace zorvik {

// A folder named on the command line, as the path the search walks: its bytes exactly as the system
// gave them (a name need not be UTF-8), made absolute against `currentFolder` when it is relative,
// without "." steps or trailing slashes (which name the same folder), and through the path rule
// (NormalizePath). ".." stays: with links in the way, only the system knows where it leads.
QByteArray givenFolderPath(const QByteArray& argument, const QByteArray& currentFolder);
// The same against the process's current folder.
QByteArray givenFolderPath(const QByteArray& argument);

} // namespace zorvik
