#include "shell/ResultListControls.h"

#include "results/ResultList.h"
#include "results/RowActions.h"
#include "results/UndoStack.h"
#include "shell/ListMenus.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTableView>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvik {

ResultListControls::ResultListControls(QTableView& view, ResultList& results, RowActions& actions,
                                       std::function<void(const std::function<void()>&)> dispatch)
    : QObject(&view), view_(view), results_(results), actions_(actions), dispatch_(std::move(dispatch)) {
    view_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The file name is the end of the path: keep it in sight, and show the whole path as a tip.
    view_.setTextElideMode(Qt::ElideMiddle);
    view_.setDragEnabled(true);
    view_.setDragDropMode(QAbstractItemView::DragOnly);
    view_.setDefaultDropAction(Qt::CopyAction);
    view_.horizontalHeader()->setSectionsClickable(true);
    view_.horizontalHeader()->setSortIndicatorShown(false);
    view_.setContextMenuPolicy(Qt::CustomContextMenu);
    view_.installEventFilter(this);

    connect(view_.horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { dispatch_([this, section] { sortByHeader(section); }); });
    // Rows appended after a sort stand at the end: the list is no longer in the order shown.
    connect(&results_, &ResultList::sortOrderLost, this,
            [this] { view_.horizontalHeader()->setSortIndicatorShown(false); });
    // A long sort ends turns after the click: the indicator shows the order once the rows stand in it.
    connect(&results_, &ResultList::rowsSorted, this, [this](ResultList::SortKey key, Qt::SortOrder order) {
        const int section =
            key == ResultList::SortKey::Size ? ResultList::kSizeColumn : ResultList::kPathColumn;
        view_.horizontalHeader()->setSortIndicator(section, order);
        view_.horizontalHeader()->setSortIndicatorShown(true);
    });
    connect(&view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) { popupMenu(at); });
}

QMenu* ResultListControls::popupMenu(const QPoint& viewportPosition) {
    return popUpAt(view_, menuAt(viewportPosition), viewportPosition);
}

QMenu* ResultListControls::popupMenuForKeyboard() {
    // Without a current row, the commands for the whole list.
    return popUpForKeyboard(view_, [this](int position) { return menuFor(position); });
}

void ResultListControls::sortByHeader(int section) {
    if (section != ResultList::kPathColumn && section != ResultList::kSizeColumn)
        return;
    const ResultList::SortKey key =
        section == ResultList::kSizeColumn ? ResultList::SortKey::Size : ResultList::SortKey::Path;
    // A second click while a sort runs turns the order of that sort round.
    const ResultList::SortState order = RowActions::orderForHeaderClick(results_.sortHeading(), key);
    // A command working through the rows in the order shown refuses; the header then stays as it was.
    results_.sortRows(order.key, order.order);
}

QMenu* ResultListControls::menuAt(const QPoint& viewportPosition) {
    const QModelIndex under = view_.indexAt(viewportPosition);
    return menuFor(under.isValid() ? under.row() + 1 : 0);
}

QMenu* ResultListControls::menuFor(int position) {
    auto* menu = new QMenu(&view_);
    auto add = [&](const QString& text, bool enabled, std::function<void()> action) {
        QAction* item = menu->addAction(text);
        item->setEnabled(enabled);
        connect(item, &QAction::triggered, this, [this, action = std::move(action)] { dispatch_(action); });
        return item;
    };
    add(tr("Open"), position > 0, [this, position] { actions_.open(position); });
    add(tr("Show in Folder"), position > 0, [this, position] {
        actions_.showInFolder(position);
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    add(tr("Copy Path"), position > 0, [this, position] { actions_.copyPath(position); });
    menu->addSeparator();
    const bool anyRow = results_.rowCount() > 0;
    const bool anySelected = !selectedPositions().empty();
    add(tr("Check All"), anyRow, [this] { actions_.checkAll(); });
    add(tr("Uncheck All"), anyRow, [this] { actions_.uncheckAll(); });
    add(tr("Invert Checks"), anyRow, [this] { actions_.invertChecks(); });
    add(tr("Check Selected"), anySelected, [this] { actions_.setChecked(selectedPositions(), true); });
    add(tr("Uncheck Selected"), anySelected, [this] { actions_.setChecked(selectedPositions(), false); });
    addUndo(*menu);
    return menu;
}

void ResultListControls::addUndo(QMenu& menu) {
    if (!undoOffer_)
        return;
    menu.addSeparator();
    const std::optional<QString> offer = undoOffer_();
    QAction* item = menu.addAction(offer.value_or(tr("Undo")));
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    item->setEnabled(offer.has_value());
    if (!offer) {
        // A disabled entry says why, to the pointer and to the status line alike.
        menu.setToolTipsVisible(true);
        item->setToolTip(UndoStack::nothingText());
        item->setStatusTip(UndoStack::nothingText());
    }
    connect(item, &QAction::triggered, this, [this] { dispatch_(undo_); });
}

bool ResultListControls::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &view_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
        // The view would toggle only the current row; every selected row goes together.
        const std::vector<int> selected = selectedPositions();
        if (!selected.empty()) {
            dispatch_([this, selected] { actions_.toggleChecked(selected); });
            return true;
        }
    }
    if (isMenuKey(*key)) {
        dispatch_([this] { popupMenuForKeyboard(); });
        return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        key->modifiers() == Qt::ControlModifier) {
        if (const int position = currentPosition(view_))
            dispatch_([this, position] { actions_.showInFolder(position); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

std::vector<int> ResultListControls::selectedPositions() const {
    std::vector<int> positions;
    for (const QModelIndex& row : view_.selectionModel()->selectedRows())
        positions.push_back(row.row() + 1);
    std::sort(positions.begin(), positions.end());
    return positions;
}

} // namespace zorvik
