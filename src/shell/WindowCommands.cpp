#include "shell/WindowCommands.h"

#include "folders/StoredSearchOptions.h"
#include "results/CopyResults.h"
#include "results/MoveChecked.h"
#include "results/PruneResults.h"
#include "results/RecycleChecked.h"
#include "results/ResultList.h"
#include "results/SaveResults.h"
#include "search/SearchRun.h"
#include "shell/Services.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

SkipRules skipRulesFrom(const SearchOptions& options) {
    SkipRules rules;
    rules.excludedNames = options.excludedNames;
    rules.onlyNames = options.onlyNames;
    rules.oneFileSystem = options.oneFileSystem;
    rules.excludeCaches = options.excludeCaches;
    rules.skipKernelFileSystems = options.skipKernelFileSystems;
    return rules;
}

} // namespace

WindowCommands::WindowCommands(SearchHost& host, FolderList& folders, ResultList& results,
                               const Services& services, Steps::Reporter reporter)
    : services_(services), results_(results), reporter_(std::move(reporter)),
      status_(
          folders, [this] { return isSearching(); }, services.locale) {
    Dialogs& dialogs = *services.dialogs;
    search_ = std::make_unique<SearchRun>(host, folders, results, dialogs, services.fileSystem.get(),
                                          services.locale, services.readAhead);
    prune_ = std::make_unique<PruneResults>(host, results, dialogs);
    save_ = std::make_unique<SaveResults>(host, results, dialogs);
    copy_ = std::make_unique<CopyResults>(host, results, dialogs, *services.clipboard);
    recycle_ = std::make_unique<RecycleChecked>(host, results, dialogs, status_, services.trash);
    move_ = std::make_unique<MoveChecked>(host, results, dialogs, *services.settings, status_,
                                          services.fileOperations);
}

// The lanes go first: a job's frame still refers to the commands.
WindowCommands::~WindowCommands() {
    searchLane_.abandonAll();
    commandLane_.abandonAll();
}

std::unique_ptr<Job> WindowCommands::job(const QString& handler, Job::Body body) const {
    auto job = std::make_unique<Job>(handler, reporter_, std::move(body));
    job->setTurnHook(services_.yieldHook, services_.readAhead.waitingCallMs);
    return job;
}

void WindowCommands::startOrStop() {
    const QString handler = u"PushButton1_Click"_s;
    Steps steps(handler, reporter_);
    if (steps.test(102, [&] { return search_->isRunning(); })) {
        search_->stop(steps);
        searchLane_.requestStop();
        return;
    }
    // A search that was asked to stop is winding down: the new one starts when it has ended, with the
    // options stored by then.
    searchLane_.submit(job(handler, [this](Job& j) {
        search_->setSkipRules(nextSkipRules());
        return search_->run(j);
    }));
}

SkipRules WindowCommands::nextSkipRules() const {
    return skipRulesFrom(readSearchOptions(*services_.settings, services_.locale));
}

bool WindowCommands::stopRequested() const {
    return search_->stopRequested();
}

void WindowCommands::save() {
    commandLane_.submit(job(u"PushButton2_Click"_s, [this](Job& j) { return save_->run(j); }));
}

void WindowCommands::copy() {
    commandLane_.submit(job(u"PushButton4_Click"_s, [this](Job& j) { return copy_->run(j); }));
}

void WindowCommands::clear() {
    commandLane_.submit(job(u"PushButton6_Click"_s, [this](Job& j) -> JobBody {
        j.steps().run(100, [this] { results_.clear(); });
        co_return;
    }));
}

void WindowCommands::runOrStop(const QString& handler, Job::Body body) {
    if (isRunning(handler)) {
        stopFileCommand();
        return;
    }
    // The body is made when the job starts, after the jobs before it in the lane.
    auto started = [this, handler, body = std::move(body)](Job& j) {
        if (runningShown_)
            runningShown_(handler, true);
        return body(j);
    };
    std::unique_ptr<Job> made = job(handler, std::move(started));
    QObject::connect(made.get(), &Job::finished, made.get(), [this, handler, j = made.get()] {
        // A job abandoned as the window closes changes no control any more.
        if (runningShown_ && !j->abandoned())
            runningShown_(handler, false);
    });
    commandLane_.submit(std::move(made));
}

bool WindowCommands::isRunning(const QString& handler) const {
    const Job* running = commandLane_.current();
    return running && !running->isFinished() && running->handler() == handler;
}

void WindowCommands::move() {
    runOrStop(u"PushButton8_Click"_s, [this](Job& j) { return move_->run(j); });
}

void WindowCommands::trash() {
    runOrStop(u"PushButton10_Click"_s, [this](Job& j) { return recycle_->run(j); });
}

bool WindowCommands::stopFileCommand() {
    const bool moving = isRunning(u"PushButton8_Click"_s);
    if (!moving && !isRunning(u"PushButton10_Click"_s))
        return false;
    const bool askedBefore = moving ? move_->stopAsked() : recycle_->stopAsked();
    if (askedBefore)
        commandLane_.current()->requestStop();
    else if (moving)
        move_->stopBetweenFiles();
    else
        recycle_->stopBetweenFiles();
    return true;
}

void WindowCommands::prune(bool containing) {
    commandLane_.submit(job(containing ? u"PushButton17_Click"_s : u"PushButton11_Click"_s,
                            [this, containing](Job& j) { return prune_->run(j, containing); }));
}

void WindowCommands::abandonAll() {
    searchLane_.abandonAll();
    commandLane_.abandonAll();
}

} // namespace zorvik
