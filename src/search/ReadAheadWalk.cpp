#include "search/ReadAheadWalk.h"

#include "search/FolderListing.h"

#include <QList>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <vector>

namespace zorvik {

namespace {

// A folder of the tree as far as the workers have read it.
struct Node {
    enum class State {
        Pending, // waiting for a worker
        Reading, // a worker lists it
        Ready,   // its listing (or why it could not be opened) is there
        Deep,    // its path is too long to open in one step: the visitor's thread walks it
    };
    Node* parent = nullptr;
    std::uint32_t index = 0; // among its parent's sub-folders
    std::uint32_t depth = 0;
    qsizetype nameStart = 0; // of its own name in `relative`
    QByteArray relative;     // below the walk's root; empty for the root
    State state = State::Pending;
    bool counted = false; // taken into the read-ahead window
    std::optional<QString> openFailure;
    FolderListing listing;
    std::vector<std::unique_ptr<Node>> children; // its sub-folders, in listing order, once Ready

    QByteArrayView name() const { return QByteArrayView(relative).sliced(nameStart); }
};

bool isDeep(const FileSystemFailure& failure) {
    return failure.errorNumber() == ENAMETOOLONG || failure.errorNumber() == ENOSYS;
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
class ReadAhead {
public:
    ReadAhead(FileSystem& fileSystem, FileSystem::Handle root, bool includeSubFolders,
              const ReadAheadOptions& options)
        : fs_(fileSystem), root_(root), includeSubFolders_(includeSubFolders), options_(options),
          fewest_(std::max(1, options.threads)), most_(std::max(fewest_, options.threadsWhileWaiting)),
          active_(fewest_) {
        tree_ = std::make_unique<Node>();
        pending_.insert(tree_.get());
        const std::lock_guard lock(mutex_);
        startWorkers(fewest_);
        if (workers_.empty()) // not even one thread: nothing would ever be read
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        active_ = std::min(active_, int(workers_.size()));
    }

    ~ReadAhead() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        workAvailable_.notify_all();
        spare_.notify_all();
        for (std::thread& worker : workers_)
            worker.join();
    }

    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    Node& root() { return *tree_; }

    // Waits until the node is Ready or Deep; `waiting` runs between waits of options.waitingCallMs.
    void await(Node& node, const std::function<void()>& waiting) {
        std::unique_lock lock(mutex_);
        auto there = [&] { return node.state == Node::State::Ready || node.state == Node::State::Deep; };
        if (there())
            return;
        awaited_ = &node; // read even when the window is full
        // It is next in walk order, so the first worker that is free takes it.
        workAvailable_.notify_one();
        while (!listingReady_.wait_for(lock, std::chrono::milliseconds(options_.waitingCallMs), there)) {
            lock.unlock();
            waiting();
            lock.lock();
        }
        awaited_ = nullptr;
    }

    // The visitor is done with the node's listing: its memory and its place in the window go.
    void release(Node& node) {
        {
            const std::lock_guard lock(mutex_);
            if (node.counted) {
                --ahead_;
                aheadBytes_ -= node.listing.memoryUse();
                node.counted = false;
            }
            node.listing = FolderListing();
        }
        workAvailable_.notify_one(); // room for one more folder in the window
    }

    // The visitor has left the folder and everything below it.
    void forget(Node& node) {
        const std::lock_guard lock(mutex_);
        node.children.clear();
    }

private:
    bool canTake() const {
        if (pending_.empty())
            return false;
        return (ahead_ < options_.folders && aheadBytes_ < options_.bytes) || *pending_.begin() == awaited_;
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
            lock.unlock();
            const std::uint64_t waitsBefore = fs_.waitsOfThisThread();
            read(*node);
            const bool waited = fs_.waitsOfThisThread() != waitsBefore;
            lock.lock();
            --reading_;
            adapt(waited);
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
            active_ = std::min(most_, int(workers_.size()));
        } else if (waitedShare_ < 0.25) {
            active_ = std::min(fewest_, int(workers_.size()));
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
            for (int i = int(workers_.size()); i < count; ++i)
                workers_.emplace_back([this, i] { work(i); });
        } catch (const std::system_error&) {
        }
    }

    // Opens and lists one folder outside the lock, then hands the listing over.
    void read(Node& node) {
        FileSystem::Folder opened;
        std::optional<QString> openFailure;
        bool deep = false;
        if (node.parent) {
            try {
                opened = fs_.openBelow(root_, node.relative);
            } catch (const FileSystemFailure& failure) {
                deep = isDeep(failure);
                openFailure = failure.description();
            }
        }
        FolderListing listing;
        if (!openFailure)
            listing = readFolderListing(fs_, node.parent ? opened.handle() : root_, includeSubFolders_,
                                        [this] { return !stopping_.load(std::memory_order_relaxed); });
        opened.reset();

        std::size_t newWork = 0;
        const std::lock_guard lock(mutex_);
        if (deep) {
            node.state = Node::State::Deep;
        } else if (openFailure) {
            node.openFailure = openFailure;
            node.state = Node::State::Ready;
        } else {
            node.listing = std::move(listing);
            newWork = adopt(node);
            aheadBytes_ += node.listing.memoryUse();
            node.state = Node::State::Ready;
        }
        listingReady_.notify_one(); // only the visitor's thread waits for listings
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
            if (!node.relative.isEmpty())
                child->relative = node.relative + '/';
            child->nameStart = child->relative.size();
            child->relative += node.listing.nameOf(entry);
            if (child->relative.size() > options_.longestRelativePath)
                child->state = Node::State::Deep;
            else
                pending += pending_.insert(child.get()).second ? 1 : 0;
            node.children.push_back(std::move(child));
        }
        return pending;
    }

    FileSystem& fs_;
    const FileSystem::Handle root_;
    const bool includeSubFolders_;
    const ReadAheadOptions options_;
    // The workers allowed to read while reads come from memory, and while they wait for the disk; only
    // the first are started with the walk, the others when reads first wait.
    const int fewest_;
    const int most_;

    std::mutex mutex_;
    std::condition_variable workAvailable_;
    std::condition_variable listingReady_;
    std::condition_variable spare_; // workers not let in wait here
    std::unique_ptr<Node> tree_;
    std::set<Node*, WalkOrder> pending_;
    Node* awaited_ = nullptr;
    int active_;      // workers allowed to read at once, between fewest_ and most_
    int reading_ = 0; // workers reading now
    double waitedShare_ = 0;
    int ahead_ = 0;
    std::size_t aheadBytes_ = 0;
    std::atomic<bool> stopping_ = false;
    std::vector<std::thread> workers_; // last: started when everything else is in place; under mutex_
};

// Passes every call on and notes whether the visitor asked to stop.
class StopNoting : public WalkVisitor {
public:
    explicit StopNoting(WalkVisitor& visitor) : visitor_(visitor) {}
    void enterFolder(const QByteArray& path) override { visitor_.enterFolder(path); }
    void file(const QByteArray& folderPath, const char* name, quint64 bytes, FileId id) override {
        visitor_.file(folderPath, name, bytes, id);
    }
    bool beforeSubFolder() override {
        stopped = !visitor_.beforeSubFolder();
        return !stopped;
    }
    void folderSkipped(const QByteArray& path, const QString& reason) override {
        visitor_.folderSkipped(path, reason);
    }
    void stillWaiting() override { visitor_.stillWaiting(); }
    bool stopped = false;

private:
    WalkVisitor& visitor_;
};

// The visitor's side: the walk in its order, over the listings the workers hand over.
class Consumer {
public:
    Consumer(FileSystem& fileSystem, FileSystem::Handle root, const QByteArray& rootPath,
             bool includeSubFolders, WalkVisitor& visitor, const ReadAheadOptions& options)
        : fs_(fileSystem), root_(root), rootPath_(rootPath), includeSubFolders_(includeSubFolders),
          visitor_(visitor), readAhead_(fileSystem, root, includeSubFolders, options) {}

    void run() {
        Node& root = readAhead_.root();
        wait(root);
        replay(root, rootPath_);
        const std::optional<QString> failure = root.listing.failure;
        readAhead_.release(root);
        if (failure) // a failure of the listed folder itself is passed on
            throw FileSystemFailure(*failure);
        stack_.push_back(Frame{&root, rootPath_, 0});
        while (!stack_.empty()) {
            Frame& top = stack_.back();
            if (top.next == top.node->children.size()) {
                readAhead_.forget(*top.node);
                stack_.pop_back();
                continue;
            }
            Node& child = *top.node->children[top.next++];
            const QByteArray path = joinPath(top.path, child.name());
            if (!visitor_.beforeSubFolder())
                return;
            if (!enter(child, path))
                return;
        }
    }

private:
    struct Frame {
        Node* node;
        QByteArray path;
        std::size_t next;
    };

    void wait(Node& node) {
        readAhead_.await(node, [this] { visitor_.stillWaiting(); });
    }

    // Enters a sub-folder; false when the visitor asked to stop inside it.
    bool enter(Node& node, const QByteArray& path) {
        wait(node);
        if (node.state == Node::State::Deep) {
            readAhead_.release(node);
            return walkOneLevelAtATime(node, path);
        }
        if (node.openFailure) {
            readAhead_.release(node);
            visitor_.folderSkipped(path, *node.openFailure);
            return true;
        }
        replay(node, path);
        const std::optional<QString> failure = node.listing.failure;
        readAhead_.release(node);
        if (failure) {
            // What was found before the failure stays; the folder's own sub-folders are not entered.
            visitor_.folderSkipped(path, *failure);
            return true;
        }
        stack_.push_back(Frame{&node, path, 0});
        return true;
    }

    // The calls the sequential walk makes while it lists a folder.
    void replay(const Node& node, const QByteArray& path) {
        visitor_.enterFolder(path);
        const FolderListing& listing = node.listing;
        for (const FolderListing::Entry& entry : listing.entries)
            if (!entry.isFolder)
                visitor_.file(path, listing.nameOf(entry), entry.bytes, entry.id);
    }

    // A folder too deep for the workers: opened through its parent and walked by the sequential walk,
    // which needs only a bounded number of descriptors at any depth.
    bool walkOneLevelAtATime(const Node& node, const QByteArray& path) {
        FileSystem::Folder folder;
        try {
            folder = openStepwise(node);
        } catch (const FileSystemFailure& failure) {
            visitor_.folderSkipped(path, failure.description());
            return true;
        }
        StopNoting noting(visitor_);
        try {
            ScanFolder(fs_, std::move(folder), path, includeSubFolders_, noting);
        } catch (const FileSystemFailure& failure) {
            // Only the listing of the folder itself reaches here; below it the walk skips and goes on.
            visitor_.folderSkipped(path, failure.description());
        }
        return !noting.stopped;
    }

    FileSystem::Folder openStepwise(const Node& node) {
        const Node* parent = node.parent;
        if (!parent->parent)
            return fs_.openSubFolder(root_, node.name().toByteArray().constData());
        FileSystem::Folder above;
        try {
            above = fs_.openBelow(root_, parent->relative);
        } catch (const FileSystemFailure& failure) {
            if (!isDeep(failure))
                throw;
            // No way to open a path in one step: one level after the other from the root.
            const QList<QByteArray> names = parent->relative.split('/');
            above = fs_.openSubFolder(root_, names.first().constData());
            for (qsizetype i = 1; i < names.size(); ++i)
                above = fs_.openSubFolder(above.handle(), names[i].constData());
        }
        return fs_.openSubFolder(above.handle(), node.name().toByteArray().constData());
    }

    FileSystem& fs_;
    const FileSystem::Handle root_;
    const QByteArray rootPath_;
    const bool includeSubFolders_;
    WalkVisitor& visitor_;
    ReadAhead readAhead_;
    std::vector<Frame> stack_;
};

} // namespace

void readAheadScan(FileSystem& fileSystem, FileSystem::Folder root, const QByteArray& rootPath,
                   bool includeSubFolders, WalkVisitor& visitor, const ReadAheadOptions& options) {
    // The root stays open until the consumer, and with it every worker, is gone.
    const FileSystem::Folder ownedRoot = std::move(root);
    Consumer(fileSystem, ownedRoot.handle(), rootPath, includeSubFolders, visitor, options).run();
}

} // namespace zorvik
