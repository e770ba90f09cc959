// The hover pointer rules and the end of the program when the window closes.
#include "FormFixture.h"

#include "core/Failure.h"
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
    EXPECT_EQ(f.pointerState(), 99);
    moveOver(f.Text[0]);
    EXPECT_EQ(f.pointerState(), 0);
    moveOver(f.PushButton2);
    EXPECT_EQ(f.pointerState(), 99);
    moveOver(f.Option[1]);
    moveOver(f.Combo[0]);
    EXPECT_EQ(f.pointerState(), 99) << "option buttons and unit lists have no pointer rule";
    moveOver(f.ListView2->viewport());
    EXPECT_EQ(f.pointerState(), 0);
    // Without HAND-M.CUR the hand state shows the ordinary pointer.
    moveOver(f.PushButton8);
    EXPECT_FALSE(f.PushButton8->testAttribute(Qt::WA_SetCursor));
}

TEST_F(Pointer, BusyPointerSurvivesHoveringExceptOverStartFinding) {
    Form1& f = form();
    f.setPointerState(Form1::kPointerBusy);
    EXPECT_EQ(f.PushButton3->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(f.Text[0]->cursor().shape(), Qt::WaitCursor);
    for (QWidget* w : {static_cast<QWidget*>(f.PushButton10), static_cast<QWidget*>(f.Text[1]),
                       f.ListView1->viewport(), static_cast<QWidget*>(f.Frame1)}) {
        moveOver(w);
        EXPECT_EQ(f.pointerState(), 11);
    }
    moveOver(f.PushButton1);
    EXPECT_EQ(f.pointerState(), 99);
    moveOver(f.ListView1->viewport());
    EXPECT_EQ(f.pointerState(), 0);
    // The fields get their own text cursor back.
    EXPECT_EQ(f.Text[0]->cursor().shape(), Qt::IBeamCursor);
}

class Closing : public FormFixture {};

TEST_F(Closing, AYieldAfterCloseEndsTheCommandWithoutFurtherBoxes) {
    Form1& f = form();
    f.show();
    bool reachedAfterYield = false;
    QTimer::singleShot(0, &f, [&f] { f.close(); });
    EXPECT_THROW(
        {
            f.yield();
            reachedAfterYield = true;
        },
        ApplicationClosing);
    EXPECT_FALSE(reachedAfterYield);
    EXPECT_TRUE(f.isClosing());
    // A click that is still queued does nothing any more.
    f.PushButton5->click();
    EXPECT_TRUE(dialogs->shown.empty());
}

} // namespace
} // namespace zorvik::test
