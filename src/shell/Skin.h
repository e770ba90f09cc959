#pragma once

#include <QString>

class QWidget;

namespace zorvik {

// Restyles the window with the skin file "x/o.cjs" in the program folder, when there is one.
// Throws Failure when the skin is present but cannot be applied.
void applySkin(QWidget& window, const QString& programFolder);

} // namespace zorvik
