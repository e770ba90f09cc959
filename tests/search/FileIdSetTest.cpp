#include "search/FileIdSet.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace zorvik;

// The set packs identities into one word; no two files may share a word, whatever their device and
// inode numbers, or a file would be left out of the results as seen.
TEST(FileIdSet, EveryDistinctIdentityIsKeptApartAndEachIsSeenOnce) {
    FileIdSet seen;
    const std::uint64_t hugeInode = std::uint64_t(1) << 60; // more bits than a key holds
    int added = 0;
    // 300 devices: more than a key can number, with inodes at both ends of the range.
    for (std::uint64_t device = 1; device <= 300; ++device)
        for (const std::uint64_t inode : {std::uint64_t(1), std::uint64_t(2), hugeInode, hugeInode + 1})
            added += seen.insert({device, inode}) ? 1 : 0;
    // A file system's inodes in a long run, enough to grow the table many times.
    for (std::uint64_t inode = 1; inode <= 100000; ++inode)
        added += seen.insert({7, inode + 1000}) ? 1 : 0;
    EXPECT_EQ(added, 300 * 4 + 100000);
    EXPECT_EQ(seen.size(), std::size_t(added));

    for (std::uint64_t device :
         {std::uint64_t(1), std::uint64_t(255), std::uint64_t(256), std::uint64_t(300)}) {
        EXPECT_FALSE(seen.insert({device, 2})) << device;
        EXPECT_FALSE(seen.insert({device, hugeInode + 1})) << device;
    }
    EXPECT_FALSE(seen.insert({7, 50000}));
    // Noted without a look, packed or not, and then found.
    seen.note({7, 200000});
    seen.note({7, hugeInode + 7});
    EXPECT_FALSE(seen.insert({7, 200000}));
    EXPECT_FALSE(seen.insert({7, hugeInode + 7}));
    EXPECT_TRUE(seen.insert({301, 2}));
    // An identity the system would not tell is never taken for one seen before.
    EXPECT_TRUE(seen.insert({}));
    EXPECT_TRUE(seen.insert({}));
}
