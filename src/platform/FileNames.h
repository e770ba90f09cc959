#pragma once

#include <QString>

namespace zorvik {

// The name a save dialog answered, with ".txt" added when the text-file filter was chosen and the
// name has no extension of its own: "notes" and ".notes" (a hidden file's name, no extension) get it;
// "notes.md", "notes." and the empty name (a cancelled dialog) stay as they are.
QString withTextExtension(const QString& name, bool textFilesFilter);

} // namespace zorvik
