// Opening below a folder without being led out of it: one system call and one name at a time refuse
// the same escapes with the same errno, and a path too long for one call still opens.
#include "platform/OpenBeneath.h"

#include "platform/UniqueFd.h"

#include "TempTree.h"

#include <QList>
#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace zorvik::test {
namespace {

ino_t inodeOf(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? status.st_ino : 0;
}

bool kernelOpensInOneCall(int root) {
    const UniqueFd fd(openBeneathInOneCall(root, "."));
    return fd || errno != ENOSYS;
}

TEST(OpenBeneath, EveryWayRefusesEachEscapeLinkAndFileWithTheSameErrno) {
    TempTree tree;
    tree.folder("d/e");
    tree.file("file", 1);
    tree.link("/", "absolute");
    tree.link("d", "relative");
    const UniqueFd root(::open(tree.root().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const UniqueFd e(::open(tree.path("d/e").constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const std::vector<std::pair<QByteArray, int>> cases = {{"d/e", 0},
                                                           {"d/./e", 0},
                                                           {"..", EXDEV},
                                                           {"d/../../x", EXDEV},
                                                           {tree.path("d"), EXDEV},
                                                           {"absolute", ELOOP},
                                                           {"absolute/tmp", ELOOP},
                                                           {"relative/e", ELOOP},
                                                           {"file", ENOTDIR},
                                                           {"file/x", ENOTDIR},
                                                           {"missing", ENOENT}};
    std::vector<int (*)(int, const QByteArray&)> ways = {openBeneathStepwise, openBeneath};
    if (kernelOpensInOneCall(root.get()))
        ways.push_back(openBeneathInOneCall);
    for (const auto open : ways)
        for (const auto& [below, expected] : cases) {
            const UniqueFd fd(open(root.get(), below));
            EXPECT_EQ(fd ? 0 : errno, expected) << below.constData();
            if (fd) { // it is the folder meant
                EXPECT_EQ(inodeOf(fd.get()), inodeOf(e.get())) << below.constData();
            }
        }
}

TEST(OpenBeneath, APathTooLongForOneCallOpensOneNameAtATime) {
    TempTree tree;
    const UniqueFd root(::open(tree.root().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Seventeen folders of the longest name: more than the 4096 bytes one call takes.
    const QByteArray name(255, 'n');
    UniqueFd at(::fcntl(root.get(), F_DUPFD_CLOEXEC, 0));
    for (int level = 0; level < 17; ++level) {
        ASSERT_EQ(::mkdirat(at.get(), name.constData(), 0755), 0);
        at.reset(::openat(at.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    const QByteArray below = QList<QByteArray>(17, name).join('/');
    if (kernelOpensInOneCall(root.get())) {
        EXPECT_EQ(openBeneathInOneCall(root.get(), below), -1);
        EXPECT_EQ(errno, ENAMETOOLONG);
    }
    const UniqueFd deepest(openBeneath(root.get(), below));
    EXPECT_EQ(inodeOf(deepest.get()), inodeOf(at.get()));
}

} // namespace
} // namespace zorvik::test
