// Checks of the files a skin names: what each kind of file counts as, and that a check which never
// answers costs the caller only the bound.
#include "platform/BoundedPathCheck.h"

#include "TempTree.h"

#include <gtest/gtest.h>

#include <latch>
#include <memory>

#include <sys/stat.h>

namespace zorvik::test {
namespace {

TEST(BoundedPathCheck, OnlyAReadableRegularFileCountsAndAPipeDoesNotHoldTheCheck) {
    TempTree tree;
    tree.file("file", 3);
    tree.folder("folder");
    tree.link("file", "link");
    ASSERT_EQ(::mkfifo(tree.path("pipe").constData(), 0600), 0);
    const std::vector<QByteArray> paths = {tree.path("file"), tree.path("link"), tree.path("folder"),
                                           tree.path("pipe"), "/dev/null",       tree.path("missing"),
                                           QByteArray()};
    // The bound is never reached: every check answers at once.
    const std::vector<PathFinding> expected = {
        PathFinding::Readable, PathFinding::Readable, PathFinding::Unusable, PathFinding::Unusable,
        PathFinding::Unusable, PathFinding::Missing,  PathFinding::Missing};
    EXPECT_EQ(checkPathsWithin(paths, std::chrono::hours(1)), expected);
}

TEST(BoundedPathCheck, ACheckThatDoesNotAnswerIsGivenUpAndItsThreadFinishesLater) {
    // Shared with the worker, which may still be counting down when the test moves on.
    auto released = std::make_shared<std::latch>(1);
    auto finished = std::make_shared<std::latch>(1);
    const std::vector<PathFinding> findings = checkPathsWithin(
        {"stuck", "after"}, std::chrono::milliseconds(1), [released, finished](const QByteArray& path) {
            if (path == "stuck")
                released->wait();
            else
                finished->count_down();
            return PathFinding::Readable;
        });
    EXPECT_EQ(findings, std::vector<PathFinding>(2, PathFinding::NoAnswer));
    released->count_down();
    finished->wait();
}

} // namespace
} // namespace zorvik::test
