#pragma once

#include <QtGlobal>

#include <memory>
#include <optional>
#include <vector>

namespace zorvik {

// How the list's positions moved since an earlier layout: each sort, removal and clearing counts as one
// layout, and while anyone follows positions across them (a command working through a RowSnapshot) each
// is kept as the mapping from old positions to new ones. Following a row then costs nothing up front,
// however many rows there are, and nothing at all while no row moves.
class LayoutLog {
public:
    quint64 version() const { return base_ + changes_.size(); }
    void follow() { ++followers_; }
    void unfollow();

    // The row at each of the first newPositions->size() positions went to (*newPositions)[position].
    void moved(std::shared_ptr<const std::vector<quint32>> newPositions);
    // These positions (ascending, 1-based) left; the rows after them closed up.
    void removed(std::vector<int> ascendingPositions);
    void cleared();

    // Where the row at `position` (0-based) in layout `since` stands now; none when it left.
    std::optional<std::size_t> now(std::size_t position, quint64 since) const;

private:
    enum class Kind { Moved, Removed, Cleared };
    struct Change {
        Kind kind;
        std::shared_ptr<const std::vector<quint32>> moved;
        std::shared_ptr<const std::vector<int>> removed;
    };
    void add(Change change);

    std::vector<Change> changes_; // since layout base_
    quint64 base_ = 0;
    int followers_ = 0;
};

} // namespace zorvik
