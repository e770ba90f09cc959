// Threads and ownership:
// - The visitor's thread (the user-interface thread in the program) owns the Consumer: the walk's
//   order, the visitor and the stack of folders being walked. It makes no call of the file system.
// - The workers, and what they share with this thread, are the ReadAhead's (search/ReadAhead.h).

#include "search/ReadAheadWalk.h"

#include "core/PathParts.h"
#include "search/ReadAhead.h"

#include <memory>
#include <vector>

namespace zorvik {

namespace {

using readahead::Node;
using readahead::ReadAhead;

// The visitor's side: the walk in its order, over the listings the workers hand over.
class Consumer final : public SteppedWalk {
public:
    Consumer(FileSystem& fileSystem, FileSystem::Folder root, FileId rootId, const QByteArray& rootPath,
             bool includeSubFolders, std::shared_ptr<const WalkRules> rules, WalkVisitor& visitor,
             const ReadAheadOptions& options)
        : rootPath_(rootPath), visitor_(visitor),
          readAhead_(std::make_shared<ReadAhead>(fileSystem, std::move(root), rootId, rootPath,
                                                 includeSubFolders, std::move(rules), options)) {
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
        if (node.leftOut) {
            readAhead_->release(node);
            visitor_.folderLeftOut(path);
            return;
        }
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
        const auto& entries = listing.entries;
        // The visitor hears of each file a few entries before it is given, so that the memory it
        // will read for it is on its way meanwhile.
        constexpr std::size_t kAhead = 8;
        const auto tellAhead = [&](std::size_t at) {
            if (at < entries.size() && !entries[at].isFolder)
                visitor_.fileAhead(entries[at].bytes, entries[at].id);
        };
        for (std::size_t at = 0; at < kAhead; ++at)
            tellAhead(at);
        for (std::size_t at = 0; at < entries.size(); ++at) {
            tellAhead(at + kAhead);
            const FolderListing::Entry& entry = entries[at];
            if (!entry.isFolder)
                visitor_.file(path, listing.nameOf(entry), entry.bytes, entry.id,
                              entry.onlyPath ? OtherPaths::None : OtherPaths::Possible);
        }
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
                                           FileId rootId, std::shared_ptr<const WalkRules> rules) {
    return std::make_unique<Consumer>(fileSystem, std::move(root), rootId, rootPath, includeSubFolders,
                                      std::move(rules), visitor, options);
}

void readAheadScan(FileSystem& fileSystem, FileSystem::Folder root, const QByteArray& rootPath,
                   bool includeSubFolders, WalkVisitor& visitor, const ReadAheadOptions& options,
                   FileId rootId, std::shared_ptr<const WalkRules> rules) {
    walkToEnd(*readAheadWalk(fileSystem, std::move(root), rootPath, includeSubFolders, visitor, options,
                             rootId, std::move(rules)),
              visitor);
}

} // namespace zorvik
