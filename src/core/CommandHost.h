#pragma once

#include <QString>

namespace zorvik {

// What only the window can do for a command: let pending events run, show the pointer state, and
// give the application's title for its message boxes.
class CommandHost {
public:
    // The pointer states a command may ask for.
    static constexpr int kPointerDefault = 0;
    static constexpr int kPointerArrow = 1;
    static constexpr int kPointerBusy = 11;
    static constexpr int kPointerHand = 99;

    virtual ~CommandHost() = default;
    // Lets pending events run. Throws ApplicationClosing once the window has been closed.
    virtual void yield() = 0;
    // Lets pending events run while a command waits for a file-system call on a worker thread. It is
    // not one of the command's own yields (a test acting at a given yield does not see it). Throws
    // ApplicationClosing once the window has been closed.
    virtual void yieldWhileWaiting() = 0;
    virtual int pointerState() const = 0;
    virtual void setPointerState(int state) = 0;
    virtual const QString& applicationTitle() const = 0;
    // How long a command that handles row after row may go without yielding.
    virtual int rowYieldIntervalMs() const = 0;
};

} // namespace zorvik
