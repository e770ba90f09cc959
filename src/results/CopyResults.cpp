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

CopyResults::Outcome CopyResults::copyListToClipboard() {
    if (results_.count() == 0)
        return Outcome::NothingChecked; // the clipboard keeps what it had
    // The rows as they stand now are the ones copied, each once, whatever a yield changes meanwhile.
    const RowSnapshot rows(results_);
    const ResultList::OrderHold hold(results_);
    RowYield rowYield(host_);
    int lines = 0;
    const QString text = clipboardText(
        results_, rows, [&] { rowYield(); }, &lines);
    // Nothing checked: what the user had on the clipboard stays there.
    if (lines == 0)
        return Outcome::NothingChecked;
    ClearClipboardRetry(clipboard_);
    return SetClipboardTextRetry(clipboard_, text) ? Outcome::Copied : Outcome::Refused;
}

void CopyResults::run(Steps& s) {
    Outcome outcome = Outcome::Copied;
    s.run(106, [&] { outcome = copyListToClipboard(); });
    if (outcome == Outcome::NothingChecked) {
        s.run(108, [&] { dialogs_.notice(host_.applicationTitle(), tr("No result is checked.")); });
        return;
    }
    s.run(108, [&] {
        if (outcome == Outcome::Refused) {
            dialogs_.notice(host_.applicationTitle(), clipboardRefusal());
            return;
        }
        dialogs_.notice(host_.applicationTitle(),
                        tr("Results have been copied to the clipboard.") + u"\r\r"_s +
                            tr("Click a text area where you normally type and press Ctrl+V to paste the "
                               "clipboard."));
    });
}

} // namespace zorvik
