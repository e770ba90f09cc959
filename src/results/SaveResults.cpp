#include "results/SaveResults.h"

#include "core/BlockingCall.h"
#include "core/CommandHost.h"
#include "core/Steps.h"
#include "platform/AtomicFileWriter.h"
#include "platform/Dialogs.h"
#include "platform/PathStatus.h"
#include "results/ResultLineFormat.h"
#include "results/ResultList.h"
#include "results/RowSnapshot.h"
#include "results/RowYield.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

#include <system_error>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// Paths handed to the writer at a time: few enough calls for a million rows, little memory.
constexpr qsizetype kChunkBytes = qsizetype(1) << 20;

} // namespace

JobBody SaveResults::run(Job& job) {
    Steps& s = job.steps();
    QString name;
    SaveFormat format = SaveFormat::Text;
    s.run(114, [&] {
        const QString folder = lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
        const SaveTarget target = dialogs_.chooseSaveTarget(folder + u'/' + tr("Zorvik results.txt"));
        name = target.name;
        format = target.format;
    });
    if (s.test(118, [&] { return name.isEmpty(); }))
        co_return;
    bool yes = true;
    // When it cannot be told whether the file is there, the user is asked as though it were.
    auto existing = job.offThread<bool>([name] { return PathExists(name); });
    if (s.settle(120, co_await existing).value_or(true))
        s.run(122, [&] {
            yes = dialogs_.askYesNo(host_.applicationTitle(),
                                    tr("Are you sure you wish to overwrite %1 ?").arg(name));
        });
    if (s.test(126, [&] { return !yes; }))
        co_return;
    s.run(128, [&] { host_.setPointerState(PointerState::Busy); });

    // The new content goes to a temporary file that replaces the old one only once it is complete, so
    // a failed save never leaves a half-written file, and a failure is reported once, without "Done.".
    // The file is written by workers, a chunk at a time, while the window goes on; it is let go on a
    // worker too, since even removing an unfinished temporary can wait on a share.
    auto file = std::make_shared<AtomicFileWriter>(name);
    const auto letGo = qScopeGuard([&file] {
        try {
            WorkerThreads::start([gone = std::move(file)] {});
        } catch (const std::system_error&) {
            // No thread to spare: it goes here, as it always did.
        }
    });
    auto opening = job.offThread<bool>([file] {
        file->open();
        return true;
    });
    bool saved = s.settle(132, co_await opening).has_value();
    if (saved)
        co_await writeRows(job, file, format, saved);
    if (saved) {
        auto committing = job.offThread<bool>([file] {
            file->commit();
            return true;
        });
        saved = s.settle(142, co_await committing).has_value();
    }
    if (saved) {
        lastFolder_ = QFileInfo(name).absolutePath();
        s.run(144, [&] { dialogs_.notice(host_.applicationTitle(), tr("Done.")); });
    }
    s.run(146, [&] { host_.setPointerState(PointerState::Default); });
}

JobBody SaveResults::writeRows(Job& job, std::shared_ptr<AtomicFileWriter> file, SaveFormat format,
                               bool& written) {
    Steps& s = job.steps();
    written = false;
    // The rows as they stand now are the ones written, each once, in the order shown.
    const RowSnapshot rows(results_);
    const ResultList::OrderHold hold(results_);
    // The text file keeps each path's bytes and Windows line ends, as it always had.
    const ResultLineFormat lines =
        format == SaveFormat::Csv ? ResultLineFormat::csv() : ResultLineFormat::text("\r\n");
    RowYield turns(host_);
    QByteArray chunk = lines.header().toByteArray();
    // Each chunk goes to the writer whole, so the next starts in a buffer of its own; reserved in one
    // piece, as growing it line by line copied every chunk about twenty times over.
    constexpr qsizetype kChunkRoom = kChunkBytes + (qsizetype(64) << 10);
    chunk.reserve(kChunkRoom);
    QByteArray path;
    for (int i = 0; i <= rows.size(); ++i) {
        if (i < rows.size()) {
            if (turns.due())
                co_await job.nextTurn();
            const bool added = s.run(138, [&] {
                if (const std::optional<int> position = rows.position(i)) {
                    results_.pathBytesInto(*position, path);
                    lines.append(chunk, path, {}, results_.bytes(*position),
                                 lines.showsSizeText() ? results_.sizeText(*position).toUtf8()
                                                       : QByteArray());
                }
            });
            if (!added)
                co_return;
            if (chunk.size() < kChunkBytes)
                continue;
        }
        auto writing = job.offThread<bool>([file, bytes = std::exchange(chunk, QByteArray())] {
            file->write(bytes);
            return true;
        });
        const bool wrote = s.settle(138, co_await writing).has_value();
        if (!wrote)
            co_return;
        chunk.reserve(kChunkRoom);
    }
    written = true;
}

} // namespace zorvik
