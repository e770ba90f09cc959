#include "shell/WindowCommands.h"

#include "folders/StoredSearchOptions.h"
#include "results/CopyResults.h"
#include "results/MoveChecked.h"
#include "results/PruneResults.h"
#include "results/RecycleChecked.h"
#include "results/ResultList.h"
#include "results/SaveResults.h"
#include "results/UndoLast.h"
#include "results/UndoStack.h"
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
    undoStack_ = std::make_unique<UndoStack>();
    recycle_ = std::make_unique<RecycleChecked>(host, results, dialogs, status_, *undoStack_, services.trash);
    move_ = std::make_unique<MoveChecked>(host, results, dialogs, *services.settings, status_, *undoStack_,
                                          services.fileOperations);
    undo_ = std::make_unique<UndoLast>(host, results, dialogs, status_, *undoStack_, services.fileOperations,
                                       services.trash);
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

void WindowCommands::runOrStop(const QString& handler, Job::Body body, std::function<QString()> stopButton) {
    if (!stopButton_.isEmpty() && stopButton_ == handler) {
        stopFileCommand();
        return;
    }
    // The body is made when the job starts, after the jobs before it in the lane.
    auto started = [this, body = std::move(body), stopButton = std::move(stopButton)](Job& j) {
        stopButton_ = stopButton();
        if (runningShown_ && !stopButton_.isEmpty())
            runningShown_(stopButton_, true);
        return body(j);
    };
    std::unique_ptr<Job> made = job(handler, std::move(started));
    QObject::connect(made.get(), &Job::finished, made.get(), [this, j = made.get()] {
        const QString button = std::exchange(stopButton_, QString());
        // A job abandoned as the window closes changes no control any more.
        if (runningShown_ && !j->abandoned() && !button.isEmpty())
            runningShown_(button, false);
    });
    commandLane_.submit(std::move(made));
}

namespace {

const QString kMoveHandler = u"PushButton8_Click"_s;
const QString kTrashHandler = u"PushButton10_Click"_s;
const QString kUndoHandler = u"Undo_Click"_s;

} // namespace

void WindowCommands::move() {
    runOrStop(
        kMoveHandler, [this](Job& j) { return move_->run(j); }, [] { return kMoveHandler; });
}

void WindowCommands::trash() {
    runOrStop(
        kTrashHandler, [this](Job& j) { return recycle_->run(j); }, [] { return kTrashHandler; });
}

void WindowCommands::undo() {
    // The button of the command taken back offers Stop; with nothing to take back, none does.
    runOrStop(
        kUndoHandler, [this](Job& j) { return undo_->run(j); },
        [this] {
            if (!undoOffer())
                return QString();
            return undoStack_->lastIsMove() ? kMoveHandler : kTrashHandler;
        });
}

std::optional<QString> WindowCommands::undoOffer() const {
    return undoStack_->offer();
}

bool WindowCommands::stopFileCommand() {
    if (stopButton_.isEmpty())
        return false;
    const QString& running = commandLane_.current()->handler();
    const bool moving = running == kMoveHandler;
    const bool undoing = running == kUndoHandler;
    const bool askedBefore = moving    ? move_->stopAsked()
                             : undoing ? undo_->stopAsked()
                                       : recycle_->stopAsked();
    if (askedBefore)
        commandLane_.current()->requestStop();
    else if (moving)
        move_->stopBetweenFiles();
    else if (undoing)
        undo_->stopBetweenFiles();
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
