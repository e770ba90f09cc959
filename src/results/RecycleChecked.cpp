// Trash: the checked files go to the desktop's trash.
#include "results/RecycleChecked.h"

#include "core/CommandHost.h"
#include "core/ProblemList.h"
#include "core/Steps.h"
#include "platform/Dialogs.h"
#include "platform/PathStatus.h"
#include "platform/Trash.h"
#include "results/OffThread.h"
#include "results/ResultList.h"
#include "results/RowSnapshot.h"
#include "results/RowYield.h"

#include <set>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// Hands every file to the trash, one after the other, each on a worker while the window goes on; a
// file the trash refuses stays where it is. Returns the paths that are gone now, trashed or gone before.
std::set<QByteArray> SendToRecycleBin(CommandHost& host, const std::shared_ptr<Trash>& trash,
                                      const std::vector<FoundFile>& files, ProblemList& refused) {
    std::set<QByteArray> gone;
    for (const FoundFile& file : files) {
        const std::optional<QString> reason =
            waitOffThread<std::optional<QString>>(host, [trash, file]() -> std::optional<QString> {
                std::optional<QString> refusal = trash->moveToTrash(file);
                if (refusal && PathIsGone(file.path))
                    return std::nullopt; // not there to trash: gone already
                return refusal;
            });
        if (reason)
            refused.add(file.path, *reason);
        else
            gone.insert(file.path);
    }
    return gone;
}

// Removes the checked rows whose files are no longer there; a row whose file is still in place stays.
void RemoveCheckedRows(ResultList& list, const std::set<QByteArray>& gone) {
    std::vector<int> positions;
    for (int i = 1; i <= list.count(); ++i)
        if (list.checked(i) && gone.count(list.pathBytes(i)))
            positions.push_back(i);
    list.removePositions(positions);
}

} // namespace

void RecycleChecked::run(Steps& s) {
    std::vector<FoundFile> files;
    {
        // The rows as they stand now are the ones worked through, whatever a yield changes meanwhile.
        const RowSnapshot rows(results_);
        const ResultList::OrderHold hold(results_);
        s.run(108, [&] {
            RowYield rowYield(host_);
            for (int i = 0; i < rows.size(); ++i) {
                rowYield();
                if (const std::optional<int> position = rows.position(i);
                    position && results_.checked(*position))
                    files.push_back(results_.foundFile(*position));
            }
        });
    }
    // Linux has no confirmation of its own for the trash, so the command asks before anything moves.
    if (files.empty()) {
        s.run(122, [&] { dialogs_.notice(host_.applicationTitle(), tr("No result is checked.")); });
        return;
    }
    bool yes = false;
    s.run(122, [&] {
        const int count = int(files.size());
        const QString question = count == 1 ? tr("Move the checked file to the trash?")
                                            : tr("Move the %n checked files to the trash?", nullptr, count);
        yes = dialogs_.askYesNo(host_.applicationTitle(), question);
    });
    ProblemList refused;
    std::set<QByteArray> gone;
    if (yes)
        s.run(122, [&] { gone = SendToRecycleBin(host_, trash_, files, refused); });
    if (yes)
        s.run(126, [&] { RemoveCheckedRows(results_, gone); });
    s.run(128, [&] { results_.refresh(); });
    if (!refused.isEmpty())
        s.run(128, [&] {
            dialogs_.notice(host_.applicationTitle(),
                            refused.summary(refused.count() == 1
                                                ? tr("1 file could not be moved to the trash:")
                                                : tr("%n files could not be moved to the trash:", nullptr,
                                                     refused.count())));
        });
}

} // namespace zorvik
