// Opening a folder below another without being led out of it: in one system call and one name at a
// time alike, the same escapes are refused with the same errno, and a path too long for one call
// still opens.
#include "platform/OpenBeneath.h"

#include "platform/UniqueFd.h"

#include "TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace zorvik::test {
namespace {

using Opening = int (*)(int, const QByteArray&);

// 0 when the folder opened (and it is the folder at `expected`), else the errno value.
int refusal(Opening open, int root, const QByteArray& below, const QByteArray& expected = {}) {
    const UniqueFd fd(open(root, below));
    if (!fd)
        return errno;
    struct stat opened {};
    struct stat there {};
    EXPECT_EQ(::fstat(fd.get(), &opened), 0);
    EXPECT_EQ(::stat(expected.constData(), &there), 0);
    EXPECT_EQ(opened.st_ino, there.st_ino) << below.constData();
    return 0;
}

bool kernelOpensInOneCall(int root) {
    const UniqueFd fd(openBeneathInOneCall(root, "."));
    return fd || errno != ENOSYS;
}

TEST(OpenBeneath, BothWaysRefuseEveryEscapeLinkAndFileWithTheSameErrno) {
    TempTree tree;
    tree.folder("d/e");
    tree.file("file", 1);
    tree.link("/", "absolute");
    tree.link("d", "relative");
    const UniqueFd root(::open(tree.root().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const std::vector<std::pair<QByteArray, int>> cases = {
        {"d/e", 0},
        {"d/./e", 0},
        {"..", EXDEV},
        {"d/../../x", EXDEV},
        {tree.path("d"), EXDEV},
        {"absolute", ELOOP},
        {"absolute/tmp", ELOOP},
        {"relative/e", ELOOP},
        {"file", ENOTDIR},
        {"file/x", ENOTDIR},
        {"missing", ENOENT},
    };
    std::vector<Opening> ways = {openBeneathStepwise, openBeneath};
    if (kernelOpensInOneCall(root.get()))
        ways.push_back(openBeneathInOneCall);
    for (const Opening open : ways)
        for (const auto& [below, expected] : cases)
            EXPECT_EQ(refusal(open, root.get(), below, tree.path("d/e")), expected) << below.constData();
}

TEST(OpenBeneath, APathTooLongForOneCallOpensOneNameAtATime) {
    TempTree tree;
    const UniqueFd root(::open(tree.root().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Seventeen folders of the longest name: more than the 4096 bytes one call takes.
    const QByteArray name(255, 'n');
    QByteArray below;
    UniqueFd at(::fcntl(root.get(), F_DUPFD_CLOEXEC, 0));
    for (int level = 0; level < 17; ++level) {
        ASSERT_EQ(::mkdirat(at.get(), name.constData(), 0755), 0);
        at.reset(::openat(at.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        below += (level == 0 ? "" : "/") + name;
    }
    if (kernelOpensInOneCall(root.get())) {
        EXPECT_EQ(openBeneathInOneCall(root.get(), below), -1);
        EXPECT_EQ(errno, ENAMETOOLONG);
    }
    const UniqueFd deepest(openBeneath(root.get(), below));
    struct stat opened {};
    struct stat there {};
    ASSERT_EQ(::fstat(deepest.get(), &opened), 0);
    ASSERT_EQ(::fstat(at.get(), &there), 0);
    EXPECT_EQ(opened.st_ino, there.st_ino);
}

} // namespace
} // namespace zorvik::test
