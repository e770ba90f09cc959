// The owners of open descriptors and folders: each is closed exactly once, by whoever holds it last.
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace zorvik::test {
namespace {

bool isOpen(int fd) {
    return ::fcntl(fd, F_GETFD) != -1;
}

// Two fresh descriptors, the read and write ends of a pipe.
std::pair<int, int> freshPipe() {
    int ends[2] = {-1, -1};
    EXPECT_EQ(::pipe(ends), 0);
    return {ends[0], ends[1]};
}

TEST(Descriptor, ClosesWhenItsOwnerGoesAndNeverAgain) {
    const auto [a, b] = freshPipe();
    std::pair<int, int> reused;
    {
        UniqueFd owner(a);
        EXPECT_TRUE(owner);
        EXPECT_EQ(owner.get(), a);
        owner.reset();
        EXPECT_FALSE(isOpen(a));
        EXPECT_FALSE(owner);
        // The system hands the same number out again; the old owner must leave it alone as it goes.
        reused = freshPipe();
        ASSERT_EQ(reused.first, a);
    }
    EXPECT_TRUE(isOpen(reused.first));
    ::close(reused.first);
    ::close(reused.second);
    { UniqueFd owner(b); }
    EXPECT_FALSE(isOpen(b));
}

TEST(Descriptor, AMoveHandsTheDescriptorOverAndAnAssignmentClosesWhatWasHeld) {
    const auto [a, b] = freshPipe();
    UniqueFd second;
    {
        UniqueFd first(a);
        second = std::move(first);
        EXPECT_FALSE(first); // NOLINT(bugprone-use-after-move): what a move leaves behind is the point
    }
    EXPECT_TRUE(isOpen(a));
    UniqueFd third(std::move(second));
    EXPECT_EQ(third.get(), a);

    UniqueFd other(b);
    third = std::move(other); // a is closed, b taken over
    EXPECT_FALSE(isOpen(a));
    EXPECT_EQ(third.get(), b);
    UniqueFd& same = third;
    third = std::move(same);
    EXPECT_TRUE(isOpen(b));
    third.reset(b); // the descriptor it already holds stays open
    EXPECT_TRUE(isOpen(b));
}

TEST(Descriptor, ReleaseGivesItUpWithoutClosing) {
    const auto [a, b] = freshPipe();
    {
        UniqueFd owner(a);
        EXPECT_EQ(owner.release(), a);
        EXPECT_FALSE(owner);
    }
    EXPECT_TRUE(isOpen(a));
    ::close(a);
    ::close(b);
}

// A file system that only hands out numbers and counts their closing.
class CountingFileSystem : public FileSystem {
public:
    std::vector<Handle> closed;
    Handle next = 0; // 0 is an ordinary descriptor number

    FolderId identify(Handle) override { return {}; }
    void list(Handle, const EntrySink&) override {}
    std::optional<EntryStatus> statusOf(Handle, const char*) override { return {}; }

protected:
    Handle openFolderHandle(const QByteArray&) override { return next++; }
    Handle openSubFolderHandle(Handle, const char*) override { return next++; }
    Handle openParentHandle(Handle, FolderId) override { return next++; }
    Handle openBelowHandle(Handle, const QByteArray&, Mounts) override { return next++; }
    void close(Handle folder) override { closed.push_back(folder); }
};

using Closed = std::vector<FileSystem::Handle>;

TEST(OpenFolder, ClosesOnceWhenResetOrDestroyedAndNotWhenMovedFrom) {
    CountingFileSystem fs;
    {
        FileSystem::Folder zero = fs.openFolder("/a");
        FileSystem::Folder one = fs.openSubFolder(zero.handle(), "b");
        EXPECT_TRUE(zero.isOpen());
        one.reset();
        one.reset();
        EXPECT_FALSE(one.isOpen());
        EXPECT_EQ(fs.closed, Closed{1});
    }
    EXPECT_EQ(fs.closed, (Closed{1, 0}));

    fs.closed.clear();
    {
        FileSystem::Folder moved = fs.openFolder("/c");
        FileSystem::Folder taker(std::move(moved));
        EXPECT_FALSE(
            moved.isOpen()); // NOLINT(bugprone-use-after-move): what a move leaves behind is the point
        FileSystem::Folder assigned;
        assigned = std::move(taker);
        EXPECT_TRUE(fs.closed.empty());
        EXPECT_EQ(assigned.handle(), 2);
    }
    EXPECT_EQ(fs.closed, Closed{2});
}

TEST(OpenFolder, AssigningOverAnOpenFolderClosesItAndSelfAssignmentKeepsIt) {
    CountingFileSystem fs;
    FileSystem::Folder held = fs.openFolder("/a");
    held = fs.openParent(held.handle(), {});
    EXPECT_EQ(fs.closed, Closed{0});
    EXPECT_EQ(held.handle(), 1);
    FileSystem::Folder& same = held;
    held = std::move(same);
    EXPECT_TRUE(held.isOpen());
    EXPECT_EQ(fs.closed, Closed{0});
    FileSystem::Folder never;
    never.reset();
    EXPECT_EQ(fs.closed, Closed{0});
}

} // namespace
} // namespace zorvik::test
