#include "results/PruneResults.h"

#include "core/CommandHost.h"
#include "core/Steps.h"
#include "platform/Dialogs.h"
#include "results/ResultList.h"
#include "results/RowSnapshot.h"
#include "results/RowYield.h"
#include "results/TextFilter.h"

#include <algorithm>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// Where the snapshot's rows stand now, ascending, leaving out those gone. While no row has moved or
// left since the snapshot, each stands where it stood: millions of them take one pass, in place.
std::vector<int> positionsNow(const RowSnapshot& rows, std::vector<int> indexes) {
    if (rows.unmoved()) {
        for (int& i : indexes)
            ++i; // 1-based
        return indexes;
    }
    std::vector<int> positions;
    positions.reserve(indexes.size());
    for (const int i : indexes)
        if (const std::optional<int> at = rows.position(i))
            positions.push_back(*at);
    std::sort(positions.begin(), positions.end());
    return positions;
}

} // namespace

JobBody PruneResults::run(Job& job, bool containing) {
    Steps& s = job.steps();
    const QString prompt =
        containing ? tr("Remove entries containing: ") : tr("Remove entries not containing: ");
    QString text;
    s.run(100, [&] { text = dialogs_.inputText(host_.applicationTitle(), prompt); });
    if (s.test(102, [&] { return text.isEmpty(); }))
        co_return;
    s.run(104, [&] { host_.setPointerState(PointerState::Busy); });
    // The rows as they stood at the start are tested a stretch at a time between turns of the event
    // loop (a million paths take longer than a turn may); rows a search adds meanwhile are not.
    const RowSnapshot rows(results_);
    PathContains contains(text);
    RowYield turns(host_);
    std::vector<int> pruned; // indexes into the snapshot
    // Room for every row from the start: grown by doubling, the vector would copy millions of indexes
    // into a fresh block, and fault in its pages, within one turn (91 ms at eight million). Reserved
    // pages cost nothing until written, a few per turn.
    pruned.reserve(std::size_t(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        if (turns.due())
            co_await job.nextTurn();
        const std::optional<int> at = rows.position(i);
        if (at && contains(results_, *at) == containing)
            pruned.push_back(i);
    }
    // Removed in one pass, which keeps the others' order and check boxes; from a long list a slice per
    // turn, and the command ends with the last.
    s.run(106, [&] { results_.removePositions(positionsNow(rows, std::move(pruned))); });
    while (results_.isRemoving())
        co_await job.nextTurn();
    s.run(108, [&] { host_.setPointerState(PointerState::Arrow); });
}

} // namespace zorvik
