#pragma once

#include "core/Job.h"

#include <QCoreApplication>

namespace zorvik {

class CommandHost;
class Dialogs;
class ResultList;
class Steps;

// "Clear Results Containing X" and "Clear Results Not Containing X": asks for a text and removes the
// rows whose path contains it, or does not. The files are not touched.
class PruneResults {
    Q_DECLARE_TR_FUNCTIONS(PruneResults)

public:
    PruneResults(CommandHost& host, ResultList& results, Dialogs& dialogs)
        : host_(host), results_(results), dialogs_(dialogs) {}
    // Tests the rows between turns of the event loop, then removes those that go, a long list's
    // over several turns too.
    JobBody run(Job& job, bool containing);

private:
    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
};

} // namespace zorvik
