#pragma once

#include <QCoreApplication>

#include <QString>

namespace zorvik {

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
    void run(Steps& steps);

private:
    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    QString lastFolder_; // of the last file saved: the dialog opens there next time
};

} // namespace zorvik
