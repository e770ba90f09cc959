// What the user sees while a long search runs.
#include "FormFixture.h"
#include "TempTree.h"

#include "folders/FolderList.h"
#include "results/ResultList.h"

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class SearchProgress : public FormFixture {
protected:
    void customise(Services& s) override {
        FormFixture::customise(s);
        s.rowYieldIntervalMs = 0; // a turn before every sub-folder
        s.yieldHook = [this] {
            if (onYield)
                onYield();
        };
    }
    std::function<void()> onYield;
    TempTree tree;
};

TEST_F(SearchProgress, AFewRowsShowOnceTheAnnouncementIntervalHasPassedNotOnlyAtTheFolderEnd) {
    tree.file("match", 150); // found first: the listed folder's files come before its sub-folders
    for (const char* sub : {"s1", "s2", "s3", "s4"})
        tree.folder(sub);
    Form1& f = form();
    qint64 now = 0;
    f.results->setClock([&now] { return now; });
    f.folders->add(tree.rootText());
    std::vector<int> shownAtYield;
    onYield = [&] {
        shownAtYield.push_back(f.results->rowCount());
        now += 150; // the walk takes its time between folders
    };
    clickAndFinish(f.PushButton1);
    ASSERT_EQ(f.results->count(), 1);
    // The run yields once before the listed folder and once before each sub-folder; the row is
    // announced at the first yield 300 ms after the last announcement, not at the end of the folder.
    EXPECT_EQ(shownAtYield, (std::vector<int>{0, 0, 1, 1, 1})) << "the row waited for the end of the run";
}

} // namespace
} // namespace zorvik::test
