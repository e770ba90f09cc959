#pragma once

#include <QByteArray>
#include <QString>

namespace zorvik {

// The one rule for folder paths: each pair of consecutive separators collapses to one (a run of n
// becomes n/2 rounded up), and a path that starts with separators keeps exactly `leadingRun` of them.
QString normalizeSeparators(const QString& path, QChar separator, int leadingRun);

// The rule for this system's paths: '/' separators, and a leading run becomes one '/' (POSIX gives
// "//x" no meaning of its own; it names "/x").
QString NormalizePath(const QString& path);
// The same rule on a path in the system's bytes, which need not be text at all.
QByteArray NormalizePath(const QByteArray& path);

// The rule for Windows paths: backslashes, and a leading run becomes two (a network path).
QString NormalizeWindowsPath(const QString& path);

} // namespace zorvik
