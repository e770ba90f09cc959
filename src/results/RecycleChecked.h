#pragma once

#include "core/Job.h"
#include "platform/FileId.h"

#include <QCoreApplication>

#include <memory>
#include <vector>

namespace zorvik {

class ByteTotal;
class CommandHost;
class Dialogs;
class ProgressLine;
class ResultList;
class Steps;
class Trash;
class UndoStack;

// "Send Checked To Recycle Bin": after one question, the checked files go to the desktop's trash. A row
// leaves the list only when its file is really gone. Each file is trashed on a worker thread while the
// window goes on.
class RecycleChecked {
    Q_DECLARE_TR_FUNCTIONS(RecycleChecked)

public:
    RecycleChecked(CommandHost& host, ResultList& results, Dialogs& dialogs, ProgressLine& progress,
                   UndoStack& undo, std::shared_ptr<Trash> trash)
        : host_(host), results_(results), dialogs_(dialogs), progress_(progress), undo_(undo),
          trash_(std::move(trash)) {}
    JobBody run(Job& job);
    // Stop and Escape: no file after the one under way goes to the trash. The job's own stop also
    // stops waiting for the file under way.
    void stopBetweenFiles() { stopAsked_ = true; }
    bool stopAsked() const { return stopAsked_; }

    struct CheckedFile {
        FoundFile file;
        quint64 bytes = 0;
        QString sizeText;
    };

private:
    // The files of the checked rows and their size as listed; `collected` tells whether every row was
    // read.
    JobBody collectChecked(Job& job, std::vector<CheckedFile>& files, ByteTotal& bytes, bool& collected);
    bool stopping(const Job& job) const { return stopAsked_ || job.stopRequested(); }
    QString stoppedText(qint64 trashed, qint64 total) const;

    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    ProgressLine& progress_;
    UndoStack& undo_;              // every file trashed, so that the trash can be taken back
    std::shared_ptr<Trash> trash_; // shared with a worker that may outlive the command
    bool stopAsked_ = false;
};

} // namespace zorvik
