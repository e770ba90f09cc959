#pragma once

#include "core/CommandHost.h"
#include "core/Job.h"
#include "criteria/SizeTypes.h"
#include "platform/FileSystem.h"
#include "search/ReadAheadWalk.h"
#include "search/SkipRules.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>

#include <memory>
#include <utility>

namespace zorvik {

class Dialogs;
class ProblemList;
class FolderList;
class ResultList;
class Steps;
class WalkRules;
struct SearchTally;

// What the search needs of the window besides the common host: the caption of the button that starts
// and stops it, and the size condition as the panel shows it.
class SearchHost : public CommandHost {
public:
    virtual QString startCaption() const = 0;
    virtual void setStartCaption(const QString& caption) = 0;
    virtual SizeCondition sizeCondition() const = 0;
    // Whether the sizes of the chosen condition are numbers; when one is not, the user has been told
    // and is back in its box.
    virtual bool checkBoundsBeforeSearch() = 0;
};

// "Start Finding" / "Stop": walks every listed folder and adds each file that meets the size condition
// to the result list, as a job that gives the event loop a turn every so often between folders. Pressed
// again while it runs, it asks the running search to stop.
class SearchRun {
    Q_DECLARE_TR_FUNCTIONS(SearchRun)

public:
    // `fileSystem` may be missing; the run then reports that it cannot reach it. With more than one
    // thread in `readAhead` the folders are read ahead by worker threads; with one, the walk reads
    // them itself (the sequential walk, the reference for every other).
    SearchRun(SearchHost& host, FolderList& folders, ResultList& results, Dialogs& dialogs,
              FileSystem* fileSystem, const QLocale& locale, ReadAheadOptions readAhead = {})
        : host_(host), folders_(folders), results_(results), dialogs_(dialogs), fileSystem_(fileSystem),
          locale_(locale), readAhead_(readAhead) {}

    // The search, from the first step of a click that starts one.
    JobBody run(Job& job);
    // The steps of a click while a search runs; the caller then asks the search's job to stop.
    void stop(Steps& steps);
    // Between the click that started a search and its end, unless a stop was asked for.
    bool isRunning() const { return running_ && !stopRequested_; }
    bool stopRequested() const { return stopRequested_; }
    // The rules of the next search; a running one keeps those it started with.
    void setSkipRules(SkipRules rules) { skipRules_ = std::move(rules); }

private:
    JobBody searchListedFolders(Job& job);
    // The walk of listed folder `path`, a turn of the loop every so often.
    JobBody walkListedFolder(Job& job, FileSystem::Folder folder, QByteArray path, FileId id,
                             std::shared_ptr<const WalkRules> rules, SearchTally& tally);
    // The last words of a search: "Done.", and how many folders its rules left out, if any.
    static QString doneText(int foldersLeftOut);
    // Throws Failure when the run was given no file system.
    void requireFileSystem() const;

    SearchHost& host_;
    FolderList& folders_;
    ResultList& results_;
    Dialogs& dialogs_;
    FileSystem* fileSystem_;
    QLocale locale_;
    ReadAheadOptions readAhead_;
    bool stopRequested_ = false;
    bool running_ = false;
    SizeCondition condition_; // the one the running search tests every file against
    QString savedButtonCaption_;
    SkipRules skipRules_;
};

} // namespace zorvik
