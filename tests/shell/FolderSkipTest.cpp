// The folder list's menu on the real window: folders to skip, their mark for screen readers, and the
// search options, remembered across a restart and handed to the next search.
#include "FormFixture.h"
#include "MenuChoice.h"

#include "folders/FolderList.h"
#include "shell/FolderListControls.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QMenu>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class FolderSkip : public FormFixture {
protected:
    // Triggers the menu item `text` of row `position` (0: empty space) as a right-click there would.
    void choose(const QString& text, int position) {
        std::unique_ptr<QMenu> menu(form().folderListControls().menuFor(position));
        chooseFrom(*menu, text);
    }
    QString spoken(int row, QAccessible::Text what) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(form().ListView1);
        QAccessibleInterface* cell = list->tableInterface()->cellAt(row, 0);
        return cell ? cell->text(what) : u"<no cell>"_s;
    }
};

TEST_F(FolderSkip, TheMenuAddsAndTogglesSkippedFoldersWhichStayPathsAndAreAnnouncedAsSkipped) {
    Form1& f = form();
    dialogs->folderAnswers = {u"/data"_s, u"/data//cache"_s};
    f.PushButton3->click();
    choose(u"Add Folder to Skip…"_s, 0);
    ASSERT_EQ(f.folders->count(), 2);
    EXPECT_EQ(dialogs->of(ScriptedDialogs::Kind::Folder).back().text, u"Add Folder to Skip"_s);
    EXPECT_EQ(f.folders->item(2), u"/data/cache"_s); // the path rule applies as to any folder
    EXPECT_FALSE(f.folders->isSkipped(1));
    EXPECT_TRUE(f.folders->isSkipped(2));
    EXPECT_EQ(f.folders->index(1, 0).data().toString(), u"/data/cache"_s);
    EXPECT_EQ(spoken(1, QAccessible::Name), u"/data/cache, skipped"_s);
    EXPECT_FALSE(spoken(1, QAccessible::Description).isEmpty());
    EXPECT_EQ(spoken(0, QAccessible::Name), u"/data"_s);

    choose(u"Search This Folder"_s, 2);
    EXPECT_FALSE(f.folders->isSkipped(2));
    EXPECT_EQ(spoken(1, QAccessible::Name), u"/data/cache"_s);
    std::unique_ptr<QMenu> nowhere(f.folderListControls().menuFor(0));
    EXPECT_FALSE(nowhere->actions().at(1)->isEnabled()); // no row to mark

    // From the keyboard, on the current row: Shift+F10, Down to the mark, Return.
    f.show();
    QApplication::setActiveWindow(&f);
    f.ListView1->setFocus(Qt::TabFocusReason);
    f.ListView1->setCurrentIndex(f.folders->index(0, 0));
    QTest::keyClick(f.ListView1, Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_Down);
    EXPECT_EQ(menu->activeAction()->text(), u"Skip This Folder"_s);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_TRUE(f.folders->isSkipped(1));
    EXPECT_TRUE(dialogs->errorReports().isEmpty());
}

TEST_F(FolderSkip, OptionsChosenInTheDialogSurviveARestartAndAreWhatTheNextSearchIsHanded) {
    ASSERT_EQ(form().commands().nextSkipRules(), SkipRules{}); // nothing stored: every default
    SearchOptions chosen;
    chosen.excludedNames = {"node_modules", "caf\xe9*", "50%/"}; // not text, and the list's own marks
    chosen.onlyNames = {"*.iso"};
    chosen.oneFileSystem = true;
    chosen.excludeCaches = true;
    chosen.skipKernelFileSystems = false;
    dialogs->searchOptionsAnswers = {chosen};
    choose(u"Search Options…"_s, 0);
    EXPECT_EQ(dialogs->searchOptionsShown.back(), SearchOptions{});
    EXPECT_EQ(stored(u"SkipNames"_s), u"node_modules/caf%E9*/50%25%2F"_s);

    restart();
    choose(u"Search Options…"_s, 0); // cancelled: nothing changes
    EXPECT_EQ(dialogs->searchOptionsShown.back(), chosen);
    const SkipRules rules = form().commands().nextSkipRules();
    EXPECT_EQ(rules.excludedNames, chosen.excludedNames);
    EXPECT_EQ(rules.onlyNames, chosen.onlyNames);
    EXPECT_TRUE(rules.oneFileSystem && rules.excludeCaches);
    EXPECT_FALSE(rules.skipKernelFileSystems);

    // A damaged value keeps its default; the others still count.
    settings->write(u"SkipNames"_s, u"a/%zz"_s);
    settings->write(u"OneFileSystem"_s, u"perhaps"_s);
    settings->write(u"SkipKernelFileSystems"_s, u"0"_s);
    restart();
    const SkipRules damaged = form().commands().nextSkipRules();
    EXPECT_TRUE(damaged.excludedNames.empty());
    EXPECT_FALSE(damaged.oneFileSystem);
    EXPECT_TRUE(damaged.excludeCaches);
    EXPECT_FALSE(damaged.skipKernelFileSystems);
    EXPECT_EQ(damaged.onlyNames, chosen.onlyNames);
}

} // namespace
} // namespace zorvik::test
