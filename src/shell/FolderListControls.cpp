#include "shell/FolderListControls.h"

#include "core/Steps.h"
#include "folders/FolderCommands.h"
#include "folders/FolderList.h"
#include "shell/FolderRowDelegate.h"
#include "shell/ListMenus.h"

#include <QKeyEvent>
#include <QMenu>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace zorvik {

FolderListControls::FolderListControls(QTableView& view, FolderList& folders, FolderCommands& commands,
                                       Dispatch dispatch, StepsFor steps)
    : QObject(&view), view_(view), folders_(folders), commands_(commands), dispatch_(std::move(dispatch)),
      steps_(std::move(steps)) {
    view_.setItemDelegate(new FolderRowDelegate(&view_));
    view_.setContextMenuPolicy(Qt::CustomContextMenu);
    view_.installEventFilter(this);
    connect(&view_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popUpAt(view_, menuAt(at), at); });
}

QMenu* FolderListControls::menuAt(const QPoint& viewportPosition) {
    const QModelIndex under = view_.indexAt(viewportPosition);
    return menuFor(under.isValid() ? under.row() + 1 : 0);
}

QMenu* FolderListControls::menuFor(int position) {
    auto* menu = new QMenu(&view_);
    auto add = [&](const QString& text, bool enabled, std::function<void()> action) {
        QAction* item = menu->addAction(text);
        item->setEnabled(enabled);
        connect(item, &QAction::triggered, this, [this, action = std::move(action)] { dispatch_(action); });
    };
    add(tr("Add Folder to Skip…"), true,
        [this] { commands_.addSkippedFolder(*steps_(u"ListView1_AddFolderToSkip"_s)); });
    const bool skipped = position > 0 && folders_.isSkipped(position);
    add(skipped ? tr("Search This Folder") : tr("Skip This Folder"), position > 0,
        [this, position] { commands_.toggleSkipped(position); });
    menu->addSeparator();
    add(tr("Search Options…"), true, [this] { commands_.editSearchOptions(); });
    return menu;
}

bool FolderListControls::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_ && event->type() == QEvent::KeyPress &&
        isMenuKey(*static_cast<QKeyEvent*>(event))) {
        dispatch_([this] { popUpForKeyboard(view_, [this](int position) { return menuFor(position); }); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zorvik
