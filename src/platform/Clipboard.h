#pragma once

#include <QString>

namespace zorvik {

// The system clipboard, plain text only.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard; false when the system refused.
    virtual bool clear() = 0;
    // Replaces the clipboard's content with plain text; false when the system refused.
    virtual bool setText(const QString& text) = 0;
};

// Each tries its operation up to 1,000 times, at once, and never fails to the caller.
void ClearClipboardRetry(Clipboard& clipboard);
bool SetClipboardTextRetry(Clipboard& clipboard, const QString& text);

} // namespace zorvik
