#include "folders/NormalizePath.h"

namespace zorvik {

namespace {

// Scans left to right and replaces each pair of separators by one, resuming after the pair.
QString collapsePairs(QStringView text, QChar separator) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == separator && i + 1 < text.size() && text[i + 1] == separator)
            ++i;
    }
    return result;
}

} // namespace

QString normalizeSeparators(const QString& path, QChar separator, int leadingRun) {
    if (path.isEmpty() || path.front() != separator)
        return collapsePairs(path, separator);
    qsizetype rest = 0;
    while (rest < path.size() && path[rest] == separator)
        ++rest;
    return QString(leadingRun, separator) + collapsePairs(QStringView(path).mid(rest), separator);
}

QString NormalizePath(const QString& path) {
    return normalizeSeparators(path, u'/', 1);
}

QString NormalizeWindowsPath(const QString& path) {
    return normalizeSeparators(path, u'\\', 2);
}

} // namespace zorvik
