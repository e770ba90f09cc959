#pragma once

#include <QCoreApplication>

namespace zorvik {

class Clipboard;
class CommandHost;
class Dialogs;
class ResultList;
class Steps;

// "Copy Results To Clipboard": the checked rows as aligned, tab-separated text.
class CopyResults {
    Q_DECLARE_TR_FUNCTIONS(CopyResults)

public:
    CopyResults(CommandHost& host, ResultList& results, Dialogs& dialogs, Clipboard& clipboard)
        : host_(host), results_(results), dialogs_(dialogs), clipboard_(clipboard) {}
    void run(Steps& steps);

private:
    // False when no row is checked: the clipboard is then left as it was.
    bool copyListToClipboard();

    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    Clipboard& clipboard_;
};

} // namespace zorvik
