// The folder list's header, which doubles as the search's status line: always current for readers,
// repainted a few times a second at most, on a clock the test steps by hand.
#include "folders/FolderList.h"
#include "core/Failure.h"

#include "QtPrinters.h"

#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class Header : public ::testing::Test {
protected:
    Header() {
        list.setRepaintClock({[this] { return now; },
                              [this](int delayMs, std::function<void()> call) {
                                  scheduled.push_back({now + delayMs, std::move(call)});
                              }});
        list.addColumn(u"Folder(s)"_s);
    }
    // Moves the clock on and makes the delayed calls that fall due.
    void advance(qint64 ms) {
        now += ms;
        std::vector<Delayed> due;
        std::erase_if(scheduled, [&](Delayed& d) {
            if (d.at > now)
                return false;
            due.push_back(std::move(d));
            return true;
        });
        for (Delayed& d : due)
            d.call();
    }
    QString shown() const { return list.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(); }

    struct Delayed {
        qint64 at;
        std::function<void()> call;
    };
    qint64 now = 1'000'000;
    std::vector<Delayed> scheduled;
    FolderList list;
    QSignalSpy repaints{&list, &QAbstractItemModel::headerDataChanged};
};

TEST_F(Header, ManyChangesInAQuarterSecondRepaintOnceAtOnceAndOnceForTheLast) {
    list.setHeaderPath(u"Searching "_s, "/home/a");
    EXPECT_EQ(repaints.count(), 1); // the first change is shown at once
    for (int i = 0; i < 100; ++i) {
        advance(2);
        list.setHeaderPath(u"Searching "_s, "/home/b" + QByteArray::number(i));
        // Readers always get the latest text, through either way of reading it.
        ASSERT_EQ(list.headerText(), u"Searching /home/b"_s + QString::number(i));
        ASSERT_EQ(shown(), list.headerText());
    }
    EXPECT_EQ(repaints.count(), 1);
    EXPECT_EQ(scheduled.size(), 1u); // one delayed repaint, not one per change
    advance(FolderList::kHeaderRepaintMs);
    ASSERT_EQ(repaints.count(), 2);
    EXPECT_EQ(repaints[1].at(0).value<Qt::Orientation>(), Qt::Horizontal);
    EXPECT_EQ(shown(), u"Searching /home/b99"_s);
    EXPECT_TRUE(scheduled.empty());
}

TEST_F(Header, AChangeAfterAQuietQuarterSecondIsShownAtOnceAndOnlyOnce) {
    list.setHeaderPath(u"Searching "_s, "/a");
    advance(10);
    list.setHeaderPath(u"Searching "_s, "/b"); // waits for the delayed repaint
    advance(FolderList::kHeaderRepaintMs - 10);
    // The window's quarter second is over before the delayed call came round: shown at once...
    list.setHeaderPath(u"Searching "_s, "/c");
    EXPECT_EQ(repaints.count(), 2);
    // ...and the delayed call, now due, has nothing left to show.
    advance(FolderList::kHeaderRepaintMs);
    EXPECT_EQ(repaints.count(), 2);
    EXPECT_EQ(list.headerText(), u"Searching /c"_s);

    advance(FolderList::kHeaderRepaintMs);
    list.setHeaderText(u"Folder(s)"_s);
    EXPECT_EQ(repaints.count(), 3);
}

TEST_F(Header, APlainTextReplacesAPendingPathAndTheEndOfASearchIsAlwaysRepainted) {
    list.setHeaderPath(u"Searching "_s, "/a");
    advance(1);
    list.setHeaderPath(u"Searching "_s, "/b");
    list.setHeaderText(u"Folder(s)"_s); // the search ends a moment after its last folder
    EXPECT_EQ(list.headerText(), u"Folder(s)"_s);
    EXPECT_EQ(shown(), u"Folder(s)"_s);
    EXPECT_EQ(repaints.count(), 1);
    advance(FolderList::kHeaderRepaintMs);
    EXPECT_EQ(repaints.count(), 2);
    EXPECT_EQ(shown(), u"Folder(s)"_s);

    // And a path set after a plain text wins in turn.
    list.setHeaderPath(u"Searching "_s, "/c");
    EXPECT_EQ(shown(), u"Searching /c"_s);
}

TEST_F(Header, APathThatIsNotUtf8IsShownAsTheResultListShowsIt) {
    list.setHeaderPath(u"Searching "_s, "/data/caf\xe9");
    EXPECT_EQ(list.headerText(), u"Searching "_s + QFile::decodeName("/data/caf\xe9"));
}

TEST(HeaderWithoutColumn, FailsInsteadOfWritingNowhere) {
    FolderList list;
    EXPECT_THROW(list.setHeaderText(u"Folder(s)"_s), Failure);
    EXPECT_THROW(list.setHeaderPath(u"Searching "_s, "/a"), Failure);
    EXPECT_EQ(list.headerText(), QString());
}

} // namespace
} // namespace zorvik::test
