// The result list's controls on the real window: header clicks, the context menu, keys.
#include "FakeClipboard.h"
#include "FormFixture.h"
#include "MenuChoice.h"

#include "results/ResultList.h"
#include "shell/ResultListControls.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class ResultControls : public FormFixture {
protected:
    void rows(int n) {
        for (int i = 1; i <= n; ++i)
            form().results->addPath("/r/" + QByteArray::number(i), QString::number(i) + u" KB"_s,
                                    quint64(i) * 1024);
        form().results->announcePending();
    }
    void select(std::initializer_list<int> positions) {
        QItemSelectionModel* selection = form().ListView2->selectionModel();
        selection->clearSelection();
        selection->setCurrentIndex(form().results->index(*positions.begin() - 1, 0),
                                   QItemSelectionModel::NoUpdate);
        for (int position : positions)
            selection->select(form().results->index(position - 1, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // Triggers the context menu's item `text` as if the user right-clicked row `position` (0: empty space).
    void choose(const QString& text, int position = 1) {
        QTableView* view = form().ListView2;
        const QPoint at = position > 0 ? view->visualRect(form().results->index(position - 1, 0)).center()
                                       : QPoint(5, view->viewport()->height() - 2);
        std::unique_ptr<QMenu> menu(form().resultListControls().menuAt(at));
        chooseFrom(*menu, text);
    }
    std::vector<int> checkedRows() {
        std::vector<int> result;
        for (int i = 1; i <= form().results->count(); ++i)
            if (form().results->checked(i))
                result.push_back(i);
        return result;
    }
};

TEST_F(ResultControls, HeaderClicksSortSizeLargestFirstThenTheOtherWayAndShowTheIndicator) {
    rows(3);
    QHeaderView* header = form().ListView2->horizontalHeader();
    form().resultListControls().sortByHeader(1);
    EXPECT_EQ(form().results->text(1), u"/r/3"_s);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    form().resultListControls().sortByHeader(1);
    EXPECT_EQ(form().results->text(1), u"/r/1"_s);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    form().resultListControls().sortByHeader(0); // another column starts from its own first order
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(ResultControls, TheMenuChecksAllNoneInvertedOrTheSelectionAndSpaceTogglesTheSelectionTogether) {
    rows(5);
    select({2, 4});
    choose(u"Check Selected"_s, 2);
    EXPECT_EQ(checkedRows(), (std::vector<int>{2, 4}));
    choose(u"Invert Checks"_s);
    EXPECT_EQ(checkedRows(), (std::vector<int>{1, 3, 5}));
    choose(u"Uncheck Selected"_s, 0);
    EXPECT_EQ(checkedRows(), (std::vector<int>{1, 3, 5}));
    choose(u"Check All"_s, 0);
    EXPECT_EQ(checkedRows().size(), 5U);
    choose(u"Uncheck All"_s);
    EXPECT_TRUE(checkedRows().empty());

    select({1, 3});
    form().results->setChecked(3, true);
    QTest::keyClick(form().ListView2, Qt::Key_Space); // one of them unchecked: both become checked
    EXPECT_EQ(checkedRows(), (std::vector<int>{1, 3}));
    QTest::keyClick(form().ListView2, Qt::Key_Space);
    EXPECT_TRUE(checkedRows().empty());
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(ResultControls, HomeAndEndGoToTheFirstAndLastRowAndTheRowsAreOneLineHigh) {
    rows(5);
    select({3});
    QTableView* view = form().ListView2;
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(view->currentIndex().row(), 4);
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(view->currentIndex().row(), 0);
    EXPECT_EQ(view->selectionModel()->selectedRows(), QModelIndexList{form().results->index(0, 0)});

    const int line = view->fontMetrics().height();
    EXPECT_GE(view->rowHeight(0), line);
    EXPECT_LE(view->rowHeight(0), line + 6);
    QFont larger = view->font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    view->setFont(larger); // as a skin may
    EXPECT_GE(view->rowHeight(0), QFontMetrics(larger).height());
}

TEST_F(ResultControls, OpenShowInFolderAndCopyPathActOnTheRowUnderThePointer) {
    form().results->addPath("/home/u/caf\xe9.txt", u"1 KB"_s, 1024);
    form().results->addPath("/home/u/b.txt", u"1 KB"_s, 1024);
    form().results->announcePending();
    choose(u"Open"_s, 1);
    choose(u"Show in Folder"_s, 2);
    choose(u"Copy Path"_s, 1);
    EXPECT_EQ(desktop->opened, std::vector<QByteArray>{"/home/u/caf\xe9.txt"});
    EXPECT_EQ(desktop->shown, std::vector<QByteArray>{"/home/u/b.txt"});
    EXPECT_EQ(clipboard->calls, (QStringList{u"clear"_s, QFile::decodeName("/home/u/caf\xe9.txt")}));

    select({1});
    QTest::keyClick(form().ListView2, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(desktop->shown.back(), QByteArray("/home/u/caf\xe9.txt"));

    desktop->refusal = u"No file manager"_s;
    choose(u"Open"_s, 2);
    EXPECT_EQ(dialogs->notices(), QStringList{u"/home/u/b.txt could not be opened:\nNo file manager"_s});

    // Nothing on the list removes a row: not the Delete key, not a double-click.
    QTest::keyClick(form().ListView2, Qt::Key_Delete);
    QTest::mouseDClick(form().ListView2->viewport(), Qt::LeftButton, {},
                       form().ListView2->visualRect(form().results->index(0, 0)).center());
    EXPECT_EQ(form().results->count(), 2);

    clipboard->refusals = 1;
    choose(u"Copy Path"_s, 2);
    EXPECT_EQ(dialogs->notices().last(), u"The clipboard did not take the text."_s);

    // The file manager answers when it answers: its refusal is told, unless the window is gone.
    desktop->answerLater = true;
    choose(u"Show in Folder"_s, 2);
    choose(u"Show in Folder"_s, 2);
    ASSERT_EQ(desktop->unanswered.size(), 2u);
    desktop->unanswered[0](u"No file manager"_s);
    EXPECT_EQ(dialogs->notices().last(),
              u"/home/u/b.txt could not be shown in its folder:\nNo file manager"_s);
    restart();
    desktop->unanswered[1](u"No file manager"_s);
    EXPECT_EQ(dialogs->notices().size(), 3);
}

TEST_F(ResultControls, RowItemsAreDisabledOverEmptySpaceAndLongPathsKeepTheirNamesInSight) {
    std::unique_ptr<QMenu> menu(form().resultListControls().menuAt(QPoint(5, 5)));
    for (QAction* action : menu->actions())
        EXPECT_TRUE(action->isSeparator() || !action->isEnabled()) << action->text().toStdString();
    EXPECT_EQ(form().ListView2->textElideMode(), Qt::ElideMiddle);
    EXPECT_EQ(form().ListView2->selectionMode(), QAbstractItemView::ExtendedSelection);
}

} // namespace
} // namespace zorvik::test
