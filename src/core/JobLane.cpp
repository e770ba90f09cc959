#include "core/JobLane.h"

namespace zorvik {

JobLane::~JobLane() {
    // A job is destroyed here only between its steps: the window goes away after its event loop.
    waiting_.clear();
    current_.reset();
}

void JobLane::submit(std::unique_ptr<Job> job) {
    job->setParent(this);
    connect(job.get(), &Job::finished, this, &JobLane::jobFinished);
    waiting_.push_back(std::move(job));
    if (!current_)
        startNext();
}

void JobLane::requestStop() {
    if (current_)
        current_->requestStop();
    for (const std::unique_ptr<Job>& job : waiting_)
        job->requestStop();
}

void JobLane::abandonAll() {
    waiting_.clear();
    if (current_)
        current_->abandon();
}

void JobLane::startNext() {
    // A job that finishes inside start() comes back here through jobFinished: the loop below takes
    // the next one instead of nesting.
    if (starting_)
        return;
    starting_ = true;
    while (!current_ && !waiting_.empty()) {
        current_ = std::move(waiting_.front());
        waiting_.pop_front();
        current_->start();
        if (current_->isFinished())
            current_.release()->deleteLater();
    }
    starting_ = false;
    if (isIdle())
        Q_EMIT idle();
}

void JobLane::jobFinished() {
    if (!current_ || sender() != current_.get())
        return;
    if (starting_)
        return; // startNext sees it finished
    // Not destroyed at once: the job's own step may still be on the stack below this signal.
    current_.release()->deleteLater();
    startNext();
}

} // namespace zorvik
