#pragma once

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>
#include <vector>

class QMenu;
class QString;
class QTableView;

namespace zorvik {

class ResultList;
class RowActions;

// The result list's own controls beyond its rows: sorting by a click on a column header, the context
// menu (with Undo), the Space, Ctrl+Return, Menu and Shift+F10 keys, dragging rows out, and long paths cut in
// the middle.
class ResultListControls : public QObject {
    Q_OBJECT
public:
    // `dispatch` runs a handler the way the window runs all of them.
    ResultListControls(QTableView& view, ResultList& results, RowActions& actions,
                       std::function<void(const std::function<void()>&)> dispatch);

    // The menu's "Undo" entry: `offer` says what it would take back (none: nothing, and the entry is
    // disabled), `undo` takes it back.
    void setUndo(std::function<std::optional<QString>()> offer, std::function<void()> undo) {
        undoOffer_ = std::move(offer);
        undo_ = std::move(undo);
    }

    // The context menu for a point of the view's viewport, not yet shown; the caller owns it.
    QMenu* menuAt(const QPoint& viewportPosition);
    void sortByHeader(int section);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* menuFor(int position); // 0: no row
    void addUndo(QMenu& menu);
    // The menu shown, as the pointer's right button opens it, or as the Menu key and Shift+F10 do; it
    // deletes itself when closed.
    QMenu* popupMenu(const QPoint& viewportPosition);
    QMenu* popupMenuForKeyboard();
    std::vector<int> selectedPositions() const;

    QTableView& view_;
    ResultList& results_;
    RowActions& actions_;
    std::function<void(const std::function<void()>&)> dispatch_;
    std::function<std::optional<QString>()> undoOffer_;
    std::function<void()> undo_;
};

} // namespace zorvik
