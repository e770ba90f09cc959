// What the commands ask of a path before and after acting on it: is something there, is it a file,
// is it really gone.
#include "platform/PathStatus.h"

#include "TempTree.h"

#include <gtest/gtest.h>

namespace zorvik::test {
namespace {

class Status : public ::testing::Test {
protected:
    Status() {
        tree.file("file", 3);
        tree.folder("folder");
        tree.link("file", "link");
        tree.link("missing", "dangling");
        tree.link("folder", "folder-link");
    }
    QString text(const QByteArray& relative) const { return QFile::decodeName(tree.path(relative)); }
    TempTree tree;
};

TEST_F(Status, OnlyAPathWhereNothingIsCountsAsGone) {
    EXPECT_TRUE(PathIsGone(tree.path("missing")));
    EXPECT_TRUE(PathIsGone(tree.path("folder/missing")));
    // A link is something, even one that leads nowhere: removing it must not look like a success.
    EXPECT_FALSE(PathIsGone(tree.path("dangling")));
    EXPECT_FALSE(PathIsGone(tree.path("file")));
    EXPECT_FALSE(PathIsGone(tree.path("folder")));
    // A path that cannot be checked is not known to be gone.
    EXPECT_FALSE(PathIsGone(tree.path("file/below")));                     // ENOTDIR
    EXPECT_FALSE(PathIsGone(tree.path("folder/" + QByteArray(300, 'y')))); // ENAMETOOLONG
}

TEST_F(Status, ARegularFileIsOneThroughItsLinksButNeverAFolderOrALinkToNothing) {
    EXPECT_TRUE(IsRegularFile(text("file")));
    EXPECT_TRUE(IsRegularFile(text("link")));
    EXPECT_FALSE(IsRegularFile(text("folder")));
    EXPECT_FALSE(IsRegularFile(text("folder-link")));
    EXPECT_FALSE(IsRegularFile(text("dangling")));
    EXPECT_FALSE(IsRegularFile(text("missing")));
    EXPECT_FALSE(IsRegularFile(QString()));
}

TEST_F(Status, APathExistsWhenItsTargetCanBeExamined) {
    EXPECT_TRUE(PathExists(text("file")));
    EXPECT_TRUE(PathExists(text("folder")));
    EXPECT_TRUE(PathExists(text("link")));
    EXPECT_FALSE(PathExists(text("dangling")));
    EXPECT_FALSE(PathExists(text("missing")));
    EXPECT_FALSE(PathExists(QString()));
}

} // namespace
} // namespace zorvik::test
