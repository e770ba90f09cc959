#include "search/MatchesSize.h"

#include "criteria/NumberReading.h"
#include "shell/Failure.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorvik {

SizeTest::SizeTest(const SizeCondition& condition, const QLocale& locale) {
    if (!condition.mode || !condition.unit)
        return;
    active_ = true;
    mode_ = *condition.mode;
    unit_ = *condition.unit;
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
    throw Failure(u"Type mismatch: \""_s + *badBound_ + u"\" is not a number."_s);
}

bool SizeTest::compare(double bytes) const {
    const double size = bytes / bytesPerUnit(unit_);
    // Whole KB are compared rounded, halves to the even neighbour (2.5 KB counts as 2). The upper bound
    // of Between is the one exception: it sees the unrounded size.
    const double compared = unit_ == SizeUnit::KB ? std::nearbyint(size) : size;
    switch (mode_) {
    case SizeMode::Between:
        return lower_ <= compared && size <= upper_;
    case SizeMode::GreaterThan:
        return compared > lower_;
    case SizeMode::LessThan:
        return compared < lower_;
    case SizeMode::EqualTo:
        return compared == lower_;
    }
    return false;
}

bool MatchesSize(quint64 bytes, const SizeCondition& condition, const QLocale& locale) {
    return SizeTest(condition, locale).matches(bytes);
}

} // namespace zorvik
