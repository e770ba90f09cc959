#include "search/ReadAhead.h"

#include "core/PathParts.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <system_error>

namespace zorvik::readahead {

namespace {

// Folders kept open at once because their sub-folders' paths are too long to open from the root in
// one call; beyond them such sub-folders are opened from the root piece by piece.
constexpr int kMostKeptOpen = 32;

// The names from the root's child down to `node`, into `names`.
void namesBelowRoot(const Node& node, std::vector<const QByteArray*>& names) {
    names.resize(node.depth);
    for (const Node* at = &node; at->parent; at = at->parent)
        names[at->depth - 1] = &at->name;
}

std::vector<const QByteArray*> namesBelowRoot(const Node& node) {
    std::vector<const QByteArray*> names;
    namesBelowRoot(node, names);
    return names;
}

// The names joined with '/' into `path`, whose storage is reused.
const QByteArray& joinedInto(QByteArray& path, const std::vector<const QByteArray*>& names, std::size_t from,
                             std::size_t to) {
    path.resize(0);
    for (std::size_t i = from; i < to; ++i) {
        if (i > from)
            path += '/';
        path += *names[i];
    }
    return path;
}

QByteArray joined(const std::vector<const QByteArray*>& names, std::size_t from, std::size_t to) {
    QByteArray path;
    return joinedInto(path, names, from, to);
}

} // namespace

void ReadAhead::start() {
    const std::lock_guard lock(mutex_);
    startWorkers(fewest_);
    if (started_ == 0) // nothing would ever be read
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    active_ = std::min(active_, started_);
}

void ReadAhead::finish() {
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

bool ReadAhead::await(Node& node) {
    if (node.ready.load(std::memory_order_acquire))
        return true; // mostly: the workers read ahead
    std::unique_lock lock(mutex_);
    auto there = [&] { return node.state == Node::State::Ready; };
    if (there())
        return true;
    awaited_ = &node; // read even when the window is full
    // It is next in walk order, so the first worker that is free takes it.
    workAvailable_.notify_one();
    const bool ready = listingReady_.wait_for(lock, std::chrono::milliseconds(options_.waitingCallMs), there);
    awaited_ = nullptr;
    return ready;
}

void ReadAhead::release(Node& node) {
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

void ReadAhead::forget(Node& node) {
    const std::lock_guard lock(mutex_);
    node.children.clear();
}

bool ReadAhead::canTake() const {
    if (pending_.empty())
        return false;
    return hasRoom() || *pending_.begin() == awaited_;
}

void ReadAhead::run(int index) {
    work(index);
    const std::lock_guard lock(mutex_);
    --alive_;
    workerEnded_.notify_all();
}

void ReadAhead::work(int index) {
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
        const bool measured = measuresNextRead();
        lock.unlock();
        const std::uint64_t waitsBefore = measured ? fs_.waitsOfThisThread() : 0;
        if (!node->parent)
            learnRoot();
        std::optional<FolderRead> got = readOrWait(*node);
        const bool waited = measured && fs_.waitsOfThisThread() != waitsBefore;
        std::vector<std::unique_ptr<Node>> children;
        if (got)
            children = childrenOf(*node, *got);
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
        store(*node, std::move(*got), std::move(children));
        if (measured)
            adapt(waited);
    }
}

void ReadAhead::learnRoot() {
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
    rootDevice_ = id.device;
    tree_->device = id.device;
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

bool ReadAhead::measuresNextRead() {
    // Asking the system costs a call before and after the read: while reads come from memory one in
    // so many tells soon enough when they stop doing so, and from the first read that waited on
    // every read is asked until the share has faded again.
    constexpr unsigned kOneReadIn = 16;
    constexpr double kWatchedShare = 1.0 / 64;
    return readsTaken_++ % kOneReadIn == 0 || waitedShare_ >= kWatchedShare;
}

void ReadAhead::adapt(bool waited) {
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

void ReadAhead::startWorkers(int count) {
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

std::string ReadAhead::keyOf(const Node& node) const {
    std::string key = std::to_string(rootId_.device) + ':' + std::to_string(rootId_.inode) + '/';
    const QByteArray relative = joined(namesBelowRoot(node), 0, node.depth);
    key.append(relative.constData(), std::size_t(relative.size()));
    return key;
}

std::optional<FolderRead> ReadAhead::readOrWait(Node& node) {
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

std::optional<BlockingCall<LeftRead>> ReadAhead::olderRead(const Node& node) {
    // No lock: rootId_ is set before the root is read, and so before any other node exists.
    if (!rootId_.isKnown() || !anyCallLeftBehind()) // mostly: no key to make
        return std::nullopt;
    return BlockingCall<LeftRead>::takeOver(keyOf(node));
}

FolderRead ReadAhead::readNow(const Node& node) {
    // Once the walk has ended the listing is abandoned between two entries, unless it was left
    // behind: the share answers again, and a later walk may be waiting for this very listing.
    const auto keepGoing = [this, &node] {
        return !stopping_.load(std::memory_order_relaxed) || node.leftBehind.load(std::memory_order_relaxed);
    };
    FolderRead read;
    FileSystem::Folder opened;
    if (node.parent) {
        try {
            opened = open(node, read);
            const WalkRules::Verdict verdict = rules_->judgeOpened(fs_, opened.handle(), node.parent->device,
                                                                   rootDevice_, !read.acrossMount);
            read.device = verdict.device;
            read.leftOut = verdict.leftOut;
        } catch (const FileSystemFailure& failure) {
            read.openFailure = failure.description();
            return read;
        }
        if (read.leftOut)
            return read;
    }
    // No lock: rootId_ is set before the root is read, and so before any other node exists.
    const bool onRootsMount = !node.parent || !read.acrossMount;
    read.listing = readFolderListing(
        fs_, node.parent ? opened.handle() : rootHandle_, includeSubFolders_, *rules_, keepGoing,
        onRootsMount && rootId_.isKnown() ? std::optional(rootId_.device) : std::nullopt);
    read.folder = std::move(opened);
    return read;
}

FileSystem::Folder ReadAhead::open(const Node& node, FolderRead& read) {
    read.acrossMount = true;        // unless shown otherwise
    if (node.parent->kept.isOpen()) // set before the node was made, closed only after it was read
        return fs_.openSubFolder(node.parent->kept.handle(), node.name.constData());
    // The worker's own buffers: no allocation for each folder.
    thread_local std::vector<const QByteArray*> names;
    thread_local QByteArray path;
    namesBelowRoot(node, names);
    const qsizetype longest = longestRelativePath();
    if (node.relativeLength <= longest && !noOpenInOneCall_) {
        joinedInto(path, names, 0, names.size());
        // A folder the walk knows to be on the root's mount saves the call that would ask its device,
        // and its files can have no other path in the walk.
        if (!node.belowMount) {
            try {
                FileSystem::Folder folder = fs_.openBelow(rootHandle_, path, FileSystem::Mounts::Stay);
                read.acrossMount = false;
                return folder;
            } catch (const FileSystemFailure& failure) {
                if (failure.errorNumber() != EXDEV && failure.errorNumber() != ENOSYS)
                    throw;
            }
        }
        try {
            return fs_.openBelow(rootHandle_, path);
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

FileSystem::Folder ReadAhead::openPiece(FileSystem::Handle above, const std::vector<const QByteArray*>& names,
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

void ReadAhead::store(Node& node, FolderRead read, std::vector<std::unique_ptr<Node>> children) {
    std::size_t newWork = 0;
    if (node.parent)
        node.device = read.device;
    if (read.openFailure) {
        node.openFailure = std::move(read.openFailure);
    } else if (read.leftOut) {
        node.leftOut = true;
    } else {
        node.listing = std::move(read.listing);
        newWork = adopt(node, std::move(children));
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
    node.ready.store(true, std::memory_order_release);
    if (&node == awaited_) // only the visitor's thread waits for listings, and only for this one
        listingReady_.notify_one();
    // Wake as many workers as there is new work, not all of them for every folder.
    const std::size_t free = std::size_t(std::max(0, active_ - reading_));
    for (std::size_t i = 0; i < std::min(newWork, free); ++i)
        workAvailable_.notify_one();
}

bool ReadAhead::leavesOutUnopened(const Node& child) const {
    if (rules_->excludesName(child.name.constData()))
        return true;
    if (!rules_->skipsFolders())
        return false;
    const std::vector<const QByteArray*> names = namesBelowRoot(child);
    return rules_->leavesOutUnopened(child.name.constData(),
                                     joinPath(rootPath_, joined(names, 0, names.size())));
}

std::vector<std::unique_ptr<Node>> ReadAhead::childrenOf(Node& node, const FolderRead& read) const {
    std::vector<std::unique_ptr<Node>> children;
    if (read.openFailure || read.leftOut || read.listing.failure)
        return children;
    const auto& entries = read.listing.entries;
    children.reserve(std::size_t(
        std::count_if(entries.begin(), entries.end(), [](const auto& entry) { return entry.isFolder; })));
    for (const FolderListing::Entry& entry : entries) {
        if (!entry.isFolder)
            continue;
        auto child = std::make_unique<Node>();
        child->parent = &node;
        child->index = std::uint32_t(children.size());
        child->depth = node.depth + 1;
        child->name = read.listing.nameOf(entry);
        child->relativeLength = node.relativeLength + (node.parent ? 1 : 0) + child->name.size();
        child->belowMount = node.parent && (node.belowMount || read.acrossMount);
        if (leavesOutUnopened(*child)) {
            child->leftOut = true;
            child->state = Node::State::Ready;
            child->ready = true;
        }
        children.push_back(std::move(child));
    }
    return children;
}

std::size_t ReadAhead::adopt(Node& node, std::vector<std::unique_ptr<Node>> children) {
    node.children = std::move(children);
    std::size_t pending = 0;
    for (const std::unique_ptr<Node>& child : node.children)
        if (!child->leftOut)
            pending += pending_.insert(child.get()).second ? 1 : 0;
    return pending;
}

} // namespace zorvik::readahead
