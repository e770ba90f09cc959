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
    enum class Outcome {
        NothingChecked, // the clipboard is left as it was
        Copied,
        Refused, // the clipboard did not take the text
    };
    Outcome copyListToClipboard();

    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    Clipboard& clipboard_;
};

} // namespace zorvik
