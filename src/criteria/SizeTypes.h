#pragma once

#include <QString>

#include <array>
#include <optional>

namespace zorvik {

// Units of a size: 1024 to the power of the list position.
enum class SizeUnit { Bytes = 0, KB = 1, MB = 2, GB = 3 };

// The four conditions, in the order of their option buttons.
enum class SizeMode { Between, GreaterThan, LessThan, EqualTo };

inline constexpr std::array<const char16_t*, 4> kUnitNames = {u"Bytes", u"KB", u"MB", u"GB"};

// The unit whose name is exactly this text (case-sensitive), or none.
std::optional<SizeUnit> unitFromText(const QString& text);
QString unitName(SizeUnit unit);
double bytesPerUnit(SizeUnit unit);

// What the search reads from the criteria panel. The bound texts stay texts: they are converted
// only when a file is tested, so a bound that is not a number fails exactly there.
struct SizeCondition {
    std::optional<SizeMode> mode;
    std::optional<SizeUnit> unit; // none when the unit box shows no recognised name
    // Between's upper bound has a unit box of its own; when it shows no recognised name the upper
    // bound is read in `unit`, as the lower one.
    std::optional<SizeUnit> upperUnit;
    QString lowerText; // Between
    QString upperText; // Between
    QString valueText; // GreaterThan, LessThan, EqualTo
};

} // namespace zorvik
