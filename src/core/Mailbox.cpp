#include "core/Mailbox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

namespace zorvik {

namespace {

QEvent::Type wakeEvent() {
    static const auto kType = static_cast<QEvent::Type>(QEvent::registerEventType());
    return kType;
}

} // namespace

void Mailbox::post(std::function<void()> call) {
    bool wake = false;
    {
        const std::scoped_lock lock(mutex_);
        wake = calls_.empty(); // otherwise a wake is already on its way
        calls_.push_back(std::move(call));
    }
    if (wake)
        QCoreApplication::postEvent(this, new QEvent(wakeEvent()));
}

void Mailbox::customEvent(QEvent* event) {
    if (event->type() != wakeEvent())
        return;
    std::vector<std::function<void()>> calls;
    {
        const std::scoped_lock lock(mutex_);
        calls.swap(calls_);
    }
    const QPointer<Mailbox> self(this);
    for (const auto& call : calls) {
        if (!self)
            return; // a call destroyed the mailbox's owner: what was posted to it is void
        call();
    }
}

} // namespace zorvik
