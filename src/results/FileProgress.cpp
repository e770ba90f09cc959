#include "results/FileProgress.h"

#include "results/TotalsText.h"

#include <QFile>

namespace zorvik {

void FileProgress::show(const QByteArray& path) const {
    const QLocale locale = line_.locale();
    // The number is the file under way, the bytes those of the files before it: the line never claims
    // a file that is still being worked on.
    const QString file = locale.toString(std::min(filesDone_ + 1, totalFiles_));
    const QString files = locale.toString(totalFiles_);
    const QString bytes = totalSizeText(bytesDone_, locale);
    const QString total = totalSizeText(totalBytes_, locale);
    if (work_ == Work::Trash) {
        line_.show(tr("Moving file %1 of %2 to the trash (%3 of %4)").arg(file, files, bytes, total));
        return;
    }
    const QString name = QFile::decodeName(path.mid(path.lastIndexOf('/') + 1));
    if (work_ == Work::Undo) {
        line_.show(tr("Putting back file %1 of %2 (%3 of %4): %5").arg(file, files, bytes, total, name));
        return;
    }
    line_.show(tr("Moving file %1 of %2 (%3 of %4): %5").arg(file, files, bytes, total, name));
}

} // namespace zorvik
