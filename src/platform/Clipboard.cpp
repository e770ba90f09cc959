#include "platform/Clipboard.h"

namespace zorvik {

namespace {
constexpr int kTries = 1000;
}

void ClearClipboardRetry(Clipboard& clipboard) {
    for (int i = 0; i < kTries; ++i)
        if (clipboard.clear())
            return;
}

bool SetClipboardTextRetry(Clipboard& clipboard, const QString& text) {
    for (int i = 0; i < kTries; ++i)
        if (clipboard.setText(text))
            return true;
    return false;
}

} // namespace zorvik
