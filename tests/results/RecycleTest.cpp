// "Send Checked To Recycle Bin" with the desktop's real trash (in the test's own data folder).
#include "ResultFixture.h"

#include "RefusingTrash.h"
#include "folders/FolderList.h"
#include "shell/HoverButton.h"

#include <QTableView>

#include <QDir>

#include <set>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

using Kind = ScriptedDialogs::Kind;

class Recycle : public ResultFixture {
protected:
    void customise(Services& s) override {
        ResultFixture::customise(s);
        s.trash = trash;
        s.rowYieldIntervalMs = 0; // a turn before every file
        s.yieldHook = [this] {
            if (onYield)
                onYield();
        };
    }
    // The trashed copy of a file named `name` in the trash at `trashDir`, with the original path its
    // .trashinfo records.
    static std::pair<QByteArray, QByteArray> trashed(const QString& trashDir, const QByteArray& name) {
        const QByteArray trash = QFile::encodeName(trashDir);
        const QByteArray info = contentOf(trash + "/info/" + name + ".trashinfo");
        QByteArray original;
        for (const QByteArray& line : info.split('\n'))
            if (line.startsWith("Path="))
                original = QByteArray::fromPercentEncoding(line.mid(5));
        return {contentOf(trash + "/files/" + name), original};
    }
    QString homeTrash() const { return qEnvironmentVariable("XDG_DATA_HOME") + u"/Trash"_s; }

    std::shared_ptr<RefusingTrash> trash = std::make_shared<RefusingTrash>();
    std::function<void()> onYield;
    TempTree tree;
};

TEST_F(Recycle, AfterOneQuestionTheCheckedFilesGoToTheTrashAndTheirRowsLeave) {
    Form1& f = form();
    const QByteArray a = file(tree, "a.txt");
    const QByteArray b = file(tree, "b.txt");
    const QByteArray odd = file(tree, "caf\xe9 \xff.txt");
    row(a, true);
    row(b);
    row(odd, true);
    dialogs->yesNoAnswers = {true};
    clickAndFinish(f.PushButton10);
    EXPECT_EQ(dialogs->texts(Kind::Question),
              QStringList{u"Move the 2 checked files (0.0 KB) to the trash?"_s});
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(b)});
    EXPECT_FALSE(exists(a));
    EXPECT_EQ(trashed(homeTrash(), "a.txt"), std::make_pair(QByteArray("content of a.txt"), a));
    EXPECT_EQ(trashed(homeTrash(), "caf\xe9 \xff.txt").second, odd);
    EXPECT_TRUE(dialogs->notices().isEmpty());
}

TEST_F(Recycle, NoTouchesNothingAndNoCheckedRowSaysSo) {
    Form1& f = form();
    const QByteArray a = file(tree, "a.txt");
    row(a);
    clickAndFinish(f.PushButton10);
    EXPECT_EQ(dialogs->notices(), QStringList{u"No result is checked."_s});
    EXPECT_TRUE(dialogs->texts(Kind::Question).isEmpty());
    f.results->setChecked(1, true);
    clickAndFinish(f.PushButton10); // the scripted answer is No
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(a) + u" [x]"_s});
    EXPECT_EQ(contentOf(a), "content of a.txt");
}

TEST_F(Recycle, TheQuestionNamesHowManyFilesInTheListsDigitsAndHowMuchTheyHold) {
    Form1& f = form();
    ResultList& list = *f.results;
    list.addPath(tree.path("one"), u"1.5 KB"_s, 1536);
    list.setAllChecked(true);
    clickAndFinish(f.PushButton10); // the scripted answer is No
    for (int i = 0; i < 1233; ++i)
        list.addPath(tree.path(QByteArray::number(i)), u"1 MB"_s, quint64(1) << 20);
    list.addPath(tree.path("unchecked"), u"1 GB"_s, quint64(1) << 30);
    list.setAllChecked(true);
    list.setChecked(list.count(), false);
    clickAndFinish(f.PushButton10);
    EXPECT_EQ(dialogs->texts(Kind::Question),
              (QStringList{u"Move the checked file (1.5 KB) to the trash?"_s,
                           u"Move the 1,234 checked files (1.2 GB) to the trash?"_s}));
    EXPECT_EQ(list.count(), 1235);
}

TEST_F(Recycle, AFileTheTrashRefusesStaysInPlaceWithItsCheckedRow) {
    Form1& f = form();
    const QByteArray first = file(tree, "first.txt");
    const QByteArray kept = file(tree, "kept.txt");
    const QByteArray last = file(tree, "last.txt");
    row(first, true);
    row(kept, true);
    row(last, true);
    trash->refuse = {"first.txt", "kept.txt"};
    dialogs->yesNoAnswers = {true};
    clickAndFinish(f.PushButton10);
    EXPECT_EQ(rows(),
              (QStringList{QFile::decodeName(first) + u" [x]"_s, QFile::decodeName(kept) + u" [x]"_s}));
    EXPECT_EQ(contentOf(first), "content of first.txt"); // never deleted instead
    EXPECT_EQ(contentOf(kept), "content of kept.txt");
    EXPECT_FALSE(exists(last));
    const QStringList notices = dialogs->notices();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith(u"2 files could not be moved to the trash:\n"_s))
        << notices[0].toStdString();
    EXPECT_TRUE(notices[0].contains(QFile::decodeName(kept) + u" (Permission denied)"_s));
}

TEST_F(Recycle, AFileOnAnotherFilesystemGoesToThatFilesystemsTrash) {
    LoopFilesystem other;
    if (!other.valid())
        GTEST_SKIP() << "this machine cannot mount a filesystem of its own";
    const QByteArray path = other.root() + "/far.txt";
    {
        QFile out(QFile::decodeName(path));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("far away");
    }
    Form1& f = form();
    row(path, true);
    dialogs->yesNoAnswers = {true};
    clickAndFinish(f.PushButton10);
    EXPECT_EQ(f.results->count(), 0);
    const QString topTrash = QFile::decodeName(other.root()) + u"/.Trash-"_s + QString::number(::getuid());
    EXPECT_EQ(trashed(topTrash, "far.txt"), std::make_pair(QByteArray("far away"), QByteArray("far.txt")));
}

TEST_F(Recycle, AFilesystemWithoutATrashKeepsItsFiles) {
    // GIO keeps no trash on system mounts such as /dev/shm; the file must then stay, not be deleted.
    if (!QDir(u"/dev/shm"_s).exists())
        GTEST_SKIP() << "no /dev/shm";
    TempTree shm(u"/dev/shm"_s);
    const QByteArray path = file(shm, "kept.txt");
    Form1& f = form();
    row(path, true);
    dialogs->yesNoAnswers = {true};
    clickAndFinish(f.PushButton10);
    EXPECT_EQ(contentOf(path), "content of kept.txt");
    EXPECT_EQ(rows(), QStringList{QFile::decodeName(path) + u" [x]"_s});
    ASSERT_EQ(dialogs->notices().size(), 1);
    EXPECT_TRUE(dialogs->notices()[0].startsWith(u"1 file could not be moved to the trash:"_s));
}

TEST_F(Recycle, TheStatusLineCountsFilesAndBytesWhileTheTrashRunsAndRestsAfterwards) {
    Form1& f = form();
    for (const QByteArray name : {"a", "b", "c"}) {
        const QByteArray path = file(tree, name);
        f.results->addPath(path, u"1.0 MB"_s, quint64(1) << 20, originOf(path));
        f.results->setChecked(f.results->count(), true);
    }
    QStringList lines;
    QStringList described;
    QStringList captions;
    onYield = [&] {
        lines << f.folders->headerText();
        described << f.ListView1->accessibleDescription();
        captions << f.PushButton10->text();
    };
    dialogs->yesNoAnswers = {true};
    clickAndFinish(f.PushButton10);
    // The line names the file under way and counts the bytes of the files before it.
    EXPECT_TRUE(lines.contains(u"Moving file 2 of 3 to the trash (1.0 MB of 3.0 MB)"_s))
        << lines.join(u'|').toStdString();
    EXPECT_TRUE(described.contains(u"Moving file 1 of 3 to the trash (0.0 KB of 3.0 MB)"_s))
        << described.join(u'|').toStdString();
    EXPECT_TRUE(captions.contains(u"Stop"_s));
    EXPECT_EQ(f.folders->headerText(), u"Folder(s)"_s);
    EXPECT_EQ(f.PushButton10->text(), u"Send Checked To Recycle Bin"_s);
    EXPECT_EQ(f.results->count(), 0);
}

} // namespace
} // namespace zorvik::test
