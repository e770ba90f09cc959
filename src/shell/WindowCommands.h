#pragma once

#include "core/Job.h"
#include "core/JobLane.h"
#include "core/Steps.h"
#include "search/SkipRules.h"
#include "shell/CommandStatus.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace zorvik {

class CopyResults;
class FolderList;
class MoveChecked;
class PruneResults;
class RecycleChecked;
class ResultList;
class SaveResults;
class SearchHost;
class SearchRun;
class UndoLast;
class UndoStack;
struct Services;

// The window's long commands, each click a job on the event loop. The search has a lane of its own;
// the result commands share one, so that a command clicked while another runs waits for it and starts
// when it ends (a save never sees the rows change under it, a second move never races the first).
// "Clear Results" and the text filters wait in that lane too. A click on a column header to sort is
// refused while a result command runs (the list keeps its order); rows a search adds meanwhile come
// after the rows the command works through. A trash or a move says how far it is in the status line and
// can be stopped between files: its button reads "Stop" while it runs. An undo waits in the same lane
// and takes back whatever trash or move is last when its turn comes; while it runs, the button of the
// command it takes back reads "Stop".
class WindowCommands {
public:
    WindowCommands(SearchHost& host, FolderList& folders, ResultList& results, const Services& services,
                   Steps::Reporter reporter);
    ~WindowCommands();

    void startOrStop(); // "Start Finding" and "Stop"
    void save();
    void copy();
    void clear();
    // A click on the button of the trash or the move that runs stops it instead.
    void move();
    void trash();
    // Ctrl+Z and the result list's "Undo" entry: the last trash or move of this run is taken back.
    void undo();
    // The entry's words for what an undo would take back now; none when there is nothing.
    std::optional<QString> undoOffer() const;
    // Stop and Escape for the trash or the move that runs: the first asks it to stop before its next
    // file, a second no longer waits for the file under way (a share that stopped answering). False
    // when neither runs.
    bool stopFileCommand();
    // Told with the button's handler when a trash, a move or an undo of one starts and ends, so that
    // button can offer Stop.
    void setRunningShown(std::function<void(const QString& handler, bool running)> shown) {
        runningShown_ = std::move(shown);
    }
    void prune(bool containing);

    // The rules the next search is handed when it starts: the stored search options.
    SkipRules nextSkipRules() const;
    bool isSearching() const { return !searchLane_.isIdle(); }
    bool stopRequested() const;
    bool isIdle() const { return searchLane_.isIdle() && commandLane_.isIdle(); }
    JobLane& searchLane() { return searchLane_; }
    JobLane& commandLane() { return commandLane_; }
    // The window closes: every job ends without another step.
    void abandonAll();

private:
    std::unique_ptr<Job> job(const QString& handler, Job::Body body) const;
    // Stops the file command whose Stop the button of `handler` offers now; otherwise submits the job
    // `handler`, the button `stopButton` names as it starts offering Stop while it runs.
    void runOrStop(const QString& handler, Job::Body body, std::function<QString()> stopButton);

    const Services& services_;
    ResultList& results_;
    Steps::Reporter reporter_;
    CommandStatus status_;
    std::function<void(const QString& handler, bool running)> runningShown_;
    std::unique_ptr<SearchRun> search_;
    std::unique_ptr<PruneResults> prune_;
    std::unique_ptr<SaveResults> save_;
    std::unique_ptr<CopyResults> copy_;
    std::unique_ptr<RecycleChecked> recycle_;
    std::unique_ptr<MoveChecked> move_;
    std::unique_ptr<UndoStack> undoStack_;
    std::unique_ptr<UndoLast> undo_;
    QString stopButton_; // the handler of the button that reads "Stop" now, if any
    JobLane searchLane_;
    JobLane commandLane_;
};

} // namespace zorvik
