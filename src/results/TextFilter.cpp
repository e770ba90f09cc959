#include "results/TextFilter.h"

#include "results/ResultList.h"

namespace zorvik {

std::vector<int> rowsToPrune(const ResultList& list, const QString& text, bool containing) {
    const QString needle = text.toLower();
    std::vector<int> positions;
    const int count = list.count();
    for (int i = 1; i <= count; ++i) {
        if (list.text(i).toLower().contains(needle) == containing)
            positions.push_back(i);
    }
    return positions;
}

} // namespace zorvik
