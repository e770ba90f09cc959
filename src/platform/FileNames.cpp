#include "platform/FileNames.h"

using namespace Qt::StringLiterals;

namespace zorvik {

QString withExtension(const QString& name, const QString& extension) {
    if (name.isEmpty() || name.endsWith(u'/'))
        return name;
    const QStringView fileName = QStringView(name).sliced(name.lastIndexOf(u'/') + 1);
    // A dot anywhere but at the start of the name means the user chose an extension (or none, "x.").
    if (fileName.lastIndexOf(u'.') > 0)
        return name;
    return name + extension;
}

QString withTextExtension(const QString& name, bool textFilesFilter) {
    return textFilesFilter ? withExtension(name, u".txt"_s) : name;
}

SaveTarget saveTargetOf(const QString& name, SaveFilter filter) {
    SaveTarget target;
    switch (filter) {
    case SaveFilter::Text:
        target.name = withExtension(name, u".txt"_s);
        break;
    case SaveFilter::Csv:
        target.name = withExtension(name, u".csv"_s);
        break;
    case SaveFilter::AllFiles:
        target.name = name;
        break;
    }
    // A name typed with ".csv" asks for CSV whichever filter happened to be shown.
    const bool csv = filter == SaveFilter::Csv || target.name.endsWith(u".csv"_s, Qt::CaseInsensitive);
    target.format = csv ? SaveFormat::Csv : SaveFormat::Text;
    return target;
}

} // namespace zorvik
