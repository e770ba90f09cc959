#pragma once

#include "results/ProgressLine.h"

#include <QByteArray>
#include <QCoreApplication>

namespace zorvik {

// How far a trash, a move or an undo of one has come through the files it started with: files and bytes done
// of the total. The text is built only when the command shows it, at a turn it gives the event loop, so a
// hundred thousand small files cost no hundred thousand texts. The line is cleared when this goes.
class FileProgress {
    Q_DECLARE_TR_FUNCTIONS(FileProgress)

public:
    enum class Work { Trash, Move, Undo };
    FileProgress(ProgressLine& line, Work work, qint64 totalFiles, double totalBytes)
        : line_(line), work_(work), totalFiles_(totalFiles), totalBytes_(totalBytes) {}
    ~FileProgress() { line_.clear(); }
    FileProgress(const FileProgress&) = delete;
    FileProgress& operator=(const FileProgress&) = delete;

    // Shows the file about to be handled (a move names it).
    void show(const QByteArray& path) const;
    void fileDone(quint64 bytes) {
        ++filesDone_;
        bytesDone_ += double(bytes);
    }

private:
    ProgressLine& line_;
    Work work_;
    qint64 totalFiles_;
    double totalBytes_;
    qint64 filesDone_ = 0;
    double bytesDone_ = 0;
};

} // namespace zorvik
