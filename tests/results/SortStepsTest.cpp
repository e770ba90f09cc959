// A sort of many rows through the real window: worked out over many turns of the event loop, it ends
// in the order of a stable sort done at once, and what the window does meanwhile costs no row.
#include "ResultFixture.h"

#include "shell/HoverButton.h"
#include "shell/ResultListControls.h"

#include <QHeaderView>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <numeric>
#include <random>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class SortSteps : public ResultFixture {
protected:
    ResultList& list() { return *form().results; }
    // Rows in folders inside one another and beside ("/r/a", "/r/a/b", "/r/a b", "/r/a-b"), with few
    // sizes and names, so that many compare equal; each row's size text is its number, to tell it apart.
    void fill(int rows) {
        const QByteArray folders[] = {"/r", "/r/a", "/r/a/b", "/r/a b", "/r/a-b", "/r/ab", "/r/a/b/c"};
        std::mt19937 random(7);
        for (int i = 0; i < rows; ++i) {
            const QByteArray name = "f" + QByteArray::number(int(random() % 40));
            list().add(folders[random() % std::size(folders)], name, QString::number(i),
                       quint64(random() % 6));
        }
        list().announcePending();
        list().setSortPace({16, std::chrono::nanoseconds(0), 0}); // one slice of 16 a turn
    }
    // The rows' numbers in the order a one-step stable sort of the list as it is gives.
    QStringList stablySorted(int column, Qt::SortOrder order) {
        std::vector<int> positions(std::size_t(list().count()));
        std::iota(positions.begin(), positions.end(), 1);
        auto less = [&](int a, int b) {
            if (column == ResultList::kSizeColumn)
                return list().bytes(a) < list().bytes(b);
            return list().pathBytes(a) < list().pathBytes(b);
        };
        std::stable_sort(positions.begin(), positions.end(),
                         [&](int a, int b) { return order == Qt::AscendingOrder ? less(a, b) : less(b, a); });
        QStringList numbers;
        for (int position : positions)
            numbers << list().sizeText(position);
        return numbers;
    }
    QStringList numbers() {
        QStringList result;
        for (int i = 1; i <= list().count(); ++i)
            result << list().sizeText(i);
        return result;
    }
    // Turns of the event loop, counted by a zero timer, until the sort and every command have ended;
    // `meanwhile` runs at each.
    int finish(const std::function<void(int turn)>& meanwhile = {}) {
        QEventLoop loop;
        QTimer turns;
        turns.setInterval(0);
        int count = 0;
        QObject::connect(&turns, &QTimer::timeout, &loop, [&] {
            if (meanwhile)
                meanwhile(++count);
            else
                ++count;
            if (!list().isSorting() && form().commands().isIdle())
                loop.quit();
        });
        turns.start();
        loop.exec();
        return count;
    }
};

TEST_F(SortSteps, EachHeaderClickSortsOverManyTurnsIntoTheOrderOfAStableSortDoneAtOnce) {
    fill(3000);
    QHeaderView* header = form().ListView2->horizontalHeader();
    const std::pair<int, Qt::SortOrder> clicks[] = {{ResultList::kSizeColumn, Qt::DescendingOrder},
                                                    {ResultList::kPathColumn, Qt::AscendingOrder},
                                                    {ResultList::kPathColumn, Qt::DescendingOrder},
                                                    {ResultList::kSizeColumn, Qt::DescendingOrder},
                                                    {ResultList::kSizeColumn, Qt::AscendingOrder}};
    for (const auto& [column, order] : clicks) {
        const QStringList expected = stablySorted(column, order);
        form().resultListControls().sortByHeader(column);
        EXPECT_TRUE(list().isSorting());
        EXPECT_GT(finish(), 100);
        EXPECT_EQ(numbers(), expected);
        ASSERT_TRUE(list().sortState().has_value());
        EXPECT_EQ(list().sortState()->order, order);
        EXPECT_TRUE(header->isSortIndicatorShown());
        EXPECT_EQ(header->sortIndicatorSection(), column);
        EXPECT_EQ(header->sortIndicatorOrder(), order);
    }
}

TEST_F(SortSteps, RowsAppendedOrRemovedWhileASortRunsAreNeitherLostNorDoubled) {
    fill(2000);
    QStringList expected = stablySorted(ResultList::kSizeColumn, Qt::DescendingOrder);
    form().resultListControls().sortByHeader(ResultList::kSizeColumn);
    finish([&](int turn) {
        if (turn == 20)
            list().addPath("/late/x", u"late"_s, 99);
    });
    EXPECT_EQ(numbers(), expected << u"late"_s); // after the sorted rows, not among them
    EXPECT_FALSE(list().sortState().has_value());
    EXPECT_FALSE(form().ListView2->horizontalHeader()->isSortIndicatorShown());

    // A filter removes rows while the sort runs: the sort begins again over the rows that remain.
    QStringList pruned;
    for (int i = 1; i <= list().count(); ++i)
        if (list().pathBytes(i).contains("/a/b"))
            pruned << list().sizeText(i);
    QStringList kept = stablySorted(ResultList::kPathColumn, Qt::AscendingOrder);
    kept.removeIf([&](const QString& number) { return pruned.contains(number); });
    ASSERT_GT(pruned.size(), 100);
    form().resultListControls().sortByHeader(ResultList::kPathColumn);
    dialogs->inputAnswers = {u"/a/b"_s}; // also "/r/a/b/c", not "/r/a b" nor "/r/ab"
    finish([&](int turn) {
        if (turn == 20)
            form().PushButton17->click();
    });
    EXPECT_EQ(numbers(), kept);
    EXPECT_EQ(list().sortState()->key, ResultList::SortKey::Path);

    // "Clear Results" while a sort runs leaves nothing of it but the order the header shows.
    form().resultListControls().sortByHeader(ResultList::kSizeColumn);
    finish([&](int turn) {
        if (turn == 5)
            form().PushButton6->click();
    });
    EXPECT_EQ(list().count(), 0);
}

} // namespace
} // namespace zorvik::test
