// The commands that work row after row keep to the rows they started with, each once and in the order
// shown then, whatever the user does to the list while they yield.
#include "FakeClipboard.h"
#include "ResultFixture.h"

#include "shell/HoverButton.h"
#include "shell/ResultListControls.h"

#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class CommandRows : public ResultFixture {
protected:
    void customise(Services& s) override {
        ResultFixture::customise(s);
        s.rowYieldIntervalMs = 0; // a yield before every row
        s.yieldHook = [this] {
            ++yields;
            if (onYield)
                onYield();
        };
    }
    // Five real files a … e, rows in that order; the given ones checked.
    void fiveRows(const QByteArray& checked = "") {
        for (const char name : QByteArray("abcde"))
            row(file(tree, QByteArray(1, name)), checked.contains(name));
    }
    // What the user does at the second row: clicks "Size" (a sort, refused while a command runs),
    // prunes the rows holding "/b" (which waits for the running command), adds a row, and checks every
    // row.
    void meddleAtSecondRow() {
        onYield = [this] {
            if (yields != 2)
                return;
            form().resultListControls().sortByHeader(1);
            dialogs->inputAnswers = {tree.rootText() + u"/b"_s};
            form().PushButton17->click();
            row(file(tree, "late"), true);
            form().results->setAllChecked(true);
        };
    }
    QByteArray lines(const QByteArray& names) {
        QByteArray expected;
        for (const char name : names)
            expected += tree.path(QByteArray(1, name)) + "\r\n";
        return expected;
    }

    int yields = 0;
    std::function<void()> onYield;
    TempTree tree;
};

TEST_F(CommandRows, SaveWritesTheRowsItStartedWithEachOnceAndRefusesASort) {
    fiveRows();
    meddleAtSecondRow();
    QTemporaryDir dir;
    dialogs->saveAnswers = {dir.filePath(u"r.txt"_s)};
    clickAndFinish(form().PushButton2);
    // The prune waited for the save: every row it started with is written, "late" was never one.
    EXPECT_EQ(contentOf(QFile::encodeName(dir.filePath(u"r.txt"_s))), lines("abcde"));
    EXPECT_EQ(form().results->count(), 5); // and then "b" left the list
    EXPECT_FALSE(form().ListView2->horizontalHeader()->isSortIndicatorShown());
    EXPECT_EQ(form().results->sortState(), std::nullopt);
    EXPECT_EQ(dialogs->notices(), QStringList{u"Done."_s});
}

TEST_F(CommandRows, CopyTakesItsRowsAndReadsEachCheckAsItGoes) {
    fiveRows("a");
    meddleAtSecondRow();
    clickAndFinish(form().PushButton4);
    ASSERT_EQ(clipboard->calls.size(), 2);
    const QString text = clipboard->calls[1];
    // Measuring the widths yields first; by the time the lines are written every row is checked.
    for (const char* name : {"/a\t", "/b\t", "/c\t", "/d\t", "/e\t"})
        EXPECT_EQ(text.count(QLatin1String(name)), 1) << name;
    EXPECT_FALSE(text.contains(u"late"_s));
}

TEST_F(CommandRows, TrashAndMoveActOnTheirRowsEachOnce) {
    TempTree target;
    fiveRows("ab");
    meddleAtSecondRow();
    dialogs->folderAnswers = {target.rootText()};
    clickAndFinish(form().PushButton8);
    // "a" and "b" were checked from the start; c, d and e were checked meanwhile; the prune waited.
    for (const char* name : {"a", "b", "c", "d", "e"})
        EXPECT_EQ(contentOf(target.path(name)), QByteArray("content of ") + name) << name;
    EXPECT_EQ(contentOf(tree.path("late")), "content of late");
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(tree.path("late")) + u" [x]"_s});
    EXPECT_TRUE(dialogs->notices().isEmpty());

    // The trash: the same meddling while it collects the checked rows.
    clickAndFinish(form().PushButton6);
    fiveRows("a");
    yields = 0;
    dialogs->yesNoAnswers = {true};
    clickAndFinish(form().PushButton10);
    EXPECT_EQ(dialogs->texts(ScriptedDialogs::Kind::Question),
              QStringList{u"Move the 5 checked files (0.0 KB) to the trash?"_s});
    const QByteArray trash = qgetenv("XDG_DATA_HOME") + "/Trash/files/";
    for (const char* name : {"a", "b", "c", "d", "e"})
        EXPECT_EQ(contentOf(trash + name), QByteArray("content of ") + name) << name;
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(tree.path("late")) + u" [x]"_s});
}

} // namespace
} // namespace zorvik::test
