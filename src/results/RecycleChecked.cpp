// Trash: the checked files go to the desktop's trash.
#include "results/RecycleChecked.h"

#include "core/CommandHost.h"
#include "core/ProblemList.h"
#include "core/Steps.h"
#include "platform/Dialogs.h"
#include "platform/JournalRecovery.h"
#include "platform/PathStatus.h"
#include "platform/Trash.h"
#include "results/ByteTotal.h"
#include "results/FileProgress.h"
#include "results/ResultList.h"
#include "results/RowSnapshot.h"
#include "results/RowYield.h"
#include "results/TotalsText.h"
#include "results/UndoStack.h"

#include <set>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// What the worker that trashed a file tells.
struct Trashed {
    std::optional<QString> refusal;
    TrashedTo to{}; // where it went; none when it was gone already
};

// Removes the checked rows whose files are no longer there; a row whose file is still in place stays.
void RemoveCheckedRows(ResultList& list, const std::set<QByteArray>& gone) {
    std::vector<int> positions;
    for (int i = 1; i <= list.count(); ++i)
        if (list.checked(i) && gone.count(list.pathBytes(i)))
            positions.push_back(i);
    list.removePositions(positions);
}

} // namespace

JobBody RecycleChecked::run(Job& job) {
    Steps& s = job.steps();
    stopAsked_ = false;
    std::vector<CheckedFile> files;
    ByteTotal bytes;
    bool collected = false;
    co_await collectChecked(job, files, bytes, collected);
    if (!collected)
        co_return;
    // Linux has no confirmation of its own for the trash, so the command asks before anything moves.
    if (files.empty()) {
        s.run(121, [&] { dialogs_.notice(host_.applicationTitle(), tr("No result is checked.")); });
        co_return;
    }
    bool yes = false;
    s.run(122, [&] {
        // The numbers in the list's own digits, as its header shows them.
        const QLocale& locale = results_.locale();
        const int count = int(files.size());
        const QString size = totalSizeText(bytes.approximate(), locale);
        const QString question = count == 1
                                     ? tr("Move the checked file (%1) to the trash?").arg(size)
                                     : tr("Move the %1 checked files (%2) to the trash?", nullptr, count)
                                           .arg(locale.toString(count), size);
        yes = dialogs_.askYesNo(host_.applicationTitle(), question);
    });
    ProblemList refused;
    std::set<QByteArray> gone;
    std::optional<FileProgress> progress;
    if (yes) {
        // What an earlier crash left half done is settled before another file is touched.
        auto recovering = job.offThread<RecoveryReport>([] { return recoverInterruptedOperations(); });
        s.settle(125, co_await recovering);
        progress.emplace(progress_, FileProgress::Work::Trash, qint64(files.size()), bytes.approximate());
    }
    UndoEntry undone{UndoEntry::Kind::Trash, nullptr, {}};
    RowYield turns(host_);
    std::size_t started = 0;
    // Every file goes to the trash on a worker, one after the other, while the window goes on; a file
    // the trash refuses stays where it is. A stop ends the run before the next file.
    for (; yes && started < files.size() && !stopping(job); ++started) {
        if (turns.due()) {
            co_await job.nextTurn();
            if (stopping(job))
                break;
        }
        const FoundFile& file = files[started].file;
        progress->show(file.path);
        auto trashing = job.offThread<Trashed>([trash = trash_, file]() -> Trashed {
            auto receipt = std::make_shared<Trash::Receipt>();
            std::optional<QString> refusal = trash->moveToTrash(file, receipt.get());
            if (refusal && PathIsGone(file.path))
                return {}; // not there to trash: gone already
            if (refusal)
                return {refusal};
            return {std::nullopt, describeReceipt(std::move(receipt))};
        });
        const std::optional<Trashed> trashed = s.settle(123, co_await trashing);
        if (!trashed)
            break; // reported, or no longer waited for: the files after it stay where they are
        progress->fileDone(files[started].bytes);
        if (trashed->refusal)
            refused.add(file.path, *trashed->refusal);
        else
            gone.insert(file.path);
        if (trashed->to.receipt)
            undone.files.push_back({file, files[started].sizeText, files[started].bytes,
                                    undo_.spotOf(trashed->to, file.id), FileId{}, std::nullopt});
    }
    undo_.push(std::move(undone));
    progress.reset();
    if (yes)
        s.run(126, [&] { RemoveCheckedRows(results_, gone); });
    while (results_.isRemoving()) // a long list's rows go over several turns
        co_await job.nextTurn();
    s.run(128, [&] { results_.refresh(); });
    QStringList notice;
    if (yes && started < files.size() && stopping(job))
        notice << stoppedText(qint64(gone.size()), qint64(files.size()));
    if (!refused.isEmpty())
        notice << refused.summary(
            refused.count() == 1 ? tr("1 file could not be moved to the trash:")
                                 : tr("%n files could not be moved to the trash:", nullptr, refused.count()));
    if (!notice.isEmpty())
        s.run(130, [&] { dialogs_.notice(host_.applicationTitle(), notice.join(u"\n\n"_s)); });
}

QString RecycleChecked::stoppedText(qint64 trashed, qint64 total) const {
    if (total == 1)
        return tr("Stopped: the file was not moved to the trash.");
    return tr("Stopped: %1 of %n files moved to the trash.", nullptr, int(total)).arg(trashed);
}

JobBody RecycleChecked::collectChecked(Job& job, std::vector<CheckedFile>& files, ByteTotal& bytes,
                                       bool& collected) {
    Steps& s = job.steps();
    collected = false;
    // The rows as they stand now are the ones worked through.
    const RowSnapshot rows(results_);
    const ResultList::OrderHold hold(results_);
    RowYield turns(host_);
    for (int i = 0; i < rows.size(); ++i) {
        if (turns.due())
            co_await job.nextTurn();
        if (!s.run(108, [&] {
                if (const std::optional<int> position = rows.position(i);
                    position && results_.checked(*position)) {
                    files.push_back({results_.foundFile(*position), results_.bytes(*position),
                                     results_.sizeText(*position)});
                    bytes.add(results_.bytes(*position));
                }
            }))
            co_return;
    }
    collected = true;
}

} // namespace zorvik
