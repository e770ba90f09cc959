// Globs over a name's bytes, as the search's --exclude and --name patterns match them.
#include "search/NamePattern.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zorvik::test {
namespace {

TEST(NamePattern, MatchesAsTheShellWouldByteForByte) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"node_modules", "node_modules", true},
        {"node_modules", "node_modules2", false},
        {"*.o", "main.o", true},
        {"*.o", ".o", true},
        {"*.o", "main.oo", false},
        {"*", ".hidden", true},
        {"a*b*c", "aXXbYYbZc", true},
        {"a*b*c", "aXXbYYcZ", false},
        {"*a*", "bbb", false},
        {"?", "", false},
        {"??", "ab", true},
        {"[a-c]x", "bx", true},
        {"[a-c]x", "dx", false},
        {"[!a-c]x", "dx", true},
        {"[^a-c]x", "ax", false},
        {"[]]", "]", true},
        {"[a-]", "-", true},
        {"[", "[", true},
        {"a[b", "a[b", true},
        {"\\*", "*", true},
        {"\\*", "x", false},
        {"*\\?", "why?", true},
        {"caf\xe9*", "caf\xe9 au lait", true},
        {"caf\xe9*", "caf\xc3\xa9", false},
        {"[\xe0-\xef]", "\xe9", true},
        {"*\xff", "ab\xff", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NamePattern(c.pattern).matches(c.name, std::strlen(c.name)), c.matches)
            << c.pattern << " on " << c.name;

    const NamePatterns none;
    EXPECT_FALSE(none.matchesAny("x"));
    const NamePatterns some({"*.tmp", "core"});
    EXPECT_TRUE(some.matchesAny("core"));
    EXPECT_TRUE(some.matchesAny("a.tmp"));
    EXPECT_FALSE(some.matchesAny("core.c"));
}

} // namespace
} // namespace zorvik::test
