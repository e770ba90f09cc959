// "Move Checked To Folder": every way a move can go wrong, and no file ever lost.
#include "Gate.h"
#include "RefusingTrash.h"
#include "ResultFixture.h"

#include "core/Mailbox.h"
#include "folders/FolderList.h"
#include "platform/OperationJournal.h"
#include "platform/PosixFileOperations.h"
#include "platform/UniqueFd.h"
#include "shell/HoverButton.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QTest>

#include "core/Failure.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <map>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

using Kind = ScriptedDialogs::Kind;

// The real operations, with failures injected per step and the copy path forced on demand.
class FaultyOperations : public PosixFileOperations {
public:
    using PosixFileOperations::PosixFileOperations;
    bool crossFilesystem = false; // the source and the destination count as different mounts
    int copyError = 0;
    int syncError = 0;
    int claimError = 0;  // the source cannot leave its folder
    int removeError = 0; // the source cannot be removed once its copy is in place
    bool throwOnMove = false;
    int copies = 0;                                   // how often bytes were copied
    std::function<void()> duringCopy;                 // runs while the bytes are being copied
    std::function<void()> afterCopy;                  // runs once they are copied
    std::function<void(const FoundFile&)> beforeMove; // runs before each file's move, on its worker
    std::function<void()> afterChecks;                // runs once the file and its destination are checked

    MoveOutcome moveFile(const FoundFile& source, const Destination& destination,
                         const IsBeingMoved& isBeingMoved) override {
        if (throwOnMove)
            throw Failure(u"Input/output error"_s);
        if (beforeMove)
            beforeMove(source);
        return PosixFileOperations::moveFile(source, destination, isBeingMoved);
    }

protected:
    bool sameMount(int a, int b) override {
        if (afterChecks)
            afterChecks();
        return !crossFilesystem && PosixFileOperations::sameMount(a, b);
    }
    std::optional<QString> claimSource(int folder, const QByteArray& name, const FileId& id,
                                       std::optional<ClaimedFile>& claimed) override {
        if (claimError)
            return errnoText(claimError);
        return PosixFileOperations::claimSource(folder, name, id, claimed);
    }
    int copyBytes(int from, int to, long long size, const std::atomic<bool>& stop) override {
        ++copies;
        if (duringCopy)
            duringCopy();
        if (copyError) {
            PosixFileOperations::copyBytes(from, to, size / 2, stop); // fails halfway through
            return copyError;
        }
        const int error = PosixFileOperations::copyBytes(from, to, size, stop);
        if (afterCopy)
            afterCopy();
        return error;
    }
    int syncFile(int fd) override { return syncError ? syncError : PosixFileOperations::syncFile(fd); }
    int removeClaimed(int folder, const QByteArray& privateName) override {
        return removeError ? removeError : PosixFileOperations::removeClaimed(folder, privateName);
    }
};

// The test's trash, which can act as a same-named file goes to it.
class WatchedTrash : public RefusingTrash {
public:
    std::function<void()> onTrash;
    std::optional<QString> trashEntry(int folder, const QByteArray& name, const FileId& id,
                                      const QByteArray& path, Receipt* receipt) override {
        if (onTrash)
            onTrash();
        return RefusingTrash::trashEntry(folder, name, id, path, receipt);
    }
};

class Move : public ResultFixture {
protected:
    void customise(Services& s) override {
        ResultFixture::customise(s);
        s.fileOperations = operations;
        // A yield at every row, and the test's action at exactly the yield it names.
        s.rowYieldIntervalMs = 0;
        s.yieldHook = [this] {
            ++yields;
            if (onYield)
                onYield();
        };
    }
    // Every file under the tree and the destination, with its content: nothing may ever vanish.
    std::map<QByteArray, QByteArray> everything() {
        std::map<QByteArray, QByteArray> all;
        for (const QString& root : {tree.rootText(), target.rootText()}) {
            QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QByteArray path = QFile::encodeName(it.next());
                all[path.mid(path.lastIndexOf('/') + 1)] += contentOf(path) + ";";
            }
        }
        return all;
    }
    void moveTo(const TempTree& destination) {
        dialogs->folderAnswers = {destination.rootText()};
        clickAndFinish(form().PushButton8);
    }
    QByteArray in(const TempTree& t, const QByteArray& name) { return t.path(name); }

    std::shared_ptr<WatchedTrash> trash = std::make_shared<WatchedTrash>();
    std::shared_ptr<FaultyOperations> operations = std::make_shared<FaultyOperations>(trash);
    int yields = 0;
    std::function<void()> onYield;
    TempTree tree;
    TempTree target;
};

TEST_F(Move, CheckedFilesMoveTheirRowsLeaveAndTheFolderIsOfferedNextTime) {
    Form1& f = form();
    const QByteArray x = file(tree, "a/x.txt");
    const QByteArray y = file(tree, "b/y.log");
    const QByteArray z = file(tree, "b/z.txt");
    const QByteArray odd = file(tree, "b/\xff\xfe.bin");
    row(x, true);
    row(z);
    row(y, true);
    row(odd, true);
    moveTo(target);
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(z)});
    EXPECT_EQ(contentOf(in(target, "x.txt")), "content of a/x.txt");
    EXPECT_EQ(contentOf(in(target, "y.log")), "content of b/y.log");
    EXPECT_EQ(contentOf(in(target, "\xff\xfe.bin")), "content of b/\xff\xfe.bin");
    EXPECT_FALSE(exists(x));
    EXPECT_EQ(stored(u"LastFolder"_s), target.rootText());
    EXPECT_TRUE(dialogs->notices().isEmpty());
    EXPECT_EQ(f.pointerState(), PointerState::Default);

    dialogs->folderAnswers.clear();
    clickAndFinish(f.PushButton8); // cancelled: nothing changes
    EXPECT_EQ(dialogs->of(Kind::Folder).back().extra, target.rootText());
    EXPECT_EQ(dialogs->of(Kind::Folder).back().title, u"Move Checked Files To"_s);
    EXPECT_EQ(stored(u"LastFolder"_s), target.rootText());
}

TEST_F(Move, ATakenNameGoesToTheTrashFirstButNeverOneThisMoveTakesAlong) {
    Form1& f = form();
    const QByteArray first = file(tree, "one/same.txt");
    const QByteArray second = file(tree, "two/same.txt");
    const QByteArray old = file(tree, "a/old.txt");
    const QByteArray taken = file(target, "old.txt"); // not a result: it must survive in the trash
    // A checked file that is in the destination already is never replaced by another checked file.
    const QByteArray keep = file(target, "keep.txt");
    const QByteArray other = file(tree, "b/keep.txt");
    for (const QByteArray& path : {first, second, old, other, keep})
        row(path, true);
    moveTo(target);
    EXPECT_EQ(contentOf(in(target, "same.txt")), "content of one/same.txt");
    EXPECT_EQ(contentOf(second), "content of two/same.txt");
    EXPECT_EQ(contentOf(taken), "content of a/old.txt");
    EXPECT_EQ(contentOf(keep), "content of keep.txt");
    EXPECT_EQ(contentOf(other), "content of b/keep.txt");
    const QByteArray trash = qgetenv("XDG_DATA_HOME") + "/Trash";
    EXPECT_EQ(contentOf(trash + "/files/old.txt"), "content of old.txt");
    EXPECT_TRUE(contentOf(trash + "/info/old.txt.trashinfo").contains(QByteArray("\nPath=" + taken + "\n")));
    EXPECT_EQ(rows(),
              (QStringList{QFile::decodeName(second) + u" [x]"_s, QFile::decodeName(other) + u" [x]"_s,
                           QFile::decodeName(keep) + u" [x]"_s}));
    const QStringList notices = dialogs->notices();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith(u"1 file of the same name that was in that folder is now in the trash."
                                      u"\n\n3 files were not moved:\n"_s))
        << notices[0].toStdString();
    EXPECT_TRUE(notices[0].contains(QFile::decodeName(other) + u" (A checked file of the same name"_s));
    EXPECT_EQ(f.pointerState(), PointerState::Default);
}

TEST_F(Move, ATakenNameTheTrashRefusesKeepsBothFilesWhereTheyWere) {
    for (bool acrossFilesystems : {false, true}) {
        SCOPED_TRACE(acrossFilesystems);
        dialogs->shown.clear();
        clickAndFinish(form().PushButton6);
        const QByteArray a = file(tree, "a.txt");
        file(target, "a.txt");
        ASSERT_EQ(::truncate(in(target, "a.txt").constData(), 3), 0); // unlike the source: no mix-up hides
        row(a, true);
        trash->refuse = {"a.txt"};
        operations->crossFilesystem = acrossFilesystems;
        const auto before = everything();
        moveTo(target);
        EXPECT_EQ(everything(), before);
        EXPECT_EQ(rows(), QStringList{QFile::decodeName(a) + u" [x]"_s});
        ASSERT_EQ(dialogs->notices().size(), 1);
        EXPECT_TRUE(dialogs->notices()[0].contains(u"could not be put in the trash: Permission denied"_s))
            << dialogs->notices()[0].toStdString();
    }
}

TEST_F(Move, MovingIntoTheFilesOwnFolderLeavesItAlone) {
    const QByteArray x = file(tree, "x.txt");
    row(x, true);
    moveTo(tree);
    EXPECT_EQ(contentOf(x), "content of x.txt");
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(x) + u" [x]"_s});
    EXPECT_EQ(dialogs->notices().size(), 1);
}

TEST_F(Move, ACopyThatFailsOrCannotBeVerifiedNeverCostsTheSource) {
    file(tree, "a.txt");
    file(tree, "b.txt");
    file(target, "b.txt"); // an older b.txt that must survive a failed replacement too
    row(in(tree, "a.txt"), true);
    row(in(tree, "b.txt"), true);
    const auto before = everything();
    operations->crossFilesystem = true;
    for (int* fault : {&operations->copyError, &operations->syncError}) {
        *fault = ENOSPC;
        dialogs->shown.clear();
        moveTo(target);
        *fault = 0;
        EXPECT_EQ(everything(), before);
        EXPECT_EQ(form().results->count(), 2);
        ASSERT_EQ(dialogs->notices().size(), 1);
        EXPECT_TRUE(dialogs->notices()[0].contains(u"No space left on device"_s));
    }
    EXPECT_TRUE(QDir(target.rootText()).entryList(QDir::Hidden | QDir::Files).contains(u"b.txt"_s));
    EXPECT_EQ(QDir(target.rootText()).entryList(QDir::Hidden | QDir::Files).size(), 1); // no temporary left
}

TEST_F(Move, ARealFullDiskOnTheOtherSideKeepsTheSourceAndLeavesNoPart) {
    LoopFilesystem full;
    if (!full.valid())
        GTEST_SKIP() << "this machine cannot mount a filesystem of its own";
    const QByteArray root = full.root();
    const QByteArray fill = "(cat /dev/zero >'" + root + "/filler' 2>/dev/null; true) && sync";
    ASSERT_EQ(std::system(fill.constData()), 0);
    const QByteArray big = tree.path("big.bin");
    {
        QFile out(QFile::decodeName(big));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        for (int i = 0; i < 256; ++i)
            out.write(QByteArray(1024, char('a' + i % 26)));
    }
    const QByteArray before = contentOf(big);
    row(big, true);
    dialogs->folderAnswers = {QFile::decodeName(root)};
    clickAndFinish(form().PushButton8);
    EXPECT_EQ(contentOf(big), before);
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(big) + u" [x]"_s});
    ASSERT_EQ(dialogs->notices().size(), 1);
    EXPECT_TRUE(dialogs->notices()[0].contains(u"No space left on device"_s))
        << dialogs->notices()[0].toStdString();
    EXPECT_EQ(QDir(QFile::decodeName(root)).entryList(QDir::Hidden | QDir::Files), QStringList{u"filler"_s});
}

TEST_F(Move, ASourceThatCannotBeRemovedAfterItsCopyKeepsItsRow) {
    const QByteArray a = file(tree, "a.txt");
    row(a, true);
    operations->crossFilesystem = true;
    operations->removeError = EACCES;
    moveTo(target);
    EXPECT_EQ(contentOf(a), "content of a.txt");
    EXPECT_EQ(contentOf(in(target, "a.txt")), "content of a.txt");
    EXPECT_EQ(form().results->count(), 1);
    ASSERT_EQ(dialogs->notices().size(), 1);
    EXPECT_TRUE(dialogs->notices()[0].contains(u"could not be removed"_s));
}

TEST_F(Move, ASourceThatCannotLeaveItsFolderLeavesEveryFileAsItWas) {
    const QByteArray a = file(tree, "a.txt");
    const QByteArray old = file(target, "a.txt"); // the destination's own a.txt must not be replaced
    row(a, true);
    operations->claimError = EACCES;
    // Other tests of the process may have trashed an a.txt of their own.
    const QDir trash(u"%1/Trash/files"_s.arg(qEnvironmentVariable("XDG_DATA_HOME")));
    const QStringList trashedBefore = trash.entryList(QDir::Files);
    for (bool acrossFilesystems : {true, false}) {
        SCOPED_TRACE(acrossFilesystems);
        operations->crossFilesystem = acrossFilesystems;
        dialogs->shown.clear();
        const auto before = everything();
        moveTo(target);
        EXPECT_EQ(everything(), before);
        EXPECT_EQ(contentOf(old), "content of a.txt");
        EXPECT_EQ(rows(), QStringList{QFile::decodeName(a) + u" [x]"_s});
        ASSERT_EQ(dialogs->notices().size(), 1);
        EXPECT_TRUE(dialogs->notices()[0].startsWith(u"1 file was not moved:"_s));
        EXPECT_TRUE(dialogs->notices()[0].contains(u"(Permission denied)"_s))
            << dialogs->notices()[0].toStdString();
    }
    EXPECT_EQ(trash.entryList(QDir::Files), trashedBefore);
}

// An editor saves by renaming a new file over the old one: saved just as the move takes the file, the
// new version is not the file the user checked, and it stays where it is.
TEST_F(Move, AFileSavedOverTheFoundOneAsItLeavesStaysWhereItWas) {
    const QByteArray a = file(tree, "a.txt");
    row(a, true);
    operations->afterChecks = [&] {
        operations->afterChecks = nullptr;
        const QByteArray saved = file(tree, "a.txt.new");
        ASSERT_EQ(::rename(saved.constData(), a.constData()), 0);
    };
    moveTo(target);
    EXPECT_EQ(contentOf(a), "content of a.txt.new");
    EXPECT_FALSE(exists(in(target, "a.txt")));
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(a) + u" [x]"_s});
    ASSERT_EQ(dialogs->notices().size(), 1);
    EXPECT_TRUE(dialogs->notices()[0].contains(u"(It has changed since the search.)"_s))
        << dialogs->notices()[0].toStdString();
}

TEST_F(Move, AFolderSwappedForALinkAfterTheSearchLeavesTheFilesThereToMoveAndTrash) {
    // Searched, then sub swapped for a link to a folder elsewhere with a file of the same name.
    TempTree outside;
    const QByteArray found = tree.file("sub/f.dat", 150);
    const QByteArray stranger = file(outside, "f.dat");
    Form1& f = form();
    f.folders->add(tree.rootText());
    clickAndFinish(f.PushButton1);
    ASSERT_EQ(rows(), QStringList{QFile::decodeName(found)});
    ASSERT_EQ(::rename(tree.path("sub").constData(), tree.path("sub-real").constData()), 0);
    tree.link(outside.root(), "sub");
    f.results->setAllChecked(true);
    dialogs->shown.clear();
    moveTo(target);
    dialogs->yesNoAnswers = {true};
    clickAndFinish(f.PushButton10);
    EXPECT_EQ(contentOf(stranger), "content of f.dat");
    EXPECT_FALSE(exists(in(target, "f.dat")));
    EXPECT_FALSE(QDir(u"%1/Trash/files"_s.arg(qEnvironmentVariable("XDG_DATA_HOME"))).exists(u"f.dat"_s));
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(found) + u" [x]"_s});
    const QStringList notices = dialogs->notices();
    ASSERT_EQ(notices.size(), 2);
    for (const QString& notice : notices)
        EXPECT_TRUE(notice.contains(u"(It has changed since the search.)"_s)) << notice.toStdString();
}

TEST_F(Move, AFolderSwappedForALinkDuringTheCopyCostsNoFileOutsideTheSearch) {
    // The search found sub/big.bin; while its copy runs, sub becomes a link to a folder elsewhere that
    // holds a big.bin of its own.
    TempTree outside;
    const QByteArray found = file(tree, "sub/big.bin");
    const QByteArray stranger = file(outside, "big.bin");
    row(found, true, u"1 KB"_s, tree.root().size());
    operations->crossFilesystem = true;
    operations->duringCopy = [&] {
        operations->duringCopy = nullptr;
        ASSERT_EQ(::rename(tree.path("sub").constData(), tree.path("sub-real").constData()), 0);
        tree.link(outside.root(), "sub");
    };
    moveTo(target);
    EXPECT_EQ(contentOf(stranger), "content of big.bin");
    EXPECT_EQ(contentOf(in(target, "big.bin")), "content of sub/big.bin");
    EXPECT_FALSE(exists(tree.path("sub-real/big.bin"))); // the found file itself has moved
    EXPECT_EQ(form().results->count(), 0);
    EXPECT_TRUE(dialogs->notices().isEmpty());
}

TEST_F(Move, AcrossFilesystemsTheCopyKeepsContentModeAndTime) {
    if (!QDir(u"/dev/shm"_s).exists())
        GTEST_SKIP() << "no /dev/shm";
    TempTree shm(u"/dev/shm"_s);
    const QByteArray a = file(tree, "a.txt");
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(a.constData(), 1234, 5678), 0);
    }
    ASSERT_EQ(::chmod(a.constData(), 0640), 0);
    const timespec times[2] = {{1000000000, 0}, {1234567890, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, a.constData(), times, 0), 0);
    // An extended attribute, where both file systems keep them.
    const bool attributes = ::setxattr(a.constData(), "user.zorvik", "kept", 4, 0) == 0 &&
                            ::setxattr(shm.root().constData(), "user.zorvik", "probe", 5, 0) == 0;
    tree.link("a.txt", "link");
    row(a, true);
    row(in(tree, "link"), true);
    moveTo(shm);
    struct stat moved {};
    ASSERT_EQ(::stat(in(shm, "a.txt").constData(), &moved), 0);
    EXPECT_EQ(contentOf(in(shm, "a.txt")), "content of a.txt");
    EXPECT_EQ(moved.st_mode & 07777, 0640u);
    EXPECT_EQ(moved.st_mtim.tv_sec, 1234567890);
    if (root) {
        EXPECT_EQ(moved.st_uid, 1234u);
        EXPECT_EQ(moved.st_gid, 5678u);
    }
    if (attributes) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(in(shm, "a.txt").constData(), "user.zorvik", value, sizeof value), 4);
        EXPECT_STREQ(value, "kept");
    }
    char target[64] = {};
    EXPECT_EQ(::readlink(in(shm, "link").constData(), target, sizeof target - 1), 5); // still a link
    EXPECT_FALSE(exists(a));
    EXPECT_EQ(form().results->count(), 0);
}

TEST_F(Move, ClearResultsDuringTheMoveWaitsForIt) {
    for (const char* name : {"a", "b", "c"})
        row(file(tree, name), true);
    // "Clear Results" at the second row's yield, once the first file has moved.
    onYield = [&] {
        if (yields == 2)
            form().PushButton6->click();
    };
    moveTo(target);
    EXPECT_EQ(form().results->count(), 0);
    EXPECT_TRUE(dialogs->errorReports().isEmpty());
    for (const char* name : {"a", "b", "c"})
        EXPECT_EQ(contentOf(in(target, name)), QByteArray("content of ") + name);
    EXPECT_EQ(form().pointerState(), PointerState::Default);
}

TEST_F(Move, AFailureNamesTheRowItWasOnAndOnlyThen) {
    const QByteArray a = file(tree, "a.txt");
    row(a, true);
    operations->throwOnMove = true;
    moveTo(target);
    QStringList reports = dialogs->errorReports();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(u"PushButton8_Click at line 126"_s));
    EXPECT_TRUE(reports[0].endsWith(u"\r\rFile: "_s + QFile::decodeName(a))) << reports[0].toStdString();
    EXPECT_EQ(contentOf(a), "content of a.txt");
    EXPECT_EQ(form().results->count(), 1);

    // Before any row is handled there is no row to name.
    dialogs->shown.clear();
    dialogs->onShow = [](const ScriptedDialogs::Shown& shown) {
        if (shown.kind == Kind::Folder)
            throw Failure(u"The folder dialog failed."_s);
    };
    clickAndFinish(form().PushButton8);
    reports = dialogs->errorReports();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(u"at line 106"_s));
    EXPECT_FALSE(reports[0].contains(u"File: "_s));
}

TEST_F(Move, ASourceWrittenDuringItsMoveAcrossFilesystemsStaysWithEveryWrite) {
    const QByteArray a = tree.path("a.txt");
    file(target, "a.txt");
    ASSERT_EQ(::truncate(in(target, "a.txt").constData(), 8), 0); // older, and unlike the source
    const auto inPlace = [](int fd) { EXPECT_EQ(::pwrite(fd, "CONTENT", 7, 0), 7); };
    const std::vector<std::tuple<const char*, std::function<void()>*, std::function<void(int)>>> cases = {
        {"appended during the copy", &operations->duringCopy,
         [](int fd) { EXPECT_EQ(::pwrite(fd, "+", 1, 16), 1); }},
        {"shrunk during the copy", &operations->duringCopy, [](int fd) { EXPECT_EQ(::ftruncate(fd, 3), 0); }},
        {"written in place after the copy", &operations->afterCopy, inPlace},
        {"written as the older a.txt goes to the trash", &trash->onTrash, inPlace},
    };
    operations->crossFilesystem = true;
    for (const auto& [what, when, write] : cases) {
        SCOPED_TRACE(what);
        dialogs->shown.clear();
        clickAndFinish(form().PushButton6);
        file(tree, "a.txt");
        const timespec old[2] = {{1000000000, 0}, {1000000000, 0}}; // a write shows however coarse the clock
        ASSERT_EQ(::utimensat(AT_FDCWD, a.constData(), old, 0), 0);
        row(a, true);
        const UniqueFd writer(::open(a.constData(), O_RDWR));
        *when = [&, write = write, written = false]() mutable {
            if (!std::exchange(written, true))
                write(writer.get());
        };
        auto expected = everything();
        moveTo(target);
        *when = nullptr;
        expected["a.txt"].replace(QByteArray("content of a.txt;"), QByteArray(contentOf(a) + ";"));
        EXPECT_EQ(everything(), expected);
        EXPECT_NE(contentOf(a), "content of a.txt"); // the write was made
        EXPECT_EQ(rows(), QStringList{QFile::decodeName(a) + u" [x]"_s});
        ASSERT_EQ(dialogs->notices().size(), 1);
        EXPECT_TRUE(dialogs->notices()[0].contains(u"(It changed during the move.)"_s));
    }
}

TEST_F(Move, AFolderOrALinkOfTheSameNameIsNeverTrashedToMakeRoom) {
    row(file(tree, "report.pdf"), true);
    row(file(tree, "notes.txt"), true);
    file(target, "report.pdf/inside.txt");
    target.link("report.pdf/inside.txt", "notes.txt");
    const auto before = everything();
    moveTo(target);
    EXPECT_EQ(everything(), before);
    struct stat link {};
    EXPECT_TRUE(::lstat(in(target, "notes.txt").constData(), &link) == 0 && S_ISLNK(link.st_mode));
    EXPECT_EQ(form().results->count(), 2);
    ASSERT_EQ(dialogs->notices().size(), 1);
    EXPECT_TRUE(dialogs->notices()[0].contains(u"(A folder of the same name is in that folder.)"_s));
    EXPECT_TRUE(dialogs->notices()[0].contains(u"(A link or other special file of the same name"_s));
}

TEST_F(Move, ADestinationSwappedForALinkDuringTheMoveStillGetsTheLaterFiles) {
    // Before b.txt moves, the chosen folder becomes a link to a folder elsewhere with a b.txt of its own.
    TempTree outside;
    const QByteArray stranger = file(outside, "b.txt");
    row(file(tree, "a.txt"), true);
    row(file(tree, "b.txt"), true);
    target.folder("chosen");
    operations->beforeMove = [&](const FoundFile& source) {
        if (source.path.endsWith("b.txt") &&
            ::rename(target.path("chosen").constData(), target.path("renamed").constData()) == 0)
            target.link(outside.root(), "chosen");
    };
    dialogs->folderAnswers = {QFile::decodeName(target.path("chosen"))};
    clickAndFinish(form().PushButton8);
    EXPECT_EQ(contentOf(target.path("renamed/a.txt")), "content of a.txt");
    EXPECT_EQ(contentOf(target.path("renamed/b.txt")), "content of b.txt");
    EXPECT_EQ(contentOf(stranger), "content of b.txt");
    EXPECT_EQ(QDir(outside.rootText()).entryList(QDir::Hidden | QDir::Files), QStringList{u"b.txt"_s});
    EXPECT_EQ(form().results->count(), 0);
}

// A tmpfs of 8 MiB for the test (tests run as root): another file system, with little room.
struct SmallTmpfs {
    TempTree folder;
    const bool mounted = ::mount("tmpfs", folder.root().constData(), "tmpfs", 0, "size=8m") == 0;
    ~SmallTmpfs() { mounted&& ::umount2(folder.root().constData(), MNT_DETACH); }
};

QByteArray digestOf(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    QCryptographicHash hash(QCryptographicHash::Md5);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : "<unreadable>";
}

TEST_F(Move, AcrossFilesystemsHolesStayHolesAndWhatCannotFitIsRefusedBeforeAByteIsWritten) {
    SmallTmpfs small;
    if (!small.mounted)
        GTEST_SKIP() << "this machine refuses to mount a tmpfs of the test's own";
    // 32 MiB long, 12 KiB of data: the rest is holes, which an 8 MiB file system takes in its stride.
    const QByteArray sparse = tree.file("sparse.img", 32 << 20);
    const UniqueFd fd(::open(sparse.constData(), O_WRONLY));
    for (const off_t at : {off_t(0), off_t(16) << 20, (off_t(32) << 20) - 4096})
        EXPECT_EQ(::pwrite(fd.get(), QByteArray(4096, 'd').constData(), 4096, at), 4096);
    struct stat source {};
    ASSERT_EQ(::stat(sparse.constData(), &source), 0);
    const QByteArray content = digestOf(sparse);
    // 9 MiB taken on disk, which cannot fit.
    const QByteArray big = tree.file("big.bin", 0);
    const UniqueFd bigFd(::open(big.constData(), O_WRONLY));
    ASSERT_EQ(::posix_fallocate(bigFd.get(), 0, 9 << 20), 0);
    row(sparse, true);
    row(big, true);
    dialogs->folderAnswers = {small.folder.rootText()};
    clickAndFinish(form().PushButton8);
    struct stat arrived {};
    ASSERT_EQ(::stat(small.folder.path("sparse.img").constData(), &arrived), 0);
    EXPECT_EQ(digestOf(small.folder.path("sparse.img")), content);
    EXPECT_LE(arrived.st_blocks, source.st_blocks + 64); // a page or so of slack per piece of data
    EXPECT_EQ(operations->copies, 1);                    // the file that cannot fit was not even begun
    EXPECT_EQ(QDir(small.folder.rootText()).entryList(QDir::Hidden | QDir::Files),
              QStringList{u"sparse.img"_s});
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(big) + u" [x]"_s});
    ASSERT_EQ(dialogs->notices().size(), 1);
    EXPECT_TRUE(dialogs->notices()[0].contains(u"(No space left on device)"_s));
}

TEST_F(Move, StopOrEscapeEndsTheMoveBetweenFilesAndLeavesTheRestInTheList) {
    Form1& f = form();
    f.show();
    QApplication::setActiveWindow(&f); // Escape reaches only the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    for (bool byEscape : {true, false}) {
        SCOPED_TRACE(byEscape);
        clickAndFinish(f.PushButton6);
        dialogs->shown.clear();
        TempTree from;
        TempTree to;
        const QByteArray a = file(from, "a.txt");
        const QByteArray b = file(from, "b.txt");
        const QByteArray c = file(from, "c.txt");
        for (const QByteArray& path : {a, b, c})
            row(path, true);
        // Stopped at the first turn after the first file has moved, from the button that reads "Stop".
        QString caption;
        onYield = [&] {
            if (exists(a))
                return;
            caption = f.PushButton8->text();
            if (byEscape)
                QTest::keyClick(&f, Qt::Key_Escape);
            else
                f.PushButton8->click();
            onYield = nullptr;
        };
        moveTo(to);
        EXPECT_EQ(caption, u"Stop"_s);
        EXPECT_EQ(f.PushButton8->text(), u"Move Checked To Folder"_s);
        EXPECT_EQ(contentOf(in(to, "a.txt")), "content of a.txt");
        EXPECT_FALSE(exists(in(to, "b.txt")));
        EXPECT_EQ(contentOf(b), "content of b.txt");
        EXPECT_EQ(contentOf(c), "content of c.txt");
        EXPECT_EQ(rows(), (QStringList{QFile::decodeName(b) + u" [x]"_s, QFile::decodeName(c) + u" [x]"_s}));
        EXPECT_EQ(dialogs->notices(), QStringList{u"Stopped: 1 of 3 files moved."_s});
        EXPECT_EQ(f.pointerState(), PointerState::Default);
    }
}

// Held at the gate once a chunk of a copy is written, until the test has pressed Stop.
Gate* chunkGate = nullptr;
void holdAfterAChunk(const char* step) {
    if (chunkGate && std::strcmp(step, "chunk copied") == 0)
        chunkGate->pass();
}

TEST_F(Move, AStopDuringALargeFilesCopyEndsItBetweenChunksAndLeavesEveryFileAsItWas) {
    Form1& f = form();
    const QByteArray big = tree.path("big.bin");
    {
        QFile out(QFile::decodeName(big));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QByteArray(3 << 20, 'x')); // data in every chunk, no hole to skip
    }
    const QByteArray after = file(tree, "after.txt");
    row(big, true);
    row(after, true);
    operations->crossFilesystem = true;
    Gate gate;
    Mailbox mailbox;
    gate.whenHeld([&] {
        mailbox.post([&] {
            f.PushButton8->click(); // it reads "Stop" meanwhile
            gate.open();
        });
    });
    chunkGate = &gate;
    setStepHook(holdAfterAChunk);
    const auto before = everything();
    moveTo(target);
    setStepHook(nullptr);
    chunkGate = nullptr;
    EXPECT_EQ(gate.passes(), 1);     // not one chunk more after the stop
    EXPECT_EQ(everything(), before); // no part left in the destination, the source as it was
    EXPECT_EQ(rows(),
              (QStringList{QFile::decodeName(big) + u" [x]"_s, QFile::decodeName(after) + u" [x]"_s}));
    EXPECT_EQ(dialogs->notices(), QStringList{u"Stopped: 0 of 2 files moved."_s});
}

} // namespace
} // namespace zorvik::test
