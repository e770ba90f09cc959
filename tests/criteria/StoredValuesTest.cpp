// Stored unit choices and option states read back into the panel's controls.
#include "criteria/StoredValues.h"
#include "core/Failure.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

// The failure's description, or "ok <index>".
QString unitIndex(const QString& text, const QLocale& locale = kEnglish) {
    try {
        return u"ok "_s + QString::number(unitIndexFrom(text, locale));
    } catch (const Failure& failure) {
        return failure.description();
    }
}

TEST(StoredUnit, EveryListPositionAndNothingChosenComeBack) {
    for (int i = -1; i <= 3; ++i)
        EXPECT_EQ(unitIndex(QString::number(i)), u"ok "_s + QString::number(i));
    EXPECT_EQ(unitIndex(u" 2 "_s), u"ok 2"_s);
    EXPECT_EQ(unitIndex(u"4"_s), u"Invalid property value"_s);
    EXPECT_EQ(unitIndex(u"-2"_s), u"Invalid property value"_s);
}

TEST(StoredUnit, FractionsRoundHalvesToEven) {
    EXPECT_EQ(unitIndex(u"0.5"_s), u"ok 0"_s);
    EXPECT_EQ(unitIndex(u"1.5"_s), u"ok 2"_s);
    EXPECT_EQ(unitIndex(u"2.5"_s), u"ok 2"_s);
    EXPECT_EQ(unitIndex(u"2.51"_s), u"ok 3"_s);
    EXPECT_EQ(unitIndex(u"-0.5"_s), u"ok 0"_s);
    EXPECT_EQ(unitIndex(u"-1.4"_s), u"ok -1"_s);
    EXPECT_EQ(unitIndex(u"3.5"_s), u"Invalid property value"_s);
    EXPECT_EQ(unitIndex(u"-1.5"_s), u"Invalid property value"_s);
}

TEST(StoredUnit, NumbersBeyondSixteenBitsOverflowBeforeTheRangeIsChecked) {
    EXPECT_EQ(unitIndex(u"32767"_s), u"Invalid property value"_s);
    EXPECT_EQ(unitIndex(u"-32768"_s), u"Invalid property value"_s);
    EXPECT_EQ(unitIndex(u"32768"_s), u"Overflow"_s);
    EXPECT_EQ(unitIndex(u"-32769"_s), u"Overflow"_s);
    EXPECT_EQ(unitIndex(u"32767.5"_s), u"Overflow"_s);                // rounds up to 32768
    EXPECT_EQ(unitIndex(u"-32768.5"_s), u"Invalid property value"_s); // rounds to even: -32768
    EXPECT_EQ(unitIndex(u"1e10"_s), u"Overflow"_s);
}

TEST(StoredUnit, TextThatIsNoNumberInTheUsersLocaleIsATypeMismatch) {
    for (const QString& text : {QString(), u"abc"_s, u"2 KB"_s, u"inf"_s, u"nan"_s})
        EXPECT_EQ(unitIndex(text), u"Type mismatch"_s) << text.toStdString();
    EXPECT_EQ(unitIndex(u"2,5"_s, kGerman), u"ok 2"_s);
    EXPECT_EQ(unitIndex(u"1,5"_s, kGerman), u"ok 2"_s);
}

// The failure's description, or "True" / "False".
QString truth(const QString& text, const QLocale& locale = kEnglish) {
    try {
        return truthFrom(text, locale) ? u"True"_s : u"False"_s;
    } catch (const Failure& failure) {
        return failure.description();
    }
}

TEST(StoredOption, TheTwoWordsAndAnyNumberAreTruthValues) {
    EXPECT_EQ(truth(u"True"_s), u"True"_s);
    EXPECT_EQ(truth(u"False"_s), u"False"_s);
    for (const QString& yes : {u"1"_s, u"-1"_s, u"0.5"_s, u"2e3"_s, u" 7 "_s})
        EXPECT_EQ(truth(yes), u"True"_s) << yes.toStdString();
    for (const QString& no : {u"0"_s, u"0.0"_s, u"-0"_s, u" 0 "_s})
        EXPECT_EQ(truth(no), u"False"_s) << no.toStdString();
    EXPECT_EQ(truth(u"0,5"_s, kGerman), u"True"_s);
    EXPECT_EQ(truth(u"0,0"_s, kGerman), u"False"_s);
}

TEST(StoredOption, AnythingElseIsATypeMismatch) {
    for (const QString& text : {QString(), u"yes"_s, u"Truee"_s, u"1 KB"_s})
        EXPECT_EQ(truth(text), u"Type mismatch"_s) << text.toStdString();
}

} // namespace
} // namespace zorvik::test
