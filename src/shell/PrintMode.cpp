// Threads: printSearch's workers only read the file system and hand over listings; everything in this
// file runs on the main thread, except `interrupted`, which reads one sig_atomic_t and makes only
// async-signal-safe calls.
#include "shell/PrintMode.h"

#include "core/BlockingCall.h"
#include "core/Failure.h"
#include "folders/GivenFolder.h"
#include "platform/PosixFileSystem.h"
#include "platform/WriteAll.h"
#include "results/TotalsText.h"
#include "search/PrintSearch.h"
#include "shell/CommandLine.h"

#include <QLocale>

#include <memory>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <exception>

#include <poll.h>
#include <unistd.h>

namespace zorvik {

namespace {

volatile std::sig_atomic_t progressShown = 0;
constexpr char kEraseLine[] = "\r\033[K";

// Ctrl+C ends the search at once, as it would end any command; only the progress line goes first, so
// the shell's prompt does not land in the middle of it.
extern "C" void interrupted(int signal) {
    if (progressShown != 0) {
        const ssize_t ignored = ::write(STDERR_FILENO, kEraseLine, sizeof kEraseLine - 1);
        static_cast<void>(ignored);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Standard output in large writes, standard error for everything else. Lines are collected and
// written when 64 KiB are there or a tenth of a second has passed, so a fast search makes few system
// calls and a slow one still shows each file soon after it is found.
class ProcessOutput : public PrintOutput {
public:
    ProcessOutput()
        : stdoutIsTerminal_(::isatty(STDOUT_FILENO) == 1), showProgress_(::isatty(STDERR_FILENO) == 1),
          started_(Clock::now()), lastFlush_(started_), lastDrawn_(started_) {
        buffer_.reserve(kBufferBytes);
    }

    bool write(QByteArrayView bytes) override {
        if (closed_)
            return false;
        buffer_.append(bytes);
        if (buffer_.size() >= kBufferBytes)
            flush();
        return !closed_;
    }

    void problem(QByteArrayView path, const QString& reason) override {
        eraseProgress();
        error(QByteArray("zorvik: ") + path.toByteArray() + ": " + reason.toLocal8Bit() + '\n');
    }

    bool progress(const PrintCounts& counts) override {
        const Clock::time_point now = Clock::now();
        if (now - lastFlush_ >= kFlushInterval) {
            lastFlush_ = now;
            if (!buffer_.isEmpty())
                flush();
            else if (readerGone())
                closed_ = true; // nothing to write, but nobody would read it either
        }
        if (showProgress_ && now - lastDrawn_ >= kDrawInterval) {
            lastDrawn_ = now;
            draw(counts, now);
        }
        return !closed_;
    }

    // Writes what is left and takes the progress line away.
    void finish() {
        flush();
        eraseProgress();
    }

    void error(const QByteArray& text) {
        eraseProgress();
        static_cast<void>(writeAll(STDERR_FILENO, text));
    }

    // Why standard output could not be written, other than a reader that went away; 0 when it could.
    int writeError() const { return writeError_; }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr qsizetype kBufferBytes = qsizetype{64} * 1024;
    static constexpr std::chrono::milliseconds kFlushInterval{100};
    static constexpr std::chrono::milliseconds kDrawInterval{250};

    void flush() {
        if (!buffer_.isEmpty() && !closed_) {
            if (stdoutIsTerminal_)
                eraseProgress();
            if (const int error = writeAll(STDOUT_FILENO, buffer_)) {
                closed_ = true;
                if (error != EPIPE)
                    writeError_ = error;
            }
        }
        buffer_.resize(0); // keeps the reserved 64 KiB
    }

    // A pipe whose reader has closed it reports an error to poll before anything is written to it.
    static bool readerGone() {
        pollfd out{STDOUT_FILENO, 0, 0};
        return ::poll(&out, 1, 0) == 1 && (out.revents & POLLERR) != 0;
    }

    void draw(const PrintCounts& counts, Clock::time_point now) {
        const double seconds = std::chrono::duration<double>(now - started_).count();
        const QByteArray line = QByteArray("Searching: ") + QByteArray::number(counts.folders) +
                                " folders read, " + QByteArray::number(counts.files) + " files found, " +
                                QByteArray::number(qint64(double(counts.folders) / seconds)) + " folders/s";
        progressShown = 1;
        const QByteArray drawn = '\r' + line + "\033[K";
        static_cast<void>(writeAll(STDERR_FILENO, drawn));
    }

    void eraseProgress() {
        if (progressShown == 0)
            return;
        progressShown = 0;
        static_cast<void>(writeAll(STDERR_FILENO, kEraseLine));
    }

    const bool stdoutIsTerminal_;
    const bool showProgress_;
    const Clock::time_point started_;
    Clock::time_point lastFlush_;
    Clock::time_point lastDrawn_;
    QByteArray buffer_;
    bool closed_ = false;
    int writeError_ = 0;
};

QByteArray summaryOf(const PrintCounts& counts) {
    return QByteArray("zorvik: ") + QByteArray::number(counts.files) +
           (counts.files == 1 ? " file, " : " files, ") +
           totalSizeText(counts.bytes.approximate(), QLocale::c()).toUtf8() + " (" + counts.bytes.digits() +
           " bytes)" +
           (counts.foldersLeftOut == 0
                ? QByteArray()
                : ", " + QByteArray::number(counts.foldersLeftOut) +
                      (counts.foldersLeftOut == 1 ? " folder skipped" : " folders skipped")) +
           '\n';
}

} // namespace

int runPrintMode(const CommandLine& commandLine) {
    PrintRequest request = commandLine.print;
    for (const QByteArray& folder : commandLine.folders)
        request.folders.append(givenFolderPath(folder));

    // A reader that goes away (| head) shows as a failed write, which ends the search quietly.
    std::signal(SIGPIPE, SIG_IGN);
    // A search started in the background of a script ignores Ctrl+C, as the shell asked.
    if (std::signal(SIGINT, interrupted) == SIG_IGN)
        std::signal(SIGINT, SIG_IGN);

    ProcessOutput output;
    // Shared, so that a worker the walk leaves behind (a share that stopped answering when the reader
    // went away) still has it.
    const auto fileSystem = std::make_shared<PosixFileSystem>();
    PrintOutcome outcome;
    bool failed = false;
    try {
        outcome = printSearch(*fileSystem, request, output);
    } catch (const Failure& failure) {
        output.error(QByteArray("zorvik: ") + failure.description().toLocal8Bit() + '\n');
        failed = true;
    } catch (const std::exception& exception) { // no thread could be started, no memory
        output.error(QByteArray("zorvik: ") + QByteArray(exception.what()) + '\n');
        failed = true;
    }
    output.finish();
    if (commandLine.summary)
        output.error(summaryOf(outcome.counts));
    int status = outcome.counts.files > 0 ? 0 : 1;
    if (output.writeError() != 0) {
        output.error(QByteArray("zorvik: standard output: ") + errnoText(output.writeError()).toLocal8Bit() +
                     '\n');
        status = 2;
    } else if (failed || outcome.listedFolderFailed) {
        status = 2;
    }
    // A worker still stuck in a call must neither hold the program nor outlive what it may touch.
    WorkerThreads::endProcessIfAnyRuns(status, std::chrono::milliseconds(200));
    return status;
}

} // namespace zorvik
