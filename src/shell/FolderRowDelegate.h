#pragma once

#include <QStyledItemDelegate>

namespace zorvik {

// Draws the folder list's rows: a skipped folder keeps its path as its text, greyed and slanted, behind
// a stop sign, so that it cannot be taken for a folder that is searched even without colours.
class FolderRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace zorvik
