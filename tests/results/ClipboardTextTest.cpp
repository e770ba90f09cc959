// The text that "Copy Results To Clipboard" places, built without the window or a clipboard.
#include "results/ClipboardText.h"
#include "results/ResultList.h"
#include "results/RowSnapshot.h"

#include "QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class CopyText : public ::testing::Test {
protected:
    void row(const QByteArray& path, bool checked, const QString& size) {
        list.addPath(path, size);
        list.setChecked(list.count(), checked);
    }
    QString text() {
        const RowSnapshot rows(list);
        return QString::fromUtf8(clipboardText(list, rows, [this] {
            ++yields;
            if (onYield)
                onYield();
        }));
    }

    ResultList list;
    int yields = 0;
    std::function<void()> onYield;
};

TEST_F(CopyText, CheckedRowsArePaddedToTheLongestPathOfTheWholeListAndEndInCrLf) {
    row("/x/a.txt", true, u"1 KB"_s);
    row("/x/longer/b.txt", false, u"20 KB"_s);
    row("/x/c.txt", true, u"300 Bytes"_s);
    row("/x/d", true, u""_s);
    // The size column is padded too, and the trailing spaces go: each line ends at its size text, or
    // at its tab when it has none.
    EXPECT_EQ(text(), u"/x/a.txt       \t1 KB\r\n"
                      u"/x/c.txt       \t300 Bytes\r\n"
                      u"/x/d           \t\r\n"_s);
    // Once per row of each column while measuring, once per row and once per cell of a checked row
    // while writing: the window stays responsive on a long list.
    EXPECT_EQ(yields, 2 * 4 + 4 + 2 * 3);

    list.setChecked(2, true);
    EXPECT_TRUE(text().contains(u"\r\n/x/longer/b.txt\t20 KB\r\n"_s)); // the longest path: tab at once
}

TEST_F(CopyText, WidthsCountUtf16UnitsOfTheShownPath) {
    row("/x/\xf0\x9f\x98\x80\xf0\x9f\x98\x80", false, u"1 KB"_s); // two emoji: 4 units, 8 bytes
    row("/x/caf\xe9", true, u"2 KB"_s);                           // not UTF-8: shown with U+FFFD
    row("/x/a", true, u"3 KB"_s);
    EXPECT_EQ(text(), u"/x/caf\ufffd\t2 KB\r\n/x/a   \t3 KB\r\n"_s);
}

TEST_F(CopyText, NoCheckedRowAndAnEmptyListGiveTheEmptyText) {
    EXPECT_EQ(text(), QString());
    row("/x/a", false, u"1 KB"_s);
    row("/x/b", false, u"1 KB"_s);
    EXPECT_EQ(text(), QString());
}

TEST_F(CopyText, RowsAddedWhileCopyingAreNotCopiedAndAClearedListEndsTheCopy) {
    row("/x/a", true, u"1 KB"_s);
    row("/x/bb", true, u"2 KB"_s);
    onYield = [this] {
        if (yields == 1)
            row("/x/added/later", true, u"300 Bytes"_s);
    };
    // The copy works through the rows it started with; the new row is not one of them.
    EXPECT_EQ(text(), u"/x/a \t1 KB\r\n/x/bb\t2 KB\r\n"_s);

    // Cleared at the first row of the writing pass: nothing is left to copy, and nothing fails.
    yields = 0;
    onYield = [this] {
        if (yields == 2 * 3 + 1)
            list.clear();
    };
    EXPECT_EQ(text(), QString());
}

TEST_F(CopyText, ARowClearedBetweenItsCellsIsLeftOutNotCopiedHalf) {
    row("/x/a", true, u"1 KB"_s);
    row("/x/b", true, u"2 KB"_s);
    // Measuring takes 2 * 2 yields and row 1 three more; row 2 yields for itself, its path and then its
    // size, where the list is cleared.
    onYield = [this] {
        if (yields == 2 * 2 + 3 + 3)
            list.clear();
    };
    EXPECT_EQ(text(), u"/x/a\t1 KB\r\n"_s);
}

} // namespace
} // namespace zorvik::test
