#pragma once

#include "core/Job.h"

#include <QObject>

#include <deque>
#include <memory>

namespace zorvik {

// Runs jobs one at a time, in the order they came: a job that comes while another runs waits for it.
// Jobs in different lanes run side by side (the search in one, the result commands in another).
class JobLane : public QObject {
    Q_OBJECT
public:
    explicit JobLane(QObject* parent = nullptr) : QObject(parent) {}
    ~JobLane() override;

    // Starts `job` now when the lane is idle, otherwise once the jobs before it have finished.
    void submit(std::unique_ptr<Job> job);
    bool isIdle() const { return !current_ && waiting_.empty(); }
    // The job that runs now, if any.
    Job* current() const { return current_.get(); }
    // Asks the running job and every waiting one to wind down; the waiting ones still start, and see
    // the request at their first step.
    void requestStop();
    // Ends every job without another step; the waiting ones never start.
    void abandonAll();

Q_SIGNALS:
    // The last job has finished and none waits.
    void idle();

private:
    void startNext();
    void jobFinished();

    std::unique_ptr<Job> current_;
    std::deque<std::unique_ptr<Job>> waiting_;
    bool starting_ = false;
};

} // namespace zorvik
