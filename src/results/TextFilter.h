#pragma once

#include <QString>

#include <vector>

namespace zorvik {

class ResultList;

// The positions (ascending) of the rows whose path contains `text`, or does not contain it, compared
// in lower case (QString::toLower of both). Only the path is looked at, never the size text.
std::vector<int> rowsToPrune(const ResultList& list, const QString& text, bool containing);

} // namespace zorvik
