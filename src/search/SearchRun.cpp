#include "search/SearchRun.h"

#include "core/ProblemList.h"
#include "core/Steps.h"
#include "criteria/SizeDisplayText.h"
#include "folders/FolderList.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "results/ResultList.h"
#include "results/RowYield.h"
#include "search/MatchesSize.h"
#include "search/ScanFolder.h"
#include "search/WalkRules.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zorvik {

// What one search keeps across its listed folders.
struct SearchTally {
    explicit SearchTally(ResultList& results) : listedFiles(results) {}
    ProblemList skipped; // folders that could not be searched
    int leftOut = 0;     // folders the rules left out
    // Every file in the result list, also those of earlier searches and while rows are removed, so
    // that none is listed twice.
    ResultList::IdentityIndexHold listedFiles;
};

namespace {

// The listed folder as a worker opened it, with its identity when the system would tell it.
struct OpenedFolder {
    FileSystem::Folder folder;
    FileId id;
};

// Feeds the walk's findings to the lists: the status line, the result rows, the yields between
// sub-folders and the folders that had to be skipped.
class SearchVisitor : public WalkVisitor {
public:
    SearchVisitor(const SearchRun& run, const SizeCondition& condition, FolderList& folders,
                  ResultList& results, const QLocale& locale, SearchTally& tally,
                  const QByteArray& listedFolder)
        : run_(run), folders_(folders), results_(results), tally_(tally), writer_(locale),
          test_(condition, locale), rootLength_(listedFolder.size()) {}

    void enterFolder(const QByteArray& path) override {
        folders_.setHeaderPath(SearchRun::tr("Searching "), path);
    }
    void file(const QByteArray& folderPath, const char* name, quint64 bytes, FileId id,
              OtherPaths otherPaths) override {
        if (!test_.matches(bytes))
            return;
        // A file met by another path before may be any of the rows, those of this search included.
        if (otherPaths == OtherPaths::Possible)
            tally_.listedFiles.need();
        if (!results_.listsFile(id))
            results_.add(folderPath, QByteArrayView(name), RowSizeText(writer_, test_.unit()), bytes,
                         {id, rootLength_});
    }
    void fileAhead(quint64 bytes, FileId id) override {
        if (test_.matches(bytes))
            results_.listsFileAhead(id);
    }
    bool beforeSubFolder() override {
        if (run_.stopRequested())
            return false;
        // Rows found long ago must not wait for the end of the folder to show.
        results_.announceIfDue();
        return true;
    }
    void folderSkipped(const QByteArray& path, const QString& reason) override {
        tally_.skipped.add(path, reason);
    }
    void folderLeftOut(const QByteArray& /*path*/) override { ++tally_.leftOut; }

private:
    const SearchRun& run_;
    FolderList& folders_;
    ResultList& results_;
    SearchTally& tally_;
    SizeTextWriter writer_;
    const SizeTest test_;
    qsizetype rootLength_; // the listed folder's part of every path found below it
};

} // namespace

void SearchRun::requireFileSystem() const {
    if (!fileSystem_)
        throw Failure(tr("The file system cannot be reached."));
}

void SearchRun::stop(Steps& s) {
    s.run(146, [&] { host_.setStartCaption(savedButtonCaption_); });
    s.run(148, [&] { stopRequested_ = true; });
}

JobBody SearchRun::run(Job& job) {
    Steps& s = job.steps();
    s.run(100, [&] { requireFileSystem(); });
    // A size that is no number would fail at the first file of every listed folder: the user hears of
    // it once, as on leaving its box, and nothing starts.
    if (s.test(103, [&] { return !host_.checkBoundsBeforeSearch(); }))
        co_return;
    running_ = true;
    // Every file is tested against the condition as it stands now: a change to the panel while the
    // search runs is for the next search, or the list would mix files of two conditions.
    condition_ = host_.sizeCondition();
    s.run(104, [&] { savedButtonCaption_ = host_.startCaption(); });
    s.run(106, [&] { host_.setStartCaption(tr("Stop")); });
    s.run(108, [&] { stopRequested_ = false; });
    s.run(110, [&] { host_.setPointerState(PointerState::Busy); });
    if (s.test(114, [&] { return folders_.count() == 0; })) {
        s.run(138, [&] { dialogs_.notice(host_.applicationTitle(), tr("No folders added.")); });
        s.run(140, [&] { host_.setStartCaption(savedButtonCaption_); });
        s.run(142, [&] { stopRequested_ = true; });
    } else {
        co_await searchListedFolders(job);
        s.run(134, [&] { host_.setStartCaption(savedButtonCaption_); });
        s.run(136, [&] { stopRequested_ = true; });
    }
    s.run(144, [&] { host_.setPointerState(PointerState::Default); });
    running_ = false;
}

JobBody SearchRun::searchListedFolders(Job& job) {
    Steps& s = job.steps();
    int count = 0;
    SearchTally tally(results_);
    std::shared_ptr<const WalkRules> rules;
    s.run(116, [&] {
        count = folders_.count();
        // One listed folder is walked once: its files need no index until one may have another path.
        if (count == 1)
            tally.listedFiles.deferWhileEmpty();
        QList<QByteArray> skippedFolders;
        for (int i = 1; i <= count; ++i)
            if (folders_.isSkipped(i))
                skippedFolders.append(folders_.pathBytes(i));
        rules = std::make_shared<const WalkRules>(skipRules_, skippedFolders, SizeTest(condition_, locale_));
    });
    if (!rules)
        rules = WalkRules::none();
    for (int i = 1; i <= count; ++i) {
        co_await job.nextTurn(); // 118
        if (s.test(120, [&] { return stopRequested_; }))
            break;
        // A row that is gone, or a folder that cannot be opened, is reported once; that position is
        // then not walked, and no other folder is walked in its place.
        QByteArray path;
        bool rowRead = false;
        s.run(122, [&] {
            path = folders_.pathBytes(i);
            // A skipped row, or a folder below one, is not opened at all.
            rowRead = !rules->coversListedFolder(path);
        });
        std::optional<OpenedFolder> opened;
        // Without a file system every folder fails here, as the first step did.
        if (rowRead && s.allows(124, [&] {
                requireFileSystem();
                return true;
            })) {
            // A share that stopped answering never returns from the opening: the job waits for it with
            // the window answering, and Stop or closing walks away from it. Another search of the same
            // folder then waits for the same opening.
            auto opening = job.offThread<OpenedFolder>(
                [fileSystem = sharedFileSystem(*fileSystem_), path] {
                    OpenedFolder opened{fileSystem->openFolder(path), {}};
                    try {
                        opened.id = fileSystem->identify(opened.folder.handle());
                    } catch (const FileSystemFailure&) {
                        // Only read ahead of a later walk needs it.
                    }
                    return opened;
                },
                "open folder " + path.toStdString());
            opened = s.settle(124, co_await opening);
        }
        if (opened && opened->folder.isOpen())
            co_await walkListedFolder(job, std::move(opened->folder), path, opened->id, rules, tally);
        s.run(128, [&] { results_.announcePending(); });
    }
    s.run(130, [&] {
        results_.announcePending();
        folders_.setHeaderText(tr("Folder(s)"));
    });
    s.run(132, [&] {
        const ProblemList& skipped = tally.skipped;
        if (!skipped.isEmpty())
            dialogs_.notice(host_.applicationTitle(),
                            skipped.summary(skipped.count() == 1
                                                ? tr("1 folder could not be searched and was skipped:")
                                                : tr("%n folders could not be searched and were skipped:",
                                                     nullptr, skipped.count())));
        dialogs_.notice(host_.applicationTitle(), doneText(tally.leftOut));
    });
}

QString SearchRun::doneText(int foldersLeftOut) {
    if (foldersLeftOut == 0)
        return tr("Done.");
    return foldersLeftOut == 1 ? tr("Done. 1 folder skipped")
                               : tr("Done. %n folders skipped", nullptr, foldersLeftOut);
}

JobBody SearchRun::walkListedFolder(Job& job, FileSystem::Folder folder, QByteArray path, FileId id,
                                    std::shared_ptr<const WalkRules> rules, SearchTally& tally) {
    // Sub-folders are always searched; the walk keeps the switch for a search of one level only.
    constexpr bool kIncludeSubFolders = true;
    Steps& s = job.steps();
    SearchVisitor visitor(*this, condition_, folders_, results_, locale_, tally, path);
    std::unique_ptr<SteppedWalk> walk;
    s.run(126, [&] {
        walk = readAhead_.threads > 1 ? readAheadWalk(*fileSystem_, std::move(folder), path,
                                                      kIncludeSubFolders, visitor, readAhead_, id, rules)
                                      : sequentialWalk(*fileSystem_, std::move(folder), path,
                                                       kIncludeSubFolders, visitor, rules);
    });
    // A turn of the loop for every sub-folder would be fifty thousand posted events for a large tree:
    // the walk gives one when the host's interval has passed, and whenever it waits for a listing.
    RowYield turns(host_);
    // A failure ends the walk of this folder; what it found stays.
    while (walk) {
        WalkStep step = WalkStep::Done;
        s.run(126, [&] { step = walk->advance(); });
        if (step == WalkStep::Done)
            break;
        if (step == WalkStep::BeforeSubFolder && !turns.due())
            continue;
        co_await job.nextTurn();
        if (stopRequested_)
            break;
    }
}

} // namespace zorvik
