// Pattern lists in the settings: every name's bytes come back, and a damaged text is recognised.
#include "folders/StoredSearchOptions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik {
namespace {

TEST(StoredPatternList, AnyBytesComeBackAndTextStaysReadable) {
    const std::vector<QByteArray> patterns = {
        "node_modules", "*.iso",    "caf\xc3\xa9",  "\xe6\x97\xa5\xe6\x9c\xac", // text as it is
        "100%",         "a/b",      "line\nbreak",  "\xff",                     // the list's own marks
        "\xe6\x97",     "\xc0\xaf", "\xed\xa0\x80", " blank ",
        "\x7f", // broken or not text
    };
    const QString text = patternListText(patterns);
    EXPECT_TRUE(
        text.startsWith(u"node_modules/*.iso/café/日本/100%25/a%2Fb/line%0Abreak/%FF/%E6%97/%C0%AF/"_s))
        << text.toStdString();
    EXPECT_EQ(patternListFrom(text), patterns);
    EXPECT_EQ(patternListFrom(patternListText({})), std::vector<QByteArray>{});
}

TEST(StoredPatternList, AnEscapeCutShortOrAnEmptyPatternIsDamage) {
    for (const QString& damaged : {u"%"_s, u"a%4"_s, u"%G1"_s, u"a//b"_s, u"a/"_s, u"/"_s})
        EXPECT_FALSE(patternListFrom(damaged).has_value()) << damaged.toStdString();
    EXPECT_EQ(patternListFrom(u"%2a%2A"_s), std::vector<QByteArray>{"**"}); // either case of hex
}

} // namespace
} // namespace zorvik
