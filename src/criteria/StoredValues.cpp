#include "criteria/StoredValues.h"

#include "core/Failure.h"
#include "criteria/NumberReading.h"
#include "criteria/SizeTypes.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorvik {

int unitIndexFrom(const QString& text, const QLocale& locale) {
    const std::optional<double> number = toNumber(text, locale);
    if (!number)
        throw Failure(QCoreApplication::translate("zorvik::StoredValues", "Type mismatch"));
    const double rounded = std::nearbyint(*number); // halves to even
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        throw Failure(QCoreApplication::translate("zorvik::StoredValues", "Overflow"));
    if (rounded < -1 || rounded >= double(kUnitNames.size()))
        throw Failure(QCoreApplication::translate("zorvik::StoredValues", "Invalid property value"));
    return int(rounded);
}

QString sizeTextFrom(const QString& text, const QLocale& locale) {
    return withOtherDecimalMark(text, locale).value_or(text);
}

bool truthFrom(const QString& text, const QLocale& locale) {
    if (text == u"True"_s)
        return true;
    if (text == u"False"_s)
        return false;
    if (const std::optional<double> number = toNumber(text, locale))
        return *number != 0.0;
    throw Failure(QCoreApplication::translate("zorvik::StoredValues", "Type mismatch"));
}

} // namespace zorvik
