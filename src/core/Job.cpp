#include "core/Job.h"

#include <QMetaObject>
#include <QTimer>

namespace zorvik {

Job::Job(QString handler, Steps::Reporter reporter, Body body, QObject* parent)
    : QObject(parent), steps_(std::move(handler), std::move(reporter)), makeBody_(std::move(body)) {}

// The body's frame goes first, while the job it waits with is still whole.
Job::~Job() {
    body_ = JobBody();
}

void Job::start() {
    body_ = makeBody_(*this);
    resumePoint_ = body_.handle();
    resumeBody();
}

void Job::requestStop() {
    stopRequested_ = true;
    // A worker that may never answer is not waited for any longer.
    if (waitingForCall_)
        QMetaObject::invokeMethod(
            this, [this, wait = suspension_] { resumeWait(wait); }, Qt::QueuedConnection);
}

void Job::abandon() {
    abandoned_ = true;
    if (insideStep_ || finished_)
        return; // the step in progress ends the job when it returns
    body_ = JobBody();
    finish();
}

void Job::resumeAfterTurn(std::coroutine_handle<> here) {
    resumePoint_ = here;
    QTimer::singleShot(0, this, [this, turn = ++suspension_] {
        if (turn != suspension_ || finished_)
            return;
        if (turnHook_)
            turnHook_();
        if (!abandoned_)
            resumeBody();
    });
}

quint64 Job::suspendForCall(std::coroutine_handle<> here) {
    resumePoint_ = here;
    waitingForCall_ = true;
    if (turnHook_ && waitingHookMs_ > 0) {
        if (!waitingHook_) {
            waitingHook_ = new QTimer(this);
            connect(waitingHook_, &QTimer::timeout, this, [this] {
                if (!finished_)
                    turnHook_();
            });
        }
        waitingHook_->start(waitingHookMs_);
    }
    return ++suspension_;
}

void Job::postResume(quint64 wait) {
    mailbox_.post([this, wait] { resumeWait(wait); });
}

void Job::resumeWait(quint64 wait) {
    if (wait != suspension_ || !waitingForCall_ || finished_)
        return; // the call finished after a stop had ended the wait, or the other way round
    waitingForCall_ = false;
    if (waitingHook_)
        waitingHook_->stop();
    resumeBody();
}

void Job::resumeBody() {
    if (abandoned_) {
        body_ = JobBody();
        finish();
        return;
    }
    insideStep_ = true;
    std::exchange(resumePoint_, {}).resume();
    insideStep_ = false;
    if (abandoned_ && !body_.done())
        body_ = JobBody();
    if (body_.done())
        finish();
}

void Job::finish() {
    if (finished_)
        return;
    finished_ = true;
    if (waitingHook_)
        waitingHook_->stop();
    Q_EMIT finished();
}

} // namespace zorvik
