// The real "Search Options…" dialog: it shows what it is given and gives back what the user left, the
// bytes of a pattern that is not text included, unless the user cancels.
#include "platform/SearchOptionsDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik {
namespace {

TEST(SearchOptionsDialog, EditsKeepUntouchedPatternBytesAndEscapeCancels) {
    SearchOptions current;
    current.excludedNames = {"caf\xe9", "\xff", ".git"}; // two that decode alike, both kept
    current.excludedNames.insert(current.excludedNames.begin() + 1, "\xfe");
    SearchOptionsDialog dialog(current);
    EXPECT_EQ(dialog.options(), current);
    for (QLabel* label : dialog.findChildren<QLabel*>())
        EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
    EXPECT_TRUE(dialog.skipKernelFileSystems->isChecked());

    QString lines = dialog.excludedNames->toPlainText();
    lines.replace(u".git"_s, u".snapshot\n\n  \nnode_modules"_s);
    dialog.excludedNames->setPlainText(lines);
    dialog.onlyNames->setPlainText(u"*.iso\n*.img"_s);
    dialog.oneFileSystem->setChecked(true);
    dialog.skipKernelFileSystems->setChecked(false);
    const SearchOptions edited = dialog.options();
    EXPECT_EQ(edited.excludedNames,
              (std::vector<QByteArray>{"caf\xe9", "\xfe", "\xff", ".snapshot", "node_modules"}));
    EXPECT_EQ(edited.onlyNames, (std::vector<QByteArray>{"*.iso", "*.img"}));
    EXPECT_TRUE(edited.oneFileSystem);
    EXPECT_FALSE(edited.excludeCaches);
    EXPECT_FALSE(edited.skipKernelFileSystems);

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

} // namespace
} // namespace zorvik
