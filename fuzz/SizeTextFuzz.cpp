// A size typed into the criteria panel, read as the panel reads it and as the search tests it.
#include "FuzzCheck.h"
#include "core/Failure.h"
#include "criteria/NumberReading.h"
#include "search/MatchesSize.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <variant>
#include <vector>

using namespace Qt::StringLiterals;
using zorvik::SizeCondition;
using zorvik::SizeMode;
using zorvik::SizeTest;
using zorvik::SizeUnit;
using zorvik::fuzz::visible;

namespace {

// Two locales with ASCII separators of opposite roles, the C locale, and one whose group separator
// is not ASCII (a narrow no-break space).
const std::array<QLocale, 4>& locales() {
    static const std::array<QLocale, 4> all = {QLocale(QLocale::English, QLocale::UnitedStates),
                                               QLocale(QLocale::German, QLocale::Germany), QLocale::c(),
                                               QLocale(QLocale::French, QLocale::France)};
    return all;
}

QString numberText(double value) {
    return QString::number(value, 'g', 17);
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

void checkNumberReading(const QString& text, const QLocale& locale) {
    const std::optional<double> number = zorvik::toNumber(text, locale);
    const QString where = visible(text) + u" in "_s + locale.name();
    FUZZ_CHECK(zorvik::isNumeric(text, locale) == number.has_value(), where);

    const double leading = zorvik::leadingNumber(text);
    FUZZ_CHECK(std::isfinite(leading), where);
    QString withoutBlanks = text;
    withoutBlanks.removeIf(isBlank);
    FUZZ_CHECK(zorvik::leadingNumber(withoutBlanks) == leading, where);

    if (!number)
        return;
    const double value = *number;
    FUZZ_CHECK(std::isfinite(value), where);
    FUZZ_CHECK(!text.trimmed().isEmpty(), where);
    // Blanks around a number are allowed.
    FUZZ_CHECK(zorvik::toNumber(u" \t"_s + text + u"\t "_s, locale) == value, where);
    // What the locale writes for the number reads back as the same number.
    for (const char format : {'g', 'e', 'f'}) {
        const QString written = locale.toString(value, format, QLocale::FloatingPointShortest);
        FUZZ_CHECK(zorvik::toNumber(written, locale) == value,
                   where + u" = "_s + numberText(value) + u", written "_s + visible(written));
    }
    // Where "." is the decimal point and nothing groups the digits, both readings agree.
    if (locale.decimalPoint() == u"."_s &&
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return u"0123456789.eE+-"_s.contains(c); }))
        FUZZ_CHECK(leading == value, where + u": "_s + numberText(leading) + u" vs "_s + numberText(value));
}

// What testing a file gave: a match, no match, or the failure's description.
using Outcome = std::variant<bool, QString>;

Outcome outcome(const SizeTest& test, quint64 bytes) {
    try {
        return test.matches(bytes);
    } catch (const zorvik::Failure& failure) {
        return failure.description();
    }
}

Outcome oneOffOutcome(quint64 bytes, const SizeCondition& condition, const QLocale& locale) {
    try {
        return zorvik::MatchesSize(bytes, condition, locale);
    } catch (const zorvik::Failure& failure) {
        return failure.description();
    }
}

SizeCondition condition(SizeMode mode, SizeUnit unit, const QString& first, const QString& second) {
    SizeCondition c;
    c.mode = mode;
    c.unit = unit;
    if (mode == SizeMode::Between) {
        c.lowerText = first;
        c.upperText = second;
    } else {
        c.valueText = first;
    }
    return c;
}

// File sizes worth testing: the given one, its neighbours, and those around where the bound lies.
std::vector<quint64> sizesAround(quint64 bytes, std::optional<double> bound, SizeUnit unit) {
    std::vector<quint64> sizes = {bytes};
    if (bytes > 0)
        sizes.push_back(bytes - 1);
    if (bytes < std::numeric_limits<quint64>::max())
        sizes.push_back(bytes + 1);
    if (bound) {
        const double at = std::floor(*bound * zorvik::bytesPerUnit(unit));
        if (at >= 0 && at < 18e18) {
            const quint64 near = quint64(at);
            for (const quint64 b : {near, near + 1, near + 2})
                sizes.push_back(b);
            if (near > 0)
                sizes.push_back(near - 1);
        }
    }
    return sizes;
}

void checkSizeTest(const SizeCondition& given, quint64 bytes, const QLocale& locale) {
    const SizeTest test(given, locale);
    const QString where = u"mode "_s + (given.mode ? QString::number(int(*given.mode)) : u"none"_s) +
                          u", unit "_s + (given.unit ? QString::number(int(*given.unit)) : u"none"_s) +
                          u", texts "_s + visible(given.lowerText) + u" "_s + visible(given.upperText) +
                          u" "_s + visible(given.valueText) + u" in "_s + locale.name();

    // The one-off form and the prepared test agree, failures included.
    const Outcome first = outcome(test, bytes);
    FUZZ_CHECK(oneOffOutcome(bytes, given, locale) == first, where);

    // Without a mode or a recognised unit nothing matches, and nothing fails.
    if (!given.mode || !given.unit) {
        FUZZ_CHECK(first == Outcome(false), where);
        return;
    }

    // A bound that is not a number fails every file, naming the first such bound.
    std::optional<QString> bad;
    const QStringList needed = *given.mode == SizeMode::Between
                                   ? QStringList{given.lowerText, given.upperText}
                                   : QStringList{given.valueText};
    for (const QString& text : needed) {
        if (!zorvik::isNumeric(text, locale)) {
            bad = text;
            break;
        }
    }
    if (bad) {
        const Outcome failure = QString(u"Type mismatch: \""_s + *bad + u"\" is not a number."_s);
        for (const quint64 b : sizesAround(bytes, std::nullopt, *given.unit))
            FUZZ_CHECK(outcome(test, b) == failure, where);
        return;
    }
    FUZZ_CHECK(std::holds_alternative<bool>(first), where);
}

// For one value and unit, the three comparisons split every file size between them, and the strict
// ones are monotonic in the size.
void checkComparisons(const QString& valueText, SizeUnit unit, quint64 bytes, const QLocale& locale) {
    const std::optional<double> value = zorvik::toNumber(valueText, locale);
    if (!value)
        return;
    const SizeTest greater(condition(SizeMode::GreaterThan, unit, valueText, {}), locale);
    const SizeTest less(condition(SizeMode::LessThan, unit, valueText, {}), locale);
    const SizeTest equal(condition(SizeMode::EqualTo, unit, valueText, {}), locale);
    const QString where = visible(valueText) + u" = "_s + numberText(*value) + u" unit "_s +
                          QString::number(int(unit)) + u" in "_s + locale.name();
    for (const quint64 b : sizesAround(bytes, value, unit)) {
        const QString at = where + u", file of "_s + QString::number(b);
        const bool g = greater.matches(b);
        const bool l = less.matches(b);
        const bool e = equal.matches(b);
        FUZZ_CHECK(int(g) + int(l) + int(e) == 1, at);
        if (b < std::numeric_limits<quint64>::max()) {
            FUZZ_CHECK(!g || greater.matches(b + 1), at);
            FUZZ_CHECK(!less.matches(b + 1) || l, at);
        }
        // Bytes are compared exactly as counted.
        if (unit == SizeUnit::Bytes && b < (quint64(1) << 53))
            FUZZ_CHECK(e == (double(b) == *value), at);
    }
}

// Between is the pair of the other two, except that in KB the upper bound sees the unrounded size.
void checkBetween(const QString& lowerText, const QString& upperText, SizeUnit unit, quint64 bytes,
                  const QLocale& locale) {
    const std::optional<double> lower = zorvik::toNumber(lowerText, locale);
    if (!lower || !zorvik::isNumeric(upperText, locale))
        return;
    const SizeTest between(condition(SizeMode::Between, unit, lowerText, upperText), locale);
    const SizeTest belowLower(condition(SizeMode::LessThan, unit, lowerText, {}), locale);
    const SizeTest aboveUpper(condition(SizeMode::GreaterThan, unit, upperText, {}), locale);
    for (const quint64 b : sizesAround(bytes, lower, unit)) {
        const QString at = visible(lowerText) + u".."_s + visible(upperText) + u" unit "_s +
                           QString::number(int(unit)) + u" in "_s + locale.name() + u", file of "_s +
                           QString::number(b);
        const bool inside = between.matches(b);
        if (unit == SizeUnit::KB)
            FUZZ_CHECK(!inside || !belowLower.matches(b), at);
        else
            FUZZ_CHECK(inside == (!belowLower.matches(b) && !aboveUpper.matches(b)), at);
    }
}

} // namespace

// Input: a locale byte, a condition byte (mode and unit, each with a "none"), eight bytes of file
// size, then the bound texts in UTF-8 separated by a NUL (without one, both bounds are the same text).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t head[10] = {};
    std::memcpy(head, data, std::min<std::size_t>(size, sizeof head));
    const QLocale& locale = locales()[head[0] % locales().size()];
    const int modeCode = head[1] % 5;
    const int unitCode = head[1] / 5 % 5;
    quint64 bytes = 0;
    for (int i = 9; i >= 2; --i)
        bytes = bytes << 8 | head[i];

    const QByteArray rest = size > sizeof head ? QByteArray(reinterpret_cast<const char*>(data) + sizeof head,
                                                            qsizetype(size - sizeof head))
                                               : QByteArray();
    const qsizetype nul = rest.indexOf('\0');
    const QString first = QString::fromUtf8(nul < 0 ? rest : rest.left(nul));
    const QString second = nul < 0 ? first : QString::fromUtf8(rest.mid(nul + 1));

    checkNumberReading(first, locale);
    if (nul >= 0)
        checkNumberReading(second, locale);

    SizeCondition given;
    if (modeCode < 4)
        given.mode = SizeMode(modeCode);
    if (unitCode < 4)
        given.unit = SizeUnit(unitCode);
    if (given.mode == SizeMode::Between) {
        given.lowerText = first;
        given.upperText = second;
    } else {
        given.valueText = first;
    }
    checkSizeTest(given, bytes, locale);

    const SizeUnit unit = given.unit.value_or(SizeUnit::Bytes);
    checkComparisons(first, unit, bytes, locale);
    checkBetween(first, second, unit, bytes, locale);
    return 0;
}
