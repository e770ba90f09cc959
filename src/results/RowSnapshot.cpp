#include "results/RowSnapshot.h"

#include "results/ResultList.h"

namespace zorvik {

RowSnapshot::RowSnapshot(const ResultList& list)
    : list_(list), size_(list.count()), layoutVersion_(list.layoutVersion()) {
    list_.followLayout();
}

RowSnapshot::~RowSnapshot() {
    list_.unfollowLayout();
}

std::optional<int> RowSnapshot::position(int index) const {
    // As long as no row has moved or left, every row is where it was: only new ones came after them.
    if (list_.layoutVersion() == layoutVersion_)
        return index + 1;
    return list_.positionSince(index, layoutVersion_);
}

} // namespace zorvik
