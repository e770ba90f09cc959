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

PathContains::PathContains(const QString& text)
    : needle_(text.toLower()), asciiNeedle_(isAscii(needle_.toUtf8())),
      // Most paths are ASCII, and for those lowering the bytes is exactly what QString::toLower does to
      // the shown text; that spares a million rows a decode and two string copies each.
      matcher_(asciiNeedle_ ? needle_.toLatin1() : QByteArray()) {}

bool PathContains::operator()(const ResultList& list, int position) {
    list.pathBytesInto(position, path_);
    if (!isAscii(path_))
        return QFile::decodeName(path_).toLower().contains(needle_);
    asciiLower(path_);
    return asciiNeedle_ && matcher_.indexIn(path_) >= 0;
}

std::vector<int> rowsToPrune(const ResultList& list, const QString& text, bool containing) {
    PathContains contains(text);
    std::vector<int> positions;
    const int count = list.count();
    for (int i = 1; i <= count; ++i)
        if (contains(list, i) == containing)
            positions.push_back(i);
    return positions;
}

} // namespace zorvik
