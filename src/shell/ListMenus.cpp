#include "shell/ListMenus.h"

#include <QKeyEvent>
#include <QMenu>
#include <QTableView>

namespace zorvik {

bool isMenuKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Menu || (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}

int currentPosition(const QTableView& view) {
    const QModelIndex current = view.currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

QMenu* popUpAt(QTableView& view, QMenu* menu, const QPoint& viewportPosition) {
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(view.viewport()->mapToGlobal(viewportPosition));
    return menu;
}

QMenu* popUpForKeyboard(QTableView& view, const std::function<QMenu*(int position)>& menuFor) {
    const int position = currentPosition(view);
    QPoint at(0, 0);
    if (position > 0) {
        view.scrollTo(view.currentIndex());
        at = view.visualRect(view.currentIndex()).center();
    }
    QMenu* menu = popUpAt(view, menuFor(position), at);
    for (QAction* action : menu->actions()) {
        if (action->isEnabled() && !action->isSeparator()) {
            menu->setActiveAction(action);
            break;
        }
    }
    return menu;
}

} // namespace zorvik
