#pragma once

#include <QByteArray>

namespace zorvik {

// The name a trashed file gets in the trash's files/ folder for its `attempt`-th try (1: the name
// itself, then name.2, name.3 ...). Its record is that name with ".trashinfo" added, and both must fit
// the system's limit of a file name, so a long name is cut to make room for the number and the
// record's ending. The record's Path= keeps the whole name, which is what a restore brings back.
QByteArray trashEntryName(const QByteArray& name, int attempt);

} // namespace zorvik
