// Undo: the last trash or move of this run is taken back, file by file.
#include "results/UndoLast.h"

#include "core/CommandHost.h"
#include "core/PathParts.h"
#include "core/ProblemList.h"
#include "core/Steps.h"
#include "platform/Dialogs.h"
#include "results/FileProgress.h"
#include "results/PutBack.h"
#include "results/ResultList.h"
#include "results/RowYield.h"

#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace zorvik {

struct UndoLast::Record {
    std::vector<UndoFile> left; // not put back, but still where the command left them
    ProblemList notBack;
    qint64 back = 0;
    int replacedBack = 0;
};

namespace {

QString summaryOf(const UndoLast::Record& record, qint64 notReached, qint64 total) {
    QStringList parts;
    if (notReached > 0 && total == 1)
        parts << UndoLast::tr("Stopped: the file was not put back.");
    else if (notReached > 0)
        parts << UndoLast::tr("Stopped: %1 of %n files put back.", nullptr, int(total)).arg(record.back);
    if (record.back == 1)
        parts << UndoLast::tr("1 file is back where it was.");
    else if (record.back > 1)
        parts << UndoLast::tr("%n files are back where they were.", nullptr, int(record.back));
    if (record.replacedBack == 1)
        parts << UndoLast::tr("1 file of the same name is back from the trash.");
    else if (record.replacedBack > 1)
        parts << UndoLast::tr("%n files of the same name are back from the trash.", nullptr,
                              record.replacedBack);
    const int notBack = record.notBack.count();
    if (notBack == 1)
        parts << record.notBack.summary(UndoLast::tr("1 file was not put back:"));
    else if (notBack > 1)
        parts << record.notBack.summary(UndoLast::tr("%n files were not put back:", nullptr, notBack));
    return parts.join(u"\n\n"_s);
}

} // namespace

JobBody UndoLast::run(Job& job) {
    Steps& s = job.steps();
    stopAsked_ = false;
    if (s.test(200, [&] { return stack_.isEmpty(); })) {
        s.run(202, [&] { dialogs_.notice(host_.applicationTitle(), UndoStack::nothingText()); });
        co_return;
    }
    UndoEntry entry = stack_.takeLast();
    Record record;
    std::size_t next = 0;
    // However the run ends (stopped, a failure reported, the window closing), what it did not put back
    // can still be taken back.
    const auto keep = qScopeGuard([&] {
        for (std::size_t i = next; i < entry.files.size(); ++i)
            record.left.push_back(std::move(entry.files[i]));
        stack_.push(UndoEntry{entry.kind, entry.destination, std::move(record.left)});
    });
    const qint64 total = qint64(entry.files.size());
    double totalBytes = 0;
    for (const UndoFile& file : entry.files)
        totalBytes += double(file.bytes);
    auto progress = std::make_optional<FileProgress>(progress_, FileProgress::Work::Undo, total, totalBytes);
    RowYield turns(host_);
    while (next < entry.files.size() && !stopping(job)) {
        if (turns.due()) {
            co_await job.nextTurn();
            if (stopping(job))
                break;
        }
        const UndoFile& file = entry.files[next];
        progress->show(file.original.path);
        bool settled = false;
        co_await putBackOne(job, entry, file, record, settled);
        if (!settled)
            break; // reported, or no longer waited for: the file stays on the stack
        progress->fileDone(file.bytes);
        ++next;
    }
    progress.reset();
    s.run(214, [&] { results_.refresh(); });
    const qint64 notReached = total - qint64(next);
    if (const QString summary = summaryOf(record, notReached, total); !summary.isEmpty())
        s.run(216, [&] { dialogs_.notice(host_.applicationTitle(), summary); });
}

// Puts one file back on a worker, then brings its row back; `settled` tells whether the worker's
// answer arrived.
JobBody UndoLast::putBackOne(Job& job, const UndoEntry& entry, UndoFile file, Record& record, bool& settled) {
    auto putting = job.offThread<PutBackOutcome>(
        [files = files_, trash = trash_, destination = entry.destination, kind = entry.kind, file] {
            if (kind == UndoEntry::Kind::Move)
                return PutBack::fromMove(*files, *trash, *destination, file);
            return PutBack::fromTrash(*trash, file);
        });
    const std::optional<PutBackOutcome> outcome = job.steps().settle(210, co_await putting);
    if (!outcome)
        co_return;
    settled = true;
    if (outcome->notBack) {
        record.notBack.add(file.original.path, *outcome->notBack);
        if (!outcome->gone)
            record.left.push_back(std::move(file));
        co_return;
    }
    ++record.back;
    if (outcome->replacedNotBack)
        record.notBack.add(joinPath(entry.destination->path,
                                    file.original.path.mid(file.original.path.lastIndexOf('/') + 1)),
                           *outcome->replacedNotBack);
    else if (file.replaced)
        ++record.replacedBack;
    job.steps().run(212, [&] {
        results_.addPath(file.original.path, file.sizeText, file.bytes,
                         RowOrigin{outcome->restoredAs, file.original.rootLength});
        results_.setChecked(results_.count(), true);
    });
}

} // namespace zorvik
