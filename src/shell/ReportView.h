#pragma once

#include <QTableView>

namespace zorvik {

// A table view that looks and behaves like a report list: whole rows, no grid, no row numbers, rows as
// high as a line of its font, and Home and End going to the first and last row as in any list. A
// table view rather than a tree view because it keeps no item per row: announcing a hundred thousand
// more rows costs it next to nothing.
class ReportView : public QTableView {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent = nullptr);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent* event) override;

private:
    void fitRowsToFont();
};

} // namespace zorvik
