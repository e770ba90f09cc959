// Adding folders through the picker and removing them with Delete or a double-click.
#include "FormFixture.h"

#include "folders/FolderList.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

using Kind = ScriptedDialogs::Kind;

class Folders : public FormFixture {
protected:
    void select(int position) { form().ListView1->setCurrentIndex(form().folders->index(position - 1, 0)); }
    void pressDelete(Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form().ListView1, Qt::Key_Delete, modifiers);
    }
    QStringList rows() {
        QStringList result;
        for (int i = 1; i <= form().folders->count(); ++i)
            result << form().folders->item(i);
        return result;
    }
};

TEST_F(Folders, PickedFoldersAreAppendedAndThePickerReopensWhereTheUserLastPicked) {
    Form1& f = form();
    QAbstractItemModelTester tester(f.folders, QAbstractItemModelTester::FailureReportingMode::Fatal);
    dialogs->folderAnswers = {u"/home/u/docs"_s, u"/home/u/docs"_s, u"/"_s};
    f.PushButton3->click();
    f.PushButton3->click();
    f.PushButton3->click();
    EXPECT_EQ(rows(), (QStringList{u"/home/u/docs"_s, u"/home/u/docs"_s, u"/"_s}));
    const auto pickers = dialogs->of(Kind::Folder);
    ASSERT_EQ(pickers.size(), 3u);
    EXPECT_EQ(pickers[0].title, u"Add Folder to Search"_s);
    EXPECT_EQ(pickers[0].extra, QString());
    EXPECT_EQ(pickers[1].extra, u"/home/u/docs"_s);
    EXPECT_EQ(stored(u"LastFolderDot"_s), u"/"_s);
    EXPECT_EQ(f.pointerState(), PointerState::Default);
}

TEST_F(Folders, PickedPathsPassThroughThePathRule) {
    dialogs->folderAnswers = {u"//srv//share///x"_s};
    form().PushButton3->click();
    EXPECT_EQ(rows(), QStringList{u"/srv/share//x"_s});
}

TEST_F(Folders, CancellingThePickerChangesNothing) {
    Form1& f = form();
    f.setPointerState(PointerState::Hand);
    f.PushButton3->click();
    EXPECT_EQ(f.folders->count(), 0);
    EXPECT_EQ(f.pointerState(), PointerState::Hand);
    EXPECT_EQ(stored(u"LastFolderDot"_s), u"<absent>"_s);
}

TEST_F(Folders, DeleteAndDoubleClickRemoveTheSelectedRowUnlessBusy) {
    Form1& f = form();
    f.show();
    for (const QString& folder : {u"/a"_s, u"/b"_s, u"/c"_s, u"/d"_s})
        f.folders->add(folder);

    pressDelete(); // nothing selected yet
    EXPECT_EQ(f.folders->count(), 4);

    select(2);
    pressDelete(Qt::ShiftModifier);
    EXPECT_EQ(rows(), (QStringList{u"/a"_s, u"/c"_s, u"/d"_s}));

    select(1);
    f.setPointerState(PointerState::Busy);
    pressDelete();
    f.ListView1_DblClick();
    EXPECT_EQ(f.folders->count(), 3);

    f.setPointerState(PointerState::Default);
    const QRect second = f.ListView1->visualRect(f.folders->index(1, 0));
    QTest::mouseClick(f.ListView1->viewport(), Qt::LeftButton, Qt::NoModifier, second.center());
    QTest::mouseDClick(f.ListView1->viewport(), Qt::LeftButton, Qt::NoModifier, second.center());
    EXPECT_EQ(rows(), (QStringList{u"/a"_s, u"/d"_s}));

    QTest::keyClick(f.ListView1, Qt::Key_Backspace);
    EXPECT_EQ(f.folders->count(), 2);
}

} // namespace
} // namespace zorvik::test
