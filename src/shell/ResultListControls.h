#pragma once

#include <QObject>
#include <QPoint>

#include <functional>
#include <vector>

class QMenu;
class QTableView;

namespace zorvik {

class ResultList;
class RowActions;

// The result list's own controls beyond its rows: sorting by a click on a column header, the context
// menu, the Space, Ctrl+Return, Menu and Shift+F10 keys, dragging rows out, and long paths cut in the middle.
class ResultListControls : public QObject {
    Q_OBJECT
public:
    // `dispatch` runs a handler the way the window runs all of them.
    ResultListControls(QTableView& view, ResultList& results, RowActions& actions,
                       std::function<void(const std::function<void()>&)> dispatch);

    // The context menu for a point of the view's viewport, not yet shown; the caller owns it.
    QMenu* menuAt(const QPoint& viewportPosition);
    void sortByHeader(int section);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* menuFor(int position); // 0: no row
    // The menu shown, as the pointer's right button opens it, or as the Menu key and Shift+F10 do; it
    // deletes itself when closed.
    QMenu* popupMenu(const QPoint& viewportPosition);
    QMenu* popupMenuForKeyboard();
    std::vector<int> selectedPositions() const;

    QTableView& view_;
    ResultList& results_;
    RowActions& actions_;
    std::function<void(const std::function<void()>&)> dispatch_;
};

} // namespace zorvik
