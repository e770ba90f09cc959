#include "platform/FileNames.h"

using namespace Qt::StringLiterals;

namespace zorvik {

QString withTextExtension(const QString& name, bool textFilesFilter) {
    if (!textFilesFilter || name.isEmpty() || name.endsWith(u'/'))
        return name;
    const QStringView fileName = QStringView(name).sliced(name.lastIndexOf(u'/') + 1);
    // A dot anywhere but at the start of the name means the user chose an extension (or none, "x.").
    if (fileName.lastIndexOf(u'.') > 0)
        return name;
    return name + u".txt"_s;
}

} // namespace zorvik
