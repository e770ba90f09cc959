#pragma once

#include <QString>

namespace zorvik {

// What only the window can do for a command: show the pointer state and give the application's
// title for its message boxes.
class CommandHost {
public:
    // The pointer states a command may ask for.
    static constexpr int kPointerDefault = 0;
    static constexpr int kPointerArrow = 1;
    static constexpr int kPointerBusy = 11;
    static constexpr int kPointerHand = 99;

    virtual ~CommandHost() = default;
    virtual int pointerState() const = 0;
    virtual void setPointerState(int state) = 0;
    virtual const QString& applicationTitle() const = 0;
    // How long a command that handles row after row may go without giving the event loop a turn.
    virtual int rowYieldIntervalMs() const = 0;
};

} // namespace zorvik
