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

bool RowSnapshot::unmoved() const {
    return list_.layoutVersion() == layoutVersion_;
}

std::optional<int> RowSnapshot::position(int index) const {
    if (unmoved())
        return index + 1;
    return list_.positionSince(index, layoutVersion_);
}

} // namespace zorvik
