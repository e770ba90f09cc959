#pragma once

#include "core/Job.h"

#include <QCoreApplication>

namespace zorvik {

class Clipboard;
class ClipboardTextBuilder;
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
    JobBody run(Job& job);

private:
    // The text of the checked rows, a batch of rows a turn; `built` tells whether it is whole.
    JobBody buildText(Job& job, ClipboardTextBuilder& text, bool& built);

    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    Clipboard& clipboard_;
};

} // namespace zorvik
