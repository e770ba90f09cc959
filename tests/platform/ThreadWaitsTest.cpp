// The count of a thread's waits, which tells the read-ahead walk whether its reads wait for the disk.
#include "platform/PosixFileSystem.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>

#include <atomic>
#include <thread>

#include <sys/syscall.h>
#include <unistd.h>

namespace zorvik::test {
namespace {

// How many times the kernel has put the thread to sleep until something it waited for came.
std::uint64_t voluntarySwitches(const QString& statusFile) {
    QFile status(statusFile);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("voluntary_ctxt_switches:"))
            return line.mid(line.indexOf(':') + 1).trimmed().toULongLong();
    return 0;
}

TEST(ThreadWaits, CountsEveryWaitOfTheCallingThreadAndNoneOfAnotherThreads) {
    PosixFileSystem fs;
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    constexpr int kReads = 20;
    std::atomic<long> readerId = 0;
    std::atomic<std::uint64_t> readerSwitchesBefore = 0;
    std::atomic<std::uint64_t> readerWaits = 0;
    std::thread reader([&] {
        const std::uint64_t before = fs.waitsOfThisThread();
        readerSwitchesBefore = voluntarySwitches(QStringLiteral("/proc/thread-self/status"));
        readerId = ::syscall(SYS_gettid);
        char byte = 0;
        for (int i = 0; i < kReads; ++i)
            EXPECT_EQ(::read(pipe[0], &byte, 1), 1);
        readerWaits = fs.waitsOfThisThread() - before;
    });
    // Only spins and writes, which never wait: each byte goes once the reader has gone to sleep once
    // more, so every read waits (as the kernel counts), and this thread never does.
    while (readerId == 0)
        std::this_thread::yield();
    const std::uint64_t before = fs.waitsOfThisThread();
    const QString readerStatus = QStringLiteral("/proc/self/task/%1/status").arg(readerId.load());
    for (int i = 0; i < kReads; ++i) {
        while (voluntarySwitches(readerStatus) < readerSwitchesBefore + std::uint64_t(i) + 1)
            std::this_thread::yield();
        EXPECT_EQ(::write(pipe[1], "x", 1), 1);
    }
    EXPECT_LT(fs.waitsOfThisThread() - before, 5);
    reader.join();
    EXPECT_GE(readerWaits, std::uint64_t(kReads));
    ::close(pipe[0]);
    ::close(pipe[1]);
}

} // namespace
} // namespace zorvik::test
