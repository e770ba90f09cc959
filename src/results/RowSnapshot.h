#pragma once

#include <optional>

#include <QtGlobal>

namespace zorvik {

class ResultList;

// The rows a command works through, fixed when it starts: every row, in the order shown then. Whatever
// runs while the command yields (a sort, a filter, "Clear Results", new rows of a search), each of
// these rows is found again where it is now, or is known to be gone; no other row is ever visited.
//
// Nothing is recorded when it is taken, however many rows there are: the list keeps how its rows moved
// for as long as a snapshot follows them.
class RowSnapshot {
public:
    explicit RowSnapshot(const ResultList& list);
    ~RowSnapshot();
    RowSnapshot(const RowSnapshot&) = delete;
    RowSnapshot& operator=(const RowSnapshot&) = delete;

    int size() const { return size_; }
    // Where the row that stood at `index` (0-based) when the command started is now (1-based), or no
    // value when it has left the list.
    std::optional<int> position(int index) const;
    // Whether every row is still where it stood when the command started (new ones came after them).
    bool unmoved() const;

private:
    const ResultList& list_;
    int size_;
    quint64 layoutVersion_;
};

} // namespace zorvik
