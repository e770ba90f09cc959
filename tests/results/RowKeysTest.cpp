// The list keeps its rows in the order they were found and shows them through an order of its own:
// keys, paths, sizes and identities stay with their rows through everything that moves or removes them.
#include "results/ResultList.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

TEST(RowKeys, EachKeyFindsItsRowThroughSortsRemovalsAndAppendsAndNoneAfterItLeft) {
    ResultList list;
    std::mt19937 random(5);
    std::map<quint64, std::pair<QByteArray, quint64>> inList; // key: path and size
    std::vector<quint64> gone;
    int added = 0;
    auto append = [&](int rows) {
        for (int i = 0; i < rows; ++i) {
            const QByteArray path =
                "/k/" + QByteArray::number(random() % 40) + "/f" + QByteArray::number(++added);
            const quint64 bytes = random() % 5;
            list.addPath(path, {}, bytes);
            inList[list.rowKey(list.count())] = {path, bytes};
        }
    };
    append(300);
    for (int round = 0; round < 40; ++round) {
        if (round % 3 == 0) {
            list.sortRows(random() % 2 ? ResultList::SortKey::Size : ResultList::SortKey::Path,
                          random() % 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
        } else if (round % 3 == 1) {
            // Sometimes few ranges, sometimes more than views are told of one by one.
            const unsigned every = round % 2 ? 3 : 20;
            std::vector<int> positions;
            for (int position = 1; position <= list.count(); ++position)
                if (random() % every == 0)
                    positions.push_back(position);
            for (int position : positions) {
                gone.push_back(list.rowKey(position));
                inList.erase(gone.back());
            }
            list.removePositions(positions);
        } else {
            append(25);
        }
        ASSERT_EQ(list.count(), int(inList.size()));
        for (const auto& [key, row] : inList) {
            const std::optional<int> position = list.positionOfKey(key);
            ASSERT_TRUE(position);
            EXPECT_EQ(list.pathBytes(*position), row.first);
            EXPECT_EQ(list.bytes(*position), row.second);
        }
        for (quint64 key : gone)
            EXPECT_FALSE(list.positionOfKey(key));
    }
    const quint64 before = inList.begin()->first;
    list.clear();
    append(1);
    EXPECT_FALSE(list.positionOfKey(before));
}

TEST(RowKeys, ANameLongerThanARowKeepsApartStaysWholeWithItsIdentityAndPlace) {
    ResultList list;
    const QByteArray longName(300, 'n');
    list.add("/top/f", "z", u"1 Bytes"_s, 1, {{7, 1}, 4});
    list.add("/top/f", longName, u"2 Bytes"_s, 2, {{7, 2}, 4});
    list.add("/top/f", "m", u"3 Bytes"_s, 3, {{7, 3}, 4});
    EXPECT_EQ(list.pathBytes(2), "/top/f/" + longName);
    EXPECT_EQ(list.sizeText(2), u"2 Bytes"_s);
    const FoundFile found = list.foundFile(2);
    EXPECT_EQ(found.rootLength, 4);
    EXPECT_EQ(found.id, (FileId{7, 2}));
    list.sortRows(ResultList::SortKey::Path, Qt::AscendingOrder);
    EXPECT_EQ(list.pathBytes(1), "/top/f/m");
    EXPECT_EQ(list.pathBytes(2), "/top/f/" + longName);
    EXPECT_EQ(list.pathBytes(3), "/top/f/z");
}

} // namespace
} // namespace zorvik::test
