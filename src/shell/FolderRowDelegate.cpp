#include "shell/FolderRowDelegate.h"

#include "folders/FolderList.h"

#include <QApplication>
#include <QStyle>

namespace zorvik {

namespace {

// Between the text's colour and the background's, nearer the text: the style's disabled grey is too
// faint to read on white (under 2:1), this keeps more than 4.5:1 there.
QColor greyed(const QPalette& palette) {
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    auto mix = [](int ink, int paper) { return (ink * 3 + paper * 2) / 5; };
    return {mix(text.red(), base.red()), mix(text.green(), base.green()), mix(text.blue(), base.blue())};
}

} // namespace

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
    option->palette.setColor(QPalette::Text, greyed(option->palette));
}

} // namespace zorvik
