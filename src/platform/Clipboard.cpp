#include "platform/Clipboard.h"

#include <QCoreApplication>

namespace zorvik {

void ClearClipboardRetry(Clipboard& clipboard) {
    // A clipboard that stays full is overwritten by the text that follows.
    (void)clipboard.clear();
}

bool SetClipboardTextRetry(Clipboard& clipboard, const QByteArray& utf8) {
    return clipboard.setText(utf8);
}

bool SetClipboardTextRetry(Clipboard& clipboard, const QString& text) {
    return clipboard.setText(text.toUtf8());
}

QString clipboardRefusal() {
    return QCoreApplication::translate("zorvik::Clipboard", "The clipboard did not take the text.");
}

} // namespace zorvik
