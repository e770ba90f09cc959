// "Send Checked To Recycle Bin": the checked files go to the desktop's trash.
#include "shell/Form1.h"

#include "platform/Dialogs.h"
#include "platform/Trash.h"
#include "results/ResultList.h"
#include "results/RowYield.h"
#include "shell/ProblemList.h"
#include "shell/Steps.h"

#include <cerrno>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

bool isGone(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) != 0 && errno == ENOENT;
}

// Hands every file to the trash, one after the other; a file the trash refuses stays where it is.
ProblemList SendToRecycleBin(Trash& trash, const std::vector<QByteArray>& paths) {
    ProblemList refused;
    for (const QByteArray& path : paths) {
        if (std::optional<QString> reason = trash.moveToTrash(path); reason && !isGone(path))
            refused.add(path, *reason);
    }
    return refused;
}

// Removes the checked rows whose files are no longer there; a row whose file is still in place stays.
void RemoveCheckedRows(ResultList& list) {
    std::vector<int> gone;
    for (int i = 1; i <= list.count(); ++i)
        if (list.checked(i) && isGone(list.pathBytes(i)))
            gone.push_back(i);
    list.removePositions(gone);
}

} // namespace

void Form1::PushButton10_Click() {
    auto s = steps(u"PushButton10_Click"_s);
    std::vector<QByteArray> paths;
    s->run(108, [&] {
        RowYield rowYield([this] { yield(); });
        const int count = results->count();
        for (int j = 1; j <= count && j <= results->count(); ++j) {
            rowYield();
            if (j <= results->count() && results->checked(j))
                paths.push_back(results->pathBytes(j));
        }
    });
    // Linux has no confirmation of its own for the trash, so the command asks before anything moves.
    if (paths.empty()) {
        s->run(122, [&] { services_.dialogs->notice(applicationTitle(), u"No result is checked."_s); });
        return;
    }
    bool yes = false;
    s->run(122, [&] {
        const QString question = paths.size() == 1 ? u"Move the checked file to the trash?"_s
                                                   : u"Move the "_s + QString::number(paths.size()) +
                                                         u" checked files to the trash?"_s;
        yes = services_.dialogs->askYesNo(applicationTitle(), question);
    });
    ProblemList refused;
    if (yes)
        s->run(122, [&] { refused = SendToRecycleBin(*services_.trash, paths); });
    if (yes)
        s->run(126, [&] { RemoveCheckedRows(*results); });
    s->run(128, [&] { results->refresh(); });
    if (!refused.isEmpty())
        s->run(128, [&] {
            services_.dialogs->notice(applicationTitle(),
                                      refused.summary(u"1 file could not be moved to the trash:"_s,
                                                      u"%1 files could not be moved to the trash:"_s));
        });
}

} // namespace zorvik
