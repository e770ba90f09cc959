#include "results/TextFilter.h"

#include "results/ResultList.h"

#include <QByteArrayMatcher>
#include <QFile>

namespace zorvik {

namespace {

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

void asciiLower(QByteArray& bytes) {
    for (char& c : bytes)
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
}

} // namespace

std::vector<int> rowsToPrune(const ResultList& list, const QString& text, bool containing) {
    const QString needle = text.toLower();
    // Most paths are ASCII, and for those lowering the bytes is exactly what QString::toLower does to
    // the shown text; that spares a million rows a decode and two string copies each.
    const bool asciiNeedle = isAscii(needle.toUtf8());
    const QByteArray needleBytes = asciiNeedle ? needle.toLatin1() : QByteArray();
    const QByteArrayMatcher matcher(needleBytes);
    std::vector<int> positions;
    QByteArray path;
    const int count = list.count();
    for (int i = 1; i <= count; ++i) {
        list.pathBytesInto(i, path);
        bool found = false;
        if (isAscii(path)) {
            asciiLower(path);
            found = asciiNeedle && matcher.indexIn(path) >= 0;
        } else {
            found = QFile::decodeName(path).toLower().contains(needle);
        }
        if (found == containing)
            positions.push_back(i);
    }
    return positions;
}

} // namespace zorvik
