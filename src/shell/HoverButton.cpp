#include "shell/HoverButton.h"

namespace zorvik {

HoverButton::HoverButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setMouseTracking(true);
}

void HoverButton::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT pointerMoved();
    QPushButton::mouseMoveEvent(event);
}

} // namespace zorvik
