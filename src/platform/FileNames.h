#pragma once

#include <QString>

namespace zorvik {

// The name a save dialog answered, with ".txt" added when the text-file filter was chosen and the
// name has no extension of its own ("notes" → "notes.txt"; "notes.md", "notes.", ".profile" and the
// empty name stay as they are).
QString withTextExtension(const QString& name, bool textFilesFilter);

} // namespace zorvik
