#include "results/CopyResults.h"

#include "core/CommandHost.h"
#include "core/Steps.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "results/ClipboardText.h"
#include "results/ResultList.h"
#include "results/RowSnapshot.h"
#include "results/RowYield.h"

using namespace Qt::StringLiterals;

namespace zorvik {

JobBody CopyResults::run(Job& job) {
    Steps& s = job.steps();
    ClipboardTextBuilder text(results_);
    bool built = false;
    co_await buildText(job, text, built);
    if (!built)
        co_return; // reported: nothing is said to be copied that was not
    // Nothing checked: what the user had on the clipboard stays there.
    if (text.lines() == 0) {
        s.run(110, [&] { dialogs_.notice(host_.applicationTitle(), tr("No result is checked.")); });
        co_return;
    }
    bool taken = false;
    if (!s.run(106, [&] {
            ClearClipboardRetry(clipboard_);
            taken = SetClipboardTextRetry(clipboard_, text.take());
        }))
        co_return;
    s.run(108, [&] {
        if (!taken) {
            dialogs_.notice(host_.applicationTitle(), clipboardRefusal());
            return;
        }
        dialogs_.notice(host_.applicationTitle(),
                        tr("Results have been copied to the clipboard.") + u"\r\r"_s +
                            tr("Click a text area where you normally type and press Ctrl+V to paste the "
                               "clipboard."));
    });
}

JobBody CopyResults::buildText(Job& job, ClipboardTextBuilder& text, bool& built) {
    Steps& s = job.steps();
    // The rows as they stand now are the ones copied, each once; whether a row is checked is read as
    // the copy reaches it.
    const RowSnapshot rows(results_);
    const ResultList::OrderHold hold(results_);
    RowYield turns(host_);
    for (int c = 0; c < ClipboardTextBuilder::kColumns; ++c)
        for (int i = 0; i < rows.size(); ++i) {
            if (turns.due())
                co_await job.nextTurn();
            if (!s.run(106, [&] {
                    if (const std::optional<int> row = rows.position(i))
                        text.measure(*row, c);
                }))
                co_return;
        }
    text.reserve();
    for (int i = 0; i < rows.size(); ++i) {
        if (turns.due())
            co_await job.nextTurn();
        if (!s.run(106, [&] {
                const std::optional<int> row = rows.position(i);
                if (!row || !results_.checked(*row))
                    return;
                for (int c = 0; c < ClipboardTextBuilder::kColumns; ++c)
                    text.writeCell(*row, c);
                text.endLine();
            }))
            co_return;
    }
    built = true;
}

} // namespace zorvik
