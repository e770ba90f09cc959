#include "results/RowSnapshot.h"

#include "results/ResultList.h"

namespace zorvik {

RowSnapshot::RowSnapshot(const ResultList& list) : list_(list), layoutVersion_(list.layoutVersion()) {
    keys_.reserve(std::size_t(list.count()));
    for (int position = 1; position <= list.count(); ++position)
        keys_.push_back(list.rowKey(position));
}

std::optional<int> RowSnapshot::position(int index) const {
    // As long as no row has moved or left, every row is where it was: only new ones came after them.
    if (list_.layoutVersion() == layoutVersion_)
        return index + 1;
    return list_.positionOfKey(keys_[std::size_t(index)]);
}

} // namespace zorvik
