// A share that stops answering, through the real window: a folder's opening or listing that does not
// return until the test says so. Stop still ends the search with what was found, closing still closes,
// a call that returns late changes nothing, and a later search waits on the stuck call instead of
// starting another.
#include "FaultyFileSystem.h"
#include "FormFixture.h"
#include "TempTree.h"

#include "core/BlockingCall.h"
#include "folders/FolderList.h"
#include "results/ResultList.h"

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class StuckShare : public FormFixture {
protected:
    void customise(Services& s) override {
        FormFixture::customise(s);
        s.fileSystem = fs;
        s.readAhead.threads = 4;
        s.readAhead.waitingCallMs = 1;
        s.yieldHook = [this] {
            // Two yields in a row under the same status line, every row before the stalled folder in:
            // the search waits for that folder.
            const QString header = form().folders->headerText();
            const bool waiting = header == lastHeader_ && fs->stall->inside() > 0 && rowsBefore(form());
            lastHeader_ = header;
            waitingYields_ = waiting ? waitingYields_ + 1 : 0;
            // A few of them: the worker that takes the folder has long begun to wait for it too.
            if (waitingYields_ >= 10 && whileStuck)
                std::exchange(whileStuck, nullptr)();
        };
    }
    QStringList rows() {
        QStringList all;
        for (int i = 1; i <= form().results->count(); ++i)
            all << form().results->text(i);
        return all;
    }
    void ends(Form1& f) {
        EXPECT_EQ(f.PushButton1->text(), u"Start Finding"_s);
        EXPECT_EQ(f.pointerState(), PointerState::Default);
        EXPECT_EQ(f.folders->headerText(), u"Folder(s)"_s);
    }

    std::shared_ptr<FaultyFileSystem> fs = std::make_shared<FaultyFileSystem>();
    std::function<void()> whileStuck; // runs once, at a yield while the search waits for the stall
    std::function<bool(Form1&)> rowsBefore = [](Form1&) { return true; };
    TempTree tree;
    TempTree second;

private:
    QString lastHeader_;
    int waitingYields_ = 0;
};

TEST_F(StuckShare, StopEndsTheSearchWithTheRowsSoFarAndTheNextSearchWaitsOnTheSameStuckListing) {
    for (int i = 0; i < 8; ++i)
        tree.file("d" + QByteArray::number(i) + "/f", 150);
    Form1& f = form();
    f.folders->add(tree.rootText());
    clickAndFinish(f.PushButton1);
    const QStringList clean = rows();
    ASSERT_EQ(clean.size(), 8);
    f.results->clear();
    dialogs->shown.clear();

    fs->stallAt = "d5";
    const QStringList before = clean.mid(0, clean.indexOf(tree.rootText() + u"/d5/f"_s));
    rowsBefore = [&](Form1& window) { return window.results->count() == before.size(); };
    whileStuck = [&] { f.PushButton1->click(); }; // Stop
    clickAndFinish(f.PushButton1);
    // The search has ended while the listing of d5 is still held: with every row found before d5.
    EXPECT_EQ(fs->stall->inside(), 1);
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(dialogs->notices(), QStringList{u"Done."_s});
    ends(f);

    // A new search reaches d5, waits for the listing left behind, and gets it once it comes. The rows
    // before d5 are listed already, so it is at d5 once it has passed the folder before it.
    const QString folderBefore = before.isEmpty() ? tree.rootText() : before.back().section(u'/', 0, -2);
    rowsBefore = [&](Form1& window) { return window.folders->headerText().endsWith(folderBefore); };
    whileStuck = [&] { fs->stall->open(); };
    clickAndFinish(f.PushButton1);
    EXPECT_EQ(fs->stall->passes(), 1); // d5 was listed once, by the first search's worker
    EXPECT_EQ(rows(), clean);
    EXPECT_EQ(dialogs->notices(), (QStringList{u"Done."_s, u"Done."_s}));
    ends(f);
    EXPECT_TRUE(WorkerThreads::waitUntilNoneRuns(std::chrono::minutes(1)));
    EXPECT_EQ(fs->openHandles, 0);
}

TEST_F(StuckShare, AStuckListedFolderGivesDoneOnStopAndClosingLeavesItsLateOpeningToChangeNothing) {
    tree.file("first", 150);
    second.file("never", 150);
    Form1& f = form();
    f.folders->add(tree.rootText());
    f.folders->add(second.rootText());
    fs->stallAt = second.root().mid(second.root().lastIndexOf('/') + 1).toStdString();

    whileStuck = [&] { f.PushButton1->click(); }; // Stop while the second folder opens
    clickAndFinish(f.PushButton1);
    EXPECT_EQ(rows(), QStringList{tree.rootText() + u"/first"_s});
    EXPECT_EQ(dialogs->notices(), QStringList{u"Done."_s});
    EXPECT_TRUE(dialogs->errorReports().isEmpty());
    ends(f);

    // The next search waits on the same opening; the window closes meanwhile.
    whileStuck = [&] { f.close(); };
    f.show();
    clickAndFinish(f.PushButton1);
    EXPECT_EQ(fs->stall->passes(), 1);
    EXPECT_EQ(fs->stall->inside(), 1);
    restart(); // the window and everything it owned are gone; the opening is still held
    fs->stall->open();
    ASSERT_TRUE(WorkerThreads::waitUntilNoneRuns(std::chrono::minutes(1)));
    EXPECT_EQ(fs->openHandles, 0); // the late folder was closed on the worker, unseen
    EXPECT_EQ(dialogs->notices(), QStringList{u"Done."_s});
}

} // namespace
} // namespace zorvik::test
