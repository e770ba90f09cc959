// The hover pointer rules and the end of the program when the window closes.
#include "FormFixture.h"

#include "TempTree.h"
#include "folders/FolderList.h"
#include "results/ResultList.h"
#include "shell/HoverButton.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class Pointer : public FormFixture {
protected:
    void moveOver(QWidget* widget) {
        const QPointF at(5, 5);
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    void SetUp() override {
        FormFixture::SetUp();
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }
};

TEST_F(Pointer, HandOverButtonsOrdinaryElsewhere) {
    Form1& f = form();
    moveOver(f.PushButton6);
    EXPECT_EQ(f.pointerState(), PointerState::Hand);
    moveOver(f.Text[0]);
    EXPECT_EQ(f.pointerState(), PointerState::Default);
    moveOver(f.PushButton2);
    EXPECT_EQ(f.pointerState(), PointerState::Hand);
    moveOver(f.Option[1]);
    moveOver(f.Combo[0]);
    EXPECT_EQ(f.pointerState(), PointerState::Hand) << "option buttons and unit lists have no pointer rule";
    moveOver(f.ListView2->viewport());
    EXPECT_EQ(f.pointerState(), PointerState::Default);
    // Without HAND-M.CUR the hand state shows the ordinary pointer.
    moveOver(f.PushButton8);
    EXPECT_FALSE(f.PushButton8->testAttribute(Qt::WA_SetCursor));
}

TEST_F(Pointer, BusyPointerSurvivesHoveringExceptOverStartFinding) {
    Form1& f = form();
    f.setPointerState(PointerState::Busy);
    EXPECT_EQ(f.PushButton3->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(f.Text[0]->cursor().shape(), Qt::WaitCursor);
    for (QWidget* w : {static_cast<QWidget*>(f.PushButton10), static_cast<QWidget*>(f.Text[1]),
                       f.ListView1->viewport(), static_cast<QWidget*>(f.Frame1)}) {
        moveOver(w);
        EXPECT_EQ(f.pointerState(), PointerState::Busy);
    }
    moveOver(f.PushButton1);
    EXPECT_EQ(f.pointerState(), PointerState::Hand);
    moveOver(f.ListView1->viewport());
    EXPECT_EQ(f.pointerState(), PointerState::Default);
    // The fields get their own text cursor back.
    EXPECT_EQ(f.Text[0]->cursor().shape(), Qt::IBeamCursor);
}

class Closing : public FormFixture {
protected:
    void customise(Services& s) override {
        FormFixture::customise(s);
        s.rowYieldIntervalMs = 0; // a turn at every row
        s.yieldHook = [this] {
            ++turns;
            if (turns == closeAtTurn)
                form().close();
        };
    }
    int turns = 0;
    int closeAtTurn = 1;
};

TEST_F(Closing, ClosingEndsEveryCommandWithoutAnotherStepOrBox) {
    TempTree tree;
    for (const char* name : {"a/f", "b/f", "c/f"})
        tree.file(name, 150);
    Form1& f = form();
    f.show();
    f.folders->add(tree.rootText());
    for (int i = 0; i < 3; ++i)
        f.results->addPath(tree.root() + "/a/f", u"150 Bytes"_s);
    f.results->setChecked(1, true);
    const QString saved = tree.rootText() + u"/saved.txt"_s;
    dialogs->saveAnswers = {saved};
    // Each click is a job: the search in its lane, save, copy and trash one after the other in theirs.
    // The window closes at the first turn any of them gives the event loop.
    f.PushButton1->click();
    f.PushButton2->click();
    f.PushButton4->click();
    f.PushButton10->click();
    finishCommands();
    EXPECT_TRUE(f.isClosing());
    EXPECT_EQ(turns, 1);
    EXPECT_TRUE(dialogs->notices().isEmpty()) << dialogs->notices().join(u'|').toStdString();
    EXPECT_FALSE(QFile::exists(saved));
    EXPECT_TRUE(QFile::exists(tree.rootText() + u"/a/f"_s));
    EXPECT_EQ(f.results->count(), 3);
    // A click that is still queued does nothing any more.
    f.PushButton5->click();
    EXPECT_TRUE(dialogs->notices().isEmpty());
}

} // namespace
} // namespace zorvik::test
