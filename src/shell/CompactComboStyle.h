#pragma once

#include <QProxyStyle>

namespace zorvik {

// The unit lists are only 57 pixels wide, as the window was drawn; the desktop style's wide arrow and
// margins would cut "Bytes" short. This style gives the text the room and draws a narrower arrow.
class CompactComboStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override;
};

} // namespace zorvik
