// The search through the real window with folders read ahead on worker threads: what the user sees
// is what the sequential walk gives, whatever happens during the run.
#include "FaultyFileSystem.h"
#include "FormFixture.h"
#include "TempTree.h"

#include "folders/FolderList.h"
#include "results/ResultList.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

struct Outcome {
    QStringList rows; // path|size text, in the list's order
    QStringList boxes;
    bool operator==(const Outcome&) const = default;
};

class SearchReadAhead : public FormFixture {
protected:
    void customise(Services& s) override {
        FormFixture::customise(s);
        s.fileSystem = fs;
        s.readAhead.threads = threads;
        s.rowYieldIntervalMs = 0;           // a turn before every sub-folder
        s.readAhead.waitingCallMs = 600000; // no yields of its own: both walks yield at the same places
        s.yieldHook = [this] {
            ++yields;
            if (onYield)
                onYield(yields);
        };
    }
    // Runs a search of every listed folder in a fresh window with `threadCount` threads.
    Outcome search(int threadCount, const std::function<void(Form1&)>& before = {}) {
        restart();
        threads = threadCount;
        yields = 0;
        dialogs->shown.clear();
        Form1& f = form();
        for (const TempTree* t : {&tree, &second})
            f.folders->add(t->rootText());
        if (before)
            before(f);
        clickAndFinish(f.PushButton1);
        Outcome outcome;
        for (int i = 1; i <= f.results->count(); ++i)
            outcome.rows << f.results->text(i) + u'|' + f.results->sizeText(i);
        for (const auto& shown : dialogs->shown)
            outcome.boxes << shown.text;
        return outcome;
    }

    std::shared_ptr<FaultyFileSystem> fs = std::make_shared<FaultyFileSystem>();
    int threads = 1;
    int yields = 0;
    std::function<void(int)> onYield;
    TempTree tree;
    TempTree second;
};

TEST_F(SearchReadAhead, RowsOrderAndNoticesAreTheSequentialWalksWithSkippedAndBrokenFolders) {
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 8; ++j)
            tree.file("d" + QByteArray::number(i) + "/s" + QByteArray::number(j % 3) + "/f" +
                          QByteArray::number(j),
                      90 + 10 * j);
    tree.file("locked/f", 150);
    tree.file("broken/a", 150);
    tree.file("broken/b", 150);
    second.file("x/y", 120);
    fs->refuseToOpen = {"locked"};
    fs->listingBreaksAfter = {{"broken", 1}};
    const Outcome sequential = search(1);
    ASSERT_GT(sequential.rows.size(), 40);
    ASSERT_EQ(sequential.boxes.size(), 2); // the skipped folders, then "Done."
    EXPECT_EQ(search(4), sequential);
}

TEST_F(SearchReadAhead, StopAConditionChangeAndARemovedFolderRowActAtTheSameYieldAsInTheSequentialWalk) {
    for (int i = 0; i < 10; ++i)
        tree.file("d" + QByteArray::number(i) + "/f", 150 + 1000 * (i % 2));
    second.file("g", 150);
    auto during = [&](int yield, Form1& f) {
        if (yield == 3)
            f.Text[1]->setText(u"9999"_s); // Between 100 and 9999 for the next search
        if (yield == 5)
            f.folders->remove(2); // the second listed folder is reported when its turn comes
        if (yield == 8)
            f.PushButton1->click(); // Stop
    };
    Form1* window = nullptr;
    onYield = [&](int yield) { during(yield, *window); };
    auto run = [&](int threadCount) {
        return search(threadCount, [&](Form1& f) {
            window = &f;
            f.Text[1]->setText(u"200"_s); // not the 9999 that the previous run left in the settings
        });
    };
    const Outcome sequential = run(1);
    ASSERT_FALSE(sequential.rows.isEmpty());
    EXPECT_EQ(run(3), sequential);
    EXPECT_EQ(fs->openHandles, 0);
}

TEST_F(SearchReadAhead, ClosingTheWindowMidRunStopsTheWorkersAtOnceAndSaysNothing) {
    for (int i = 0; i < 200; ++i)
        tree.file("d" + QByteArray::number(i) + "/f", 150);
    Form1* window = nullptr;
    onYield = [&](int yield) {
        if (yield == 4)
            window->close();
    };
    const Outcome outcome = search(8, [&](Form1& f) {
        f.show();
        window = &f;
    });
    EXPECT_TRUE(outcome.boxes.isEmpty());
    EXPECT_EQ(fs->openHandles, 0); // every worker closed what it opened: all of them have ended
}

} // namespace
} // namespace zorvik::test
