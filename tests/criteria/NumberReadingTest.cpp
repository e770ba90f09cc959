#include "criteria/NumberReading.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik {
namespace {

TEST(NumberReading, NumericTestFollowsTheLocale) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(toNumber(u"1,000"_s, us), 1000.0);
    EXPECT_EQ(toNumber(u" 12 "_s, us), 12.0);
    EXPECT_EQ(toNumber(u"1e3"_s, us), 1000.0);
    EXPECT_EQ(toNumber(u"1,5"_s, de), 1.5);
    for (const QString& text : {QString(), u"12a"_s, u"abc"_s, u"inf"_s, u"nan"_s})
        EXPECT_FALSE(toNumber(text, us).has_value()) << text.toStdString();
    EXPECT_FALSE(toNumber(u"1.5"_s, de).has_value());
}

TEST(NumberReading, TheOtherDecimalMarkIsSwappedInOnlyWhereTheLocaleRefusesTheTextAsItStands) {
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(withOtherDecimalMark(u"1.5"_s, german), u"1,5"_s);
    EXPECT_EQ(withOtherDecimalMark(u"1,234.5"_s, german), u"1.234,5"_s);
    EXPECT_EQ(withOtherDecimalMark(u"0,5"_s, english), u"0.5"_s);
    // Read as it stands, even where the other language would read it otherwise.
    EXPECT_EQ(withOtherDecimalMark(u"1,000"_s, english), std::nullopt);
    EXPECT_EQ(withOtherDecimalMark(u"1.000"_s, german), std::nullopt);
    EXPECT_EQ(withOtherDecimalMark(u"abc"_s, english), std::nullopt);
    EXPECT_EQ(withOtherDecimalMark(u"1.5"_s, QLocale(QLocale::Arabic, QLocale::Egypt)), std::nullopt);
    EXPECT_EQ(decimalMarkHint(u"1.5"_s, german), u"Use a comma (,) as the decimal separator."_s);
    EXPECT_EQ(decimalMarkHint(u"1,5"_s, german), QString());
}

TEST(NumberReading, LeadingNumberReadsAsFarAsANumberGoes) {
    EXPECT_EQ(leadingNumber(u"1,000"_s), 1.0);
    EXPECT_EQ(leadingNumber(u"abc"_s), 0.0);
    EXPECT_EQ(leadingNumber(QString()), 0.0);
    EXPECT_EQ(leadingNumber(u" 1 2\t3\n"_s), 123.0);
    EXPECT_EQ(leadingNumber(u"1.5.7"_s), 1.5);
    EXPECT_EQ(leadingNumber(u"-2.5e2x"_s), -250.0);
    EXPECT_EQ(leadingNumber(u"+.5"_s), 0.5);
    EXPECT_EQ(leadingNumber(u"3e"_s), 3.0);
    EXPECT_EQ(leadingNumber(u"12a"_s), 12.0);
}

} // namespace
} // namespace zorvik
