#pragma once

#include "core/Job.h"
#include "core/JobLane.h"
#include "core/Steps.h"
#include "search/SearchRun.h"

#include <QEventLoop>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace zorvik::test {

// What the window does for a command, without a window: the turns a job gives the event loop are
// counted and may run a test's action, every pointer state and caption set is recorded, and the size
// condition is whatever the test puts there.
class FakeHost : public SearchHost {
public:
    int yields = 0;
    std::function<void()> onYield; // runs at every turn, where the user would act meanwhile
    std::vector<PointerState> pointerStates;
    QStringList captions;
    QString caption = QStringLiteral("Start Finding");
    SizeCondition condition;
    quint64 revision = 0;
    QString title = QStringLiteral("Zorvik");
    int rowIntervalMs = 0;

    // What a job calls at each of its turns.
    std::function<void()> turnHook() {
        return [this] {
            ++yields;
            if (onYield)
                onYield();
        };
    }
    PointerState pointerState() const override { return pointer_; }
    void setPointerState(PointerState state) override {
        pointer_ = state;
        pointerStates.push_back(state);
    }
    const QString& applicationTitle() const override { return title; }
    int rowYieldIntervalMs() const override { return rowIntervalMs; }
    QString startCaption() const override { return caption; }
    void setStartCaption(const QString& text) override {
        caption = text;
        captions << text;
    }
    SizeCondition sizeCondition() const override { return condition; }
    bool checkBoundsBeforeSearch() override { return boundsAreNumbers; }
    bool boundsAreNumbers = true;

private:
    PointerState pointer_ = PointerState::Default;
};

// The numbered steps of one handler, each failure kept as "<step>: <description>".
class RecordedSteps {
public:
    explicit RecordedSteps(const QString& handler)
        : steps(handler, [this](const QString& description, const QString&, int step, const QString&) {
              failures << QString::number(step) + QStringLiteral(": ") + description;
          }) {}
    RecordedSteps(const RecordedSteps&) = delete;
    RecordedSteps& operator=(const RecordedSteps&) = delete;

    QStringList failures;
    Steps steps;
};

// A command's job, its failures kept as "<step>: <description>", its turns counted by the host.
inline std::unique_ptr<Job> recordedJob(FakeHost& host, const QString& handler, QStringList& failures,
                                        Job::Body body) {
    auto job = std::make_unique<Job>(
        handler,
        [&failures](const QString& description, const QString&, int step, const QString&) {
            failures << QString::number(step) + QStringLiteral(": ") + description;
        },
        std::move(body));
    job->setTurnHook(host.turnHook());
    return job;
}

// Runs the event loop until `lane` has no job left.
inline void runUntilIdle(JobLane& lane) {
    if (lane.isIdle())
        return;
    QEventLoop loop;
    QObject::connect(&lane, &JobLane::idle, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace zorvik::test
