#pragma once

#include "criteria/SizeTypes.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <optional>

namespace zorvik {

// A size condition made ready for testing many files: the mode, the unit and the bound texts are read
// once, and the bounds converted once. A bound that is not a number still fails exactly where the test
// of a single file would: at the first file tested with a selected mode and a recognised unit.
class SizeTest {
public:
    SizeTest() = default; // matches nothing
    SizeTest(const SizeCondition& condition, const QLocale& locale);

    // True when a file of this many bytes meets the condition. Throws Failure when a bound that the
    // condition needs is not a number.
    bool matches(quint64 bytes) const {
        if (!active_)
            return false;
        if (badBound_)
            failBadBound();
        return compare(double(bytes));
    }
    // The unit of the condition, for the size text of a match.
    SizeUnit unit() const { return unit_; }
    // Whether matches() throws (for every file).
    bool fails() const { return active_ && badBound_.has_value(); }

private:
    bool compare(double bytes) const {
        const double size = bytes / divisor_;
        // Whole KB are compared rounded, halves to the even neighbour (2.5 KB counts as 2). The upper
        // bound of Between is the one exception: it sees the unrounded size, in its own unit.
        const double compared = unit_ == SizeUnit::KB ? std::nearbyint(size) : size;
        switch (mode_) {
        case SizeMode::Between:
            return lower_ <= compared && bytes / upperDivisor_ <= upper_;
        case SizeMode::GreaterThan:
            return compared > lower_;
        case SizeMode::LessThan:
            return compared < lower_;
        case SizeMode::EqualTo:
            return compared == lower_;
        }
        return false;
    }
    [[noreturn]] void failBadBound() const;

    bool active_ = false; // a mode is selected and its unit recognised
    SizeMode mode_ = SizeMode::Between;
    SizeUnit unit_ = SizeUnit::Bytes;
    double divisor_ = 1;      // bytes per unit
    double upperDivisor_ = 1; // bytes per unit of Between's upper bound
    double lower_ = 0;        // Between's lower bound, or the value of the other modes
    double upper_ = 0;
    std::optional<QString> badBound_; // the first bound text that is not a number
};

// Whether a file of this many bytes meets the condition (the one-off form of SizeTest).
bool MatchesSize(quint64 bytes, const SizeCondition& condition, const QLocale& locale);

} // namespace zorvik
