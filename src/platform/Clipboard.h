#pragma once

#include <QByteArray>
#include <QString>

namespace zorvik {

// The system clipboard, plain text only.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard; false when the system refused.
    virtual bool clear() = 0;
    // Replaces the clipboard's content with plain text in UTF-8; false when the system refused. Taken
    // as bytes so that a text of millions of lines is handed over without a UTF-16 copy of it.
    virtual bool setText(const QByteArray& utf8) = 0;
};

// Each makes one attempt: Qt's clipboard does not refuse for a moment and then take the text, so
// another try would only hold the window. False when the clipboard did not take the text; the
// caller then tells the user so, in the words of clipboardRefusal().
void ClearClipboardRetry(Clipboard& clipboard);
bool SetClipboardTextRetry(Clipboard& clipboard, const QByteArray& utf8);
bool SetClipboardTextRetry(Clipboard& clipboard, const QString& text);
QString clipboardRefusal();

} // namespace zorvik
