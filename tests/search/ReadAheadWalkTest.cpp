// The read-ahead walk against the sequential walk: the same calls in the same order on every tree,
// with faults, stops, changing trees and very deep ones.
#include "search/ReadAheadWalk.h"
#include "search/ScanFolder.h"

#include "core/BlockingCall.h"
#include "core/PathParts.h"

#include "FaultyFileSystem.h"
#include "QtPrinters.h"
#include "TempTree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <set>
#include <thread>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

// Every call of the visitor, in order, as one line each.
class Transcript : public WalkVisitor {
public:
    QList<QByteArray> lines;
    int stopAtSubFolder = -1; // beforeSubFolder answers false at this call (0-based)
    int subFolders = 0;

    void enterFolder(const QByteArray& path) override { lines << "enter " + path; }
    // The identity too: both walks must report the very file they sized.
    void file(const QByteArray& folder, const char* name, quint64 bytes, FileId id, OtherPaths) override {
        lines << "file " + joinPath(folder, QByteArrayView(name)) + ' ' + QByteArray::number(bytes) + ' ' +
                     QByteArray::number(id.device) + ':' + QByteArray::number(id.inode);
    }
    bool beforeSubFolder() override {
        lines << "before";
        return subFolders++ != stopAtSubFolder;
    }
    bool stillWaiting() override {
        if (onWaiting)
            onWaiting();
        return true;
    }
    std::function<void()> onWaiting;
    void folderSkipped(const QByteArray& path, const QString& reason) override {
        lines << "skip " + path + " (" + reason.toUtf8() + ')';
    }
};

enum class Kind { Sequential, ReadAhead };

// Trees in memory where there is such a filesystem: thousands of folder operations on a disk take far
// longer than the walks under test.
QString inMemory() {
    return QDir(u"/dev/shm"_s).exists() ? u"/dev/shm"_s : QDir::tempPath();
}

Transcript walk(FileSystem& fs, const QByteArray& root, Kind kind, const ReadAheadOptions& options = {},
                int stopAtSubFolder = -1) {
    Transcript transcript;
    transcript.stopAtSubFolder = stopAtSubFolder;
    try {
        if (kind == Kind::Sequential)
            ScanFolder(fs, fs.openFolder(root), root, true, transcript);
        else
            readAheadScan(fs, fs.openFolder(root), root, true, transcript, options);
    } catch (const FileSystemFailure& failure) {
        transcript.lines << "failed (" + failure.description().toUtf8() + ')';
    }
    return transcript;
}

// A random tree: fan-outs from none to many, empty folders, one crowded folder, links to files, to
// folders and to nothing, and names that are not UTF-8 or look like options.
void grow(const TempTree& tree, std::mt19937& random) {
    static const QByteArray kOdd[] = {"plain", "with space", "caf\xe9",  "\xff\xfe",
                                      "-dash", ".hidden",    "new\nline"};
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    std::vector<QByteArray> folders{""};
    for (std::size_t i = 0; i < folders.size() && folders.size() < 120; ++i) {
        const QByteArray at = folders[i];
        if (at.count('/') >= 6)
            continue;
        const QByteArray in = at.isEmpty() ? QByteArray() : at + '/';
        const int files = i == 3 ? 600 : pick(12);
        for (int f = 0; f < files; ++f)
            tree.file(in + kOdd[pick(7)] + QByteArray::number(f), pick(5000));
        const int subs = i == 0 ? 4 : pick(5);
        for (int s = 0; s < subs; ++s) {
            const QByteArray sub = in + "d" + QByteArray::number(s) + kOdd[pick(7)];
            tree.folder(sub);
            folders.push_back(sub);
        }
        if (pick(4) == 0)
            tree.link("..", in + "up-link");
        if (pick(5) == 0)
            tree.link("nowhere", in + "dangling");
    }
}

TEST(ReadAhead, SeededRandomTreesGiveTheSequentialWalksCallsWithAnyThreadsAndWindow) {
    const ReadAheadOptions kinds[] = {
        {2, 2048, 8 << 20, 3072, 20}, // as the program runs it
        {3, 1, 1, 3072, 20},          // a window of one folder: the visitor's folder is still read
        {8, 4, 4096, 12, 1},          // paths over 12 bytes walked one level at a time
        {1, 16, 1 << 16, 40, 5},
    };
    for (unsigned seed = 1; seed <= 6; ++seed) {
        TempTree tree(inMemory());
        std::mt19937 random(seed);
        grow(tree, random);
        FaultyFileSystem fs;
        const Transcript reference = walk(fs, tree.root(), Kind::Sequential);
        ASSERT_GT(reference.lines.size(), 50);
        for (const ReadAheadOptions& options : kinds) {
            const Transcript got = walk(fs, tree.root(), Kind::ReadAhead, options);
            ASSERT_EQ(got.lines, reference.lines) << "seed " << seed << ", " << options.threads << " threads";
        }
        EXPECT_EQ(fs.openHandles, 0);
    }
}

TEST(ReadAhead, MoreWorkersReadWhileReadsWaitForTheDiskAndTheFewestWhileTheyDoNot) {
    TempTree tree(inMemory());
    for (int i = 0; i < 150; ++i)
        tree.file("wide/" + QByteArray::number(i) + "/file", i);
    const ReadAheadOptions options{2, 2048, 8 << 20, 3072, 20, 8};
    FaultyFileSystem fs;
    const Transcript reference = walk(fs, tree.root(), Kind::Sequential);

    fs.mostListingsAtOnce = 0;
    EXPECT_EQ(walk(fs, tree.root(), Kind::ReadAhead, options).lines, reference.lines);
    EXPECT_LE(fs.mostListingsAtOnce, 2);

    // Once the reads have waited long enough for the walk to let every worker in, listings wait until
    // three are under way at once.
    fs.slowDisk = true;
    fs.mostListingsAtOnce = 0;
    fs.listingsToGather = 3;
    fs.gatherFrom = fs.listingsBegun + 40;
    Transcript got;
    int waits = 0;
    got.onWaiting = [&] {
        if (++waits == 2000) // never three at once: let them go, and fail below rather than hang
            fs.releaseListings();
    };
    ReadAheadOptions waiting = options;
    waiting.waitingCallMs = 1;
    readAheadScan(fs, fs.openFolder(tree.root()), tree.root(), true, got, waiting);
    EXPECT_EQ(got.lines, reference.lines);
    EXPECT_GT(fs.mostListingsAtOnce, 2);
    EXPECT_LE(fs.mostListingsAtOnce, 8);
    fs.listingsToGather = 0;

    // A rotating disk keeps its few requests, however much its reads wait.
    ReadAheadOptions rotating = options;
    rotating.threadsOnRotatingDisk = 1;
    fs.storage = FileSystem::Storage::RotatingDisk;
    fs.mostListingsAtOnce = 0;
    EXPECT_EQ(walk(fs, tree.root(), Kind::ReadAhead, rotating).lines, reference.lines);
    EXPECT_EQ(fs.mostListingsAtOnce, 1);
    EXPECT_EQ(fs.openHandles, 0);
}

TEST(ReadAhead, AShareIsReadWithManyRequestsInFlightFromTheFirstFolder) {
    TempTree tree(inMemory());
    for (int i = 0; i < 40; ++i)
        tree.file(QByteArray::number(i) + "/file", i);
    FaultyFileSystem fs;
    const Transcript reference = walk(fs, tree.root(), Kind::Sequential);
    // No read ever waits, so only the kind of storage can bring more workers than the fewest; each
    // listing is held until eight are under way at once.
    fs.storage = FileSystem::Storage::Network;
    fs.listingsToGather = 8;
    ReadAheadOptions options{2, 2048, 8 << 20, 3072, 1, 4};
    options.threadsOnNetwork = 8;
    Transcript got;
    int waits = 0;
    got.onWaiting = [&] {
        if (++waits == 2000) // never eight at once: let them go, and fail below rather than hang
            fs.releaseListings();
    };
    readAheadScan(fs, fs.openFolder(tree.root()), tree.root(), true, got, options);
    EXPECT_EQ(got.lines, reference.lines);
    EXPECT_EQ(fs.mostListingsAtOnce, 8);
    EXPECT_EQ(fs.openHandles, 0);
}

TEST(ReadAhead, FaultsOnTheWorkersGiveTheSameCallsAsInTheSequentialWalk) {
    TempTree tree;
    tree.file("a/1", 1);
    tree.file("a/2", 2);
    tree.file("closed/x", 3);
    tree.file("broken/one", 4);
    tree.file("broken/two", 5);
    tree.file("broken/three", 6);
    tree.file("broken/sub/y", 7);
    tree.file("sizes/before", 8);
    tree.file("sizes/unreadable", 9);
    tree.file("sizes/after", 10);
    tree.file("z/last", 11);
    FaultyFileSystem fs;
    fs.refuseToOpen = {"closed"};
    fs.listingBreaksAfter = {{"broken", 2}};
    fs.sizeFails = {"unreadable"};
    const Transcript reference = walk(fs, tree.root(), Kind::Sequential);
    ASSERT_TRUE(reference.lines.contains("skip " + tree.path("closed") + " (Permission denied)"));
    ASSERT_TRUE(reference.lines.contains("skip " + tree.path("sizes") + " (Input/output error)"));
    // One worker lists every folder in the buffer it keeps: a listing that broke off must leave
    // nothing in the next.
    for (int threads : {1, 2, 8})
        EXPECT_EQ(walk(fs, tree.root(), Kind::ReadAhead, {threads, 2048, 8 << 20, 3072, 20}).lines,
                  reference.lines);

    // A listed folder that breaks is passed on, after what it listed before.
    fs.listingBreaksAfter = {{tree.root().mid(tree.root().lastIndexOf('/') + 1).toStdString(), 1}};
    const Transcript rootBroken = walk(fs, tree.root(), Kind::Sequential);
    ASSERT_EQ(rootBroken.lines.last(), "failed (Input/output error)");
    EXPECT_EQ(walk(fs, tree.root(), Kind::ReadAhead).lines, rootBroken.lines);
    EXPECT_EQ(fs.openHandles, 0);
}

TEST(ReadAhead, AStopEndsBothWalksAtTheSameCallAndNoWorkerOutlivesTheWalk) {
    TempTree tree(inMemory());
    std::mt19937 random(42);
    grow(tree, random);
    FaultyFileSystem fs;
    for (int stopAt : {0, 1, 7, 30}) {
        const Transcript reference = walk(fs, tree.root(), Kind::Sequential, {}, stopAt);
        EXPECT_EQ(walk(fs, tree.root(), Kind::ReadAhead, {8, 2048, 8 << 20, 3072, 20}, stopAt).lines,
                  reference.lines);
        // The listed folder closes only once no worker is left: none was.
        EXPECT_EQ(fs.openHandles, 0);
    }
}

// Throws from the visitor, as a size condition that is no number or a closed window would.
class ThrowingTranscript : public Transcript {
public:
    void file(const QByteArray& folder, const char* name, quint64 bytes, FileId id,
              OtherPaths otherPaths) override {
        Transcript::file(folder, name, bytes, id, otherPaths);
        if (lines.size() > 40)
            throw std::runtime_error("the visitor gave up");
    }
};

TEST(ReadAhead, AVisitorThatThrowsEndsTheWalkAndNoWorkerOutlivesIt) {
    TempTree tree(inMemory());
    std::mt19937 random(7);
    grow(tree, random);
    FaultyFileSystem fs;
    ThrowingTranscript visitor;
    EXPECT_THROW(readAheadScan(fs, fs.openFolder(tree.root()), tree.root(), true, visitor),
                 std::runtime_error);
    EXPECT_EQ(fs.openHandles, 0); // every worker has closed what it opened: they are gone
}

TEST(ReadAhead, ATreeChangingDuringTheWalkEndsWithoutACrashOrAFileThatNeverExisted) {
    TempTree tree(inMemory());
    std::set<QByteArray> everCreated;
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 20; ++j)
            everCreated.insert(tree.file("f" + QByteArray::number(i) + "/g" + QByteArray::number(j), j));
    std::atomic<bool> done = false;
    std::vector<QByteArray> created;
    std::thread changer([&] {
        std::mt19937 random(3);
        for (int round = 0; !done && round < 20000; ++round) {
            const QByteArray folder = "f" + QByteArray::number(random() % 40);
            if (random() % 2) {
                ::rename(tree.path(folder).constData(), tree.path(folder + "-moved").constData());
                ::rename(tree.path(folder + "-moved").constData(), tree.path(folder).constData());
            } else {
                const QByteArray name = folder + "/new" + QByteArray::number(round);
                created.push_back(tree.path(name));
                ::close(::open(tree.path(name).constData(), O_WRONLY | O_CREAT, 0644));
                ::unlink(tree.path(folder + "/g" + QByteArray::number(random() % 20)).constData());
            }
        }
    });
    FaultyFileSystem fs;
    Transcript got;
    for (int i = 0; i < 5; ++i)
        got = walk(fs, tree.root(), Kind::ReadAhead, {4, 8, 1 << 14, 3072, 20});
    done = true;
    changer.join();
    everCreated.insert(created.begin(), created.end());
    for (const QByteArray& line : got.lines)
        if (line.startsWith("file ")) {
            const QByteArray path = line.mid(5, line.indexOf(' ', 5) - 5);
            EXPECT_TRUE(everCreated.count(path) || path.contains("-moved/")) << path.constData();
        }
    EXPECT_EQ(fs.openHandles, 0);
}

// Goes on waiting for a listing only while `goOn` says so.
class StoppableTranscript : public Transcript {
public:
    std::function<bool()> goOn;
    bool stillWaiting() override { return goOn(); }
};

TEST(ReadAhead, AReadLeftInACallIsTakenOverByTheNextWalkWhichCanStillStopWhileItWaits) {
    TempTree tree(inMemory());
    for (int i = 0; i < 6; ++i)
        tree.file("d" + QByteArray::number(i) + "/f", i);
    auto fs = std::make_shared<FaultyFileSystem>();
    const Transcript reference = walk(*fs, tree.root(), Kind::Sequential);
    fs->stallAt = "d3";
    auto scan = [&](std::function<bool()> goOn, int leaveBehindAfterMs) {
        StoppableTranscript visitor;
        visitor.goOn = std::move(goOn);
        ReadAheadOptions options{4, 2048, 8 << 20, 3072, 1};
        options.leaveBehindAfterMs = leaveBehindAfterMs;
        readAheadScan(*fs, fs->openFolder(tree.root()), tree.root(), true, visitor, options);
        return visitor.lines;
    };
    constexpr int kNever = 24 * 3600 * 1000;
    // The first walk stops while the listing of d3 does not return, and leaves it behind at once.
    scan([&] { return fs->stall->inside() == 0; }, 0);
    ASSERT_TRUE(anyCallLeftBehind());
    // The second takes that listing over, and stops while it waits for it: without waiting for the
    // listing to end (this test would hang), leaving it behind again.
    scan([] { return anyCallLeftBehind(); }, kNever);
    EXPECT_TRUE(anyCallLeftBehind());
    // The third takes it over too, and gets it once it returns.
    const QList<QByteArray> lines = scan(
        [&] {
            if (!anyCallLeftBehind())
                fs->stall->open();
            return true;
        },
        kNever);
    EXPECT_EQ(lines, reference.lines);
    EXPECT_EQ(fs->stall->passes(), 1);
    ASSERT_TRUE(WorkerThreads::waitUntilNoneRuns(std::chrono::minutes(1)));
    EXPECT_EQ(fs->openHandles, 0);
}

TEST(ReadAhead, TenThousandLevelsCompleteWithFewDescriptorsAndTheSequentialWalksCalls) {
    const DescriptorLimit limit(1024);
    ASSERT_TRUE(limit.valid());
    TempTree tree(inMemory());
    tree.chain(10000);
    tree.file("sibling/s", 9);

    FaultyFileSystem fs;
    const Transcript reference = walk(fs, tree.root(), Kind::Sequential);
    const Transcript got = walk(fs, tree.root(), Kind::ReadAhead);
    EXPECT_EQ(got.lines.size(), reference.lines.size());
    EXPECT_TRUE(got.lines == reference.lines);
    EXPECT_LE(fs.mostOpenHandles, 80);
    tree.removeChain();
}

} // namespace
} // namespace zorvik::test
