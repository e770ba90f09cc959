// "Clear Results Containing X" and "Clear Results Not Containing X".
#include "ResultFixture.h"

#include "shell/HoverButton.h"
#include "shell/ResultListControls.h"

#include <QEventLoop>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

using Kind = ScriptedDialogs::Kind;

class Filters : public ResultFixture {
protected:
    void customise(Services& s) override {
        ResultFixture::customise(s);
        s.rowYieldIntervalMs = 0; // a turn of the event loop before every row
        s.yieldHook = [this] {
            ++yields;
            if (onYield)
                onYield();
        };
    }
    int yields = 0;
    std::function<void()> onYield;
};

TEST_F(Filters, ContainingRemovesMatchingPathsInAnyCaseAndKeepsTheRestInOrder) {
    Form1& f = form();
    row("/data/a.txt");
    row("/data/Photos/b.jpg", true);
    row("/data/PHOTOS/c.jpg");
    row("/data/d.txt", true);
    row("/data/photos/e.jpg");
    row("/data/f.txt");
    dialogs->inputAnswers = {u"photos"_s};
    clickAndFinish(f.PushButton17);
    EXPECT_EQ(rows(), (QStringList{u"/data/a.txt"_s, u"/data/d.txt [x]"_s, u"/data/f.txt"_s}));
    EXPECT_EQ(dialogs->shown.back().text, u"Remove entries containing: "_s);
    EXPECT_EQ(dialogs->shown.back().title, f.applicationTitle());
    EXPECT_EQ(f.pointerState(), PointerState::Arrow);
}

TEST_F(Filters, NotContainingKeepsOnlyMatchesAndNeverLooksAtTheSize) {
    Form1& f = form();
    row("/a/report 2024.pdf", false, u"3 KB"_s);
    row("/a/report2024.pdf", false, u"3 KB"_s);
    row("/b/notes.txt", false, u"1 KB"_s);
    dialogs->inputAnswers = {u" "_s, u" KB"_s, u"/"_s};
    clickAndFinish(f.PushButton11); // a single space is a text like any other
    EXPECT_EQ(rows(), QStringList{u"/a/report 2024.pdf"_s});
    clickAndFinish(f.PushButton11); // " KB" is only in the size column, so no path holds it
    EXPECT_TRUE(rows().isEmpty());
    clickAndFinish(f.PushButton11); // on an empty list the question is still asked
    EXPECT_EQ(dialogs->texts(Kind::Input).size(), 3);
    EXPECT_EQ(dialogs->shown.back().text, u"Remove entries not containing: "_s);
}

TEST_F(Filters, LettersBeyondAsciiAndBytesBeyondUtf8AreComparedAsShown) {
    Form1& f = form();
    row("/data/\xc3\x84RGER.txt"); // "ÄRGER" in UTF-8
    row("/data/\xff/Photo.jpg");   // not UTF-8 at all
    row("/data/aerger.txt");
    dialogs->inputAnswers = {u"\u00e4rger"_s, u"PHOTO"_s};
    clickAndFinish(f.PushButton17);
    clickAndFinish(f.PushButton17);
    EXPECT_EQ(rows(), QStringList{u"/data/aerger.txt"_s});
}

// A million paths take longer than a turn of the event loop may: they are tested between turns, and
// what the window does meanwhile (a sort, a search's new rows) neither spares a row nor costs another.
TEST_F(Filters, RowsAreTestedBetweenTurnsAndASortOrNewRowsMeanwhileMoveNoOtherRow) {
    Form1& f = form();
    row("/data/c-photo.jpg");
    row("/data/a.txt", true);
    row("/data/b-photo.jpg");
    row("/data/d.txt");
    onYield = [&] {
        if (yields != 2)
            return;
        f.resultListControls().sortByHeader(0);
        row("/data/e-photo.jpg"); // found after the command started: not the filter's
    };
    dialogs->inputAnswers = {u"photo"_s};
    clickAndFinish(f.PushButton17);
    EXPECT_GE(yields, 4);
    EXPECT_EQ(rows(), (QStringList{u"/data/a.txt [x]"_s, u"/data/d.txt"_s, u"/data/e-photo.jpg"_s}));
}

// Removing rows from a long list takes a slice a turn; each turn the window shows a complete list, no
// row lost nor shown twice, and a search's new rows and a sort asked for meanwhile find their places.
TEST_F(Filters, ALongListLosesItsRowsOverSeveralTurnsAndKeepsEveryOtherRowOnce) {
    ResultList& list = *form().results;
    const ResultList::IdentityIndexHold searching(list);
    QStringList kept;
    for (quint64 i = 0; i < 400; ++i) {
        const bool goes = i % 3 != 1 && i % 7 != 0; // runs of one and of two rows, some far apart
        const QByteArray path = "/d/" + QByteArray(goes ? "photo-" : "text-") + QByteArray::number(i + 1000);
        list.addPath(path, u"1 KB"_s, i, {{7, i}, RowOrigin::kOwnFolder});
        if (!goes)
            kept << QString::fromLatin1(path);
    }
    list.announcePending();
    list.setRemovalPace({16, std::chrono::nanoseconds(0), 0}); // sixteen positions a turn
    int removingTurns = 0;
    onYield = [&] {
        if (!list.isRemoving())
            return;
        if (++removingTurns == 2) {
            list.addPath("/d/photo-late", u"1 KB"_s, 0, {{7, 999}, RowOrigin::kOwnFolder});
            list.announcePending();
            form().resultListControls().sortByHeader(ResultList::kPathColumn);
        }
        if (removingTurns == 3) {
            // A second removal meanwhile: of a kept row, and of one the first removal takes too.
            std::vector<int> positions;
            for (int p = 1; p <= list.count(); ++p)
                if (list.text(p) == u"/d/text-1004"_s || list.text(p) == u"/d/photo-1398"_s)
                    positions.push_back(p);
            ASSERT_EQ(positions.size(), 2U);
            list.removePositions(positions);
            kept.removeOne(u"/d/text-1004"_s);
        }
        if (removingTurns == 2) {
            // A row that went may still be shown for a few turns: it can no longer be checked, nor
            // count as checked.
            ASSERT_EQ(list.text(3), u"/d/photo-1002"_s);
            list.setChecked(3, true);
            EXPECT_FALSE(list.checked(3));
            EXPECT_EQ(list.checkedCount(), 0);
        }
        QStringList shown = rows();
        EXPECT_EQ(form().ListView2->model()->rowCount(), shown.size());
        for (const QString& path : kept)
            EXPECT_EQ(shown.count(path), 1) << path.toStdString();
        shown.removeDuplicates();
        EXPECT_EQ(shown.size(), list.count());
    };
    dialogs->inputAnswers = {u"photo"_s};
    clickAndFinish(form().PushButton17);
    EXPECT_GE(removingTurns, 20);
    if (list.isSorting()) { // it began again once the last row went
        QEventLoop loop;
        QObject::connect(&list, &ResultList::rowsSorted, &loop, &QEventLoop::quit);
        loop.exec();
    }
    kept.prepend(u"/d/photo-late"_s); // by path: the found rows' numbers are as long as each other
    EXPECT_EQ(rows(), kept);
    EXPECT_TRUE(list.listsFile({7, 1}));
    EXPECT_FALSE(list.listsFile({7, 2}));
    EXPECT_TRUE(list.listsFile({7, 999}));
    EXPECT_EQ(list.checkedCount(), 0);
}

// A few long runs leave the views slice by slice (many scattered rows go in one reset at the end).
TEST_F(Filters, AFewLongRunsLeaveTheViewsSliceBySlice) {
    ResultList& list = *form().results;
    QStringList kept;
    for (quint64 i = 0; i < 300; ++i) {
        const bool goes = (i >= 50 && i < 150) || i >= 250;
        const QByteArray path = "/d/" + QByteArray(goes ? "photo-" : "text-") + QByteArray::number(i + 1000);
        list.addPath(path, u"1 KB"_s, i, {{7, i}, RowOrigin::kOwnFolder});
        if (!goes)
            kept << QString::fromLatin1(path);
    }
    list.announcePending();
    list.setRemovalPace({16, std::chrono::nanoseconds(0), 0});
    std::vector<qsizetype> shownCounts;
    onYield = [&] {
        if (!list.isRemoving())
            return;
        const QStringList shown = rows();
        shownCounts.push_back(shown.size());
        for (const QString& path : kept)
            EXPECT_EQ(shown.count(path), 1) << path.toStdString();
    };
    dialogs->inputAnswers = {u"photo"_s};
    clickAndFinish(form().PushButton17);
    EXPECT_EQ(rows(), kept);
    ASSERT_GE(shownCounts.size(), 2U);
    EXPECT_LT(shownCounts.back(), 300);
}

TEST_F(Filters, CancelChangesNothingNotEvenThePointer) {
    Form1& f = form();
    row("/a/x");
    f.setPointerState(PointerState::Hand);
    clickAndFinish(f.PushButton17);
    clickAndFinish(f.PushButton11);
    EXPECT_EQ(rows(), QStringList{u"/a/x"_s});
    EXPECT_EQ(f.pointerState(), PointerState::Hand);
}

} // namespace
} // namespace zorvik::test
