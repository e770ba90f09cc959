#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace zorvik::test {

// A throw-away folder tree built by path bytes, so that names need not be valid UTF-8. Files get
// their size with ftruncate: big ones cost no disk.
class TempTree {
public:
    explicit TempTree(const QString& base = QDir::tempPath())
        : dir_(base + QStringLiteral("/zorvik-XXXXXX")) {
        // QTemporaryDir removes by decoded names, which names that are not UTF-8 do not survive.
        dir_.setAutoRemove(false);
    }
    ~TempTree() {
        if (dir_.isValid())
            std::system(QByteArray("rm -rf -- '" + root() + "'").constData());
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;
    QByteArray root() const { return QFile::encodeName(dir_.path()); }
    QString rootText() const { return dir_.path(); }
    QByteArray path(const QByteArray& relative) const { return root() + '/' + relative; }

    void folder(const QByteArray& relative) const {
        QByteArray at = root();
        for (const QByteArray& part : relative.split('/')) {
            at += '/' + part;
            ::mkdir(at.constData(), 0755);
        }
    }
    // A file of `bytes` bytes; its folders are made as needed.
    QByteArray file(const QByteArray& relative, qint64 bytes) const {
        const qsizetype slash = relative.lastIndexOf('/');
        if (slash > 0)
            folder(relative.left(slash));
        QByteArray full = path(relative);
        const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_GE(fd, 0) << full.constData();
        EXPECT_EQ(::ftruncate(fd, bytes), 0);
        ::close(fd);
        return full;
    }
    // A chain of `depth` folders "d" inside each other, with a file "f" of level + 1 bytes in every
    // thousandth. Built with openat, since the full path is far longer than the system accepts in one
    // piece; removeChain() takes it away again level by level.
    void chain(int depth) const {
        int fd = ::open(root().constData(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; level < depth; ++level) {
            if (level % 1000 == 0) {
                const int file = ::openat(fd, "f", O_WRONLY | O_CREAT, 0644);
                EXPECT_EQ(::ftruncate(file, level + 1), 0);
                ::close(file);
            }
            EXPECT_EQ(::mkdirat(fd, "d", 0755), 0);
            const int child = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = child;
        }
        ::close(fd);
    }
    // QTemporaryDir removes by full paths, which a chain outgrows; rm works level by level.
    void removeChain() const {
        EXPECT_EQ(std::system(QByteArray("rm -rf '" + root() + "/d'").constData()), 0);
    }

    void link(const QByteArray& target, const QByteArray& relative) const {
        EXPECT_EQ(::symlink(target.constData(), path(relative).constData()), 0);
    }

private:
    QTemporaryDir dir_;
};

// Lowers the limit of open descriptors for as long as it lives, and puts the old one back however the
// test ends.
class DescriptorLimit {
public:
    explicit DescriptorLimit(rlim_t most) {
        valid_ = ::getrlimit(RLIMIT_NOFILE, &saved_) == 0;
        rlimit lowered = saved_;
        lowered.rlim_cur = std::min<rlim_t>(saved_.rlim_max, most);
        valid_ = valid_ && ::setrlimit(RLIMIT_NOFILE, &lowered) == 0;
    }
    ~DescriptorLimit() {
        if (valid_)
            ::setrlimit(RLIMIT_NOFILE, &saved_);
    }
    DescriptorLimit(const DescriptorLimit&) = delete;
    DescriptorLimit& operator=(const DescriptorLimit&) = delete;
    bool valid() const { return valid_; }

private:
    rlimit saved_{};
    bool valid_ = false;
};

// A small ext4 filesystem of its own, loop-mounted for the test (tests run as root). Not valid() where
// the machine cannot mount one.
class LoopFilesystem {
public:
    LoopFilesystem() {
        const QByteArray image = work_.path("fs.img");
        work_.folder("mnt");
        mountPoint_ = work_.path("mnt");
        const QByteArray command = "truncate -s 16M '" + image + "' && mkfs.ext4 -q -F '" + image +
                                   "' >/dev/null 2>&1 && mount -o loop '" + image + "' '" + mountPoint_ +
                                   "' 2>/dev/null";
        mounted_ = std::system(command.constData()) == 0;
    }
    ~LoopFilesystem() {
        if (mounted_)
            std::system(QByteArray("umount '" + mountPoint_ + "'").constData());
    }
    bool valid() const { return mounted_; }
    QByteArray root() const { return mountPoint_; }

private:
    TempTree work_;
    QByteArray mountPoint_;
    bool mounted_ = false;
};

} // namespace zorvik::test
