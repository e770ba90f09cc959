// Sorting the result list, its totals, checking many rows at once and the data of a drag.
#include "core/Failure.h"
#include "results/ResultList.h"
#include "results/TotalsText.h"

#include "QtPrinters.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class ResultOrder : public ::testing::Test {
protected:
    ResultOrder() {
        list.addColumn(u"Results"_s);
        list.addColumn(u"Size"_s);
        list.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void add(const QByteArray& path, quint64 bytes, const QString& text = {}) {
        list.addPath(path, text.isEmpty() ? QString::number(bytes) + u" Bytes"_s : text, bytes);
    }
    QStringList paths() const {
        QStringList result;
        for (int i = 1; i <= list.count(); ++i)
            result << QString::fromLatin1(list.pathBytes(i));
        return result;
    }
    QString header() const { return list.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(); }

    ResultList list;
    QAbstractItemModelTester tester{&list, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(ResultOrder, SizeSortsByByteCountNotByTextAndTiesKeepTheirOrder) {
    add("/t/ten", quint64{10} * 1024, u"10 KB"_s);
    add("/t/nine", quint64{9} * 1024, u"9 KB"_s); // as text "9 KB" would come after "10 KB"
    add("/t/tie-first", 5000, u"5 KB"_s);
    add("/t/huge", quint64(1) << 62, u"4,294,967,296 GB"_s);
    add("/t/tie-second", 5000, u"5 KB"_s);
    list.announcePending();

    list.sortRows(ResultList::SortKey::Size, Qt::DescendingOrder);
    EXPECT_EQ(paths(),
              (QStringList{u"/t/huge"_s, u"/t/ten"_s, u"/t/nine"_s, u"/t/tie-first"_s, u"/t/tie-second"_s}));
    list.sortRows(ResultList::SortKey::Size, Qt::AscendingOrder);
    EXPECT_EQ(paths(),
              (QStringList{u"/t/tie-first"_s, u"/t/tie-second"_s, u"/t/nine"_s, u"/t/ten"_s, u"/t/huge"_s}));
    // Each row keeps its own size text and check box through the sort.
    EXPECT_EQ(list.sizeText(3), u"9 KB"_s);
    EXPECT_EQ(list.bytes(5), quint64(1) << 62);
}

TEST_F(ResultOrder, PathSortsByTheBytesOfTheWholePathAcrossSharedFolders) {
    // Rows of one folder share their folder's bytes; the order must be that of the joined paths.
    for (const QByteArray& path : {QByteArray("/a/b/z"), QByteArray("/a/c"), QByteArray("/a/b.txt"),
                                   QByteArray("/a/B"), QByteArray("/a/\xff"), QByteArray("/a/b/a"),
                                   QByteArray("/a/c"), QByteArray("/a"), QByteArray("/a/bb/x")})
        add(path, 1);
    list.sortRows(ResultList::SortKey::Path, Qt::AscendingOrder);
    EXPECT_EQ(paths(), (QStringList{u"/a"_s, u"/a/B"_s, u"/a/b.txt"_s, u"/a/b/a"_s, u"/a/b/z"_s, u"/a/bb/x"_s,
                                    u"/a/c"_s, u"/a/c"_s, QString::fromLatin1("/a/\xff")}));
    list.sortRows(ResultList::SortKey::Path, Qt::DescendingOrder);
    EXPECT_EQ(paths().first(), QString::fromLatin1("/a/\xff"));
    EXPECT_EQ(paths().last(), u"/a"_s);
}

TEST_F(ResultOrder, PathOrderIsThatOfTheJoinedBytesOnRandomNestedFolders) {
    // Folders inside folders, names sharing beginnings with folder names, bytes above 0x7f.
    std::mt19937 random(11);
    const QByteArray parts[] = {"a", "b", "ab", "a.b", "B", "\xe9", "-", "a b"};
    QList<QByteArray> added;
    for (int i = 0; i < 3000; ++i) {
        QByteArray path;
        const int depth = 1 + int(random() % 4);
        for (int d = 0; d < depth; ++d)
            path += '/' + parts[random() % 8];
        added << path;
        add(path, random() % 10);
    }
    list.sortRows(ResultList::SortKey::Path, Qt::AscendingOrder);
    QList<QByteArray> expected = added;
    std::stable_sort(expected.begin(), expected.end());
    QList<QByteArray> got;
    for (int i = 1; i <= list.count(); ++i)
        got << list.pathBytes(i);
    EXPECT_TRUE(got == expected);
}

TEST_F(ResultOrder, SelectionsFollowTheirRowsAndAppendingEndsTheSortedOrder) {
    add("/s/small", 1);
    add("/s/big", 100);
    list.announcePending();
    const QPersistentModelIndex small = list.index(0, 0);
    QSignalSpy lost(&list, &ResultList::sortOrderLost);

    list.sort(ResultList::kSizeColumn, Qt::DescendingOrder);
    ASSERT_TRUE(list.sortState());
    EXPECT_EQ(list.sortState()->key, ResultList::SortKey::Size);
    EXPECT_EQ(small.row(), 1);
    EXPECT_EQ(small.data().toString(), u"/s/small"_s);

    list.remove(1); // removing keeps the order
    EXPECT_TRUE(list.sortState());
    add("/s/new", 1000); // appended at the end, as every search adds
    EXPECT_EQ(paths(), (QStringList{u"/s/small"_s, u"/s/new"_s}));
    EXPECT_FALSE(list.sortState());
    EXPECT_EQ(lost.count(), 1);
}

TEST_F(ResultOrder, TotalsFollowEveryChangeAndShowInTheHeader) {
    EXPECT_EQ(header(), u"Results"_s);
    add("/x/a", 1536);
    add("/x/b", quint64{1024} * 1024);
    add("/x/c", 512);
    list.announcePending();
    EXPECT_EQ(header(), u"Results:  3 files, 1.0 MB; 0 checked, 0.0 KB"_s);

    list.setChecked(1, true);
    list.setChecked(1, true); // twice is still once
    list.setChecked(3, true);
    EXPECT_EQ(list.checkedCount(), 2);
    EXPECT_EQ(list.checkedBytes(), [] {
        ByteTotal t;
        t.add(2048);
        return t;
    }());
    EXPECT_EQ(header(), u"Results:  3 files, 1.0 MB; 2 checked, 2.0 KB"_s);

    list.removePositions({1}); // a checked row goes: both totals lose it
    EXPECT_EQ(header(), u"Results:  2 files, 1.0 MB; 1 checked, 0.5 KB"_s);
    list.invertChecks();
    EXPECT_EQ(header(), u"Results:  2 files, 1.0 MB; 1 checked, 1.0 MB"_s);
    list.clear();
    EXPECT_EQ(header(), u"Results"_s);
    EXPECT_EQ(list.checkedCount(), 0);
    add("/x/again", 2048);
    EXPECT_EQ(list.totalBytes(), [] {
        ByteTotal t;
        t.add(2048);
        return t;
    }());
}

TEST(Totals, SumsThatPassSixtyFourBitsStayExactAndReadInTheLargestUnit) {
    ByteTotal total;
    const quint64 sparse = quint64(1) << 63;
    total.add(sparse);
    total.add(sparse);
    total.add(5);
    EXPECT_DOUBLE_EQ(total.approximate(), 2.0 * 9223372036854775808.0 + 5);
    EXPECT_EQ(total.digits(), "18446744073709551621"); // 2^64 + 5, exact where a double is not
    total.subtract(sparse);
    total.subtract(sparse);
    EXPECT_DOUBLE_EQ(total.approximate(), 5.0);

    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(totalSizeText(0, english), u"0.0 KB"_s);
    EXPECT_EQ(totalSizeText(1048575, english), u"1.0 MB"_s); // 1,024.0 KB would not be readable
    EXPECT_EQ(totalSizeText(2.3 * 1024 * 1024 * 1024, english), u"2.3 GB"_s);
    EXPECT_EQ(totalSizeText(1234.0 * 1024 * 1024 * 1024 * 1024, english), u"1,234.0 TB"_s);
    EXPECT_EQ(totalSizeText(1536, QLocale(QLocale::German, QLocale::Germany)), u"1,5 KB"_s);
    EXPECT_EQ(totalsText(1, 512, 0, 0, english), u"1 file, 0.5 KB; 0 checked, 0.0 KB"_s);
}

TEST_F(ResultOrder, CheckingManyRowsIsOneUpdateOfTheViews) {
    for (int i = 0; i < 1000; ++i)
        add("/m/" + QByteArray::number(i), 10);
    list.announcePending();
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);

    list.setAllChecked(true);
    EXPECT_EQ(list.checkedCount(), 1000);
    list.setCheckedPositions({2, 500, 999}, false);
    EXPECT_EQ(list.checkedCount(), 997);
    list.invertChecks();
    EXPECT_EQ(list.checkedCount(), 3);
    EXPECT_TRUE(list.checked(2) && list.checked(500) && list.checked(999) && !list.checked(1));
    list.setAllChecked(false);
    EXPECT_EQ(list.checkedCount(), 0);
    EXPECT_EQ(changed.count(), 4);
    EXPECT_THROW(list.setCheckedPositions({1, 1001}, true), Failure);
    EXPECT_EQ(list.checkedCount(), 0); // nothing changed before the bad position was found
}

TEST_F(ResultOrder, DraggedRowsAreFileUrlsOfTheirBytesAndPlainPathsNeverAMove) {
    add("/d/caf\xe9 one", 1);
    add("/d/plain", 1);
    add("/d/third", 1);
    list.announcePending();
    const std::unique_ptr<QMimeData> data(
        list.mimeData({list.index(2, 0), list.index(0, 1), list.index(0, 0)})); // any order, repeats
    ASSERT_TRUE(data);
    EXPECT_EQ(data->data(u"text/uri-list"_s), QByteArray("file:///d/caf%E9%20one\r\nfile:///d/third\r\n"));
    EXPECT_EQ(data->text(), QFile::decodeName("/d/caf\xe9 one") + u"\n/d/third\n"_s);
    EXPECT_FALSE(list.supportedDragActions() & Qt::MoveAction);
    EXPECT_TRUE(list.flags(list.index(1, 0)) & Qt::ItemIsDragEnabled);
    EXPECT_EQ(list.data(list.index(1, 0), Qt::ToolTipRole).toString(), u"/d/plain"_s);
}

} // namespace
} // namespace zorvik::test
