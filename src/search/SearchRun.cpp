#include "search/SearchRun.h"

#include "core/BlockingCall.h"
#include "core/ProblemList.h"
#include "core/Steps.h"
#include "folders/FolderList.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "results/ResultList.h"
#include "search/MatchesSize.h"
#include "search/ScanFolder.h"
#include "search/SizeDisplayText.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zorvik {

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
    SearchVisitor(SearchHost& host, const SearchRun& run, FolderList& folders, ResultList& results,
                  const QLocale& locale, ProblemList& skipped, const QByteArray& listedFolder)
        : host_(host), run_(run), folders_(folders), results_(results), locale_(locale), skipped_(skipped),
          writer_(locale), rootLength_(listedFolder.size()) {
        readCondition();
    }

    // The panel can only change while events are processed, so the condition is read after each yield,
    // and read again only when the panel has changed.
    void readCondition() {
        if (revision_ && *revision_ == host_.criteriaRevision())
            return;
        revision_ = host_.criteriaRevision();
        test_ = SizeTest(host_.sizeCondition(), locale_);
    }

    void enterFolder(const QByteArray& path) override {
        folders_.setHeaderPath(SearchRun::tr("Searching "), path);
    }
    void file(const QByteArray& folderPath, const char* name, quint64 bytes, FileId id) override {
        if (test_.matches(bytes))
            results_.add(folderPath, QByteArrayView(name), writer_.utf8(bytes, test_.unit(), sizeText_),
                         bytes, {id, rootLength_});
    }
    bool beforeSubFolder() override {
        host_.yield();
        if (run_.stopRequested())
            return false;
        // Rows found long ago must not wait for the end of the folder to show.
        results_.announceIfDue();
        readCondition();
        return true;
    }
    void folderSkipped(const QByteArray& path, const QString& reason) override { skipped_.add(path, reason); }
    // The window stays answerable while the disk is slow to hand over the next folder, and Stop ends
    // a wait for a share that may never answer.
    bool stillWaiting() override {
        host_.yield();
        return !run_.stopRequested();
    }

private:
    SearchHost& host_;
    const SearchRun& run_;
    FolderList& folders_;
    ResultList& results_;
    const QLocale& locale_;
    ProblemList& skipped_;
    SizeTextWriter writer_;
    SizeTextWriter::Buffer sizeText_;
    SizeTest test_;
    std::optional<quint64> revision_;
    qsizetype rootLength_; // the listed folder's part of every path found below it
};

} // namespace

void SearchRun::requireFileSystem() const {
    if (!fileSystem_)
        throw Failure(tr("The file system cannot be reached."));
}

void SearchRun::startOrStop(Steps& s) {
    s.run(100, [&] { requireFileSystem(); });
    if (s.test(102, [&] { return host_.startCaption() == tr("Stop"); })) {
        s.run(146, [&] { host_.setStartCaption(savedButtonCaption_); });
        s.run(148, [&] { stopRequested_ = true; });
        return;
    }
    // A size that is no number would fail at the first file of every listed folder: the user hears of
    // it once, as on leaving its box, and nothing starts.
    if (s.test(102, [&] { return !host_.checkBoundsBeforeSearch(); }))
        return;
    s.run(104, [&] { savedButtonCaption_ = host_.startCaption(); });
    s.run(106, [&] { host_.setStartCaption(tr("Stop")); });
    s.run(108, [&] { stopRequested_ = false; });
    s.run(110, [&] { host_.setPointerState(CommandHost::kPointerBusy); });
    if (s.test(114, [&] { return folders_.count() == 0; })) {
        s.run(138, [&] { dialogs_.notice(host_.applicationTitle(), tr("No folders added.")); });
        s.run(140, [&] { host_.setStartCaption(savedButtonCaption_); });
        s.run(142, [&] { stopRequested_ = true; });
        s.run(144, [&] { host_.setPointerState(CommandHost::kPointerDefault); });
        return;
    }
    searchListedFolders(s);
    s.run(134, [&] { host_.setStartCaption(savedButtonCaption_); });
    s.run(136, [&] { stopRequested_ = true; });
    s.run(144, [&] { host_.setPointerState(CommandHost::kPointerDefault); });
}

void SearchRun::searchListedFolders(Steps& s) {
    // Sub-folders are always searched; the walk keeps the switch for a search of one level only.
    constexpr bool kIncludeSubFolders = true;
    int count = 0;
    s.run(116, [&] { count = folders_.count(); });
    ProblemList skipped;
    for (int i = 1; i <= count; ++i) {
        s.run(118, [&] { host_.yield(); });
        if (s.test(120, [&] { return stopRequested_; }))
            break;
        // A row that is gone, or a folder that cannot be opened, is reported once; that position is
        // then not walked, and no other folder is walked in its place.
        QByteArray path;
        bool rowRead = false;
        s.run(122, [&] {
            path = folders_.pathBytes(i);
            rowRead = true;
        });
        FileSystem::Folder folder;
        FileId folderId;
        if (rowRead)
            s.run(124, [&] {
                // Without a file system every folder fails here, as the first step did, rather than
                // the run ending the program.
                requireFileSystem();
                // A share that stopped answering never returns from the opening: the window waits for
                // it while yielding, and Stop or closing walks away from it. Another search of the
                // same folder then waits for the same opening.
                std::optional<OpenedFolder> opened = waitWhileYielding<OpenedFolder>(
                    [fileSystem = sharedFileSystem(*fileSystem_), path] {
                        OpenedFolder opened{fileSystem->openFolder(path), {}};
                        try {
                            opened.id = fileSystem->identify(opened.folder.handle());
                        } catch (const FileSystemFailure&) {
                            // Only read ahead of a later walk needs it.
                        }
                        return opened;
                    },
                    "open folder " + path.toStdString(), std::chrono::milliseconds(readAhead_.waitingCallMs),
                    [this] {
                        host_.yield();
                        return !stopRequested_;
                    });
                if (opened) {
                    folder = std::move(opened->folder);
                    folderId = opened->id;
                }
            });
        if (folder.isOpen()) {
            s.run(126, [&] {
                SearchVisitor visitor(host_, *this, folders_, results_, locale_, skipped, path);
                if (readAhead_.threads > 1)
                    readAheadScan(*fileSystem_, std::move(folder), path, kIncludeSubFolders, visitor,
                                  readAhead_, folderId);
                else
                    ScanFolder(*fileSystem_, std::move(folder), path, kIncludeSubFolders, visitor);
            });
        }
        s.run(128, [&] { results_.announcePending(); });
    }
    s.run(130, [&] {
        results_.announcePending();
        folders_.setHeaderText(tr("Folder(s)"));
    });
    s.run(132, [&] {
        if (!skipped.isEmpty())
            dialogs_.notice(host_.applicationTitle(),
                            skipped.summary(skipped.count() == 1
                                                ? tr("1 folder could not be searched and was skipped:")
                                                : tr("%n folders could not be searched and were skipped:",
                                                     nullptr, skipped.count())));
        dialogs_.notice(host_.applicationTitle(), tr("Done."));
    });
}

} // namespace zorvik
