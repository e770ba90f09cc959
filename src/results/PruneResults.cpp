#include "results/PruneResults.h"

#include "core/CommandHost.h"
#include "core/Steps.h"
#include "platform/Dialogs.h"
#include "results/ResultList.h"
#include "results/TextFilter.h"

using namespace Qt::StringLiterals;

namespace zorvik {

JobBody PruneResults::run(Job& job, bool containing) {
    Steps& s = job.steps();
    const QString prompt =
        containing ? tr("Remove entries containing: ") : tr("Remove entries not containing: ");
    QString text;
    s.run(100, [&] { text = dialogs_.inputText(host_.applicationTitle(), prompt); });
    if (s.test(102, [&] { return text.isEmpty(); }))
        co_return;
    s.run(104, [&] { host_.setPointerState(PointerState::Busy); });
    // The rows are removed in one pass, highest position first in effect, which keeps the others'
    // order and check boxes.
    s.run(106, [&] { results_.removePositions(rowsToPrune(results_, text, containing)); });
    s.run(108, [&] { host_.setPointerState(PointerState::Arrow); });
}

} // namespace zorvik
