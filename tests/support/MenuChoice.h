#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

#include <gtest/gtest.h>

namespace zorvik::test {

// Triggers the item of `menu` that reads `text`, as a click on it would; an item missing or disabled
// fails the test.
inline void chooseFrom(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) {
            ASSERT_TRUE(action->isEnabled()) << text.toStdString();
            action->trigger();
            return;
        }
    }
    FAIL() << "no menu item " << text.toStdString();
}

} // namespace zorvik::test
