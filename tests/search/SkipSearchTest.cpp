// What a search leaves out (names, skipped rows, caches, other and kernel file systems, entries that
// are no files, files reached twice), through SearchRun with both walks, against GNU find.
#include "search/SearchRun.h"

#include "FakeHost.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "TempTree.h"

#include "folders/FolderList.h"
#include "platform/PosixFileSystem.h"
#include "results/ResultList.h"
#include "search/PrintSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

// The real file system, noting the name of every folder either walk opens below a listed one.
class OpenLog : public PosixFileSystem {
public:
    std::multiset<std::string> opened() const {
        const std::lock_guard lock(mutex_);
        return opened_;
    }

protected:
    Handle openSubFolderHandle(Handle parent, const char* name) override {
        note(name);
        return PosixFileSystem::openSubFolderHandle(parent, name);
    }
    Handle openBelowHandle(Handle root, const QByteArray& relativePath, Mounts mounts) override {
        note(relativePath.mid(relativePath.lastIndexOf('/') + 1).toStdString());
        return PosixFileSystem::openBelowHandle(root, relativePath, mounts);
    }

private:
    void note(const std::string& name) {
        const std::lock_guard lock(mutex_);
        opened_.insert(name);
    }
    mutable std::mutex mutex_;
    std::multiset<std::string> opened_;
};

// A file system mounted for the test, taken away again however it ends. Not valid() where mounting is
// refused (no root, or a container without the right).
class Mount {
public:
    Mount(const QByteArray& how, const QByteArray& at) : at_(at) {
        ::mkdir(at.constData(), 0755);
        mounted_ = std::system(QByteArray("mount " + how + " '" + at + "' 2>/dev/null").constData()) == 0;
    }
    ~Mount() {
        if (mounted_)
            std::system(QByteArray("umount -l '" + at_ + "'").constData());
    }
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;
    bool valid() const { return mounted_; }

private:
    QByteArray at_;
    bool mounted_ = false;
};

using Paths = std::set<QByteArray>;

class Skipping : public ::testing::Test {
protected:
    Skipping() {
        folders.addColumn(u"Folder(s)"_s);
        results.addColumn(u"Results"_s);
        results.addColumn(u"Size"_s);
        host.condition = {SizeMode::Between, SizeUnit::Bytes, std::nullopt, u"0"_s, u"999999"_s, QString()};
    }

    // The rows after one search with `threads` threads (one: the sequential walk).
    Paths search(int threads, const SkipRules& rules) {
        SearchRun run(host, folders, results, dialogs, &fs, QLocale(QLocale::English, QLocale::UnitedStates),
                      ReadAheadOptions{threads});
        run.setSkipRules(rules);
        lane.submit(
            recordedJob(host, u"PushButton1_Click"_s, failures, [&run](Job& job) { return run.run(job); }));
        runUntilIdle(lane);
        EXPECT_TRUE(failures.isEmpty()) << failures.join(u'\n').toStdString();
        Paths rows;
        for (int i = 1; i <= results.count(); ++i)
            rows.insert(results.pathBytes(i));
        EXPECT_EQ(rows.size(), std::size_t(results.count())) << "a file listed twice";
        return rows;
    }
    // Both walks on a fresh list give the same rows; these.
    Paths searchBoth(const SkipRules& rules) {
        Paths sequential = search(1, rules);
        results.clear();
        EXPECT_EQ(search(4, rules), sequential);
        EXPECT_EQ(dialogs.notices().size(), 2);
        if (dialogs.notices().size() == 2) {
            EXPECT_EQ(dialogs.notices()[0], dialogs.notices()[1]);
        }
        return sequential;
    }
    // How many lines `zorvik --print` writes for every file of `folder`.
    std::size_t printed(const QByteArray& folder, int threads) {
        struct Lines : PrintOutput {
            std::size_t count = 0;
            bool write(QByteArrayView) override { return ++count > 0; }
            void problem(QByteArrayView, const QString&) override {}
            bool progress(const PrintCounts&) override { return true; }
        } lines;
        PrintRequest request;
        request.condition = host.condition;
        request.folders = {folder};
        printSearch(fs, request, lines, ReadAheadOptions{threads});
        return lines.count;
    }
    // What `find FOLDER EXPRESSION -print0` prints; the expression is shell text, bytes and all.
    static Paths find(const QByteArray& folder, const QByteArray& expression) {
        FILE* pipe = ::popen(QByteArray("find '" + folder + "' " + expression + " -print0").constData(), "r");
        QByteArray out;
        char buffer[4096];
        for (std::size_t got = 0; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, qsizetype(got));
        ::pclose(pipe);
        Paths paths;
        for (const QByteArray& path : out.split('\0'))
            if (!path.isEmpty())
                paths.insert(path);
        return paths;
    }

    JobLane lane;
    FakeHost host;
    FolderList folders;
    ResultList results;
    ScriptedDialogs dialogs;
    OpenLog fs;
    TempTree tree;
    QStringList failures;
};

TEST_F(Skipping, NamesSkippedRowsAndSignedCachesAreLeftOutAsFindPrunesThemAndNeverOpened) {
    tree.file("keep/a.txt", 150);
    tree.file("keep/b.o", 150);
    tree.file("keep/deep/node_modules/x.js", 10);
    tree.file("node_modules/y.js", 10);
    tree.file("caf\xe9/z", 10);
    tree.file("keep/private/secret", 10);
    tree.file("cache/data", 10);
    tree.file("fakecache/data", 10);
    QFile signedTag(QFile::decodeName(tree.file("cache/CACHEDIR.TAG", 0)));
    ASSERT_TRUE(signedTag.open(QIODevice::WriteOnly));
    signedTag.write("Signature: 8a477f597d28d172789f06886806bc55\n# a cache\n");
    signedTag.close();
    QFile otherTag(QFile::decodeName(tree.file("fakecache/CACHEDIR.TAG", 0)));
    ASSERT_TRUE(otherTag.open(QIODevice::WriteOnly));
    otherTag.write("Signature: 0000000000000000000000000000000\n");
    otherTag.close();
    tree.link("a.txt", "keep/alias");
    ASSERT_EQ(::mkfifo(tree.path("keep/pipe").constData(), 0644), 0);
    static_cast<void>(
        ::mknod(tree.path("keep/null").constData(), S_IFCHR | 0644, makedev(1, 3))); // root only
    folders.addPath(tree.root());
    folders.addPath(tree.path("keep/private"));
    folders.setSkipped(2, true);
    SkipRules rules;
    rules.excludedNames = {"node_modules", "*.o", "caf\xe9*"};
    rules.excludeCaches = true;

    const Paths found = searchBoth(rules);
    EXPECT_EQ(found,
              find(tree.root(), "\\( -name node_modules -o -name '*.o' -o -name 'caf\xe9*' -o -path '" +
                                    tree.path("keep/private") + "' -o -path '" + tree.path("cache") +
                                    "' \\) -prune -o -type f"));
    EXPECT_EQ(found.size(), 3U); // a.txt, and the unsigned cache's data and tag
    EXPECT_EQ(dialogs.notices()[0], u"Done. 5 folders skipped"_s);
    const std::multiset<std::string> opened = fs.opened();
    for (const char* never : {"node_modules", "private", "caf\xe9"})
        EXPECT_EQ(opened.count(never), 0U) << never;
    EXPECT_EQ(opened.count("cache"), 2U); // once a walk, to read its tag

    // Only names: a file must match one; folders are walked whatever their names.
    results.clear();
    dialogs.shown.clear();
    SkipRules only;
    only.onlyNames = {"*.js", "[a-c]?txt", "s?cr*"};
    EXPECT_EQ(searchBoth(only),
              find(tree.root(),
                   "-path '" + tree.path("keep/private") +
                       "' -prune -o -type f \\( -name '*.js' -o -name '[a-c]?txt' -o -name 's?cr*' \\)"));
    EXPECT_EQ(dialogs.notices()[0], u"Done. 1 folder skipped"_s);
}

TEST_F(Skipping, AFileReachedTwiceIsListedOnceAlsoByALaterSearchIntoTheSameList) {
    tree.file("a", 1);
    tree.file("sub/b", 2);
    tree.file("sub/deeper/c", 3);
    const Paths all = find(tree.root(), "-type f");
    Mount bound("--bind '" + tree.path("sub") + "'", tree.path("bound"));
    folders.addPath(tree.root());
    folders.addPath(tree.path("sub"));
    folders.addPath(tree.root());
    // The bind mount is another path to the same files: whichever path comes first is kept.
    for (int threads : {1, 4}) {
        results.clear();
        EXPECT_EQ(search(threads, {}).size(), all.size());
        EXPECT_EQ(search(threads, {}).size(), all.size()); // the list accumulates, the files do not
    }
    if (bound.valid()) {
        EXPECT_EQ(find(tree.root(), "-type f").size(), all.size() * 2 - 1); // the bind mount was walked
    }
}

TEST_F(Skipping, OneListedFolderListsEachFileOnceThroughHardLinksAndBindMountsInIt) {
    // Each kind of second path in a listed folder of its own, six files each, both paths side by side:
    // the walk meets some files first by their own path, which it need remember only once it meets
    // the other.
    std::vector<std::unique_ptr<Mount>> mounts;
    for (int i = 0; i < 6; ++i) {
        const QByteArray n = QByteArray::number(i);
        tree.file("linked/f" + n, i);
        ASSERT_EQ(::link(tree.path("linked/f" + n).constData(), tree.path("linked/l" + n).constData()), 0);
        tree.file("folders/d" + n + "/f", i);
        mounts.push_back(std::make_unique<Mount>("--bind '" + tree.path("folders/d" + n) + "'",
                                                 tree.path("folders/m" + n)));
        tree.file("files/f" + n, i);
        tree.file("files/over" + n, 10); // hidden by f<n> mounted on it
        mounts.push_back(std::make_unique<Mount>("--bind '" + tree.path("files/f" + n) + "'",
                                                 tree.path("files/over" + n)));
    }
    const bool mounted =
        std::all_of(mounts.begin(), mounts.end(), [](const auto& mount) { return mount->valid(); });
    for (const char* kind : {"linked", "folders", "files"}) {
        if (folders.count() > 0)
            folders.remove(1);
        folders.addPath(tree.path(kind));
        std::set<std::pair<dev_t, ino_t>> files;
        for (const QByteArray& path : find(tree.path(kind), "-type f")) {
            struct stat status {};
            ASSERT_EQ(::stat(path.constData(), &status), 0);
            files.insert({status.st_dev, status.st_ino});
        }
        if (mounted || kind == std::string("linked")) {
            EXPECT_EQ(files.size(), 6u) << kind;
        }
        for (int threads : {1, 4}) {
            results.clear();
            EXPECT_EQ(search(threads, {}).size(), files.size()) << kind << ", " << threads << " threads";
            // The list accumulates, the files do not.
            EXPECT_EQ(search(threads, {}).size(), files.size()) << kind << ", " << threads << " threads";
            EXPECT_EQ(printed(tree.path(kind), threads), files.size())
                << kind << ", " << threads << " threads";
        }
    }
}

TEST_F(Skipping, RowsRemovedOrClearedWhileASearchRunsLeaveEachFileListedOnce) {
    for (int folder = 0; folder < 6; ++folder)
        for (int file = 0; file < 3; ++file)
            tree.file("d" + QByteArray::number(folder) + "/f" + QByteArray::number(file), 1);
    const Paths all = find(tree.root(), "-type f");
    // Listed twice: the second walk meets every file again, and lists again only what left the list.
    folders.addPath(tree.root());
    folders.addPath(tree.root());
    for (int threads : {1, 4}) {
        for (bool clearing : {false, true}) {
            results.clear();
            bool done = false;
            host.onYield = [&] {
                if (done || results.count() < 5)
                    return;
                done = true;
                clearing ? results.clear() : results.removePositions({2, 4});
            };
            EXPECT_EQ(search(threads, {}), all) << threads << " threads, clearing " << clearing;
            EXPECT_TRUE(done);
        }
    }
}

TEST_F(Skipping, AnotherFileSystemBelowIsEnteredUnlessTheSearchKeepsToOne) {
    tree.file("here", 1);
    Mount tmpfs("-t tmpfs none", tree.path("mnt"));
    if (!tmpfs.valid())
        GTEST_SKIP() << "mounting a tmpfs was refused here (needs root and the right to mount)";
    tree.file("mnt/there", 2);
    folders.addPath(tree.root());
    EXPECT_EQ(searchBoth({}), find(tree.root(), "-type f"));
    EXPECT_EQ(dialogs.notices()[0], u"Done."_s);
    results.clear();
    dialogs.shown.clear();
    SkipRules oneFileSystem;
    oneFileSystem.oneFileSystem = true;
    const Paths kept = searchBoth(oneFileSystem);
    EXPECT_EQ(kept, find(tree.root(), "-xdev -type f"));
    EXPECT_EQ(kept, Paths{tree.path("here")});
    EXPECT_EQ(dialogs.notices()[0], u"Done. 1 folder skipped"_s);
}

TEST_F(Skipping, AKernelFileSystemBelowIsNotEnteredButIsSearchedWhenListedItself) {
    tree.file("here", 1);
    Mount sysfs("-t sysfs none", tree.path("sys"));
    if (!sysfs.valid())
        GTEST_SKIP() << "mounting sysfs was refused here (needs root and the right to mount)";
    folders.addPath(tree.root());
    EXPECT_EQ(searchBoth({}), Paths{tree.path("here")});
    EXPECT_EQ(dialogs.notices()[0], u"Done. 1 folder skipped"_s);

    const QByteArray listed = tree.path("sys/kernel/mm");
    if (!QFile::exists(QFile::decodeName(listed)))
        GTEST_SKIP() << "this kernel's sysfs has no kernel/mm to list";
    results.clear();
    dialogs.shown.clear();
    folders.remove(1);
    folders.addPath(listed);
    const Paths inside = searchBoth({});
    EXPECT_FALSE(inside.empty());
    EXPECT_EQ(inside, find(listed, "-type f"));
}

// The read-ahead walk knows a folder opened without crossing a mount to be on its listed folder's file
// system, and asks no device for it: a kernel's file system deep below, or below another mount, is still
// found where it begins.
TEST_F(Skipping, AKernelFileSystemDeepDownOrBelowAnotherMountIsNotEntered) {
    tree.file("deep/er/here", 1);
    Mount deepSysfs("-t sysfs none", tree.path("deep/er/sys"));
    Mount tmpfs("-t tmpfs none", tree.path("mnt"));
    if (!deepSysfs.valid() || !tmpfs.valid())
        GTEST_SKIP() << "mounting sysfs or a tmpfs was refused here (needs root and the right to mount)";
    tree.file("mnt/in/there", 2);
    Mount innerSysfs("-t sysfs none", tree.path("mnt/in/sys"));
    ASSERT_TRUE(innerSysfs.valid());
    folders.addPath(tree.root());
    EXPECT_EQ(searchBoth({}), (Paths{tree.path("deep/er/here"), tree.path("mnt/in/there")}));
    EXPECT_EQ(dialogs.notices()[0], u"Done. 2 folders skipped"_s);
}

} // namespace
} // namespace zorvik::test
