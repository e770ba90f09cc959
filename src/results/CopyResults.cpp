// "Copy Results To Clipboard".
#include "shell/Form1.h"

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "results/ClipboardText.h"
#include "results/ResultList.h"
#include "results/RowYield.h"
#include "shell/Steps.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

void CopyListToClipboard(Form1& form) {
    const ResultList& list = *form.results;
    if (list.count() == 0)
        return; // the clipboard keeps what it had
    RowYield rowYield([&form] { form.yield(); });
    const QString text = clipboardText(list, [&] { rowYield(); });
    Clipboard& clipboard = *form.services().clipboard;
    ClearClipboardRetry(clipboard);
    SetClipboardTextRetry(clipboard, text);
}

} // namespace

void Form1::PushButton4_Click() {
    auto s = steps(u"PushButton4_Click"_s);
    s->run(106, [&] { CopyListToClipboard(*this); });
    s->run(108, [&] {
        services_.dialogs->notice(
            applicationTitle(),
            u"Results have been copied to the clipboard.\r\r"_s
            u"Click a text area where you normally type and press Ctrl+V to paste the clipboard."_s);
    });
}

} // namespace zorvik
