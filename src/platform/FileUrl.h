#pragma once

#include <QByteArray>
#include <QUrl>

namespace zorvik {

// The file URL of a path given as the system's bytes. Every byte outside the unreserved set is
// percent-encoded as it is, so a name that is not UTF-8 keeps its bytes (QUrl::fromLocalFile would
// decode it first and lose them).
QUrl fileUrlOf(const QByteArray& path);

} // namespace zorvik
