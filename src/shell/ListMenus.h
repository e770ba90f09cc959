#pragma once

#include <QPoint>

#include <functional>

class QKeyEvent;
class QMenu;
class QTableView;

namespace zorvik {

// How the window's lists open their context menus, alike for each list.

// The Menu key or Shift+F10.
bool isMenuKey(const QKeyEvent& key);
// The 1-based position of the view's current row, 0 when there is none.
int currentPosition(const QTableView& view);
// Shows `menu` at a point of the view's viewport, as the pointer's right button opens it; the menu
// deletes itself when closed.
QMenu* popUpAt(QTableView& view, QMenu* menu, const QPoint& viewportPosition);
// Shows the menu of the current row (`menuFor(0)` without one) as the keyboard opens it: at that row, or
// at the list's corner, with its first command ready for the arrows and Return.
QMenu* popUpForKeyboard(QTableView& view, const std::function<QMenu*(int position)>& menuFor);

} // namespace zorvik
