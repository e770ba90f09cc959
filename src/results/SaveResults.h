#pragma once

namespace zorvik {

class CommandHost;
class Dialogs;
class ResultList;
class Steps;

// "Save Results As Text File": every row's path, one per line, into a file the user names.
class SaveResults {
public:
    SaveResults(CommandHost& host, ResultList& results, Dialogs& dialogs)
        : host_(host), results_(results), dialogs_(dialogs) {}
    void run(Steps& steps);

private:
    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
};

} // namespace zorvik
