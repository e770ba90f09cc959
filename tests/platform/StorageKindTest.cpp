// Which storage the walk reads as a share, as a turning disk, or as anything else.
#include "platform/PosixFileSystem.h"

#include "TempTree.h"

#include <gtest/gtest.h>

namespace zorvik::test {
namespace {

using Storage = FileSystem::Storage;

TEST(StorageKind, SharesByFileSystemTypeTurningDisksByTheirFlagUnlessParavirtual) {
    const char* disk = "/sys/devices/pci0000:00/0000:00:1f.2/ata1/host0/target0:0:0/0:0:0:0/block/sda";
    const char* virtio = "/sys/devices/pci0000:00/0000:00:02.0/virtio1/block/vda";
    for (std::uint32_t share : {0x6969u, 0xFF534D42u, 0xFE534D42u, 0x65735546u, 0x01021997u, 0x00C36400u})
        EXPECT_EQ(storageFrom(share, true, disk), Storage::Network) << std::hex << share;
    constexpr std::uint32_t kExt4 = 0xEF53;
    EXPECT_EQ(storageFrom(kExt4, true, disk), Storage::RotatingDisk);
    EXPECT_EQ(storageFrom(kExt4, false, disk), Storage::Local);
    EXPECT_EQ(storageFrom(kExt4, std::nullopt, ""), Storage::Local); // no queue: btrfs, tmpfs
    EXPECT_EQ(storageFrom(kExt4, true, virtio), Storage::Local);     // says it turns, whatever
    EXPECT_EQ(storageFrom(kExt4, true, "/sys/devices/vbd-51712/block/xvda"), Storage::Local); // Xen, the same

    // The real call answers for a folder of this machine without failing.
    TempTree tree;
    PosixFileSystem fs;
    const FileSystem::Folder folder = fs.openFolder(tree.root());
    EXPECT_NE(fs.storageOf(folder.handle()), Storage::Network);
}

} // namespace
} // namespace zorvik::test
