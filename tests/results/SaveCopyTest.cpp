// "Save Results As Text File" and "Copy Results To Clipboard".
#include "FakeClipboard.h"
#include "ResultFixture.h"

#include "platform/Clipboard.h"
#include "platform/QtClipboard.h"
#include "results/ClipboardText.h"
#include "results/RowSnapshot.h"
#include "shell/HoverButton.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

using Kind = ScriptedDialogs::Kind;

class Save : public ResultFixture {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath(u"results.txt"_s);
};

TEST_F(Save, EveryRowIsOneLineOfItsPathBytesEndingInCrLf) {
    Form1& f = form();
    row("/home/u/a.txt");
    row("/home/u/caf\xe9.txt", true);
    row("/b");
    dialogs->saveAnswers = {target};
    clickAndFinish(f.PushButton2);
    EXPECT_EQ(contentOf(QFile::encodeName(target)), "/home/u/a.txt\r\n/home/u/caf\xe9.txt\r\n/b\r\n");
    EXPECT_EQ(dialogs->notices(), QStringList{u"Done."_s});
    EXPECT_TRUE(dialogs->texts(Kind::Question).isEmpty()); // a new file needs no question
    EXPECT_EQ(f.pointerState(), PointerState::Default);
}

TEST_F(Save, TheCsvFilterWritesEachRowWithItsSizeInTheCommandLinesColumns) {
    Form1& f = form();
    f.results->addPath("/home/u/a,b \"c\".txt", u"1.5 MB"_s, 1572864);
    f.results->addPath("/home/u/caf\xe9", u"1,024 KB"_s, 1048576);
    dialogs->saveAnswers = {target};
    dialogs->saveFormats = {SaveFormat::Csv};
    clickAndFinish(f.PushButton2);
    EXPECT_EQ(contentOf(QFile::encodeName(target)), "path,bytes,size_text\r\n"
                                                    "\"/home/u/a,b \"\"c\"\".txt\",1572864,1.5 MB\r\n"
                                                    "file:///home/u/caf%E9,1048576,\"1,024 KB\"\r\n");
    EXPECT_EQ(dialogs->notices(), QStringList{u"Done."_s});
}

TEST_F(Save, TheDialogProposesAResultsFileInTheFolderOfTheLastSave) {
    Form1& f = form();
    row("/a");
    dialogs->saveAnswers = {target, QString()};
    clickAndFinish(f.PushButton2);
    clickAndFinish(f.PushButton2);
    const auto shown = dialogs->of(Kind::Save);
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_EQ(shown[0].extra, QDir::homePath() + u"/Zorvik results.txt"_s);
    EXPECT_EQ(shown[1].extra, dir.path() + u"/Zorvik results.txt"_s);
}

TEST_F(Save, AnExistingFileIsReplacedOnlyAfterYes) {
    Form1& f = form();
    row("/first");
    dialogs->saveAnswers = {target, target, target};
    dialogs->yesNoAnswers = {false, true};
    clickAndFinish(f.PushButton2); // no question yet: writes "/first"
    f.results->clear();
    clickAndFinish(f.PushButton2); // No: untouched, no "Done.", never busy
    EXPECT_EQ(contentOf(QFile::encodeName(target)), "/first\r\n");
    EXPECT_EQ(dialogs->texts(Kind::Question),
              QStringList{u"Are you sure you wish to overwrite "_s + target + u" ?"_s});
    EXPECT_EQ(dialogs->notices().size(), 1);
    clickAndFinish(f.PushButton2); // Yes with an empty list: an empty file, not an appended one
    EXPECT_EQ(contentOf(QFile::encodeName(target)), QByteArray());
    EXPECT_EQ(dialogs->notices().size(), 2);
}

TEST_F(Save, AFileThatCannotBeWrittenIsReportedOnceAndNotCalledDone) {
    Form1& f = form();
    row("/a");
    row("/b");
    dialogs->saveAnswers = {dir.filePath(u"no-such-folder/results.txt"_s)};
    clickAndFinish(f.PushButton2);
    const QStringList reports = dialogs->errorReports();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(u"PushButton2_Click at line 132"_s)) << reports[0].toStdString();
    EXPECT_TRUE(dialogs->notices().isEmpty());
    EXPECT_EQ(f.pointerState(), PointerState::Default);
}

TEST_F(Save, ADiskThatFillsUpMidwayKeepsTheOldFileWhole) {
    LoopFilesystem small;
    if (!small.valid())
        GTEST_SKIP() << "this machine cannot mount a filesystem of its own";
    const QString saved = QFile::decodeName(small.root()) + u"/results.txt"_s;
    {
        QFile old(saved);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("/the old list\r\n");
    }
    // Leave about 32 KB free: the new list starts to be written, then the disk is full.
    const QByteArray root = small.root();
    const QByteArray fill = "head -c 32768 /dev/zero >'" + root + "/spare' && (cat /dev/zero >'" + root +
                            "/filler' 2>/dev/null; true) && rm '" + root + "/spare' && sync";
    ASSERT_EQ(std::system(fill.constData()), 0);
    Form1& f = form();
    const QByteArray longFolder = "/home/someone/" + QByteArray(100, 'x');
    for (int i = 0; i < 3000; ++i)
        row(longFolder + '/' + QByteArray::number(i));
    dialogs->saveAnswers = {saved};
    dialogs->yesNoAnswers = {true};
    clickAndFinish(f.PushButton2);
    EXPECT_EQ(contentOf(QFile::encodeName(saved)), "/the old list\r\n");
    ASSERT_EQ(dialogs->errorReports().size(), 1);
    EXPECT_TRUE(dialogs->errorReports()[0].contains(u"No space left on device"_s))
        << dialogs->errorReports()[0].toStdString();
    EXPECT_TRUE(dialogs->notices().isEmpty()); // never "Done."
    EXPECT_EQ(QDir(QFile::decodeName(root)).entryList(QDir::Files).size(), 2) << "a temporary file was left";
    EXPECT_EQ(f.pointerState(), PointerState::Default);
}

class Copy : public ResultFixture {
protected:
    const QString message =
        u"Results have been copied to the clipboard.\r\r"
        u"Click a text area where you normally type and press Ctrl+V to paste the clipboard."_s;
};

TEST_F(Copy, CheckedRowsArePaddedToTheLongestPathOfTheWholeList) {
    Form1& f = form();
    row("/x/a.txt", true, u"1 KB"_s);
    row("/x/longer/b.txt", false, u"20 KB"_s);
    row("/x/c.txt", true, u"300 Bytes"_s);
    clickAndFinish(f.PushButton4);
    EXPECT_EQ(clipboard->calls,
              (QStringList{u"clear"_s, u"/x/a.txt       \t1 KB\r\n/x/c.txt       \t300 Bytes\r\n"_s}));
    EXPECT_EQ(dialogs->notices(), QStringList{message});

    // The longest path checked: its tab follows at once.
    clipboard->calls.clear();
    f.results->setChecked(1, false);
    f.results->setChecked(2, true);
    f.results->setChecked(3, false);
    clickAndFinish(f.PushButton4);
    EXPECT_EQ(clipboard->calls.last(), u"/x/longer/b.txt\t20 KB\r\n"_s);
}

TEST_F(Copy, NothingCheckedOrAnEmptyListLeavesTheClipboardAndSaysSo) {
    Form1& f = form();
    clickAndFinish(f.PushButton4);
    row("/x/a.txt");
    clickAndFinish(f.PushButton4);
    EXPECT_TRUE(clipboard->calls.isEmpty());
    EXPECT_EQ(dialogs->notices(), (QStringList{u"No result is checked."_s, u"No result is checked."_s}));
}

TEST_F(Copy, ARefusingClipboardIsTriedOnceAndTheUserIsToldSo) {
    Form1& f = form();
    row("/x/a.txt", true);
    clipboard->refusals = 1;
    clickAndFinish(f.PushButton4);
    EXPECT_EQ(clipboard->calls, QStringList{u"clear"_s});
    EXPECT_EQ(dialogs->notices(), QStringList{u"The clipboard did not take the text."_s});
    EXPECT_TRUE(dialogs->errorReports().isEmpty());
    clickAndFinish(f.PushButton4);
    EXPECT_EQ(clipboard->calls.last(), u"/x/a.txt\t1 KB\r\n"_s);
    EXPECT_EQ(dialogs->notices().last(), message);
}

TEST(CopyToTheSystemClipboard, ANameThatIsNotUtf8IsReadBackAsTheListShowsIt) {
    ResultList list;
    list.addPath("/x/caf\xe9", u"2 KB"_s);                     // shown with U+FFFD
    list.addPath("/x/\xf0\x9f\x98\x80\xc3\xa9", u"3 Bytes"_s); // two UTF-16 units for the emoji
    list.setAllChecked(true);
    const RowSnapshot rows(list);
    QtClipboard clipboard;
    ASSERT_TRUE(clipboard.setText(clipboardText(list, rows, [] {})));
    const QString shown = u"/x/caf\ufffd\t2 KB\r\n/x/\U0001F600\u00e9 \t3 Bytes\r\n"_s;
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    // Other programs get these bytes: UTF-8 of what is shown, never the name's own bytes.
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data(u"text/plain"_s), shown.toUtf8());
}

} // namespace
} // namespace zorvik::test
