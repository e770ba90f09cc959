// Trash: the checked files go to the desktop's trash.
#include "results/RecycleChecked.h"

#include "core/CommandHost.h"
#include "core/ProblemList.h"
#include "core/Steps.h"
#include "platform/Dialogs.h"
#include "platform/PathStatus.h"
#include "platform/Trash.h"
#include "results/ResultList.h"
#include "results/RowYield.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// Hands every file to the trash, one after the other; a file the trash refuses stays where it is.
ProblemList SendToRecycleBin(Trash& trash, const std::vector<QByteArray>& paths) {
    ProblemList refused;
    for (const QByteArray& path : paths) {
        if (std::optional<QString> reason = trash.moveToTrash(path); reason && !PathIsGone(path))
            refused.add(path, *reason);
    }
    return refused;
}

// Removes the checked rows whose files are no longer there; a row whose file is still in place stays.
void RemoveCheckedRows(ResultList& list) {
    std::vector<int> gone;
    for (int i = 1; i <= list.count(); ++i)
        if (list.checked(i) && PathIsGone(list.pathBytes(i)))
            gone.push_back(i);
    list.removePositions(gone);
}

} // namespace

void RecycleChecked::run(Steps& s) {
    std::vector<QByteArray> paths;
    s.run(108, [&] {
        RowYield rowYield(host_);
        const int count = results_.count();
        for (int j = 1; j <= count && j <= results_.count(); ++j) {
            rowYield();
            if (j <= results_.count() && results_.checked(j))
                paths.push_back(results_.pathBytes(j));
        }
    });
    // Linux has no confirmation of its own for the trash, so the command asks before anything moves.
    if (paths.empty()) {
        s.run(122, [&] { dialogs_.notice(host_.applicationTitle(), u"No result is checked."_s); });
        return;
    }
    bool yes = false;
    s.run(122, [&] {
        const QString question = paths.size() == 1 ? u"Move the checked file to the trash?"_s
                                                   : u"Move the "_s + QString::number(paths.size()) +
                                                         u" checked files to the trash?"_s;
        yes = dialogs_.askYesNo(host_.applicationTitle(), question);
    });
    ProblemList refused;
    if (yes)
        s.run(122, [&] { refused = SendToRecycleBin(trash_, paths); });
    if (yes)
        s.run(126, [&] { RemoveCheckedRows(results_); });
    s.run(128, [&] { results_.refresh(); });
    if (!refused.isEmpty())
        s.run(128, [&] {
            dialogs_.notice(host_.applicationTitle(),
                            refused.summary(u"1 file could not be moved to the trash:"_s,
                                            u"%1 files could not be moved to the trash:"_s));
        });
}

} // namespace zorvik
