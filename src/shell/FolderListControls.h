#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QMenu;
class QTableView;

namespace zorvik {

class FolderCommands;
class FolderList;
class Steps;

// The folder list's context menu (the pointer's right button, the Menu key and Shift+F10): a folder to
// skip, the skipped mark of a row, the search options; and the mark drawn on a skipped row.
class FolderListControls : public QObject {
    Q_OBJECT
public:
    using Dispatch = std::function<void(const std::function<void()>&)>;
    using StepsFor = std::function<std::unique_ptr<Steps>(const QString& handler)>;

    // `dispatch` runs a handler the way the window runs all of them; `steps` gives it its numbered steps.
    FolderListControls(QTableView& view, FolderList& folders, FolderCommands& commands, Dispatch dispatch,
                       StepsFor steps);

    // The context menu for a row (1-based; 0: no row), not yet shown; the caller owns it.
    QMenu* menuFor(int position);
    // The same for a point of the view's viewport.
    QMenu* menuAt(const QPoint& viewportPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView& view_;
    FolderList& folders_;
    FolderCommands& commands_;
    Dispatch dispatch_;
    StepsFor steps_;
};

} // namespace zorvik
