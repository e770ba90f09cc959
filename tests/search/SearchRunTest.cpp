// "Start Finding" / "Stop" without the window: its turns of the event loop, the states it shows, and a
// run started while another winds down.
#include "search/SearchRun.h"

#include "FakeHost.h"
#include "ProbeFileSystem.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "TempTree.h"

#include "folders/FolderList.h"
#include "results/ResultList.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class Run : public ::testing::Test {
protected:
    Run() {
        folders.addColumn(u"Folder(s)"_s);
        results.addColumn(u"Results"_s);
        results.addColumn(u"Size"_s);
        host.condition = {SizeMode::Between, SizeUnit::Bytes, std::nullopt, u"100"_s, u"200"_s, QString()};
        // Two listed folders, three sub-folders to walk in all: five yields.
        tree.file("a", 150);
        tree.file("sub1/f", 150);
        tree.file("sub1/deep/g", 99);
        tree.file("sub2/h", 200);
        folders.add(tree.rootText());
        folders.add(tree.rootText() + u"/sub2"_s);
    }
    // One click on the button, as the window handles it: a stop while a search runs, otherwise a new
    // search in the search's lane.
    void click(SearchRun& search) {
        if (search.isRunning()) {
            RecordedSteps s(u"PushButton1_Click"_s);
            search.stop(s.steps);
            failures << s.failures;
            lane.requestStop();
            return;
        }
        lane.submit(recordedJob(host, u"PushButton1_Click"_s, failures,
                                [&search](Job& job) { return search.run(job); }));
    }
    void click() { click(run); }
    void clickAndWait(SearchRun& search) {
        click(search);
        runUntilIdle(lane);
    }
    void clickAndWait() { clickAndWait(run); }

    JobLane lane;
    FakeHost host;
    FolderList folders;
    ResultList results;
    ScriptedDialogs dialogs;
    ProbeFileSystem fs;
    // One thread: the probe's hooks and counts are for the sequential walk.
    SearchRun run{host,
                  folders,
                  results,
                  dialogs,
                  &fs,
                  QLocale(QLocale::English, QLocale::UnitedStates),
                  ReadAheadOptions{1}};
    TempTree tree;
    QStringList failures;
};

TEST_F(Run, YieldsBeforeEachListedFolderAndEachSubFolderWhileShowingStopAndBusy) {
    QStringList during;
    host.onYield = [&] { during << host.caption + u' ' + QString::number(int(host.pointerState())); };
    clickAndWait();
    EXPECT_EQ(host.yields, 2 + 3);
    EXPECT_EQ(during, QStringList(5, u"Stop 11"_s));
    EXPECT_EQ(results.count(), 3); // a, sub1/f and sub2/h; sub2 listed again adds nothing
    EXPECT_EQ(host.pointerStates, (std::vector<PointerState>{PointerState::Busy, PointerState::Default}));
    EXPECT_TRUE(failures.isEmpty()) << failures.join(u'\n').toStdString();
}

TEST_F(Run, ANewRunStartedAfterAStopWaitsUntilTheOldOneHasEnded) {
    bool clicked = false;
    host.onYield = [&] {
        if (std::exchange(clicked, true))
            return;
        click(); // Stop: the caption comes back at once
        EXPECT_EQ(host.caption, u"Start Finding"_s);
        click(); // and a new run, which waits for the old one to wind down
    };
    clickAndWait();
    // Only the new run walked: the old one was stopped before its first folder, and ended first.
    EXPECT_EQ(results.count(), 3);
    EXPECT_EQ(dialogs.notices(), (QStringList{u"Done."_s, u"Done."_s}));
    EXPECT_EQ(host.captions, (QStringList{u"Stop"_s, u"Start Finding"_s, u"Start Finding"_s, u"Stop"_s,
                                          u"Start Finding"_s}));
    EXPECT_EQ(host.pointerStates.back(), PointerState::Default);
    EXPECT_EQ(folders.headerText(), u"Folder(s)"_s);
    EXPECT_TRUE(run.stopRequested());
    EXPECT_TRUE(failures.isEmpty()) << failures.join(u'\n').toStdString();
}

TEST_F(Run, AnEmptyFolderListNeitherYieldsNorTouchesTheStatusLine) {
    while (folders.count() > 0)
        folders.remove(1);
    folders.setHeaderText(u"left as it was"_s);
    clickAndWait();
    EXPECT_EQ(dialogs.notices(), QStringList{u"No folders added."_s});
    EXPECT_EQ(host.yields, 0);
    EXPECT_EQ(folders.headerText(), u"left as it was"_s);
    EXPECT_EQ(host.captions, (QStringList{u"Stop"_s, u"Start Finding"_s}));
    EXPECT_EQ(host.pointerStates, (std::vector<PointerState>{PointerState::Busy, PointerState::Default}));
    EXPECT_TRUE(run.stopRequested());
}

TEST_F(Run, WithoutAFileSystemEachFolderIsReportedAndTheRunStillEnds) {
    SearchRun blind(host, folders, results, dialogs, nullptr,
                    QLocale(QLocale::English, QLocale::UnitedStates));
    clickAndWait(blind);
    EXPECT_EQ(failures, (QStringList{u"100: The file system cannot be reached."_s,
                                     u"124: The file system cannot be reached."_s,
                                     u"124: The file system cannot be reached."_s}));
    EXPECT_EQ(results.count(), 0);
    EXPECT_EQ(dialogs.notices(), QStringList{u"Done."_s});
    EXPECT_EQ(host.caption, u"Start Finding"_s);
    EXPECT_EQ(host.pointerStates.back(), PointerState::Default);
}

} // namespace
} // namespace zorvik::test
