#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace zorvik {

bool QtClipboard::clear() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->clear();
    return true;
}

bool QtClipboard::setText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(text);
    // Qt reports no failure; reading the text back is the one sign that the system took it.
    return clipboard->text() == text;
}

} // namespace zorvik
