#include "results/SaveResults.h"

#include "core/CommandHost.h"
#include "core/Steps.h"
#include "platform/AtomicFileWriter.h"
#include "platform/Dialogs.h"
#include "platform/PathStatus.h"
#include "results/ResultList.h"
#include "results/RowSnapshot.h"
#include "results/RowYield.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik {

void SaveResults::run(Steps& s) {
    QString name;
    s.run(114, [&] {
        const QString folder = lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
        name = dialogs_.saveFileName(folder + u'/' + tr("Zorvik results.txt"));
    });
    if (s.test(118, [&] { return name.isEmpty(); }))
        return;
    bool yes = true;
    if (s.test(120, [&] { return PathExists(name); }))
        s.run(122, [&] {
            yes = dialogs_.askYesNo(host_.applicationTitle(),
                                    tr("Are you sure you wish to overwrite %1 ?").arg(name));
        });
    if (s.test(126, [&] { return !yes; }))
        return;
    s.run(128, [&] { host_.setPointerState(CommandHost::kPointerBusy); });

    // The new content goes to a temporary file that replaces the old one only once it is complete, so
    // a failed save never leaves a half-written file, and a failure is reported once, without "Done.".
    AtomicFileWriter file(name);
    bool failed = true;
    s.run(132, [&] {
        file.open();
        failed = false;
    });
    if (!failed) {
        s.run(138, [&] {
            failed = true;
            // The rows as they stand now are the ones written, each once, whatever a yield changes.
            const RowSnapshot rows(results_);
            const ResultList::OrderHold hold(results_);
            RowYield rowYield(host_);
            QByteArray line;
            for (int i = 0; i < rows.size(); ++i) {
                rowYield();
                if (const std::optional<int> position = rows.position(i)) {
                    results_.pathBytesInto(*position, line);
                    line += "\r\n";
                    file.write(line);
                }
            }
            failed = false;
        });
    }
    if (!failed)
        s.run(142, [&] {
            failed = true;
            file.commit();
            failed = false;
        });
    if (!failed) {
        lastFolder_ = QFileInfo(name).absolutePath();
        s.run(144, [&] { dialogs_.notice(host_.applicationTitle(), tr("Done.")); });
    }
    s.run(146, [&] { host_.setPointerState(CommandHost::kPointerDefault); });
}

} // namespace zorvik
