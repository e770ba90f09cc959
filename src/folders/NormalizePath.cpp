#include "folders/NormalizePath.h"

namespace zorvik {

namespace {

// Scans left to right and replaces each pair of separators by one, resuming after the pair. The same
// for text and for the system's bytes, where '/' is always the byte 0x2F.
template <typename Text, typename Char> Text collapsePairs(const Text& text, qsizetype from, Char separator) {
    Text result;
    result.reserve(text.size() - from);
    for (qsizetype i = from; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == separator && i + 1 < text.size() && text[i + 1] == separator)
            ++i;
    }
    return result;
}

template <typename Text, typename Char> Text normalized(const Text& path, Char separator, int leadingRun) {
    if (path.isEmpty() || path.front() != separator)
        return collapsePairs(path, 0, separator);
    qsizetype rest = 0;
    while (rest < path.size() && path[rest] == separator)
        ++rest;
    return Text(leadingRun, separator) + collapsePairs(path, rest, separator);
}

} // namespace

QString normalizeSeparators(const QString& path, QChar separator, int leadingRun) {
    return normalized(path, separator, leadingRun);
}

QString NormalizePath(const QString& path) {
    return normalizeSeparators(path, u'/', 1);
}

QByteArray NormalizePath(const QByteArray& path) {
    return normalized(path, '/', 1);
}

QString NormalizeWindowsPath(const QString& path) {
    return normalizeSeparators(path, u'\\', 2);
}

} // namespace zorvik
