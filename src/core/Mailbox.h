#pragma once
// Threads: a Mailbox belongs to the thread that creates it. `post` may be called from any thread while
// the mailbox exists; the posted calls run on the mailbox's thread, in the order posted, at a later
// turn of its event loop. The calls pass from the posting thread to the mailbox's under the mailbox's
// own mutex, not inside an event of Qt's: Qt is built without ThreadSanitizer, so an ordering that
// only its queue makes would read as a race in our sanitizer runs. The event that wakes the mailbox
// carries nothing.

#include <QObject>

#include <functional>
#include <mutex>
#include <vector>

namespace zorvik {

class Mailbox : public QObject {
public:
    explicit Mailbox(QObject* parent = nullptr) : QObject(parent) {}

    // Thread-safe.
    void post(std::function<void()> call);

protected:
    void customEvent(QEvent* event) override;

private:
    std::mutex mutex_;
    std::vector<std::function<void()>> calls_;
};

} // namespace zorvik
