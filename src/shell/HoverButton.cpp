#include "shell/HoverButton.h"

#include <QMouseEvent>

namespace zorvik {

HoverButton::HoverButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setMouseTracking(true);
}

void HoverButton::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT pointerMoved();
    QPushButton::mouseMoveEvent(event);
    // A button ignores moves without a pressed button; the window must not take them as its own.
    event->accept();
}

} // namespace zorvik
