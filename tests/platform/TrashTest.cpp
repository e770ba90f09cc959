// The trash where the home trash's device is mounted a second time (a bind mount): the device is the
// same, yet no rename reaches the home trash from there, so the file goes to that mount's own trash.
#include "platform/FreedesktopTrash.h"

#include "QtPrinters.h"
#include "TempTree.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cstdlib>

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

} // namespace
} // namespace zorvik::test
