#pragma once

#include "core/Job.h"
#include "platform/FileId.h"
#include "platform/FileOperations.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <memory>

namespace zorvik {

class CommandHost;
class Dialogs;
class ProgressLine;
class ResultList;
class SettingsStore;
class Steps;
class UndoStack;

// "Move Checked To Folder": the checked files move into a folder the user picks, which is remembered
// for the next time. A row leaves the list only when its file arrived whole. Each file is moved on a
// worker thread while the window goes on, so that a share that stops answering holds no window.
class MoveChecked {
    Q_DECLARE_TR_FUNCTIONS(MoveChecked)

public:
    MoveChecked(CommandHost& host, ResultList& results, Dialogs& dialogs, SettingsStore& settings,
                ProgressLine& progress, UndoStack& undo, std::shared_ptr<FileOperations> files)
        : host_(host), results_(results), dialogs_(dialogs), settings_(settings), progress_(progress),
          undo_(undo), files_(std::move(files)) {}
    JobBody run(Job& job);
    // Stop and Escape: no file after the one under way is moved. The job's own stop also stops
    // waiting for the file under way.
    void stopBetweenFiles() {
        stopAsked_ = true;
        if (copyStop_)
            copyStop_->store(true); // a large file's copy under way ends too, its source untouched
    }
    bool stopAsked() const { return stopAsked_; }

    struct Record; // what one run has done so far

private:
    // `sizeText` and `bytes` are the row's, to bring it back on an undo.
    JobBody moveOne(Job& job, FoundFile source, QString sizeText, quint64 bytes,
                    FileOperations::OpenedDestination into, Record& record);
    bool stopping(const Job& job) const { return stopAsked_ || job.stopRequested(); }

    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
    ProgressLine& progress_;
    UndoStack& undo_;                       // every file that arrived, so that the move can be taken back
    std::shared_ptr<FileOperations> files_; // shared with a worker that may outlive the command
    QString rememberedFolder_;
    bool stopAsked_ = false;
    std::shared_ptr<std::atomic<bool>> copyStop_; // the running command's, shared with its workers
};

} // namespace zorvik
