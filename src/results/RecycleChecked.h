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
class ResultList;
class Steps;
class Trash;

// "Send Checked To Recycle Bin": after one question, the checked files go to the desktop's trash. A row
// leaves the list only when its file is really gone. Each file is trashed on a worker thread while the
// window goes on.
class RecycleChecked {
    Q_DECLARE_TR_FUNCTIONS(RecycleChecked)

public:
    RecycleChecked(CommandHost& host, ResultList& results, Dialogs& dialogs, std::shared_ptr<Trash> trash)
        : host_(host), results_(results), dialogs_(dialogs), trash_(std::move(trash)) {}
    JobBody run(Job& job);

private:
    // The files of the checked rows and their size as listed; `collected` tells whether every row was
    // read.
    JobBody collectChecked(Job& job, std::vector<FoundFile>& files, ByteTotal& bytes, bool& collected);

    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    std::shared_ptr<Trash> trash_; // shared with a worker that may outlive the command
};

} // namespace zorvik
