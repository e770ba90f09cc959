// "Save Results As Text File".
#include "shell/Form1.h"

#include "platform/Dialogs.h"
#include "platform/PathExists.h"
#include "results/ResultList.h"
#include "results/RowYield.h"
#include "shell/Failure.h"
#include "shell/Steps.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace zorvik {

void Form1::PushButton2_Click() {
    auto s = steps(u"PushButton2_Click"_s);
    QString name;
    s->run(114, [&] { name = services_.dialogs->saveFileName(); });
    if (s->test(118, [&] { return name.isEmpty(); }))
        return;
    bool yes = true;
    if (s->test(120, [&] { return PathExists(name); }))
        s->run(122, [&] {
            yes = services_.dialogs->askYesNo(applicationTitle(),
                                              u"Are you sure you wish to overwrite "_s + name + u" ?"_s);
        });
    if (s->test(126, [&] { return !yes; }))
        return;
    s->run(128, [&] { setPointerState(kPointerBusy); });

    // The new content goes to a temporary file that replaces the old one only once it is complete, so
    // a failed save never leaves a half-written file, and a failure is reported once, without "Done.".
    QSaveFile file(name);
    bool failed = false;
    s->run(132, [&] {
        if (!file.open(QIODevice::WriteOnly)) {
            failed = true;
            throw Failure(file.errorString());
        }
    });
    if (!failed) {
        s->run(138, [&] {
            RowYield rowYield([this] { yield(); });
            const int count = results->count();
            // Rows cleared during a yield shorten the list: the loop stops at its end.
            for (int j = 1; j <= count && j <= results->count(); ++j) {
                rowYield();
                if (j > results->count())
                    break;
                const QByteArray line = results->pathBytes(j) + "\r\n";
                errno = 0;
                if (file.write(line) != line.size()) {
                    failed = true;
                    // A full disk reaches QSaveFile as "Unknown error"; errno still names it. Read it
                    // before cancelling, which replaces both with its own text.
                    const int errorNumber = errno;
                    const QString reason = file.errorString();
                    file.cancelWriting();
                    if (errorNumber != 0)
                        throwErrno(errorNumber);
                    throw Failure(reason);
                }
            }
        });
    }
    if (!failed)
        s->run(142, [&] {
            errno = 0;
            if (!file.commit()) {
                failed = true;
                if (const int errorNumber = errno; errorNumber != 0)
                    throwErrno(errorNumber);
                throw Failure(file.errorString());
            }
        });
    if (!failed)
        s->run(144, [&] { services_.dialogs->notice(applicationTitle(), u"Done."_s); });
    s->run(146, [&] { setPointerState(kPointerDefault); });
}

} // namespace zorvik
