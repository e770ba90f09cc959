// The count of a thread's waits, which tells the read-ahead walk whether its reads wait for the disk.
#include "platform/PosixFileSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace zorvik::test {
namespace {

TEST(ThreadWaits, CountsTheCallingThreadsSleepsAndNotThoseOfOtherThreads) {
    PosixFileSystem fs;
    const std::uint64_t before = fs.waitsOfThisThread();
    std::thread sleeper([&] {
        for (int i = 0; i < 20; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    sleeper.join(); // a wait of this thread too: one
    const std::uint64_t afterOthersSlept = fs.waitsOfThisThread();
    EXPECT_LT(afterOthersSlept - before, 5);

    for (int i = 0; i < 5; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_GE(fs.waitsOfThisThread() - afterOthersSlept, 5);
}

} // namespace
} // namespace zorvik::test
