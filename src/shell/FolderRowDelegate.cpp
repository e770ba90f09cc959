#include "shell/FolderRowDelegate.h"

#include "folders/FolderList.h"

#include <QApplication>
#include <QStyle>

namespace zorvik {

void FolderRowDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!index.data(FolderList::kSkippedRole).toBool())
        return;
    const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
    option->icon = style->standardIcon(QStyle::SP_BrowserStop, nullptr, option->widget);
    option->features |= QStyleOptionViewItem::HasDecoration;
    // The rows are one line of the font high; the mark must not make them taller.
    const int side = option->fontMetrics.height() - 2;
    option->decorationSize = QSize(side, side);
    option->font.setItalic(true);
    option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Disabled, QPalette::Text));
}

} // namespace zorvik
