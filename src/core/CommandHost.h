#pragma once

#include <QString>

namespace zorvik {

// The pointer states a command may ask for, numbered as the design's mouse pointers.
enum class PointerState { Default = 0, Arrow = 1, Busy = 11, Hand = 99 };

// What only the window can do for a command: show the pointer state and give the application's
// title for its message boxes.
class CommandHost {
public:
    virtual ~CommandHost() = default;
    virtual PointerState pointerState() const = 0;
    virtual void setPointerState(PointerState state) = 0;
    virtual const QString& applicationTitle() const = 0;
    // How long a command that handles row after row may go without giving the event loop a turn.
    virtual int rowYieldIntervalMs() const = 0;
};

} // namespace zorvik
