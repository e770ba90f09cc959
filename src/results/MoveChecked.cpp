// Move: the checked files move into a chosen folder, which is remembered.
#include "results/MoveChecked.h"

#include "core/CommandHost.h"
#include "core/ProblemList.h"
#include "core/Steps.h"
#include "folders/NormalizePath.h"
#include "platform/Dialogs.h"
#include "platform/FileOperations.h"
#include "platform/SettingsStore.h"
#include "results/ResultList.h"
#include "results/RowYield.h"

#include <QFile>

#include <set>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

QByteArray fileNameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// Moves one file unless that would lose one: a file this same move already placed under the same name
// is never replaced, and the operations leave the source in place unless it arrived whole.
std::optional<QString> moveOne(FileOperations& files, const QByteArray& source, const QByteArray& destination,
                               std::set<QByteArray>& placed) {
    if (source.trimmed().isEmpty())
        return u"The row names no file."_s;
    if (placed.count(destination))
        return u"A file of the same name was just moved there from another folder."_s;
    std::optional<QString> failed = files.moveFile(source, destination);
    if (!failed)
        placed.insert(destination);
    return failed;
}

} // namespace

void MoveChecked::run(Steps& s) {
    QString chosen;
    s.run(106, [&] {
        rememberedFolder_ = settings_.read(u"LastFolder"_s, QString());
        chosen = dialogs_.browseForFolder(u"Please select folder:"_s, rememberedFolder_);
    });
    if (s.test(108, [&] { return chosen.isEmpty(); }))
        return;
    s.run(333, [&] { rememberedFolder_ = chosen; });
    s.run(334, [&] { settings_.write(u"LastFolder"_s, rememberedFolder_); });
    QByteArray destinationFolder;
    s.run(110, [&] {
        destinationFolder = QFile::encodeName(NormalizePath(chosen));
        if (!destinationFolder.endsWith('/'))
            destinationFolder += '/';
    });
    s.run(114, [&] { host_.setPointerState(CommandHost::kPointerBusy); });

    // The report of a failure names the row being handled, when there is one.
    int handling = 0;
    s.setExtra([&]() -> QString {
        if (handling < 1 || handling > results_.count())
            return {};
        return u"File: "_s + results_.text(handling);
    });
    std::set<QByteArray> movedSources; // rows naming these files leave the list
    std::set<QByteArray> placed;       // destinations this move filled
    ProblemList notMoved;
    const int count = results_.count();
    RowYield rowYield(host_);
    // Rows cleared during a yield shorten the list: the loop ends with it.
    for (int j = 1; j <= count && j <= results_.count(); ++j) {
        handling = j;
        s.run(120, [&] { rowYield(); });
        if (j > results_.count())
            break;
        if (!s.test(122, [&] { return results_.checked(j); }))
            continue;
        QByteArray source;
        s.run(124, [&] { source = results_.pathBytes(j); });
        s.run(126, [&] {
            const QByteArray destination = destinationFolder + fileNameOf(source);
            if (std::optional<QString> reason = moveOne(files_, source, destination, placed))
                notMoved.add(source, *reason);
            else
                movedSources.insert(source);
        });
    }
    handling = 0;
    s.run(132, [&] {
        std::vector<int> moved;
        for (int i = 1; i <= results_.count(); ++i)
            if (results_.checked(i) && movedSources.count(results_.pathBytes(i)))
                moved.push_back(i);
        results_.removePositions(moved);
    });
    s.run(142, [&] { results_.refresh(); });
    s.run(144, [&] { host_.setPointerState(CommandHost::kPointerDefault); });
    if (!notMoved.isEmpty())
        s.run(144, [&] {
            dialogs_.notice(host_.applicationTitle(),
                            notMoved.summary(u"1 file was not moved:"_s, u"%1 files were not moved:"_s));
        });
}

} // namespace zorvik
