#include "shell/CompactComboStyle.h"

#include <QStyleOptionComplex>

namespace zorvik {

QRect CompactComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl sub, const QWidget* widget) const {
    if (control != CC_ComboBox)
        return QProxyStyle::subControlRect(control, option, sub, widget);
    constexpr int kArrowWidth = 14;
    const QRect frame = option->rect;
    switch (sub) {
    case SC_ComboBoxArrow:
        return visualRect(
            option->direction, frame,
            QRect(frame.right() - kArrowWidth, frame.top() + 1, kArrowWidth, frame.height() - 2));
    case SC_ComboBoxEditField:
        return visualRect(
            option->direction, frame,
            QRect(frame.left() + 3, frame.top() + 2, frame.width() - kArrowWidth - 5, frame.height() - 4));
    default:
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }
}

} // namespace zorvik
