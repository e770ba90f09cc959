#pragma once

#include "platform/Dialogs.h"

#include <QString>

namespace zorvik {

// The name a save dialog answered, with `extension` (".txt") added when the name has no extension of
// its own: "notes" and ".notes" (a hidden file's name, no extension) get it; "notes.md", "notes." and
// the empty name (a cancelled dialog) stay as they are.
QString withExtension(const QString& name, const QString& extension);
// The same with ".txt", only when the text-file filter was chosen.
QString withTextExtension(const QString& name, bool textFilesFilter);

// The save dialog's filters, in the order it offers them.
enum class SaveFilter { Text, Csv, AllFiles };
// What a name answered under a filter stands for: the filter's extension completes a name without one
// (none under "All Files"), and the file is CSV under the CSV filter or when its name ends in ".csv",
// text otherwise.
SaveTarget saveTargetOf(const QString& name, SaveFilter filter);

} // namespace zorvik
