// Times the file operations of "Move Checked To Folder" and "Send Checked To Recycle Bin" on many small
// files, without the window: COUNT files are made in a folder below ROOT, moved one by one into
// another folder of the same file system, then sent one by one to a trash below ROOT. The journal of
// the operations is kept below ROOT too, so that every flush goes to the same disk.
//
//   zorvik_bench_file_operations ROOT [COUNT]
#include "platform/FreedesktopTrash.h"
#include "platform/PosixFileOperations.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorvik;

namespace {

FileId idOf(const QByteArray& path) {
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0)
        return {};
    return {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
}

std::vector<QByteArray> makeFiles(const QByteArray& folder, int count) {
    std::vector<QByteArray> paths;
    paths.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        QByteArray path = folder + "/file-" + QByteArray::number(i) + ".dat";
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, "data", 4) != 4) {
            std::perror(path.constData());
            std::exit(1);
        }
        ::close(fd);
        paths.push_back(std::move(path));
    }
    return paths;
}

// Runs `each` for every path, and says how long that took and how many failed.
template <typename Each> void timed(const char* what, const std::vector<QByteArray>& paths, Each each) {
    QElapsedTimer clock;
    clock.start();
    int failed = 0;
    for (const QByteArray& path : paths)
        failed += each(path) ? 0 : 1;
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    std::printf("%-6s %zu files: %.2f s (%.1f us a file), %d failed\n", what, paths.size(), seconds,
                seconds * 1e6 / double(paths.size()), failed);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zorvik_bench_file_operations ROOT [COUNT]\n");
        return 2;
    }
    const QByteArray root = argv[1];
    const int count = argc > 2 ? std::atoi(argv[2]) : 100000;
    for (const char* folder : {"", "/src", "/dst", "/state"})
        ::mkdir(QByteArray(root + folder).constData(), 0700);
    qputenv("XDG_STATE_HOME", root + "/state");
    auto trash = std::make_shared<FreedesktopTrash>(root + "/Trash");
    PosixFileOperations operations(trash);
    const FileOperations::OpenedDestination into = operations.openDestination(root + "/dst");
    if (!into.destination) {
        std::fprintf(stderr, "cannot open %s/dst\n", root.constData());
        return 1;
    }

    const std::vector<QByteArray> sources = makeFiles(root + "/src", count);
    timed("move", sources, [&](const QByteArray& path) {
        const FoundFile file{path, root.size() + 4, idOf(path)};
        return !operations.moveFile(file, *into.destination, {}).notMoved;
    });
    std::vector<QByteArray> moved;
    moved.reserve(sources.size());
    for (const QByteArray& path : sources)
        moved.push_back(root + "/dst" + path.mid(path.lastIndexOf('/')));
    timed("trash", moved, [&](const QByteArray& path) {
        return !trash->moveToTrash({path, root.size() + 4, idOf(path)});
    });
    return 0;
}
