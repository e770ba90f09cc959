#pragma once

#include <QByteArray>

#include <cstddef>
#include <vector>

namespace zorvik {

// A shell glob over a file's own name: "*" any run of bytes, "?" any one byte, "[a-z]" / "[!a-z]" one
// byte of (or not of) a set, "\" takes the next byte as it is. Names and patterns are bytes, not text:
// a pattern that is not valid UTF-8 matches exactly those bytes. A "[" without its "]" is itself.
// A name starting with "." is matched like any other, and there is no "/" in a name to care about.
class NamePattern {
public:
    explicit NamePattern(const QByteArray& pattern);

    // Allocates nothing: the walk asks this for every entry.
    bool matches(const char* name, std::size_t length) const;

private:
    enum class Kind {
        Exact,  // no wildcard: compared as bytes
        Suffix, // "*" followed by no wildcard ("*.o")
        Glob,
    };
    bool globMatches(const char* name, std::size_t length) const;
    // Where the set starting at pattern_[at] ("[") ends (past its "]"), and whether `byte` is in it;
    // an unclosed set returns `at`.
    std::size_t setEnd(std::size_t at, unsigned char byte, bool& inSet) const;
    // Whether the one-byte element at pattern_[at] (no "*") takes `byte`, and where the next begins.
    std::size_t step(std::size_t at, unsigned char byte, bool& same) const;

    QByteArray pattern_;
    QByteArray literal_; // Exact and Suffix: the bytes to compare, escapes resolved
    Kind kind_ = Kind::Glob;
};

// Several patterns; a name matches when any does.
class NamePatterns {
public:
    NamePatterns() = default;
    explicit NamePatterns(const std::vector<QByteArray>& patterns);
    bool isEmpty() const { return patterns_.empty(); }
    bool matchesAny(const char* name) const;

private:
    std::vector<NamePattern> patterns_;
};

} // namespace zorvik
