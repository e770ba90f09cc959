// The folder walk on real trees: order, links, odd names, unreadable and very deep folders.
#include "search/ScanFolder.h"

#include "core/PathParts.h"

#include "ProbeFileSystem.h"
#include "QtPrinters.h"
#include "TempTree.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

// Records what the walk reports, as paths relative to the tree.
class Recorder : public WalkVisitor {
public:
    explicit Recorder(QByteArray root) : root_(std::move(root)) {}

    QList<QByteArray> entered, files, skipped;
    QStringList reasons;
    std::function<bool()> before = [] { return true; };

    void enterFolder(const QByteArray& path) override { entered << relative(path); }
    void file(const QByteArray& folder, const char* name, quint64 bytes, FileId, OtherPaths) override {
        files << relative(joinPath(folder, QByteArrayView(name))) + ':' + QByteArray::number(bytes);
    }
    bool beforeSubFolder() override { return before(); }
    void folderSkipped(const QByteArray& path, const QString& reason) override {
        skipped << relative(path);
        reasons << reason;
    }

private:
    QByteArray relative(const QByteArray& path) const {
        return path == root_ ? QByteArray(".") : path.mid(root_.size() + 1);
    }
    QByteArray root_;
};

class Walk : public ::testing::Test {
protected:
    Recorder walk(bool includeSubFolders = true) {
        Recorder recorder(tree.root());
        ScanFolder(fs, fs.openFolder(tree.root()), tree.root(), includeSubFolders, recorder);
        EXPECT_EQ(fs.openHandles, 0);
        return recorder;
    }
    TempTree tree;
    ProbeFileSystem fs;
};

TEST_F(Walk, FilesOfAFolderComeFirstThenEachSubFolderWithItsWholeTree) {
    tree.file("x", 1);
    tree.file("y", 2);
    tree.file("A/a", 3);
    tree.file("A/deep/d", 4);
    tree.file("B/b", 5);
    tree.folder("empty");
    const Recorder r = walk();
    ASSERT_EQ(r.files.size(), 5);
    EXPECT_EQ(QSet<QByteArray>({r.files[0], r.files[1]}), QSet<QByteArray>({"x:1", "y:2"}));
    const qsizetype a = r.files.indexOf("A/a:3");
    const qsizetype b = r.files.indexOf("B/b:5");
    EXPECT_EQ(r.files.indexOf("A/deep/d:4"), a + 1); // A's tree is done before anything else
    EXPECT_TRUE((a == 2 && b == 4) || (b == 2 && a == 3));
    EXPECT_EQ(r.entered.size(), 5);
    EXPECT_EQ(r.entered.first(), ".");
    EXPECT_TRUE(r.entered.contains("empty"));
    EXPECT_TRUE(r.skipped.isEmpty());
}

TEST_F(Walk, WithoutSubFoldersOnlyTheFolderItselfIsListed) {
    tree.file("x", 1);
    tree.file("A/a", 3);
    const Recorder r = walk(false);
    EXPECT_EQ(r.files, QList<QByteArray>{"x:1"});
    EXPECT_EQ(r.entered, QList<QByteArray>{"."});
}

TEST_F(Walk, LinksAreNoFilesAndAreNeverEntered) {
    tree.file("data", 5000);
    tree.folder("sub");
    tree.link("..", "sub/up");       // a loop back to the top
    tree.link("data", "alias");      // a link to a file
    tree.link("missing", "dangles"); // a link to nothing
    tree.file(".hidden", 7);
    const Recorder r = walk();
    EXPECT_EQ(r.entered.size(), 2);
    EXPECT_TRUE(r.files.contains("data:5000"));
    EXPECT_TRUE(r.files.contains(".hidden:7"));
    EXPECT_EQ(r.files.size(), 2);
}

TEST_F(Walk, NamesThatAreNotUtf8KeepTheirBytes) {
    const QByteArray odd("caf\xe9 \xff\xfe");
    tree.file("dir\x80/" + odd, 12);
    const Recorder r = walk();
    EXPECT_EQ(r.files, QList<QByteArray>{"dir\x80/" + odd + ":12"});
}

TEST_F(Walk, AFolderThatCannotBeOpenedOrListedIsSkippedAndTheWalkGoesOn) {
    tree.file("A/a", 1);
    tree.file("locked/secret", 2);
    tree.file("broken/inner/f", 3);
    tree.file("Z/z", 4);
    fs.refuseToOpen = {"locked"};
    fs.refuseToList = {"broken"};
    const Recorder r = walk();
    EXPECT_EQ(QSet<QByteArray>(r.files.begin(), r.files.end()), QSet<QByteArray>({"A/a:1", "Z/z:4"}));
    EXPECT_EQ(QSet<QByteArray>(r.skipped.begin(), r.skipped.end()), QSet<QByteArray>({"locked", "broken"}));
    EXPECT_TRUE(r.reasons.contains(u"Permission denied"_s));
}

TEST_F(Walk, TheListedFolderItselfFailingEndsTheWalk) {
    tree.file("x", 1);
    fs.refuseToList = {tree.root().mid(tree.root().lastIndexOf('/') + 1).toStdString()};
    Recorder recorder(tree.root());
    EXPECT_THROW(ScanFolder(fs, fs.openFolder(tree.root()), tree.root(), true, recorder), FileSystemFailure);
    EXPECT_EQ(fs.openHandles, 0);
    EXPECT_THROW(fs.openFolder(tree.root() + "/nothing-here"), FileSystemFailure);
}

TEST_F(Walk, AFalseAnswerBeforeASubFolderStopsEverything) {
    tree.file("A/a", 1);
    tree.file("A/A2/a2", 1);
    tree.file("B/b", 1);
    Recorder recorder(tree.root());
    int asked = 0;
    recorder.before = [&] { return ++asked < 3; }; // the first two sub-folders may be entered
    ScanFolder(fs, fs.openFolder(tree.root()), tree.root(), true, recorder);
    EXPECT_EQ(recorder.entered.size(), 3);
    EXPECT_EQ(recorder.files.size(), 2);
    EXPECT_EQ(fs.openHandles, 0);
}

TEST_F(Walk, AVisitorsFailureEndsTheWalkAndClosesEveryFolder) {
    tree.file("A/B/C/f", 1);
    class Throwing : public Recorder {
    public:
        using Recorder::Recorder;
        void file(const QByteArray&, const char*, quint64, FileId, OtherPaths) override {
            throw Failure(u"no"_s);
        }
    } recorder(tree.root());
    EXPECT_THROW(ScanFolder(fs, fs.openFolder(tree.root()), tree.root(), true, recorder), Failure);
    EXPECT_EQ(fs.openHandles, 0);
}

TEST_F(Walk, TenThousandLevelsNeedNeitherDeepRecursionNorManyDescriptors) {
    const DescriptorLimit limit(1024);
    ASSERT_TRUE(limit.valid());

    constexpr int kDepth = 10000;
    tree.chain(kDepth);
    tree.file("sibling/s", 9); // met after climbing all the way back up

    const Recorder r = walk();
    EXPECT_EQ(r.entered.size(), kDepth + 2);
    EXPECT_EQ(r.files.size(), 11);
    EXPECT_TRUE(r.files.contains("sibling/s:9"));
    EXPECT_TRUE(r.skipped.isEmpty());
    EXPECT_LE(fs.mostOpenHandles, 70);
    tree.removeChain();
}

} // namespace
} // namespace zorvik::test
