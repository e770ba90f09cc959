// Which sizes meet a condition, and how a matching size is written.
#include "core/Failure.h"
#include "criteria/SizeDisplayText.h"
#include "search/MatchesSize.h"
#include "search/WalkRules.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

SizeCondition condition(SizeMode mode, SizeUnit unit, const QString& first, const QString& second = {}) {
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

// The sizes among `sizes` that meet the condition.
std::vector<quint64> matching(const SizeCondition& c, const std::vector<quint64>& sizes) {
    std::vector<quint64> result;
    const SizeTest test(c, kEnglish);
    for (quint64 size : sizes)
        if (test.matches(size))
            result.push_back(size);
    return result;
}

using Sizes = std::vector<quint64>;

TEST(MatchesSize, BetweenIsInclusiveAndKilobytesRoundHalvesToEvenExceptAtTheUpperBound) {
    EXPECT_EQ(
        matching(condition(SizeMode::Between, SizeUnit::Bytes, u"100"_s, u"200"_s), {99, 100, 150, 200, 201}),
        (Sizes{100, 150, 200}));
    // 512 bytes is half a KB, which rounds to 0; 2,048 is exactly 2 KB; 2,049 is over the unrounded bound.
    EXPECT_EQ(matching(condition(SizeMode::Between, SizeUnit::KB, u"1"_s, u"2"_s), {512, 513, 2048, 2049}),
              (Sizes{513, 2048}));
    // Bounds typed in the wrong order match nothing: the test is taken as written.
    EXPECT_EQ(matching(condition(SizeMode::Between, SizeUnit::Bytes, u"200"_s, u"100"_s), {150}), Sizes{});
}

TEST(MatchesSize, StrictAndExactComparisonsPerUnit) {
    EXPECT_EQ(matching(condition(SizeMode::GreaterThan, SizeUnit::KB, u"1"_s), {1024, 1535, 1536}),
              Sizes{1536});
    // 2,560 bytes is 2.5 KB, compared as 2.
    EXPECT_EQ(matching(condition(SizeMode::EqualTo, SizeUnit::KB, u"2"_s), {2560, 3584}), Sizes{2560});
    EXPECT_EQ(matching(condition(SizeMode::EqualTo, SizeUnit::KB, u"0"_s), {0, 512, 513}), (Sizes{0, 512}));
    EXPECT_EQ(matching(condition(SizeMode::EqualTo, SizeUnit::MB, u"1"_s), {1048575, 1048576, 1048577}),
              Sizes{1048576});
    EXPECT_EQ(matching(condition(SizeMode::LessThan, SizeUnit::GB, u"1"_s), {1073741823, 1073741824}),
              Sizes{1073741823});
    EXPECT_EQ(matching(condition(SizeMode::GreaterThan, SizeUnit::Bytes, u"100"_s), {100, 3221225472ull}),
              Sizes{3221225472ull});
    EXPECT_EQ(
        matching(condition(SizeMode::Between, SizeUnit::MB, u"0.5"_s, u"1.5"_s), {524287, 524288, 1572864}),
        (Sizes{524288, 1572864}));
}

TEST(MatchesSize, BoundsAreReadInTheUsersLocale) {
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_TRUE(SizeTest(condition(SizeMode::EqualTo, SizeUnit::Bytes, u"1.024"_s), german).matches(1024));
    EXPECT_TRUE(SizeTest(condition(SizeMode::GreaterThan, SizeUnit::KB, u"1,4"_s), german).matches(1536));
}

TEST(MatchesSize, ABoundThatIsNotANumberFailsOnlyWhenAFileIsTestedWithAKnownUnit) {
    const SizeTest bad(condition(SizeMode::GreaterThan, SizeUnit::Bytes, u"abc"_s), kEnglish);
    EXPECT_THROW(bad.matches(10), Failure);
    // Between reads both bounds: a bad upper bound fails although the lower test already fails.
    const SizeTest badUpper(condition(SizeMode::Between, SizeUnit::Bytes, u"500"_s, u"x"_s), kEnglish);
    EXPECT_THROW(badUpper.matches(10), Failure);
    // A walk given the test leaves a failing one to its visitor, which fails at the first file.
    EXPECT_TRUE(WalkRules({}, {}, bad).keepsSize(10));
    EXPECT_FALSE(
        WalkRules({}, {}, SizeTest(condition(SizeMode::GreaterThan, SizeUnit::Bytes, u"100"_s), kEnglish))
            .keepsSize(10));

    SizeCondition unknownUnit = condition(SizeMode::GreaterThan, SizeUnit::Bytes, u"abc"_s);
    unknownUnit.unit.reset();
    EXPECT_FALSE(SizeTest(unknownUnit, kEnglish).matches(10));
    SizeCondition noMode = unknownUnit;
    noMode.mode.reset();
    EXPECT_FALSE(MatchesSize(10, noMode, kEnglish));
}

TEST(SizeDisplayText, EachUnitHasItsPattern) {
    auto text = [](quint64 bytes, SizeUnit unit) { return SizeDisplayText(bytes, unit, kEnglish); };
    EXPECT_EQ(text(1536, SizeUnit::Bytes), u"1536 Bytes"_s);
    EXPECT_EQ(text(0, SizeUnit::Bytes), u"0 Bytes"_s);
    EXPECT_EQ(text(3221225472ull, SizeUnit::Bytes), u"3221225472 Bytes"_s);

    EXPECT_EQ(text(0, SizeUnit::KB), u" KB"_s);
    EXPECT_EQ(text(511, SizeUnit::KB), u" KB"_s);
    EXPECT_EQ(text(512, SizeUnit::KB), u"1 KB"_s);  // halves away from zero when shown
    EXPECT_EQ(text(2560, SizeUnit::KB), u"3 KB"_s); // though compared as 2
    EXPECT_EQ(text(3221225472ull, SizeUnit::KB), u"3,145,728 KB"_s);

    EXPECT_EQ(text(1048576, SizeUnit::MB), u"1. MB"_s);
    EXPECT_EQ(text(1572864, SizeUnit::MB), u"1.5 MB"_s);
    EXPECT_EQ(text(262144, SizeUnit::MB), u".25 MB"_s);
    EXPECT_EQ(text(1048, SizeUnit::MB), u". MB"_s);                 // 0.001 MB
    EXPECT_EQ(text(1294538834ull, SizeUnit::MB), u"1,234.57 MB"_s); // 1,234.5678 MB
    EXPECT_EQ(text(1073741823, SizeUnit::GB), u"1. GB"_s);
    EXPECT_EQ(text(5368709, SizeUnit::MB), u"5.12 MB"_s); // 5.1199... rounds up to .12
    EXPECT_EQ(text(std::numeric_limits<quint64>::max(), SizeUnit::GB), u"17,179,869,184. GB"_s);
}

TEST(SizeDisplayText, UsesTheLocalesSeparators) {
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(SizeDisplayText(3221225472ull, SizeUnit::KB, german), u"3.145.728 KB"_s);
    EXPECT_EQ(SizeDisplayText(1294538834ull, SizeUnit::MB, german), u"1.234,57 MB"_s);
    // French groups with a space that is not ASCII (a narrow no-break space in current locale data).
    const QLocale french(QLocale::French, QLocale::France);
    const QString group = french.groupSeparator();
    EXPECT_EQ(SizeDisplayText(3221225472ull, SizeUnit::KB, french),
              u"3"_s + group + u"145"_s + group + u"728 KB"_s);
    EXPECT_EQ(SizeDisplayText(1294538834ull, SizeUnit::GB, french), u"1,21 GB"_s);
}

} // namespace
} // namespace zorvik::test
