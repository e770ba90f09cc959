// "Start Finding" driven through the real window: the run, Stop, failures and what the user sees.
#include "FormFixture.h"
#include "ProbeFileSystem.h"
#include "TempTree.h"

#include "folders/FolderList.h"
#include "results/ResultList.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

using Kind = ScriptedDialogs::Kind;

class Search : public FormFixture {
protected:
    void customise(Services& s) override {
        FormFixture::customise(s);
        s.fileSystem = fs;
        s.readAhead.threads = 1;  // the probe's hooks run where the walk opens folders: on this thread
        s.rowYieldIntervalMs = 0; // a turn before every sub-folder
    }
    // Rows as "relative path|size text".
    QStringList rows(const TempTree& in) {
        QStringList result;
        for (int i = 1; i <= form().results->count(); ++i)
            result << form().results->text(i).mid(in.rootText().size() + 1) + u'|' +
                          form().results->sizeText(i);
        return result;
    }
    void start() { clickAndFinish(form().PushButton1); }
    // Runs `action` at the next yield of the run.
    static void atNextYield(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

    std::shared_ptr<ProbeFileSystem> fs = std::make_shared<ProbeFileSystem>();
    TempTree tree;
};

TEST_F(Search, ARunFindsTheMatchesShowsProgressAndEndsWithDone) {
    for (int size : {99, 100, 150, 200, 201})
        tree.file("sub/f" + QByteArray::number(size), size);
    tree.folder("sub/inner");
    Form1& f = form();
    f.folders->add(tree.rootText());
    QStringList during;
    fs->onOpenSubFolder = [&](const char*) {
        during << f.PushButton1->text() << QString::number(int(f.pointerState())) << f.folders->headerText();
    };
    start();
    ASSERT_GE(during.size(), 3);
    EXPECT_EQ(during[0], u"Stop"_s);
    EXPECT_EQ(during[1], u"11"_s);
    EXPECT_EQ(during[2],
              u"Searching "_s + tree.rootText()); // the yield comes before the sub-folder is entered
    QStringList found = rows(tree);
    found.sort();
    EXPECT_EQ(found,
              (QStringList{u"sub/f100|100 Bytes"_s, u"sub/f150|150 Bytes"_s, u"sub/f200|200 Bytes"_s}));
    EXPECT_EQ(dialogs->notices(), QStringList{u"Done."_s});
    EXPECT_EQ(dialogs->shown.back().title, f.applicationTitle());
    EXPECT_EQ(f.folders->headerText(), u"Folder(s)"_s);
    EXPECT_EQ(f.PushButton1->text(), u"Start Finding"_s);
    EXPECT_EQ(f.pointerState(), PointerState::Default);
    EXPECT_EQ(f.results->rowCount(), 3); // every row announced to the view by the end

    // Runs accumulate, but a file already listed is not listed again, from a folder listed twice
    // neither.
    f.folders->add(tree.rootText());
    start();
    EXPECT_EQ(f.results->count(), 3);
}

TEST_F(Search, AnEmptyFolderListSaysSoAndChangesNothing) {
    Form1& f = form();
    start();
    EXPECT_EQ(dialogs->notices(), QStringList{u"No folders added."_s});
    EXPECT_EQ(f.folders->headerText(), u"Folder(s)"_s);
    EXPECT_EQ(f.PushButton1->text(), u"Start Finding"_s);
    EXPECT_EQ(f.pointerState(), PointerState::Default);
    EXPECT_TRUE(f.stopRequested());
}

TEST_F(Search, StopEndsTheRunAtTheNextSubFolderAndKeepsWhatWasFound) {
    tree.file("top", 150);
    tree.file("A/a", 150);
    tree.file("B/b", 150);
    Form1& f = form();
    f.folders->add(tree.rootText());
    f.folders->add(tree.rootText()); // never reached
    QString captionAfterStop;
    int opened = 0;
    fs->onOpenSubFolder = [&](const char*) {
        if (++opened == 1)
            atNextYield([&] {
                f.PushButton1->click();
                captionAfterStop = f.PushButton1->text();
            });
    };
    start();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(captionAfterStop, u"Start Finding"_s);
    EXPECT_EQ(f.results->count(), 2);
    EXPECT_EQ(dialogs->notices(), QStringList{u"Done."_s});
    EXPECT_EQ(f.folders->headerText(), u"Folder(s)"_s);
    EXPECT_EQ(f.pointerState(), PointerState::Default);
}

TEST_F(Search, AMissingListedFolderIsReportedAndTheNextOneIsSearched) {
    tree.file("f", 150);
    Form1& f = form();
    f.folders->add(tree.rootText() + u"/gone"_s);
    f.folders->add(tree.rootText());
    start();
    const QStringList reports = dialogs->errorReports();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith(
        u"No such file or directory\r\nin Zorvik2021/08/31.Form1.PushButton1_Click at line 124"_s))
        << reports[0].toStdString();
    EXPECT_EQ(rows(tree), QStringList{u"f|150 Bytes"_s});
    EXPECT_EQ(dialogs->notices(), QStringList{u"Done."_s});
}

TEST_F(Search, AFolderRowRemovedDuringTheRunIsReportedOnceAndNothingIsWalkedInItsPlace) {
    tree.file("A/f", 150);
    Form1& f = form();
    f.folders->add(tree.rootText());
    f.folders->add(tree.rootText());
    fs->onOpenSubFolder = [&](const char*) { f.folders->remove(2); };
    start();
    const QStringList reports = dialogs->errorReports();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(u"PushButton1_Click at line 122"_s)) << reports[0].toStdString();
    EXPECT_EQ(f.results->count(), 1);
    EXPECT_EQ(dialogs->notices(), QStringList{u"Done."_s});
}

TEST_F(Search, ABoundThatIsNotANumberStopsStartFindingBeforeItStarts) {
    tree.file("one/f", 10);
    Form1& f = form();
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_EQ(QApplication::activeWindow(), &f);
    f.Option[1]->click(); // Greater Than
    f.folders->add(tree.rootText());
    // Typed, then the button clicked at once: leaving the box and the click both want to check it.
    f.Text[2]->setText(u"12"_s);
    f.Text[2]->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(f.Text[2], u"x"_s);
    QTest::mouseClick(f.PushButton1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialogs->notices(), QStringList{u"Must be a numeric entry."_s});
    EXPECT_TRUE(dialogs->errorReports().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), f.Text[2]);
    EXPECT_EQ(fs->mostOpenHandles, 0);
    EXPECT_EQ(f.PushButton1->text(), u"Start Finding"_s);
    EXPECT_EQ(f.pointerState(), PointerState::Default);
}

TEST_F(Search, BetweenReadsEachBoundInItsOwnUnit) {
    // Just outside and just inside 500 KB (rounded to whole KB) and 2 MB (not rounded).
    for (qint64 size : {511487, 511488, 2097152, 2097153})
        tree.file("f" + QByteArray::number(size), size);
    Form1& f = form();
    f.Text[0]->setText(u"500"_s);
    f.Combo[0]->setCurrentIndex(1);
    f.Text[1]->setText(u"2"_s);
    f.Combo[1]->setCurrentIndex(2);
    f.folders->add(tree.rootText());
    start();
    QStringList found = rows(tree);
    found.sort();
    EXPECT_EQ(found, (QStringList{u"f2097152|2,048 KB"_s, u"f511488|500 KB"_s}));
}

TEST_F(Search, AConditionChangedDuringTheRunIsForTheNextRunAsANewFolderIs) {
    for (const char* name : {"A/big", "B/big"})
        tree.file(name, 5000);
    for (const char* name : {"A/small", "B/small"})
        tree.file(name, 150);
    TempTree other;
    other.file("big", 5000);
    Form1& f = form();
    f.folders->add(tree.rootText());
    int opened = 0;
    fs->onOpenSubFolder = [&](const char*) {
        if (++opened == 1) {
            f.folders->add(other.rootText());
            atNextYield([&] { f.Text[1]->setText(u"9999"_s); }); // Between 100 and 9999, next time
        }
    };
    start();
    // The list holds the files of one condition: the one the run was started with.
    QStringList found = rows(tree);
    found.sort();
    EXPECT_EQ(found, (QStringList{u"A/small|150 Bytes"_s, u"B/small|150 Bytes"_s}));
    EXPECT_EQ(f.Text[1]->text(), u"9999"_s);
    start();
    EXPECT_EQ(f.results->count(), 2 + 3); // the small ones are listed already
}

TEST_F(Search, SkippedFoldersAreNamedBeforeDone) {
    tree.file("locked/f", 150);
    tree.file("open/f", 150);
    fs->refuseToOpen = {"locked"};
    Form1& f = form();
    f.folders->add(tree.rootText());
    start();
    const QStringList notices = dialogs->notices();
    ASSERT_EQ(notices.size(), 2);
    EXPECT_TRUE(notices[0].startsWith(u"1 folder could not be searched"_s)) << notices[0].toStdString();
    EXPECT_TRUE(notices[0].contains(tree.rootText() + u"/locked (Permission denied)"_s))
        << notices[0].toStdString();
    EXPECT_EQ(notices[1], u"Done."_s);
    EXPECT_EQ(rows(tree), QStringList{u"open/f|150 Bytes"_s});
}

TEST_F(Search, ClosingTheWindowDuringARunEndsItWithoutDone) {
    tree.file("A/a", 150);
    tree.file("B/b", 150);
    Form1& f = form();
    f.show();
    f.folders->add(tree.rootText());
    fs->onOpenSubFolder = [&](const char*) { atNextYield([&] { f.close(); }); };
    start();
    EXPECT_TRUE(dialogs->notices().isEmpty());
    EXPECT_EQ(fs->openHandles, 0);
}

TEST_F(Search, NamesThatAreNotUtf8AreListedByTheirBytes) {
    const QByteArray file = tree.file("caf\xe9-\xff", 150);
    Form1& f = form();
    f.folders->add(tree.rootText());
    start();
    ASSERT_EQ(f.results->count(), 1);
    EXPECT_EQ(f.results->pathBytes(1), file);
    EXPECT_EQ(f.results->text(1), QFile::decodeName(file));
}

} // namespace
} // namespace zorvik::test
