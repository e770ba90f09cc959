#pragma once

#include <QPushButton>

namespace zorvik {

// A push button that reports every pointer movement over it, for the window's hover pointer.
class HoverButton : public QPushButton {
    Q_OBJECT
public:
    explicit HoverButton(const QString& caption, QWidget* parent = nullptr);

Q_SIGNALS:
    void pointerMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace zorvik
