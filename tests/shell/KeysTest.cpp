// The window's keys: Escape, Return in a size box, Ctrl+F, F1, and the result list's menu from the
// keyboard.
#include "FakeClipboard.h"
#include "FormFixture.h"
#include "TempTree.h"

#include "results/ResultList.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class Keys : public FormFixture {
protected:
    void customise(Services& s) override {
        FormFixture::customise(s);
        s.yieldHook = [this] {
            if (atYield)
                std::exchange(atYield, nullptr)();
        };
    }
    // Shortcuts reach only the active window.
    Form1& activeForm() {
        Form1& f = form();
        f.show();
        QApplication::setActiveWindow(&f);
        EXPECT_EQ(QApplication::activeWindow(), &f);
        return f;
    }

    std::function<void()> atYield; // runs once, at the next yield of a command
};

TEST_F(Keys, ReturnInASizeBoxStartsFindingAfterItsCheckAndEscapeStopsTheSearch) {
    TempTree tree;
    tree.file("a.bin", 150);
    tree.file("b.bin", 160);
    Form1& f = activeForm();
    f.addGivenFolders({tree.root(), tree.root()});
    f.Text[0]->setFocus(Qt::TabFocusReason);

    f.Text[0]->setText(u"abc"_s);
    QTest::keyClick(f.Text[0], Qt::Key_Return);
    finishCommands();
    EXPECT_EQ(dialogs->notices(), QStringList{u"Must be a numeric entry."_s});
    EXPECT_EQ(f.results->count(), 0);

    // Return while the search runs does not stop it: both folders are searched (their files listed
    // once).
    f.Text[0]->setText(u"100"_s);
    atYield = [&] { QTest::keyClick(f.Text[0], Qt::Key_Return); };
    QTest::keyClick(f.Text[0], Qt::Key_Return);
    finishCommands();
    EXPECT_EQ(f.results->count(), 2);
    EXPECT_EQ(dialogs->notices().last(), u"Done."_s);
    EXPECT_FALSE(f.isSearching());

    // Escape at the first yield, before the first folder: nothing more is found.
    atYield = [&] { QTest::keyClick(f.Text[0], Qt::Key_Escape); };
    QTest::keyClick(f.Text[0], Qt::Key_Return);
    finishCommands();
    EXPECT_EQ(f.results->count(), 2);
    EXPECT_EQ(f.PushButton1->text(), u"Start Finding"_s);
    // Escape with no search running starts none.
    QTest::keyClick(f.Text[0], Qt::Key_Escape);
    finishCommands();
    EXPECT_EQ(dialogs->notices().count(u"Done."_s), 2);
}

TEST_F(Keys, CtrlFGoesToTheSizeOfTheChosenConditionAndF1OpensHelp) {
    Form1& f = activeForm();
    f.Option[1]->click(); // Greater than
    f.Text[2]->setText(u"250"_s);
    QTest::keyClick(f.ListView1, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), f.Text[2]);
    EXPECT_EQ(f.Text[2]->selectedText(), u"250"_s); // typing replaces it

    QTest::keyClick(f.Text[2], Qt::Key_F1);
    ASSERT_NE(f.helpWindow(), nullptr);
    EXPECT_TRUE(f.helpWindow()->isVisible());
    const QString help = f.helpWindow()->text();
    for (const QString& key : {u"Ctrl+F"_s, u"Escape"_s, u"Return"_s, u"Shift+F10"_s, u"F1"_s})
        EXPECT_TRUE(help.contains(key)) << key.toStdString();
}

TEST_F(Keys, TheMenuKeyAndShiftF10OpenTheCurrentRowsMenuReadyForTheArrows) {
    Form1& f = activeForm();
    for (const QByteArray& path : {QByteArray("/r/1"), QByteArray("/r/2")})
        f.results->addPath(path, u"1 KB"_s, 1024);
    f.results->announcePending();
    f.ListView2->setFocus(Qt::TabFocusReason);
    f.ListView2->setCurrentIndex(f.results->index(1, 0));

    QTest::keyClick(f.ListView2, Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->activeAction(), nullptr);
    EXPECT_EQ(menu->activeAction()->text(), u"Open"_s);
    QTest::keyClick(menu, Qt::Key_Down); // Show in Folder
    QTest::keyClick(menu, Qt::Key_Down); // Copy Path
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_EQ(clipboard->calls.last(), u"/r/2"_s);

    // With no current row, the menu offers what needs no row.
    f.ListView2->selectionModel()->clear();
    QTest::keyClick(f.ListView2, Qt::Key_Menu);
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->activeAction(), nullptr);
    EXPECT_EQ(menu->activeAction()->text(), u"Check All"_s);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_TRUE(f.results->checked(1) && f.results->checked(2));
}

} // namespace
} // namespace zorvik::test
