// The result list model: compact rows, batched announcements, removals in ranges.
#include "results/ResultList.h"
#include "core/Failure.h"

#include "QtPrinters.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class Results : public ::testing::Test {
protected:
    Results() {
        list.addColumn(u"Results"_s);
        list.addColumn(u"Size"_s);
    }
    QStringList texts() const {
        QStringList result;
        for (int i = 1; i <= list.count(); ++i)
            result << list.text(i);
        return result;
    }
    void fill(int rows) {
        for (int i = 1; i <= rows; ++i)
            list.addPath("/r/" + QByteArray::number(i), QString::number(i) + u" Bytes"_s);
        list.announcePending();
    }

    ResultList list;
    QAbstractItemModelTester tester{&list, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(Results, RowsKeepTheirPathBytesSizeTextAndCheckBox) {
    list.add("/home/u", "a.txt", u"1 KB"_s);
    list.add("/home/u", "b.txt", u"2 KB"_s);
    list.add("/", "top", u"3 KB"_s);
    list.add("/home/\xff", "caf\xe9", u"1.234,5 MB"_s);
    list.addPath("relative", u"x"_s);
    list.addPath("/srv/share/f", u"1\u202f024 KB"_s);
    ASSERT_EQ(list.count(), 6);
    EXPECT_EQ(list.pathBytes(1), "/home/u/a.txt");
    EXPECT_EQ(list.pathBytes(2), "/home/u/b.txt");
    EXPECT_EQ(list.pathBytes(3), "/top");
    EXPECT_EQ(list.pathBytes(4), "/home/\xff/caf\xe9");
    EXPECT_EQ(list.text(4), QFile::decodeName("/home/\xff/caf\xe9"));
    EXPECT_EQ(list.pathBytes(5), "relative");
    EXPECT_EQ(list.sizeText(6), u"1\u202f024 KB"_s);
    EXPECT_FALSE(list.checked(2));
    list.setChecked(2, true);
    EXPECT_TRUE(list.checked(2));
    EXPECT_FALSE(list.checked(1));
    EXPECT_THROW(list.text(7), Failure);
    EXPECT_THROW(list.remove(0), Failure);
}

TEST_F(Results, NewRowsReachViewsInBatchesButCountSeesThemAtOnce) {
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 1000; ++i)
        list.add("/f", QByteArray("n" + QByteArray::number(i)), u"s"_s);
    EXPECT_EQ(list.count(), 1000);
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(inserted.count(), 0);
    // Any other change announces the pending rows first, so views never see a removal of rows they
    // were not told about.
    list.setData(list.index(0, 0), Qt::Checked, Qt::CheckStateRole);
    list.remove(1000);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(list.rowCount(), 999);
    EXPECT_EQ(list.data(list.index(0, 0), Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
}

TEST_F(Results, RemovingPositionsLeavesTheOthersInOrder) {
    fill(5);
    QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
    list.removePositions({2, 4});
    EXPECT_EQ(texts(), (QStringList{u"/r/1"_s, u"/r/3"_s, u"/r/5"_s}));
    EXPECT_EQ(removed.count(), 2);

    list.removePositions({1, 2});
    EXPECT_EQ(texts(), QStringList{u"/r/5"_s});
    EXPECT_EQ(removed.count(), 3); // one contiguous range, one announcement
}

TEST_F(Results, ScatteredRemovalsOfManyRowsResetViewsOnce) {
    fill(1000);
    list.setChecked(999, true);
    std::vector<int> odd;
    for (int i = 1; i <= 1000; i += 2)
        odd.push_back(i);
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);
    list.removePositions(odd);
    EXPECT_EQ(reset.count(), 1);
    ASSERT_EQ(list.count(), 500);
    EXPECT_EQ(list.text(1), u"/r/2"_s);
    EXPECT_EQ(list.text(500), u"/r/1000"_s);
    EXPECT_FALSE(list.checked(499));
    EXPECT_EQ(list.sizeText(250), u"500 Bytes"_s);
}

TEST_F(Results, ClearEmptiesAndTheListFillsAgain) {
    fill(3);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.rowCount(), 0);
    list.add("/again", "x", u"1 Bytes"_s);
    list.refresh();
    EXPECT_EQ(texts(), QStringList{u"/again/x"_s});
    EXPECT_EQ(list.rowCount(), 1);
}

} // namespace
} // namespace zorvik::test
