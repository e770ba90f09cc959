// A sorted result list through the real window: every command works on the rows in their new order,
// and the totals follow every command that removes rows.
#include "FakeClipboard.h"
#include "ResultFixture.h"

#include "folders/FolderList.h"
#include "shell/HoverButton.h"
#include "shell/ResultListControls.h"

#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class SortedList : public ResultFixture {
protected:
    // A real file of `bytes` bytes with its row (size text deliberately unlike its byte count's order).
    QByteArray sized(const QByteArray& name, qint64 bytes) {
        QByteArray path = tree.file(name, bytes);
        form().results->addPath(path, QString::number(bytes / 100) + u" KB"_s, quint64(bytes),
                                originOf(path));
        return path;
    }
    QStringList names() {
        QStringList result;
        for (int i = 1; i <= form().results->count(); ++i)
            result << form().results->text(i).mid(tree.rootText().size() + 1);
        return result;
    }
    QString header() { return form().results->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(); }

    TempTree tree;
    TempTree destination;
};

TEST_F(SortedList, AfterASortAndAnAppendingSearchEveryCommandAddressesTheRowsInTheirNewOrder) {
    Form1& f = form();
    sized("mid", 900);
    sized("small", 150);
    sized("large", 1000);
    sized("tiny", 120);
    f.resultListControls().sortByHeader(1); // Size: largest first
    ASSERT_EQ(names(), (QStringList{u"large"_s, u"mid"_s, u"small"_s, u"tiny"_s}));
    EXPECT_TRUE(f.ListView2->horizontalHeader()->isSortIndicatorShown());

    // A search (Between 100 and 200 Bytes) appends at the end and the list is no longer sorted.
    TempTree more;
    more.file("found", 170);
    f.folders->add(more.rootText());
    clickAndFinish(f.PushButton1);
    ASSERT_EQ(f.results->count(), 5);
    EXPECT_EQ(f.results->text(5), more.rootText() + u"/found"_s);
    EXPECT_FALSE(f.ListView2->horizontalHeader()->isSortIndicatorShown());

    // Save writes the rows in the order shown.
    QTemporaryDir dir;
    dialogs->saveAnswers = {dir.filePath(u"r.txt"_s)};
    clickAndFinish(f.PushButton2);
    EXPECT_EQ(contentOf(QFile::encodeName(dir.filePath(u"r.txt"_s))),
              tree.path("large") + "\r\n" + tree.path("mid") + "\r\n" + tree.path("small") + "\r\n" +
                  tree.path("tiny") + "\r\n" + more.path("found") + "\r\n");

    // Positions 2 and 5 are "mid" and "found" now: copy and move take exactly those.
    f.results->setChecked(2, true);
    f.results->setChecked(5, true);
    clickAndFinish(f.PushButton4);
    ASSERT_EQ(clipboard->calls.size(), 2);
    EXPECT_TRUE(clipboard->calls[1].startsWith(tree.rootText() + u"/mid"_s))
        << clipboard->calls[1].toStdString();
    EXPECT_TRUE(clipboard->calls[1].contains(more.rootText() + u"/found"_s));
    EXPECT_EQ(clipboard->calls[1].count(u"\r\n"_s), 2);
    dialogs->folderAnswers = {destination.rootText()};
    clickAndFinish(f.PushButton8);
    EXPECT_TRUE(exists(destination.path("mid")) && exists(destination.path("found")));
    EXPECT_TRUE(exists(tree.path("large")) && exists(tree.path("small")) && exists(tree.path("tiny")));
    EXPECT_EQ(names(), (QStringList{u"large"_s, u"small"_s, u"tiny"_s}));
    EXPECT_EQ(header(), u"Results:  3 files, 1.2 KB; 0 checked, 0.0 KB"_s);

    // Sorted by path the other way, then pruned: the others keep their order.
    f.resultListControls().sortByHeader(0);
    f.resultListControls().sortByHeader(0);
    EXPECT_EQ(names(), (QStringList{u"tiny"_s, u"small"_s, u"large"_s}));
    dialogs->inputAnswers = {u"SMALL"_s};
    clickAndFinish(f.PushButton17);
    EXPECT_EQ(names(), (QStringList{u"tiny"_s, u"large"_s}));

    // Trash the row at position 2, which is "large" in this order.
    f.results->setChecked(2, true);
    dialogs->yesNoAnswers = {true};
    clickAndFinish(f.PushButton10);
    EXPECT_FALSE(exists(tree.path("large")));
    EXPECT_TRUE(exists(tree.path("tiny")));
    EXPECT_EQ(names(), QStringList{u"tiny"_s});
    EXPECT_EQ(header(), u"Results:  1 file, 0.1 KB; 0 checked, 0.0 KB"_s);
}

} // namespace
} // namespace zorvik::test
