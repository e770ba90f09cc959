#include "results/SaveResults.h"

#include "core/CommandHost.h"
#include "core/Steps.h"
#include "platform/AtomicFileWriter.h"
#include "platform/Dialogs.h"
#include "platform/PathStatus.h"
#include "results/ResultLineFormat.h"
#include "results/ResultList.h"
#include "results/RowYield.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik {

void SaveResults::run(Steps& s) {
    QString name;
    SaveFormat format = SaveFormat::Text;
    s.run(114, [&] {
        const QString folder = lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
        const SaveTarget target = dialogs_.chooseSaveTarget(folder + u"/Zorvik results.txt"_s);
        name = target.name;
        format = target.format;
    });
    if (s.test(118, [&] { return name.isEmpty(); }))
        return;
    bool yes = true;
    if (s.test(120, [&] { return PathExists(name); }))
        s.run(122, [&] {
            yes = dialogs_.askYesNo(host_.applicationTitle(),
                                    u"Are you sure you wish to overwrite "_s + name + u" ?"_s);
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
            // The text file keeps each path's bytes and Windows line ends, as it always had.
            const ResultLineFormat lines =
                format == SaveFormat::Csv ? ResultLineFormat::csv() : ResultLineFormat::text("\r\n");
            file.write(lines.header());
            QByteArray line;
            RowYield rowYield(host_);
            const int count = results_.count();
            // Rows cleared during a yield shorten the list: the loop stops at its end.
            for (int j = 1; j <= count && j <= results_.count(); ++j) {
                rowYield();
                if (j > results_.count())
                    break;
                line.clear();
                lines.append(line, results_.pathBytes(j), {}, results_.bytes(j),
                             results_.sizeText(j).toUtf8());
                file.write(line);
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
        s.run(144, [&] { dialogs_.notice(host_.applicationTitle(), u"Done."_s); });
    }
    s.run(146, [&] { host_.setPointerState(CommandHost::kPointerDefault); });
}

} // namespace zorvik
