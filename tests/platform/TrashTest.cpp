// Which trash a file goes to, and under which name: the home trash for files on its file system, also
// before the home's data folder exists; a bind mount of that device keeps its own (no rename reaches
// the home trash from there); a name too long for a record of its own is shortened in the trash only.
#include "platform/FreedesktopTrash.h"

#include "core/PathParts.h"

#include "QtPrinters.h"
#include "TempTree.h"

#include <QDir>
#include <QUtf8StringView>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvik::test {
namespace {

// `folder` mounted again at `at` for as long as it lives (tests run as root).
class BindMount {
public:
    BindMount(const QByteArray& folder, const QByteArray& at) : at_(at) {
        mounted_ = std::system(
                       QByteArray("mount --bind '" + folder + "' '" + at + "' 2>/dev/null").constData()) == 0;
    }
    ~BindMount() {
        if (mounted_)
            std::system(QByteArray("umount '" + at_ + "'").constData());
    }
    BindMount(const BindMount&) = delete;
    BindMount& operator=(const BindMount&) = delete;
    bool valid() const { return mounted_; }

private:
    QByteArray at_;
    bool mounted_ = false;
};

QByteArray contentOf(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QByteArray& path, const QByteArray& content) {
    QFile out(QFile::decodeName(path));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(content);
}

FileId identityOf(const QByteArray& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.constData(), &status), 0) << path.constData();
    return {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
}

// The original path a trash's record names, as its Path= line has it.
QByteArray recordedPath(const QByteArray& record) {
    for (const QByteArray& line : contentOf(record).split('\n'))
        if (line.startsWith("Path="))
            return QByteArray::fromPercentEncoding(line.mid(5));
    return {};
}

mode_t modeOf(const QByteArray& path) {
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Who trashes a file: root, or an ordinary user in a child process.
struct User {
    QByteArray name;
    uid_t uid = 0;
    gid_t gid = 0;
};

// The home trash as the program finds it, in a child process that runs as `user` with `home` as its
// home and no data folder there yet; it ends with 0 when `file` went to the trash.
[[noreturn]] void trashAs(const User& user, const QByteArray& home, const FoundFile& file) {
    if (user.uid != 0 && (::setgroups(0, nullptr) != 0 || ::setgid(user.gid) != 0 || ::setuid(user.uid) != 0))
        ::_exit(2);
    qputenv("HOME", home);
    qputenv("XDG_DATA_HOME", home + "/.local/share");
    qputenv("XDG_STATE_HOME", home + "/.local/state");
    FreedesktopTrash trash;
    const std::optional<QString> refused = trash.moveToTrash(file);
    if (refused)
        std::fprintf(stderr, "refused: %s\n", qPrintable(*refused));
    ::_exit(refused ? 1 : 0);
}

TEST(Trash, AFileOnABindMountOfTheHomeTrashsDeviceGoesToThatMountsTrash) {
    LoopFilesystem disk; // a file system that keeps a trash, whatever the machine's temporary one is
    if (!disk.valid())
        GTEST_SKIP() << "this machine cannot mount a filesystem of its own";
    const QByteArray top = disk.root();
    for (const char* folder : {"/home", "/shared", "/view"})
        ASSERT_EQ(::mkdir(QByteArray(top + folder).constData(), 0755), 0);
    const BindMount view(top + "/shared", top + "/view");
    if (!view.valid())
        GTEST_SKIP() << "this machine cannot bind-mount";
    const QByteArray path = top + "/view/far.txt";
    {
        QFile out(QFile::decodeName(path));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("far away");
    }
    struct stat status {};
    ASSERT_EQ(::lstat(path.constData(), &status), 0);

    FreedesktopTrash trash(top + "/home/Trash");
    const FoundFile found{path, top.size() + 5, {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)}};
    EXPECT_EQ(trash.moveToTrash(found), std::nullopt);

    const QByteArray own = top + "/shared/.Trash-" + QByteArray::number(::getuid());
    EXPECT_EQ(contentOf(own + "/files/far.txt"), "far away");
    EXPECT_TRUE(contentOf(own + "/info/far.txt.trashinfo").contains("\nPath=far.txt\n"));
    EXPECT_FALSE(QFile::exists(QFile::decodeName(path)));
    // The home trash was tried first: it keeps neither the file nor a record of it.
    EXPECT_TRUE(QDir(QFile::decodeName(top + "/home/Trash/files")).isEmpty());
    EXPECT_TRUE(QDir(QFile::decodeName(top + "/home/Trash/info")).isEmpty());
}

TEST(Trash, AFileOnTheHomeFilesystemGoesToAHomeTrashMadeForIt) {
    LoopFilesystem disk; // the home's file system, whose top folder only an administrator may write
    if (!disk.valid())
        GTEST_SKIP() << "this machine cannot mount a filesystem of its own";
    const passwd* nobody = ::getpwnam("nobody");
    if (::getuid() != 0 || !nobody)
        GTEST_SKIP() << "trying an ordinary user needs root and the user nobody";
    const User ordinary{"nobody", nobody->pw_uid, nobody->pw_gid};
    const QByteArray top = disk.root();
    ASSERT_EQ(::chmod(parentOf(top).constData(), 0755), 0); // the ordinary user reaches the disk
    for (const User& user : {User{"root"}, ordinary}) {
        SCOPED_TRACE(user.name.constData());
        const QByteArray home = top + "/home-" + user.name;
        const QByteArray shared = top + "/shared-" + user.name; // beside the home, not in it
        for (const QByteArray& folder : {home, shared}) {
            ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
            ASSERT_EQ(::chown(folder.constData(), user.uid, user.gid), 0);
        }
        const QByteArray path = shared + "/far.txt";
        writeFile(path, "far away");
        ASSERT_EQ(::chown(path.constData(), user.uid, user.gid), 0);
        const FoundFile found{path, shared.size(), identityOf(path)};

        EXPECT_EXIT(trashAs(user, home, found), ::testing::ExitedWithCode(0), "");

        const QByteArray trash = home + "/.local/share/Trash";
        EXPECT_EQ(contentOf(trash + "/files/far.txt"), "far away");
        EXPECT_EQ(recordedPath(trash + "/info/far.txt.trashinfo"), path);
        EXPECT_FALSE(QFile::exists(QFile::decodeName(path)));
        EXPECT_FALSE(QFile::exists(QFile::decodeName(top + "/.Trash-" + QByteArray::number(user.uid))));
        for (const char* made : {"/.local", "/.local/share", "/.local/share/Trash",
                                 "/.local/share/Trash/files", "/.local/share/Trash/info"})
            EXPECT_EQ(modeOf(home + made), 0700u) << made;
    }
}

TEST(Trash, ANameTooLongForItsRecordIsShortenedInTheTrashAndRestoredWhole) {
    TempTree tree;
    // 255 bytes of two-byte characters and one more byte: a cut at the room left must step back.
    QByteArray name;
    for (int i = 0; i < 127; ++i)
        name += "\xc3\xa9";
    name += 'x';
    ASSERT_EQ(name.size(), 255);
    FreedesktopTrash trash(tree.path("data/Trash"));
    std::vector<Trash::Receipt> receipts;
    for (const char* folder : {"a", "b"}) {
        tree.folder(folder);
        const QByteArray path = tree.path(folder) + '/' + name;
        writeFile(path, folder);
        const UniqueFd opened(::open(tree.path(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        Trash::Receipt receipt;
        EXPECT_EQ(trash.trashEntry(opened.get(), name, identityOf(path), path, &receipt), std::nullopt);
        EXPECT_FALSE(QFile::exists(QFile::decodeName(path)));
        EXPECT_TRUE(QUtf8StringView(receipt.name).isValidUtf8());
        EXPECT_EQ(recordedPath(tree.path("data/Trash/info/") + receipt.name + ".trashinfo"), path);
        EXPECT_EQ(contentOf(tree.path("data/Trash/files/") + receipt.name), folder);
        receipts.push_back(std::move(receipt));
    }
    ASSERT_EQ(receipts.size(), 2u);
    EXPECT_NE(receipts[0].name, receipts[1].name);

    const UniqueFd b(::open(tree.path("b").constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    EXPECT_EQ(trash.restore(receipts[1], b.get(), name), std::nullopt);
    EXPECT_EQ(contentOf(tree.path("b/") + name), "b");
    EXPECT_FALSE(
        QFile::exists(QFile::decodeName(tree.path("data/Trash/info/") + receipts[1].name + ".trashinfo")));
}

} // namespace
} // namespace zorvik::test
