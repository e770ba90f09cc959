#include "search/ScanFolder.h"

#include "core/PathParts.h"
#include "search/FolderListing.h"

#include <optional>
#include <utility>
#include <vector>

namespace zorvik {

namespace {

// How many folders of the current branch stay open. Deeper branches close their upper folders and
// reopen them through ".." on the way back, so a tree of any depth needs no more descriptors.
constexpr std::size_t kOpenFolders = 64;

struct Frame {
    QByteArray path;
    FileSystem::Folder folder; // closed to stay under kOpenFolders
    FileSystem::FolderId id;   // known once closed
    std::vector<QByteArray> subFolders;
    std::size_t next = 0;
    std::uint64_t device = 0; // when a rule needs it
};

class Walk final : public SteppedWalk {
public:
    Walk(FileSystem& fileSystem, FileSystem::Folder root, const QByteArray& rootPath, bool includeSubFolders,
         WalkVisitor& visitor, std::shared_ptr<const WalkRules> rules)
        : fs_(fileSystem), includeSubFolders_(includeSubFolders), visitor_(visitor),
          rules_(std::move(rules)) {
        stack_.push_back(Frame{rootPath, std::move(root), {}, {}, 0});
    }

    WalkStep advance() override {
        if (!started_) {
            started_ = true;
            // A failure here belongs to the listed folder: it is passed on.
            rootDevice_ = rules_->rootDevice(fs_, stack_.back().folder.handle());
            stack_.back().device = rootDevice_;
            listFolder(stack_.back());
        } else if (next_) {
            const QByteArray name = *std::exchange(next_, std::nullopt);
            if (!visitor_.beforeSubFolder()) {
                stack_.clear();
                return WalkStep::Done;
            }
            enterSubFolder(name);
        }
        while (!stack_.empty()) {
            Frame& top = stack_.back();
            if (top.next == top.subFolders.size()) {
                leaveFolder();
                continue;
            }
            next_ = top.subFolders[top.next++];
            return WalkStep::BeforeSubFolder;
        }
        return WalkStep::Done;
    }

private:
    void listFolder(Frame& frame) {
        visitor_.enterFolder(frame.path);
        listEntries(
            fs_, frame.folder.handle(), *rules_, includeSubFolders_, [] {},
            [&](const char* name) { frame.subFolders.emplace_back(name); },
            // Folders opened one by one may lie across a mount: every file may have another path.
            [&](const char* name, const FileSystem::EntryStatus& status, bool /*oneName*/) {
                visitor_.file(frame.path, name, status.bytes, status.id, OtherPaths::Possible);
            });
    }

    void enterSubFolder(const QByteArray& name) {
        const QByteArray path = joinPath(stack_.back().path, name);
        if (rules_->leavesOutUnopened(name.constData(), path)) {
            visitor_.folderLeftOut(path);
            return;
        }
        FileSystem::Folder folder;
        WalkRules::Verdict verdict{};
        try {
            folder = fs_.openSubFolder(stack_.back().folder.handle(), name.constData());
            verdict = rules_->judgeOpened(fs_, folder.handle(), stack_.back().device, rootDevice_);
        } catch (const FileSystemFailure& failure) {
            visitor_.folderSkipped(path, failure.description());
            return;
        }
        if (verdict.leftOut) {
            visitor_.folderLeftOut(path);
            return;
        }
        stack_.push_back(Frame{path, std::move(folder), {}, {}, 0, verdict.device});
        keepOpenFoldersBounded();
        try {
            listFolder(stack_.back());
        } catch (const FileSystemFailure& failure) {
            // What was found before the failure stays; the folder's own sub-folders are not entered.
            visitor_.folderSkipped(path, failure.description());
            stack_.back().subFolders.clear();
        }
    }

    void keepOpenFoldersBounded() {
        if (stack_.size() <= kOpenFolders)
            return;
        Frame& old = stack_[stack_.size() - 1 - kOpenFolders];
        if (!old.folder.isOpen())
            return;
        old.id = fs_.identify(old.folder.handle());
        old.folder.reset();
    }

    void leaveFolder() {
        Frame done = std::move(stack_.back());
        stack_.pop_back();
        if (!stack_.empty() && !stack_.back().folder.isOpen()) {
            Frame& parent = stack_.back();
            try {
                if (!done.folder.isOpen())
                    throw FileSystemFailure(QString()); // nothing left to find the way back from
                parent.folder = fs_.openParent(done.folder.handle(), parent.id);
            } catch (const FileSystemFailure& failure) {
                // The branch above was moved or removed meanwhile; its remaining sub-folders are lost
                // to this walk, and the user is told so.
                if (parent.next < parent.subFolders.size())
                    visitor_.folderSkipped(parent.path, failure.description());
                parent.next = parent.subFolders.size();
            }
        }
    }

    FileSystem& fs_;
    bool includeSubFolders_;
    WalkVisitor& visitor_;
    const std::shared_ptr<const WalkRules> rules_;
    std::uint64_t rootDevice_ = 0;
    std::vector<Frame> stack_;
    bool started_ = false;
    std::optional<QByteArray> next_; // the sub-folder the walk enters at its next step
};

} // namespace

std::unique_ptr<SteppedWalk> sequentialWalk(FileSystem& fileSystem, FileSystem::Folder root,
                                            const QByteArray& rootPath, bool includeSubFolders,
                                            WalkVisitor& visitor, std::shared_ptr<const WalkRules> rules) {
    return std::make_unique<Walk>(fileSystem, std::move(root), rootPath, includeSubFolders, visitor,
                                  std::move(rules));
}

void walkToEnd(SteppedWalk& walk, WalkVisitor& visitor) {
    for (;;) {
        switch (walk.advance()) {
        case WalkStep::Done:
            return;
        case WalkStep::Waiting:
            if (!visitor.stillWaiting())
                return;
            break;
        case WalkStep::BeforeSubFolder:
            break;
        }
    }
}

void ScanFolder(FileSystem& fileSystem, FileSystem::Folder root, const QByteArray& rootPath,
                bool includeSubFolders, WalkVisitor& visitor, std::shared_ptr<const WalkRules> rules) {
    walkToEnd(
        *sequentialWalk(fileSystem, std::move(root), rootPath, includeSubFolders, visitor, std::move(rules)),
        visitor);
}

} // namespace zorvik
