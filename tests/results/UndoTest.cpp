// Undo of a trash or a move: every file back as it was, nothing overwritten, nothing invented.
#include "ResultFixture.h"

#include "folders/FolderList.h"
#include "shell/HoverButton.h"
#include "shell/ResultListControls.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QMenu>
#include <QTest>

#include <cstdlib>
#include <map>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class Undo : public ResultFixture {
protected:
    // The trash is the process's own: what earlier tests left there must not shift the entries' names.
    void SetUp() override {
        ResultFixture::SetUp();
        std::system(QByteArray("rm -rf -- '" + trashRoot() + "'").constData());
    }
    // Every file under the given roots and the home trash, by path, with a hash of its content.
    std::map<QByteArray, QByteArray> hashes(const std::vector<QByteArray>& roots) {
        std::map<QByteArray, QByteArray> all;
        std::vector<QByteArray> everywhere = roots;
        everywhere.push_back(trashRoot());
        for (const QByteArray& root : everywhere) {
            QDirIterator it(QFile::decodeName(root), QDir::Files | QDir::Hidden | QDir::System,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QByteArray path = QFile::encodeName(it.next());
                all[path] = QCryptographicHash::hash(contentOf(path), QCryptographicHash::Sha256).toHex();
            }
        }
        return all;
    }
    static QByteArray trashRoot() { return qgetenv("XDG_DATA_HOME") + "/Trash"; }
    void trashChecked() {
        dialogs->yesNoAnswers = {true};
        clickAndFinish(form().PushButton10);
    }
    void moveCheckedTo(const QByteArray& folder) {
        dialogs->folderAnswers = {QFile::decodeName(folder)};
        clickAndFinish(form().PushButton8);
    }
    QAction* undoEntry() {
        menu.reset(form().resultListControls().menuAt(QPoint(-1, -1)));
        return menu->actions().back();
    }
    void undoByMenu() {
        undoEntry()->trigger();
        finishCommands();
    }
    void undoByKey() {
        Form1& f = form();
        f.show();
        QApplication::setActiveWindow(&f); // a shortcut reaches only the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
        finishCommands();
    }
    QStringList rowsWithSizes() {
        QStringList result;
        for (int i = 1; i <= form().results->count(); ++i)
            result << form().results->text(i) + u" "_s + form().results->sizeText(i) + u" "_s +
                          QString::number(form().results->bytes(i));
        return result;
    }
    void row(const QByteArray& path, const QString& size, quint64 bytes) {
        form().results->addPath(path, size, bytes, originOf(path));
        form().results->setChecked(form().results->count(), true);
    }

    TempTree tree;
    TempTree target;
    std::unique_ptr<QMenu> menu;
};

TEST_F(Undo, ATrashIsTakenBackWithItsRowsAndThenThereIsNothingToUndo) {
    const QByteArray a = file(tree, "a.txt");
    const QByteArray odd = file(tree, "sub/caf\xe9 \xff.txt");
    const auto before = hashes({tree.root()});
    row(a, u"1 KB"_s, 1024);
    row(odd, u"2 KB"_s, 2048);
    const QStringList rowsBefore = rowsWithSizes();
    trashChecked();
    ASSERT_FALSE(exists(a));
    ASSERT_EQ(form().results->count(), 0);
    dialogs->shown.clear();

    undoByKey();
    EXPECT_EQ(hashes({tree.root()}), before); // the trash's files and records are gone again
    EXPECT_EQ(rowsWithSizes(), rowsBefore);
    EXPECT_EQ(form().results->checkedCount(), 2);
    EXPECT_EQ(dialogs->notices(), QStringList{u"2 files are back where they were."_s});
    EXPECT_EQ(form().folders->headerText(), u"Folder(s)"_s);

    // The rows that came back are the files themselves: they can be trashed again.
    trashChecked();
    EXPECT_FALSE(exists(odd));
    undoByMenu();
    EXPECT_EQ(hashes({tree.root()}), before);
    dialogs->shown.clear();
    QAction* entry = undoEntry();
    EXPECT_EQ(entry->text(), u"Undo"_s);
    EXPECT_FALSE(entry->isEnabled());
    EXPECT_EQ(entry->toolTip(), u"Nothing to undo"_s);
    undoByKey();
    EXPECT_EQ(dialogs->notices(), QStringList{u"Nothing to undo"_s});
}

TEST_F(Undo, AMoveIsTakenBackOnOneAndAcrossFileSystemsWithTheFileItSentToTheTrash) {
    if (!QDir(u"/dev/shm"_s).exists())
        GTEST_SKIP() << "no /dev/shm: a move across file systems cannot be taken back here";
    TempTree shm(u"/dev/shm"_s);
    for (const QByteArray& to : {target.root(), shm.root()}) {
        SCOPED_TRACE(to.constData());
        clickAndFinish(form().PushButton6);
        dialogs->shown.clear();
        const QByteArray a = file(tree, "a.txt");
        const QByteArray b = file(tree, "b/b.txt");
        // A same-named file in the destination goes to the trash (where the trash keeps one) to make room.
        const bool clash = to == target.root();
        if (clash)
            file(target, "b.txt");
        const auto before = hashes({tree.root(), to});
        row(a, u"1 KB"_s, 1024);
        row(b, u"3 KB"_s, 3072);
        const QStringList rowsBefore = rowsWithSizes();
        moveCheckedTo(to);
        ASSERT_FALSE(exists(a));
        ASSERT_EQ(contentOf(to + "/b.txt"), "content of b/b.txt");
        EXPECT_EQ(undoEntry()->text(), u"Undo Move of 2 Files"_s);
        dialogs->shown.clear();

        undoByMenu();
        EXPECT_EQ(hashes({tree.root(), to}), before);
        EXPECT_EQ(rowsWithSizes(), rowsBefore);
        QString expected = u"2 files are back where they were."_s;
        if (clash)
            expected += u"\n\n1 file of the same name is back from the trash."_s;
        EXPECT_EQ(dialogs->notices(), QStringList{expected});
        ::unlink(a.constData());
        ::unlink(b.constData());
        ::unlink(QByteArray(to + "/b.txt").constData());
    }
}

TEST_F(Undo, ANewFileAtTheOldPathStaysAndAFileGoneFromTheTrashIsNamedNotInvented) {
    const QByteArray a = file(tree, "a.txt");
    const QByteArray b = file(tree, "b.txt");
    row(a, u"1 KB"_s, 1024);
    row(b, u"1 KB"_s, 1024);
    trashChecked();
    // Meanwhile a new a.txt is made, and b.txt is emptied out of the trash.
    file(tree, "a.txt");
    ASSERT_EQ(::truncate(a.constData(), 3), 0);
    ASSERT_EQ(::unlink(QByteArray(trashRoot() + "/files/b.txt").constData()), 0);
    const auto before = hashes({tree.root()});
    dialogs->shown.clear();

    undoByMenu();
    EXPECT_EQ(hashes({tree.root()}), before); // nothing moved, nothing made up
    EXPECT_EQ(form().results->count(), 0);
    ASSERT_EQ(dialogs->notices().size(), 1);
    const QString notice = dialogs->notices()[0];
    EXPECT_TRUE(notice.startsWith(u"2 files were not put back:\n"_s)) << notice.toStdString();
    EXPECT_TRUE(
        notice.contains(QFile::decodeName(a) + u" (Another file now has its name there; both are kept.)"_s))
        << notice.toStdString();
    EXPECT_TRUE(notice.contains(QFile::decodeName(b) + u" (It is no longer in the trash.)"_s))
        << notice.toStdString();
    EXPECT_FALSE(exists(b));

    // The file still in the trash stays undoable; once its old name is free, it comes back.
    EXPECT_EQ(undoEntry()->text(), u"Undo Trash of 1 File"_s);
    ASSERT_EQ(::rename(a.constData(), QByteArray(a + ".new").constData()), 0);
    dialogs->shown.clear();
    undoByMenu();
    EXPECT_EQ(contentOf(a), "content of a.txt");
    EXPECT_EQ(contentOf(a + ".new"), "con");
    EXPECT_EQ(dialogs->notices(), QStringList{u"1 file is back where it was."_s});
}

TEST_F(Undo, TwoUndosTakeBackTheLastCommandThenTheOneBefore) {
    const QByteArray x = file(tree, "x.txt");
    const QByteArray y = file(tree, "y.txt");
    row(x, u"1 KB"_s, 1024);
    trashChecked();
    row(y, u"1 KB"_s, 1024);
    moveCheckedTo(target.root());
    ASSERT_FALSE(exists(x));
    ASSERT_FALSE(exists(y));
    EXPECT_EQ(undoEntry()->text(), u"Undo Move of 1 File"_s);
    EXPECT_TRUE(undoEntry()->isEnabled());

    undoByKey();
    EXPECT_EQ(contentOf(y), "content of y.txt");
    EXPECT_FALSE(exists(target.path("y.txt")));
    EXPECT_FALSE(exists(x));
    EXPECT_EQ(undoEntry()->text(), u"Undo Trash of 1 File"_s);

    undoByKey();
    EXPECT_EQ(contentOf(x), "content of x.txt");
    EXPECT_EQ(rows(), (QStringList{QFile::decodeName(y) + u" [x]"_s, QFile::decodeName(x) + u" [x]"_s}));
    EXPECT_FALSE(undoEntry()->isEnabled());
}

} // namespace
} // namespace zorvik::test
