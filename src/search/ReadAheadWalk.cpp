// Threads and ownership:
// - The visitor's thread (the user-interface thread in the program) owns the Consumer: the walk's
//   order, the visitor and the stack of folders being walked. It makes no call of the file system.
// - The workers share the ReadAhead with it through a shared_ptr: the tree of folders read so far, the
//   listed folder's descriptor and a share of the file system. Everything in it is guarded by its
//   mutex, except what a worker reads outside the lock: the node it took (no one else touches it until
//   it is Ready) and the names of that node's ancestors (never changed once made).
// - When the walk ends the Consumer tells the workers to stop and lets its share go. Workers that are
//   still inside a system call are left behind, holding their share: the tree and the descriptor stay
//   until the last of them has returned. Each read they are still making is left behind under a key
//   (see core/BlockingCall.h, whose registry every walk of the process shares): a later walk that
//   needs the same folder takes the read over and waits for it, woken when it finishes or when its
//   own walk ends; a read nobody took over is dropped on its worker.
// - Workers run on the program's pool (WorkerThreads), which counts them while they run.
#include "search/ReadAheadWalk.h"

#include "core/BlockingCall.h"
#include "core/PathParts.h"
#include "search/FolderListing.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace zorvik {

namespace {

// What one read of a folder gives: why it could not be opened, or its listing (and the folder, still
// open, for the walk to keep when its sub-folders' paths are long).
struct FolderRead {
    std::optional<QString> openFailure;
    FolderListing listing;
    FileSystem::Folder folder;
};

// A read of a folder that an ended walk left inside a system call, as the walk that takes it over gets
// it: nothing when its worker gave it up (it was itself waiting for an older read of the folder). A
// later walk of the same listed folder that needs the same folder waits for this read instead of
// starting another one that would hang just the same.
using LeftRead = std::optional<FolderRead>;

// Folders kept open at once because their sub-folders' paths are too long to open from the root in
// one call; beyond them such sub-folders are opened from the root piece by piece.
constexpr int kMostKeptOpen = 32;

// A folder of the tree as far as the workers have read it.
struct Node {
    enum class State {
        Pending, // waiting for a worker
        Reading, // a worker reads it
        Ready,   // its listing (or why it could not be opened) is there
    };
    Node* parent = nullptr;
    std::uint32_t index = 0; // among its parent's sub-folders
    std::uint32_t depth = 0;
    qsizetype relativeLength = 0; // of its path below the walk's root
    QByteArray name;              // empty for the root
    State state = State::Pending;
    bool counted = false; // taken into the read-ahead window
    std::optional<QString> openFailure;
    FolderListing listing;
    std::vector<std::unique_ptr<Node>> children; // its sub-folders, in listing order, once Ready
    CallOutcome<LeftRead> handOver;              // set when its walk ended while it was being read
    std::atomic<bool> leftBehind = false;        // the same, for its worker to read without the lock
    // Kept open while sub-folders whose paths are too long for one call are still to be opened from it.
    FileSystem::Folder kept;
    std::size_t childrenToOpen = 0;
};

// The names from the root's child down to `node`.
std::vector<const QByteArray*> namesBelowRoot(const Node& node) {
    std::vector<const QByteArray*> names(node.depth);
    for (const Node* at = &node; at->parent; at = at->parent)
        names[at->depth - 1] = &at->name;
    return names;
}

QByteArray joined(const std::vector<const QByteArray*>& names, std::size_t from, std::size_t to) {
    QByteArray path;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from)
            path += '/';
        path += *names[i];
    }
    return path;
}

// Walk order (depth first, pre-order): an ancestor before its descendants, and between two branches
// the order of their sub-folders.
struct WalkOrder {
    bool operator()(const Node* a, const Node* b) const {
        const Node* x = a;
        const Node* y = b;
        while (x->depth > y->depth)
            x = x->parent;
        while (y->depth > x->depth)
            y = y->parent;
        if (x == y) // one is the other's ancestor (or itself)
            return a->depth < b->depth;
        while (x->parent != y->parent) {
            x = x->parent;
            y = y->parent;
        }
        return x->index < y->index;
    }
};

// The workers and what they have read, shared with the visitor's thread under one lock.
class ReadAhead : public std::enable_shared_from_this<ReadAhead> {
public:
    ReadAhead(FileSystem& fileSystem, FileSystem::Folder root, FileId rootId, bool includeSubFolders,
              const ReadAheadOptions& options)
        : fileSystemShare_(sharedFileSystem(fileSystem)), fs_(fileSystem), root_(std::move(root)),
          rootHandle_(root_.handle()), includeSubFolders_(includeSubFolders), options_(options),
          fewest_(std::max(1, options.threads)), most_(std::max(fewest_, options.threadsWhileWaiting)),
          active_(fewest_), rootId_(rootId) {
        tree_ = std::make_unique<Node>();
        pending_.insert(tree_.get());
    }

    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Starts the first workers; throws when the system starts not even one.
    void start() {
        const std::lock_guard lock(mutex_);
        startWorkers(fewest_);
        if (started_ == 0) // nothing would ever be read
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        active_ = std::min(active_, started_);
    }

    // The walk is over: the workers stop. Those that have not ended within leaveBehindAfterMs are
    // inside a call that does not return; they are left behind, and what they read is offered to the
    // next walk that needs it.
    void finish() {
        std::unique_lock lock(mutex_);
        stopping_ = true;
        workAvailable_.notify_all();
        spare_.notify_all();
        for (BlockingCall<LeftRead>* older : waitingOnLeft_)
            older->wakeWaiter();
        workerEnded_.wait_for(lock, std::chrono::milliseconds(options_.leaveBehindAfterMs),
                              [this] { return alive_ == 0; });
        if (alive_ == 0) {
            // No worker uses them any more: the descriptors close here, not on whichever thread lets
            // the walk go last.
            pending_.clear();
            tree_.reset();
            lock.unlock();
            root_.reset();
            return;
        }
        if (!rootId_.isKnown())
            return;
        for (Node* node : inCall_) {
            // Nothing when the key is taken: its worker waits for an older read of the same folder,
            // itself left behind again.
            node->handOver = BlockingCall<LeftRead>::leaveBehind(keyOf(*node));
            // A later walk may wait for this read: it is finished, not abandoned.
            node->leftBehind = bool(node->handOver);
        }
    }

    Node& root() { return *tree_; }

    // Waits until the node is Ready, at most options.waitingCallMs; false when it is not there yet.
    bool await(Node& node) {
        std::unique_lock lock(mutex_);
        auto there = [&] { return node.state == Node::State::Ready; };
        if (there())
            return true;
        awaited_ = &node; // read even when the window is full
        // It is next in walk order, so the first worker that is free takes it.
        workAvailable_.notify_one();
        const bool ready =
            listingReady_.wait_for(lock, std::chrono::milliseconds(options_.waitingCallMs), there);
        awaited_ = nullptr;
        return ready;
    }

    // The visitor is done with the node's listing: its memory and its place in the window go.
    void release(Node& node) {
        bool roomMade = false;
        {
            const std::lock_guard lock(mutex_);
            const bool full = !hasRoom();
            if (node.counted) {
                --ahead_;
                aheadBytes_ -= node.listing.memoryUse();
                node.counted = false;
            }
            node.listing = FolderListing();
            // A worker that sleeps while the window has room sleeps for want of folders: waking it
            // would only send it back to sleep, two system calls and two switches for every folder.
            roomMade = full && hasRoom() && !pending_.empty();
        }
        if (roomMade)
            workAvailable_.notify_one();
    }

    // The visitor has left the folder and everything below it.
    void forget(Node& node) {
        const std::lock_guard lock(mutex_);
        node.children.clear();
    }

private:
    bool hasRoom() const { return ahead_ < options_.folders && aheadBytes_ < options_.bytes; }

    bool canTake() const {
        if (pending_.empty())
            return false;
        return hasRoom() || *pending_.begin() == awaited_;
    }

    // Worker `index`: reads folders until the walk ends, then counts itself out.
    void run(int index) {
        work(index);
        const std::lock_guard lock(mutex_);
        --alive_;
        workerEnded_.notify_all();
    }

    // Worker `index` reads only while fewer than index + 1 are let in; otherwise it sleeps apart, so
    // that the wakes for new work reach only workers that may take it.
    void work(int index) {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (index >= active_) {
                spare_.wait(lock, [&] { return stopping_ || index < active_; });
                if (stopping_)
                    return;
                continue;
            }
            workAvailable_.wait(lock, [&] { return stopping_ || index >= active_ || canTake(); });
            if (stopping_)
                return;
            if (index >= active_) {
                workAvailable_.notify_one(); // the wake may have been meant for a worker still let in
                continue;
            }
            Node* node = *pending_.begin();
            pending_.erase(pending_.begin());
            node->state = Node::State::Reading;
            node->counted = true;
            ++ahead_;
            ++reading_;
            inCall_.insert(node);
            lock.unlock();
            const std::uint64_t waitsBefore = fs_.waitsOfThisThread();
            if (!node->parent)
                learnRoot();
            std::optional<FolderRead> got = readOrWait(*node);
            const bool waited = fs_.waitsOfThisThread() != waitsBefore;
            lock.lock();
            --reading_;
            inCall_.erase(node);
            if (Node* parent = node->parent;
                parent && parent->childrenToOpen > 0 && --parent->childrenToOpen == 0) {
                parent->kept.reset();
                --keptOpen_;
            }
            if (node->handOver) {
                // The walk has ended (the loop's next look sees it): the read goes to the walk that took
                // it over, or here, unseen.
                [[maybe_unused]] const std::optional<LeftRead> unclaimed =
                    node->handOver.finish(LeftRead(std::move(got)));
                continue;
            }
            if (!got) // the walk ended while this worker waited for an older read
                continue;
            store(*node, std::move(*got));
            adapt(waited);
        }
    }

    // What kind of storage the listed folder is on, and its identity when the caller did not know it;
    // one worker asks before it lists the root.
    void learnRoot() {
        FileSystem::Storage storage = FileSystem::Storage::Local;
        FileId id;
        try {
            storage = fs_.storageOf(rootHandle_);
            id = rootId_.isKnown() ? rootId_ : fs_.identify(rootHandle_);
        } catch (const FileSystemFailure&) {
            // Without them the walk still works: it adapts as it reads and keys no read to wait for.
        }
        const std::lock_guard lock(mutex_);
        rootId_ = id;
        if (storage == FileSystem::Storage::Network) {
            fewest_ = most_ = std::max(1, options_.threadsOnNetwork);
            startWorkers(most_);
            active_ = std::min(most_, started_);
            spare_.notify_all();
        } else if (storage == FileSystem::Storage::RotatingDisk) {
            fewest_ = most_ = std::clamp(options_.threadsOnRotatingDisk, 1, fewest_);
            active_ = std::min(active_, fewest_);
        }
    }

    // Follows the share of recent reads that waited: past half, the disk is being read and every
    // worker is let in; under a quarter, reads come from memory and the fewest compete for the cores.
    // (Among reads served from memory a few in a hundred wait too, for a lock or a page.)
    void adapt(bool waited) {
        constexpr double kWeightOfOneRead = 1.0 / 32;
        waitedShare_ += ((waited ? 1.0 : 0.0) - waitedShare_) * kWeightOfOneRead;
        const int before = active_;
        if (waitedShare_ > 0.5) {
            startWorkers(most_); // the first time only: the extra workers then stay until the walk ends
            active_ = std::min(most_, started_);
        } else if (waitedShare_ < 0.25) {
            active_ = std::min(fewest_, started_);
        }
        if (active_ > before)
            spare_.notify_all();
    }

    // Starts workers until there are `count`, with the lock held; where the system will not start more
    // threads, the walk goes on with those it has.
    void startWorkers(int count) {
        if (stopping_)
            return;
        try {
            for (; started_ < count; ++started_) {
                WorkerThreads::start([self = shared_from_this(), index = started_] { self->run(index); });
                ++alive_;
            }
        } catch (const std::system_error&) {
        }
    }

    // The folder's key among the reads left behind: the listed folder's identity and the path below it.
    std::string keyOf(const Node& node) const {
        std::string key = std::to_string(rootId_.device) + ':' + std::to_string(rootId_.inode) + '/';
        const QByteArray relative = joined(namesBelowRoot(node), 0, node.depth);
        key.append(relative.constData(), std::size_t(relative.size()));
        return key;
    }

    // Reads the folder, or, when an ended walk left a read of the same folder inside a call, waits for
    // that one. No value when this walk ended meanwhile.
    std::optional<FolderRead> readOrWait(Node& node) {
        std::optional<BlockingCall<LeftRead>> older = olderRead(node);
        if (older) {
            {
                // Should the walk end before, the wait below ends at once.
                const std::lock_guard lock(mutex_);
                waitingOnLeft_.insert(&*older);
            }
            const bool finished = older->waitWhile([this] { return !stopping_; });
            {
                const std::lock_guard lock(mutex_);
                waitingOnLeft_.erase(&*older);
            }
            if (!finished)
                return std::nullopt; // left behind again, for a later walk
            if (LeftRead got = older->take())
                return got;
            // Its worker gave it up: this one reads the folder afresh.
        }
        return readNow(node);
    }

    // The read of the node's folder that an ended walk left behind, taken over, if one still runs.
    std::optional<BlockingCall<LeftRead>> olderRead(const Node& node) {
        const std::lock_guard lock(mutex_);
        if (!rootId_.isKnown() || !anyCallLeftBehind()) // mostly: no key to make
            return std::nullopt;
        return BlockingCall<LeftRead>::takeOver(keyOf(node));
    }

    // Opens and lists one folder outside the lock.
    FolderRead readNow(const Node& node) {
        // Once the walk has ended the listing is abandoned between two entries, unless it was left
        // behind: the share answers again, and a later walk may be waiting for this very listing.
        const auto keepGoing = [this, &node] {
            return !stopping_.load(std::memory_order_relaxed) ||
                   node.leftBehind.load(std::memory_order_relaxed);
        };
        FolderRead read;
        FileSystem::Folder opened;
        if (node.parent) {
            try {
                opened = open(node);
            } catch (const FileSystemFailure& failure) {
                read.openFailure = failure.description();
                return read;
            }
        }
        read.listing = readFolderListing(fs_, node.parent ? opened.handle() : rootHandle_, includeSubFolders_,
                                         keepGoing);
        read.folder = std::move(opened);
        return read;
    }

    // Opens a folder below the root in one call, or, when its path is too long for one, in pieces of
    // at most longestRelativePath bytes, each below the folder the piece before opened; a worker holds
    // at most two descriptors at any depth. No link is followed on the way.
    FileSystem::Folder open(const Node& node) {
        if (node.parent->kept.isOpen()) // set before the node was made, closed only after it was read
            return fs_.openSubFolder(node.parent->kept.handle(), node.name.constData());
        const std::vector<const QByteArray*> names = namesBelowRoot(node);
        const qsizetype longest = longestRelativePath();
        if (node.relativeLength <= longest && !noOpenInOneCall_) {
            try {
                return fs_.openBelow(rootHandle_, joined(names, 0, names.size()));
            } catch (const FileSystemFailure& failure) {
                if (failure.errorNumber() != ENOSYS && failure.errorNumber() != ENAMETOOLONG)
                    throw;
                noOpenInOneCall_ = failure.errorNumber() == ENOSYS;
            }
        }
        FileSystem::Folder at;
        for (std::size_t from = 0; from < names.size();) {
            std::size_t to = from + 1;
            qsizetype length = names[from]->size();
            while (to < names.size() && length + 1 + names[to]->size() <= longest)
                length += 1 + names[to++]->size();
            const FileSystem::Handle above = at.isOpen() ? at.handle() : rootHandle_;
            at = openPiece(above, names, from, to);
            from = to;
        }
        return at;
    }

    FileSystem::Folder openPiece(FileSystem::Handle above, const std::vector<const QByteArray*>& names,
                                 std::size_t from, std::size_t to) {
        if (to - from > 1 && !noOpenInOneCall_) {
            try {
                return fs_.openBelow(above, joined(names, from, to));
            } catch (const FileSystemFailure& failure) {
                if (failure.errorNumber() != ENOSYS)
                    throw;
                noOpenInOneCall_ = true;
            }
        }
        // One level at a time, as the sequential walk opens every folder.
        FileSystem::Folder at = fs_.openSubFolder(above, names[from]->constData());
        for (std::size_t i = from + 1; i < to; ++i)
            at = fs_.openSubFolder(at.handle(), names[i]->constData());
        return at;
    }

    qsizetype longestRelativePath() const { return std::max(1, options_.longestRelativePath); }

    // Hands a finished read over to the visitor's side, with the lock held.
    void store(Node& node, FolderRead read) {
        std::size_t newWork = 0;
        if (read.openFailure) {
            node.openFailure = std::move(read.openFailure);
        } else {
            node.listing = std::move(read.listing);
            newWork = adopt(node);
            aheadBytes_ += node.listing.memoryUse();
            // A deep branch: its sub-folders open from it in one step each, not from the root in pieces
            // (which would cost as many calls as the branch is deep, for every folder in it).
            const bool longPaths =
                std::any_of(node.children.begin(), node.children.end(),
                            [&](const auto& child) { return child->relativeLength > longestRelativePath(); });
            if (longPaths && read.folder.isOpen() && keptOpen_ < kMostKeptOpen) {
                node.kept = std::move(read.folder);
                node.childrenToOpen = node.children.size();
                ++keptOpen_;
            }
        }
        node.state = Node::State::Ready;
        if (&node == awaited_) // only the visitor's thread waits for listings, and only for this one
            listingReady_.notify_one();
        // Wake as many workers as there is new work, not all of them for every folder.
        const std::size_t free = std::size_t(std::max(0, active_ - reading_));
        for (std::size_t i = 0; i < std::min(newWork, free); ++i)
            workAvailable_.notify_one();
    }

    // Makes a node of every sub-folder of a listed folder; a folder whose listing failed keeps none,
    // as the walk enters none of them. Returns how many wait for a worker.
    std::size_t adopt(Node& node) {
        if (node.listing.failure)
            return 0;
        std::size_t pending = 0;
        std::uint32_t index = 0;
        for (const FolderListing::Entry& entry : node.listing.entries) {
            if (!entry.isFolder)
                continue;
            auto child = std::make_unique<Node>();
            child->parent = &node;
            child->index = index++;
            child->depth = node.depth + 1;
            child->name = node.listing.nameOf(entry);
            child->relativeLength = node.relativeLength + (node.parent ? 1 : 0) + child->name.size();
            pending += pending_.insert(child.get()).second ? 1 : 0;
            node.children.push_back(std::move(child));
        }
        return pending;
    }

    // Declared first, gone last: the root and every listing are let go while it still stands.
    const std::shared_ptr<FileSystem> fileSystemShare_;
    FileSystem& fs_;
    FileSystem::Folder root_; // closed by finish() once no worker runs, or with the last one left behind
    const FileSystem::Handle rootHandle_;
    const bool includeSubFolders_;
    const ReadAheadOptions options_;
    std::atomic<bool> noOpenInOneCall_ = false; // the system has no openat2

    std::mutex mutex_;
    std::condition_variable workAvailable_;
    std::condition_variable listingReady_;
    std::condition_variable spare_; // workers not let in wait here
    std::condition_variable workerEnded_;
    // The workers allowed to read while reads come from memory, and while they wait for the disk; only
    // the first are started with the walk, the others when reads first wait (or at once on a share).
    int fewest_;
    int most_;
    std::unique_ptr<Node> tree_;
    std::set<Node*, WalkOrder> pending_;
    std::set<Node*> inCall_; // taken by a worker, not yet handed over
    // Reads left behind by an ended walk that workers wait for; woken when this walk ends.
    std::set<BlockingCall<LeftRead>*> waitingOnLeft_;
    Node* awaited_ = nullptr;
    int active_;      // workers allowed to read at once, between fewest_ and most_
    int reading_ = 0; // workers reading now
    int started_ = 0;
    int alive_ = 0; // started and not yet ended
    int keptOpen_ = 0;
    double waitedShare_ = 0;
    int ahead_ = 0;
    std::size_t aheadBytes_ = 0;
    std::atomic<bool> stopping_ = false;
    FileId rootId_;
};

// The visitor's side: the walk in its order, over the listings the workers hand over.
class Consumer final : public SteppedWalk {
public:
    Consumer(FileSystem& fileSystem, FileSystem::Folder root, FileId rootId, const QByteArray& rootPath,
             bool includeSubFolders, WalkVisitor& visitor, const ReadAheadOptions& options)
        : rootPath_(rootPath), visitor_(visitor),
          readAhead_(
              std::make_shared<ReadAhead>(fileSystem, std::move(root), rootId, includeSubFolders, options)) {
        readAhead_->start();
    }
    Consumer(const Consumer&) = delete;
    Consumer& operator=(const Consumer&) = delete;
    ~Consumer() override { readAhead_->finish(); }

    WalkStep advance() override {
        if (!rootDone_) {
            Node& root = readAhead_->root();
            if (!readAhead_->await(root))
                return WalkStep::Waiting;
            rootDone_ = true;
            replay(root, rootPath_);
            const std::optional<QString> failure = root.listing.failure;
            readAhead_->release(root);
            if (failure) // a failure of the listed folder itself is passed on
                throw FileSystemFailure(*failure);
            stack_.push_back(Frame{&root, rootPath_, 0});
        } else if (next_) {
            if (!asked_) {
                asked_ = true;
                if (!visitor_.beforeSubFolder())
                    return stop();
            }
            if (!readAhead_->await(*next_))
                return WalkStep::Waiting;
            enter(*std::exchange(next_, nullptr), nextPath_);
        }
        while (!stack_.empty()) {
            Frame& top = stack_.back();
            if (top.next == top.node->children.size()) {
                readAhead_->forget(*top.node);
                stack_.pop_back();
                continue;
            }
            next_ = top.node->children[top.next++].get();
            nextPath_ = joinPath(top.path, next_->name);
            asked_ = false;
            return WalkStep::BeforeSubFolder;
        }
        return WalkStep::Done;
    }

private:
    struct Frame {
        Node* node;
        QByteArray path;
        std::size_t next;
    };

    WalkStep stop() {
        stack_.clear();
        next_ = nullptr;
        return WalkStep::Done;
    }

    void enter(Node& node, const QByteArray& path) {
        if (node.openFailure) {
            readAhead_->release(node);
            visitor_.folderSkipped(path, *node.openFailure);
            return;
        }
        replay(node, path);
        const std::optional<QString> failure = node.listing.failure;
        readAhead_->release(node);
        if (failure) {
            // What was found before the failure stays; the folder's own sub-folders are not entered.
            visitor_.folderSkipped(path, *failure);
            return;
        }
        stack_.push_back(Frame{&node, path, 0});
    }

    // The calls the sequential walk makes while it lists a folder.
    void replay(const Node& node, const QByteArray& path) {
        visitor_.enterFolder(path);
        const FolderListing& listing = node.listing;
        for (const FolderListing::Entry& entry : listing.entries)
            if (!entry.isFolder)
                visitor_.file(path, listing.nameOf(entry), entry.bytes, entry.id);
    }

    const QByteArray rootPath_;
    WalkVisitor& visitor_;
    const std::shared_ptr<ReadAhead> readAhead_;
    std::vector<Frame> stack_;
    bool rootDone_ = false;
    Node* next_ = nullptr; // the sub-folder the walk enters at its next step
    QByteArray nextPath_;
    bool asked_ = false; // whether the visitor was asked before entering next_
};

} // namespace

std::unique_ptr<SteppedWalk> readAheadWalk(FileSystem& fileSystem, FileSystem::Folder root,
                                           const QByteArray& rootPath, bool includeSubFolders,
                                           WalkVisitor& visitor, const ReadAheadOptions& options,
                                           FileId rootId) {
    return std::make_unique<Consumer>(fileSystem, std::move(root), rootId, rootPath, includeSubFolders,
                                      visitor, options);
}

void readAheadScan(FileSystem& fileSystem, FileSystem::Folder root, const QByteArray& rootPath,
                   bool includeSubFolders, WalkVisitor& visitor, const ReadAheadOptions& options,
                   FileId rootId) {
    walkToEnd(
        *readAheadWalk(fileSystem, std::move(root), rootPath, includeSubFolders, visitor, options, rootId),
        visitor);
}

} // namespace zorvik
