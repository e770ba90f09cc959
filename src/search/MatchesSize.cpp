#include "search/MatchesSize.h"

#include "core/Failure.h"
#include "criteria/NumberReading.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace zorvik {

SizeTest::SizeTest(const SizeCondition& condition, const QLocale& locale) {
    if (!condition.mode || !condition.unit)
        return;
    active_ = true;
    mode_ = *condition.mode;
    unit_ = *condition.unit;
    divisor_ = bytesPerUnit(unit_);
    upperDivisor_ = bytesPerUnit(condition.upperUnit.value_or(unit_));
    // Between converts both bounds, always; the first one that fails is the one reported.
    auto read = [&](const QString& text, double& bound) {
        const std::optional<double> number = toNumber(text, locale);
        if (number)
            bound = *number;
        else if (!badBound_)
            badBound_ = text;
    };
    if (mode_ == SizeMode::Between) {
        read(condition.lowerText, lower_);
        read(condition.upperText, upper_);
    } else {
        read(condition.valueText, lower_);
    }
}

void SizeTest::failBadBound() const {
    throw Failure(
        QCoreApplication::translate("SizeTest", "Type mismatch: \"%1\" is not a number.").arg(*badBound_));
}

bool MatchesSize(quint64 bytes, const SizeCondition& condition, const QLocale& locale) {
    return SizeTest(condition, locale).matches(bytes);
}

} // namespace zorvik
