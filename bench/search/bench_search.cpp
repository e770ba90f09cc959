// Times a search through the real window against GNU find asking the same question of the same tree,
// in the same run, and prints the ratio, the peak memory and the longest stretch without a yield.
//
//   zorvik_bench_search TREE [--case between|all] [--runs N] [--threads N] [--cold] [--prepare CMD]
//                      [--label TEXT] [--search-only]
//
// --threads: the search's read-ahead threads (1: the sequential walk); the program's choice otherwise.
// --cold: before every timed run of every contender the page, folder and inode caches are emptied
// (sync, then 3 into /proc/sys/vm/drop_caches), as on a disk the system has not read lately. Needs
// root; without it the case is skipped and says why.
// --prepare: a shell command run before every timed run of every contender, after the caches were
// emptied (the network-share cases remount the share with it, which empties sshfs's own caches).
// --label: what the tree is, for the first line of the report ("share, 2 ms round trip").
// --search-only: times the search alone, without find and the floors (for a profiler's run, or the
// longest interval between yields of a cold search without waiting for the others).
// Cold, the caches are emptied and then the program's own files read back in (see rereadOwnFiles).
//
// between: Between 101 and 200 Bytes   vs  find TREE -type f -size +100c -size -201c
// all:     Less Than 99999999999999 Bytes (every file)  vs  find TREE ! -type d -size -99999999999999c
// It also times the bare system calls of such a walk (no window, no rows): those of a
// single thread, and the floor: the same calls on two threads (warm) or on many (cold).
#include "AllocationCount.h"
#include "BenchHome.h"
#include "BenchWindow.h"
#include "TimedCommand.h"
#include "folders/FolderList.h"
#include "platform/Dialogs.h"
#include "platform/PosixFileSystem.h"
#include "results/ResultList.h"
#include "shell/Form1.h"
#include "shell/HoverButton.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

// Answers every box at once, as a user who only clicks OK.
class OkDialogs : public Dialogs {
public:
    QStringList notices;
    void notice(const QString&, const QString& text) override { notices << text; }
    void errorReport(const QString& text) override { notices << text; }
    bool askYesNo(const QString&, const QString&) override { return false; }
    QString inputText(const QString&, const QString&) override { return {}; }
    QString browseForFolder(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

double secondsOfFind(const std::vector<QByteArray>& arguments) {
    const double seconds = bench::secondsOfCommand(arguments);
    if (seconds < 0) {
        std::fprintf(stderr, "find failed\n");
        std::exit(1);
    }
    return seconds;
}

// Calls `onEntry(name, type)` for every entry of the open folder but "." and "..", in getdents64's order.
template <typename OnEntry> void forEachEntry(int folder, std::vector<char>& buffer, const OnEntry& onEntry) {
    for (ssize_t got; (got = ::getdents64(folder, buffer.data(), buffer.size())) > 0;) {
        for (ssize_t offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + offset);
            offset += entry->d_reclen;
            const char* name = entry->d_name;
            if (!(name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))))
                onEntry(name, entry->d_type);
        }
    }
}

// The floor for any single-threaded search: only the system calls, with nothing around them (open each
// folder, list it with getdents64, fstatat every entry that is not a folder). Counts matches of the
// first case so that the compiler keeps the work, and the entries it saw in `entries`.
long bareWalk(int folder, long& entries) {
    static std::vector<char> buffer(std::size_t(64) << 10);
    std::vector<std::string> subFolders;
    long matches = 0;
    forEachEntry(folder, buffer, [&](const char* name, unsigned char type) {
        ++entries;
        struct stat status {};
        if (type == DT_DIR) {
            subFolders.emplace_back(name);
            return;
        }
        // A file system that does not say what an entry is (DT_UNKNOWN) is asked, as the search asks.
        if (::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            return;
        if (S_ISDIR(status.st_mode))
            subFolders.emplace_back(name);
        else
            matches += status.st_size > 100 && status.st_size < 201;
    });
    for (const std::string& name : subFolders) {
        const int child = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child >= 0) {
            matches += bareWalk(child, entries);
            ::close(child);
        }
    }
    return matches;
}

// Seconds of the bare walk, or -1 when it saw nothing of a tree that the search found rows in.
double secondsOfBareWalk(const QByteArray& tree) {
    QElapsedTimer clock;
    clock.start();
    long entries = 0;
    const int root = ::open(tree.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root >= 0) {
        bareWalk(root, entries);
        ::close(root);
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    return entries > 0 ? seconds : -1;
}

// The same system calls spread over `threads` threads, each listing a folder at a time from a shared
// stack of folders, with nothing else around them: how fast this machine can read the tree at all.
double secondsOfParallelBareWalk(const QByteArray& tree, int threads) {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> folders{tree.toStdString()};
    int busy = 0;
    auto work = [&] {
        std::vector<char> buffer(std::size_t(64) << 10);
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return !folders.empty() || busy == 0; });
            if (folders.empty())
                return;
            const std::string path = std::move(folders.back());
            folders.pop_back();
            ++busy;
            lock.unlock();
            std::vector<std::string> found;
            const int folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (folder >= 0) {
                forEachEntry(folder, buffer, [&](const char* name, unsigned char type) {
                    struct stat status {};
                    if (type == DT_DIR)
                        found.push_back(path + '/' + name);
                    else
                        ::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW);
                });
                ::close(folder);
            }
            lock.lock();
            folders.insert(folders.end(), found.begin(), found.end());
            --busy;
            changed.notify_all();
        }
    };
    QElapsedTimer clock;
    clock.start();
    std::vector<std::thread> workers;
    workers.reserve(std::size_t(threads));
    for (int i = 0; i < threads; ++i)
        workers.emplace_back(work);
    for (std::thread& worker : workers)
        worker.join();
    return double(clock.nsecsElapsed()) / 1e9;
}

// Empties the system's caches; false (and why, in `why`) where this process may not.
bool dropCaches(QString* why = nullptr) {
    ::sync();
    const int fd = ::open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
    if (fd < 0 || ::write(fd, "3", 1) != 1) {
        if (why)
            *why = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

// Reads back the files this process has mapped (its program and libraries), which emptying the caches
// threw out too: a program the user just started has them in memory, and without this the window's
// thread would wait for its own code behind the search's reads, which says nothing about the search.
void rereadOwnFiles() {
    QFile maps(u"/proc/self/maps"_s);
    if (!maps.open(QIODevice::ReadOnly))
        return;
    std::set<QByteArray> files;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf(" /");
        if (slash >= 0)
            files.insert(line.mid(slash + 1).trimmed());
    }
    std::vector<char> buffer(std::size_t(1) << 20);
    for (const QByteArray& file : files) {
        const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) { // never /dev/zero
            while (::read(fd, buffer.data(), buffer.size()) > 0) {
            }
        }
        ::close(fd);
    }
}

// Cold, the disk serves many requests in flight far better than a few.
constexpr int kParallelFloorThreads = 32;
// Warm, nothing waits for the disk: more threads than cores only share the cores.
constexpr int kWarmFloorThreads = 2;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// What one search did, in counts that do not depend on the machine's load.
struct SearchCounts {
    double allocations = 0;    // malloc, calloc and realloc calls of every thread
    double switches = 0;       // context switches of every thread
    double interfaceWakes = 0; // times the user-interface thread slept and was woken
    double announcements = 0;  // rowsInserted signals of the result list
};

// The medians of the searches' counts, per 1,000 rows.
void printCounts(const std::vector<SearchCounts>& counts, int rows) {
    auto perThousandRows = [&](double SearchCounts::*count) {
        std::vector<double> values;
        values.reserve(counts.size());
        for (const SearchCounts& one : counts)
            values.push_back(one.*count);
        return median(values) * 1000.0 / std::max(1, rows);
    };
    std::printf("  per 1,000 rows: %.1f allocations, %.1f context switches, %.2f wakes of the interface "
                "thread, %.3f announcements\n",
                perThousandRows(&SearchCounts::allocations), perThousandRows(&SearchCounts::switches),
                perThousandRows(&SearchCounts::interfaceWakes),
                perThousandRows(&SearchCounts::announcements));
}

} // namespace

int main(int argc, char** argv) {
    bench::BenchHome home;
    QApplication app(argc, argv);

    QByteArray tree;
    QString mode = u"between"_s;
    int runs = 3;
    int threads = 0;
    bool cold = false;
    bool probeYields = true;
    bool searchOnly = false;
    QByteArray prepareCommand;
    QString label;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == u"--case"_s && i + 1 < args.size())
            mode = args[++i];
        else if (args[i] == u"--no-probe"_s)
            probeYields = false;
        else if (args[i] == u"--runs"_s && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == u"--threads"_s && i + 1 < args.size())
            threads = std::max(1, args[++i].toInt());
        else if (args[i] == u"--search-only"_s)
            searchOnly = true;
        else if (args[i] == u"--cold"_s)
            cold = true;
        else if (args[i] == u"--prepare"_s && i + 1 < args.size())
            prepareCommand = args[++i].toLocal8Bit();
        else if (args[i] == u"--label"_s && i + 1 < args.size())
            label = args[++i];
        else
            tree = QFile::encodeName(args[i]);
    }
    if (tree.isEmpty() || (mode != u"between"_s && mode != u"all"_s)) {
        std::fprintf(stderr, "usage: zorvik_bench_search TREE [--case between|all] [--runs N]\n");
        return 2;
    }

    QString why;
    if (cold && (::geteuid() != 0 || !dropCaches(&why))) {
        std::printf("case %s, cold cache: skipped, the caches cannot be emptied here (%s)\n",
                    qPrintable(mode), ::geteuid() != 0 ? "not root" : qPrintable(why));
        return 0;
    }
    auto dialogs = std::make_shared<OkDialogs>();
    std::unique_ptr<Form1> window = bench::startWindow(dialogs, home.path(), threads);
    Form1& form = *window;
    form.folders->add(QFile::decodeName(tree));

    std::vector<QByteArray> find{"find", tree};
    if (mode == u"between"_s) {
        form.Option[0]->click();
        form.Combo[0]->setCurrentText(u"Bytes"_s);
        form.Text[0]->setText(u"101"_s);
        form.Text[1]->setText(u"200"_s);
        find.insert(find.end(), {"-type", "f", "-size", "+100c", "-size", "-201c"});
    } else {
        form.Option[2]->click();
        form.Combo[3]->setCurrentText(u"Bytes"_s);
        form.Text[3]->setText(u"99999999999999"_s);
        find.insert(find.end(), {"!", "-type", "d", "-size", "-99999999999999c"});
    }

    bench::EventGapProbe probe;

    std::vector<double> userSeconds, systemSeconds;
    std::vector<SearchCounts> counts;
    int announcements = 0;
    QObject::connect(form.results, &QAbstractItemModel::rowsInserted, &app, [&] { ++announcements; });
    auto cpuSeconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    auto search = [&](bool probed) {
        form.results->clear();
        QCoreApplication::processEvents();
        dialogs->notices.clear();
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        rusage interfaceBefore{};
        getrusage(RUSAGE_THREAD, &interfaceBefore);
        const std::uint64_t allocationsBefore = bench::allocations();
        announcements = 0;
        QElapsedTimer clock;
        clock.start();
        if (probed)
            probe.start();
        bench::clickAndFinish(form, form.PushButton1);
        probe.stop();
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        rusage interfaceAfter{};
        getrusage(RUSAGE_THREAD, &interfaceAfter);
        counts.push_back({double(bench::allocations() - allocationsBefore),
                          double(after.ru_nvcsw + after.ru_nivcsw - before.ru_nvcsw - before.ru_nivcsw),
                          double(interfaceAfter.ru_nvcsw - interfaceBefore.ru_nvcsw), double(announcements)});
        userSeconds.push_back(cpuSeconds(after.ru_utime) - cpuSeconds(before.ru_utime));
        systemSeconds.push_back(cpuSeconds(after.ru_stime) - cpuSeconds(before.ru_stime));
        if (dialogs->notices != QStringList{u"Done."_s})
            std::fprintf(stderr, "unexpected messages: %s\n", qPrintable(dialogs->notices.join(u" | "_s)));
        return seconds;
    };

    // The first search warms the cache and, with the probe on, measures the gaps between yields; the
    // timed ones run without it, since the probe's own events would be counted as the search's.
    // Cold, every contender starts from empty caches; warm, from the caches the one before left.
    auto prepare = [&] {
        if (cold) {
            dropCaches();
            rereadOwnFiles();
        }
        if (!prepareCommand.isEmpty() && bench::secondsOfCommand({"sh", "-c", prepareCommand}) < 0) {
            std::fprintf(stderr, "the command before each run failed: %s\n", prepareCommand.constData());
            std::exit(1);
        }
    };
    if (!cold)
        secondsOfFind(find);
    prepare();
    search(probeYields);
    // The floor the search is held to: warm, the bare calls on as many threads as the machine has cores
    // (two here); cold, on as many as keep the disk's queue full.
    const int floorThreads = cold ? kParallelFloorThreads : kWarmFloorThreads;
    std::vector<double> ours, theirs, floor, parallelFloor;
    if (searchOnly) {
        counts.clear();
        userSeconds.clear();
        systemSeconds.clear();
        for (int run = 0; run < runs; ++run) {
            prepare();
            ours.push_back(search(false));
        }
        std::printf("case %s, search only, %s cache: %d rows, %.3f s (median of %d; CPU in user mode %.3f s, "
                    "in the kernel %.3f s)\n",
                    qPrintable(mode), cold ? "cold" : "warm", form.results->count(), median(ours), runs,
                    median(userSeconds), median(systemSeconds));
        printCounts(counts, form.results->count());
        if (probeYields)
            std::printf("  longest interval between yields %.1f ms\n", probe.longestMs());
        return 0;
    }
    for (int run = 0; run < runs; ++run) {
        prepare();
        theirs.push_back(secondsOfFind(find));
        prepare();
        floor.push_back(secondsOfBareWalk(tree));
        prepare();
        parallelFloor.push_back(secondsOfParallelBareWalk(tree, floorThreads));
        prepare();
        ours.push_back(search(false));
    }
    const int rows = form.results->count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double ourTime = median(ours);
    const double findTime = median(theirs);
    const ReadAheadOptions& readAhead = window->services().readAhead;
    QString walk;
    PosixFileSystem probeStorage;
    const FileSystem::Folder root = probeStorage.openFolder(tree);
    if (readAhead.threads == 1)
        walk = u"the sequential walk"_s;
    else if (probeStorage.storageOf(root.handle()) == FileSystem::Storage::Network)
        walk = u"%1 read-ahead threads from the start (a network share)"_s.arg(readAhead.threadsOnNetwork);
    else if (probeStorage.storageOf(root.handle()) == FileSystem::Storage::RotatingDisk)
        walk = u"%1 read-ahead threads (a disk that turns)"_s.arg(readAhead.threadsOnRotatingDisk);
    else if (readAhead.threadsWhileWaiting <= readAhead.threads)
        walk = u"%1 read-ahead threads"_s.arg(readAhead.threads);
    else
        walk = u"%1 read-ahead threads, up to %2 while reads wait for the disk"_s.arg(readAhead.threads)
                   .arg(readAhead.threadsWhileWaiting);
    std::printf("case %s%s%s, %s cache: %d rows, %s\n", qPrintable(mode), label.isEmpty() ? "" : ", ",
                qPrintable(label), cold ? "cold" : "warm", rows, qPrintable(walk));
    std::printf("  zorvik  %.3f s (median of %d; CPU in user mode %.3f s, in the kernel %.3f s)\n", ourTime,
                runs, median(userSeconds), median(systemSeconds));
    std::printf("  find    %.3f s (median of %d)\n", findTime, runs);
    std::printf("  ratio   %.2f x find (fastest runs: %.3f s / %.3f s = %.2f)\n", ourTime / findTime,
                *std::min_element(ours.begin(), ours.end()), *std::min_element(theirs.begin(), theirs.end()),
                *std::min_element(ours.begin(), ours.end()) /
                    *std::min_element(theirs.begin(), theirs.end()));
    if (*std::min_element(floor.begin(), floor.end()) < 0)
        std::printf("  for scale: the bare system calls saw no entry of the tree: skipped\n");
    else
        std::printf("  for scale: the bare system calls alone %.3f s (median) = %.2f x find\n", median(floor),
                    median(floor) / findTime);
    std::printf("  floor: the same calls on %d threads, nothing else %.3f s (median) = %.2f x find\n",
                floorThreads, median(parallelFloor), median(parallelFloor) / findTime);
    std::printf("  ratio   %.2f x the floor (a single thread's bare calls: %.2f x the floor)\n",
                ourTime / median(parallelFloor), median(floor) / median(parallelFloor));
    std::printf("  peak RSS %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    counts.erase(counts.begin()); // the probed search's, with the probe's own events
    printCounts(counts, rows);
    if (probeYields)
        std::printf("  longest interval between yields %.1f ms\n", probe.longestMs());
    return 0;
}
