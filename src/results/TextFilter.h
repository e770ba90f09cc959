#pragma once

#include <QByteArray>
#include <QByteArrayMatcher>
#include <QString>

#include <vector>

namespace zorvik {

class ResultList;

// Whether a row's path contains a text, compared in lower case (QString::toLower of both). Only the
// path is looked at, never the size text.
class PathContains {
public:
    explicit PathContains(const QString& text);
    bool operator()(const ResultList& list, int position);

private:
    QString needle_;
    bool asciiNeedle_;
    QByteArrayMatcher matcher_;
    QByteArray path_; // reused from row to row
};

// The positions (ascending) of the rows whose path contains `text`, or does not contain it.
std::vector<int> rowsToPrune(const ResultList& list, const QString& text, bool containing);

} // namespace zorvik
