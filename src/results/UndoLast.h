#pragma once

#include "core/Job.h"
#include "results/UndoStack.h"

#include <QCoreApplication>

#include <memory>

namespace zorvik {

class CommandHost;
class Dialogs;
class FileOperations;
class ProgressLine;
class ResultList;
class Trash;

// "Undo": takes back the last trash or move of this run that is still on the stack, file by file on a
// worker while the window goes on. Each file goes back to the path it had, only if it is still the
// file the command left there, and never over another; its row comes back into the list. The files
// it could not put back, or did not reach when stopped, stay on the stack for the next undo, except
// those that are no longer where the command left them.
class UndoLast {
    Q_DECLARE_TR_FUNCTIONS(UndoLast)

public:
    UndoLast(CommandHost& host, ResultList& results, Dialogs& dialogs, ProgressLine& progress,
             UndoStack& stack, std::shared_ptr<FileOperations> files, std::shared_ptr<Trash> trash)
        : host_(host), results_(results), dialogs_(dialogs), progress_(progress), stack_(stack),
          files_(std::move(files)), trash_(std::move(trash)) {}
    JobBody run(Job& job);
    // Stop and Escape, as for a trash or a move.
    void stopBetweenFiles() { stopAsked_ = true; }
    bool stopAsked() const { return stopAsked_; }

    struct Record; // what one run has done so far

private:
    JobBody putBackOne(Job& job, const UndoEntry& entry, UndoFile file, Record& record, bool& settled);
    bool stopping(const Job& job) const { return stopAsked_ || job.stopRequested(); }

    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    ProgressLine& progress_;
    UndoStack& stack_;
    std::shared_ptr<FileOperations> files_; // shared with a worker that may outlive the command
    std::shared_ptr<Trash> trash_;          // the same
    bool stopAsked_ = false;
};

} // namespace zorvik
