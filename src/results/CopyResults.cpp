#include "results/CopyResults.h"

#include "core/CommandHost.h"
#include "core/Steps.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "results/ClipboardText.h"
#include "results/ResultList.h"
#include "results/RowYield.h"

using namespace Qt::StringLiterals;

namespace zorvik {

void CopyResults::copyListToClipboard() {
    if (results_.count() == 0)
        return; // the clipboard keeps what it had
    RowYield rowYield(host_);
    const QString text = clipboardText(results_, [&] { rowYield(); });
    ClearClipboardRetry(clipboard_);
    SetClipboardTextRetry(clipboard_, text);
}

void CopyResults::run(Steps& s) {
    s.run(106, [&] { copyListToClipboard(); });
    s.run(108, [&] {
        dialogs_.notice(
            host_.applicationTitle(),
            u"Results have been copied to the clipboard.\r\r"_s
            u"Click a text area where you normally type and press Ctrl+V to paste the clipboard."_s);
    });
}

} // namespace zorvik
