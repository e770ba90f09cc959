#include "platform/SearchOptions.h"

#include <QFile>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace zorvik {

QString patternLines(const std::vector<QByteArray>& patterns) {
    QStringList lines;
    for (const QByteArray& pattern : patterns)
        lines << QFile::decodeName(pattern);
    return lines.join(u'\n');
}

std::vector<QByteArray> patternsFromLines(const QString& lines, const std::vector<QByteArray>& shown) {
    std::vector<QByteArray> patterns;
    // Two patterns may look alike once decoded; each shown one answers for one line only.
    std::vector<bool> taken(shown.size(), false);
    for (const QString& line : lines.split(u'\n')) {
        if (line.trimmed().isEmpty())
            continue;
        // Decoding replaced what is not valid text; only the untouched line still means those bytes.
        std::size_t i = 0;
        while (i < shown.size() && (taken[i] || QFile::decodeName(shown[i]) != line))
            ++i;
        if (i < shown.size()) {
            taken[i] = true;
            patterns.push_back(shown[i]);
        } else {
            patterns.push_back(QFile::encodeName(line));
        }
    }
    return patterns;
}

} // namespace zorvik
