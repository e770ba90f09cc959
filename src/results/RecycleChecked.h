#pragma once

#include <QCoreApplication>

namespace zorvik {

class CommandHost;
class Dialogs;
class ResultList;
class Steps;
class Trash;

// "Send Checked To Recycle Bin": after one question, the checked files go to the desktop's trash. A row
// leaves the list only when its file is really gone.
class RecycleChecked {
    Q_DECLARE_TR_FUNCTIONS(RecycleChecked)

public:
    RecycleChecked(CommandHost& host, ResultList& results, Dialogs& dialogs, Trash& trash)
        : host_(host), results_(results), dialogs_(dialogs), trash_(trash) {}
    void run(Steps& steps);

private:
    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    Trash& trash_;
};

} // namespace zorvik
