#pragma once

#include <QString>

namespace zorvik {

inline constexpr char16_t kProductTitle[] = u"Zorvik";

// Shortens a product title to at most 40 characters by dropping words from its end; at least one
// word is always dropped. A title without a blank has no word to drop: it is kept, cut to 40.
QString applicationTitleFrom(const QString& productTitle);

} // namespace zorvik
