#include "criteria/StoredValues.h"

#include "core/Failure.h"
#include "criteria/NumberReading.h"
#include "criteria/SizeTypes.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorvik {

int unitIndexFrom(const QString& text, const QLocale& locale) {
    const std::optional<double> number = toNumber(text, locale);
    if (!number)
        throw Failure(u"Type mismatch"_s);
    const double rounded = std::nearbyint(*number); // halves to even
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        throw Failure(u"Overflow"_s);
    if (rounded < -1 || rounded >= double(kUnitNames.size()))
        throw Failure(u"Invalid property value"_s);
    return int(rounded);
}

bool truthFrom(const QString& text, const QLocale& locale) {
    if (text == u"True"_s)
        return true;
    if (text == u"False"_s)
        return false;
    if (const std::optional<double> number = toNumber(text, locale))
        return *number != 0.0;
    throw Failure(u"Type mismatch"_s);
}

} // namespace zorvik
