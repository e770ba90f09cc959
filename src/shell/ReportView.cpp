#include "shell/ReportView.h"

#include <QEvent>
#include <QHeaderView>

namespace zorvik {

ReportView::ReportView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false); // Tab leaves the list, as it leaves any other control
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fitRowsToFont();
}

QModelIndex ReportView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // A table takes Home and End to the ends of the row; a list's rows are what the user moves along.
    if (action == MoveHome || action == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void ReportView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowsToFont();
}

void ReportView::fitRowsToFont() {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

} // namespace zorvik
