#pragma once

#include "core/Job.h"

#include <QCoreApplication>

#include <QString>

#include <memory>

namespace zorvik {

class AtomicFileWriter;
enum class SaveFormat;
class CommandHost;
class Dialogs;
class ResultList;
class Steps;

// "Save Results As Text File": every row's path, one per line (or as CSV with its size), into a file
// the user names. The dialog proposes "Zorvik results.txt" in the folder of the last save (the home
// folder at first).
class SaveResults {
    Q_DECLARE_TR_FUNCTIONS(SaveResults)

public:
    SaveResults(CommandHost& host, ResultList& results, Dialogs& dialogs)
        : host_(host), results_(results), dialogs_(dialogs) {}
    JobBody run(Job& job);

private:
    // Writes every row into `file`, a chunk at a time; `written` tells whether all went in.
    JobBody writeRows(Job& job, std::shared_ptr<AtomicFileWriter> file, SaveFormat format, bool& written);

    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    QString lastFolder_; // of the last file saved: the dialog opens there next time
};

} // namespace zorvik
