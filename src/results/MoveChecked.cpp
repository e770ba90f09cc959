// Move: the checked files move into a chosen folder, which is remembered.
#include "results/MoveChecked.h"

#include "core/CommandHost.h"
#include "core/Failure.h"
#include "core/ProblemList.h"
#include "core/Steps.h"
#include "folders/NormalizePath.h"
#include "platform/Dialogs.h"
#include "platform/FileOperations.h"
#include "platform/JournalRecovery.h"
#include "platform/SettingsStore.h"
#include "results/FileProgress.h"
#include "results/ResultList.h"
#include "results/RowSnapshot.h"
#include "results/RowYield.h"
#include "results/UndoStack.h"

#include <QFile>
#include <QScopeGuard>

#include <cstdio>
#include <memory>
#include <set>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

QByteArray fileNameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

struct FileIdLess {
    bool operator()(const FileId& a, const FileId& b) const {
        return std::pair(a.device, a.inode) < std::pair(b.device, b.inode);
    }
};

// What one run of the command has done so far.
using FileIdSet = std::set<FileId, FileIdLess>;

} // namespace

struct MoveChecked::Record {
    std::set<QByteArray> movedSources; // rows naming these files leave the list
    std::set<QByteArray> placed;       // destinations this move filled
    // The checked files as the command started; read by the workers, so never changed once they run.
    std::shared_ptr<const FileIdSet> beingMoved;
    ProblemList notMoved;
    int replacedFilesTrashed = 0;
    bool stoppedInsideAFile = false; // the stop ended a copy: that file counts as not reached
    UndoEntry undo{UndoEntry::Kind::Move, nullptr, {}};
};

namespace {

using MoveRecord = MoveChecked::Record;

// Without a box to say it in, what was left undone when the window closed goes to the error stream;
// every file not moved is where it was (the move under way finishes or not on its own, losing nothing).
void tellOnClosing(const MoveRecord& record) {
    std::fprintf(stderr,
                 "zorvik: the window was closed during \"Move Checked To Folder\": %d files had moved; the "
                 "checked files after them stayed where they were (a move under way then finishes on "
                 "its own, or leaves its file in place).\n",
                 int(record.movedSources.size()));
}

QString summaryOf(const MoveRecord& record, qint64 notReached, qint64 total) {
    QStringList parts;
    if (notReached > 0 && total == 1)
        parts << MoveChecked::tr("Stopped: the file was not moved.");
    else if (notReached > 0)
        parts << MoveChecked::tr("Stopped: %1 of %n files moved.", nullptr, int(total))
                     .arg(qint64(record.movedSources.size()));
    const int trashed = record.replacedFilesTrashed;
    if (trashed == 1)
        parts << MoveChecked::tr("1 file of the same name that was in that folder is now in the trash.");
    else if (trashed > 1)
        parts << MoveChecked::tr("%n files of the same name that were in that folder are now in the trash.",
                                 nullptr, trashed);
    const int notMoved = record.notMoved.count();
    if (notMoved == 1)
        parts << record.notMoved.summary(MoveChecked::tr("1 file was not moved:"));
    else if (notMoved > 1)
        parts << record.notMoved.summary(MoveChecked::tr("%n files were not moved:", nullptr, notMoved));
    return parts.join(u"\n\n"_s);
}

} // namespace

JobBody MoveChecked::run(Job& job) {
    Steps& s = job.steps();
    stopAsked_ = false;
    copyStop_.reset();
    QString chosen;
    s.run(106, [&] {
        rememberedFolder_ = settings_.read(u"LastFolder"_s, QString());
        chosen = dialogs_.browseForFolder(tr("Move Checked Files To"), rememberedFolder_);
    });
    if (s.test(108, [&] { return chosen.isEmpty(); }))
        co_return;
    s.run(333, [&] { rememberedFolder_ = chosen; });
    s.run(334, [&] { settings_.write(u"LastFolder"_s, rememberedFolder_); });
    QByteArray destinationFolder;
    if (!s.run(110, [&] {
            destinationFolder = QFile::encodeName(NormalizePath(chosen));
            if (!destinationFolder.endsWith('/'))
                destinationFolder += '/';
        }))
        co_return; // no folder to move into
    s.run(114, [&] { host_.setPointerState(PointerState::Busy); });
    // Opened once: every file goes into this very folder, even should its path be made to lead
    // elsewhere during the move. What an earlier crash left half done is settled first.
    auto opening = job.offThread<FileOperations::OpenedDestination>([files = files_, destinationFolder] {
        recoverInterruptedOperations();
        return files->openDestination(destinationFolder);
    });
    const FileOperations::OpenedDestination destination =
        s.settle(110, co_await opening).value_or(FileOperations::OpenedDestination{});
    if (destination.destination)
        copyStop_ = destination.destination->stop;

    // The rows as they stand now are the ones worked through.
    const RowSnapshot rows(results_);
    const ResultList::OrderHold hold(results_);
    MoveRecord record;
    record.undo.destination = destination.destination;
    auto beingMoved = std::make_shared<FileIdSet>();
    for (int i = 1; i <= results_.count(); ++i)
        if (results_.checked(i))
            beingMoved->insert(results_.fileId(i));
    record.beingMoved = std::move(beingMoved);
    const auto closing = qScopeGuard([&] {
        if (job.abandoned())
            tellOnClosing(record);
    });

    // The report of a failure names the row being handled, when there is one.
    std::optional<int> handling;
    s.setExtra([&]() -> QString {
        if (!handling || *handling < 1 || *handling > results_.count())
            return {};
        return u"File: "_s + results_.text(*handling);
    });
    const qint64 total = results_.checkedCount();
    auto progress = std::make_optional<FileProgress>(progress_, FileProgress::Work::Move, total,
                                                     results_.checkedBytes().approximate());
    RowYield turns(host_);
    int handled = 0;
    // A stop ends the run before the next row; the rows not reached keep their files and their checks.
    for (; handled < rows.size() && !stopping(job); ++handled) {
        if (turns.due())
            co_await job.nextTurn(); // 120
        if (stopping(job))
            break;
        // A row removed meanwhile is skipped; whether a row is checked is read as it is reached, and
        // a row whose check cannot be read is not moved.
        handling = rows.position(handled);
        if (!handling || !s.allows(122, [&] { return results_.checked(*handling); }))
            continue;
        FoundFile source;
        QString sizeText;
        quint64 bytes = 0;
        if (!s.run(124, [&] {
                source = results_.foundFile(*handling);
                sizeText = results_.sizeText(*handling);
                bytes = results_.bytes(*handling);
            }))
            continue;
        progress->show(source.path);
        co_await moveOne(job, source, sizeText, bytes, destination, record);
        if (record.stoppedInsideAFile)
            break;
        progress->fileDone(bytes);
    }
    handling.reset();
    progress.reset();
    undo_.push(std::move(record.undo));
    qint64 notReached = 0; // checked rows the run did not reach, when a stop ended it
    s.run(132, [&] {
        for (int i = handled; i < rows.size(); ++i)
            if (const std::optional<int> position = rows.position(i); position && results_.checked(*position))
                ++notReached;
        std::vector<int> moved;
        for (int i = 1; i <= results_.count(); ++i)
            if (results_.checked(i) && record.movedSources.count(results_.pathBytes(i)))
                moved.push_back(i);
        results_.removePositions(moved);
    });
    while (results_.isRemoving()) // a long list's rows go over several turns
        co_await job.nextTurn();
    s.run(142, [&] { results_.refresh(); });
    s.run(144, [&] { host_.setPointerState(PointerState::Default); });
    if (const QString summary = summaryOf(record, notReached, total); !summary.isEmpty())
        s.run(146, [&] { dialogs_.notice(host_.applicationTitle(), summary); });
}

// Moves one file unless that would lose one: a file this same move already placed under the same name
// is never replaced, and the operations leave the source in place unless it arrived whole. The move
// itself runs on a worker, with its own copies of what it needs.
JobBody MoveChecked::moveOne(Job& job, FoundFile source, QString sizeText, quint64 bytes,
                             FileOperations::OpenedDestination into, Record& record) {
    if (source.path.trimmed().isEmpty()) {
        record.notMoved.add(source.path, tr("The row names no file."));
        co_return;
    }
    if (!into.destination) {
        if (!into.failure.isEmpty()) // else the failure to open it was reported already
            record.notMoved.add(source.path, into.failure);
        co_return;
    }
    const QByteArray destination = into.destination->path + fileNameOf(source.path);
    if (record.placed.count(destination)) {
        record.notMoved.add(source.path,
                            tr("A file of the same name was just moved there from another folder."));
        co_return;
    }
    struct Moved {
        FileOperations::MoveOutcome outcome;
        TrashedTo replaced;
    };
    auto moving = job.offThread<Moved>(
        [files = files_, source, folder = into.destination, beingMoved = record.beingMoved] {
            FileOperations::MoveOutcome outcome = files->moveFile(
                source, *folder, [&beingMoved](const FileId& id) { return beingMoved->count(id) > 0; });
            TrashedTo replaced = describeReceipt(outcome.replacedReceipt);
            return Moved{std::move(outcome), std::move(replaced)};
        });
    const std::optional<Moved> moved = job.steps().settle(126, co_await moving);
    if (!moved)
        co_return;
    const FileOperations::MoveOutcome* outcome = &moved->outcome;
    if (outcome->stopped) {
        record.stoppedInsideAFile = true;
        co_return;
    }
    if (outcome->replacedFileTrashed)
        ++record.replacedFilesTrashed;
    if (outcome->notMoved) {
        record.notMoved.add(source.path, *outcome->notMoved);
        co_return;
    }
    record.placed.insert(destination);
    record.movedSources.insert(source.path);
    UndoFile done{source, std::move(sizeText), bytes, std::nullopt, outcome->placed, std::nullopt};
    if (outcome->replacedReceipt)
        done.replaced = undo_.spotOf(moved->replaced, outcome->replaced);
    record.undo.files.push_back(std::move(done));
}

} // namespace zorvik
