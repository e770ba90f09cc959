#pragma once
// The read-ahead walk's workers and the tree of folders they have read (see search/ReadAheadWalk.h).
//
// Threads and ownership:
// - The workers share the ReadAhead with the visitor's thread through a shared_ptr: the tree of
//   folders read so far, the listed folder's descriptor and a share of the file system. Everything in
//   it is guarded by its mutex, except what a worker reads outside the lock: the node it took (no one
//   else touches it until it is Ready) and the names of that node's ancestors (never changed once made).
// - When the walk ends the visitor's side calls finish(): the workers stop and it lets its share go.
//   Workers that are still inside a system call are left behind, holding their share: the tree and the
//   descriptor stay until the last of them has returned. Each read they are still making is left
//   behind under a key (see core/BlockingCall.h, whose registry every walk of the process shares): a
//   later walk that needs the same folder takes the read over and waits for it, woken when it finishes
//   or when its own walk ends; a read nobody took over is dropped on its worker.
// - Workers run on the program's pool (WorkerThreads), which counts them while they run.

#include "core/BlockingCall.h"
#include "platform/FileSystem.h"
#include "search/FolderListing.h"
#include "search/ReadAheadWalk.h"
#include "search/WalkRules.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zorvik::readahead {

// What one read of a folder gives: why it could not be opened, or its listing (and the folder, still
// open, for the walk to keep when its sub-folders' paths are long).
struct FolderRead {
    std::optional<QString> openFailure;
    bool leftOut = false;     // opened, and left out by the walk's rules: not listed
    std::uint64_t device = 0; // when a rule needs it
    // Opened across a mount from the listed folder, or without telling: the folders below it need not
    // try to stay on the listed folder's mount (see ReadAhead::open).
    bool acrossMount = false;
    FolderListing listing;
    FileSystem::Folder folder;
};

// A read of a folder that an ended walk left inside a system call, as the walk that takes it over gets
// it: nothing when its worker gave it up (it was itself waiting for an older read of the folder). A
// later walk of the same listed folder that needs the same folder waits for this read instead of
// starting another one that would hang just the same.
using LeftRead = std::optional<FolderRead>;

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
    // Set with state becoming Ready: the visitor's thread finds a listing that is there without the lock.
    std::atomic<bool> ready = false;
    bool counted = false;    // taken into the read-ahead window
    bool leftOut = false;    // by the walk's rules: never listed, perhaps never opened
    bool belowMount = false; // an ancestor was opened across a mount (set when made, then only read)
    std::uint64_t device = 0;
    std::optional<QString> openFailure;
    FolderListing listing;
    std::vector<std::unique_ptr<Node>> children; // its sub-folders, in listing order, once Ready
    CallOutcome<LeftRead> handOver;              // set when its walk ended while it was being read
    std::atomic<bool> leftBehind = false;        // the same, for its worker to read without the lock
    // Kept open while sub-folders whose paths are too long for one call are still to be opened from it.
    FileSystem::Folder kept;
    std::size_t childrenToOpen = 0;
};

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
    ReadAhead(FileSystem& fileSystem, FileSystem::Folder root, FileId rootId, const QByteArray& rootPath,
              bool includeSubFolders, std::shared_ptr<const WalkRules> rules, const ReadAheadOptions& options)
        : fileSystemShare_(sharedFileSystem(fileSystem)), fs_(fileSystem), root_(std::move(root)),
          rootHandle_(root_.handle()), rootPath_(rootPath), includeSubFolders_(includeSubFolders),
          rules_(std::move(rules)), options_(options), fewest_(std::max(1, options.threads)),
          most_(std::max(fewest_, options.threadsWhileWaiting)), active_(fewest_), rootId_(rootId) {
        tree_ = std::make_unique<Node>();
        pending_.insert(tree_.get());
    }

    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Starts the first workers; throws when the system starts not even one.
    void start();

    // The walk is over: the workers stop. Those that have not ended within leaveBehindAfterMs are
    // inside a call that does not return; they are left behind, and what they read is offered to the
    // next walk that needs it.
    void finish();

    Node& root() { return *tree_; }

    // Waits until the node is Ready, at most options.waitingCallMs; false when it is not there yet.
    bool await(Node& node);

    // The visitor is done with the node's listing: its memory and its place in the window go.
    void release(Node& node);

    // The visitor has left the folder and everything below it.
    void forget(Node& node);

private:
    bool hasRoom() const { return ahead_ < options_.folders && aheadBytes_ < options_.bytes; }

    bool canTake() const;

    // Worker `index`: reads folders until the walk ends, then counts itself out.
    void run(int index);

    // Worker `index` reads only while fewer than index + 1 are let in; otherwise it sleeps apart, so
    // that the wakes for new work reach only workers that may take it.
    void work(int index);

    // What kind of storage the listed folder is on, and its identity when the caller did not know it;
    // one worker asks before it lists the root.
    void learnRoot();

    // Whether the worker about to read counts the read's waits (a system call on each side), with the
    // lock held; only counted reads are followed by adapt().
    bool measuresNextRead();

    // Follows the share of recent counted reads that waited: past half, the disk is being read and every
    // worker is let in; under a quarter, reads come from memory and the fewest compete for the cores.
    // (Among reads served from memory a few in a hundred wait too, for a lock or a page.)
    void adapt(bool waited);

    // Starts workers until there are `count`, with the lock held; where the system will not start more
    // threads, the walk goes on with those it has.
    void startWorkers(int count);

    // The folder's key among the reads left behind: the listed folder's identity and the path below it.
    std::string keyOf(const Node& node) const;

    // Reads the folder, or, when an ended walk left a read of the same folder inside a call, waits for
    // that one. No value when this walk ended meanwhile.
    std::optional<FolderRead> readOrWait(Node& node);

    // The read of the node's folder that an ended walk left behind, taken over, if one still runs.
    std::optional<BlockingCall<LeftRead>> olderRead(const Node& node);

    // Whether the rules leave the sub-folder out without opening it.
    bool leavesOutUnopened(const Node& child) const;

    // Opens and lists one folder outside the lock.
    FolderRead readNow(const Node& node);

    // Opens a folder below the root in one call, or, when its path is too long for one, in pieces of
    // at most longestRelativePath bytes, each below the folder the piece before opened; a worker holds
    // at most two descriptors at any depth. No link is followed on the way. When the rules need a
    // folder's device only across mounts, the one call first tries to stay on the root's mount, and
    // `read` learns whether it did.
    FileSystem::Folder open(const Node& node, FolderRead& read);

    FileSystem::Folder openPiece(FileSystem::Handle above, const std::vector<const QByteArray*>& names,
                                 std::size_t from, std::size_t to);

    qsizetype longestRelativePath() const { return std::max(1, options_.longestRelativePath); }

    // Hands a finished read, and the nodes made of its sub-folders, over to the visitor's side, with
    // the lock held.
    void store(Node& node, FolderRead read, std::vector<std::unique_ptr<Node>> children);

    // Makes a node of every sub-folder of a listed folder, outside the lock (the node's place in the
    // tree and its ancestors' names never change); a folder whose listing failed gets none, as the
    // walk enters none of them. Those the rules leave out unopened are Ready at once.
    std::vector<std::unique_ptr<Node>> childrenOf(Node& node, const FolderRead& read) const;

    // Lets the workers read the children that are not Ready, with the lock held. Returns how many.
    std::size_t adopt(Node& node, std::vector<std::unique_ptr<Node>> children);

    // Declared first, gone last: the root and every listing are let go while it still stands.
    const std::shared_ptr<FileSystem> fileSystemShare_;
    FileSystem& fs_;
    FileSystem::Folder root_; // closed by finish() once no worker runs, or with the last one left behind
    const FileSystem::Handle rootHandle_;
    const QByteArray rootPath_;
    const bool includeSubFolders_;
    const std::shared_ptr<const WalkRules> rules_;
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
    // The two sets' nodes come and go with every folder: kept for reuse, not given back to the heap.
    std::pmr::unsynchronized_pool_resource setNodes_;
    std::pmr::set<Node*, WalkOrder> pending_{&setNodes_};
    std::pmr::set<Node*> inCall_{&setNodes_}; // taken by a worker, not yet handed over
    // Reads left behind by an ended walk that workers wait for; woken when this walk ends.
    std::set<BlockingCall<LeftRead>*> waitingOnLeft_;
    Node* awaited_ = nullptr;
    int active_;      // workers allowed to read at once, between fewest_ and most_
    int reading_ = 0; // workers reading now
    int started_ = 0;
    int alive_ = 0; // started and not yet ended
    int keptOpen_ = 0;
    double waitedShare_ = 0;
    unsigned readsTaken_ = 0;
    int ahead_ = 0;
    std::size_t aheadBytes_ = 0;
    std::atomic<bool> stopping_ = false;
    FileId rootId_;
    std::uint64_t rootDevice_ = 0; // set with rootId_, before any sub-folder is read
};

} // namespace zorvik::readahead
